#include "reference_host/clivevideoviewmodel.h"

#include "support/commandenvironment.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
using ReferenceHost::CLiveVideoViewModel;
using V = Base::ILiveVideoViewModel;

/// The flags a step leaves: S(elected), P(anorama done), s(napshot auto-started), a(uto-started video),
/// o (auto-stopped video), R (panorama recording visible), A(uto start and stop supported); '-' where false.
std::string Flags(V const& video)
{
    std::string flags;
    // clang-format off
    for (auto [letter, property] : {std::pair{'S', &V::GetIsSelected}, {'P', &V::GetPanoramaRecordDone},
                                    {'s', &V::GetAutoStartSnapshotDone}, {'a', &V::GetAutoStartVideoDone},
                                    {'o', &V::GetAutoStopVideoDone}, {'R', &V::GetIsRecordPanoramaVisible},
                                    {'A', &V::GetIsSupportedAutoStartStop}})
        flags += (video.*property)().Get() ? letter : '-';
    // clang-format on
    return flags;
}

using ReferenceLiveVideo = Orx2Test::CommandEnvironment;

// The GUI drives the panel through the commands it finds in the properties; one row per step. The
// configuration given at construction applies at once, a later one with the next update only.
TEST_F(ReferenceLiveVideo, RecordingCommandsSetTheDoneFlagsAndThePanoramaAndAnUpdateAppliesTheConfiguration)
{
    CLiveVideoViewModel video(CLiveVideoViewModel::SConfiguration{false, true, 8, 2});
    auto const run = [&video](auto command, auto... name) -> std::function<void()>
    { return [&video, command, name...] { (video.*command)().Get()->Execute(CStringW(name)...); }; };
    // clang-format off
    struct SStep { char const* name; std::function<void()> run; char const* flags; std::wstring recordings; };
    SStep const steps[] = {
        {"configuration stored",         [&] { video.SetConfiguration({true, false, 8, 2}); }, "------A", L""},
        {"configuration updated",        [&] { video.UpdateConfigurationParameters(); },      "-----R-", L""},
        {"capture mode",                 run(&V::StartCaptureModeCommand),                    "S----R-", L""},
        {"snapshot",                     run(&V::TakeSnapshotCommand, L"s1"),                 "S----R-", L"s1 "},
        {"automatic snapshot",           run(&V::AutoStartSnapshotCommand, L"s2"),            "S-s--R-", L"s1 s2 "},
        {"automatic video",              run(&V::AutoStartRecordVideoCommand, L"v1"),         "S-sa-R-", L"s1 s2 "},
        {"second video while recording", run(&V::StartRecordVideoCommand, L"v2"),            "S-sa-R-", L"s1 s2 "},
        {"stop the automatic video",     run(&V::StopRecordVideoCommand),                     "S-saoR-", L"s1 s2 v1 "},
        {"stop without a video",         run(&V::StopRecordVideoCommand),                     "S-saoR-", L"s1 s2 v1 "},
        {"manual video",                 run(&V::StartRecordVideoCommand, L"v3"),             "S-saoR-", L"s1 s2 v1 "},
        {"stop the manual video",        run(&V::StopRecordVideoCommand),                     "S-saoR-", L"s1 s2 v1 v3 "},
        {"stop without a panorama",      run(&V::StopRecordPanoramaCommand),                  "S-saoR-", L"s1 s2 v1 v3 "},
        {"panorama",                     run(&V::StartRecordPanoramaCommand, L"p1"),          "S-saoR-", L"s1 s2 v1 v3 "},
        {"stop the panorama",            run(&V::StopRecordPanoramaCommand),                  "SPsaoR-", L"s1 s2 v1 v3 p1 "},
        {"next panorama",                run(&V::StartRecordPanoramaCommand, L"p2"),          "S-saoR-", L"s1 s2 v1 v3 p1 "},
        {"idle mode",                    run(&V::StartIdleModeCommand),                       "--saoR-", L"s1 s2 v1 v3 p1 "},
        {"automatic video again",        run(&V::AutoStartRecordVideoCommand, L"v4"),         "--sa-R-", L"s1 s2 v1 v3 p1 "},
    };
    // clang-format on
    for (SStep const& step : steps)
    {
        step.run();
        std::wstring recordings; // the panorama image itself is the simulator live scenario's to check
        for (auto const& recording : video.GetRecordings())
            recordings += recording.name + L" ";
        EXPECT_EQ(step.flags, Flags(video)) << step.name;
        EXPECT_EQ(step.recordings, recordings) << step.name;
    }
}
} // namespace
