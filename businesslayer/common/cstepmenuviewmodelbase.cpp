#include "businesslayer/common/cstepmenuviewmodelbase.h"

#include "base/orx2basepool/interfacearrays.h"
#include "base/orx2basepool/maketransformarraybindingsource.h"

#include <utility>

namespace BusinessLayer
{
Logging::CLogger const CStepMenuViewModelBase::s_logger(L"ORX2.CStepMenuViewModel");

CStepMenuViewModelBase::CStepMenuViewModelBase()
{
    // The proxy's connection keeps the conversion alive for as long as the menu.
    m_itemsView.Bind(
        Base::Binding::MakeTransformArrayBindingSource<std::shared_ptr<Base::IStepMenuItemViewModel>>(
            m_items));
}

CStepMenuViewModelBase::~CStepMenuViewModelBase()
{
    GetOwnerGuard().Close();
    DisconnectConnections();
}

std::shared_ptr<Base::IStepMenuItemViewModel>
CStepMenuViewModelBase::GetStepMenuItem(EItemTypeStepMenu type) const
{
    return getStepMenuItem(type);
}

std::shared_ptr<CStepMenuViewModelBase::Item>
CStepMenuViewModelBase::getStepMenuItem(EItemTypeStepMenu type) const
{
    return Base::FindFirst(m_items, [type](std::shared_ptr<Item> const& item)
                           { return item != nullptr && item->GetItemType().Get() == type; });
}

void CStepMenuViewModelBase::ResetItems()
{
    m_items.Clear();
}

void CStepMenuViewModelBase::setNewItems(std::vector<std::shared_ptr<Item>> const& items)
{
    m_items.Set(items);
}

void CStepMenuViewModelBase::AddConnection(Base::CScopedEventSignalConnection connection)
{
    std::lock_guard<std::mutex> const lock(m_connectionsMutex);
    m_connections.push_back(std::move(connection));
}

void CStepMenuViewModelBase::DisconnectConnections()
{
    std::vector<Base::CScopedEventSignalConnection> connections;
    {
        std::lock_guard<std::mutex> const lock(m_connectionsMutex);
        connections.swap(m_connections);
    }
    // Destroyed here, outside the lock: each waits for its handler, which may itself add a connection.
}
} // namespace BusinessLayer
