#pragma once
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/tdescription.h"

#include <memory>

namespace Base
{
// The view models the slots hold. Declared here only: the GUI configuration passes their pointers
// through and never calls them (except the 3D scene's). Some are defined with their view models in
// this library, the others (object list, message box, region selection, sound, tab manager, live image
// NSP, progress bar, the two tool models and the scene info hint) by the host alone.
class I3DVisualizationSink;
class IAcquisitionButtonViewModel;
class ISidePanelViewModel;
class IAreaViewModel;
class IStepMenuViewModel;
class IObjectListViewModel;
class ILiveOptionsViewModel;
class ITrashViewModel;
class ILiveVideoViewModel;
class I3DSceneViewModel;
class IMessageBoxViewModel;
class ILiveImageViewModel;
class IRegionSelectionViewModel;
class ISoundModel;
class ICaptureKeysViewModel;
class ILockGUIViewModel;
class ITabManagerViewModel;
class ICameraCalibrationViewModel;
class IQRCodeViewModel;
class IColorCalibDialogViewModel;
class ILiveViewNSPViewModel;
class IProgressBarViewModel;
class IToolModelDoubleClick;
class IToolModelROI;
class ISceneInfoHintModel;

/// The one object through which the GUI reaches every view model of the acquisition screen: a
/// directory of slots, each a property holding the current view model of one kind (empty until the
/// host fills it). The GUI reads a slot, binds to the view model it holds and is told through the
/// slot's value-changed event when it is filled or replaced. Slots may be read and written from any
/// thread, as properties are; the GUI should not write them.
class IGuiConfiguration : public INonCopyable
{
public:
    /// A slot: a property holding the current view model of interface `I`, empty until the host fills it.
    template <class I> using Slot = IProperty<std::shared_ptr<I>>;

    virtual ~IGuiConfiguration() = default;

    /// Stores the renderer's sink; the 3D scene view model receives it (now, or when it is set).
    virtual void Set3dVisualizationSink(std::shared_ptr<I3DVisualizationSink> const& sink) = 0;

