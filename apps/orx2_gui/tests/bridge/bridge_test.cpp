// The bridge on a QCoreApplication's main thread (the GUI thread), fed from engine threads.
#include "bridge/carraylistmodel.h"
#include "bridge/cbridgestatistics.h"
#include "bridge/cguilock.h"
#include "bridge/cviewmodelmap.h"
#include "bridge/tslotwatch.h"

#include "support/arraymodel.h"
#include "support/commandenvironment.h"
#include "support/threadhelpers.h"

#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QMetaProperty>
#include <QPointer>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <stdexcept>

namespace
{
using namespace Orx2Gui;
using Orx2Test::ScopedThread;

class ITestViewModel : public Base::INotifyPropertyChanged
{
};

class CTestViewModel : public Base::TNotifyPropertyChangedImpl<ITestViewModel>
{
public:
    Base::TProperty<int> number{0, *this};
    Base::TProperty<bool> flag{false, *this};
};

using VmPtr = std::shared_ptr<CTestViewModel>;
using IntArray = Base::Binding::TArrayProperty<int>;
using MapPtr = std::unique_ptr<CViewModelMap>;
using ModelPtr = std::unique_ptr<CArrayListModel>;

TViewModelTable<CTestViewModel> const kTable =
    TViewModelTable<CTestViewModel>()
        .Property("number", [](CTestViewModel const& vm) { return QVariant(vm.number.Get()); })
        .Property("flag", [](CTestViewModel const& vm) { return QVariant(vm.flag.Get()); })
        .Command("add", [](CTestViewModel& vm, QVariantList const& args)
                 { vm.number.Set(vm.number.Get() + args.value(0).toInt()); })
        .Command("throw", [](CTestViewModel&, QVariantList const&) { throw std::runtime_error("refused"); });

MapPtr MakeMap(VmPtr const& vm)
{
    return MapPtr(MakeViewModelMap(vm, kTable, nullptr));
}

QVariantMap IntRow(int const& value)
{
    return {{"value", value}};
}

ModelPtr MakeModel(std::shared_ptr<IntArray> const& array)
{
    return ModelPtr(MakeArrayListModel<int>(*array, array, {"value"}, IntRow, nullptr));
}

/// Runs the GUI thread's events (deferred deletes included) until `done` holds; false after 10 s.
bool PumpUntil(std::function<bool()> const& done = [] { return true; })
{
    for (auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);;
         std::this_thread::yield())
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (done() || std::chrono::steady_clock::now() > deadline)
            return done();
    }
}

/// What the bridge did since `start`.
SBridgeCounts Since(SBridgeCounts const& start)
{
    return CBridgeStatistics::Get() - start;
}

/// The rows as QML reads them: through the role names.
std::vector<int> Rows(CArrayListModel const& model)
{
    std::vector<int> rows;
    for (int i = 0; i < model.rowCount(); ++i)
        rows.push_back(model.data(model.index(i), model.roleNames().key("value")).toInt());
    return rows;
}

int Count(QSignalSpy const& spy)
{
    return static_cast<int>(spy.count());
}

TEST(ViewModelMap, NotifiesEachKeyOncePerRealChange)
{
    // Each step sets (number, flag) pairs in order; the GUI runs after each step.
    using Steps = std::vector<std::vector<std::pair<int, bool>>>;
    // clang-format off
    struct SCase { char const* name; Steps steps; int numberNotifies, flagNotifies; };
    for (SCase const& row : {SCase{"one change",                         {{{1, false}}},             1, 0},
                             SCase{"equal set",                          {{{0, false}}},             0, 0},
                             SCase{"two keys in one step",               {{{1, true}}},              1, 1},
                             SCase{"there and back before the GUI runs", {{{1, true}, {0, false}}},  0, 0},
                             SCase{"two steps",                          {{{1, false}}, {{2, false}}}, 2, 0}})
    // clang-format on
    {
        SCOPED_TRACE(row.name);
        auto const vm = std::make_shared<CTestViewModel>();
        MapPtr const map = MakeMap(vm);
        auto notifySignal = [&](char const* key)
        { return map->metaObject()->property(map->metaObject()->indexOfProperty(key)).notifySignal(); };
        QSignalSpy const numberSpy(map.get(), notifySignal("number")),
            flagSpy(map.get(), notifySignal("flag"));
        auto const start = CBridgeStatistics::Get();
        for (auto const& step : row.steps)
        {
            for (auto const& [number, flag] : step)
                vm->number.Set(number), vm->flag.Set(flag);
            PumpUntil();
            EXPECT_EQ(map->value("number"), QVariant(vm->number.Get()));
            EXPECT_EQ(map->value("flag"), QVariant(vm->flag.Get()));
        }
        EXPECT_EQ(Count(numberSpy), row.numberNotifies);
        EXPECT_EQ(Count(flagSpy), row.flagNotifies);
        EXPECT_EQ(Since(start).valuesChanged, static_cast<quint64>(row.numberNotifies + row.flagNotifies));
    }
}

