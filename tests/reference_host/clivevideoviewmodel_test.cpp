#include "reference_host/clivevideoviewmodel.h"

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
using V = Base::ILiveVideoViewModel;

/// The flags a step leaves: S(elected), P(anorama done), s(napshot auto-started), a(uto-started video),
/// o (auto-stopped video); '-' where false.
std::string Flags(V const& video)
{
    std::string flags;
    for (auto [letter, property] : {std::pair{'S', &V::GetIsSelected},
                                    {'P', &V::GetPanoramaRecordDone},
                                    {'s', &V::GetAutoStartSnapshotDone},
                                    {'a', &V::GetAutoStartVideoDone},
                                    {'o', &V::GetAutoStopVideoDone}})
        flags += (video.*property)().Get() ? letter : '-';
    return flags;
}

class ReferenceLiveVideo : public Orx2Test::CommandEnvironment
{
};

// The GUI drives the panel through the commands it finds in the properties; one row per step.
TEST_F(ReferenceLiveVideo, RecordingCommandsSetTheDoneFlagsAndThePanorama)
{
    CLiveVideoViewModel video;
    V const& gui = video;
    auto const text = [&gui](auto command, wchar_t const* name) -> std::function<void()>
    { return [&gui, command, name] { (gui.*command)().Get()->Execute(CStringW(name)); }; };
    auto const plain = [&gui](auto command) -> std::function<void()>
    { return [&gui, command] { (gui.*command)().Get()->Execute(); }; };
    struct SStep
    {
        char const* name;
        std::function<void()> run;
        char const* flags;
        std::size_t recordings;
    };
    SStep const steps[] = {
        {"capture mode", plain(&V::StartCaptureModeCommand), "S----", 0},
        {"snapshot", text(&V::TakeSnapshotCommand, L"s1"), "S----", 1},
        {"automatic snapshot", text(&V::AutoStartSnapshotCommand, L"s2"), "S-s--", 2},
        {"automatic video", text(&V::AutoStartRecordVideoCommand, L"v1"), "S-sa-", 2},
        {"second video while recording", text(&V::StartRecordVideoCommand, L"v2"), "S-sa-", 2},
        {"stop the automatic video", plain(&V::StopRecordVideoCommand), "S-sao", 3},
        {"stop without a video", plain(&V::StopRecordVideoCommand), "S-sao", 3},
        {"manual video", text(&V::StartRecordVideoCommand, L"v3"), "S-sao", 3},
        {"stop the manual video", plain(&V::StopRecordVideoCommand), "S-sao", 4},
        {"stop without a panorama", plain(&V::StopRecordPanoramaCommand), "S-sao", 4},
        {"panorama", text(&V::StartRecordPanoramaCommand, L"p1"), "S-sao", 4},
        {"stop the panorama", plain(&V::StopRecordPanoramaCommand), "SPsao", 5},
        {"next panorama", text(&V::StartRecordPanoramaCommand, L"p2"), "S-sao", 5},
        {"idle mode", plain(&V::StartIdleModeCommand), "--sao", 5},
        {"automatic video again", text(&V::AutoStartRecordVideoCommand, L"v4"), "--sa-", 5},
    };
    for (SStep const& step : steps)
    {
        step.run();
        EXPECT_EQ(step.flags, Flags(gui)) << step.name;
        EXPECT_EQ(step.recordings, video.GetRecordings().size()) << step.name;
    }
    std::wstring names;
    for (auto const& recording : video.GetRecordings())
        names += recording.name + L" ";
    EXPECT_EQ(L"s1 s2 v1 v3 p1 ", names); // the panorama's image: the simulator's live scenario
}

TEST_F(ReferenceLiveVideo, ConfigurationTakesEffectWhenUpdated)
{
    CLiveVideoViewModel video(CLiveVideoViewModel::SConfiguration{false, true, 8, 2});
    V& gui = video;
    Orx2Test::PropertyChangedCounter changes(video);
    video.SetConfiguration({true, false, 8, 2});
    EXPECT_FALSE(gui.GetIsRecordPanoramaVisible().Get()) << "applied before the update";
    gui.UpdateConfigurationParameters();
    EXPECT_TRUE(gui.GetIsRecordPanoramaVisible().Get());
    EXPECT_FALSE(gui.GetIsSupportedAutoStartStop().Get());
    EXPECT_EQ(2, changes.Take());
}
} // namespace
