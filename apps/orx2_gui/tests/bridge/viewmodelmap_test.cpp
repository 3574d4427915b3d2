#include "bridgetestkit.h"

#include <QMetaProperty>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace Orx2GuiTest
{
namespace
{
using Orx2Gui::CViewModelMap;

std::unique_ptr<CViewModelMap> MakeMap(std::shared_ptr<CTestViewModel> const& vm)
{
    return std::unique_ptr<CViewModelMap>(Orx2Gui::MakeViewModelMap(vm, kTable, nullptr));
}

/// Counts the notify signal QML bindings of `key` listen to.
std::unique_ptr<QSignalSpy> SpyOn(CViewModelMap& map, char const* key)
{
    QMetaProperty const property = map.metaObject()->property(map.metaObject()->indexOfProperty(key));
    return std::make_unique<QSignalSpy>(&map, property.notifySignal());
}

struct SPropertiesCase
{
    std::string name;
    /// Each step runs on the GUI thread; the GUI applies what it posted before the next step.
    std::vector<std::function<void(CTestViewModel&)>> steps;
    int numberNotifies;
    int flagNotifies;
};

TEST(ViewModelMap, NotifiesEachKeyOncePerRealChange)
{
    std::vector<SPropertiesCase> const cases = {
        {"one change", {[](CTestViewModel& vm) { vm.number.Set(1); }}, 1, 0},
        {"equal set", {[](CTestViewModel& vm) { vm.number.Set(0); }}, 0, 0},
        {"two keys in one step", {[](CTestViewModel& vm) { vm.number.Set(1), vm.flag.Set(true); }}, 1, 1},
        {"there and back before the GUI runs", {[](CTestViewModel& vm) { vm.number.Set(1), vm.number.Set(0); }}, 0, 0},
        {"two steps", {[](CTestViewModel& vm) { vm.number.Set(1); }, [](CTestViewModel& vm) { vm.number.Set(2); }}, 2, 0},
    };
    for (SPropertiesCase const& row : cases)
    {
        SCOPED_TRACE(row.name);
        auto const vm = std::make_shared<CTestViewModel>();
        auto const map = MakeMap(vm);
        auto const numberSpy = SpyOn(*map, "number");
        auto const flagSpy = SpyOn(*map, "flag");
        StatisticsDelta const delta;
        for (auto const& step : row.steps)
        {
            step(*vm);
            Pump();
            EXPECT_EQ(map->value("number"), QVariant(vm->number.Get()));
            EXPECT_EQ(map->value("flag"), QVariant(vm->flag.Get()));
        }
        EXPECT_EQ(numberSpy->count(), row.numberNotifies);
        EXPECT_EQ(flagSpy->count(), row.flagNotifies);
        EXPECT_EQ(delta().valuesChanged, static_cast<quint64>(row.numberNotifies + row.flagNotifies));
    }
}

TEST(ViewModelMap, EngineChangesReachTheMapOnlyOnTheGuiThread)
{
    constexpr int kChanges = 300;
    struct SCase
    {
        char const* name;
        bool guiRunsMeanwhile;
    };
    for (SCase const row : {SCase{"burst, then the GUI runs", false}, SCase{"GUI runs during the burst", true}})
    {
        SCOPED_TRACE(row.name);
        auto const vm = std::make_shared<CTestViewModel>();
        auto const map = MakeMap(vm);
        StatisticsDelta const delta;
        std::atomic<bool> done{false};
        // Two engine threads change two properties: the last values win, whichever thread posts last.
        std::thread numbers([&] {
            for (int i = 1; i <= kChanges; ++i)
                vm->number.Set(i);
        });
        std::thread flags([&] {
            for (int i = 1; i <= kChanges; ++i)
                vm->flag.Set(i % 2 == 1);
            done = true;
        });
        if (row.guiRunsMeanwhile)
            PumpUntil([&] { return done.load(); });
        else
        {
            numbers.join();
            flags.join();
            EXPECT_EQ(map->value("number"), QVariant(0)) << "applied off the GUI thread";
        }
        if (numbers.joinable())
            numbers.join(), flags.join();
        Pump();
        EXPECT_EQ(map->value("number"), QVariant(kChanges));
        EXPECT_EQ(map->value("flag"), QVariant(false));
        EXPECT_EQ(delta().offThreadCalls, 0u);
        EXPECT_GE(delta().updatesApplied, 1u);
        EXPECT_LE(delta().updatesApplied, 2u * kChanges);
        EXPECT_LE(delta().valuesChanged, 2u * kChanges);
    }
}

TEST(ViewModelMap, ExecuteRunsTheNamedCommandOnce)
{
    struct SCase
    {
        char const* name;
        char const* command;
        bool viewModelAlive;
        bool result;
        int number;
    };
    for (SCase const& row : {SCase{"known command", "add", true, true, 5}, SCase{"unknown name", "sub", true, false, 0},
                             SCase{"action throws", "throw", true, false, 0},
                             SCase{"view model gone", "add", false, false, 0}})
    {
        SCOPED_TRACE(row.name);
        auto vm = std::make_shared<CTestViewModel>();
        auto const map = MakeMap(vm);
        std::shared_ptr<CTestViewModel> const kept = row.viewModelAlive ? vm : nullptr;
        std::weak_ptr<CTestViewModel> const watch = vm;
        vm.reset();
        EXPECT_EQ(map->execute(row.command, {5}), row.result);
        EXPECT_EQ(kept ? kept->number.Get() : 0, row.number);
        Pump();
        EXPECT_EQ(map->value("number"), QVariant(row.number)) << "a view model gone keeps the last values";
        EXPECT_EQ(watch.expired(), !row.viewModelAlive) << "the map holds the view model weakly";
    }
}

TEST(ViewModelMap, SurvivesEitherSideGoingWhileAnEngineThreadPublishes)
{
    auto vm = std::make_shared<CTestViewModel>();
    std::atomic<bool> stop{false};
    std::thread engine([&, publisher = vm] {
        for (int i = 0; !stop; ++i)
            publisher->number.Set(i);
    });
    for (int round = 0; round < 50; ++round)
    {
        auto map = MakeMap(vm);
        PumpUntil([&] { return map->value("number").toInt() > round; });
        map.reset(); // anything still posted to it is dropped
    }
    auto const map = MakeMap(vm);
    stop = true;
    engine.join();
    vm->number.Set(-1);
    vm.reset(); // the engine's copy went with its thread: the view model goes now, its post stays
    Pump();
    EXPECT_EQ(map->value("number"), QVariant(-1));
    EXPECT_FALSE(map->execute("add", {1}));
}
} // namespace
} // namespace Orx2GuiTest
