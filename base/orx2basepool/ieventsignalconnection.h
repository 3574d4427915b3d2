#pragma once
#include "base/orx2basepool/inoncopyable.h"

#include <memory>

namespace Base
{
/// One connection of a handler to an event signal. Made by `IEventSignal::Connect`; shared between the
/// caller and the signal's handler list. Never owns the signal or the handler.
/// Thread-safety: every operation may be called from any thread.
class IEventSignalConnection : public INonCopyable
{
public:
    virtual ~IEventSignalConnection() = default;

    /// Fires that have not yet reached the handler will not call it any more. Returns at once, also when
    /// the handler is running on another thread. One-way; calling it again, or after the signal is gone,
    /// is harmless. Never throws except for a failing thread primitive.
    virtual void Disconnect() = 0;

    /// `Disconnect()`, then blocks until no call of the handler through this connection is running.
    /// After it returns the handler is not running and will never run again through this connection.
    /// Called by the handler itself, on the thread that runs it (a handler stopping itself), it waits
    /// only for calls on other threads: its own call completes as it returns. Must not be called while
    /// holding a lock that the handler takes: it would wait for a call that waits for that lock.
    virtual void DisconnectAndWaitForHandlersToFinish() = 0;

    /// From now on the handler is called only while `watched` (and every other watched object) is alive;
    /// each call keeps the watched objects alive while it runs. An expired watch does not disconnect.
    virtual void DisconnectWhenExpired(std::weak_ptr<void> watched) = 0;
};
} // namespace Base
