#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "businesslayer/common/clivevideoviewmodelbase.h"
#include "host/foundation/cstringw.h"

#include <mutex>
#include <string>
#include <vector>

namespace ReferenceHost
{
/// The reference product's live video panel, and the how-to for product subclasses of
/// CLiveVideoViewModelBase: the constructor installs the nine recording commands through the base's
/// protected `…Property()` accessors, the commands set the done flags and the panorama image when they
/// run, and UpdateConfigurationParameters re-reads the product's configuration.
///
/// Commands, registered under "CLiveVideoViewModel." and the command's name without "Command"
/// ("CLiveVideoViewModel.StartRecordPanorama"), none GUI-locking; their actions reach this object only
/// while it is whole:
/// - StartCaptureMode / StartIdleMode: IsSelected true / false.
/// - TakeSnapshot(name): records a snapshot. AutoStartSnapshot(name): the same, then AutoStartSnapshotDone.
/// - StartRecordVideo(name) / AutoStartRecordVideo(name): start a video (the automatic one sets
///   AutoStartVideoDone and clears AutoStopVideoDone); ignored while a video is being recorded.
/// - StopRecordVideo: records the video; for an automatically started one, sets AutoStopVideoDone.
/// - StartRecordPanorama(name): clears PanoramaRecordDone and starts a panorama (a running one is
///   restarted under the new name). StopRecordPanorama: sets PanoramaImage to a new image of the
///   configured size named after the panorama, then PanoramaRecordDone.
/// Stops without a running recording do nothing.
///
/// Threads: commands and every member may be used from any thread; the recording state is guarded, and
/// properties are set outside that guard, so GUI handlers may execute further commands.
class CLiveVideoViewModel final : public BusinessLayer::CLiveVideoViewModelBase
{
public:
    /// What the product's configuration says; read by UpdateConfigurationParameters.
    struct SConfiguration
    {
        bool panoramaSupported = true; ///< Whether panoramas can be recorded.
        bool autoStartStopSupported = true; ///< Whether recordings may start and stop automatically.
        unsigned panoramaWidth = 1024; ///< The width of a recorded panorama.
        unsigned panoramaHeight = 256; ///< The height of a recorded panorama.
    };

    /// What a recording made.
    enum class ERecordingKind
    {
        Snapshot,
        Video,
        Panorama,
    };
    /// One recording the view model made.
    struct SRecording
    {
        ERecordingKind kind; ///< What it made.
        std::wstring name; ///< The name it was given.
    };

    /// Installs the commands and applies `configuration` (by default, everything supported). Throws
    /// std::bad_alloc and what the host's journal throws.
    CLiveVideoViewModel();
    /// Installs the commands and applies `configuration`. Throws as the default constructor.
    explicit CLiveVideoViewModel(SConfiguration configuration);
    ~CLiveVideoViewModel() override;

    /// Stores a new configuration; it takes effect with the next UpdateConfigurationParameters.
    void SetConfiguration(SConfiguration const& configuration);
    /// IsRecordPanoramaVisible and IsSupportedAutoStartStop from the stored configuration.
    void UpdateConfigurationParameters() override;

    /// Every finished recording, oldest first.
    std::vector<SRecording> GetRecordings() const;

private:
    struct SRecordingState
    {
        bool videoRunning = false;
        bool videoAutoStarted = false;
        std::wstring videoName;
        bool panoramaRunning = false;
        std::wstring panoramaName;
        std::vector<SRecording> finished;
    };

    void TakeSnapshot(CStringW const& name, bool automatic);
    void StartVideo(CStringW const& name, bool automatic);
    void StopVideo();
    void StartPanorama(CStringW const& name);
    void StopPanorama();

    mutable std::mutex m_mutex; // guards m_configuration and m_state
    SConfiguration m_configuration;
    SRecordingState m_state;
};
} // namespace ReferenceHost
