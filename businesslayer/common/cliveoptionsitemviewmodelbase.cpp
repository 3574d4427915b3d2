#include "businesslayer/common/cliveoptionsitemviewmodelbase.h"

#include <utility>

namespace BusinessLayer
{
Logging::CLogger const CLiveOptionsItemViewModelBase::s_logger(L"ORX2.CLiveOptionsItemViewModel");

CLiveOptionsItemViewModelBase::CLiveOptionsItemViewModelBase(EItemTypeLiveOptions type, bool visibility,
                                                             bool enabled, bool selected, CStringW const& infoText)
    : m_visibility(visibility, *this), m_enabled(enabled, *this), m_selected(selected, *this),
      m_infoText(infoText, *this), m_subOptions(std::make_shared<CLiveSubOptionsViewModelBase>()),
      m_itemType(type, *this)
{
}

CLiveOptionsItemViewModelBase::~CLiveOptionsItemViewModelBase() = default;
} // namespace BusinessLayer
