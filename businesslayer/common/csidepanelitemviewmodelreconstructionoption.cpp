#include "businesslayer/common/csidepanelitemviewmodelreconstructionoption.h"

namespace BusinessLayer
{
Logging::CLogger const CSidePanelItemViewModelReconstructionOption::s_logger(
    L"ORX2.CSidePanelItemViewModelReconstructionOption");

CSidePanelItemViewModelReconstructionOption::CSidePanelItemViewModelReconstructionOption(
    EItemTypeReconstructionOptions type, bool visibility, bool enabled, bool selected)
    : CSidePanelItemViewModelBase(visibility, enabled, selected), m_itemType(type, *this)
{
}

CSidePanelItemViewModelReconstructionOption::~CSidePanelItemViewModelReconstructionOption() = default;
} // namespace BusinessLayer
