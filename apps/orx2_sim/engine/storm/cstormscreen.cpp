#include "cstormscreen.h"

#include "../modules/cacquisitionscreenmodule.h"
#include "../modules/ccalibrationmodule.h"
#include "../modules/ccommoncommandsmodule.h"
#include "../simmodules.h"

#include "base/orx2basepool/interfaces/iacquisitionbuttonviewmodel.h"
#include "base/orx2basepool/interfaces/icapturekeysviewmodel.h"
#include "base/orx2basepool/interfaces/ilockguiviewmodel.h"
#include "base/orx2basepool/interfaces/iqrcodeviewmodel.h"
#include "base/orx2basepool/interfaces/itrashviewmodel.h"
#include "base/orx2basepool/tcommand.h"

#include <algorithm>

namespace Orx2Sim
{
namespace
{
using Screen = CAcquisitionScreenModule;

/// Every slot of `gui` emptied, as a host does when the case closes.
void EmptySlots(Base::IGuiConfiguration& gui)
{
    Base::ForEachMember<Base::IGuiConfiguration>(
        [&gui](auto const& slot)
        {
            using Slot = std::decay_t<decltype(slot.Source(gui))>;
            const_cast<Slot&>(slot.Source(gui)).Set(nullptr);
        });
}
} // namespace

void CStormCensus::Add(std::string label, std::weak_ptr<void const> viewModel)
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    ++m_total;
    // Thumbnails come and go by the thousand: the dead are dropped whenever the list has doubled.
    if (m_entries.size() >= 1024 && (m_entries.size() & (m_entries.size() - 1)) == 0)
        m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                       [](auto const& entry) { return entry.second.expired(); }),
                        m_entries.end());
    m_entries.emplace_back(std::move(label), std::move(viewModel));
}

std::vector<std::string> CStormCensus::Alive() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    std::vector<std::string> alive;
    for (auto const& [label, viewModel] : m_entries)
        if (!viewModel.expired())
            alive.push_back(label);
    return alive;
}

std::size_t CStormCensus::Count() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_total;
}

SScreenViewModels SScreenViewModels::FromSlots(Base::IGuiConfiguration const& gui)
{
    SScreenViewModels vm;
    vm.area = gui.GetAreaConfiguration().Get();
    vm.stepMenu = gui.GetStepMenuConfiguration().Get();
    vm.camera = gui.GetCameraCalibrationConfiguration().Get();
    vm.dialog = gui.GetColorCalibDialogConfiguration().Get();
    vm.liveImage = gui.GetLiveImageConfiguration().Get();
    vm.liveVideo = gui.GetLiveVideoConfiguration().Get();
    vm.sidePanel = gui.GetSidePanelConfiguration().Get();
    vm.liveOptions = gui.GetLiveOptionsConfiguration().Get();
    vm.lockGui = gui.GetLockGUIConfiguration().Get();
    vm.trash = gui.GetTrashConfiguration().Get();
    vm.captureKeys = gui.GetCaptureKeysConfiguration().Get();
    vm.qrCode = gui.GetQRCodeConfiguration().Get();
    return vm;
}

CStormScreen::SCalibration::~SCalibration()
{
    driver.reset(); // it holds the view models and answers into them
}

CStormScreen::CStormScreen(CSimHost& host, CStormCensus& census, std::atomic<std::uint64_t>& partsReplaced,
                           std::shared_ptr<Base::TProperty<std::wstring>> qrText)
    : m_host(host), m_census(census), m_partsReplaced(partsReplaced), m_qrText(std::move(qrText))
{
    m_gui = host.MakeGuiConfiguration();
    census.Add("GuiConfiguration", m_gui);
    census.Add("AcquisitionButton", m_gui->GetAcquisitionButton());
    census.Add("StepMenu", m_gui->GetStepMenu());
    census.Add("3DScene", m_gui->GetScene());
    census.Add("LockGUI", m_gui->GetLockGui());
    census.Add("QRCode", m_gui->GetQRCode());
    census.Add("CaptureKeys", m_gui->GetCaptureKeysConfiguration().Get());
    // The common-commands module's tool actions, and the keys module's answers to a QR code.
    for (int type = 0; type < 3; ++type)
    {
        m_toolActions.push_back(std::make_shared<BusinessLayer::CToolActionViewModelBase>(
            L"Sim", static_cast<Base::IToolActionViewModel::ItemTypeToolActionsEnum>(type), true, type < 2,
            type == 0));
        census.Add("ToolAction.Sim", m_toolActions.back());
    }
    m_qrArea = std::make_shared<Base::TCommand<void, Base::EAreaItems>>(
        [selected = host.GetSelectedArea()](Base::EAreaItems area) { selected->Set(area); }, L"Storm.QRCodeArea",
        false);
    m_qrCode = std::make_shared<Base::TCommand<void, CStringW>>(
        [text = m_qrText](CStringW const& value) { text->Set(value.GetStdString()); }, L"Storm.QRCode", false);
    m_gui->GetQRCode()->SetActivateAreaCommand(m_qrArea);
    m_gui->GetQRCode()->SetQRCodeCommand(m_qrCode);
    Fill();
}

CStormScreen::~CStormScreen()
{
    // As CSimHost: the GUI configuration before the host-side objects its view models are bound to.
    std::atomic_store(&m_gui, {});
    std::atomic_store(&m_calibration, {});
    std::atomic_store(&m_areaPanel, {});
}

void CStormScreen::Fill()
{
    for (int part = 0; part < static_cast<int>(EPart::Count); ++part)
        Publish(static_cast<EPart>(part));
}

void CStormScreen::Rebuild(EPart part)
{
    std::lock_guard<std::mutex> const lock(m_rebuildMutex);
    Publish(part);
    ++m_partsReplaced;
}

