#include "cstorm.h"

#include "cstormscreen.h"
#include "cstormwatchdog.h"

#include "../modules/cacquisitionscreenmodule.h"
#include "../simmodules.h"

#include "base/orx2basepool/applyarraychangednotification.h"
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/interfaces/icapturekeysviewmodel.h"
#include "base/orx2basepool/ieventsignalhandler.h"
#include "base/orx2basepool/interfaces/ilockguiviewmodel.h"
#include "base/orx2basepool/interfaces/iqrcodeviewmodel.h"
#include "base/orx2basepool/makeregisteredcommand.h"
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "host/acquisitionbase/acommandbase.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/foundation/jbsingleton.h"
#include "host/logging/clogger.h"
#include "host/values/creconstructionresult.h"
#include "host/values/ctriangulation.h"
#include "reference_host/cfootswitch.h"

#include <algorithm>
#include <array>
#include <deque>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace Orx2Sim
{
namespace
{
using Random = std::mt19937_64;
using Clock = std::chrono::steady_clock;
using ThumbnailPointer = std::shared_ptr<Base::IThumbnailItemViewModel>;
using Screen = CAcquisitionScreenModule;

constexpr std::chrono::seconds kWatchdogLimit{20};
constexpr std::size_t kAreaCount = Base::kAreaItemCount;

/// What went wrong on any thread: counted, the first few kept with where they happened. Thread-safe.
class CFindings
{
public:
    void Add(std::string what)
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        if (m_first.size() < 8)
            m_first.push_back(std::move(what));
        ++m_count;
    }
    std::size_t Count() const
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        return m_count;
    }
    std::vector<std::string> First() const
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        return m_first;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_first;
    std::size_t m_count = 0;
};

/// Runs `call`; an exception that leaves it escaped from the library into a host call or a handler.
template <class Call> void Guarded(CFindings& escaped, char const* where, Call&& call)
{
    try
    {
        call();
    }
    catch (std::exception const& error)
    {
        escaped.Add(std::string(where) + ": " + error.what());
    }
    catch (...)
    {
        escaped.Add(std::string(where) + ": an exception of an unknown type");
    }
}

void Wait(std::shared_ptr<Base::IAsyncResult<>> const& result)
{
    if (result)
        result->Wait();
}

/// Executes `command` when there is one, and waits for it.
template <class Command, class... Args> void Press(std::shared_ptr<Command> const& command, Args&&... args)
{
    if (command)
        Wait(command->Execute(std::forward<Args>(args)...));
}

template <class T> T Pick(Random& random, std::vector<T> const& items)
{
    return items[random() % items.size()];
}

/// A mirror of an array source, kept by the framework's array observer as a GUI's list keeps its rows.
template <class T> class CMirror
{
public:
    /// Binds to `source` (filled at once); `changed` runs after each change, on the changing thread.
    void Bind(Base::Binding::IArrayBindingSource<T> const& source, std::function<void()> changed)
    {
        m_observer = Base::Binding::MakeArrayChangeObserver(
            source,
            [this, changed = std::move(changed)](Base::Binding::ArrayChangedNotification<T> const& notification)
            {
                // The calls never overlap; rows that leave are let go outside the lock, as a list does.
                std::vector<T> rows = Rows();
                Base::Binding::ApplyArrayChangedNotification(rows, notification);
                {
                    std::lock_guard<std::mutex> const lock(m_mutex);
                    m_rows.swap(rows);
                }
                rows.clear();
                changed();
            });
    }
    void Unbind()
    {
        m_observer = Base::Binding::TArrayObserver<T>();
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_rows.clear();
    }
    std::vector<T> Rows() const
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        return m_rows;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<T> m_rows;
    Base::Binding::TArrayObserver<T> m_observer;
};

/// The GUI: follows the screen through its GUI configuration's slots on its own thread, holding the
/// view models weakly; each notification of what it follows (on whichever thread made the change)
/// locks them and re-reads every named value.
class CStormGui
{
public:
    CStormGui(CSimHost const& host, CFindings& escaped) : m_host(host), m_escaped(escaped)
    {
        auto const notify = [this] { OnNotified(); };
        m_caseLevels.Bind(host.GetConfiguration().GetCaseRequiredAreasDataExchangeModel()->GetRequiredAreasArray(),
                          notify);
        m_dynamicLevels.Bind(host.GetDynamicRequiredAreas().GetRequiredAreasArray(), notify);
    }

    ~CStormGui() { Unbind(); }

