// Threads executing GUI-locking commands at once, some of whose actions throw; the work indicator counted
// from eight threads; keys pressed while the acquisition service goes.
#include "businesslayer/common/cguiconfigurationbase.h"
#include "businesslayer/common/clockguiviewmodelbase.h"
#include "reference_host/cacquisitionservice.h"
#include "reference_host/cguiconfiguration.h"

#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/interfaces/icapturekeysviewmodel.h"
#include "base/orx2basepool/makeownerboundcommand.h"
#include "base/orx2basepool/makeregisteredcommand.h"
#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tserializablecommand.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "base/orx2basepool/tvaluestreamobserver.h"
#include "stress/stresssupport.h"
#include "support/commandenvironment.h"

#include <memory>
#include <stdexcept>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Stress;
using namespace Orx2Test;

namespace
{
constexpr unsigned kThreads = 4;
using CommandStress = CommandEnvironment;
using KeysStress = CommandEnvironment;
} // namespace

// GUI-locking commands (plain, serializable, and one whose action throws for every third argument) run on
// four threads at once. Inside an action the count must be at least 1; an observer of the count and the
// actions must never read more than the number of threads (a wrapped count reads as a huge number, a lost
// decrement leaves it too high); when all have returned, the count must be back at 0 and every execution
// must have been published.
TEST_F(CommandStress, GuiLockingCountLostOrWrappedUnderConcurrentExecution)
{
    Watchdog const watchdog("CommandStress.GuiLockingCountLostOrWrappedUnderConcurrentExecution");
    auto& count = ACommandBase::s_numberOfActiveGUILockingCommands;
    ASSERT_EQ(count.Get(), 0u) << "another test left the GUI locked";
    FaultLog faults;
    std::atomic<std::uint64_t> published{0}, actionsRun{0};
    auto const check = [&](unsigned value, unsigned lowest)
    {
        if (value < lowest || value > kThreads)
            faults.Add(std::to_string(value) + (lowest > 0 ? " inside an action" : " in the observer"));
    };
    TValueChangedObserver<unsigned int> countObserver(count, [&](unsigned int value) { check(value, 0); });
    TValueStreamObserver<ICommandBase*> streamObserver(ACommandBase::ms_EventCommandStream,
                                                       [&](ICommandBase* const&) { published.fetch_add(1); });
    auto const inside = [&]
    {
        check(count.Get(), 1);
        actionsRun.fetch_add(1);
    };
    auto plain = MakeRegisteredCommand<TCommand<void>>(inside, L"stress.Plain", true);
    auto serializable = MakeRegisteredCommand<TSerializableCommand<void, bool>>([&](bool) { inside(); },
                                                                                L"stress.Serializable", true);
    auto throwing = MakeRegisteredCommand<TCommand<void, int>>(
        [&](int argument)
        {
            inside();
            if (argument % 3 == 0)
                throw std::runtime_error("action failed");
        },
        L"stress.Throwing", true);
    Budget budget(Scaled(1'000'000, 150'000));
    RunThreads(kThreads,
               [&](unsigned thread)
               {
                   for (unsigned i = thread * 7; budget.Take(); ++i)
                   {
                       std::shared_ptr<IAsyncResult<>> result;
                       if (i % 4 < 2)
                           result = plain->Execute();
                       else if (i % 4 == 2)
                           result = serializable->Execute(i % 8 == 2);
                       else if (i % 3 != 0)
                           result = throwing->Execute(static_cast<int>(i));
                       else
                           EXPECT_THROW(throwing->Execute(static_cast<int>(i)), std::runtime_error);
                       if (result)
                           result->Wait(); // complete already: must not block
                       if (i % 64 == 0)
                           m_patientManager->Clear(); // keeps the recorder's memory flat
                   }
               });

    ReportBudget("executions", budget, 100'000);
    EXPECT_EQ(count.Get(), 0u) << "the GUI-locking count leaked";
    EXPECT_EQ(faults.Count(), 0u) << "the GUI-locking count read " << faults.First();
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
        explicit SOwner(std::atomic<std::uint64_t>& lateCount) : late(lateCount) { guard.Open(); }
        ~SOwner()
        {
            guard.Close();
            ending.store(true); // no action may start from here on
        }
        std::atomic<std::uint64_t>& late;
        std::atomic<bool> ending{false};
        COwnerGuard guard;
        std::shared_ptr<TCommand<void, int>> command = MakeOwnerBoundCommand<TCommand<void, int>>(
            guard, *this, [](SOwner& self, int) { self.late.fetch_add(self.ending.load() ? 1 : 0); },
            L"CommandStress.OwnerBound", false);
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
        ScopedThread a(execute), b(execute);
        BusyPause(2'000);
        owner.reset();
        stop.store(true);
    }
    ReportBudget("ownersDestroyed", budget);
    EXPECT_EQ(0u, lateActions.load()) << "an action ran after its owner's guard was closed";
}

TEST(GuiLockStress, EightThreadsCountTheWorkIndicatorExactly)
{
    Watchdog const watchdog("GuiLockStress.EightThreadsCountTheWorkIndicatorExactly");
    BusinessLayer::CLockGUIViewModelBase lock;
    std::vector<unsigned> seen{0}; // written under the view model's mutex only
    CScopedEventSignalConnection const observer(lock.GetShowAnimatedWorkIndicator().ConnectToValueChanged(
        MakeEventSignalHandler<unsigned const&>([&seen](unsigned value) { seen.push_back(value); })));
    Budget budget(Scaled(200'000, 20'000));
    RunThreads(8,
               [&](unsigned)
               {
                   while (budget.Take())
                       lock.ShowAnimatedWorkIndicator(true), lock.ShowAnimatedWorkIndicator(false);
               });
    ReportBudget("openAndClose", budget);
    EXPECT_EQ(0U, lock.GetShowAnimatedWorkIndicator().Get());
    for (std::size_t i = 1; i < seen.size(); ++i)
        ASSERT_EQ(1U, seen[i] > seen[i - 1] ? seen[i] - seen[i - 1] : seen[i - 1] - seen[i]) << "value " << i;
}

TEST_F(KeysStress, KeysPressedWhileAnotherThreadDestroysTheService)
{
    Watchdog const watchdog("KeysStress.KeysPressedWhileAnotherThreadDestroysTheService");
    ReferenceHost::CGuiConfiguration configuration;
    for (int round = 0; round < static_cast<int>(Scaled(50, 10)); ++round)
    {
        auto service = std::make_shared<ReferenceHost::CAcquisitionService>();
        std::weak_ptr<ReferenceHost::CAcquisitionService> const weak = service;
        configuration.setupKeyboardAndFootControl(service);
        auto const keys = configuration.GetCaptureKeysConfiguration().Get()->GetKeyPressedCommand().Get();
        Gate started;
        ScopedThread presser(
            [&]
            {
                for (unsigned i = 0; i < 200; ++i)
                {
                    keys->Execute(i % 2 == 0 ? 32U : 65U, i);
                    if (i == 10)
                        started.Open();
                }
            });
        ASSERT_TRUE(started.Wait());
        service.reset();
        presser.Join();
        EXPECT_TRUE(weak.expired()) << "round " << round;
    }
}
