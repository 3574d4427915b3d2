#pragma once
#include "businesslayer/common/c3dsceneviewmodelbase.h"
#include "businesslayer/common/cacquisitionbuttonviewmodelbase.h"
#include "businesslayer/common/cguiconfigurationbase.h"
#include "businesslayer/common/clockguiviewmodelbase.h"
#include "businesslayer/common/cqrcodeviewmodelbase.h"
#include "businesslayer/common/cstepmenuviewmodelbase.h"
#include "reference_host/clockguifollower.h"

#include <memory>

namespace ReferenceHost
{
/// The GUI configuration of the reference host, built as a product's would be: its constructor fills
/// the slots whose view-model classes this code base has (acquisition button, step menu, 3D scene,
/// lock GUI, QR code) and keeps the lock-GUI view model's lock count equal to the number of GUI-locking
/// commands running; the keyboard and foot control are built once the host has its acquisition
/// service, through the public `setupKeyboardAndFootControl`. The other slots stay empty.
///
/// The typed getters hand the host's code the view models it fills; they stay those of construction
/// even when someone replaces a slot. Thread-safety: as the base.
class CGuiConfiguration : public BusinessLayer::CGuiConfigurationBase
{
public:
    /// Throws std::bad_alloc and what the host's journal throws.
    CGuiConfiguration();
    /// The lock count stops following first; then the base releases the slots.
    ~CGuiConfiguration() override;

    using BusinessLayer::CGuiConfigurationBase::setupKeyboardAndFootControl;

    /// The view model the configuration made for its slot, with its class.
    std::shared_ptr<BusinessLayer::CAcquisitionButtonViewModelBase> const&
    GetAcquisitionButton() const noexcept
    {
        return m_acquisitionButton;
    }
    /// The view model the configuration made for its slot, with its class.
    std::shared_ptr<BusinessLayer::CStepMenuViewModelBase> const& GetStepMenu() const noexcept
    {
        return m_stepMenu;
    }
    /// The view model the configuration made for its slot, with its class.
    std::shared_ptr<BusinessLayer::C3DSceneViewModelBase> const& GetScene() const noexcept { return m_scene; }
    /// The view model the configuration made for its slot, with its class.
    std::shared_ptr<BusinessLayer::CLockGUIViewModelBase> const& GetLockGui() const noexcept
    {
        return m_lockGui;
    }
    /// The view model the configuration made for its slot, with its class.
    std::shared_ptr<BusinessLayer::CQRCodeViewModelBase> const& GetQRCode() const noexcept
    {
        return m_qrCode;
    }

private:
    std::shared_ptr<BusinessLayer::CAcquisitionButtonViewModelBase> m_acquisitionButton;
    std::shared_ptr<BusinessLayer::CStepMenuViewModelBase> m_stepMenu;
    std::shared_ptr<BusinessLayer::C3DSceneViewModelBase> m_scene;
    std::shared_ptr<BusinessLayer::CLockGUIViewModelBase> m_lockGui;
    std::shared_ptr<BusinessLayer::CQRCodeViewModelBase> m_qrCode;
    CLockGUIFollower m_lockFollower;
};
} // namespace ReferenceHost
