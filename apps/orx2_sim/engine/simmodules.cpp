#include "simmodules.h"

#include "describedvalues.h"

#include "modules/cacquisitionscreenmodule.h"
#include "modules/careapanelmodule.h"
#include "modules/careasmodule.h"
#include "modules/ccalibrationmodule.h"
#include "modules/ccommandsmodule.h"
#include "modules/ccommoncommandsmodule.h"
#include "modules/chostmodule.h"
#include "modules/ckeysmodule.h"
#include "modules/cmodeltabmodule.h"
#include "modules/creconstructionmodule.h"

namespace Orx2Sim
{
std::vector<std::unique_ptr<ISimModule>> MakeSimModules(CCommandSignatures const& signatures,
                                                        CSessionReplay const& replay)
{
    std::vector<std::unique_ptr<ISimModule>> modules;
    modules.push_back(std::make_unique<CAreasModule>());
    modules.push_back(std::make_unique<CAreaPanelModule>());
    modules.push_back(std::make_unique<CReconstructionModule>());
    modules.push_back(std::make_unique<CModelTabModule>());
    // View-model modules go here, in the order of their sections on the screen.
    modules.push_back(std::make_unique<CCalibrationModule>());
    modules.push_back(std::make_unique<CAcquisitionScreenModule>());
    modules.push_back(std::make_unique<CHostModule>());
    modules.push_back(std::make_unique<CCommonCommandsModule>());
    modules.push_back(std::make_unique<CCommandsModule>(signatures, replay));
    modules.push_back(std::make_unique<CKeysModule>()); // below the commands: the GUI lock follows them
    return modules;
}

void DeclareScreen(CPropertyCatalog& catalog, SSimScreen const& screen)
{
    auto const& models = screen.host.GetConfiguration();
    AddDescribedSlots(catalog, screen.gui);
    AddDescribed(catalog, "Case", models.GetCaseRequiredAreasDataExchangeModel());
    AddDescribed(catalog, "ReconstructionResult", models.GetTriangulationConfiguration());
    AddDescribed(catalog, "ReconstructionProgressBar", models.GetReconstructionProgressDataExchangeModel());
    AddDescribed(catalog, "ModelTab", models.GetIsModelTabAllowedDataExchangeModel());
    AddDescribed(catalog, "CommonCommands", static_cast<Base::ICommonCommands const&>(screen.host.GetCommonCommands()));
    CAreasModule::DeclareScreenValues(catalog, screen);
    CAreaPanelModule::DeclareScreenValues(catalog, screen);
    CReconstructionModule::DeclareScreenValues(catalog, screen);
    CHostModule::DeclareScreenValues(catalog, screen);
    CCommandsModule::DeclareScreenValues(catalog, screen);
    CKeysModule::DeclareScreenValues(catalog, screen);
}
} // namespace Orx2Sim