TEST(ViewModelMap, EngineChangesReachTheMapOnlyOnTheGuiThreadAndEndInTheLastValues)
{
    constexpr int kChanges = 300;
    for (bool const guiRunsMeanwhile : {false, true})
    {
        SCOPED_TRACE(guiRunsMeanwhile ? "GUI runs during the burst" : "burst, then the GUI runs");
        auto const vm = std::make_shared<CTestViewModel>();
        MapPtr const map = MakeMap(vm);
        auto const start = CBridgeStatistics::Get();
        std::atomic<int> running{2};
        // Two engine threads change two properties: the newest values win, whichever thread posts last.
        auto burst = [&](auto set)
        {
            return [&, set]
            {
                for (int i = 1; i <= kChanges; ++i)
                    set(i);
                --running;
            };
        };
        ScopedThread numbers(burst([&](int i) { vm->number.Set(i); })),
            flags(burst([&](int i) { vm->flag.Set(i % 2); }));
        if (!guiRunsMeanwhile)
        {
            numbers.Join(), flags.Join();
            EXPECT_EQ(map->value("number"), QVariant(0)) << "applied off the GUI thread";
        }
        ASSERT_TRUE(PumpUntil([&] { return running == 0; }));
        PumpUntil();
        EXPECT_EQ(map->value("number"), QVariant(kChanges));
        EXPECT_EQ(map->value("flag"), QVariant(false));
        SBridgeCounts const counts = Since(start);
        EXPECT_EQ(counts.offThreadCalls, 0u);
        EXPECT_EQ(counts.snapshotsRead, 2u * kChanges) << "one snapshot per notification";
        EXPECT_GE(counts.postsQueued, counts.updatesApplied);
        EXPECT_GE(counts.updatesApplied, 1u);
        EXPECT_LE(counts.postsQueued, 2u * kChanges);
    }
}

TEST(ViewModelMap, ExecuteRunsTheNamedCommandOnce)
{
    // clang-format off
    struct SCase { char const* name; char const* command; bool viewModelAlive, result; int number; };
    for (SCase const& row : {SCase{"known command",   "add",   true,  true,  5},
                             SCase{"unknown name",    "sub",   true,  false, 0},
                             SCase{"action throws",   "throw", true,  false, 0},
                             SCase{"view model gone", "add",   false, false, 0}})
    // clang-format on
    {
        SCOPED_TRACE(row.name);
        auto vm = std::make_shared<CTestViewModel>();
        MapPtr const map = MakeMap(vm);
        VmPtr const kept = row.viewModelAlive ? vm : nullptr;
        std::weak_ptr<CTestViewModel> const watch = std::exchange(vm, nullptr);
        EXPECT_EQ(watch.expired(), !row.viewModelAlive) << "the map holds the view model weakly";
        EXPECT_EQ(map->execute(row.command, {5}), row.result);
        EXPECT_EQ(kept ? kept->number.Get() : 0, row.number);
        PumpUntil();
        EXPECT_EQ(map->value("number"), QVariant(row.number));
    }
}

