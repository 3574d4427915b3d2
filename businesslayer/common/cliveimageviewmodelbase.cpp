#include "businesslayer/common/cliveimageviewmodelbase.h"

#include "base/orx2basepool/tvaluechangedobserver.h"

#include <cstdint>

namespace BusinessLayer
{
namespace
{
using EItemCrosshair = Base::ILiveImageViewModel::EItemCrosshair;

/// The crosshair for a live-view status; any 32-bit status is accepted.
EItemCrosshair CrosshairForStatus(ELiveViewStatus status) noexcept
{
    switch (static_cast<std::int32_t>(status))
    {
    case 2:
    case 3:
        return EItemCrosshair::Searching;
    case 4:
        return EItemCrosshair::Tracking;
    case 5:
        return EItemCrosshair::Ready;
    default: // below 2 (off, starting) and every status the host adds later
        return EItemCrosshair::None;
    }
}
} // namespace

Logging::CLogger const CLiveImageViewModelBase::s_logger(L"ORX2.CLiveImageViewModelBase");

CLiveImageViewModelBase::CLiveImageViewModelBase(
    std::shared_ptr<const ICommonAcquisitionProperties> const& acquisitionProperties,
    std::shared_ptr<const IVantaCommonAcquisitionProperties> const& productProperties)
{
    using Self = CLiveImageViewModelBase;
    // Open before binding: each binding delivers the host's current value at once, so the properties
    // start from it.
    GetOwnerGuard().Open();
    if (productProperties)
    {
        m_liveViewStatusObserver = Base::Binding::TValueChangedObserver<ELiveViewStatus>(
            productProperties->GetLiveViewStatus(),
            Base::BindToOwner(GetOwnerGuard(), *this, [](Self& self, ELiveViewStatus status)
                              { self.m_crossHair.Set(CrosshairForStatus(status)); }));
    }
    if (acquisitionProperties)
    {
        m_liveImageHiddenObserver = Base::Binding::TValueChangedObserver<bool>(
            acquisitionProperties->GetLiveImageHidden(),
            Base::BindToOwner(GetOwnerGuard(), *this, [](Self& self, bool hidden) { self.m_visibility.Set(!hidden); }));
    }
    // The two pointers go out of scope here: the host's lifetime is not ours to extend.
}

CLiveImageViewModelBase::~CLiveImageViewModelBase()
{
    GetOwnerGuard().Close(); // waits for a handler running on another thread; none starts after it
}
} // namespace BusinessLayer
