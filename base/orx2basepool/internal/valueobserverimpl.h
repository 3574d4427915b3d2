#pragma once
// The implementation object shared by the value observers.
#include "base/orx2basepool/cbindingtargetlocking.h"
#include "base/orx2basepool/internal/cdeliveryscope.h"
#include "base/orx2basepool/ivaluebindingsource.h"
#include "host/acquisitionbase/cobserver.h"

#include <memory>
#include <utility>

namespace Base::Binding::Internal
{
/// An observer implementation that can be (re)bound to a source.
template <class Source>
class ObserverImplBase : public IObserverImpl
{
public:
    /// Ends the current binding (disconnect and wait), then binds to `source`. Binding kinds that
    /// deliver the current value call the callback once inside, on this thread.
    virtual void Bind(Source const& source) = 0;
};

/// One observer's work: `Kind` says how it connects and what it hands to the callback.
///
/// Each callback holds the target lock as writer, so the callbacks of one observer never overlap and the
/// destructor (which takes the same lock) waits for a running one. The stream handler keeps the lock
/// object alive by itself, so a notification that was admitted just before the destructor disconnected
/// still finds the lock, sees `destroyed` and skips the call.
template <class Source, class Kind, class Callable>
class ObserverImpl final : public ObserverImplBase<Source>, public CBindingTargetLocking
{
public:
    using Notification = typename Source::Notification;

    explicit ObserverImpl(Callable callback) : m_callback(std::move(callback)) {}

    ~ObserverImpl() override
    {
        // Waits for a running callback and marks the target destroyed: from here on every delivery,
        // also one already admitted by a fire, finds the flag and skips the call.
        LockForDestruction();
        // Disconnect (without waiting) only after the lock is released: dropping the connection may
        // destroy a temporary source, and with it observers whose callbacks take their own target
        // lock before ours; doing that under our lock would invert the lock order.
        if (std::shared_ptr<IEventSignalConnection> connection = m_connection.Release())
            connection->Disconnect();
    }

    void Bind(Source const& source) override
    {
        m_connection = CScopedEventSignalConnection();
        auto handler = MakeEventSignalHandler<Notification const&>(
            [this, targetLock = GetTargetLock()](Notification const& notification) {
                if (!Kind::Accepts(notification))
                    return;
                // Also for sources that are not the framework's: what the callback defers is released
                // after the target lock.
                Base::CDeliveryScope const delivery;
                CCallbackLock const lock(*targetLock);
                if (!lock.owns_lock())
                    return;
                Kind::Deliver(m_callback, notification);
            });
        m_connection = Kind::Connect(source, std::move(handler));
    }

private:
    Callable m_callback;
    CScopedEventSignalConnection m_connection;
};

/// Builds the implementation, binds it and hands it to the observer handle.
template <class Source, class Kind, class Callable>
std::unique_ptr<IObserverImpl> MakeBoundObserverImpl(Source const& source, Callable&& callback)
{
    auto impl = std::make_unique<ObserverImpl<Source, Kind, std::decay_t<Callable>>>(std::forward<Callable>(callback));
    impl->Bind(source);
    return impl;
}

/// Connects without an initial value; calls with the value; ignores notifications without one.
struct StreamValueKind
{
    template <class Source, class Handler>
    static CScopedEventSignalConnection Connect(Source const& source, Handler handler)
    {
        return source.ConnectToValueStream(std::move(handler));
    }
    template <class N>
    static bool Accepts(N const&) noexcept
    {
        return true;
    }
    template <class F, class N>
    static void Deliver(F& callback, N const& notification)
    {
        if (notification.value.HasValue())
            callback(notification.value.value());
    }
};

/// Connects with the current value; calls with the value (spread for tuples); ignores notifications
/// without a value before taking any lock.
struct ChangedValueKind
{
    template <class Source, class Handler>
    static CScopedEventSignalConnection Connect(Source const& source, Handler handler)
    {
        return source.ConnectToValueStreamAndNotify(std::move(handler));
    }
    template <class N>
    static bool Accepts(N const& notification) noexcept
    {
        return notification.value.HasValue();
    }
    template <class F, class V>
    static void Deliver(F& callback, TValueStreamNotification<V> const& notification)
    {
        callback(notification.value.value());
    }
    template <class F, class... V>
    static void Deliver(F& callback, TValueStreamNotification<std::tuple<V...>> const& notification)
    {
        std::apply(callback, notification.value.value());
    }
};

/// Connects with the current value; hands the whole notification on, also one without a value.
struct WholeNotificationKind
{
    template <class Source, class Handler>
    static CScopedEventSignalConnection Connect(Source const& source, Handler handler)
    {
        return source.ConnectToValueStreamAndNotify(std::move(handler));
    }
    template <class N>
    static bool Accepts(N const&) noexcept
    {
        return true;
    }
    template <class F, class N>
    static void Deliver(F& callback, N const& notification)
    {
        callback(notification);
    }
};
} // namespace Base::Binding::Internal
