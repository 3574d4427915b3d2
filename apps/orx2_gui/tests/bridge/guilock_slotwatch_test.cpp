#include "bridge/cguilock.h"
#include "bridge/tslotwatch.h"

#include "bridgetestkit.h"
#include "support/commandenvironment.h"
#include "support/threadhelpers.h"

#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/tcommand.h"

#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

namespace Orx2GuiTest
{
namespace
{
using GuiLockTest = Orx2Test::CommandEnvironment;

TEST_F(GuiLockTest, LockedWhileAGuiLockingCommandRunsOnAnotherThread)
{
    Orx2Gui::CGuiLock lock;
    QSignalSpy const lockedChanges(&lock, &Orx2Gui::CGuiLock::lockedChanged);
    Orx2Test::Gate running, release;
    auto const command = std::make_shared<Base::TCommand<void>>(
        [&] {
            running.Open();
            release.Wait();
        },
        L"Test.LockingCommand", true);
    EXPECT_FALSE(lock.locked());
    std::thread engine([&] { command->Execute(); });
    ASSERT_TRUE(running.Wait());
    EXPECT_TRUE(PumpUntil([&] { return lock.locked(); }));
    EXPECT_EQ(lock.count(), 1);
    release.Open();
    engine.join();
    EXPECT_TRUE(PumpUntil([&] { return !lock.locked(); }));
    EXPECT_EQ(lockedChanges.count(), 2);
}

TEST(SlotWatch, CallsBackOnTheGuiThreadWithEachViewModelOfTheSlot)
{
    Base::CSilentChangeOwner owner;
    auto const first = std::make_shared<CTestViewModel>();
    Base::TProperty<std::shared_ptr<ITestViewModel>> slot{first, owner};
    std::vector<std::shared_ptr<ITestViewModel>> seen;
    int offThread = 0;
    {
        Orx2Gui::TSlotWatch<ITestViewModel> const watch(slot, [&](std::shared_ptr<ITestViewModel> const& vm) {
            offThread += QThread::currentThread() != QCoreApplication::instance()->thread();
            seen.push_back(vm);
        });
        ASSERT_EQ(seen.size(), 1u) << "the current view model, at once";
        auto const second = std::make_shared<CTestViewModel>();
        std::thread([&] { slot.Set(second); }).join();
        EXPECT_EQ(seen.size(), 1u);
        EXPECT_TRUE(PumpUntil([&] { return seen.size() == 2; }));
        EXPECT_EQ(seen.back(), second);
        std::thread([&] { slot.Set(nullptr); }).join();
    } // destroyed with a call still posted: it is dropped
    Pump();
    EXPECT_EQ(seen.front(), first);
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(offThread, 0);
}
} // namespace
} // namespace Orx2GuiTest
