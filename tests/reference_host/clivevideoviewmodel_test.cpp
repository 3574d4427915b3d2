#include "reference_host/cimagedata2dsimple.h"
#include "reference_host/clivevideoviewmodel.h"

#include "host/acquisitionbase/ccommandregistry.h"
#include "support/commandenvironment.h"
#include "support/propertychangedcounter.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
using ReferenceHost::CLiveVideoViewModel;
using Kind = CLiveVideoViewModel::ERecordingKind;

struct SFlags
{
    bool selected;
    bool panoramaDone;
    bool autoSnapshotDone;
    bool autoStartVideoDone;
    bool autoStopVideoDone;

    bool operator==(SFlags const& o) const
    {
        return selected == o.selected && panoramaDone == o.panoramaDone &&
               autoSnapshotDone == o.autoSnapshotDone && autoStartVideoDone == o.autoStartVideoDone &&
               autoStopVideoDone == o.autoStopVideoDone;
    }
};

void PrintTo(SFlags const& f, std::ostream* os)
{
    *os << "{selected " << f.selected << ", panorama done " << f.panoramaDone << ", auto snapshot "
        << f.autoSnapshotDone << ", auto start video " << f.autoStartVideoDone << ", auto stop video "
        << f.autoStopVideoDone << "}";
}

SFlags FlagsOf(Base::ILiveVideoViewModel const& video)
{
    return {video.GetIsSelected().Get(), video.GetPanoramaRecordDone().Get(),
            video.GetAutoStartSnapshotDone().Get(), video.GetAutoStartVideoDone().Get(),
            video.GetAutoStopVideoDone().Get()};
}

class ReferenceLiveVideo : public Orx2Test::CommandEnvironment
{
};

// The GUI drives the panel through the commands it finds in the properties; one row per step.
TEST_F(ReferenceLiveVideo, RecordingCommandsSetTheDoneFlagsAndThePanorama)
{
    CLiveVideoViewModel video;
    Base::ILiveVideoViewModel const& gui = video;
    using Run = std::function<void()>;
    auto const text = [&gui](auto getter, wchar_t const* name) -> Run
    { return [&gui, getter, name] { (gui.*getter)().Get()->Execute(CStringW(name)); }; };
    auto const plain = [&gui](auto getter) -> Run
    { return [&gui, getter] { (gui.*getter)().Get()->Execute(); }; };
    using V = Base::ILiveVideoViewModel;
    struct SStep
    {
        char const* name;
        Run run;
        SFlags flags;
        std::size_t recordings;
    };
    SStep const steps[] = {
        {"capture mode", plain(&V::StartCaptureModeCommand), {true, false, false, false, false}, 0},
        {"snapshot", text(&V::TakeSnapshotCommand, L"s1"), {true, false, false, false, false}, 1},
        {"automatic snapshot",
         text(&V::AutoStartSnapshotCommand, L"s2"),
         {true, false, true, false, false},
         2},
        {"automatic video",
         text(&V::AutoStartRecordVideoCommand, L"v1"),
         {true, false, true, true, false},
         2},
        {"second video while recording",
         text(&V::StartRecordVideoCommand, L"v2"),
         {true, false, true, true, false},
         2},
        {"stop the automatic video", plain(&V::StopRecordVideoCommand), {true, false, true, true, true}, 3},
        {"stop without a video", plain(&V::StopRecordVideoCommand), {true, false, true, true, true}, 3},
        {"manual video", text(&V::StartRecordVideoCommand, L"v3"), {true, false, true, true, true}, 3},
        {"stop the manual video", plain(&V::StopRecordVideoCommand), {true, false, true, true, true}, 4},
        {"stop without a panorama", plain(&V::StopRecordPanoramaCommand), {true, false, true, true, true}, 4},
        {"panorama", text(&V::StartRecordPanoramaCommand, L"p1"), {true, false, true, true, true}, 4},
        {"stop the panorama", plain(&V::StopRecordPanoramaCommand), {true, true, true, true, true}, 5},
        {"next panorama", text(&V::StartRecordPanoramaCommand, L"p2"), {true, false, true, true, true}, 5},
        {"idle mode", plain(&V::StartIdleModeCommand), {false, false, true, true, true}, 5},
    };
    for (SStep const& step : steps)
    {
        step.run();
        EXPECT_EQ(step.flags, FlagsOf(gui)) << step.name;
        EXPECT_EQ(step.recordings, video.GetRecordings().size()) << step.name;
    }

    std::vector<std::pair<Kind, std::wstring>> recorded;
    for (auto const& recording : video.GetRecordings())
        recorded.emplace_back(recording.kind, recording.name);
    EXPECT_EQ((std::vector<std::pair<Kind, std::wstring>>{{Kind::Snapshot, L"s1"},
                                                          {Kind::Snapshot, L"s2"},
                                                          {Kind::Video, L"v1"},
                                                          {Kind::Video, L"v3"},
                                                          {Kind::Panorama, L"p1"}}),
              recorded);
    auto const image =
        std::dynamic_pointer_cast<const ReferenceHost::CImageData2DSimple>(gui.GetPanoramaImage().Get());
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(L"p1", image->GetName());
    EXPECT_EQ(1024u, image->GetWidth());
}