    /// On the GUI thread: binds to what `gui`'s slots hold when that changed since the last call.
    void Follow(std::shared_ptr<ReferenceHost::CGuiConfiguration> const& gui)
    {
        SScreenViewModels viewModels = gui ? SScreenViewModels::FromSlots(*gui) : SScreenViewModels();
        std::vector<void const*> const identity = {
            gui.get(),           viewModels.area.get(),     viewModels.stepMenu.get(),   viewModels.camera.get(),
            viewModels.dialog.get(), viewModels.liveImage.get(), viewModels.liveVideo.get(),
            viewModels.sidePanel.get(), viewModels.liveOptions.get(), viewModels.lockGui.get(),
            viewModels.trash.get(), viewModels.captureKeys.get(),  viewModels.qrCode.get()};
        if (identity == m_bound)
            return;
        m_bound = identity;
        Unbind();
        // What the GUI binds is what the screen's named values are re-read on: the catalog's sources.
        auto catalog = std::make_shared<CPropertyCatalog>();
        std::vector<std::shared_ptr<void>> connections;
        auto const notify = [this] { OnNotified(); };
        if (gui)
        {
            DeclareScreen(*catalog, SSimScreen{m_host, *gui});
            for (auto const& source : catalog->GetSources())
                connections.push_back(source.subscribe(notify));
        }
        if (viewModels.stepMenu) // its entries are no named values, but the GUI shows them
            for (auto const& entry : viewModels.stepMenu->GetStepMenuItems().GetValues())
                connections.push_back(Observe(*entry, notify));
        for (std::size_t index = 0; index < kAreaCount && viewModels.area; ++index)
            if (auto const item = viewModels.area->GetAreaItemViewModels()[index])
                if (auto const bar = item->GetThumbnailBarConfiguartion())
                    m_thumbnails[index].Bind(bar->GetThumbnailsArrayBindingSource(), notify);
        {
            std::lock_guard<std::mutex> const lock(m_mutex);
            m_handles = SHandles{viewModels.area,     viewModels.stepMenu,  viewModels.camera,
                                 viewModels.dialog,   viewModels.liveImage, viewModels.liveVideo,
                                 viewModels.sidePanel, viewModels.liveOptions, viewModels.lockGui,
                                 viewModels.trash,    viewModels.captureKeys, viewModels.qrCode};
            m_gui = gui;
            m_catalog = std::move(catalog);
        }
        m_connections = std::move(connections);
        ++m_rebinds;
    } // the view models held for binding are let go here, on the GUI thread

    /// On the GUI thread: one random action of a user, on what the GUI follows now.
    void Act(Random& random)
    {
        SScreenViewModels const vm = Lock();
        switch (random() % 10)
        {
        case 0: // a thumbnail click
        {
            auto const rows = m_thumbnails[random() % kAreaCount].Rows();
            if (!rows.empty())
                if (auto const command = Pick(random, rows)->GetSelectCommand())
                    Wait(command->Execute());
            break;
        }
        case 1: // a tile click
            if (vm.area)
                if (auto const command = vm.area->GetActivateAreaCommand().Get())
                    Wait(command->Execute(Pick(random, RealAreas())));
            break;
        case 2: // a tool action's button, in the side panel or the simulator's tool by name
            if (vm.sidePanel && random() % 2 == 0)
            {
                auto const tool = vm.sidePanel->GetToolsItems()[random() % Screen::kToolNames.size()];
                auto const action = tool ? tool->GetItemTypeToolActions()[random() % 8] : nullptr;
                if (auto const command = action ? action->GetCommand().Get() : nullptr)
                    Wait(command->Execute());
            }
            else if (auto const command = std::dynamic_pointer_cast<Base::ICommand<>>(
                         JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(
                             L"Sim.CToolActionViewModelBase.Command_" + std::to_wstring(random() % 3))))
                Wait(command->Execute());
            break;
        case 3: // a step-menu button, the number entry, the inline OK or Cancel
            if (vm.stepMenu)
            {
                std::vector<std::shared_ptr<Base::IStepMenuItemViewModel>> shown;
                for (auto const& entry : vm.stepMenu->GetStepMenuItems().GetValues())
                    if (entry && entry->GetVisibility().Get())
                        shown.push_back(entry);
                if (shown.empty())
                    break;
                auto const entry = Pick(random, shown);
                if (auto const typed = entry->GetTextInserted().Get(); typed && random() % 3 == 0)
                    Wait(typed->Execute(CStringW(std::to_wstring(random() % 100).c_str())));
                else if (auto const inline_ = entry->GetOkCancelPressed().Get(); inline_ && entry->OkEnabled().Get())
                    Wait(inline_->Execute(random() % 2 == 0));
                else if (auto const command = entry->GetCommand().Get())
                    Wait(command->Execute());
            }
            break;
        case 4: // the colour calibration dialog's buttons
            if (vm.dialog && vm.dialog->GetVisible().Get())
            {
                unsigned const button = random() % 3;
                auto const& slot = button == 0   ? vm.dialog->GetOKPressed()
                                   : button == 1 ? vm.dialog->GetCancelPressed()
                                                 : vm.dialog->GetCustomPressed();
                if (auto const command = slot.Get())
                    Wait(command->Execute());
            }
            break;
        case 5: // keys, and the foot switch
            if (vm.captureKeys && random() % 3 != 0)
            {
                static constexpr unsigned int kKeys[] = {0x20, 0x6B, 0x6D, 0x76, 'A', '7'};
                bool const down = random() % 2 == 0;
                auto const command = (down ? vm.captureKeys->GetKeyPressedCommand()
                                           : vm.captureKeys->GetKeyReleasedCommand())
                                         .Get();
                if (command)
                    Wait(command->Execute(kKeys[random() % 6], 0U));
            }
            else
            {
                ReferenceHost::CFootSwitch const footSwitch;
                static_cast<void>(random() % 2 == 0 ? footSwitch.Press() : footSwitch.Release());
            }
            break;
        case 6: // the live options' slider and buttons
            if (vm.liveOptions)
            {
                auto const option = vm.liveOptions->GetLiveOptionsItems()[random() % 3];
                auto const sub = option ? option->GetLiveSubOptions() : nullptr;
                auto const item = sub ? sub->GetLiveSubOptionsItems()[0] : nullptr;
                if (auto const slider = item ? item->GetSlider() : nullptr; slider && random() % 2 == 0)
                    slider->GetValue().Set(static_cast<double>(random() % 101));
                else if (auto const command = option ? option->GetCommand().Get() : nullptr)
                    Wait(command->Execute());
            }
            break;
        case 7: // the live video's recording buttons
            if (vm.liveVideo)
            {
                unsigned const which = random() % 4;
                CStringW const name(L"storm");
                if (which == 0)
                    Press(vm.liveVideo->StartCaptureModeCommand().Get());
                else if (which == 1)
                    Press(vm.liveVideo->StartIdleModeCommand().Get());
                else if (auto const start = vm.liveVideo->StartRecordPanoramaCommand().Get(); which == 2 && start)
                    Wait(start->Execute(name));
                else
                    Press(vm.liveVideo->StopRecordPanoramaCommand().Get());
            }
            break;
        case 8: // a QR code read
            if (vm.qrCode)
            {
                if (auto const area = vm.qrCode->GetActiveAreaCommand().Get())
                    Wait(area->Execute(Pick(random, RealAreas())));
                if (auto const text = vm.qrCode->GetQRCodeCommand().Get())
                    Wait(text->Execute(CStringW(std::to_wstring(random() % 1000).c_str())));
            }
            break;
        default: // the trash button
            if (vm.trash)
                if (auto const command = vm.trash->GetClickCommand())
                    Wait(command->Execute());
            break;
        }
    }

