// Observers destroyed (or reset, or assigned over) while their callbacks run on another thread.
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "base/orx2basepool/tvalueobserver.h"
#include "base/orx2basepool/tvaluestreamobserver.h"
#include "stress/stresssupport.h"
#include "support/testowner.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <random>
#include <thread>
#include <vector>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Stress;
using namespace Orx2Test;

namespace
{
/// What one observer's callback and the thread that ends the observer know of each other. Shared, so a
/// callback that wrongly runs late still finds it.
struct CallbackState
{
    std::atomic<int> running{0};
    std::atomic<bool> ending{false}; // the owner is about to end the observer
    std::atomic<bool> ended{false};  // the end (destructor, Reset, assignment) has returned
};

struct Faults
{
    std::atomic<std::uint64_t> callsAfterEnd{0};
    std::atomic<std::uint64_t> endsReturnedEarly{0};
    std::atomic<std::uint64_t> endsWhileRunning{0};
};

/// The callback body: fails when called after its observer ended; once it has started on the setting
/// thread it lingers until the owner starts ending the observer (or a short while passes), so that the
/// end really meets it running.
void CheckedCallback(CallbackState& state, Faults& faults, bool first)
{
    if (state.ended.load())
        faults.callsAfterEnd.fetch_add(1);
    state.running.fetch_add(1);
    if (!first)
    {
        auto const until = std::chrono::steady_clock::now() + std::chrono::microseconds(300);
        while (!state.ending.load() && std::chrono::steady_clock::now() < until)
            std::this_thread::yield();
        BusyPause(200); // the owner is now blocked in the end, if it is correct
    }
    state.running.fetch_sub(1);
    if (state.ended.load())
        faults.callsAfterEnd.fetch_add(1);
}

/// Waits (bounded) for a callback to be running on the setting thread, then ends the observer with
/// `end` and checks that no callback is running once `end` has returned.
template <class End> void EndWhileRunning(CallbackState& state, Faults& faults, End&& end)
{
    auto const until = std::chrono::steady_clock::now() + std::chrono::milliseconds(2);
    while (state.running.load() == 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::yield();
    if (state.running.load() != 0)
        faults.endsWhileRunning.fetch_add(1, std::memory_order_relaxed);
    state.ending.store(true);
    end();
    if (state.running.load() != 0)
        faults.endsReturnedEarly.fetch_add(1);
    state.ended.store(true);
}

/// A value observer of the kind picked by `kind`, reporting to `state`.
CObserver MakeValueObserver(TProperty<int> const& property, int kind,
                            std::shared_ptr<CallbackState> const& state, Faults& faults)
{
    // The first call of the observers that deliver the current value runs inside the constructor.
    auto first = std::make_shared<std::atomic<bool>>(true);
    auto call = [state, &faults, first] { CheckedCallback(*state, faults, first->exchange(false)); };
    switch (kind)
    {
    case 0:
        return TValueChangedObserver<int>(property, [call](int) { call(); });
    case 1:
        return TValueObserver<int>(property, [call](TValueStreamNotification<int> const&) { call(); });
    default:
        first->store(false);
        return TValueStreamObserver<int>(property, [call](int) { call(); });
    }
}
} // namespace

// One thread keeps setting a property and editing an array; two others bind value observers of all
// three kinds and full-array and change observers, wait until a callback is running on the producing
// thread and end the observer by destroying it, by Reset or by assigning another observer over it. Once
// that has returned, the callback must not be running and must never run again.
TEST(ObserverDestructionStress, CallbackRunsAfterObserverDestructorReturned)
{
    Watchdog const watchdog("ObserverDestructionStress.CallbackRunsAfterObserverDestructorReturned");
    TestOwner owner;
    TProperty<int> property(0, owner);
    TArrayProperty<int> array(std::vector<int>{1, 2, 3});
    Faults faults;
    Budget budget(Scaled(40'000, 20'000));
    std::atomic<bool> done{false};
    ScopedThread producer(
        [&]
        {
            for (int value = 1; !done.load() && budget.TimeLeft(); ++value)
            {
                property.Set(value);
                if (value % 3 == 0)
                    array.Add(value);
                else if (value % 3 == 1)
                    array.SetAt(0, value);
                else
                    array.RemoveLast();
            }
        });
    auto const bindAndEnd = [&](std::mt19937& random)
    {
        std::uniform_int_distribution<int> kind(0, 2);
        auto state = std::make_shared<CallbackState>();
        if (random() % 3 == 0)
        {
            auto first = std::make_shared<std::atomic<bool>>(true);
            auto call = [state, &faults, first] { CheckedCallback(*state, faults, first->exchange(false)); };
            TArrayObserver<int> observer;
            if (random() % 2 == 0)
                observer = MakeFullArrayObserver(array, [call](std::vector<int> const&) { call(); });
            else
                observer =
                    MakeArrayChangeObserver(array, [call](ArrayChangedNotification<int> const&) { call(); });
            EndWhileRunning(*state, faults, [&observer] { observer.Reset(); });
            return;
        }
        CObserver observer = MakeValueObserver(property, kind(random), state, faults);
        switch (kind(random))
        {
        case 0:
            EndWhileRunning(*state, faults, [&observer] { CObserver const doomed(std::move(observer)); });
            break;
        case 1:
            EndWhileRunning(*state, faults, [&observer] { observer.Reset(); });
            break;
        default:
        {
            // Assigning over ends the old binding first; the new one is checked when it ends in turn.
            auto nextState = std::make_shared<CallbackState>();
            CObserver next = MakeValueObserver(property, kind(random), nextState, faults);
            EndWhileRunning(*state, faults, [&observer, &next] { observer = std::move(next); });
            EndWhileRunning(*nextState, faults, [&observer] { observer.Reset(); });
            break;
        }
        }
    };
    {
        std::vector<ScopedThread> enders;
        for (unsigned i = 0; i < 2; ++i)
            enders.emplace_back(
                [&, i]
                {
                    std::mt19937 random(5000 + i);
                    while (budget.Take())
                        bindAndEnd(random);
                });
    }
    done.store(true);
    producer.Join();
    ReportBudget("observersEnded", budget);
    EXPECT_EQ(faults.callsAfterEnd.load(), 0u) << "a callback ran after its observer was ended";
    EXPECT_EQ(faults.endsReturnedEarly.load(), 0u) << "ending an observer returned while its callback ran";
    EXPECT_GT(faults.endsWhileRunning.load(), 0u) << "no end met a running callback: the test proved nothing";
}
