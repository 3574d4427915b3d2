#include "base/orx2basepool/makeregisteredcommand.h"
#include "base/orx2basepool/tserializablecommand.h"
#include "host/foundation/cstringw.h"
#include "support/callspy.h"
#include "support/commandenvironment.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace Base;
using namespace Orx2Test;

namespace
{
using Bytes = std::vector<unsigned char>;

/// A registered serializable command that records the arguments its action receives.
template <class... Args> struct RecordingCommand
{
    explicit RecordingCommand(std::wstring const& name)
        : command(MakeRegisteredCommand<TSerializableCommand<void, Args...>>(
              [this](Args... args) { spy.Record(args...); }, name, false))
    {
    }
    CallSpy<std::decay_t<Args>...> spy;
    std::shared_ptr<TSerializableCommand<void, Args...>> command;
};

class SerializableCommand : public CommandEnvironment
{
protected:
    /// Executes once with `args`, replays the recorded bytes through the registry and checks that the
    /// action saw equal arguments and the replay got a new, greater id (ids start at 1). Returns the
    /// recorded bytes. (A record or call that is missing makes `at` throw, which fails the test.)
    template <class... Args, class... Values>
    Bytes ExecuteAndReplay(std::wstring const& name, Values const&... args)
    {
        RecordingCommand<Args...> probe(name);
        probe.command->Execute(args...);
        auto const first = Records();
        EXPECT_EQ(first.size(), 1U);
        EXPECT_EQ(first.at(0).commandName, name);
        EXPECT_TRUE(first.at(0).finished);

        Find(name)->Execute(first.at(0).argumentBytes);

        auto const calls = probe.spy.Calls();
        EXPECT_EQ(calls.size(), 2U);
        EXPECT_EQ(calls.at(0), calls.at(1));
        auto const both = Records();
        EXPECT_EQ(both.size(), 2U);
        EXPECT_LT(0U, both.at(0).executionId);
        EXPECT_LT(both.at(0).executionId, both.at(1).executionId);
        EXPECT_TRUE(both.at(1).finished);
        m_patientManager->Clear();
        return first.at(0).argumentBytes;
    }

    /// `valid` with a byte too many, and `hostile` must be refused before the action runs and before
    /// anything is recorded; afterwards `valid` still executes. (That the reader refuses every truncation
    /// of each type is the legacy stream suite's; a refusal of the reader takes the hostile blobs' path.)
    template <class... Args>
    void ExpectRejectedThenUsable(std::wstring const& name, Bytes const& valid, std::vector<Bytes> hostile)
    {
        RecordingCommand<Args...> probe(name);
        Bytes tooLong = valid;
        tooLong.push_back(0);
        hostile.push_back(tooLong);

        for (Bytes const& blob : hostile)
            EXPECT_THROW(probe.command->Execute(blob), OrxException) << "blob of " << blob.size() << " bytes";
        EXPECT_EQ(probe.spy.Count(), 0U);
        EXPECT_TRUE(Records().empty());
        probe.command->Execute(valid);
        EXPECT_EQ(probe.spy.Count(), 1U);
        m_patientManager->Clear();
    }
};
} // namespace

// An execution is recorded before its action runs and finished after it: a replayed action that throws
// leaves its record unfinished (see the replay's tests).
TEST_F(SerializableCommand, ReplayFromItsOwnBytesRepeatsTheArgumentsUnderANewId)
{
    EXPECT_TRUE(ExecuteAndReplay<>(L"test.Replay.None").empty());
    EXPECT_EQ(ExecuteAndReplay<bool>(L"test.Replay.Bool", true), Bytes{1});
    ExecuteAndReplay<CStringW>(L"test.Replay.Text", CStringW(L"Zahn \u00e4 \U0001F600"));
    ExecuteAndReplay<CStringW const&>(L"test.Replay.TextRef", CStringW(L"ref"));
    ExecuteAndReplay<std::wstring const&, int>(L"test.Replay.Pair", std::wstring(L"path"), -7);
}

TEST_F(SerializableCommand, TruncatedHostileAndOverlongBlobsAreRefusedBeforeTheActionRuns)
{
    ExpectRejectedThenUsable<>(L"test.Blob.None", {}, {});
    ExpectRejectedThenUsable<bool>(L"test.Blob.Bool", {1}, {{2}, {0xFF}});
    // "ab": count 2, then two UTF-16 units.
    Bytes const text{2, 0, 0, 0, 'a', 0, 'b', 0};
    ExpectRejectedThenUsable<CStringW>(L"test.Blob.Text", text, {{0xFF, 0xFF, 0xFF, 0xFF, 'a', 0}});
    ExpectRejectedThenUsable<CStringW const&>(L"test.Blob.TextRef", text, {{3, 0, 0, 0, 'a', 0, 'b', 0}});
}
