#include "host/acquisitionbase/csignalconnectionkeepalivesharedptrwhileconnected.h"

namespace Base
{
CSignalConnectionKeepAliveSharedPtrWhileConnected::CSignalConnectionKeepAliveSharedPtrWhileConnected(
    std::shared_ptr<IEventSignalConnection> connection, std::shared_ptr<void const> object)
    : m_connection(std::move(connection)), m_object(std::move(object))
{
}

CSignalConnectionKeepAliveSharedPtrWhileConnected::~CSignalConnectionKeepAliveSharedPtrWhileConnected() = default;

void CSignalConnectionKeepAliveSharedPtrWhileConnected::Disconnect()
{
    if (m_connection)
        m_connection->Disconnect();
    DropObject();
}

void CSignalConnectionKeepAliveSharedPtrWhileConnected::DisconnectAndWaitForHandlersToFinish()
{
    if (m_connection)
        m_connection->DisconnectAndWaitForHandlersToFinish();
    DropObject();
}

void CSignalConnectionKeepAliveSharedPtrWhileConnected::DisconnectWhenExpired(std::weak_ptr<void> watched)
{
    if (m_connection)
        m_connection->DisconnectWhenExpired(std::move(watched));
}

void CSignalConnectionKeepAliveSharedPtrWhileConnected::DropObject()
{
    std::shared_ptr<void const> object;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        object = std::move(m_object);
    }
    // The object may own the very signal this connection belongs to: destroy it outside the lock.
}
} // namespace Base
