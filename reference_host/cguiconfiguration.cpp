#include "reference_host/cguiconfiguration.h"

namespace ReferenceHost
{
CGuiConfiguration::CGuiConfiguration()
    : m_acquisitionButton(std::make_shared<BusinessLayer::CAcquisitionButtonViewModelBase>()),
      m_stepMenu(std::make_shared<BusinessLayer::CStepMenuViewModelBase>()),
      m_scene(std::make_shared<BusinessLayer::C3DSceneViewModelBase>()),
      m_lockGui(std::make_shared<BusinessLayer::CLockGUIViewModelBase>()),
      m_qrCode(std::make_shared<BusinessLayer::CQRCodeViewModelBase>()), m_lockFollower(m_lockGui)
{
    GetAcquisitionButtonConfiguration().Set(m_acquisitionButton);
    GetStepMenuConfiguration().Set(m_stepMenu);
    Get3DSceneConfiguration().Set(m_scene);
    GetLockGUIConfiguration().Set(m_lockGui);
    GetQRCodeConfiguration().Set(m_qrCode);
}

CGuiConfiguration::~CGuiConfiguration() = default;
} // namespace ReferenceHost
