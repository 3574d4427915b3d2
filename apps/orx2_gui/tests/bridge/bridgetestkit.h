#pragma once
// A small view model, its table, and bounded waits that run the GUI thread's event loop.
#include "bridge/cbridgestatistics.h"
#include "bridge/cviewmodelmap.h"

#include "base/orx2basepool/iviewmodelobject.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"

#include <QCoreApplication>
#include <QEvent>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace Orx2GuiTest
{
class ITestViewModel : public Base::INotifyPropertyChanged, public Base::IViewModelObject
{
};

class CTestViewModel : public Base::TNotifyPropertyChangedImpl<ITestViewModel>
{
public:
    Base::TProperty<int> number{0, *this};
    Base::TProperty<bool> flag{false, *this};
};

inline Orx2Gui::TViewModelTable<CTestViewModel> const kTable =
    Orx2Gui::TViewModelTable<CTestViewModel>()
        .Property("number", [](CTestViewModel const& vm) { return QVariant(vm.number.Get()); })
        .Property("flag", [](CTestViewModel const& vm) { return QVariant(vm.flag.Get()); })
        .Command("add", [](CTestViewModel& vm, QVariantList const& args) { vm.number.Set(vm.number.Get() + args.value(0).toInt()); })
        .Command("throw", [](CTestViewModel&, QVariantList const&) { throw std::runtime_error("refused"); });

/// Runs the GUI thread's events (deferred deletes included) until `done` holds; false after 10 s.
template <class Done>
bool PumpUntil(Done&& done)
{
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;)
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (done())
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

inline void Pump()
{
    PumpUntil([] { return true; });
}

/// What the bridge did since construction.
class StatisticsDelta
{
public:
    Orx2Gui::SBridgeCounts operator()() const
    {
        Orx2Gui::SBridgeCounts now = Orx2Gui::CBridgeStatistics::Get();
        now.snapshotsRead -= m_start.snapshotsRead;
        now.postsQueued -= m_start.postsQueued;
        now.updatesApplied -= m_start.updatesApplied;
        now.valuesChanged -= m_start.valuesChanged;
        now.rowChanges -= m_start.rowChanges;
        now.offThreadCalls -= m_start.offThreadCalls;
        return now;
    }

private:
    Orx2Gui::SBridgeCounts const m_start = Orx2Gui::CBridgeStatistics::Get();
};
} // namespace Orx2GuiTest
