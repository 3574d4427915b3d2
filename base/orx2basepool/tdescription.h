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
    /// A slot of the GUI configuration, an IProperty<std::shared_ptr<X>>; Read gives the pointer.
    Slot,          
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
/// `T` itself, in a context where it is not deduced (see Exactly).
template <class T> struct TIdentity
{
    using Type = T; ///< `T`.
};
/// A type named explicitly by the description, never deduced from the getter.
template <class T> using Exactly = typename TIdentity<T>::Type;

/// What `getter` returns for an owner `I&`.
template <class I, class Getter> using Returned = std::invoke_result_t<Getter const&, I&>;

// ---- descriptors: `name`, `kKind`, the kind's types, `Read` (and what else the kind offers) ----------

/// A described property: `Source` is the property, `Read` its value now.
template <class I, class T, class Getter> struct TPropertyMember
{
    static constexpr EMemberKind kKind = EMemberKind::Property; ///< The kind, for `if constexpr` dispatch.
    using Owner = I; ///< The described interface.
    using Type = T; ///< What `Read` returns.
    char const* name; ///< The name the GUI binds, as in the description.
    Getter getter; ///< The getter of the described interface.
    /// The property itself, to subscribe to or (for the owner's own code) to set.
    IProperty<T> const& Source(I& owner) const { return std::invoke(getter, owner); }
    /// The member\'s value on `owner` now. Throws what the getter throws.
    T Read(I& owner) const { return Source(owner).Get(); }
};

/// A described plain value: `Read` calls the getter.
template <class I, class T, class Getter> struct TValueMember
{
    static constexpr EMemberKind kKind = EMemberKind::Value; ///< The kind, for `if constexpr` dispatch.
    using Owner = I; ///< The described interface.
    using Type = T; ///< What `Read` returns.
    char const* name; ///< The name the GUI binds, as in the description.
    Getter getter; ///< The getter of the described interface.
    /// The member\'s value on `owner` now. Throws what the getter throws.
    T Read(I& owner) const { return std::invoke(getter, owner); }
};

/// A described value per scan area: `Read` calls the getter with the area.
template <class I, class T, class Getter> struct TAreaValueMember
{
    static constexpr EMemberKind kKind = EMemberKind::AreaValue; ///< The kind, for `if constexpr` dispatch.
    using Owner = I; ///< The described interface.
    using Type = T; ///< What `Read` returns.
    char const* name; ///< The name the GUI binds, as in the description.
    Getter getter; ///< The getter of the described interface.
    /// The value for `area` on `owner` now. Throws what the getter throws.
    T Read(I& owner, EAreaItems area) const { return std::invoke(getter, owner, area); }
};

/// A described value source: `Source` is the source, `Read` its value now.
template <class I, class T, class Getter> struct TValueSourceMember
{
    static constexpr EMemberKind kKind = EMemberKind::ValueSource; ///< The kind, for `if constexpr` dispatch.
    using Owner = I; ///< The described interface.
    using Type = T; ///< What `Read` returns.
    char const* name; ///< The name the GUI binds, as in the description.
    Getter getter; ///< The getter of the described interface.
    /// The source itself on `owner`, to subscribe to.
    Binding::IValueBindingSource<T> const& Source(I& owner) const { return std::invoke(getter, owner); }
    /// The member\'s value on `owner` now. Throws what the getter throws.
    T Read(I& owner) const { return Source(owner).GetValue(); }
};

/// A described array source: `Source` is the source, `Read` a copy of its elements now.
template <class I, class E, class Getter> struct TArraySourceMember
{
    static constexpr EMemberKind kKind = EMemberKind::ArraySource; ///< The kind, for `if constexpr` dispatch.
    using Owner = I; ///< The described interface.
    using Element = E; ///< The array\'s element type.
    using Type = std::vector<E>; ///< What `Read` returns.
    char const* name; ///< The name the GUI binds, as in the description.
    Getter getter; ///< The getter of the described interface.
    /// The source itself on `owner`, to subscribe to.
    Binding::IArrayBindingSource<E> const& Source(I& owner) const { return std::invoke(getter, owner); }
    /// The member\'s value on `owner` now. Throws what the getter throws.
    std::vector<E> Read(I& owner) const { return Source(owner).GetValues(); }
};

