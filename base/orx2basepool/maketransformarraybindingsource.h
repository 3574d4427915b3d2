#pragma once
#include "base/orx2basepool/internal/transformarraybindingsource.h"

#include <type_traits>
#include <utility>

namespace Base::Binding
{
namespace Internal
{
/// The conversion used when none is given: `To`'s constructor (an upcast of shared pointers, say).
template <class From, class To> struct TConstructArrayElement
{
    To operator()(From const& value) const { return To(value); }
};
} // namespace Internal

/// Presents `source` as an `IArrayBindingSource<To>` whose elements are `convert(element)`; `To` defaults
/// to what `convert` returns. The result may be used as a temporary: binding a proxy or an observer to
/// it keeps it alive for as long as that connection lasts.
///     proxy.Bind(MakeTransformArrayBindingSource<std::shared_ptr<IItem>>(concreteItems));
/// Connects to `source` at once; see `Internal::TransformArrayBindingSource` for the rules.
template <class To = void, class From, class Callable>
auto MakeTransformArrayBindingSource(IArrayBindingSource<From> const& source, Callable&& convert)
{
    using Result =
        std::conditional_t<std::is_void_v<To>,
                           std::decay_t<std::invoke_result_t<std::decay_t<Callable>&, From const&>>, To>;
    return Internal::TransformArrayBindingSource<From, Result, std::decay_t<Callable>>(
        source, std::forward<Callable>(convert));
}

/// As above, converting each element with `To(element)`.
template <class To, class From> auto MakeTransformArrayBindingSource(IArrayBindingSource<From> const& source)
{
    return Internal::TransformArrayBindingSource<From, To, Internal::TConstructArrayElement<From, To>>(
        source, Internal::TConstructArrayElement<From, To>());
}
} // namespace Base::Binding
