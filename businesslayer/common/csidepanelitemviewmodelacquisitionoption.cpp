#include "businesslayer/common/csidepanelitemviewmodelacquisitionoption.h"

namespace BusinessLayer
{
Logging::CLogger const
    CSidePanelItemViewModelAcquisitionOption::s_logger(L"ORX2.CSidePanelItemViewModelAcquisitionOption");

CSidePanelItemViewModelAcquisitionOption::CSidePanelItemViewModelAcquisitionOption(
    EItemTypeAcquisitionOptions type, bool visibility, bool enabled, bool selected)
    : CSidePanelItemViewModelBase(visibility, enabled, selected), m_itemType(type, *this)
{
}

CSidePanelItemViewModelAcquisitionOption::~CSidePanelItemViewModelAcquisitionOption() = default;
} // namespace BusinessLayer