TEST_F(ReferenceLiveVideo, ConfigurationTakesEffectWhenUpdated)
{
    CLiveVideoViewModel video(CLiveVideoViewModel::SConfiguration{false, true, 8, 2});
    Base::ILiveVideoViewModel& gui = video;
    EXPECT_FALSE(gui.GetIsRecordPanoramaVisible().Get());
    EXPECT_TRUE(gui.GetIsSupportedAutoStartStop().Get());

    Orx2Test::PropertyChangedCounter changes(video);
    video.SetConfiguration({true, false, 8, 2});
    EXPECT_FALSE(gui.GetIsRecordPanoramaVisible().Get()) << "applied before the update";
    gui.UpdateConfigurationParameters();
    EXPECT_TRUE(gui.GetIsRecordPanoramaVisible().Get());
    EXPECT_FALSE(gui.GetIsSupportedAutoStartStop().Get());
    EXPECT_EQ(2, changes.Take());
    gui.UpdateConfigurationParameters();
    EXPECT_EQ(0, changes.Take());
}

TEST_F(ReferenceLiveVideo, CommandsAreNamedWhileThePanelLives)
{
    std::vector<std::wstring> const names{
        L"CLiveVideoViewModel.StartCaptureMode",  L"CLiveVideoViewModel.StartIdleMode",
        L"CLiveVideoViewModel.TakeSnapshot",      L"CLiveVideoViewModel.AutoStartSnapshot",
        L"CLiveVideoViewModel.StartRecordVideo",  L"CLiveVideoViewModel.AutoStartRecordVideo",
        L"CLiveVideoViewModel.StopRecordVideo",   L"CLiveVideoViewModel.StartRecordPanorama",
        L"CLiveVideoViewModel.StopRecordPanorama"};
    auto& registry = JbSingleton<Base::CCommandRegistry>::GetInstance();
    auto video = std::make_unique<CLiveVideoViewModel>();
    std::shared_ptr<Base::ICommand<CStringW const&>> const held = video->StartRecordPanoramaCommand().Get();
    for (auto const& name : names)
        EXPECT_NE(nullptr, registry.FindCommand(name)) << std::string(name.begin(), name.end());
    video.reset();
    for (auto const& name : names)
    {
        if (name != L"CLiveVideoViewModel.StartRecordPanorama")
        {
            EXPECT_EQ(nullptr, registry.FindCommand(name)) << std::string(name.begin(), name.end());
        }
    }
    EXPECT_NO_THROW(held->Execute(CStringW(L"late"))) << "reached a dead panel";
}
} // namespace
