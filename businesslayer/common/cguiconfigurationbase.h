#pragma once
#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/interfaces/iguiconfiguration.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tviewmodelslot.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>
#include <vector>

namespace Base
{
class IAcquisitionService;
}

namespace BusinessLayer
{
/// The directory of view-model slots through which the GUI reaches the acquisition screen. Every slot
/// starts empty; the host or a product-specific subclass constructs the view models and writes them
/// into the slots through the non-const accessors (slot 13, the region selection, has no accessor on
/// the interface: subclasses reach it through `GetRegionSelectionSlot()`). The base fills only the
/// capture-keys slot, in `setupKeyboardAndFootControl`, which the subclass or host calls once it has
/// the acquisition service.
///
/// The slots belong to a change owner nobody listens to: the GUI follows a slot through its own
/// value-changed event, and no PropertyChanged exists. A slot hands out each view model behind a
/// reference of its own (Base::TViewModelSlot): a GUI that holds what it read weakly and re-reads it
/// inside a notification never destroys the view model there, even when the host empties the slot and
/// drops its own reference meanwhile; the view model then dies after that delivery.
///
/// The 3D scene in slot 10 always carries the sink of slot 1, whichever is set first or changes later:
/// a new sink reaches `onVisSinkChange` (whose base behaviour hands it to the current scene, an empty
/// sink too), and a new scene receives the current sink. An emptied or replaced scene is not called
/// again. The first call of `onVisSinkChange`, with the empty sink, happens inside the constructor and
/// therefore reaches this class's implementation even when a subclass overrides it.
///
/// Thread-safety: slots are properties and may be read and written from any thread; the observers run
/// on the thread that writes slot 1 or slot 10, inside that write. Write slots 1 and 10 from one thread:
/// a sink and a scene written at the same time on two threads may leave the new scene with the old
/// sink (each write reads the other slot before the other write has landed), and writes of both on
/// several threads at once may wait for each other for ever. `onVisSinkChange` must not write slot 1.
///
/// Lifetime: the configuration holds one strong reference per filled slot. Destruction first ends the
/// scene observer, then the sink observer (so no observer call reaches a half-destroyed configuration,
/// and destroying it calls nothing on the scene), then releases the slots in the reverse of their
/// order, then the four reserved members. Slots 1 and 10 must not be written while the configuration
/// is being destroyed.
class ORX2_COMMON_EXPORT CGuiConfigurationBase : public Base::IGuiConfiguration
{
public:
    using SinkPtr = std::shared_ptr<Base::I3DVisualizationSink>; ///< The renderer's sink.
    /// A slot of the configuration, holding a view model of interface `I`.
    template <class I> using SlotProperty = Base::TViewModelSlot<I>;

    /// Every slot empty; connects the two observers (onVisSinkChange runs once, with the empty sink,
    /// and finds no scene). Throws std::bad_alloc.
    CGuiConfigurationBase();
    ~CGuiConfigurationBase() override;

    /// Writes slot 1. A sink different from the stored one reaches onVisSinkChange, on this thread.
    /// Throws what onVisSinkChange and the scene throw (the sink stays stored).
    void Set3dVisualizationSink(SinkPtr const& sink) override;

