// Threads executing GUI-locking commands at once, some of whose actions throw.
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/makeownerboundcommand.h"
#include "base/orx2basepool/makeregisteredcommand.h"
#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tserializablecommand.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "base/orx2basepool/tvaluestreamobserver.h"
#include "stress/stresssupport.h"
#include "support/commandenvironment.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <vector>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Stress;
using namespace Orx2Test;

namespace
{
constexpr unsigned kThreads = 4;

/// Checks a reading of the GUI-locking count: a wrapped count (below 0) reads as a huge number, a lost
/// decrement leaves it above the number of commands that can run at once.
struct CountChecks
{
    std::atomic<std::uint64_t> outOfRange{0};
    std::atomic<std::uint64_t> zeroInsideAction{0};

    void Check(unsigned count, unsigned lowest)
    {
        if (count < lowest || count > kThreads)
            outOfRange.fetch_add(1);
        if (lowest > 0 && count == 0)
            zeroInsideAction.fetch_add(1);
    }
};

using CommandStress = CommandEnvironment;
} // namespace

// GUI-locking commands (plain, serializable, and one whose action throws every third time) run on four
// threads at once. Inside an action the count must be at least 1; an observer of the count and the
// actions must never read more than the number of threads (a wrapped or leaked count); when all have
// returned, the count must be back where it started and every execution must have been published.
TEST_F(CommandStress, GuiLockingCountLostOrWrappedUnderConcurrentExecution)
{
    Watchdog const watchdog("CommandStress.GuiLockingCountLostOrWrappedUnderConcurrentExecution");
    auto& count = ACommandBase::s_numberOfActiveGUILockingCommands;
    unsigned const before = count.Get();
    ASSERT_EQ(before, 0u) << "another test left the GUI locked";

    CountChecks checks;
    std::atomic<std::uint64_t> published{0};
    std::atomic<std::uint64_t> actionsRun{0};
    TValueChangedObserver<unsigned int> countObserver(count, [&checks](unsigned int value)
                                                      { checks.Check(value, 0); });
    TValueStreamObserver<ICommandBase*> streamObserver(
        ACommandBase::ms_EventCommandStream,
        [&published](ICommandBase* const&) { published.fetch_add(1, std::memory_order_relaxed); });

    auto checkInsideAction = [&]
    {
        checks.Check(count.Get(), 1);
        actionsRun.fetch_add(1, std::memory_order_relaxed);
    };
    auto plain = MakeRegisteredCommand<TCommand<void>>(checkInsideAction, L"stress.Plain", true);
    auto serializable = MakeRegisteredCommand<TSerializableCommand<void, bool>>(
        [&](bool) { checkInsideAction(); }, L"stress.Serializable", true);
    std::atomic<std::uint64_t> throwingCalls{0};
    auto throwing = MakeRegisteredCommand<TCommand<void, int>>(
        [&](int)
        {
            checkInsideAction();
            if (throwingCalls.fetch_add(1) % 3 == 0)
                throw std::runtime_error("action failed");
        },
        L"stress.Throwing", true);
    Budget budget(Scaled(1'000'000, 150'000));
    auto worker = [&](unsigned seed)
    {
        for (unsigned i = seed; budget.Take(); ++i)
        {
            std::shared_ptr<IAsyncResult<>> result;
            switch (i % 4)
            {
            case 0:
            case 1:
                result = plain->Execute();
                break;
            case 2:
                result = serializable->Execute(i % 8 == 2);
                break;
            default:
                try
                {
                    result = throwing->Execute(static_cast<int>(i));
                }
                catch (std::runtime_error const&)
                {
                }
                break;
            }
            if (result)
                result->Wait(); // complete already: must not block
            if (i % 64 == 0)
                m_patientManager->Clear(); // keeps the recorder's memory flat
        }
    };
    {
        std::vector<ScopedThread> threads;
        for (unsigned i = 0; i < kThreads; ++i)
            threads.emplace_back([&worker, i] { worker(i * 7); });
    }

    ReportBudget("executions", budget, 100'000);
    EXPECT_EQ(count.Get(), before) << "the GUI-locking count leaked";
    EXPECT_EQ(checks.outOfRange.load(), 0u)
        << "the GUI-locking count wrapped or exceeded the running commands";
    EXPECT_EQ(checks.zeroInsideAction.load(), 0u)
        << "an action of a GUI-locking command ran with the count at 0";
    EXPECT_EQ(published.load(), budget.Granted()) << "an execution was not published on the command stream";
    EXPECT_EQ(actionsRun.load(), budget.Granted()) << "an action did not run";
}

// Two threads keep executing an owner-bound command while its owner is destroyed, round after round.
// No action may start once the destructor has begun (AddressSanitizer also reports an access to the dead
// owner), and the destructor must not hang.
TEST_F(CommandStress, OwnerBoundActionReachesADestroyedOwner)
{
    Watchdog const watchdog("CommandStress.OwnerBoundActionReachesADestroyedOwner");
    std::atomic<std::uint64_t> lateActions{0};
    struct SOwner
    {
        explicit SOwner(std::atomic<std::uint64_t>& lateCount)
            : late(lateCount), command(MakeOwnerBoundCommand<TCommand<void, int>>(
                                   guard, *this,
                                   [](SOwner& self, int)
                                   {
                                       if (self.ending.load())
                                           self.late.fetch_add(1);
                                   },
                                   L"CommandStress.OwnerBound", false))
        {
            guard.Open();
        }
        ~SOwner()
        {
            guard.Close();
            ending.store(true); // no action may start from here on
        }
        std::atomic<std::uint64_t>& late;
        std::atomic<bool> ending{false};
        COwnerGuard guard;
        std::shared_ptr<TCommand<void, int>> command;
    };
    Budget budget(Scaled(2'000, 300));
    while (budget.Take())
    {
        auto owner = std::make_unique<SOwner>(lateActions);
        std::shared_ptr<ICommand<int>> const command = owner->command;
        std::atomic<bool> stop{false};
        auto execute = [&]
        {
            while (!stop.load())
                command->Execute(1);
        };
        ScopedThread a(execute);
        ScopedThread b(execute);
        BusyPause(2'000);
        owner.reset();
        stop.store(true);
    }
    ReportBudget("ownersDestroyed", budget);
    EXPECT_EQ(0u, lateActions.load()) << "an action ran after its owner's guard was closed";
}
