#include "businesslayer/common/clivesuboptionsviewmodelbase.h"

#include "base/orx2basepool/interfacearrays.h"

namespace BusinessLayer
{
Logging::CLogger const CLiveSubOptionsViewModelBase::s_logger(L"ORX2.CLiveSubOptionsViewModel");

CLiveSubOptionsViewModelBase::CLiveSubOptionsViewModelBase() = default;

CLiveSubOptionsViewModelBase::~CLiveSubOptionsViewModelBase() = default;

std::array<std::shared_ptr<Base::ILiveSubOptionsItemViewModel>, CLiveSubOptionsViewModelBase::kItemCount>
CLiveSubOptionsViewModelBase::GetLiveSubOptionsItems() const
{
    return Base::CopyAsInterfaces<Base::ILiveSubOptionsItemViewModel>(m_items);
}
} // namespace BusinessLayer
