// What the Qt bridge adds to a property change: the snapshot read and the post on the changing thread,
// the update on the GUI thread, and the time from a change on an engine thread to its value applied on
// a GUI thread that waits in its event loop.
#include "../benchsupport.h" // (bench/ is no include folder: its compare script would shadow <compare>)
#include "bridge/cbridgestatistics.h"
#include "bridge/cviewmodelmap.h"

#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"

#include <QCoreApplication>
#include <QThread>

#include <benchmark/benchmark.h>

#include <memory>
#include <thread>

namespace
{
class IBenchViewModel : public Base::INotifyPropertyChanged
{
};

class CBenchViewModel : public Base::TNotifyPropertyChangedImpl<IBenchViewModel>
{
public:
    Base::TProperty<int> number{0, *this};
    Base::TProperty<bool> flag{false, *this};
};

/// `keys` values: the first follows `number`, the others an unchanging flag (a tile changes one value
/// at a time).
Orx2Gui::TViewModelTable<CBenchViewModel> Table(int keys)
{
    Orx2Gui::TViewModelTable<CBenchViewModel> table;
    table.Property("number", [](CBenchViewModel const& vm) { return QVariant(vm.number.Get()); });
    for (int i = 1; i < keys; ++i)
        table.Property(QString("flag%1").arg(i),
                       [](CBenchViewModel const& vm) { return QVariant(vm.flag.Get()); });
    return table;
}

/// Set on one thread with `keys` mapped values (0: no map), the GUI side applying after each change
/// (`guiRuns` 1: snapshot, post and update) or busy (0: the snapshot merges into the pending post).
void BM_SetWithTheBridgeOnOneThread(benchmark::State& state)
{
    auto const vm = std::make_shared<CBenchViewModel>();
    int const keys = static_cast<int>(state.range(0));
    bool const guiRuns = state.range(1) != 0;
    std::unique_ptr<Orx2Gui::CViewModelMap> const map(
        keys > 0 ? Orx2Gui::MakeViewModelMap(vm, Table(keys), nullptr) : nullptr);
    int i = 0;
    for (auto _ : state)
    {
        vm->number.Set(++i);
        if (guiRuns)
            QCoreApplication::sendPostedEvents();
    }
    QCoreApplication::sendPostedEvents();
    if (map && map->value("number").toInt() != i)
        state.SkipWithError("the map missed a change");
    state.SetLabel(keys == 0 ? "Set alone"
                   : guiRuns ? "snapshot + post + update"
                             : "snapshot, merged into the pending post");
}
BENCHMARK(BM_SetWithTheBridgeOnOneThread)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({8, 0})
    ->Args({1, 1})
    ->Args({8, 1});

/// From Set on this (engine) thread to the value applied on a GUI thread waiting in its event loop.
void BM_SetToAppliedAcrossThreads(benchmark::State& state)
{
    auto const vm = std::make_shared<CBenchViewModel>();
    QThread gui;
    gui.start();
    QObject anchor;
    anchor.moveToThread(&gui);
    Orx2Gui::CViewModelMap* map = nullptr;
    QMetaObject::invokeMethod(
        &anchor,
        [&] { map = Orx2Gui::MakeViewModelMap(vm, Table(static_cast<int>(state.range(0))), nullptr); },
        Qt::BlockingQueuedConnection);
    int i = 0;
    for (auto _ : state)
    {
        quint64 const applied = Orx2Gui::CBridgeStatistics::Get().updatesApplied;
        vm->number.Set(++i);
        while (Orx2Gui::CBridgeStatistics::Get().updatesApplied == applied)
            std::this_thread::yield();
    }
    QMetaObject::invokeMethod(
        &anchor, [&] { delete map; }, Qt::BlockingQueuedConnection);
    gui.quit();
    gui.wait();
}
BENCHMARK(BM_SetToAppliedAcrossThreads)->Arg(1)->Arg(8)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    return Orx2Bench::RunBenchmarks(argc, argv);
}
