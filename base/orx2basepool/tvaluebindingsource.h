#pragma once
#include "base/orx2basepool/cbindingsourcelocking.h"
#include "base/orx2basepool/internal/sourcedelivery.h"
#include "base/orx2basepool/ivaluebindingsource.h"
#include "base/orx2basepool/teventsignal.h"

#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>

namespace Base
{
template <class T> class IProperty;
}

namespace Base::Binding
{
namespace Internal
{
template <class Derived, class T, bool HasVirtualSet> class TPlainSourceSet
{
};

/// Whether a value of `T` may own an object whose destruction runs code of its own (a view model's
/// destructor waits for its running callbacks): such a value is let go only after the source's lock.
template <class T> struct TOwnsAnObject : std::false_type
{
};
template <class X> struct TOwnsAnObject<std::shared_ptr<X>> : std::true_type
{
};

template <class Derived, class T> class TPlainSourceSet<Derived, T, false>
{
public:
    /// Stores `value` and notifies, when it differs from the current value. See SetAndNotify.
    void Set(T const& value) { static_cast<Derived*>(this)->SetAndNotify(value); }

protected:
    ~TPlainSourceSet() = default;
};
} // namespace Internal

/// A value store with a value stream: the common binding source, and the base of `TProperty<T>`.
///
/// `Interface` is `IValueBindingSource<T>` for a plain source (its owner writes through `Set`) or
/// `IProperty<T>` for a property. Thread-safety: every operation may be called from any thread; writes
/// are atomic under the source's writer lock and are delivered under its reader lock.
/// Destruction announces the end: a last notification `{status 2, no value}` is fired.
template <class T, class Interface = IValueBindingSource<T>, class Locking = Internal::CBindingSourceLocking>
class TValueBindingSource : public Interface,
                            public Locking,
                            public Internal::TPlainSourceSet<TValueBindingSource<T, Interface, Locking>, T,
                                                             std::is_base_of_v<IProperty<T>, Interface>>
{
    friend class Internal::TPlainSourceSet<TValueBindingSource<T, Interface, Locking>, T,
                                           std::is_base_of_v<IProperty<T>, Interface>>;

public:
    using Notification = TValueStreamNotification<T>; ///< What a handler receives: the status and the value.
    /// A handler of the stream, which may disconnect itself.
    using Handler = IEventSignalHandlerWithConnection<Notification const&>;

    /// A source holding `initialValue` with `status`; nothing is notified.
    explicit TValueBindingSource(T const& initialValue, std::int32_t status = kSourceStatusAlive)
        : m_status(status), m_value(initialValue)
    {
    }

    ~TValueBindingSource() override { SetStatus(kSourceStatusDestroyed); }

    /// Connects `handler` to later notifications only.
    CScopedEventSignalConnection ConnectToValueStream(std::unique_ptr<Handler> handler) const override
    {
        return CScopedEventSignalConnection(m_valueStream.Connect(std::move(handler)));
    }

    /// The value now; waits for the reader lock.
    T GetValue() const override
    {
        CSharedLock const reader(this->GetSourceMutex());
        return m_value;
    }

    /// The status now (alive, or the end announced); waits for the reader lock.
    std::int32_t GetStatus() const override
    {
        CSharedLock const reader(this->GetSourceMutex());
        return m_status;
    }

    /// Connects `handler` and, before returning, calls it once with the current status and value.
    CScopedEventSignalConnection
    ConnectToValueStreamAndNotify(std::unique_ptr<Handler> handler) const override
    {
        Base::CDeliveryScope const delivery;
        CSharedLock const reader(this->GetSourceMutex());
        return Internal::ConnectAndNotify<Notification>(m_valueStream, std::move(handler),
                                                        Notification{m_status, TOptional<T>(m_value)});
    }

    /// The reader lock if it is free at once, else an unowned lock.
    CSharedLock TryLockForReading() const override
    {
        return CSharedLock(this->GetSourceMutex(), std::try_to_lock);
    }

    /// Sets the status word and, when it changed, fires `{status, no value}` (used with status 2 when the
    /// source is destroyed).
    void SetStatus(std::int32_t status)
    {
        std::unique_lock<CSharedMutex> writer(this->GetSourceMutex());
        if (status == m_status)
            return;
        m_status = status;
        Internal::FireWithWriterHandover(m_valueStream, Notification{status, TOptional<T>()}, writer);
    }

    /// Read-modify-write in one writer section: stores `compute(current)` and notifies as Set does when
    /// it differs from the current value, so concurrent updates (a counter's increments) are never lost.
    /// `compute` runs under the writer lock: it must not touch this source. An exception from `compute`
    /// leaves with nothing changed. Thread-safe.
    template <class Compute> void Update(Compute&& compute)
    {
        std::unique_lock<CSharedMutex> writer(this->GetSourceMutex());
        T const next = std::forward<Compute>(compute)(static_cast<T const&>(m_value));
        StoreAndNotifyLocked(next, writer);
    }

protected:
    /// Compares, stores and fires `{0, value}` with the writer-to-reader handover. An unchanged value
    /// (by `operator!=`) costs one lock and one comparison and fires nothing. A replaced shared pointer
    /// is released after the lock, on the setting thread, so what its object's destruction waits for may
    /// read this source. Handlers must not set this
    /// source again (the writer lock would wait for their own reader lock). An exception from a handler
    /// leaves after the lock is released; the new value stays stored.
    void SetAndNotify(T const& value)
    {
        std::unique_lock<CSharedMutex> writer(this->GetSourceMutex());
        StoreAndNotifyLocked(value, writer);
    }

    /// The stream the source fires, for a derived class.
    IEventSignal<Notification const&> const& GetValueStream() const noexcept { return m_valueStream; }

    /// Called with each new value under the reader lock, before the value stream's handlers: a property
    /// fires its value-changed event from here. Nothing for a plain source.
    virtual void OnValueChanged(T const& /*value*/) {}

private:
    /// The body of SetAndNotify and Update; `writer` holds the source's writer lock.
    void StoreAndNotifyLocked(T const& value, std::unique_lock<CSharedMutex>& writer)
    {
        if (!(value != m_value))
            return;
        m_status = kSourceStatusAlive;
        if constexpr (Internal::TOwnsAnObject<T>::value)
        {
            // The old object may be the last hold on a view model whose destructor waits for a callback
            // that is reading this source: it goes after the handover has released the lock.
            T const previous = std::exchange(m_value, value);
            FireStored(value, writer);
        }
        else
        {
            m_value = value;
            FireStored(value, writer);
        }
    }

    void FireStored(T const& value, std::unique_lock<CSharedMutex>& writer)
    {
        Internal::FireWithWriterHandover(m_valueStream, Notification{kSourceStatusAlive, TOptional<T>(value)},
                                         writer, [this, &value] { OnValueChanged(value); });
    }

    mutable TEventSignal<Notification const&> m_valueStream;
    std::int32_t m_status;
    T m_value;
};
} // namespace Base::Binding
