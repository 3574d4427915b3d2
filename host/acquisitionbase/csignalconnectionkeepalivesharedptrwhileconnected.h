#pragma once
#include "base/orx2basepool/ieventsignalconnection.h"
#include "host/orx2hostexport.h"

#include <memory>
#include <mutex>

namespace Base
{
/// A connection that keeps an object alive for as long as it is connected: temporary sources (a
/// multi-value source, a transform source) and models the GUI binds to live exactly as long as
/// someone listens. Forwards the three operations to the wrapped connection and drops `object` when
/// disconnected or destroyed. Thread-safe.
class ORX2_HOST_EXPORT CSignalConnectionKeepAliveSharedPtrWhileConnected final : public IEventSignalConnection
{
public:
    /// Wraps `connection` and keeps `object` alive until it is disconnected.
    CSignalConnectionKeepAliveSharedPtrWhileConnected(std::shared_ptr<IEventSignalConnection> connection,
                                                       std::shared_ptr<void const> object);
    ~CSignalConnectionKeepAliveSharedPtrWhileConnected() override;

    void Disconnect() override;
    void DisconnectAndWaitForHandlersToFinish() override;
    void DisconnectWhenExpired(std::weak_ptr<void> watched) override;

private:
    void DropObject();

    std::shared_ptr<IEventSignalConnection> const m_connection;
    std::mutex m_mutex;
    std::shared_ptr<void const> m_object; // guarded by m_mutex
};
} // namespace Base
