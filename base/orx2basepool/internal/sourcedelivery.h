#pragma once
// How binding sources deliver: the writer-to-reader handover and the connect-with-current-value step.
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/csharedmutex.h"
#include "base/orx2basepool/internal/cdeliveryscope.h"
#include "base/orx2basepool/teventsignal.h"

#include <memory>
#include <mutex>
#include <utility>

namespace Base::Binding
{
namespace Internal
{
/// Fires `notification` on `stream` while the caller holds `writer` on `mutex`; the writer lock becomes a
/// reader lock right after the stream's snapshot is taken, and is released when the fire returns (also
/// by an exception). This handover is what lets a concurrent ConnectToValueStreamAndNotify see either
/// the old value and then the notification, or the new value only. The delivery is a CDeliveryScope
/// that ends after the reader lock is released.
/// `first` runs under the reader lock before the stream's handlers (see TEventSignal's FireWithHandover).
template <class Notification, class First = void (*)()>
void FireWithWriterHandover(
    TEventSignal<Notification const&>& stream, Notification const& notification,
    std::unique_lock<CSharedMutex>& writer, First&& first = [] {})
{
    Base::CDeliveryScope const delivery;
    CSharedLock reader;
    stream.FireWithHandover(
        notification,
        [&writer, &reader]
        {
            CSharedMutex* const mutex = writer.release();
            mutex->unlock_and_lock_shared();
            reader = CSharedLock(*mutex, std::adopt_lock);
        },
        std::forward<First>(first));
}

/// Connects `handler` to `stream` and calls it once with `current`, with the source's reader lock held
/// by the caller, who opened a CDeliveryScope before taking that lock. An exception from that call
/// disconnects again.
template <class Notification>
CScopedEventSignalConnection
ConnectAndNotify(IEventSignal<Notification const&> const& stream,
                 std::unique_ptr<IEventSignalHandlerWithConnection<Notification const&>> handler,
                 Notification const& current)
{
    std::shared_ptr<IEventSignalHandlerWithConnection<Notification const&>> shared(std::move(handler));
    std::shared_ptr<IEventSignalConnection> connection = stream.Connect(shared);
    CScopedEventSignalConnection scoped{std::shared_ptr<IEventSignalConnection>(connection)};
    shared->Invoke(current, connection);
    return scoped;
}
} // namespace Internal
} // namespace Base::Binding
