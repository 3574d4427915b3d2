#pragma once
#include "base/orx2basepool/ieventsignalconnection.h"

#include <memory>
#include <utility>

namespace Base::Binding::Internal
{
/// Disconnects a connection, without waiting, when it goes out of scope. Declared after the writer lock
/// of a section whose fire releases that lock, it disconnects once the lock is gone: dropping a
/// connection may destroy a temporary source, which takes locks that come before ours.
class CDisconnectOnScopeExit
{
public:
    explicit CDisconnectOnScopeExit(std::shared_ptr<IEventSignalConnection> connection) noexcept
        : m_connection(std::move(connection))
    {
    }
    CDisconnectOnScopeExit(CDisconnectOnScopeExit const&) = delete;
    CDisconnectOnScopeExit& operator=(CDisconnectOnScopeExit const&) = delete;
    ~CDisconnectOnScopeExit()
    {
        if (m_connection)
            m_connection->Disconnect();
    }

private:
    std::shared_ptr<IEventSignalConnection> m_connection;
};
} // namespace Base::Binding::Internal
