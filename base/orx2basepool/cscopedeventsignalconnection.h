#pragma once
#include "base/orx2basepool/ieventsignalconnection.h"

#include <memory>
#include <utility>

namespace Base
{
/// Owns one connection and disconnects it, waiting for running calls, when it is destroyed or assigned
/// over. View models and observers keep their connections in these, so that by the end of their
/// destructor none of their handlers runs or will run.
/// Destroyed or assigned from inside its own handler, it waits only for calls on other threads: the
/// running call completes as it returns.
class CScopedEventSignalConnection : public INonCopyable
{
public:
    CScopedEventSignalConnection() noexcept = default;

    /// Takes over `connection` (may be empty).
    CScopedEventSignalConnection(std::shared_ptr<IEventSignalConnection>&& connection) noexcept
        : m_connection(std::move(connection))
    {
    }

    /// Takes over `other`'s connection, leaving it empty.
    CScopedEventSignalConnection(CScopedEventSignalConnection&& other) noexcept
        : INonCopyable(), m_connection(std::move(other.m_connection))
    {
    }

    /// Disconnects and waits for the connection held so far, then takes over `other`'s, leaving it empty.
    CScopedEventSignalConnection& operator=(CScopedEventSignalConnection&& other) noexcept
    {
        if (this != &other)
        {
            DisconnectAndWait();
            m_connection = std::move(other.m_connection);
        }
        return *this;
    }

    ~CScopedEventSignalConnection() { DisconnectAndWait(); }

    /// Hands the connection out; destroying this object then no longer disconnects it.
    std::shared_ptr<IEventSignalConnection> Release() noexcept { return std::move(m_connection); }

    /// The connection held, or null.
    IEventSignalConnection* Get() const noexcept { return m_connection.get(); }
    /// Whether a connection is held.
    explicit operator bool() const noexcept { return m_connection != nullptr; }

private:
    void DisconnectAndWait()
    {
        if (auto connection = std::move(m_connection))
            connection->DisconnectAndWaitForHandlersToFinish();
    }

    std::shared_ptr<IEventSignalConnection> m_connection;
};
} // namespace Base