    /// What the GUI's handlers do: read every named value of the screen it follows, through the slots of
    /// its configuration (the catalog declared for it when it was bound).
    void Read() const
    {
        std::shared_ptr<ReferenceHost::CGuiConfiguration> gui;
        std::shared_ptr<CPropertyCatalog const> catalog;
        {
            std::lock_guard<std::mutex> const lock(m_mutex);
            gui = m_gui.lock();
            catalog = m_catalog;
        }
        if (gui && catalog)
            for (auto const& property : catalog->GetProperties())
                static_cast<void>(property.read());
    }

    /// Every mirror equals its source; the differences otherwise.
    std::vector<std::string> CompareMirrors() const
    {
        std::vector<std::string> differences;
        SScreenViewModels const vm = Lock();
        for (std::size_t index = 0; index < kAreaCount; ++index)
        {
            auto const item = vm.area ? vm.area->GetAreaItemViewModels()[index] : nullptr;
            auto const bar = item ? item->GetThumbnailBarConfiguartion() : nullptr;
            std::vector<ThumbnailPointer> const source =
                bar ? bar->GetThumbnailsArrayBindingSource().GetValues() : std::vector<ThumbnailPointer>();
            if (m_thumbnails[index].Rows() != source)
                differences.push_back("thumbnails of " + AreaText(static_cast<Base::EAreaItems>(index)));
        }
        auto const& configuration = m_host.GetConfiguration();
        if (m_caseLevels.Rows() != configuration.GetCaseRequiredAreasDataExchangeModel()->GetRequiredAreasArray().GetValues())
            differences.push_back("the case's required areas");
        if (m_dynamicLevels.Rows() != m_host.GetDynamicRequiredAreas().GetRequiredAreasArray().GetValues())
            differences.push_back("the dynamic required areas");
        return differences;
    }

    /// The thumbnails of `area` as the GUI's list shows them.
    std::vector<ThumbnailPointer> Thumbnails(std::size_t area) const { return m_thumbnails[area].Rows(); }

