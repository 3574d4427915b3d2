#pragma once
#include "../csimhost.h"
#include "../simtext.h"

#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/ctoolactionviewmodelbase.h"
#include "reference_host/ccalibrationdriver.h"

#include "../ctimeline.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Orx2Sim
{
/// Every view model the storm's host built, held weakly with a label, so that the end can tell which
/// of them outlived the final teardown. Thread-safe.
class CStormCensus
{
public:
    void Add(std::string label, std::weak_ptr<void const> viewModel);
    /// The labels of the view models still alive.
    std::vector<std::string> Alive() const;
    std::size_t Count() const;

private:
    mutable std::mutex m_mutex;
    std::vector<std::pair<std::string, std::weak_ptr<void const>>> m_entries;
    std::size_t m_total = 0;
};

/// The view models of one acquisition screen as a GUI reads them: what the slots hold, locked for one
/// reading. Any of them may be empty.
struct SScreenViewModels
{
    std::shared_ptr<Base::IAreaViewModel> area;
    std::shared_ptr<Base::IStepMenuViewModel> stepMenu;
    std::shared_ptr<Base::ICameraCalibrationViewModel> camera;
    std::shared_ptr<Base::IColorCalibDialogViewModel> dialog;
    std::shared_ptr<Base::ILiveImageViewModel> liveImage;
    std::shared_ptr<Base::ILiveVideoViewModel> liveVideo;
    std::shared_ptr<Base::ISidePanelViewModel> sidePanel;
    std::shared_ptr<Base::ILiveOptionsViewModel> liveOptions;
    std::shared_ptr<Base::ILockGUIViewModel> lockGui;
    std::shared_ptr<Base::ITrashViewModel> trash;
    std::shared_ptr<Base::ICaptureKeysViewModel> captureKeys;
    std::shared_ptr<Base::IQRCodeViewModel> qrCode;

    /// What `gui`'s slots hold now.
    static SScreenViewModels FromSlots(Base::IGuiConfiguration const& gui);
};

/// One acquisition screen as the simulator's host builds it (CSimHost::MakeGuiConfiguration and
/// MakeAreaPanel, the modules' view models and their slots), built beside the host's own screen so
/// that the storm can replace its parts, empty it and let it go while the engine publishes.
///
/// The parts the teardown thread replaces are read and written atomically; the view models live in
/// their slots (and in the host-side objects that drive them: the area panel, the calibration driver),
/// so replacing a part lets the old view models go wherever their last holder lets them go.
/// Thread-safety: every member may be called from any thread.
class CStormScreen
{
public:
    /// The parts that can be built again on their own.
    enum class EPart
    {
        LiveImage,
        LiveVideo,
        SidePanel,
        LiveOptions,
        Calibration,
        AreaPanel,
        Count
    };

    /// The calibration as the host drives it: the view models and the scripted engine bound to them.
    struct SCalibration
    {
        std::shared_ptr<BusinessLayer::CCameraCalibrationViewModelBase> camera;
        std::shared_ptr<BusinessLayer::CCameraCalibrationStepMenuViewModel> menu;
        std::shared_ptr<BusinessLayer::CColorCalibDialogViewModelBase> dialog;
        std::unique_ptr<ReferenceHost::CCalibrationDriver> driver; // last: goes first
        ~SCalibration();
    };

    /// Builds every part and publishes it. The QR code's commands write `qrText` and the host's
    /// selected area; `partsReplaced` counts every part Rebuild replaces. Throws what the library's
    /// constructors throw.
    CStormScreen(CSimHost& host, CStormCensus& census, std::atomic<std::uint64_t>& partsReplaced,
                 std::shared_ptr<Base::TProperty<std::wstring>> qrText);
    ~CStormScreen();
    CStormScreen(CStormScreen const&) = delete;
    CStormScreen& operator=(CStormScreen const&) = delete;

    std::shared_ptr<ReferenceHost::CGuiConfiguration> GetGui() const { return std::atomic_load(&m_gui); }
    std::shared_ptr<ReferenceHost::CAreaPanel> GetAreaPanel() const { return std::atomic_load(&m_areaPanel); }
    std::shared_ptr<SCalibration> GetCalibration() const { return std::atomic_load(&m_calibration); }
    /// The simulator's tool "Sim", whose actions the GUI reaches by their registered names.
    std::vector<std::shared_ptr<BusinessLayer::CToolActionViewModelBase>> const& GetToolActions() const
    {
        return m_toolActions;
    }

    /// Builds `part` anew and puts it into its slots; the old one is let go.
    void Rebuild(EPart part);
    /// A case change: every slot is emptied, then every part is built anew and the slots are filled.
    void ChangeCase();

    /// The engine opens (or closes, when one is open) a request for the work indicator of this screen's
    /// lock-GUI view model; the number it keeps open is what the view model must show.
    void ToggleWorkIndicator(bool open);
    unsigned int GetOpenWorkIndicators() const { return m_openWorkIndicators.load(); }

    /// The engine asks through the calibration (camera: `target` 0; colour dialog: 1), as the
    /// calibration module does, with the step menu slot following the camera.
    void AskCalibration(int target, int state, int question, CStringW text);

private:
    void Fill();
    void Publish(EPart part);

    CSimHost& m_host;
    CStormCensus& m_census;
    std::atomic<std::uint64_t>& m_partsReplaced;
    std::shared_ptr<Base::TProperty<std::wstring>> const m_qrText;
    std::mutex m_rebuildMutex; // one rebuild or case change at a time
    std::shared_ptr<ReferenceHost::CGuiConfiguration> m_gui;
    std::shared_ptr<ReferenceHost::CAreaPanel> m_areaPanel;
    std::shared_ptr<SCalibration> m_calibration;
    std::vector<std::shared_ptr<BusinessLayer::CToolActionViewModelBase>> m_toolActions;
    std::shared_ptr<Base::ICommand<Base::EAreaItems>> m_qrArea;
    std::shared_ptr<Base::ICommand<CStringW>> m_qrCode;
    std::atomic<unsigned int> m_openWorkIndicators{0};
};

using ToolActions = std::vector<std::shared_ptr<BusinessLayer::CToolActionViewModelBase>>;

/// The named values of a screen, read as a GUI reads them: the simulator's own catalog declared for the
/// host and `gui` (DeclareScreen), with the tool's actions. Throws what the getters throw.
Json ReadScreen(CSimHost const& host, Base::IGuiConfiguration const& gui, ToolActions const& toolActions = {});

/// True for the values that depend on what happened to the screen by design (what the user and the
/// product chose, what the engine asked, the thumbnails its sources hold); the storm checks them by their
/// own rules instead of comparing them with a fresh screen's.
bool IsHistoryValue(std::string const& name);
} // namespace Orx2Sim
