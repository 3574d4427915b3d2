#pragma once
// The implementation objects of the array observers.
#include "base/orx2basepool/cbindingtargetlocking.h"
#include "base/orx2basepool/iarraybindingsource.h"
#include "base/orx2basepool/internal/cdeliveryscope.h"
#include "host/acquisitionbase/cobserver.h"

#include <memory>
#include <type_traits>
#include <utility>

namespace Base::Binding::Internal
{
/// The work of an array observer: holds the observer's target lock and its connection to the source.
///
/// Each notification is handled under the target lock as writer, so the calls of one observer never
/// overlap, and destruction (which takes the same lock) waits for a running one. The stream handler
/// keeps the lock object alive by itself: a notification admitted just before the destruction still
/// finds the lock, sees `destroyed` and is dropped without touching the observer.
template <class T> class IArrayObserverImpl : public IObserverImpl, public CBindingTargetLocking
{
public:
    using Notification = ArrayChangedNotification<T>;

    /// Ends the current binding (disconnect and wait) and binds to `source` with
    /// `ConnectToArrayChangeStreamAndNotify`: the first call, inside, on this thread, lists the whole
    /// current array as inserted. An exception from it leaves the observer unbound and propagates.
    void Bind(IArrayBindingSource<T> const& source)
    {
        m_connection = CScopedEventSignalConnection();
        auto handler = MakeEventSignalHandler<Notification const&>(
            [this, targetLock = GetTargetLock()](Notification const& notification)
            {
                // Ends after the target lock is released (see valueobserverimpl.h).
                Base::CDeliveryScope const delivery;
                CCallbackLock const lock(*targetLock);
                if (lock.owns_lock())
                    OnArrayChangedLocked(notification);
            });
        m_connection = source.ConnectToArrayChangeStreamAndNotify(std::move(handler));
    }

    ~IArrayObserverImpl() override { EndBinding(); }

protected:
    /// Waits for a running call, marks the target destroyed and disconnects. The final class calls it
    /// first in its destructor, before its callback is destroyed; calling it again does nothing more.
    void EndBinding()
    {
        LockForDestruction();
        // Without waiting (a delivery already admitted finds `destroyed` and skips the call), and outside
        // the lock: dropping the connection may destroy a temporary source whose own locks come before ours.
        if (std::shared_ptr<IEventSignalConnection> connection = m_connection.Release())
            connection->Disconnect();
    }

    /// Handles one notification; called with the target lock held as writer.
    virtual void OnArrayChangedLocked(Notification const& notification) = 0;

private:
    CScopedEventSignalConnection m_connection;
};

/// An array observer that hands every notification to `Callable`.
template <class T, class Callable> class ArrayObserverImpl final : public IArrayObserverImpl<T>
{
public:
    explicit ArrayObserverImpl(Callable callback) : m_callback(std::move(callback)) {}
    ~ArrayObserverImpl() override { this->EndBinding(); }

private:
    void OnArrayChangedLocked(ArrayChangedNotification<T> const& notification) override
    {
        m_callback(notification);
    }

    Callable m_callback;
};

/// Builds an observer implementation and binds it; the first call of `callback` happens inside.
template <class T, class Callable>
std::unique_ptr<IArrayObserverImpl<T>> MakeBoundArrayObserverImpl(IArrayBindingSource<T> const& source,
                                                                  Callable&& callback)
{
    auto impl =
        std::make_unique<ArrayObserverImpl<T, std::decay_t<Callable>>>(std::forward<Callable>(callback));
    impl->Bind(source);
    return impl;
}
} // namespace Base::Binding::Internal