    std::uint64_t GetReads() const { return m_reads.load(); }
    std::uint64_t GetRebinds() const { return m_rebinds; }

private:
    struct SHandles
    {
        std::weak_ptr<Base::IAreaViewModel> area;
        std::weak_ptr<Base::IStepMenuViewModel> stepMenu;
        std::weak_ptr<Base::ICameraCalibrationViewModel> camera;
        std::weak_ptr<Base::IColorCalibDialogViewModel> dialog;
        std::weak_ptr<Base::ILiveImageViewModel> liveImage;
        std::weak_ptr<Base::ILiveVideoViewModel> liveVideo;
        std::weak_ptr<Base::ISidePanelViewModel> sidePanel;
        std::weak_ptr<Base::ILiveOptionsViewModel> liveOptions;
        std::weak_ptr<Base::ILockGUIViewModel> lockGui;
        std::weak_ptr<Base::ITrashViewModel> trash;
        std::weak_ptr<Base::ICaptureKeysViewModel> captureKeys;
        std::weak_ptr<Base::IQRCodeViewModel> qrCode;
    };

    SScreenViewModels Lock() const
    {
        SHandles handles;
        {
            std::lock_guard<std::mutex> const lock(m_mutex);
            handles = m_handles;
        }
        SScreenViewModels vm;
        vm.area = handles.area.lock();
        vm.stepMenu = handles.stepMenu.lock();
        vm.camera = handles.camera.lock();
        vm.dialog = handles.dialog.lock();
        vm.liveImage = handles.liveImage.lock();
        vm.liveVideo = handles.liveVideo.lock();
        vm.sidePanel = handles.sidePanel.lock();
        vm.liveOptions = handles.liveOptions.lock();
        vm.lockGui = handles.lockGui.lock();
        vm.trash = handles.trash.lock();
        vm.captureKeys = handles.captureKeys.lock();
        vm.qrCode = handles.qrCode.lock();
        return vm;
    }

    // On the thread that notified, inside its delivery: what the GUI locks here may be the last hold.
    void OnNotified()
    {
        Guarded(m_escaped, "GUI handler",
                [this]
                {
                    Read();
                    m_reads.fetch_add(1, std::memory_order_relaxed);
                });
    }

    void Unbind()
    {
        {
            std::lock_guard<std::mutex> const lock(m_mutex);
            m_handles = SHandles();
        }
        m_connections.clear(); // each waits for its running handler
        for (auto& mirror : m_thumbnails)
            mirror.Unbind();
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_gui.reset();
        m_catalog.reset();
    }

    CSimHost const& m_host;
    CFindings& m_escaped;
    mutable std::mutex m_mutex; // guards m_handles, m_gui and m_catalog
    SHandles m_handles;
    std::weak_ptr<ReferenceHost::CGuiConfiguration> m_gui;
    std::shared_ptr<CPropertyCatalog const> m_catalog; // reads through m_gui, which its reader holds
    std::vector<void const*> m_bound;
    std::atomic<std::uint64_t> m_reads{0};
    std::uint64_t m_rebinds = 0;
    std::array<CMirror<ThumbnailPointer>, kAreaCount> m_thumbnails;
    std::vector<std::shared_ptr<void>> m_connections;
    // The host's side, bound once: it lives as long as the host.
    CMirror<Level> m_caseLevels;
    CMirror<Level> m_dynamicLevels;
};

/// One thread of the storm: its name, the operations it finished, and its watchdog slot.
struct SWorker
{
    std::string name;
    std::atomic<std::uint64_t> operations{0};
    std::thread thread;
};

class CStorm
{
public:
    CStorm(SStormOptions const& options, std::ostream& out) : m_options(options), m_out(out) {}

    int Run();

private:
    std::shared_ptr<CStormScreen> GetScreen() const { return std::atomic_load(&m_screen); }
    std::shared_ptr<CStormScreen> BuildScreen()
    {
        ++m_screensBuilt;
        return std::make_shared<CStormScreen>(*m_host, m_census, m_partsReplaced, m_qrText);
    }

    void Engine(Random& random);
    void Teardown(Random& random);
    void Start(std::string name, std::uint64_t stream, std::function<void(Random&)> operation);
    void Check(std::string const& name, std::vector<std::string> const& problems, std::string const& ok);
    std::vector<std::string> CompareWithFreshScreen();
    std::vector<std::string> CheckHistory(CStormScreen& screen);

    SStormOptions const m_options;
    std::ostream& m_out;
    CFindings m_escaped;
    CStormCensus m_census;
    std::atomic<std::uint64_t> m_partsReplaced{0}; // counted by the screens' Rebuild, before any screen goes
    std::unique_ptr<CStormWatchdog> m_watchdog;
    std::unique_ptr<CSimHost> m_host;
    std::shared_ptr<Base::TProperty<std::wstring>> m_qrText;
    Base::CSilentChangeOwner m_qrOwner;
    std::shared_ptr<CStormScreen> m_screen;
    std::unique_ptr<CStormGui> m_gui;
    std::shared_ptr<Base::ICommand<>> m_lockingWork;
    std::atomic<bool> m_stop{false};
    std::atomic<std::uint64_t> m_thumbnailCounter{0};
    std::atomic<std::uint64_t> m_screensBuilt{0};
    std::atomic<std::uint64_t> m_caseChanges{0};
    std::atomic<std::uint64_t> m_screensDestroyed{0};
    std::deque<SWorker> m_workers;
    std::size_t m_checks = 0;
    std::size_t m_findings = 0;
};

