#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/teventsignal.h"

namespace Base
{
/// Base of every owner of properties: holds the owner's `PropertyChanged` event and its owner guard. Both
/// are in the base, so they outlive all of the owner's members: the properties' owner links can never
/// fire a dead event, and the guard is declared before every member a bound call uses.
///
/// Every such owner is an IGuardedOwner. Owners with bound calls (registered commands, observers of the
/// host) bind them to GetOwnerGuard(), open it once the members those calls use are constructed and
/// close it as the first statement of their destructor; owners without bound calls leave it alone. The
/// first subscription to `PropertyChanged` of an owner shared through a `std::shared_ptr` makes its bound
/// calls hold it: a GUI that holds the owner weakly and drops its last reference inside a notification
/// (its handler re-reads through a locked weak pointer) never destroys it inside that delivery; it dies
/// after the delivery, on the delivering thread, once the notifying locks are released.
template <class I>
class TNotifyPropertyChangedImpl : public I, public IGuardedOwner
{
public:
    TNotifyPropertyChangedImpl();
    ~TNotifyPropertyChangedImpl() override;

    /// The owner's `PropertyChanged`, for the GUI. Any thread; never throws. See the class for the hold
    /// it sets up.
    IEventSignal<void> const& GetPropertyChangedEventSignal() const override
    {
        HoldSelfDuringBoundCalls(m_ownerGuard);
        return m_propertyChanged;
    }
    /// The same event, for the owner (and its properties) to fire.
    TEventSignal<void>& GetPropertyChangedEventSignal() { return m_propertyChanged; }

    /// The guard of the owner's bound calls. Never throws.
    COwnerGuard& GetOwnerGuard() noexcept final { return m_ownerGuard; }

private:
    mutable COwnerGuard m_ownerGuard; // mutable: a subscription through the const getter sets up the hold
    TEventSignal<void> m_propertyChanged;
};

// Defined outside the class so that an explicit instantiation (tnotifypropertychangedimplexports.h)
// emits them with the other members.
template <class I> TNotifyPropertyChangedImpl<I>::TNotifyPropertyChangedImpl() = default;
template <class I> TNotifyPropertyChangedImpl<I>::~TNotifyPropertyChangedImpl() = default;
} // namespace Base

// The interfaces whose instantiation ORX2_Common exports: every owner sees that it must not make its own.
#include "base/orx2basepool/tnotifypropertychangedimplexports.h"
