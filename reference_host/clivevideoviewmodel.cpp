#include "reference_host/clivevideoviewmodel.h"

#include "base/orx2basepool/makeownerboundcommand.h"
#include "base/orx2basepool/tcommand.h"
#include "reference_host/cimagedata2dsimple.h"

#include <memory>
#include <utility>

namespace ReferenceHost
{
namespace
{
using Self = CLiveVideoViewModel;
using PlainCommandImpl = Base::TCommand<void>;
using TextCommandImpl = Base::TCommand<void, CStringW const&>;

template <class Cmd, class Fn>
std::shared_ptr<Cmd> MakeCommand(Base::COwnerGuard const& guard, Self& owner, Fn fn, wchar_t const* name)
{
    return Base::MakeOwnerBoundCommand<Cmd>(guard, owner, std::move(fn),
                                            std::wstring(L"CLiveVideoViewModel.") + name, false);
}
} // namespace

CLiveVideoViewModel::CLiveVideoViewModel() : CLiveVideoViewModel(SConfiguration()) {}

CLiveVideoViewModel::CLiveVideoViewModel(SConfiguration configuration) : m_configuration(configuration)
{
    StartCaptureModeCommandProperty().Set(MakeCommand<PlainCommandImpl>(
        GetOwnerGuard(), *this, [](Self& self) { self.GetIsSelected().Set(true); }, L"StartCaptureMode"));
    StartIdleModeCommandProperty().Set(MakeCommand<PlainCommandImpl>(
        GetOwnerGuard(), *this, [](Self& self) { self.GetIsSelected().Set(false); }, L"StartIdleMode"));
    TakeSnapshotCommandProperty().Set(MakeCommand<TextCommandImpl>(
        GetOwnerGuard(), *this, [](Self& self, CStringW const& name) { self.TakeSnapshot(name, false); },
        L"TakeSnapshot"));
    AutoStartSnapshotCommandProperty().Set(MakeCommand<TextCommandImpl>(
        GetOwnerGuard(), *this, [](Self& self, CStringW const& name) { self.TakeSnapshot(name, true); },
        L"AutoStartSnapshot"));
    StartRecordVideoCommandProperty().Set(MakeCommand<TextCommandImpl>(
        GetOwnerGuard(), *this, [](Self& self, CStringW const& name) { self.StartVideo(name, false); },
        L"StartRecordVideo"));
    AutoStartRecordVideoCommandProperty().Set(MakeCommand<TextCommandImpl>(
        GetOwnerGuard(), *this, [](Self& self, CStringW const& name) { self.StartVideo(name, true); },
        L"AutoStartRecordVideo"));
    StopRecordVideoCommandProperty().Set(MakeCommand<PlainCommandImpl>(
        GetOwnerGuard(), *this, [](Self& self) { self.StopVideo(); }, L"StopRecordVideo"));
    StartRecordPanoramaCommandProperty().Set(MakeCommand<TextCommandImpl>(
        GetOwnerGuard(), *this, [](Self& self, CStringW const& name) { self.StartPanorama(name); },
        L"StartRecordPanorama"));
    StopRecordPanoramaCommandProperty().Set(MakeCommand<PlainCommandImpl>(
        GetOwnerGuard(), *this, [](Self& self) { self.StopPanorama(); }, L"StopRecordPanorama"));
    UpdateConfigurationParameters();
    GetOwnerGuard().Open();
}

CLiveVideoViewModel::~CLiveVideoViewModel()
{
    GetOwnerGuard().Close();
}

void CLiveVideoViewModel::SetConfiguration(SConfiguration const& configuration)
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_configuration = configuration;
}

void CLiveVideoViewModel::UpdateConfigurationParameters()
{
    SConfiguration configuration;
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        configuration = m_configuration;
    }
    IsRecordPanoramaVisibleProperty().Set(configuration.panoramaSupported);
    IsSupportedAutoStartStopProperty().Set(configuration.autoStartStopSupported);
}

std::vector<CLiveVideoViewModel::SRecording> CLiveVideoViewModel::GetRecordings() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_state.finished;
}

void CLiveVideoViewModel::TakeSnapshot(CStringW const& name, bool automatic)
{
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_state.finished.push_back({ERecordingKind::Snapshot, name.GetString()});
    }
    if (automatic)
        AutoStartSnapshotDoneProperty().Set(true);
}

void CLiveVideoViewModel::StartVideo(CStringW const& name, bool automatic)
{
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        if (m_state.videoRunning)
            return;
        m_state.videoRunning = true;
        m_state.videoAutoStarted = automatic;
        m_state.videoName = name.GetString();
    }
    if (automatic)
    {
        AutoStopVideoDoneProperty().Set(false);
        AutoStartVideoDoneProperty().Set(true);
    }
}

void CLiveVideoViewModel::StopVideo()
{
    bool autoStarted = false;
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        if (!m_state.videoRunning)
            return;
        autoStarted = m_state.videoAutoStarted;
        m_state.videoRunning = false;
        m_state.finished.push_back({ERecordingKind::Video, std::exchange(m_state.videoName, {})});
    }
    if (autoStarted)
        AutoStopVideoDoneProperty().Set(true);
}

void CLiveVideoViewModel::StartPanorama(CStringW const& name)
{
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_state.panoramaRunning = true;
        m_state.panoramaName = name.GetString();
    }
    PanoramaRecordDoneProperty().Set(false);
}

void CLiveVideoViewModel::StopPanorama()
{
    std::shared_ptr<const Base::IImageData2DSimple> image;
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        if (!m_state.panoramaRunning)
            return;
        m_state.panoramaRunning = false;
        image = std::make_shared<CImageData2DSimple>(m_configuration.panoramaWidth,
                                                     m_configuration.panoramaHeight, m_state.panoramaName);
        m_state.finished.push_back({ERecordingKind::Panorama, std::exchange(m_state.panoramaName, {})});
    }
    // The image first: a GUI that reacts to the done flag finds the new picture.
    PanoramaImageProperty().Set(image);
    PanoramaRecordDoneProperty().Set(true);
}
} // namespace ReferenceHost
