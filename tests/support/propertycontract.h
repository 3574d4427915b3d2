#pragma once
// The contract every property of a view model or data exchange model keeps, checked from one row per
// property, so that no test is written per property.
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <utility>
#include <vector>

/// One accessor for both sides of an `Accessor` row: `.Accessor<bool>("Enabled", ORX2_ACCESSOR(GetEnabled), false, true)`.
// clang-format off
#define ORX2_ACCESSOR(getter) [](auto& owner) -> auto& { return owner.getter(); }
// clang-format on

namespace Orx2Test
{
/// Rows of property contracts of one owner class. Each row names a property and gives how the GUI
/// reaches it (a const getter), how the owner's code reaches it (a non-const getter), its initial value
/// and a different value. `Check(owner)` verifies, for every row:
/// - the property starts at the initial value;
/// - the const and the non-const getter hand out the same object;
/// - setting the value it already has notifies nobody (neither its value-changed event nor the owner);
/// - setting a new value fires the owner's PropertyChanged exactly once (or never, for a row made with
///   `Silent`, whose property belongs to an owner nobody listens to), with the new value already
///   readable inside the handler, and its value-changed event once, after which both getters read the
///   new value;
/// - setting the initial value back restores it (so rows do not disturb each other).
/// Failures name the row. Getters are member function pointers (overloads are picked by type) or any
/// callables taking the owner. Properties written through a setter only take a `Setter` row.
template <class Owner>
class PropertyContract
{
public:
    /// The usual pair: `IProperty<T> const& GetX() const` and `TProperty<T>& GetX()`.
    template <class T, class Interface, class Concrete>
    PropertyContract& Row(std::string name, Base::IProperty<T> const& (Interface::*constGetter)() const,
                          Concrete& (Owner::*getter)(), T initial, T other)
    {
        return Add<T>(std::move(name), [constGetter](Owner const& o) -> Base::IProperty<T> const& { return (o.*constGetter)(); },
                      [getter](Owner& o) -> Base::IProperty<T>& { return (o.*getter)(); }, std::move(initial),
                      std::move(other), true);
    }

    /// Any two accessors: `constGetter(owner const&)` returning something that is an `IProperty<T> const&`,
    /// `getter(owner&)` returning something settable that is an `IProperty<T>&`.
    template <class T, class ConstGetter, class Getter>
    PropertyContract& Custom(std::string name, ConstGetter constGetter, Getter getter, T initial, T other,
                             bool notifiesOwner = true)
    {
        return Add<T>(std::move(name),
                      [constGetter](Owner const& o) -> Base::IProperty<T> const& { return constGetter(o); },
                      [getter](Owner& o) -> Base::IProperty<T>& { return getter(o); }, std::move(initial),
                      std::move(other), notifiesOwner);
    }

    /// One generic accessor for both sides, `ORX2_ACCESSOR(GetX)`: for getters
    /// whose types differ from the usual pair (a const getter handing out the property class, say).
    template <class T, class AccessFn>
    PropertyContract& Accessor(std::string name, AccessFn accessor, T initial, T other)
    {
        return Custom<T>(std::move(name), accessor, accessor, std::move(initial), std::move(other));
    }

    /// A property owned by an owner nobody listens to: a new value notifies its value-changed event only.
    template <class T, class Getter>
    PropertyContract& Silent(std::string name, Getter getter, T initial, T other)
    {
        return Add<T>(std::move(name), [getter](Owner const& o) -> Base::IProperty<T> const& { return getter(const_cast<Owner&>(o)); },
                      [getter](Owner& o) -> Base::IProperty<T>& { return getter(o); }, std::move(initial),
                      std::move(other), false);
    }

    /// A property the owner's code writes through a setter only (`void SetX(T)`), next to its const
    /// getter: the same checks, with every write going through `setter`.
    template <class T, class ConstGetter, class SetFn>
    PropertyContract& Setter(std::string name, ConstGetter constGetter, SetFn setter, T initial, T other)
    {
        return AddChecks<T>(std::move(name),
                            [constGetter](Owner const& o) -> Base::IProperty<T> const& { return Call(constGetter, o); },
                            [setter](Owner& o, T const& value) { Call(setter, o, value); }, nullptr,
                            std::move(initial), std::move(other), true);
    }

