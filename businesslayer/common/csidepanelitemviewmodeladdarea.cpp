#include "businesslayer/common/csidepanelitemviewmodeladdarea.h"

namespace BusinessLayer
{
Logging::CLogger const CSidePanelItemViewModelAddArea::s_logger(L"ORX2.CSidePanelItemViewModelAddArea");

CSidePanelItemViewModelAddArea::CSidePanelItemViewModelAddArea(EItemTypeAddAreas type, bool visibility,
                                                               bool enabled, bool selected)
    : CSidePanelItemViewModelBase(visibility, enabled, selected), m_itemType(type, *this)
{
}

CSidePanelItemViewModelAddArea::~CSidePanelItemViewModelAddArea() = default;
} // namespace BusinessLayer