TEST(ViewModelMap, AReaderNeverHoldsTheLastReferenceInsideTheNotification)
{
    auto holder = std::make_shared<CTestViewModel>();
    CTestViewModel* const vm = holder.get();
    std::weak_ptr<CTestViewModel> const watch = holder;
    auto const table = TViewModelTable<CTestViewModel>(kTable).Property(
        "drop",
        [&](CTestViewModel& self)
        {
            if (self.number.Get() == 1)
                holder.reset(); // the reader's own hold is now the last
            return QVariant();
        });
    MapPtr const map(MakeViewModelMap(holder, table, nullptr));
    Orx2Test::RunBounded("a change whose reader drops the last outside reference",
                         [&] { vm->number.Set(1); });
    EXPECT_TRUE(watch.expired());
}

TEST(Bridge, SurvivesEitherSideGoingWhileAnEngineThreadPublishes)
{
    auto vm = std::make_shared<CTestViewModel>();
    auto const array = std::make_shared<IntArray>();
    std::atomic<bool> stop{false};
    ScopedThread engine(
        [&, publisher = vm]
        {
            for (int i = 0; !stop; ++i, std::this_thread::yield())
                publisher->number.Set(i), i % 8 == 7 ? array->Clear() : array->Add(i);
        });
    for (int round = 0; round < 50; ++round)
    {
        auto const start = CBridgeStatistics::Get();
        MapPtr map = MakeMap(vm);
        ModelPtr model = MakeModel(array);
        PumpUntil([&] { return Since(start).rowChanges > 1 && Since(start).updatesApplied > 0; });
        map.reset(), model.reset(); // anything still posted to them is dropped
    }
    MapPtr const map = MakeMap(vm);
    stop = true;
    engine.Join();
    vm->number.Set(-1);
    vm.reset(); // the view model goes; its last snapshot is still posted
    PumpUntil();
    EXPECT_EQ(map->value("number"), QVariant(-1));
}

TEST(ArrayListModel, EachEditBecomesTheMatchingRowSignals)
{
    using Edit = std::function<void(std::shared_ptr<IntArray>&)>;
    // clang-format off
    struct SCase { char const* name; std::vector<int> initial; Edit edit; std::vector<int> signalCounts; };
    for (SCase const& row : {SCase{"Set replaces one",   {1, 2, 3},    [](auto& a) { a->Set({1, 9, 3}); },    {1, 0, 0, 0}},
                             SCase{"Set shorter",        {1, 2, 3},    [](auto& a) { a->Set({1, 9}); },       {1, 0, 1, 0}},
                             SCase{"SetAt past the end", {1, 2},       [](auto& a) { a->SetAt(5, 7); },       {0, 1, 0, 0}},
                             SCase{"Insert",             {1, 2, 3},    [](auto& a) { a->Insert(1, 8); },      {0, 1, 0, 0}},
                             SCase{"RemoveRange",        {1, 2, 3, 4}, [](auto& a) { a->RemoveRange(1, 3); }, {0, 0, 1, 0}},
                             SCase{"Clear",              {1, 2},       [](auto& a) { a->Clear(); },           {0, 0, 0, 1}},
                             SCase{"source destroyed",   {1, 2},       [](auto& a) { a.reset(); },            {0, 0, 0, 1}}})
    // clang-format on
    {
        SCOPED_TRACE(row.name);
        auto array = std::make_shared<IntArray>();
        array->Set(row.initial);
        ModelPtr const model = MakeModel(array);
        QAbstractItemModelTester const tester(model.get(),
                                              QAbstractItemModelTester::FailureReportingMode::Fatal);
        EXPECT_EQ(Rows(*model), row.initial);
        QSignalSpy const changed(model.get(), &QAbstractItemModel::dataChanged),
            inserted(model.get(), &QAbstractItemModel::rowsInserted),
            removed(model.get(), &QAbstractItemModel::rowsRemoved),
            reset(model.get(), &QAbstractItemModel::modelReset);
        ScopedThread([&] { row.edit(array); }).Join();
        EXPECT_EQ(Rows(*model), row.initial) << "changed off the GUI thread";
        PumpUntil();
        EXPECT_EQ(Rows(*model), array ? array->GetValues() : std::vector<int>());
        EXPECT_EQ((std::vector<int>{Count(changed), Count(inserted), Count(removed), Count(reset)}),
                  row.signalCounts)
            << "changed, inserted, removed, reset";
    }
}

