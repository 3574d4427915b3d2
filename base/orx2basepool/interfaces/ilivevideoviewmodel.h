#pragma once
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"
#include "host/foundation/cstringw.h"
#include "host/values/iimagedata2dsimple.h"

#include <memory>

namespace Base
{
/// The recording panel of the live picture: snapshots, videos and panoramas, the panorama image, the
/// done flags of the automatic start and stop of recordings, and the commands a product installs.
/// Commands taking a `CStringW const&` receive a text from the GUI (what it means is the product's
/// business). Every property may be read from any thread and lives as long as the view model; the
/// command getters are named without `Get`.
class ILiveVideoViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    using Command = ICommand<>; ///< A command without arguments.
    using TextCommand = ICommand<CStringW const&>; ///< A command taking a text (a file name).

    ~ILiveVideoViewModel() override = default;

    /// The property the GUI binds as `Visibility`.
    virtual IProperty<bool> const& GetVisibility() const = 0;
    /// The property the GUI binds as `IsEnabled`.
    virtual IProperty<bool> const& GetIsEnabled() const = 0;
    /// The property the GUI binds as `IsSelected`.
    virtual IProperty<bool> const& GetIsSelected() const = 0;
    /// The property the GUI binds as `IsRecordPanoramaVisible`.
    virtual IProperty<bool> const& GetIsRecordPanoramaVisible() const = 0;
    /// The property the GUI binds as `IsSupportedAutoStartStop`.
    virtual IProperty<bool> const& GetIsSupportedAutoStartStop() const = 0;
    /// The last recorded panorama; empty until one was recorded.
    virtual IProperty<std::shared_ptr<const IImageData2DSimple>> const& GetPanoramaImage() const = 0;
    /// The property the GUI binds as `PanoramaRecordDone`.
    virtual IProperty<bool> const& GetPanoramaRecordDone() const = 0;
    /// The property the GUI binds as `AutoStartSnapshotDone`.
    virtual IProperty<bool> const& GetAutoStartSnapshotDone() const = 0;
    /// The property the GUI binds as `AutoStartVideoDone`.
    virtual IProperty<bool> const& GetAutoStartVideoDone() const = 0;
    /// The property the GUI binds as `AutoStopVideoDone`.
    virtual IProperty<bool> const& GetAutoStopVideoDone() const = 0;
    /// The command the GUI executes as `StartCaptureMode`.
    virtual IProperty<std::shared_ptr<Command>> const& StartCaptureModeCommand() const = 0;
    /// The command the GUI executes as `StartIdleMode`.
    virtual IProperty<std::shared_ptr<Command>> const& StartIdleModeCommand() const = 0;
    /// The command the GUI executes as `TakeSnapshot`.
    virtual IProperty<std::shared_ptr<TextCommand>> const& TakeSnapshotCommand() const = 0;
    /// The command the GUI executes as `AutoStartSnapshot`.
    virtual IProperty<std::shared_ptr<TextCommand>> const& AutoStartSnapshotCommand() const = 0;
    /// The command the GUI executes as `StartRecordVideo`.
    virtual IProperty<std::shared_ptr<TextCommand>> const& StartRecordVideoCommand() const = 0;
    /// The command the GUI executes as `AutoStartRecordVideo`.
    virtual IProperty<std::shared_ptr<TextCommand>> const& AutoStartRecordVideoCommand() const = 0;
    /// The command the GUI executes as `StopRecordVideo`.
    virtual IProperty<std::shared_ptr<Command>> const& StopRecordVideoCommand() const = 0;
    /// The command the GUI executes as `StartRecordPanorama`.
    virtual IProperty<std::shared_ptr<TextCommand>> const& StartRecordPanoramaCommand() const = 0;
    /// The command the GUI executes as `StopRecordPanorama`.
    virtual IProperty<std::shared_ptr<Command>> const& StopRecordPanoramaCommand() const = 0;
    /// Re-reads the product's configuration into the view model. Called on the GUI's thread.
    virtual void UpdateConfigurationParameters() = 0;
};

/// What the GUI binds of `ILiveVideoViewModel`, by name (see TDescription).
template <> struct TDescription<ILiveVideoViewModel> : Describe::TMembersOf<ILiveVideoViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("Visibility", &I::GetVisibility),
            Property<bool>("IsEnabled", &I::GetIsEnabled),
            Property<bool>("IsSelected", &I::GetIsSelected),
            Property<bool>("IsRecordPanoramaVisible", &I::GetIsRecordPanoramaVisible),
            Property<bool>("IsSupportedAutoStartStop", &I::GetIsSupportedAutoStartStop),
            Property<std::shared_ptr<IImageData2DSimple const>>("PanoramaImage", &I::GetPanoramaImage),
            Property<bool>("PanoramaRecordDone", &I::GetPanoramaRecordDone),
            Property<bool>("AutoStartSnapshotDone", &I::GetAutoStartSnapshotDone),
            Property<bool>("AutoStartVideoDone", &I::GetAutoStartVideoDone),
            Property<bool>("AutoStopVideoDone", &I::GetAutoStopVideoDone),
            Command<>("StartCaptureMode", &I::StartCaptureModeCommand),
            Command<>("StartIdleMode", &I::StartIdleModeCommand),
            Command<CStringW const&>("TakeSnapshot", &I::TakeSnapshotCommand),
            Command<CStringW const&>("AutoStartSnapshot", &I::AutoStartSnapshotCommand),
            Command<CStringW const&>("StartRecordVideo", &I::StartRecordVideoCommand),
            Command<CStringW const&>("AutoStartRecordVideo", &I::AutoStartRecordVideoCommand),
            Command<>("StopRecordVideo", &I::StopRecordVideoCommand),
            Command<CStringW const&>("StartRecordPanorama", &I::StartRecordPanoramaCommand),
            Command<>("StopRecordPanorama", &I::StopRecordPanoramaCommand));
        // clang-format on
    }
};
} // namespace Base
