#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/teventsignal.h"

namespace Base
{
/// Base of every owner of properties: holds the owner's `PropertyChanged` event. It is in the base, so
/// it outlives all of the owner's properties and their owner links can never fire a dead event.
template <class I>
class TNotifyPropertyChangedImpl : public I
{
public:
    TNotifyPropertyChangedImpl();
    ~TNotifyPropertyChangedImpl() override;

    IEventSignal<void> const& GetPropertyChangedEventSignal() const override { return m_propertyChanged; }
    /// The same event, for the owner (and its properties) to fire.
    TEventSignal<void>& GetPropertyChangedEventSignal() { return m_propertyChanged; }

private:
    TEventSignal<void> m_propertyChanged;
};

// Defined outside the class so that an explicit instantiation (tnotifypropertychangedimplexports.h)
// emits them with the other members.
template <class I> TNotifyPropertyChangedImpl<I>::TNotifyPropertyChangedImpl() = default;
template <class I> TNotifyPropertyChangedImpl<I>::~TNotifyPropertyChangedImpl() = default;
} // namespace Base

// The interfaces whose instantiation ORX2_Common exports: every owner sees that it must not make its own.
#include "base/orx2basepool/tnotifypropertychangedimplexports.h"