void CStorm::Engine(Random& random)
{
    auto const screen = GetScreen();
    auto const areas = m_host->GetAreas();
    auto const properties = m_host->GetProperties();
    auto const area = static_cast<Base::EAreaItems>(random() % kAreaCount);
    auto const object = areas->GetCommonArea(area);
    bool const flip = random() % 2 == 0;
    switch (random() % 24)
    {
    case 0:
        return m_host->GetConfiguration().GetInstantiatedAreaDataExchangeModel()->InstantiateArea(area);
    case 1:
        return areas->RemoveArea(area);
    case 2:
    case 3:
        if (object)
            object->SetHasDataOrReco(flip);
        return;
    case 4:
        return m_host->GetSelectedArea()->Set(area);
    case 5:
    {
        std::vector<Level> levels(kAreaCount, Level::Optional);
        for (Level& level : levels)
            level = static_cast<Level>(random() % 3);
        return m_host->GetConfiguration().GetCaseRequiredAreasDataExchangeModel()->SetRequiredAreasArray(levels);
    }
    case 6:
        if (object)
            object->SetReconstructionProgress(static_cast<float>(random() % 11) / 10.0f);
        return;
    case 7: // a reconstruction delivered, as the reconstruction module's step delivers it
        if (object)
        {
            object->SetReconstructionResult(DataLayer::CReconstructionResult(
                std::make_shared<Geometry::CTriangulation const>(static_cast<unsigned int>(random() % 5000))));
            object->SetReconstructionProgress(1.0f);
            object->SetImageProcessingProgress(BusinessLayer::EImageProcessingProgress::eORX_OK);
        }
        return;
    case 8:
        if (object)
            object->SetImageProcessingProgress(static_cast<BusinessLayer::EImageProcessingProgress>(47 + random() % 4));
        return;
    case 9:
        if (object)
            object->SetContributesToModel(flip);
        return;
    case 10:
        return properties->SetTreatReconstructionAsDone(flip);
    case 11:
        return properties->SetIsReconstructionResultSaved(flip);
    case 12: // any 32-bit status, the unknown ones too
        return properties->SetLiveViewStatus(
            static_cast<BusinessLayer::ELiveViewStatus>(random() % 8 == 0 ? static_cast<int>(random()) : random() % 6));
    case 13:
        return properties->SetLiveImageHidden(flip);
    case 14:
        return areas->SetIsRunningExceptReconstruction(flip);
    case 15:
    case 16: // a thumbnail added to the area's bar of this screen
        if (auto const panel = screen ? screen->GetAreaPanel() : nullptr)
        {
            std::uint64_t const number = ++m_thumbnailCounter;
            auto const thumbnail = panel->GetThumbnails(area).Add(
                std::to_wstring(number), static_cast<int>(number % 1000), CStringW(std::to_wstring(number).c_str()));
            m_census.Add("Thumbnail", thumbnail);
        }
        return;
    case 17:
        if (auto const panel = screen ? screen->GetAreaPanel() : nullptr)
        {
            auto const thumbnails = panel->GetThumbnails(area).GetThumbnails().GetValues();
            if (!thumbnails.empty())
                static_cast<void>(panel->GetThumbnails(area).Remove(Pick(random, thumbnails)->GetBitmapID().Get()));
        }
        return;
    case 18: // the engine asks through the camera calibration, or shows the colour dialog
        if (screen)
            screen->AskCalibration(0, static_cast<int>(random() % 8), static_cast<int>(random() % 10),
                                   CStringW(L"place the target"));
        return;
    case 19:
        if (screen)
            screen->AskCalibration(1, 5, static_cast<int>(random() % 10), CStringW(L"colour"));
        return;
    case 20: // GUI-locking work: a locking command, and the work indicator
        if (flip)
            return Wait(m_lockingWork->Execute());
        if (screen)
            screen->ToggleWorkIndicator(random() % 2 == 0);
        return;
    case 21: // the product chooses a tool and one of its actions
        if (auto const gui = screen ? screen->GetGui() : nullptr)
            if (auto const panel = std::dynamic_pointer_cast<BusinessLayer::CSidePanelViewModel>(
                    gui->GetSidePanelConfiguration().Get()))
                Screen::ChooseTool(*panel, random() % 3, random() % 8);
        return;
    case 22:
        if (auto const gui = screen ? screen->GetGui() : nullptr)
            if (auto const options = std::dynamic_pointer_cast<BusinessLayer::CLiveOptionsViewModelBase>(
                    gui->GetLiveOptionsConfiguration().Get()))
                Screen::SelectLiveOption(*options, random() % 3);
        return;
    default: // the host instantiates an area itself, not through the model
        if (!object && flip)
            areas->InstantiateArea(area);
        return;
    }
}

