#include "businesslayer/common/clivesuboptionsitemviewmodelbase.h"

namespace BusinessLayer
{
Logging::CLogger const CLiveSubOptionsItemViewModelBase::s_logger(L"ORX2.CLiveSubOptionsItemViewModelBase");

CLiveSubOptionsItemViewModelBase::CLiveSubOptionsItemViewModelBase(EItemTypeLiveSubOptions type,
                                                                   bool visibility, bool enabled,
                                                                   bool selected, bool withSlider)
    : m_visibility(visibility, *this), m_enabled(enabled, *this), m_selected(selected, *this),
      m_itemType(type, *this), m_slider(withSlider ? std::make_shared<CSliderViewModelBase>() : nullptr)
{
}

CLiveSubOptionsItemViewModelBase::~CLiveSubOptionsItemViewModelBase() = default;
} // namespace BusinessLayer
