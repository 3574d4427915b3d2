#include "base/orx2basepool/makeregisteredcommand.h"
#include "base/orx2basepool/tcommand.h"
#include "host/foundation/cstringw.h"
#include "support/callspy.h"
#include "support/commandenvironment.h"
#include "support/expectorxexception.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace Base;
using namespace Orx2Test;

namespace
{
unsigned int GuiLocks()
{
    return ACommandBase::s_numberOfActiveGUILockingCommands.Get();
}

/// True when `result` is complete: a callback registered on a complete result runs before AddCallback
/// returns.
bool IsComplete(std::shared_ptr<IAsyncResult<>> const& result)
{
    bool ran = false;
    result->AddCallback(MakeResultCallback([&ran] { ran = true; }), 2);
    return ran;
}

class Command : public CommandEnvironment
{
protected:
    CallSpy<ICommandBase*> published; // what the process-wide command stream announced
    CScopedEventSignalConnection const stream = ACommandBase::ms_EventCommandStream.ConnectToValueStream(
        MakeEventSignalHandler<Binding::TValueStreamNotification<ICommandBase*> const&>(
            [this](auto const& n) { published.Record(n.value.value()); }));
};
} // namespace

TEST_F(Command, GuiLockingCommandCountsOnlyWhileItsActionRunsAlsoWhenTheActionThrowsOrIsEmpty)
{
    unsigned int const before = GuiLocks();
    unsigned int inside = 0;
    CallSpy<unsigned int> counterChanges;
    auto observer = ACommandBase::s_numberOfActiveGUILockingCommands.ConnectToValueChanged(
        MakeEventSignalHandler<unsigned int const&>(counterChanges.Callback()));
    auto command = std::make_shared<TCommand<void>>([&] { inside = GuiLocks(); }, L"test.Locking", true);

    std::shared_ptr<IAsyncResult<>> const result = command->Execute();

    EXPECT_EQ(inside, before + 1);
    EXPECT_EQ(GuiLocks(), before);
    EXPECT_EQ(counterChanges.Calls(), (std::vector<std::tuple<unsigned int>>{{before + 1}, {before}}));
    EXPECT_TRUE(IsComplete(result));

    auto plain = std::make_shared<TCommand<void>>([&] { inside = GuiLocks(); }, L"test.NotLocking", false);
    EXPECT_TRUE(IsComplete(plain->Execute()));
    EXPECT_EQ(inside, before);

    // A throwing or empty action propagates after its report and publication.
    auto failing =
        std::make_shared<TCommand<void>>([] { throw std::runtime_error("action"); }, L"test.Fail", true);
    auto empty = std::make_shared<TCommand<void>>(nullptr, L"test.Empty", true);
    EXPECT_THROW(failing->Execute(), std::runtime_error);
    EXPECT_THROW(empty->Execute(), std::bad_function_call);
    EXPECT_EQ(GuiLocks(), before);
    EXPECT_EQ(published.Count(), 4U);
    EXPECT_EQ(JournalCount(L"test.Fail", EJournalRecordKind::Opened), 1U);
    EXPECT_EQ(JournalCount(L"test.Empty", EJournalRecordKind::Closed), 1U);
}

TEST_F(Command, ExecuteWithSerializedArgumentsIsRefusedNamingTheArgumentTypes)
{
    // A plain command is not serializable (the replay skips it); the refusal's function names the types.
    CountSpy runs;
    auto rename = std::make_shared<TCommand<void, CStringW const&, unsigned int>>(
        [&](CStringW const&, unsigned int) { runs.Callback()(); }, L"test.Rename", false);
    ExpectOrxException([&] { rename->Execute(std::vector<unsigned char>{1, 2, 3}); },
                       {L"Command 'test.Rename' does not support Execute with serialized (BLOB) arguments",
                        "base/orx2basepool/tcommand", 0,
                        "Base::TCommand<void,CStringW const&,unsigned int>::Execute"});
    EXPECT_EQ(runs.Count(), 0);
}

TEST_F(Command, EveryExecutionIsPublishedAsTheExposedCommandAndReportedOnce)
{
    std::shared_ptr<ICommand<bool>> const exposed =
        MakeRegisteredCommand<TCommand<void, bool>>([](bool) {}, L"test.Published", false);
    std::size_t openDuringAction = 0; // an out parameter: it must come back
    auto probe = std::make_shared<TCommand<void, std::size_t&>>(
        [&](std::size_t& open) { open = m_journal->GetOpenReportCount(); }, L"test.Probe", false);

    exposed->Execute(true);
    exposed->Execute(false);
    probe->Execute(openDuringAction);

    ICommandBase* const identity = exposed.get();
    ASSERT_EQ(published.Count(), 3U);
    EXPECT_EQ(std::get<0>(published.Calls()[0]), identity);
    EXPECT_EQ(std::get<0>(published.Calls()[1]), identity);
    EXPECT_EQ(Find(L"test.Published").get(), identity);
    EXPECT_EQ(JournalCount(L"test.Published", EJournalRecordKind::Opened), 2U);
    EXPECT_EQ(JournalCount(L"test.Published", EJournalRecordKind::Closed), 2U);
    EXPECT_EQ(openDuringAction, 1U);
    EXPECT_EQ(m_journal->GetOpenReportCount(), 0U);
}
