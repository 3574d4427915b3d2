#include "businesslayer/common/cliveoptionsviewmodelbase.h"

#include "base/orx2basepool/interfacearrays.h"

namespace BusinessLayer
{
Logging::CLogger const CLiveOptionsViewModelBase::s_logger(L"ORX2.CLiveOptionsViewModel");

CLiveOptionsViewModelBase::CLiveOptionsViewModelBase() = default;

CLiveOptionsViewModelBase::~CLiveOptionsViewModelBase() = default;

std::array<std::shared_ptr<Base::ILiveOptionsItemViewModel>, CLiveOptionsViewModelBase::kItemCount>
CLiveOptionsViewModelBase::GetLiveOptionsItems() const
{
    return Base::CopyAsInterfaces<Base::ILiveOptionsItemViewModel>(m_items);
}
} // namespace BusinessLayer