/// A described command, held in a property or a plain slot: `Read` is the command installed now.
template <class I, class Getter, class... Args> struct TCommandMember
{
    static constexpr EMemberKind kKind = EMemberKind::Command; ///< The kind, for `if constexpr` dispatch.
    /// Whether the command is held in a property (replacing it notifies) or is a plain member.
    static constexpr bool kNotifies = !std::is_convertible_v<Returned<I, Getter>, std::shared_ptr<ICommand<Args...>>>;
    using Owner = I; ///< The described interface.
    using Interface = ICommand<Args...>; ///< The command\'s interface.
    using Arguments = std::tuple<Args...>; ///< The command\'s argument types.
    using Type = std::shared_ptr<ICommand<Args...>>; ///< What `Read` returns.
    char const* name; ///< The name the GUI binds, as in the description.
    Getter getter; ///< The getter of the described interface.
    /// The member\'s value on `owner` now. Throws what the getter throws.
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

/// A described sub-view-model: `Read` is the view model the owner hands out.
template <class I, class X, class Getter> struct TViewModelMember
{
    static constexpr EMemberKind kKind = EMemberKind::ViewModel; ///< The kind, for `if constexpr` dispatch.
    using Owner = I; ///< The described interface.
    using Interface = X; ///< The interface of the view models it gives.
    using Type = std::shared_ptr<X>; ///< What `Read` returns.
    char const* name; ///< The name the GUI binds, as in the description.
    Getter getter; ///< The getter of the described interface.
    /// The member\'s value on `owner` now. Throws what the getter throws.
    Type Read(I& owner) const { return std::invoke(getter, owner); }
};

/// A described fixed group of view models: `Read` is the group.
template <class I, class X, std::size_t N, class Getter> struct TViewModelGroupMember
{
    /// The kind, for `if constexpr` dispatch.
    static constexpr EMemberKind kKind = EMemberKind::ViewModelGroup;
    static constexpr std::size_t kCount = N; ///< The number of view models in the group.
    using Owner = I; ///< The described interface.
    using Interface = X; ///< The interface of the view models it gives.
    using Type = std::array<std::shared_ptr<X>, N>; ///< What `Read` returns.
    char const* name; ///< The name the GUI binds, as in the description.
    Getter getter; ///< The getter of the described interface.
    /// The member\'s value on `owner` now. Throws what the getter throws.
    Type Read(I& owner) const { return std::invoke(getter, owner); }
};

/// A described slot: `Source` is the property that holds the view model, `Read` the view model now.
template <class I, class X, class Getter> struct TSlotMember
{
    static constexpr EMemberKind kKind = EMemberKind::Slot; ///< The kind, for `if constexpr` dispatch.
    using Owner = I; ///< The described interface.
    using Interface = X; ///< The interface of the view models it gives.
    using Type = std::shared_ptr<X>; ///< What `Read` returns.
    char const* name; ///< The name the GUI binds, as in the description.
    Getter getter; ///< The getter of the described interface.
    /// The source itself on `owner`, to subscribe to.
    IProperty<std::shared_ptr<X>> const& Source(I& owner) const { return std::invoke(getter, owner); }
    /// The member\'s value on `owner` now. Throws what the getter throws.
    Type Read(I& owner) const { return Source(owner).Get(); }
};

/// A described event: `Source` is the event signal to subscribe to.
template <class I, class Getter, class... Args> struct TEventMember
{
    static constexpr EMemberKind kKind = EMemberKind::Event; ///< The kind, for `if constexpr` dispatch.
    using Owner = I; ///< The described interface.
    using Signal = IEventSignal<Args...>; ///< The event\'s signal type.
    char const* name; ///< The name the GUI binds, as in the description.
    Getter getter; ///< The getter of the described interface.
    /// The source itself on `owner`, to subscribe to.
    IEventSignal<Args...> const& Source(I& owner) const { return std::invoke(getter, owner); }
};

/// The factories a description uses, with `I` the described interface. Each takes the member's name and
/// its getter (a member function pointer of `I` or of a base, or a callable taking `I&`) and checks the
/// getter's type against the type the description names. Where an interface overloads a getter on
/// const, the const one is taken.
template <class Interface> struct TMembersOf
{
    using I = Interface; ///< The described interface.

    /// A property of type `T`, from a getter returning `IProperty<T> const&`.
    template <class T> static constexpr auto Property(char const* name, IProperty<T> const& (I::*getter)() const)
    {
        return TPropertyMember<I, T, decltype(getter)>{name, getter};
    }
    /// A property of type `T`, from a getter returning `TProperty<T> const&`.
    template <class T>
    static constexpr auto Property(char const* name, Base::TProperty<T> const& (I::*getter)() const)
    {
        return TPropertyMember<I, T, decltype(getter)>{name, getter};
    }
    /// A property of type `T`, from any getter or callable returning a property of `T`.
    template <class T, class Getter> static constexpr auto Property(char const* name, Getter getter)
    {
        static_assert(std::is_convertible_v<Returned<I, Getter>, IProperty<T> const&>,
                      "the getter does not return the property type the description names");
        return TPropertyMember<I, T, Getter>{name, getter};
    }

    /// A plain value of type `T`, read by the getter.
    template <class T, class Getter> static constexpr auto Value(char const* name, Getter getter)
    {
        static_assert(std::is_same_v<std::decay_t<Returned<I, Getter>>, T>,
                      "the getter does not return the type the description names");
        return TValueMember<I, T, Getter>{name, getter};
    }

    /// A value of type `T` per scan area, read by a member function taking the area.
    template <class T> static constexpr auto AreaValue(char const* name, T (I::*getter)(EAreaItems) const)
    {
        return TAreaValueMember<I, T, decltype(getter)>{name, getter};
    }
    /// A value of type `T` per scan area, read by a callable taking the owner and the area.
    template <class T, class Getter> static constexpr auto AreaValue(char const* name, Getter getter)
    {
        static_assert(std::is_same_v<std::decay_t<std::invoke_result_t<Getter const&, I&, EAreaItems>>, T>,
                      "the getter does not take an area and return the type the description names");
        return TAreaValueMember<I, T, Getter>{name, getter};
    }

    /// A value source of type `T`.
    template <class T, class Getter> static constexpr auto ValueSource(char const* name, Getter getter)
    {
        static_assert(std::is_convertible_v<Returned<I, Getter>, Binding::IValueBindingSource<T> const&>,
                      "the getter does not return the value source the description names");
        return TValueSourceMember<I, T, Getter>{name, getter};
    }

    /// An array source of elements `E`.
    template <class E, class Getter> static constexpr auto ArraySource(char const* name, Getter getter)
    {
        static_assert(std::is_convertible_v<Returned<I, Getter>, Binding::IArrayBindingSource<E> const&>,
                      "the getter does not return the array source the description names");
        return TArraySourceMember<I, E, Getter>{name, getter};
    }

    /// A command taking `Args`, held in a property (replacing it notifies).
    template <class... Args>
    static constexpr auto Command(char const* name,
                                  IProperty<std::shared_ptr<Exactly<ICommand<Args...>>>> const& (I::*getter)() const)
    {
        return TCommandMember<I, decltype(getter), Args...>{name, getter};
    }
    /// A command taking `Args`, held in a plain slot (replacing it notifies nobody).
    template <class... Args>
    static constexpr auto Command(char const* name, std::shared_ptr<Exactly<ICommand<Args...>>> (I::*getter)() const)
    {
        return TCommandMember<I, decltype(getter), Args...>{name, getter};
    }
    /// A command taking `Args`, from any getter or callable returning either kind of holder.
    template <class... Args, class Getter> static constexpr auto Command(char const* name, Getter getter)
    {
        using R = Returned<I, Getter>;
        using Pointer = std::shared_ptr<ICommand<Args...>>;
        static_assert(std::is_convertible_v<R, Pointer> || std::is_convertible_v<R, IProperty<Pointer> const&>,
                      "the getter does not return the command type the description names");
        return TCommandMember<I, Getter, Args...>{name, getter};
    }

    /// A sub-view-model of interface `X`, the same object for the owner's life.
    template <class X, class Getter> static constexpr auto ViewModel(char const* name, Getter getter)
    {
        static_assert(std::is_convertible_v<Returned<I, Getter>, std::shared_ptr<X>>,
                      "the getter does not return the view model the description names");
        return TViewModelMember<I, X, Getter>{name, getter};
    }

    /// A fixed group of `N` view models of interface `X`.
    template <class X, std::size_t N, class Getter> static constexpr auto ViewModelGroup(char const* name, Getter getter)
    {
        static_assert(std::is_same_v<std::decay_t<Returned<I, Getter>>, std::array<std::shared_ptr<X>, N>>,
                      "the getter does not return the group the description names");
        return TViewModelGroupMember<I, X, N, Getter>{name, getter};
    }

    /// A slot: a property holding a view model of interface `X`, or none.
    template <class X>
    static constexpr auto Slot(char const* name, IProperty<std::shared_ptr<X>> const& (I::*getter)() const)
    {
        return TSlotMember<I, X, decltype(getter)>{name, getter};
    }

    /// An event with the arguments `Args`.
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
