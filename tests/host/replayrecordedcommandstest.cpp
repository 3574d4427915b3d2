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

TEST_F(Replay, RepeatsARecordedSessionInOrderWithTheSameArgumentsAndNewIds)
{
    CallLog log;
    auto rename = MakeRegisteredCommand<TSerializableCommand<void, CStringW>>(
        [&](CStringW const& text) { log.Add("rename " + JbNarrowUtf8(text.GetStdString())); },
        L"replay.Rename", false);
    auto lock = MakeRegisteredCommand<TSerializableCommand<void, bool>>(
        [&](bool on) { log.Add(on ? "lock on" : "lock off"); }, L"replay.Lock", true);
    rename->Execute(CStringW(L"upper jaw"));
    lock->Execute(true);
    rename->Execute(CStringW(L"lower jaw"));
    auto const session = Records();
    auto const original = log.Entries();
    log.Clear();
    m_patientManager->Clear();

    SReplayReport const report = ReplayRecordedCommands(session);

    EXPECT_EQ(report.executedCount, 3U);
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(log.Entries(), original);
    auto const replayed = Records();
    ASSERT_EQ(replayed.size(), session.size());
    for (std::size_t i = 0; i < session.size(); ++i)
    {
        EXPECT_EQ(replayed[i].commandName, session[i].commandName);
        EXPECT_EQ(replayed[i].argumentBytes, session[i].argumentBytes);
        EXPECT_GT(replayed[i].executionId, session.back().executionId);
    }
}

TEST_F(Replay, SkipsAndReportsWhatCannotRunAndGoesOn)
{
    CountSpy runs;
    auto good = MakeRegisteredCommand<TSerializableCommand<void, bool>>([&](bool) { runs.Callback()(); },
                                                                        L"replay.Good", false);
    auto failing = MakeRegisteredCommand<TSerializableCommand<void>>(
        [] { throw std::runtime_error("disk full"); }, L"replay.Failing", false);
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
}

TEST_F(Replay, UsesTheGivenRegistry)
{
    CountSpy runs;
    auto command = std::make_shared<TSerializableCommand<void>>(runs.Callback(), L"replay.Private", false);
    CCommandRegistry privateRegistry;
    privateRegistry.AddCommand(L"replay.Private", command);
    std::vector<SRecordedCommand> const session{{L"replay.Private", 1, {}, true}};

    EXPECT_EQ(ReplayRecordedCommands(session).failures.size(), 1U);
    EXPECT_EQ(ReplayRecordedCommands(session, privateRegistry).executedCount, 1U);
    EXPECT_EQ(runs.Count(), 1);
}
