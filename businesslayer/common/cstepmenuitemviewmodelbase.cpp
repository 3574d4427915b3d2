#include "businesslayer/common/cstepmenuitemviewmodelbase.h"

namespace BusinessLayer
{
Logging::CLogger const CStepMenuItemViewModelBase::s_logger(L"ORX2.CStepMenuItemViewModel");

CStepMenuItemViewModelBase::CStepMenuItemViewModelBase(EItemTypeStepMenu itemType, bool visibility,
                                                       bool enabled, bool selected, bool isDone,
                                                       bool collapsed, bool showStatusBar, bool okEnabled,
                                                       bool cancelEnabled, CStringW const& groupID, bool okVisible)
    : m_visibility(visibility, *this), m_enabled(enabled, *this), m_selected(selected, *this),
      m_isDone(isDone, *this), m_collapsed(collapsed, *this), m_showStatusBar(showStatusBar, *this),
      m_okEnabled(okEnabled, *this), m_okVisible(okVisible, *this), m_cancelEnabled(cancelEnabled, *this),
      m_groupID(groupID, *this), m_itemType(itemType, *this)
{
}

CStepMenuItemViewModelBase::~CStepMenuItemViewModelBase() = default;
} // namespace BusinessLayer
