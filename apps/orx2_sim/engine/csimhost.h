#pragma once
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/iproperty.h"
#include "businesslayer/common/ccommoncommands.h"
#include "businesslayer/common/ccommondataexchangeconfiguration.h"
#include "businesslayer/common/cdynamicrequiredareasbase.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/cacquisitionservice.h"
#include "reference_host/careapanel.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/cguiconfiguration.h"
#include "reference_host/cismodeltaballoweddataexchangemodel.h"

#include <memory>
#include <string>

namespace Orx2Sim
{
/// The objects a host creates at start-up, in the order a host creates them, driven by the reference
/// host instead of a scanner:
///  1. its areas, its acquisition properties and the property of the selected scan area;
///  2. the data exchange configuration, completed with the models only the host builds (the model-tab
///     model and the dynamic required areas) and with the required-areas arrays bound between them;
///  3. the common command set, whose replay slot the simulator fills (SetReplayCommand);
///  4. the area panel as the host's configuring code sets it up (ReferenceHost::CAreaPanel: area view
///     model, thumbnail sources, area commands, trash), its tiles following the dynamic required areas;
///  5. the GUI configuration (the reference host's, which fills the slots of the acquisition button, step
///     menu, 3D scene, lock GUI and QR code), its keyboard and foot control built for the acquisition
///     service (a recorder), and the 3D visualization sink set last, as a renderer would;
///  6. the other view models, which the simulator's modules build, wire and write into the GUI
///     configuration's slots (ISimModule::Start) as their issues land.
/// The GUI side (the modules' screen sections and the property watch) binds after that; then OpenCase.
///
/// Destruction releases everything in the reverse order. One host at a time per process (commands
/// register process-wide). Not thread-safe; the objects it hands out are as thread-safe as they are.
class CSimHost
{
public:
    using ReplayCommand = Base::ICommand<int const&, std::wstring const&>;

    /// Steps 1 to 5. Throws what the library's constructors throw.
    CSimHost();
    ~CSimHost();
    CSimHost(CSimHost const&) = delete;
    CSimHost& operator=(CSimHost const&) = delete;

    /// Step 3, the replay slot of the common command set: `command` becomes the command set's replay
    /// command and is registered under "common.Replay" (setters do not register; the default command's
    /// entry expires when the slot releases it, so the registration succeeds).
    void SetReplayCommand(std::shared_ptr<ReplayCommand> const& command);
    /// The common command set's replay command.
    std::shared_ptr<ReplayCommand> GetReplayCommand() const
    {
        return m_commonCommands->GetEngineReplayModeCommand();
    }

    /// The host opens the case: it sets the case's required areas (none prescribed yet), through the
    /// case model's command, which also selects the default area. Throws what the command throws.
    void OpenCase();

    std::shared_ptr<ReferenceHost::CCommonAreas> const& GetAreas() const { return m_areas; }
    std::shared_ptr<ReferenceHost::CAcquisitionProperties> const& GetProperties() const
    {
        return m_properties;
    }
    std::shared_ptr<Base::IProperty<Base::EAreaItems>> const& GetSelectedArea() const
    {
        return m_selectedArea;
    }
    BusinessLayer::CCommonDataExchangeConfiguration& GetConfiguration() const { return *m_configuration; }
    BusinessLayer::CDynamicRequiredAreasBase& GetDynamicRequiredAreas() const
    {
        return *m_dynamicRequiredAreas;
    }
    BusinessLayer::CCommonCommands& GetCommonCommands() const { return *m_commonCommands; }
    ReferenceHost::CAreaPanel& GetAreaPanel() const { return *m_areaPanel; }
    /// The directory through which the GUI reaches every view model.
    ReferenceHost::CGuiConfiguration& GetGuiConfiguration() const { return *m_guiConfiguration; }
    /// The engine's service that keys and the foot switch reach; it records what it is told.
    ReferenceHost::CAcquisitionService& GetAcquisitionService() const { return *m_acquisitionService; }

    /// Step 4 once more: a new area panel built and bound as the host's own, for a screen the host
    /// builds again (a case change, the storm). Throws what the library's constructors throw.
    std::unique_ptr<ReferenceHost::CAreaPanel> MakeAreaPanel() const;
    /// Step 5 once more: a new GUI configuration with its keyboard and foot control and a sink.
    std::shared_ptr<ReferenceHost::CGuiConfiguration> MakeGuiConfiguration() const;

private:
    std::shared_ptr<ReferenceHost::CCommonAreas> m_areas;
    std::shared_ptr<ReferenceHost::CAcquisitionProperties> m_properties;
    std::shared_ptr<Base::IProperty<Base::EAreaItems>> m_selectedArea;
    std::shared_ptr<BusinessLayer::CCommonDataExchangeConfiguration> m_configuration;
    std::shared_ptr<BusinessLayer::CDynamicRequiredAreasBase> m_dynamicRequiredAreas;
    std::shared_ptr<BusinessLayer::CCommonCommands> m_commonCommands;
    std::unique_ptr<ReferenceHost::CAreaPanel> m_areaPanel;
    std::shared_ptr<ReferenceHost::CAcquisitionService> m_acquisitionService;
    std::shared_ptr<ReferenceHost::CGuiConfiguration> m_guiConfiguration;
};
} // namespace Orx2Sim