void CStorm::Teardown(Random& random)
{
    std::this_thread::sleep_for(std::chrono::microseconds(500 + random() % 15000));
    unsigned const fate = random() % 24;
    if (fate == 0) // the whole screen goes while the engine publishes, then a new one is built
    {
        std::shared_ptr<CStormScreen> gone = std::atomic_exchange(&m_screen, std::shared_ptr<CStormScreen>());
        gone.reset();
        ++m_screensDestroyed;
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        std::atomic_store(&m_screen, BuildScreen());
    }
    else if (auto const screen = GetScreen(); screen && fate < 4)
    {
        screen->ChangeCase();
        ++m_caseChanges;
    }
    else if (screen)
    {
        screen->Rebuild(static_cast<CStormScreen::EPart>(random() % static_cast<unsigned>(CStormScreen::EPart::Count)));
    }
}

void CStorm::Start(std::string name, std::uint64_t stream, std::function<void(Random&)> operation)
{
    m_workers.emplace_back();
    SWorker& worker = m_workers.back();
    worker.name = std::move(name);
    worker.thread = std::thread(
        [this, &worker, stream, operation = std::move(operation)]
        {
            std::size_t const slot = m_watchdog->Watch(worker.name);
            Random random(m_options.seed ^ (stream * 0x9E3779B97F4A7C15ULL));
            while (!m_stop.load(std::memory_order_relaxed))
            {
                Guarded(m_escaped, worker.name.c_str(), [&] { operation(random); });
                worker.operations.fetch_add(1, std::memory_order_relaxed);
                m_watchdog->Beat(slot);
            }
            m_watchdog->Done(slot);
        });
}

void CStorm::Check(std::string const& name, std::vector<std::string> const& problems, std::string const& ok)
{
    ++m_checks;
    if (problems.empty())
    {
        m_out << "  ok       " << name << (ok.empty() ? "" : ": " + ok) << '\n';
        return;
    }
    ++m_findings;
    m_out << "  FINDING  " << name << ": " << problems.size() << '\n';
    for (std::size_t index = 0; index < problems.size() && index < 12; ++index)
        m_out << "             " << problems[index] << '\n';
}

std::vector<std::string> CStorm::CheckHistory(CStormScreen& screen)
{
    std::vector<std::string> problems;
    auto const gui = screen.GetGui();
    SScreenViewModels const vm = SScreenViewModels::FromSlots(*gui);
    Json const before = ReadScreen(*m_host, *gui);
    auto const panel = screen.GetAreaPanel();
    for (Base::EAreaItems const area : RealAreas())
    {
        std::string const name = "Area." + AreaText(area) + ".";
        Json held = Json::array();
        for (auto const& thumbnail : panel->GetThumbnails(area).GetThumbnails().GetValues())
            held.push_back(Narrow(thumbnail->GetBitmapID().Get().GetStdString()));
        if (before[name + "Thumbnails"] != held)
            problems.push_back(name + "Thumbnails " + before[name + "Thumbnails"].dump() +
                               ", the host's source holds " + held.dump());
        for (Json const& chosen : before[name + "SelectedThumbnails"])
            if (std::find(held.begin(), held.end(), chosen) == held.end())
                problems.push_back(name + "SelectedThumbnails shows " + chosen.dump() + ", which is not in the bar");
    }
    Json const& indicator = before["LockGUI.ShowAnimatedWorkIndicator"];
    if (indicator != screen.GetOpenWorkIndicators())
        problems.push_back("LockGUI.ShowAnimatedWorkIndicator " + indicator.dump() + ", the engine keeps " +
                           std::to_string(screen.GetOpenWorkIndicators()) + " open");
    if (before["LiveVideo.PanoramaRecordDone"] == true && before["LiveVideo.PanoramaImage"].is_null())
        problems.push_back("LiveVideo.PanoramaRecordDone without a panorama");
    // What the user and the product chose last: one more choice on the quiet screen shows just that.
    if (auto const side = std::dynamic_pointer_cast<BusinessLayer::CSidePanelViewModel>(vm.sidePanel))
        Screen::ChooseTool(*side, 1, 3);
    if (auto const options = std::dynamic_pointer_cast<BusinessLayer::CLiveOptionsViewModelBase>(vm.liveOptions))
        Screen::SelectLiveOption(*options, 2);
    Press(vm.liveVideo->StartIdleModeCommand().Get());
    Json const after = ReadScreen(*m_host, *gui);
    std::vector<std::pair<std::string, Json>> chosen{{"LiveVideo.IsSelected", false}};
    for (std::size_t index = 0; index < 3; ++index)
    {
        chosen.emplace_back("SidePanel.ToolsItems." + std::to_string(index) + ".Selected", index == 1);
        chosen.emplace_back("LiveOptions.LiveOptionsItems." + std::to_string(index) + ".Selected", index == 2);
    }
    for (std::size_t action = 0; action < Base::ISidePanelToolItemViewModel::kToolActionCount; ++action)
        chosen.emplace_back("SidePanel.ToolsItems.1.ItemTypeToolActions." + std::to_string(action) + ".Selected",
                            action == 3);
    for (auto const& [name, expected] : chosen)
        if (after[name] != expected)
            problems.push_back("after one more choice " + name + " is " + after[name].dump() + ", not " +
                               expected.dump());
    return problems;
}

