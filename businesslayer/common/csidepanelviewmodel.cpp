#include "businesslayer/common/csidepanelviewmodel.h"

#include "base/orx2basepool/interfacearrays.h"

#include <utility>

namespace BusinessLayer
{
using Base::CopyAsInterfaces;
using Base::ISidePanelItemViewModel;

Logging::CLogger const CSidePanelViewModel::s_logger(L"ORX2.CSidePanelViewModel");

CSidePanelViewModel::CSidePanelViewModel() = default;

CSidePanelViewModel::~CSidePanelViewModel() = default;

std::array<std::shared_ptr<ISidePanelItemViewModel>, CSidePanelViewModel::kAcquisitionModeCount>
CSidePanelViewModel::GetAcquisitionModeItems() const
{
    return CopyAsInterfaces<ISidePanelItemViewModel>(m_acquisitionModeItems);
}

std::array<std::shared_ptr<ISidePanelItemViewModel>, CSidePanelViewModel::kAddAreaCount>
CSidePanelViewModel::GetAddAreaItems() const
{
    return CopyAsInterfaces<ISidePanelItemViewModel>(m_addAreaItems);
}

std::array<std::shared_ptr<Base::ISidePanelToolItemViewModel>, CSidePanelViewModel::kToolCount>
CSidePanelViewModel::GetToolsItems() const
{
    return CopyAsInterfaces<Base::ISidePanelToolItemViewModel>(m_toolsItems);
}

std::array<std::shared_ptr<ISidePanelItemViewModel>, CSidePanelViewModel::kAcquisitionOptionCount>
CSidePanelViewModel::GetAcquisitionOptionsItems() const
{
    return CopyAsInterfaces<ISidePanelItemViewModel>(m_acquisitionOptionsItems);
}

std::array<std::shared_ptr<ISidePanelItemViewModel>, CSidePanelViewModel::kReconstructionOptionCount>
CSidePanelViewModel::GetReconstructionOptionsItems() const
{
    return CopyAsInterfaces<ISidePanelItemViewModel>(m_reconstructionOptionsItems);
}

std::shared_ptr<ISidePanelItemViewModel> CSidePanelViewModel::GetUnlockItem() const
{
    std::lock_guard<std::mutex> const lock(m_unlockItemLock);
    return m_unlockItem;
}

std::shared_ptr<CSidePanelItemViewModelBase> CSidePanelViewModel::GetUnlockItem()
{
    std::lock_guard<std::mutex> const lock(m_unlockItemLock);
    return m_unlockItem;
}

void CSidePanelViewModel::SetUnlockItem(std::shared_ptr<CSidePanelItemViewModelBase> item) noexcept
{
    {
        std::lock_guard<std::mutex> const lock(m_unlockItemLock);
        m_unlockItem.swap(item);
    }
    // `item` now holds the replaced one, released outside the lock.
}
} // namespace BusinessLayer