    /// Runs every row against `owner`. Call it on a freshly made owner.
    void Check(Owner& owner) const
    {
        for (auto const& row : m_rows)
            row(owner);
    }

    std::size_t Size() const { return m_rows.size(); }

private:
    template <class T, class ConstGetter, class Getter>
    PropertyContract& Add(std::string name, ConstGetter constGetter, Getter getter, T initial, T other,
                          bool notifiesOwner)
    {
        return AddChecks<T>(
            std::move(name), constGetter, [getter](Owner& o, T const& value) { getter(o).Set(value); },
            [getter](Owner& o) -> void const* { return &getter(o); }, std::move(initial), std::move(other),
            notifiesOwner);
    }

    /// `settable(owner)`, when given, is the address the owner's code writes to; it must be the object
    /// the const getter hands out.
    template <class T, class ConstGetter>
    PropertyContract& AddChecks(std::string name, ConstGetter constGetter, std::function<void(Owner&, T const&)> set,
                                std::function<void const*(Owner&)> settable, T initial, T other,
                                bool notifiesOwner)
    {
        m_rows.push_back(
            [=](Owner& owner)
            {
                SCOPED_TRACE("property " + name);
                auto const same = [](T const& a, T const& b) { return !(a != b); };
                Base::IProperty<T> const& view = constGetter(static_cast<Owner const&>(owner));
                if (settable)
                {
                    EXPECT_EQ(static_cast<void const*>(&view), settable(owner))
                        << "the two getters hand out different objects";
                }
                EXPECT_TRUE(same(view.Get(), initial))
                    << "initial value " << ::testing::PrintToString(view.Get()) << ", expected "
                    << ::testing::PrintToString(initial);
                ASSERT_FALSE(same(initial, other)) << "the row's two values must differ";

                std::atomic<int> ownerChanges{0};
                std::atomic<int> valueChanges{0};
                std::atomic<int> staleReads{0}; // the owner told the GUI before the value was stored
                Base::CScopedEventSignalConnection const ownerConnection(
                    OwnerSignal(owner).Connect(Base::MakeEventSignalHandler<void>(
                        [&]
                        {
                            ownerChanges.fetch_add(1);
                            if (!same(view.Get(), other))
                                staleReads.fetch_add(1);
                        })));
                auto const valueConnection = view.ConnectToValueChanged(
                    Base::MakeEventSignalHandler<T const&>([&valueChanges](T const&) { valueChanges.fetch_add(1); }));

                set(owner, view.Get());
                EXPECT_EQ(0, ownerChanges.load()) << "an equal Set notified the owner";
                EXPECT_EQ(0, valueChanges.load()) << "an equal Set fired the value-changed event";

                set(owner, other);
                EXPECT_EQ(notifiesOwner ? 1 : 0, ownerChanges.load()) << "PropertyChanged count after a new value";
                EXPECT_EQ(0, staleReads.load()) << "PropertyChanged ran before the new value could be read";
                EXPECT_EQ(1, valueChanges.load()) << "value-changed count after a new value";
                EXPECT_TRUE(same(view.Get(), other)) << "the const getter does not read the new value";

                set(owner, initial);
                EXPECT_TRUE(same(view.Get(), initial)) << "setting the initial value back failed";
            });
        return *this;
    }

    template <class Fn, class... Args>
    static decltype(auto) Call(Fn const& fn, Args&&... args)
    {
        return std::invoke(fn, std::forward<Args>(args)...);
    }

    static Base::IEventSignal<void> const& OwnerSignal(Owner const& owner)
    {
        return static_cast<Base::INotifyPropertyChanged const&>(owner).GetPropertyChangedEventSignal();
    }

    std::vector<std::function<void(Owner&)>> m_rows;
};
} // namespace Orx2Test