TEST(ArrayListModel, FollowsRandomEditsWhileTheGuiRuns)
{
    auto const array = std::make_shared<IntArray>();
    ModelPtr const model = MakeModel(array);
    QAbstractItemModelTester const tester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    std::atomic<bool> done{false};
    ScopedThread engine(
        [&]
        {
            std::mt19937 random(19);
            for (int i = 0; i < 400; ++i)
                Orx2Test::RandomArrayEdit(random, array->GetSize()).ApplyTo(*array);
            done = true;
        });
    PumpUntil([&] { return done.load(); });
    PumpUntil();
    EXPECT_EQ(Rows(*model), array->GetValues());
}

TEST(ArrayListModel, ViewModelElementsGetAMapDeletedWithTheirRow)
{
    auto const array = std::make_shared<Base::Binding::TArrayProperty<VmPtr>>();
    VmPtr const first = std::make_shared<CTestViewModel>();
    array->Set({first, std::make_shared<CTestViewModel>()});
    auto const toRow = [](VmPtr const& vm) {
        return QVariantMap{{"item", QVariant::fromValue<QObject*>(MakeViewModelMap(vm, kTable, nullptr))}};
    };
    ModelPtr const model(MakeArrayListModel<VmPtr>(*array, array, {"item"}, toRow, nullptr));
    auto mapOf = [&](int row) { return model->get(row).value("item").value<QObject*>(); };
    QObject* const firstMap = mapOf(0);
    ASSERT_NE(firstMap, nullptr);
    EXPECT_EQ(firstMap->parent(), model.get());
    ScopedThread([&] { first->number.Set(4); }).Join();
    PumpUntil();
    EXPECT_EQ(firstMap->property("number"), QVariant(4));
    QPointer<QObject> const replaced = firstMap, removed = mapOf(1);
    array->SetAt(0, std::make_shared<CTestViewModel>());
    array->RemoveAt(1);
    PumpUntil();
    EXPECT_FALSE(replaced) << "the replaced row's map is deleted";
    EXPECT_FALSE(removed) << "the removed row's map is deleted";
}

using GuiLockTest = Orx2Test::CommandEnvironment;

TEST_F(GuiLockTest, LockedWhileAGuiLockingCommandRunsOnAnotherThread)
{
    CGuiLock lock;
    QSignalSpy const lockedChanges(&lock, &CGuiLock::lockedChanged);
    Orx2Test::Gate running, release;
    auto const command =
        std::make_shared<Base::TCommand<void>>([&] { running.Open(), release.Wait(); }, L"Test.Lock", true);
    EXPECT_FALSE(lock.locked());
    ScopedThread engine([&] { command->Execute(); });
    ASSERT_TRUE(running.Wait());
    EXPECT_TRUE(PumpUntil([&] { return lock.locked() && lock.count() == 1; }));
    release.Open();
    engine.Join();
    EXPECT_TRUE(PumpUntil([&] { return !lock.locked(); }));
    EXPECT_EQ(Count(lockedChanges), 2);
}

TEST(SlotWatch, CallsBackOnTheGuiThreadWithEachViewModelOfTheSlot)
{
    Base::CSilentChangeOwner owner;
    auto const first = std::make_shared<CTestViewModel>(), second = std::make_shared<CTestViewModel>();
    Base::TProperty<std::shared_ptr<ITestViewModel>> slot{first, owner};
    std::vector<std::shared_ptr<ITestViewModel>> seen;
    {
        auto const onGuiThread = [&](std::shared_ptr<ITestViewModel> const& vm)
        {
            EXPECT_EQ(QThread::currentThread(), qApp->thread());
            seen.push_back(vm);
        };
        TSlotWatch<ITestViewModel> const watch(slot, onGuiThread);
        EXPECT_EQ(seen.size(), 1u) << "the current view model, at once";
        ScopedThread([&] { slot.Set(second); }).Join();
        EXPECT_EQ(seen.size(), 1u);
        EXPECT_TRUE(PumpUntil([&] { return seen.size() == 2; }));
        ScopedThread([&] { slot.Set(nullptr); }).Join();
    } // destroyed with a call still posted: it is dropped
    PumpUntil();
    EXPECT_EQ(seen, (std::vector<std::shared_ptr<ITestViewModel>>{first, second}));
}
} // namespace
