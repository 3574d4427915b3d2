#include "businesslayer/common/csidepanelitemviewmodelacquisitionmode.h"

namespace BusinessLayer
{
Logging::CLogger const
    CSidePanelItemViewModelAcquisitionMode::s_logger(L"ORX2.CSidePanelItemViewModelAcquisitionMode");

CSidePanelItemViewModelAcquisitionMode::CSidePanelItemViewModelAcquisitionMode(EItemTypeAcquisitionModes type,
                                                                               bool visibility, bool enabled,
                                                                               bool selected)
    : CSidePanelItemViewModelBase(visibility, enabled, selected), m_itemType(type, *this)
{
}

CSidePanelItemViewModelAcquisitionMode::~CSidePanelItemViewModelAcquisitionMode() = default;
} // namespace BusinessLayer
