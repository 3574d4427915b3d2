#pragma once
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/tvaluebindingsource.h"
#include "base/orx2basepool/tvaluestreamobserver.h"

namespace Base
{
/// An observable property of an owner that derives from `TNotifyPropertyChangedImpl<I>`.
///
/// `Set` with a new value calls, on the setting thread and in this order: the value-stream handlers in
/// connection order, the first being the property's own observer, which fires the value-changed
/// handlers, the first of those being the owner link, which fires the owner's `PropertyChanged`; then
/// the remaining value-stream handlers. The property holds its reader lock throughout, so handlers read
/// the new value and no other thread can set it until they have returned. A handler must not set the
/// same property. `T` needs copy construction, assignment and `operator!=`.
/// Destruction (with the owner): own observer, value-changed event, then the store, which fires
/// `{status 2, no value}` to observers still connected.
template <class T>
class TProperty : public Binding::TValueBindingSource<T, IProperty<T>>
{
    using Source = Binding::TValueBindingSource<T, IProperty<T>>;

public:
    /// A property holding `initialValue` whose changes fire `owner`'s PropertyChanged.
    template <class Owner>
    TProperty(T const& initialValue, Owner& owner)
        : Source(initialValue),
          m_ownValueObserver(*this, [this](T const& value) { m_valueChanged.Fire(value); })
    {
        TEventSignal<void>* const ownerChanged = &owner.GetPropertyChangedEventSignal();
        CScopedEventSignalConnection link(
            m_valueChanged.Connect(MakeEventSignalHandler<T const&>([ownerChanged](T const&) { ownerChanged->Fire(); })));
        // The link lives as long as the value-changed event, i.e. as long as the property.
        link.Release();
    }

    /// See the class comment. Thread-safe.
    void Set(T const& value) override { this->SetAndNotify(value); }

    /// The event fired with each new value, after the value-stream handlers that came first.
    IEventSignal<T const&> const& GetValueChangedEventSignal() const override { return m_valueChanged; }

    /// Connects `handler` to the value-changed event; the returned connection disconnects it.
    CScopedEventSignalConnection ConnectToValueChanged(
        std::unique_ptr<typename IProperty<T>::ChangedHandler> handler) const override
    {
        return CScopedEventSignalConnection(
            m_valueChanged.Connect(std::move(handler)));
    }

private:
    mutable TEventSignal<T const&> m_valueChanged;
    Binding::TValueStreamObserver<T> m_ownValueObserver;
};
} // namespace Base