    // clang-format off
    Slot<Base::IAcquisitionButtonViewModel>& GetAcquisitionButtonConfiguration() override { return m_acquisitionButton; }
    Slot<Base::IAcquisitionButtonViewModel> const& GetAcquisitionButtonConfiguration() const override { return m_acquisitionButton; }
    Slot<Base::ISidePanelViewModel>& GetSidePanelConfiguration() override { return m_sidePanel; }
    Slot<Base::ISidePanelViewModel> const& GetSidePanelConfiguration() const override { return m_sidePanel; }
    Slot<Base::IAreaViewModel>& GetAreaConfiguration() override { return m_area; }
    Slot<Base::IAreaViewModel> const& GetAreaConfiguration() const override { return m_area; }
    Slot<Base::IStepMenuViewModel>& GetStepMenuConfiguration() override { return m_stepMenu; }
    Slot<Base::IStepMenuViewModel> const& GetStepMenuConfiguration() const override { return m_stepMenu; }
    Slot<Base::IObjectListViewModel>& GetObjectListConfiguration() override { return m_objectList; }
    Slot<Base::IObjectListViewModel> const& GetObjectListConfiguration() const override { return m_objectList; }
    Slot<Base::ILiveOptionsViewModel>& GetLiveOptionsConfiguration() override { return m_liveOptions; }
    Slot<Base::ILiveOptionsViewModel> const& GetLiveOptionsConfiguration() const override { return m_liveOptions; }
    Slot<Base::ITrashViewModel>& GetTrashConfiguration() override { return m_trash; }
    Slot<Base::ITrashViewModel> const& GetTrashConfiguration() const override { return m_trash; }
    Slot<Base::ILiveVideoViewModel>& GetLiveVideoConfiguration() override { return m_liveVideo; }
    Slot<Base::ILiveVideoViewModel> const& GetLiveVideoConfiguration() const override { return m_liveVideo; }
    Slot<Base::I3DSceneViewModel>& Get3DSceneConfiguration() override { return m_3dScene; }
    Slot<Base::I3DSceneViewModel> const& Get3DSceneConfiguration() const override { return m_3dScene; }
    Slot<Base::IMessageBoxViewModel>& GetMessageBoxConfiguration() override { return m_messageBox; }
    Slot<Base::IMessageBoxViewModel> const& GetMessageBoxConfiguration() const override { return m_messageBox; }
    Slot<Base::ILiveImageViewModel>& GetLiveImageConfiguration() override { return m_liveImage; }
    Slot<Base::ILiveImageViewModel> const& GetLiveImageConfiguration() const override { return m_liveImage; }
    Slot<Base::ISoundModel>& GetSoundConfiguration() override { return m_sound; }
    Slot<Base::ISoundModel> const& GetSoundConfiguration() const override { return m_sound; }
    Slot<Base::ICaptureKeysViewModel>& GetCaptureKeysConfiguration() override { return m_captureKeys; }
    Slot<Base::ICaptureKeysViewModel> const& GetCaptureKeysConfiguration() const override { return m_captureKeys; }
    Slot<Base::ICameraCalibrationViewModel>& GetCameraCalibrationConfiguration() override { return m_cameraCalibration; }
    Slot<Base::ICameraCalibrationViewModel> const& GetCameraCalibrationConfiguration() const override { return m_cameraCalibration; }
    Slot<Base::ILockGUIViewModel>& GetLockGUIConfiguration() override { return m_lockGui; }
    Slot<Base::ILockGUIViewModel> const& GetLockGUIConfiguration() const override { return m_lockGui; }
    Slot<Base::ITabManagerViewModel>& GetTabManagerConfiguration() override { return m_tabManager; }
    Slot<Base::ITabManagerViewModel> const& GetTabManagerConfiguration() const override { return m_tabManager; }
    Slot<Base::IQRCodeViewModel>& GetQRCodeConfiguration() override { return m_qrCode; }
    Slot<Base::IQRCodeViewModel> const& GetQRCodeConfiguration() const override { return m_qrCode; }
    Slot<Base::IColorCalibDialogViewModel>& GetColorCalibDialogConfiguration() override { return m_colorCalibDialog; }
    Slot<Base::IColorCalibDialogViewModel> const& GetColorCalibDialogConfiguration() const override { return m_colorCalibDialog; }
    Slot<Base::ILiveViewNSPViewModel>& GetLiveImageNSPConfiguration() override { return m_liveImageNsp; }
    Slot<Base::ILiveViewNSPViewModel> const& GetLiveImageNSPConfiguration() const override { return m_liveImageNsp; }
    Slot<Base::IProgressBarViewModel>& GetProgressBarConfiguration() override { return m_progressBar; }
    Slot<Base::IProgressBarViewModel> const& GetProgressBarConfiguration() const override { return m_progressBar; }
    Slot<Base::IToolModelDoubleClick>& GetDoubleClickToolConfiguration() override { return m_doubleClickTool; }
    Slot<Base::IToolModelDoubleClick> const& GetDoubleClickToolConfiguration() const override { return m_doubleClickTool; }
    Slot<Base::IToolModelROI>& GetRoiToolConfiguration() override { return m_roiTool; }
    Slot<Base::IToolModelROI> const& GetRoiToolConfiguration() const override { return m_roiTool; }
    Slot<Base::ISceneInfoHintModel>& GetSceneInfoHintConfiguration() override { return m_sceneInfoHint; }
    Slot<Base::ISceneInfoHintModel> const& GetSceneInfoHintConfiguration() const override { return m_sceneInfoHint; }
    // clang-format on

protected:
    /// Called on every change of slot 1 with the new sink, on the writing thread, inside the write.
    /// The base hands the sink to the scene of slot 10, if any (an empty sink too). Overrides must not
    /// write slot 1.
    virtual void onVisSinkChange(SinkPtr const& sink);