    // clang-format off
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<IAcquisitionButtonViewModel>& GetAcquisitionButtonConfiguration() = 0;
    /// The slot the GUI follows as `AcquisitionButton`: the view model it holds now, empty while none.
    virtual Slot<IAcquisitionButtonViewModel> const& GetAcquisitionButtonConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<ISidePanelViewModel>& GetSidePanelConfiguration() = 0;
    /// The slot the GUI follows as `SidePanel`: the view model it holds now, empty while none.
    virtual Slot<ISidePanelViewModel> const& GetSidePanelConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<IAreaViewModel>& GetAreaConfiguration() = 0;
    /// The slot the GUI follows as `Area`: the view model it holds now, empty while none.
    virtual Slot<IAreaViewModel> const& GetAreaConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<IStepMenuViewModel>& GetStepMenuConfiguration() = 0;
    /// The slot the GUI follows as `StepMenu`: the view model it holds now, empty while none.
    virtual Slot<IStepMenuViewModel> const& GetStepMenuConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<IObjectListViewModel>& GetObjectListConfiguration() = 0;
    /// The slot the GUI follows as `ObjectList`: the view model it holds now, empty while none.
    virtual Slot<IObjectListViewModel> const& GetObjectListConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<ILiveOptionsViewModel>& GetLiveOptionsConfiguration() = 0;
    /// The slot the GUI follows as `LiveOptions`: the view model it holds now, empty while none.
    virtual Slot<ILiveOptionsViewModel> const& GetLiveOptionsConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<ITrashViewModel>& GetTrashConfiguration() = 0;
    /// The slot the GUI follows as `Trash`: the view model it holds now, empty while none.
    virtual Slot<ITrashViewModel> const& GetTrashConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<ILiveVideoViewModel>& GetLiveVideoConfiguration() = 0;
    /// The slot the GUI follows as `LiveVideo`: the view model it holds now, empty while none.
    virtual Slot<ILiveVideoViewModel> const& GetLiveVideoConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<I3DSceneViewModel>& Get3DSceneConfiguration() = 0;
    /// The slot the GUI follows as `3DScene`: the view model it holds now, empty while none.
    virtual Slot<I3DSceneViewModel> const& Get3DSceneConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<IMessageBoxViewModel>& GetMessageBoxConfiguration() = 0;
    /// The slot the GUI follows as `MessageBox`: the view model it holds now, empty while none.
    virtual Slot<IMessageBoxViewModel> const& GetMessageBoxConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<ILiveImageViewModel>& GetLiveImageConfiguration() = 0;
    /// The slot the GUI follows as `LiveImage`: the view model it holds now, empty while none.
    virtual Slot<ILiveImageViewModel> const& GetLiveImageConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<ISoundModel>& GetSoundConfiguration() = 0;
    /// The slot the GUI follows as `Sound`: the view model it holds now, empty while none.
    virtual Slot<ISoundModel> const& GetSoundConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<ICaptureKeysViewModel>& GetCaptureKeysConfiguration() = 0;
    /// The slot the GUI follows as `CaptureKeys`: the view model it holds now, empty while none.
    virtual Slot<ICaptureKeysViewModel> const& GetCaptureKeysConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<ICameraCalibrationViewModel>& GetCameraCalibrationConfiguration() = 0;
    /// The slot the GUI follows as `CameraCalibration`: the view model it holds now, empty while none.
    virtual Slot<ICameraCalibrationViewModel> const& GetCameraCalibrationConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<ILockGUIViewModel>& GetLockGUIConfiguration() = 0;
    /// The slot the GUI follows as `LockGUI`: the view model it holds now, empty while none.
    virtual Slot<ILockGUIViewModel> const& GetLockGUIConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<ITabManagerViewModel>& GetTabManagerConfiguration() = 0;
    /// The slot the GUI follows as `TabManager`: the view model it holds now, empty while none.
    virtual Slot<ITabManagerViewModel> const& GetTabManagerConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<IQRCodeViewModel>& GetQRCodeConfiguration() = 0;
    /// The slot the GUI follows as `QRCode`: the view model it holds now, empty while none.
    virtual Slot<IQRCodeViewModel> const& GetQRCodeConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<IColorCalibDialogViewModel>& GetColorCalibDialogConfiguration() = 0;
    /// The slot the GUI follows as `ColorCalibDialog`: the view model it holds now, empty while none.
    virtual Slot<IColorCalibDialogViewModel> const& GetColorCalibDialogConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<ILiveViewNSPViewModel>& GetLiveImageNSPConfiguration() = 0;
    /// The slot the GUI follows as `LiveImageNSP`: the view model it holds now, empty while none.
    virtual Slot<ILiveViewNSPViewModel> const& GetLiveImageNSPConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<IProgressBarViewModel>& GetProgressBarConfiguration() = 0;
    /// The slot the GUI follows as `ProgressBar`: the view model it holds now, empty while none.
    virtual Slot<IProgressBarViewModel> const& GetProgressBarConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<IToolModelDoubleClick>& GetDoubleClickToolConfiguration() = 0;
    /// The slot the GUI follows as `DoubleClickTool`: the view model it holds now, empty while none.
    virtual Slot<IToolModelDoubleClick> const& GetDoubleClickToolConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<IToolModelROI>& GetRoiToolConfiguration() = 0;
    /// The slot the GUI follows as `RoiTool`: the view model it holds now, empty while none.
    virtual Slot<IToolModelROI> const& GetRoiToolConfiguration() const = 0;
    /// For the host, which fills it: the same slot, writable (the GUI reads the const one).
    virtual Slot<ISceneInfoHintModel>& GetSceneInfoHintConfiguration() = 0;
    /// The slot the GUI follows as `SceneInfoHint`: the view model it holds now, empty while none.
    virtual Slot<ISceneInfoHintModel> const& GetSceneInfoHintConfiguration() const = 0;
    // clang-format on
};

/// What the GUI binds of `IGuiConfiguration`, by name (see TDescription).
template <> struct TDescription<IGuiConfiguration> : Describe::TMembersOf<IGuiConfiguration>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Slot<IAcquisitionButtonViewModel>("AcquisitionButton", &I::GetAcquisitionButtonConfiguration),
            Slot<ISidePanelViewModel>("SidePanel", &I::GetSidePanelConfiguration),
            Slot<IAreaViewModel>("Area", &I::GetAreaConfiguration),
            Slot<IStepMenuViewModel>("StepMenu", &I::GetStepMenuConfiguration),
            Slot<IObjectListViewModel>("ObjectList", &I::GetObjectListConfiguration),
            Slot<ILiveOptionsViewModel>("LiveOptions", &I::GetLiveOptionsConfiguration),
            Slot<ITrashViewModel>("Trash", &I::GetTrashConfiguration),
            Slot<ILiveVideoViewModel>("LiveVideo", &I::GetLiveVideoConfiguration),
            Slot<I3DSceneViewModel>("3DScene", &I::Get3DSceneConfiguration),
            Slot<IMessageBoxViewModel>("MessageBox", &I::GetMessageBoxConfiguration),
            Slot<ILiveImageViewModel>("LiveImage", &I::GetLiveImageConfiguration),
            Slot<ISoundModel>("Sound", &I::GetSoundConfiguration),
            Slot<ICaptureKeysViewModel>("CaptureKeys", &I::GetCaptureKeysConfiguration),
            Slot<ICameraCalibrationViewModel>("CameraCalibration", &I::GetCameraCalibrationConfiguration),
            Slot<ILockGUIViewModel>("LockGUI", &I::GetLockGUIConfiguration),
            Slot<ITabManagerViewModel>("TabManager", &I::GetTabManagerConfiguration),
            Slot<IQRCodeViewModel>("QRCode", &I::GetQRCodeConfiguration),
            Slot<IColorCalibDialogViewModel>("ColorCalibDialog", &I::GetColorCalibDialogConfiguration),
            Slot<ILiveViewNSPViewModel>("LiveImageNSP", &I::GetLiveImageNSPConfiguration),
            Slot<IProgressBarViewModel>("ProgressBar", &I::GetProgressBarConfiguration),
            Slot<IToolModelDoubleClick>("DoubleClickTool", &I::GetDoubleClickToolConfiguration),
            Slot<IToolModelROI>("RoiTool", &I::GetRoiToolConfiguration),
            Slot<ISceneInfoHintModel>("SceneInfoHint", &I::GetSceneInfoHintConfiguration));
        // clang-format on
    }
};
} // namespace Base