void CStormScreen::Publish(EPart part)
{
    auto const gui = GetGui();
    switch (part)
    {
    case EPart::LiveImage:
    case EPart::LiveVideo:
    case EPart::SidePanel:
    case EPart::LiveOptions:
    {
        // Built as the module builds them; only the part asked for goes into its slot.
        Screen::SViewModels const built = Screen::Build(m_host.GetProperties());
        if (part == EPart::LiveImage)
            m_census.Add("LiveImage", built.liveImage), gui->GetLiveImageConfiguration().Set(built.liveImage);
        else if (part == EPart::LiveVideo)
            m_census.Add("LiveVideo", built.liveVideo), gui->GetLiveVideoConfiguration().Set(built.liveVideo);
        else if (part == EPart::SidePanel)
            m_census.Add("SidePanel", built.sidePanel), gui->GetSidePanelConfiguration().Set(built.sidePanel);
        else
            m_census.Add("LiveOptions", built.liveOptions),
                gui->GetLiveOptionsConfiguration().Set(built.liveOptions);
        break;
    }
    case EPart::Calibration:
    {
        auto calibration = std::make_shared<SCalibration>();
        calibration->camera = std::make_shared<BusinessLayer::CCameraCalibrationViewModelBase>();
        calibration->menu = std::make_shared<BusinessLayer::CCameraCalibrationStepMenuViewModel>();
        calibration->dialog = std::make_shared<BusinessLayer::CColorCalibDialogViewModelBase>();
        calibration->driver = std::make_unique<ReferenceHost::CCalibrationDriver>(
            calibration->camera, calibration->menu, calibration->dialog);
        m_census.Add("CameraCalibration", calibration->camera);
        m_census.Add("CameraCalibrationStepMenu", calibration->menu);
        m_census.Add("ColorCalibDialog", calibration->dialog);
        gui->GetCameraCalibrationConfiguration().Set(calibration->camera);
        gui->GetColorCalibDialogConfiguration().Set(calibration->dialog);
        gui->GetStepMenuConfiguration().Set(gui->GetStepMenu()); // a new calibration has asked nothing
        std::atomic_store(&m_calibration, std::move(calibration));
        break;
    }
    case EPart::AreaPanel:
    {
        std::shared_ptr<ReferenceHost::CAreaPanel> panel = m_host.MakeAreaPanel();
        m_census.Add("Area", panel->GetAreaViewModel());
        m_census.Add("Trash", panel->GetTrashViewModel());
        for (auto const& item : panel->GetAreaViewModel()->GetAreaItemViewModels())
            m_census.Add("AreaItem", item), m_census.Add("ThumbnailBar", item->GetThumbnailBarConfiguartion());
        gui->GetAreaConfiguration().Set(panel->GetAreaViewModel());
        gui->GetTrashConfiguration().Set(panel->GetTrashViewModel());
        std::atomic_store(&m_areaPanel, std::move(panel));
        break;
    }
    case EPart::Count:
        break;
    }
}

void CStormScreen::ChangeCase()
{
    std::lock_guard<std::mutex> const lock(m_rebuildMutex);
    auto const gui = GetGui();
    auto const captureKeys = gui->GetCaptureKeysConfiguration().Get();
    EmptySlots(*gui);
    // The configuration's own view models go back; the modules' are built anew.
    gui->GetAcquisitionButtonConfiguration().Set(gui->GetAcquisitionButton());
    gui->GetStepMenuConfiguration().Set(gui->GetStepMenu());
    gui->Get3DSceneConfiguration().Set(gui->GetScene());
    gui->GetLockGUIConfiguration().Set(gui->GetLockGui());
    gui->GetQRCodeConfiguration().Set(gui->GetQRCode());
    gui->GetCaptureKeysConfiguration().Set(captureKeys);
    Fill();
}

void CStormScreen::ToggleWorkIndicator(bool open)
{
    static std::mutex s_counting; // the count and the view model's count move together
    std::lock_guard<std::mutex> const lock(s_counting);
    if (!open && m_openWorkIndicators == 0)
        return;
    m_openWorkIndicators += open ? 1 : -1;
    GetGui()->GetLockGui()->ShowAnimatedWorkIndicator(open);
}

void CStormScreen::AskCalibration(int target, int state, int question, CStringW text)
{
    auto const calibration = GetCalibration();
    auto const gui = GetGui();
    if (!calibration || !gui)
        return;
    auto script = CCalibrationModule::MakeScript(target, state, question, 0, std::move(text), CStringW(), 0.5f);
    if (target == 0) // the step menu beside the live view shows the calibration while it runs
        gui->GetStepMenuConfiguration().Set(
            state == 0 ? std::shared_ptr<BusinessLayer::CStepMenuViewModelBase>(gui->GetStepMenu())
                       : calibration->menu);
    calibration->driver->Play(std::move(script));
}

Json ReadScreen(CSimHost const& host, Base::IGuiConfiguration const& gui, ToolActions const& toolActions)
{
    CPropertyCatalog catalog;
    DeclareScreen(catalog, SSimScreen{host, gui});
    CCommonCommandsModule::DeclareToolActions(catalog, toolActions);
    Json values = Json::object();
    for (auto const& property : catalog.GetProperties())
        values[property.name] = property.read();
    return values;
}

bool IsHistoryValue(std::string const& name)
{
    auto const ends = [&name](std::string const& tail)
    { return name.size() >= tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0; };
    return ends(".Thumbnails") || ends(".SelectedThumbnails") || name.rfind("LiveVideo.", 0) == 0 ||
           name.rfind("SidePanel.", 0) == 0 || name.rfind("LiveOptions.", 0) == 0 ||
           name == "LockGUI.ShowAnimatedWorkIndicator";
}
} // namespace Orx2Sim
