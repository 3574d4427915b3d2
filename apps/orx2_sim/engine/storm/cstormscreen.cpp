#include "cstormscreen.h"

#include "../modules/cacquisitionscreenmodule.h"
#include "../modules/ccalibrationmodule.h"

#include "base/orx2basepool/interfaces/iacquisitionbuttonviewmodel.h"
#include "base/orx2basepool/interfaces/icapturekeysviewmodel.h"
#include "base/orx2basepool/interfaces/ilockguiviewmodel.h"
#include "base/orx2basepool/interfaces/iqrcodeviewmodel.h"
#include "base/orx2basepool/interfaces/itrashviewmodel.h"
#include "base/orx2basepool/tcommand.h"
#include "host/acquisitionbase/acommandbase.h"
#include "reference_host/cimagedata2dsimple.h"

#include <algorithm>
#include <cmath>

namespace Orx2Sim
{
namespace
{
using Screen = CAcquisitionScreenModule;

double Rounded(double value, double scale)
{
    return std::round(value * scale) / scale;
}

template <class T> bool Filled(Base::IGuiConfiguration::Slot<T> const& slot)
{
    return slot.Get() != nullptr;
}

Json FilledSlots(Base::IGuiConfiguration const& gui)
{
    Json names = Json::array();
    auto const add = [&names](char const* name, bool filled)
    {
        if (filled)
            names.push_back(name);
    };
    add("AcquisitionButton", Filled(gui.GetAcquisitionButtonConfiguration()));
    add("SidePanel", Filled(gui.GetSidePanelConfiguration()));
    add("Area", Filled(gui.GetAreaConfiguration()));
    add("StepMenu", Filled(gui.GetStepMenuConfiguration()));
    add("LiveOptions", Filled(gui.GetLiveOptionsConfiguration()));
    add("Trash", Filled(gui.GetTrashConfiguration()));
    add("LiveVideo", Filled(gui.GetLiveVideoConfiguration()));
    add("3DScene", Filled(gui.Get3DSceneConfiguration()));
    add("LiveImage", Filled(gui.GetLiveImageConfiguration()));
    add("CaptureKeys", Filled(gui.GetCaptureKeysConfiguration()));
    add("CameraCalibration", Filled(gui.GetCameraCalibrationConfiguration()));
    add("LockGUI", Filled(gui.GetLockGUIConfiguration()));
    add("QRCode", Filled(gui.GetQRCodeConfiguration()));
    add("ColorCalibDialog", Filled(gui.GetColorCalibDialogConfiguration()));
    return names;
}

/// Every slot of `gui` emptied, as a host does when the case closes.
void EmptySlots(Base::IGuiConfiguration& gui)
{
    gui.GetAcquisitionButtonConfiguration().Set(nullptr);
    gui.GetSidePanelConfiguration().Set(nullptr);
    gui.GetAreaConfiguration().Set(nullptr);
    gui.GetStepMenuConfiguration().Set(nullptr);
    gui.GetObjectListConfiguration().Set(nullptr);
    gui.GetLiveOptionsConfiguration().Set(nullptr);
    gui.GetTrashConfiguration().Set(nullptr);
    gui.GetLiveVideoConfiguration().Set(nullptr);
    gui.Get3DSceneConfiguration().Set(nullptr);
    gui.GetMessageBoxConfiguration().Set(nullptr);
    gui.GetLiveImageConfiguration().Set(nullptr);
    gui.GetSoundConfiguration().Set(nullptr);
    gui.GetCaptureKeysConfiguration().Set(nullptr);
    gui.GetCameraCalibrationConfiguration().Set(nullptr);
    gui.GetLockGUIConfiguration().Set(nullptr);
    gui.GetTabManagerConfiguration().Set(nullptr);
    gui.GetQRCodeConfiguration().Set(nullptr);
    gui.GetColorCalibDialogConfiguration().Set(nullptr);
    gui.GetLiveImageNSPConfiguration().Set(nullptr);
    gui.GetProgressBarConfiguration().Set(nullptr);
    gui.GetDoubleClickToolConfiguration().Set(nullptr);
    gui.GetRoiToolConfiguration().Set(nullptr);
    gui.GetSceneInfoHintConfiguration().Set(nullptr);
}

std::string CrosshairText(Base::ILiveImageViewModel::EItemCrosshair crosshair)
{
    switch (crosshair)
    {
    case Base::ILiveImageViewModel::EItemCrosshair::None:
        return "None";
    case Base::ILiveImageViewModel::EItemCrosshair::Ready:
        return "Ready";
    case Base::ILiveImageViewModel::EItemCrosshair::Tracking:
        return "Tracking";
    case Base::ILiveImageViewModel::EItemCrosshair::Searching:
        return "Searching";
    }
    return std::to_string(static_cast<int>(crosshair));
}

void ReadAreas(Json& values, Base::IAreaViewModel const* panel, CSimHost const& host)
{
    auto const& configuration = host.GetConfiguration();
    auto const levels = configuration.GetCaseRequiredAreasDataExchangeModel()->GetRequiredAreasArray().GetValues();
    auto const progress = configuration.GetReconstructionProgressDataExchangeModel();
    auto const result = configuration.GetTriangulationConfiguration();
    auto const items = panel ? panel->GetAreaItemViewModels() : decltype(panel->GetAreaItemViewModels()){};
    Base::EAreaItems const selected = panel ? panel->GetSelectedArea().Get() : Base::EAreaItems::Undefined;
    for (Base::EAreaItems const area : RealAreas())
    {
        std::size_t const index = Base::AreaIndex(area);
        std::string const prefix = "Area." + AreaText(area) + ".";
        values[prefix + "Required"] = index < levels.size() && levels[index] == Level::Obligatory;
        values[prefix + "Instantiated"] = host.GetAreas()->IsAreaInstantiated(area);
        values[prefix + "HasData"] = progress->GetReconstructionArea(area);
        values[prefix + "Progress"] = Rounded(progress->GetReconstructionProgress(area), 1000.0);
        values[prefix + "Reconstruction"] = ReconstructionStateText(result->GetReconstructionState(area));
        auto const& item = items[index];
        values[prefix + "Obligatory"] = item ? Json(item->GetIsObligatory().Get()) : Json(nullptr);
        values[prefix + "Selected"] = panel ? Json(selected == area) : Json(nullptr);
        Json thumbnails = Json::array();
        Json chosen = Json::array();
        if (auto const bar = item ? item->GetThumbnailBarConfiguartion() : nullptr)
            for (auto const& thumbnail : bar->GetThumbnailsArrayBindingSource().GetValues())
                if (thumbnail)
                {
                    std::string const id = Narrow(thumbnail->GetBitmapID().Get().GetStdString());
                    thumbnails.push_back(id);
                    if (thumbnail->GetIsSelected().Get())
                        chosen.push_back(id);
                }
        values[prefix + "Thumbnails"] = std::move(thumbnails);
        values[prefix + "SelectedThumbnails"] = std::move(chosen);
    }
}

void ReadHost(Json& values, CSimHost const& host)
{
    auto const& configuration = host.GetConfiguration();
    auto const caseModel = configuration.GetCaseRequiredAreasDataExchangeModel();
    auto const progress = configuration.GetReconstructionProgressDataExchangeModel();
    auto const result = configuration.GetTriangulationConfiguration();
    auto const modelTab = configuration.GetIsModelTabAllowedDataExchangeModel();
    auto const& properties = host.GetProperties();
    values["Case.DefaultActiveArea"] = AreaText(caseModel->GetDefaultActiveArea().Get());
    values["Case.SelectedArea"] = AreaText(host.GetSelectedArea()->Get());
    values["Reconstruction.Progress"] = Rounded(progress->GetReconstructionProgress().Get(), 10.0);
    values["Reconstruction.Processing"] = ProcessingText(progress->GetReconstructionProgressState().Get());
    values["Reconstruction.State"] = ReconstructionStateText(result->GetReconstructionState().Get());
    values["Reconstruction.Saved"] = result->GetReconstructionResultAutoSaved().Get();
    std::size_t results = 0;
    for (auto const& one : result->GetTriangulationArray().GetValues())
        results += one.GetTriangulation() ? 1 : 0;
    values["Reconstruction.Results"] = results;
    values["ModelTab.Allowed"] = modelTab->GetIsModelTabAllowed().Get();
    values["ModelTab.DataAvailable"] = modelTab->GetIsDataAvailable().Get();
    values["Host.TreatReconstructionAsDone"] = properties->GetTreatReconstructionAsDone().GetValue();
    values["Host.ResultSaved"] = properties->GetIsReconstructionResultSaved().GetValue();
    values["Host.LiveView"] = LiveViewText(properties->GetLiveViewStatus().GetValue());
    values["Host.LiveImageHidden"] = properties->GetLiveImageHidden().GetValue();
    values["Host.Running"] = host.GetAreas()->GetIsRunningExceptReconstructionBindingSource().GetValue();
    values["Keys.ServiceCalls"] = host.GetAcquisitionService().GetCallCount().Get();
    values["Commands.GuiLocking"] = Base::ACommandBase::s_numberOfActiveGUILockingCommands.Get();
}

template <class Items> Json SelectedIndices(Items const& items)
{
    Json selected = Json::array();
    for (std::size_t index = 0; index < items.size(); ++index)
        if (items[index] && items[index]->GetSelected().Get())
            selected.push_back(index);
    return selected;
}

void ReadLive(Json& values, SScreenViewModels const& vm)
{
    auto const or_null = [](bool present, auto&& read) { return present ? Json(read()) : Json(nullptr); };
    Base::ILiveImageViewModel const* const image = vm.liveImage.get();
    values["LiveImage.CrossHair"] = or_null(image, [image] { return CrosshairText(image->GetCrossHair().Get()); });
    values["LiveImage.Visible"] = or_null(image, [image] { return image->GetVisibility().Get(); });
    Base::ILiveVideoViewModel const* const video = vm.liveVideo.get();
    values["LiveVideo.Selected"] = or_null(video, [video] { return video->GetIsSelected().Get(); });
    values["LiveVideo.PanoramaDone"] = or_null(video, [video] { return video->GetPanoramaRecordDone().Get(); });
    values["LiveVideo.Panorama"] = or_null(video,
                                           [video]
                                           {
                                               auto const panorama = video->GetPanoramaImage().Get();
                                               auto const ours = std::dynamic_pointer_cast<
                                                   ReferenceHost::CImageData2DSimple const>(panorama);
                                               if (!ours)
                                                   return std::string(panorama ? "an image" : "none");
                                               return Narrow(ours->GetName()) + " " +
                                                      std::to_string(ours->GetWidth()) + "x" +
                                                      std::to_string(ours->GetHeight());
                                           });
    if (Base::ISidePanelViewModel const* const panel = vm.sidePanel.get())
    {
        for (auto const& tool : panel->GetToolsItems())
        {
            if (!tool)
                continue;
            auto const type = static_cast<std::size_t>(tool->GetItemType().Get());
            std::string const name = type < Screen::kToolNames.size() ? Screen::kToolNames[type] : "Tool";
            values["SidePanel." + name + ".Selected"] = tool->GetSelected().Get();
            values["SidePanel." + name + ".SelectedActions"] = SelectedIndices(tool->GetItemTypeToolActions());
        }
    }
    if (Base::ILiveOptionsViewModel const* const options = vm.liveOptions.get())
    {
        auto const items = options->GetLiveOptionsItems();
        values["LiveOptions.Selected"] = SelectedIndices(items);
        auto const sliding = items[1] ? items[1]->GetLiveSubOptions() : nullptr;
        auto const sub = sliding ? sliding->GetLiveSubOptionsItems()[0] : nullptr;
        auto const slider = sub ? sub->GetSlider() : nullptr;
        values["LiveOptions.Slider"] = slider ? Json(slider->GetValue().Get()) : Json(nullptr);
    }
}

void ReadCalibration(Json& values, SScreenViewModels const& vm)
{
    if (auto const& camera = vm.camera)
    {
        values["Calibration.Visible"] = camera->GetVisibility().Get();
        values["Calibration.State"] = static_cast<int>(camera->GetCalibrationState().Get());
        values["Calibration.Text"] = Narrow(camera->GetCalibrationWaitRequest().Get().GetInstructionText().GetStdString());
    }
    if (auto const& dialog = vm.dialog)
    {
        values["ColourDialog.Visible"] = dialog->GetVisible().Get();
        values["ColourDialog.Text"] = Narrow(dialog->GetCalibrationWaitRequest().Get().GetInstructionText().GetStdString());
    }
    if (auto const& menu = vm.stepMenu)
    {
        Json entries = Json::array();
        for (auto const& item : menu->GetStepMenuItems().GetValues())
            if (item && item->GetVisibility().Get())
                entries.push_back(Json::array({static_cast<int>(item->GetItemType().Get()),
                                               Narrow(item->GetInfoText().Get().GetStdString()),
                                               item->OkEnabled().Get()}));
        values["StepMenu.Entries"] = std::move(entries);
    }
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

Json ReadScreen(SScreenViewModels const& viewModels, CSimHost const& host, std::wstring const& qrText,
                Base::IGuiConfiguration const* gui)
{
    Json values = Json::object();
    if (gui)
        values["Slots"] = FilledSlots(*gui);
    ReadHost(values, host);
    ReadAreas(values, viewModels.area.get(), host);
    ReadLive(values, viewModels);
    ReadCalibration(values, viewModels);
    if (auto const& lock = viewModels.lockGui)
    {
        values["GuiLock.LockCount"] = lock->GetLockCount().Get();
        values["GuiLock.WorkIndicator"] = lock->GetShowAnimatedWorkIndicator().Get();
    }
    for (auto const& action : viewModels.toolActions)
    {
        std::string const prefix = "ToolAction.Sim." + std::to_string(static_cast<int>(action->GetItemType().Get()));
        values[prefix + ".Visible"] = action->GetVisibility().Get();
        values[prefix + ".Enabled"] = action->GetEnabled().Get();
        values[prefix + ".Selected"] = action->GetSelected().Get();
        values[prefix + ".HasCommand"] = action->GetCommand().Get() != nullptr;
    }
    if (viewModels.trash)
        values["Trash.Visible"] = viewModels.trash->GetVisibility().Get();
    values["QRCode.Text"] = Narrow(qrText);
    return values;
}

bool IsHistoryValue(std::string const& name)
{
    auto const ends = [&name](std::string const& tail)
    { return name.size() >= tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0; };
    return ends(".Thumbnails") || ends(".SelectedThumbnails") || name.rfind("LiveVideo.", 0) == 0 ||
           name.rfind("SidePanel.", 0) == 0 || name.rfind("LiveOptions.", 0) == 0 ||
           name == "GuiLock.WorkIndicator";
}
} // namespace Orx2Sim
