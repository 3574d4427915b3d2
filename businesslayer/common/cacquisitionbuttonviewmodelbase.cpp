#include "businesslayer/common/cacquisitionbuttonviewmodelbase.h"

#include <utility>

namespace BusinessLayer
{
Logging::CLogger const CAcquisitionButtonViewModelBase::s_logger(L"ORX2.CAcquisitionButtonViewModelBase");

CAcquisitionButtonViewModelBase::CAcquisitionButtonViewModelBase() = default;

CAcquisitionButtonViewModelBase::~CAcquisitionButtonViewModelBase()
{
    // Before any member: a handler waited for here may still use the properties.
    GetOwnerGuard().Close();
    DisconnectConnections();
}

void CAcquisitionButtonViewModelBase::AddConnection(Base::CScopedEventSignalConnection connection)
{
    std::lock_guard<std::mutex> const lock(m_connectionsMutex);
    m_connections.push_back(std::move(connection));
}

void CAcquisitionButtonViewModelBase::DisconnectConnections() noexcept
{
    std::vector<Base::CScopedEventSignalConnection> connections;
    {
        std::lock_guard<std::mutex> const lock(m_connectionsMutex);
        connections.swap(m_connections);
    }
    // Each connection waits for its handlers here, outside the lock, in the order they were kept.
    for (auto& connection : connections)
        connection = Base::CScopedEventSignalConnection();
}
} // namespace BusinessLayer
