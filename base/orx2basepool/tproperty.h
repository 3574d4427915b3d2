#pragma once
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/tvaluebindingsource.h"

namespace Base
{
/// An observable property of an owner that derives from `TNotifyPropertyChangedImpl<I>`.
///
/// `Set` with a new value calls, on the setting thread and in this order: the owner's `PropertyChanged`,
/// the value-changed handlers in connection order, then the value-stream handlers in connection order.
/// The property holds its reader lock throughout, so handlers read the new value and no other thread
/// can set it until they have returned (which is also why two deliveries of one property never
/// overlap). A handler must not set the same property. `T` needs copy construction, assignment and
/// `operator!=`.
/// Destruction (with the owner): the value-changed event, then the store, which fires
/// `{status 2, no value}` to observers still connected.
template <class T> class TProperty : public Binding::TValueBindingSource<T, IProperty<T>>
{
    using Source = Binding::TValueBindingSource<T, IProperty<T>>;

public:
    /// A property holding `initialValue` whose changes fire `owner`'s PropertyChanged; `owner` must
    /// outlive the property.
    template <class Owner>
    TProperty(T const& initialValue, Owner& owner)
        : Source(initialValue), m_ownerChanged(&owner.GetPropertyChangedEventSignal())
    {
    }

    /// See the class comment. Thread-safe.
    void Set(T const& value) override { this->SetAndNotify(value); }

    /// The event fired with each new value, after the owner's PropertyChanged and before the value stream.
    IEventSignal<T const&> const& GetValueChangedEventSignal() const override { return m_valueChanged; }

    /// Connects `handler` to the value-changed event; the returned connection disconnects it.
    CScopedEventSignalConnection ConnectToValueChanged(
        std::unique_ptr<typename IProperty<T>::ChangedHandler> handler) const override
    {
        return CScopedEventSignalConnection(m_valueChanged.Connect(std::move(handler)));
    }

protected:
    /// Fired from the source's delivery, before its value stream: no observer of its own is needed.
    void OnValueChanged(T const& value) override
    {
        m_ownerChanged->Fire();
        m_valueChanged.Fire(value);
    }

private:
    TEventSignal<void>* const m_ownerChanged;
    mutable TEventSignal<T const&> m_valueChanged;
};
} // namespace Base
