#pragma once
// Member descriptions of view models and models: each interface lists its members once, by the name a
// GUI uses, next to its declaration; generic code (a GUI binding, a simulator, a test) walks them with
// one visitor instead of a table per type.
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/iarraybindingsource.h"
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/ieventsignal.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/ivaluebindingsource.h"
#include "base/orx2basepool/tcommandslot.h"
#include "base/orx2basepool/tproperty.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace Base
{
/// What a described member is, and so what its `Read` gives.
enum class EMemberKind
{
    Property,       ///< an IProperty<T>; Read gives T; changes fire the owner's PropertyChanged
    Value,          ///< a plain getter; Read gives T; no notification of its own
    AreaValue,      ///< a getter per scan area; Read(owner, area) gives T
    ValueSource,    ///< an IValueBindingSource<T>; Read gives T
    ArraySource,    ///< an IArrayBindingSource<E>; Read gives std::vector<E>
    Command,        ///< a command, plain or held in a property; Read gives std::shared_ptr<ICommand<Args...>>
    ViewModel,      ///< a sub-view-model or model; Read gives std::shared_ptr<X>
    ViewModelGroup, ///< a fixed group of them; Read gives std::array<std::shared_ptr<X>, N>
    Slot,           ///< a slot of the GUI configuration, an IProperty<std::shared_ptr<X>>; Read gives the pointer
    Event,          ///< an IEventSignal<Args...>; nothing to read
};

/// The description of interface `I`: specialised next to `I` with a `static constexpr auto Members()`
/// returning a tuple of member descriptors, built with the factories of `Describe::TMembersOf<I>`:
///
///     template <> struct TDescription<IPanelViewModel> : Describe::TMembersOf<IPanelViewModel>
///     {
///         static constexpr auto Members()
///         {
///             return std::make_tuple(Property<bool>("Visible", &I::GetVisible),
///                                    Command<>("Close", &I::GetCloseCommand));
///         }
///     };
///
/// Every factory checks its getter against the type it names: a getter that is missing, renamed or of
/// another type fails the build where the description is written.
template <class I> struct TDescription;

/// Whether `I` has a description.
template <class I, class = void> struct IsDescribed : std::false_type
{
};
template <class I>
struct IsDescribed<I, std::void_t<decltype(TDescription<I>::Members())>> : std::true_type
{
};
template <class I> inline constexpr bool kIsDescribed = IsDescribed<I>::value;

/// Calls `visitor(member)` for each described member of `I`, in the order of the description; each
/// `member` is a descriptor with `name`, `kKind`, the type aliases of its kind and `Read(owner)` (see
/// Describe). Compile-time dispatch on `kKind` (`if constexpr`) lets one generic visitor treat every
/// kind. Never throws by itself.
template <class I, class Visitor> constexpr void ForEachMember(Visitor&& visitor)
{
    static_assert(kIsDescribed<I>, "the interface has no description");
    std::apply([&visitor](auto const&... member) { (visitor(member), ...); }, TDescription<I>::Members());
}

/// The number of described members of `I`.
template <class I> constexpr std::size_t MemberCount()
{
    return std::tuple_size_v<decltype(TDescription<I>::Members())>;
}

namespace Describe
{
template <class T> struct TIdentity
{
    using Type = T;
};
/// A type named explicitly by the description, never deduced from the getter.
template <class T> using Exactly = typename TIdentity<T>::Type;

/// What `getter` returns for an owner `I&`.
template <class I, class Getter> using Returned = std::invoke_result_t<Getter const&, I&>;

// ---- descriptors: `name`, `kKind`, the kind's types, `Read` (and what else the kind offers) ----------

template <class I, class T, class Getter> struct TPropertyMember
{
    static constexpr EMemberKind kKind = EMemberKind::Property;
    using Owner = I;
    using Type = T;
    char const* name;
    Getter getter;
    /// The property itself, to subscribe to or (for the owner's own code) to set.
    IProperty<T> const& Source(I& owner) const { return std::invoke(getter, owner); }
    T Read(I& owner) const { return Source(owner).Get(); }
};

template <class I, class T, class Getter> struct TValueMember
{
    static constexpr EMemberKind kKind = EMemberKind::Value;
    using Owner = I;
    using Type = T;
    char const* name;
    Getter getter;
    T Read(I& owner) const { return std::invoke(getter, owner); }
};

template <class I, class T, class Getter> struct TAreaValueMember
{
    static constexpr EMemberKind kKind = EMemberKind::AreaValue;
    using Owner = I;
    using Type = T;
    char const* name;
    Getter getter;
    T Read(I& owner, EAreaItems area) const { return std::invoke(getter, owner, area); }
};

template <class I, class T, class Getter> struct TValueSourceMember
{
    static constexpr EMemberKind kKind = EMemberKind::ValueSource;
    using Owner = I;
    using Type = T;
    char const* name;
    Getter getter;
    Binding::IValueBindingSource<T> const& Source(I& owner) const { return std::invoke(getter, owner); }
    T Read(I& owner) const { return Source(owner).GetValue(); }
};

template <class I, class E, class Getter> struct TArraySourceMember
{
    static constexpr EMemberKind kKind = EMemberKind::ArraySource;
    using Owner = I;
    using Element = E;
    using Type = std::vector<E>;
    char const* name;
    Getter getter;
    Binding::IArrayBindingSource<E> const& Source(I& owner) const { return std::invoke(getter, owner); }
    std::vector<E> Read(I& owner) const { return Source(owner).GetValues(); }
};

template <class I, class Getter, class... Args> struct TCommandMember
{
    static constexpr EMemberKind kKind = EMemberKind::Command;
    /// Whether the command is held in a property (replacing it notifies) or is a plain member.
    static constexpr bool kNotifies = !std::is_convertible_v<Returned<I, Getter>, std::shared_ptr<ICommand<Args...>>>;
    using Owner = I;
    using Interface = ICommand<Args...>;
    using Arguments = std::tuple<Args...>;
    using Type = std::shared_ptr<ICommand<Args...>>;
    char const* name;
    Getter getter;
    Type Read(I& owner) const
    {
        if constexpr (kNotifies)
            return std::invoke(getter, owner).Get();
        else
            return std::invoke(getter, owner);
    }
    /// Executes the command installed now with `arguments`; false (nothing run) while none is.
    /// Throws what the command throws.
    template <class... Given> bool Execute(I& owner, Given&&... arguments) const
    {
        return ExecuteIfSet(Read(owner), std::forward<Given>(arguments)...);
    }
};

template <class I, class X, class Getter> struct TViewModelMember
{
    static constexpr EMemberKind kKind = EMemberKind::ViewModel;
    using Owner = I;
    using Interface = X;
    using Type = std::shared_ptr<X>;
    char const* name;
    Getter getter;
    Type Read(I& owner) const { return std::invoke(getter, owner); }
};

template <class I, class X, std::size_t N, class Getter> struct TViewModelGroupMember
{
    static constexpr EMemberKind kKind = EMemberKind::ViewModelGroup;
    static constexpr std::size_t kCount = N;
    using Owner = I;
    using Interface = X;
    using Type = std::array<std::shared_ptr<X>, N>;
    char const* name;
    Getter getter;
    Type Read(I& owner) const { return std::invoke(getter, owner); }
};

template <class I, class X, class Getter> struct TSlotMember
{
    static constexpr EMemberKind kKind = EMemberKind::Slot;
    using Owner = I;
    using Interface = X;
    using Type = std::shared_ptr<X>;
    char const* name;
    Getter getter;
    IProperty<std::shared_ptr<X>> const& Source(I& owner) const { return std::invoke(getter, owner); }
    Type Read(I& owner) const { return Source(owner).Get(); }
};

template <class I, class Getter, class... Args> struct TEventMember
{
    static constexpr EMemberKind kKind = EMemberKind::Event;
    using Owner = I;
    using Signal = IEventSignal<Args...>;
    char const* name;
    Getter getter;
    IEventSignal<Args...> const& Source(I& owner) const { return std::invoke(getter, owner); }
};

/// The factories a description uses, with `I` the described interface. Each takes the member's name and
/// its getter (a member function pointer of `I` or of a base, or a callable taking `I&`) and checks the
/// getter's type against the type the description names. Where an interface overloads a getter on
/// const, the const one is taken.
template <class Interface> struct TMembersOf
{
    using I = Interface;

    template <class T> static constexpr auto Property(char const* name, IProperty<T> const& (I::*getter)() const)
    {
        return TPropertyMember<I, T, decltype(getter)>{name, getter};
    }
    template <class T>
    static constexpr auto Property(char const* name, Base::TProperty<T> const& (I::*getter)() const)
    {
        return TPropertyMember<I, T, decltype(getter)>{name, getter};
    }
    template <class T, class Getter> static constexpr auto Property(char const* name, Getter getter)
    {
        static_assert(std::is_convertible_v<Returned<I, Getter>, IProperty<T> const&>,
                      "the getter does not return the property type the description names");
        return TPropertyMember<I, T, Getter>{name, getter};
    }

    template <class T, class Getter> static constexpr auto Value(char const* name, Getter getter)
    {
        static_assert(std::is_same_v<std::decay_t<Returned<I, Getter>>, T>,
                      "the getter does not return the type the description names");
        return TValueMember<I, T, Getter>{name, getter};
    }

    template <class T> static constexpr auto AreaValue(char const* name, T (I::*getter)(EAreaItems) const)
    {
        return TAreaValueMember<I, T, decltype(getter)>{name, getter};
    }
    template <class T, class Getter> static constexpr auto AreaValue(char const* name, Getter getter)
    {
        static_assert(std::is_same_v<std::decay_t<std::invoke_result_t<Getter const&, I&, EAreaItems>>, T>,
                      "the getter does not take an area and return the type the description names");
        return TAreaValueMember<I, T, Getter>{name, getter};
    }

    template <class T, class Getter> static constexpr auto ValueSource(char const* name, Getter getter)
    {
        static_assert(std::is_convertible_v<Returned<I, Getter>, Binding::IValueBindingSource<T> const&>,
                      "the getter does not return the value source the description names");
        return TValueSourceMember<I, T, Getter>{name, getter};
    }

    template <class E, class Getter> static constexpr auto ArraySource(char const* name, Getter getter)
    {
        static_assert(std::is_convertible_v<Returned<I, Getter>, Binding::IArrayBindingSource<E> const&>,
                      "the getter does not return the array source the description names");
        return TArraySourceMember<I, E, Getter>{name, getter};
    }

    template <class... Args>
    static constexpr auto Command(char const* name,
                                  IProperty<std::shared_ptr<Exactly<ICommand<Args...>>>> const& (I::*getter)() const)
    {
        return TCommandMember<I, decltype(getter), Args...>{name, getter};
    }
    template <class... Args>
    static constexpr auto Command(char const* name, std::shared_ptr<Exactly<ICommand<Args...>>> (I::*getter)() const)
    {
        return TCommandMember<I, decltype(getter), Args...>{name, getter};
    }
    template <class... Args, class Getter> static constexpr auto Command(char const* name, Getter getter)
    {
        using R = Returned<I, Getter>;
        using Pointer = std::shared_ptr<ICommand<Args...>>;
        static_assert(std::is_convertible_v<R, Pointer> || std::is_convertible_v<R, IProperty<Pointer> const&>,
                      "the getter does not return the command type the description names");
        return TCommandMember<I, Getter, Args...>{name, getter};
    }

    template <class X, class Getter> static constexpr auto ViewModel(char const* name, Getter getter)
    {
        static_assert(std::is_convertible_v<Returned<I, Getter>, std::shared_ptr<X>>,
                      "the getter does not return the view model the description names");
        return TViewModelMember<I, X, Getter>{name, getter};
    }

    template <class X, std::size_t N, class Getter> static constexpr auto ViewModelGroup(char const* name, Getter getter)
    {
        static_assert(std::is_same_v<std::decay_t<Returned<I, Getter>>, std::array<std::shared_ptr<X>, N>>,
                      "the getter does not return the group the description names");
        return TViewModelGroupMember<I, X, N, Getter>{name, getter};
    }

    template <class X>
    static constexpr auto Slot(char const* name, IProperty<std::shared_ptr<X>> const& (I::*getter)() const)
    {
        return TSlotMember<I, X, decltype(getter)>{name, getter};
    }

    template <class... Args, class Getter> static constexpr auto Event(char const* name, Getter getter)
    {
        static_assert(std::is_convertible_v<Returned<I, Getter>, IEventSignal<Args...> const&>,
                      "the getter does not return the event the description names");
        return TEventMember<I, Getter, Args...>{name, getter};
    }

    /// The members of a base interface's description, for an interface that extends it.
    template <class Base> static constexpr auto Inherited()
    {
        static_assert(std::is_base_of_v<Base, I>, "not a base of the described interface");
        return TDescription<Base>::Members();
    }
};
} // namespace Describe
} // namespace Base
