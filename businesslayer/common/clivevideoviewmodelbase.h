#pragma once
#include "base/orx2basepool/interfaces/ilivevideoviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// The recording panel of the live picture, a state holder: every flag starts false, there is no
/// panorama image and no command. A product derives from it, installs its commands and sets the
/// recording flags and the panorama image when its commands run, and overrides
/// UpdateConfigurationParameters (see the reference host's CLiveVideoViewModel).
///
/// Writing the members: Visibility, IsEnabled and IsSelected have public non-const accessors for the
/// configuring code. The other sixteen have only their const getters in public; a subclass writes them
/// through the protected accessors named after the member with the suffix `Property`
/// (`PanoramaImageProperty()`, `StopRecordPanoramaCommandProperty()`), each returning the `TProperty`.
/// Installing or replacing a command notifies the GUI like any other property change.
///
/// Threads: every property may be read and set from any thread; notifications run on the setting
/// thread.
class ORX2_COMMON_EXPORT CLiveVideoViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::ILiveVideoViewModel>
{
public:
    /// The panorama image, empty while none.
    using ImagePointer = std::shared_ptr<const Base::IImageData2DSimple>;
    /// A command without arguments, empty while none is installed.
    using CommandPointer = std::shared_ptr<Command>;
    /// A command taking a text, empty while none is installed.
    using TextCommandPointer = std::shared_ptr<TextCommand>;

    CLiveVideoViewModelBase();
    ~CLiveVideoViewModelBase() override;

    Base::IProperty<bool> const& GetVisibility() const override { return m_visibility; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetVisibility() { return m_visibility; }
    Base::IProperty<bool> const& GetIsEnabled() const override { return m_isEnabled; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsEnabled() { return m_isEnabled; }
    Base::IProperty<bool> const& GetIsSelected() const override { return m_isSelected; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsSelected() { return m_isSelected; }

    Base::IProperty<bool> const& GetIsRecordPanoramaVisible() const override
    {
        return m_isRecordPanoramaVisible;
    }
    Base::IProperty<bool> const& GetIsSupportedAutoStartStop() const override
    {
        return m_isSupportedAutoStartStop;
    }
    Base::IProperty<ImagePointer> const& GetPanoramaImage() const override { return m_panoramaImage; }
    Base::IProperty<bool> const& GetPanoramaRecordDone() const override { return m_panoramaRecordDone; }
    Base::IProperty<bool> const& GetAutoStartSnapshotDone() const override { return m_autoStartSnapshotDone; }
    Base::IProperty<bool> const& GetAutoStartVideoDone() const override { return m_autoStartVideoDone; }
    Base::IProperty<bool> const& GetAutoStopVideoDone() const override { return m_autoStopVideoDone; }
    Base::IProperty<CommandPointer> const& StartCaptureModeCommand() const override
    {
        return m_startCaptureMode;
    }
    Base::IProperty<CommandPointer> const& StartIdleModeCommand() const override { return m_startIdleMode; }
    Base::IProperty<TextCommandPointer> const& TakeSnapshotCommand() const override { return m_takeSnapshot; }
    Base::IProperty<TextCommandPointer> const& AutoStartSnapshotCommand() const override
    {
        return m_autoStartSnapshot;
    }
    Base::IProperty<TextCommandPointer> const& StartRecordVideoCommand() const override
    {
        return m_startRecordVideo;
    }
    Base::IProperty<TextCommandPointer> const& AutoStartRecordVideoCommand() const override
    {
        return m_autoStartRecordVideo;
    }
    Base::IProperty<CommandPointer> const& StopRecordVideoCommand() const override
    {
        return m_stopRecordVideo;
    }
    Base::IProperty<TextCommandPointer> const& StartRecordPanoramaCommand() const override
    {
        return m_startRecordPanorama;
    }
    Base::IProperty<CommandPointer> const& StopRecordPanoramaCommand() const override
    {
        return m_stopRecordPanorama;
    }

    /// Does nothing here: the base has no configuration. A product re-reads its own.
    void UpdateConfigurationParameters() override;

protected:
    /// @{
    /// The property behind the getter of the same name, settable: for a derived class.
    Base::TProperty<bool>& IsRecordPanoramaVisibleProperty() { return m_isRecordPanoramaVisible; }
    Base::TProperty<bool>& IsSupportedAutoStartStopProperty() { return m_isSupportedAutoStartStop; }
    Base::TProperty<ImagePointer>& PanoramaImageProperty() { return m_panoramaImage; }
    Base::TProperty<bool>& PanoramaRecordDoneProperty() { return m_panoramaRecordDone; }
    Base::TProperty<bool>& AutoStartSnapshotDoneProperty() { return m_autoStartSnapshotDone; }
    Base::TProperty<bool>& AutoStartVideoDoneProperty() { return m_autoStartVideoDone; }
    Base::TProperty<bool>& AutoStopVideoDoneProperty() { return m_autoStopVideoDone; }
    Base::TProperty<CommandPointer>& StartCaptureModeCommandProperty() { return m_startCaptureMode; }
    Base::TProperty<CommandPointer>& StartIdleModeCommandProperty() { return m_startIdleMode; }
    Base::TProperty<TextCommandPointer>& TakeSnapshotCommandProperty() { return m_takeSnapshot; }
    Base::TProperty<TextCommandPointer>& AutoStartSnapshotCommandProperty() { return m_autoStartSnapshot; }
    Base::TProperty<TextCommandPointer>& StartRecordVideoCommandProperty() { return m_startRecordVideo; }
    Base::TProperty<TextCommandPointer>& AutoStartRecordVideoCommandProperty()
    {
        return m_autoStartRecordVideo;
    }
    Base::TProperty<CommandPointer>& StopRecordVideoCommandProperty() { return m_stopRecordVideo; }
    Base::TProperty<TextCommandPointer>& StartRecordPanoramaCommandProperty()
    {
        return m_startRecordPanorama;
    }
    Base::TProperty<CommandPointer>& StopRecordPanoramaCommandProperty() { return m_stopRecordPanorama; }
    /// @}

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<bool> m_visibility{false, *this};
    Base::TProperty<bool> m_isEnabled{false, *this};
    Base::TProperty<bool> m_isSelected{false, *this};
    Base::TProperty<bool> m_isRecordPanoramaVisible{false, *this};
    Base::TProperty<bool> m_isSupportedAutoStartStop{false, *this};
    Base::TProperty<ImagePointer> m_panoramaImage{nullptr, *this};
    Base::TProperty<bool> m_panoramaRecordDone{false, *this};
    Base::TProperty<bool> m_autoStartSnapshotDone{false, *this};
    Base::TProperty<bool> m_autoStartVideoDone{false, *this};
    Base::TProperty<bool> m_autoStopVideoDone{false, *this};
    Base::TProperty<CommandPointer> m_startCaptureMode{nullptr, *this};
    Base::TProperty<CommandPointer> m_startIdleMode{nullptr, *this};
    Base::TProperty<TextCommandPointer> m_takeSnapshot{nullptr, *this};
    Base::TProperty<TextCommandPointer> m_autoStartSnapshot{nullptr, *this};
    Base::TProperty<TextCommandPointer> m_startRecordVideo{nullptr, *this};
    Base::TProperty<TextCommandPointer> m_autoStartRecordVideo{nullptr, *this};
    Base::TProperty<CommandPointer> m_stopRecordVideo{nullptr, *this};
    Base::TProperty<TextCommandPointer> m_startRecordPanorama{nullptr, *this};
    Base::TProperty<CommandPointer> m_stopRecordPanorama{nullptr, *this};
};
} // namespace BusinessLayer
