#pragma once
// A signal's argument list as a type list; `void` stands for "no arguments" (TEventSignal<void>).

namespace Base::Internal
{
template <class... A>
struct TTypeList
{
};

template <class... Args>
struct TSignalArgs
{
    using type = TTypeList<Args...>;
};

template <>
struct TSignalArgs<void>
{
    using type = TTypeList<>;
};

template <class... Args>
using TSignalArgList = typename TSignalArgs<Args...>::type;
} // namespace Base::Internal
