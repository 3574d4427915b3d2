#include "bridge/cguilock.h"
#include "bridge/tslotwatch.h"

#include "bridgetestkit.h"
#include "support/commandenvironment.h"
#include "support/threadhelpers.h"

#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/tcommand.h"

#include <QMetaProperty>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace Orx2GuiTest
{
namespace
{
using Orx2Gui::CBridgeStatistics;
using MapPtr = std::unique_ptr<Orx2Gui::CViewModelMap>;
using Step = std::function<void(CTestViewModel&)>;

MapPtr MakeMap(std::shared_ptr<CTestViewModel> const& vm)
{
    return MapPtr(Orx2Gui::MakeViewModelMap(vm, kTable, nullptr));
}

/// Counts the notify signal that QML bindings of `key` listen to.
int Notifies(QSignalSpy const* spy)
{
    return static_cast<int>(spy->count());
}
std::unique_ptr<QSignalSpy> SpyOn(Orx2Gui::CViewModelMap& map, char const* key)
{
    return std::make_unique<QSignalSpy>(
        &map, map.metaObject()->property(map.metaObject()->indexOfProperty(key)).notifySignal());
}

TEST(ViewModelMap, NotifiesEachKeyOncePerRealChange)
{
    struct SCase
    {
        char const* name;
        std::vector<Step> steps;
        int numberNotifies, flagNotifies;
    };
    Step const one = [](CTestViewModel& vm) { vm.number.Set(1); };
    for (SCase const& row : {SCase{"one change", {one}, 1, 0},
                             SCase{"equal set", {[](CTestViewModel& vm) { vm.number.Set(0); }}, 0, 0},
                             SCase{"two keys in one step",
                                   {[](CTestViewModel& vm) { vm.number.Set(1), vm.flag.Set(true); }},
                                   1,
                                   1},
                             SCase{"there and back before the GUI runs",
                                   {[](CTestViewModel& vm) { vm.number.Set(1), vm.number.Set(0); }},
                                   0,
                                   0},
                             SCase{"two steps", {one, [](CTestViewModel& vm) { vm.number.Set(2); }}, 2, 0}})
    {
        SCOPED_TRACE(row.name);
        auto const vm = std::make_shared<CTestViewModel>();
        MapPtr const map = MakeMap(vm);
        auto const numberSpy = SpyOn(*map, "number"), flagSpy = SpyOn(*map, "flag");
        auto const start = CBridgeStatistics::Get();
        for (Step const& step : row.steps)
        {
            step(*vm);
            Pump();
            EXPECT_EQ(map->value("number"), QVariant(vm->number.Get()));
            EXPECT_EQ(map->value("flag"), QVariant(vm->flag.Get()));
        }
        EXPECT_EQ(Notifies(numberSpy.get()), row.numberNotifies);
        EXPECT_EQ(Notifies(flagSpy.get()), row.flagNotifies);
        EXPECT_EQ(Since(start).valuesChanged, static_cast<quint64>(row.numberNotifies + row.flagNotifies));
    }
}

TEST(ViewModelMap, EngineChangesReachTheMapOnlyOnTheGuiThreadAndEndInTheLastValues)
{
    constexpr quint64 kChanges = 300;
    for (bool const guiRunsMeanwhile : {false, true})
    {
        SCOPED_TRACE(guiRunsMeanwhile ? "GUI runs during the burst" : "burst, then the GUI runs");
        auto const vm = std::make_shared<CTestViewModel>();
        MapPtr const map = MakeMap(vm);
        auto const start = CBridgeStatistics::Get();
        std::atomic<int> running{2};
        // Two engine threads change two properties: the newest values win, whichever thread posts last.
        Orx2Test::ScopedThread numbers(
            [&]
            {
                for (int i = 1; i <= static_cast<int>(kChanges); ++i)
                    vm->number.Set(i);
                --running;
            });
        Orx2Test::ScopedThread flags(
            [&]
            {
                for (quint64 i = 1; i <= kChanges; ++i)
                    vm->flag.Set(i % 2 == 1);
                --running;
            });
        if (!guiRunsMeanwhile)
        {
            numbers.Join(), flags.Join();
            EXPECT_EQ(map->value("number"), QVariant(0)) << "applied off the GUI thread";
        }
        ASSERT_TRUE(PumpUntil([&] { return running == 0; }));
        Pump();
        EXPECT_EQ(map->value("number"), QVariant(static_cast<int>(kChanges)));
        EXPECT_EQ(map->value("flag"), QVariant(false));
        Orx2Gui::SBridgeCounts const counts = Since(start);
        EXPECT_EQ(counts.offThreadCalls, 0u);
        EXPECT_EQ(counts.snapshotsRead, 2 * kChanges) << "one snapshot per notification";
        EXPECT_GE(counts.postsQueued, counts.updatesApplied);
        EXPECT_GE(counts.updatesApplied, 1u);
        EXPECT_LE(counts.postsQueued, 2 * kChanges);
    }
}

TEST(ViewModelMap, ExecuteRunsTheNamedCommandOnce)
{
    struct SCase
    {
        char const* name;
        char const* command;
        bool viewModelAlive, result;
        int number;
    };
    for (SCase const& row :
         {SCase{"known command", "add", true, true, 5}, SCase{"unknown name", "sub", true, false, 0},
          SCase{"action throws", "throw", true, false, 0}, SCase{"view model gone", "add", false, false, 0}})
    {
        SCOPED_TRACE(row.name);
        auto vm = std::make_shared<CTestViewModel>();
        MapPtr const map = MakeMap(vm);
        std::shared_ptr<CTestViewModel> const kept = row.viewModelAlive ? vm : nullptr;
        std::weak_ptr<CTestViewModel> const watch = std::exchange(vm, nullptr);
        EXPECT_EQ(watch.expired(), !row.viewModelAlive) << "the map holds the view model weakly";
        EXPECT_EQ(map->execute(row.command, {5}), row.result);
        EXPECT_EQ(kept ? kept->number.Get() : 0, row.number);
        Pump();
        EXPECT_EQ(map->value("number"), QVariant(row.number));
    }
}

TEST(ViewModelMap, SurvivesEitherSideGoingWhileAnEngineThreadPublishes)
{
    auto vm = std::make_shared<CTestViewModel>();
    std::atomic<bool> stop{false};
    std::thread engine(
        [&, publisher = vm]
        {
            for (int i = 0; !stop; ++i)
                publisher->number.Set(i);
        });
    for (int round = 0; round < 50; ++round)
    {
        MapPtr map = MakeMap(vm);
        PumpUntil([&] { return map->value("number").toInt() > round; });
        map.reset(); // anything still posted to it is dropped
    }
    MapPtr const map = MakeMap(vm);
    stop = true;
    engine.join();
    vm->number.Set(-1);
    vm.reset(); // the view model goes; its last snapshot is still posted
    Pump();
    EXPECT_EQ(map->value("number"), QVariant(-1));
}

TEST(ViewModelMap, AReaderNeverHoldsTheLastReferenceInsideTheNotification)
{
    auto holder = std::make_shared<CTestViewModel>();
    CTestViewModel* const vm = holder.get();
    std::weak_ptr<CTestViewModel> const watch = holder;
    auto const table = Orx2Gui::TViewModelTable<CTestViewModel>(kTable).Property(
        "drop",
        [&](CTestViewModel& self)
        {
            if (self.number.Get() == 1)
                holder.reset(); // the reader's own hold is now the last
            return QVariant();
        });
    MapPtr const map(Orx2Gui::MakeViewModelMap(holder, table, nullptr));
    Orx2Test::RunBounded("a change whose reader drops the last outside reference",
                         [&] { vm->number.Set(1); });
    EXPECT_TRUE(watch.expired());
}

using GuiLockTest = Orx2Test::CommandEnvironment;

TEST_F(GuiLockTest, LockedWhileAGuiLockingCommandRunsOnAnotherThread)
{
    Orx2Gui::CGuiLock lock;
    QSignalSpy const lockedChanges(&lock, &Orx2Gui::CGuiLock::lockedChanged);
    Orx2Test::Gate running, release;
    auto const command =
        std::make_shared<Base::TCommand<void>>([&] { running.Open(), release.Wait(); }, L"Test.Lock", true);
    EXPECT_FALSE(lock.locked());
    Orx2Test::ScopedThread engine([&] { command->Execute(); });
    ASSERT_TRUE(running.Wait());
    EXPECT_TRUE(PumpUntil([&] { return lock.locked(); }));
    EXPECT_EQ(lock.count(), 1);
    release.Open();
    engine.Join();
    EXPECT_TRUE(PumpUntil([&] { return !lock.locked(); }));
    EXPECT_EQ(lockedChanges.count(), 2);
}

TEST(SlotWatch, CallsBackOnTheGuiThreadWithEachViewModelOfTheSlot)
{
    Base::CSilentChangeOwner owner;
    auto const first = std::make_shared<CTestViewModel>(), second = std::make_shared<CTestViewModel>();
    Base::TProperty<std::shared_ptr<ITestViewModel>> slot{first, owner};
    std::vector<std::shared_ptr<ITestViewModel>> seen;
    {
        Orx2Gui::TSlotWatch<ITestViewModel> const watch(slot,
                                                        [&](std::shared_ptr<ITestViewModel> const& vm)
                                                        {
                                                            EXPECT_EQ(QThread::currentThread(),
                                                                      QCoreApplication::instance()->thread());
                                                            seen.push_back(vm);
                                                        });
        EXPECT_EQ(seen, std::vector<std::shared_ptr<ITestViewModel>>{first})
            << "the current view model, at once";
        std::thread([&] { slot.Set(second); }).join();
        EXPECT_EQ(seen.size(), 1u);
        EXPECT_TRUE(PumpUntil([&] { return seen.size() == 2; }));
        std::thread([&] { slot.Set(nullptr); }).join();
    } // destroyed with a call still posted: it is dropped
    Pump();
    EXPECT_EQ(seen, (std::vector<std::shared_ptr<ITestViewModel>>{first, second}));
}
} // namespace
} // namespace Orx2GuiTest