std::vector<std::string> CStorm::CompareWithFreshScreen()
{
    auto const screen = GetScreen();
    // The engine's last questions end on the quiet screen: the camera's calibration ends and the colour
    // dialog shows one that awaits nothing.
    screen->AskCalibration(1, 5, 0, CStringW());
    screen->AskCalibration(0, 0, 0, CStringW());
    auto const freshScreen = BuildScreen();
    std::vector<std::string> differences;
    auto const read = [this](CStormScreen& one)
    {
        return ReadScreen(*m_host, *one.GetGui(), one.GetToolActions());
    };
    Json const stormed = read(*screen);
    Json const fresh = read(*freshScreen);
    for (auto const& [name, value] : fresh.items())
        if (!IsHistoryValue(name) && (!stormed.contains(name) || stormed[name] != value))
            differences.push_back(name + ": the stormed screen shows " +
                                  (stormed.contains(name) ? stormed[name].dump() : std::string("nothing")) +
                                  ", a fresh one " + value.dump());
    for (auto const& [name, value] : stormed.items())
        if (!fresh.contains(name))
            differences.push_back(name + ": only the stormed screen shows it (" + value.dump() + ")");
    return differences;
}

int CStorm::Run()
{
    m_watchdog = std::make_unique<CStormWatchdog>(kWatchdogLimit);
    std::size_t const mainSlot = m_watchdog->Watch("main");
    std::atomic<std::uint64_t> logs{0};
    int const previousLevel = Logging::GetLogLevelThreshold();
    Logging::SetLogLevelThreshold(Logging::kLogLevelInfo);
    Logging::LogSink previousSink = Logging::SetLogSink([&logs](Logging::SLogRecord const&) { ++logs; });

    m_host = std::make_unique<CSimHost>();
    m_host->OpenCase();
    m_qrText = std::make_shared<Base::TProperty<std::wstring>>(std::wstring(), m_qrOwner);
    m_lockingWork = Base::MakeRegisteredCommand<Base::TCommand<void>>(
        std::function<void()>([] { std::this_thread::yield(); }), L"Storm.GuiLockingWork", true);
    std::vector<std::wstring> const namesBefore = JbSingleton<Base::CCommandRegistry>::GetInstance().GetCommandNames();
    std::atomic_store(&m_screen, BuildScreen());
    m_gui = std::make_unique<CStormGui>(*m_host, m_escaped);

    char threads[160];
    std::snprintf(threads, sizeof threads, "engine=%u,gui=%d,teardown=%d", m_options.engineThreads,
                  m_options.gui ? 1 : 0, m_options.teardown ? 1 : 0);
    m_out << "orx2-sim storm: " << m_options.seconds << " s, seed " << m_options.seed << ", threads " << threads
          << '\n';
    m_out.flush();

    auto const begin = Clock::now();
    for (unsigned index = 0; index < m_options.engineThreads; ++index)
        Start("engine " + std::to_string(index + 1), index + 1, [this](Random& random) { Engine(random); });
    if (m_options.gui)
        Start("gui", 100,
              [this](Random& random)
              {
                  auto const screen = GetScreen();
                  m_gui->Follow(screen ? screen->GetGui() : nullptr);
                  m_gui->Act(random);
              });
    if (m_options.teardown)
        Start("teardown", 200, [this](Random& random) { Teardown(random); });
    auto const deadline = begin + std::chrono::duration_cast<Clock::duration>(
                                      std::chrono::duration<double>(m_options.seconds));
    while (Clock::now() < deadline)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        m_watchdog->Beat(mainSlot);
    }
    m_stop = true;
    for (SWorker& worker : m_workers)
        worker.thread.join();
    double const elapsed = std::chrono::duration<double>(Clock::now() - begin).count();

    m_out << "  thread          operations    per second\n";
    for (SWorker const& worker : m_workers)
    {
        char line[160];
        std::snprintf(line, sizeof line, "  %-14s %11llu %13.0f\n", worker.name.c_str(),
                      static_cast<unsigned long long>(worker.operations.load()),
                      static_cast<double>(worker.operations.load()) / elapsed);
        m_out << line;
    }
    m_out << "  GUI re-reads " << m_gui->GetReads() << ", rebinds " << m_gui->GetRebinds() << "; screens built "
          << m_screensBuilt << ", destroyed whole " << m_screensDestroyed << ", case changes " << m_caseChanges
          << ", parts replaced " << m_partsReplaced << "; log lines " << logs << '\n';
    m_out << "checks\n";
    m_watchdog->Beat(mainSlot);

    // Single-threaded from here: the host is quiet.
    std::vector<std::string> idle;
    if (m_options.teardown && m_partsReplaced == 0)
        idle.push_back("the teardown thread replaced no part of the screen");
    Check("no thread made no progress for " + std::to_string(kWatchdogLimit.count()) + " s", idle, "");
    if (!GetScreen())
        std::atomic_store(&m_screen, BuildScreen());
    m_gui->Follow(GetScreen()->GetGui());
    Check("the GUI's mirrors equal their sources", m_gui->CompareMirrors(), "");
    {
        std::vector<std::string> locks;
        unsigned int const running = Base::ACommandBase::s_numberOfActiveGUILockingCommands.Get();
        if (running != 0)
            locks.push_back(std::to_string(running) + " GUI-locking commands still count as running");
        if (m_options.plantStaleLock)
            GetScreen()->GetGui()->GetLockGui()->GetLockCount().Set(1);
        auto const lock = GetScreen()->GetGui()->GetLockGUIConfiguration().Get();
        if (lock && lock->GetLockCount().Get() != 0)
            locks.push_back("the lock-GUI view model shows " + std::to_string(lock->GetLockCount().Get()));
        Check("the GUI-lock count is back to 0", locks, "");
    }
    m_watchdog->Beat(mainSlot);
    Check("a fresh screen on the same host shows the same values", CompareWithFreshScreen(), "");
    Check("what depends on history follows its own rules", CheckHistory(*GetScreen()), "");
    m_watchdog->Beat(mainSlot);

    // The final teardown: the GUI lets go, then the screen; nothing of it may stay.
    m_gui.reset();
    std::atomic_store(&m_screen, std::shared_ptr<CStormScreen>());
    auto const alive = m_census.Alive();
    Check("after the final teardown every view model is gone", alive,
          std::to_string(m_census.Count()) + " view models built");
    std::vector<std::string> stale;
    for (std::wstring const& name : JbSingleton<Base::CCommandRegistry>::GetInstance().GetCommandNames())
        if (std::find(namesBefore.begin(), namesBefore.end(), name) == namesBefore.end())
            stale.push_back(Narrow(name));
    Check("the registry finds none of their commands", stale, "");
    m_lockingWork.reset();
    m_host.reset();
    Check("no exception escaped into a host call or a handler", m_escaped.First(), "");
    if (m_escaped.Count() > m_escaped.First().size())
        m_out << "             (" << m_escaped.Count() << " in all)\n";
    m_watchdog->Done(mainSlot);
    m_watchdog.reset();
    Logging::SetLogSink(std::move(previousSink));
    Logging::SetLogLevelThreshold(previousLevel);
    m_out << "storm: " << m_checks << " checks, " << m_findings << " with findings; replay with --storm "
          << m_options.seconds << " --seed " << m_options.seed << " --threads " << threads << '\n';
    return static_cast<int>(m_findings);
}
} // namespace

