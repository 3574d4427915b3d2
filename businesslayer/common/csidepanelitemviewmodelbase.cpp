#include "businesslayer/common/csidepanelitemviewmodelbase.h"

namespace BusinessLayer
{
Logging::CLogger const CSidePanelItemViewModelBase::s_logger(L"ORX2.CSidePanelItemViewModelBase");

CSidePanelItemViewModelBase::CSidePanelItemViewModelBase(bool visibility, bool enabled, bool selected)
    : m_visibility(visibility, *this), m_enabled(enabled, *this), m_selected(selected, *this)
{
}

CSidePanelItemViewModelBase::~CSidePanelItemViewModelBase() = default;
} // namespace BusinessLayer
