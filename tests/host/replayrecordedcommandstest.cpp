#include "host/acquisitionbase/replayrecordedcommands.h"
#include "base/orx2basepool/makeregisteredcommand.h"
#include "base/orx2basepool/tserializablecommand.h"
#include "support/callspy.h"
#include "support/commandenvironment.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace Base;
using namespace Orx2Test;

namespace
{
using Replay = CommandEnvironment;
} // namespace

TEST_F(Replay, SkipsAndReportsWhatCannotRunGoesOnAndUsesTheRegistryGiven)
{
    CountSpy runs;
    auto good = MakeRegisteredCommand<TSerializableCommand<void, bool>>([&](bool) { runs.Callback()(); },
                                                                        L"replay.Good", false);
    auto failing = MakeRegisteredCommand<TSerializableCommand<void>>(
        [] { throw std::runtime_error("disk full"); }, L"replay.Failing", true);
    auto plain = MakeRegisteredCommand<TCommand<void>>([&] { runs.Callback()(); }, L"replay.Plain", false);
    auto gone =
        MakeRegisteredCommand<TSerializableCommand<void>>([&] { runs.Callback()(); }, L"replay.Gone", false);
    gone.reset();

    std::vector<SRecordedCommand> const session{
        {L"replay.Unknown", 1, {}, true}, {L"replay.Gone", 2, {}, true},    {L"replay.Plain", 3, {}, true},
        {L"replay.Good", 4, {7}, true},   {L"replay.Failing", 5, {}, true}, {L"replay.Good", 6, {1}, true}};
    SReplayReport const report = ReplayRecordedCommands(session);

    EXPECT_EQ(report.executedCount, 1U);
    EXPECT_EQ(runs.Count(), 1);
    ASSERT_EQ(report.failures.size(), 5U);
    std::vector<std::pair<std::size_t, EReplayFailure>> reasons;
    for (auto const& failure : report.failures)
    {
        EXPECT_EQ(failure.commandName, session[failure.recordIndex].commandName);
        reasons.emplace_back(failure.recordIndex, failure.reason);
    }
    EXPECT_EQ(reasons,
              (std::vector<std::pair<std::size_t, EReplayFailure>>{{0, EReplayFailure::CommandNotFound},
                                                                   {1, EReplayFailure::CommandNotFound},
                                                                   {2, EReplayFailure::NotSerializable},
                                                                   {3, EReplayFailure::ExecutionFailed},
                                                                   {4, EReplayFailure::ExecutionFailed}}));
    EXPECT_FALSE(report.failures[3].message.empty()); // the reader says what was wrong with the bytes
    EXPECT_EQ(report.failures[4].message, L"disk full");
    // The failed execution stays unfinished in the record and leaves the GUI unlocked.
    auto const records = Records();
    ASSERT_EQ(records.size(), 2U);
    EXPECT_FALSE(records[0].finished);
    EXPECT_TRUE(records[1].finished);
    EXPECT_EQ(ACommandBase::s_numberOfActiveGUILockingCommands.Get(), 0U);

    // A registry given is used instead of the process-wide one.
    auto privateCommand =
        std::make_shared<TSerializableCommand<void>>(runs.Callback(), L"replay.Private", false);
    CCommandRegistry privateRegistry;
    privateRegistry.AddCommand(L"replay.Private", privateCommand);
    std::vector<SRecordedCommand> const privateSession{{L"replay.Private", 1, {}, true}};
    EXPECT_EQ(ReplayRecordedCommands(privateSession).failures.size(), 1U);
    EXPECT_EQ(ReplayRecordedCommands(privateSession, privateRegistry).executedCount, 1U);
    EXPECT_EQ(runs.Count(), 2);
}