void SStormOptions::ParseThreads(std::string const& text)
{
    std::istringstream items(text);
    for (std::string item; std::getline(items, item, ',');)
    {
        auto const equals = item.find('=');
        std::string const kind = item.substr(0, equals);
        std::string const count = equals == std::string::npos ? std::string() : item.substr(equals + 1);
        unsigned long value = 0;
        std::size_t used = 0;
        try
        {
            value = std::stoul(count, &used);
        }
        catch (std::exception const&)
        {
            used = 0;
        }
        if (used == 0 || used != count.size())
            throw std::invalid_argument("--threads: '" + item + "' is not KIND=COUNT (kinds: engine, gui, teardown)");
        if (kind == "engine" && value >= 1 && value <= 8)
            engineThreads = static_cast<unsigned>(value);
        else if ((kind == "gui" || kind == "teardown") && value <= 1)
            (kind == "gui" ? gui : teardown) = value == 1;
        else if (kind == "engine" || kind == "gui" || kind == "teardown")
        {
            std::string message = "--threads: " + kind;
            message.append(" takes ").append(kind == "engine" ? "1 to 8" : "0 or 1").append(" thread(s), not ");
            throw std::invalid_argument(message.append(count));
        }
        else
            throw std::invalid_argument("--threads: unknown thread kind '" + kind + "' (kinds: engine, gui, teardown)");
    }
}

int RunStorm(SStormOptions const& options, std::ostream& out)
{
    return CStorm(options, out).Run();
}
} // namespace Orx2Sim
