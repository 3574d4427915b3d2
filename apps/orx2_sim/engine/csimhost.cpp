#include "csimhost.h"

#include "simtext.h"

#include "base/orx2basepool/icommandbase.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/contracts/i3dvisualizationsink.h"
#include "host/foundation/jbsingleton.h"
#include "reference_host/makestandaloneproperty.h"

namespace Orx2Sim
{
CSimHost::CSimHost()
    : m_areas(std::make_shared<ReferenceHost::CCommonAreas>()),
      m_properties(std::make_shared<ReferenceHost::CAcquisitionProperties>()),
      m_selectedArea(ReferenceHost::MakeStandaloneProperty(Base::EAreaItems::Undefined))
{
    m_configuration = std::make_shared<BusinessLayer::CCommonDataExchangeConfiguration>(m_properties, m_areas,
                                                                                        m_selectedArea);
    auto const modelTab =
        std::make_shared<ReferenceHost::CIsModelTabAllowedDataExchangeModel>(m_properties, m_areas);
    m_configuration->SetIsModelTabAllowedDataExchangeModel(modelTab);
    m_dynamicRequiredAreas = std::make_shared<BusinessLayer::CDynamicRequiredAreasBase>(m_areas);
    m_configuration->SetDynamicRequiredAreaDataExchangeModel(m_dynamicRequiredAreas);

    // The dynamic model follows the case; the model tab follows the dynamic model's output.
    m_dynamicRequiredAreas->SetRequiredAreasArray(
        m_configuration->GetCaseRequiredAreasDataExchangeModel()->GetRequiredAreasArray());
    modelTab->SetRequiredAreasArray(m_dynamicRequiredAreas->GetRequiredAreasArray());

    m_commonCommands = std::make_shared<BusinessLayer::CCommonCommands>();

    m_areaPanel = MakeAreaPanel();
    m_acquisitionService = std::make_shared<ReferenceHost::CAcquisitionService>();
    m_guiConfiguration = MakeGuiConfiguration();
}

std::unique_ptr<ReferenceHost::CAreaPanel> CSimHost::MakeAreaPanel() const
{
    auto panel = std::make_unique<ReferenceHost::CAreaPanel>(m_selectedArea);
    panel->GetAreaViewModel()->SetRequiredAreasArray(m_dynamicRequiredAreas->GetRequiredAreasArray());
    return panel;
}

std::shared_ptr<ReferenceHost::CGuiConfiguration> CSimHost::MakeGuiConfiguration() const
{
    auto configuration = std::make_shared<ReferenceHost::CGuiConfiguration>();
    configuration->setupKeyboardAndFootControl(m_acquisitionService);
    // Last, as a renderer would once it exists: the simulator draws text and only passes a sink on.
    configuration->Set3dVisualizationSink(std::make_shared<Base::I3DVisualizationSink>());
    return configuration;
}

CSimHost::~CSimHost()
{
    m_guiConfiguration.reset();
    m_acquisitionService.reset();
    m_areaPanel.reset();
    m_commonCommands.reset();
    m_configuration.reset();
    m_dynamicRequiredAreas.reset();
    m_selectedArea.reset();
    m_properties.reset();
    m_areas.reset();
}

void CSimHost::SetReplayCommand(std::shared_ptr<ReplayCommand> const& command)
{
    m_commonCommands->SetEngineReplayModeCommand(command);
    if (command)
        static_cast<void>(JbSingleton<Base::CCommandRegistry>::GetInstance().AddCommand(
            L"common.Replay", std::weak_ptr<Base::ICommandBase>(command)));
}

void CSimHost::OpenCase()
{
    m_configuration->GetCaseRequiredAreasDataExchangeModel()->SetRequiredAreasArray(
        std::vector<Level>(Base::kAreaItemCount, Level::Optional));
}
} // namespace Orx2Sim