    /// Builds the keyboard and foot control for `service` (held weakly; empty: every key is dropped):
    /// 1. a new capture-keys view model goes into the capture-keys slot, replacing the one set before;
    /// 2. "CGuiConfigurationBase.GenericKeyPressed" (key, key data, pressed) is made and registered; it
    ///    hands every key to the service's OnGenericKey;
    /// 3. "CGuiConfigurationBase.KeyPressed" (key, key data) is made, registered and installed as the
    ///    view model's key-pressed command: the space bar and the two plus keys (107, 187) go to
    ///    OnDedicatedKey(true), F6 to F9 are ignored, every other key goes through the generic command;
    /// 4. "CGuiConfigurationBase.KeyReleased" likewise with the space bar and the two minus keys
    ///    (109, 189) going to OnDedicatedKey(false): the table is deliberately asymmetric, so a plus key
    ///    is released and a minus key pressed as a generic key.
    /// The three commands are plain and do not lock the GUI; they live as long as the view model holds
    /// the two key commands (which hold the generic one). Their actions hold the service weakly and
    /// reach nothing of this configuration, so they may outlive it. The service's results are released
    /// at once and never waited on. A name still taken by a live command of an earlier call stays with
    /// that one; the new commands work through the view model regardless.
    /// Throws std::bad_alloc and what the host's journal and the slot's handlers throw.
    virtual void setupKeyboardAndFootControl(std::shared_ptr<Base::IAcquisitionService> const& service);

    /// Slot 13, which the interface does not hand out.
    SlotProperty<Base::IRegionSelectionViewModel>& GetRegionSelectionSlot() { return m_regionSelection; }

    /// @{
    /// Storage for subclasses that the base creates empty, never reads and releases after every slot.
    /// Not guarded: use it from the subclass's constructor and destructor only.
    std::vector<std::shared_ptr<void>>& GetReservedList1() { return m_reservedList1; }
    std::vector<std::shared_ptr<void>>& GetReservedList2() { return m_reservedList2; }
    std::shared_ptr<void>& GetReservedObject1() { return m_reservedObject1; }
    std::shared_ptr<void>& GetReservedObject2() { return m_reservedObject2; }
    /// @}

private:
    static Logging::CLogger const s_logger; // the class's channel; it writes nothing to it

    /// The scene observer's action: a new, non-empty scene receives the current sink.
    void onSceneChange(std::shared_ptr<Base::I3DSceneViewModel> const& scene);

    // Declared first, so released last.
    std::vector<std::shared_ptr<void>> m_reservedList1;
    std::vector<std::shared_ptr<void>> m_reservedList2;
    std::shared_ptr<void> m_reservedObject1;
    std::shared_ptr<void> m_reservedObject2;

    Base::CSilentChangeOwner m_slotOwner; // before the slots
    Base::TProperty<SinkPtr> m_visualizationSink{nullptr, m_slotOwner};
    SlotProperty<Base::IAcquisitionButtonViewModel> m_acquisitionButton{m_slotOwner};
    SlotProperty<Base::ISidePanelViewModel> m_sidePanel{m_slotOwner};
    SlotProperty<Base::IAreaViewModel> m_area{m_slotOwner};
    SlotProperty<Base::IStepMenuViewModel> m_stepMenu{m_slotOwner};
    SlotProperty<Base::IObjectListViewModel> m_objectList{m_slotOwner};
    SlotProperty<Base::ILiveOptionsViewModel> m_liveOptions{m_slotOwner};
    SlotProperty<Base::ITrashViewModel> m_trash{m_slotOwner};
    SlotProperty<Base::ILiveVideoViewModel> m_liveVideo{m_slotOwner};
    SlotProperty<Base::I3DSceneViewModel> m_3dScene{m_slotOwner};
    SlotProperty<Base::IMessageBoxViewModel> m_messageBox{m_slotOwner};
    SlotProperty<Base::ILiveImageViewModel> m_liveImage{m_slotOwner};
    SlotProperty<Base::IRegionSelectionViewModel> m_regionSelection{m_slotOwner};
    SlotProperty<Base::ISoundModel> m_sound{m_slotOwner};
    SlotProperty<Base::ICaptureKeysViewModel> m_captureKeys{m_slotOwner};
    SlotProperty<Base::ILockGUIViewModel> m_lockGui{m_slotOwner};
    SlotProperty<Base::ITabManagerViewModel> m_tabManager{m_slotOwner};
    SlotProperty<Base::ICameraCalibrationViewModel> m_cameraCalibration{m_slotOwner};
    SlotProperty<Base::IQRCodeViewModel> m_qrCode{m_slotOwner};
    SlotProperty<Base::IColorCalibDialogViewModel> m_colorCalibDialog{m_slotOwner};
    SlotProperty<Base::ILiveViewNSPViewModel> m_liveImageNsp{m_slotOwner};
    SlotProperty<Base::IProgressBarViewModel> m_progressBar{m_slotOwner};
    SlotProperty<Base::IToolModelDoubleClick> m_doubleClickTool{m_slotOwner};
    SlotProperty<Base::IToolModelROI> m_roiTool{m_slotOwner};
    SlotProperty<Base::ISceneInfoHintModel> m_sceneInfoHint{m_slotOwner};

    // After the slots they observe; the scene observer is declared last so that it ends first.
    Base::Binding::TValueChangedObserver<SinkPtr> m_sinkObserver;
    Base::Binding::TValueChangedObserver<std::shared_ptr<Base::I3DSceneViewModel>> m_sceneObserver;
};
} // namespace BusinessLayer
