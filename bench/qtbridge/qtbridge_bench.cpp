// What the Qt bridge adds to a property change: the snapshot read and the post on the changing thread,
// the update on the GUI thread, and the time from a change on an engine thread to its value applied on
// a GUI thread that waits in its event loop.
#include "../benchsupport.h" // (bench/ is no include folder: its compare script would shadow <compare>)
#include "qtbridge/cbridgestatistics.h"
#include "qtbridge/cviewmodelmap.h"

#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"

#include <QCoreApplication>
#include <QThread>

#include <benchmark/benchmark.h>

#include <memory>
#include <thread>

namespace Base
{
/// One mapped value, which follows `number`.
class IBenchViewModel : public INotifyPropertyChanged
{
public:
    virtual IProperty<int> const& GetNumber() const = 0;
    virtual IProperty<bool> const& GetFlag() const = 0;
};
/// Eight: the number and seven unchanging flags (a tile changes one value at a time).
class IBenchWideViewModel : public IBenchViewModel
{
};

template <> struct TDescription<IBenchViewModel> : Describe::TMembersOf<IBenchViewModel>
{
    static constexpr auto Members() { return std::make_tuple(Property<int>("Number", &I::GetNumber)); }
};
template <> struct TDescription<IBenchWideViewModel> : Describe::TMembersOf<IBenchWideViewModel>
{
    static constexpr auto Members()
    {
        return std::tuple_cat(
            Inherited<IBenchViewModel>(),
            std::make_tuple(Property<bool>("Flag1", &I::GetFlag), Property<bool>("Flag2", &I::GetFlag),
                            Property<bool>("Flag3", &I::GetFlag), Property<bool>("Flag4", &I::GetFlag),
                            Property<bool>("Flag5", &I::GetFlag), Property<bool>("Flag6", &I::GetFlag),
                            Property<bool>("Flag7", &I::GetFlag)));
    }
};
} // namespace Base

namespace
{
class CBenchViewModel : public Base::TNotifyPropertyChangedImpl<Base::IBenchWideViewModel>
{
public:
    Base::IProperty<int> const& GetNumber() const override { return number; }
    Base::IProperty<bool> const& GetFlag() const override { return flag; }

    Base::TProperty<int> number{0, *this};
    Base::TProperty<bool> flag{false, *this};
};

/// The map of `vm` with `keys` values (1 or 8).
Orx2Qt::CViewModelMap* MakeMap(std::shared_ptr<CBenchViewModel> const& vm, int keys)
{
    return keys == 1 ? Orx2Qt::MakeViewModelMap<Base::IBenchViewModel>(vm, nullptr)
                     : Orx2Qt::MakeViewModelMap<Base::IBenchWideViewModel>(vm, nullptr);
}

/// Set on one thread with `keys` mapped values (0: no map), the GUI side applying after each change
/// (`guiRuns` 1: snapshot, post and update) or busy (0: the snapshot merges into the pending post).
void BM_SetWithTheBridgeOnOneThread(benchmark::State& state)
{
    auto const vm = std::make_shared<CBenchViewModel>();
    int const keys = static_cast<int>(state.range(0));
    bool const guiRuns = state.range(1) != 0;
    std::unique_ptr<Orx2Qt::CViewModelMap> const map(keys > 0 ? MakeMap(vm, keys) : nullptr);
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
    Orx2Qt::CViewModelMap* map = nullptr;
    QMetaObject::invokeMethod(
        &anchor, [&] { map = MakeMap(vm, static_cast<int>(state.range(0))); }, Qt::BlockingQueuedConnection);
    int i = 0;
    for (auto _ : state)
    {
        quint64 const applied = Orx2Qt::CBridgeStatistics::Get().updatesApplied;
        vm->number.Set(++i);
        while (Orx2Qt::CBridgeStatistics::Get().updatesApplied == applied)
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
