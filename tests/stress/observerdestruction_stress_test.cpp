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
    std::atomic<bool> first{true};   // the next call is the one at binding, inside the constructor
    std::atomic<bool> ending{false}; // the owner is about to end the observer
    std::atomic<bool> ended{false};  // the end (destructor, Reset, assignment) has returned
};

struct Faults
{
    std::atomic<std::uint64_t> callsAfterEnd{0}, endsReturnedEarly{0}, endsWhileRunning{0};
};

/// The callback body: fails when called after its observer ended; once it has started on the setting
/// thread it lingers until the owner starts ending the observer (or a short while passes), so that the
/// end really meets it running.
void CheckedCallback(CallbackState& state, Faults& faults)
{
    if (state.ended.load())
        faults.callsAfterEnd.fetch_add(1);
    state.running.fetch_add(1);
    if (!state.first.exchange(false))
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

/// An observer of one of the five kinds (three of the value, two of the array), reporting to `state`.
CObserver MakeObserver(TProperty<int> const& property, TArrayProperty<int> const& array, int kind,
                       std::shared_ptr<CallbackState> const& state, Faults& faults)
{
    auto call = [state, &faults](auto const&) { CheckedCallback(*state, faults); };
    switch (kind)
    {
    case 0:
        return TValueChangedObserver<int>(property, call);
    case 1:
        return TValueObserver<int>(property, call);
    case 2:
        state->first = false; // delivers nothing at binding
        return TValueStreamObserver<int>(property, call);
    case 3:
        return MakeFullArrayObserver(array, call);
    default:
        return MakeArrayChangeObserver(array, call);
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
    ScopedThread producer(
        [&]
        {
            for (int value = 1; budget.TimeLeft(); ++value) // until the enders have spent the budget
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
    RunThreads(2,
               [&](unsigned i)
               {
                   std::mt19937 random(5000 + i);
                   std::uniform_int_distribution<int> kind(0, 4), end(0, 2);
                   while (budget.Take())
                   {
                       auto state = std::make_shared<CallbackState>();
                       CObserver observer = MakeObserver(property, array, kind(random), state, faults);
                       if (int const how = end(random); how == 0)
                           EndWhileRunning(*state, faults,
                                           [&] { CObserver const doomed(std::move(observer)); });
                       else if (how == 1)
                           EndWhileRunning(*state, faults, [&] { observer.Reset(); });
                       else
                       {
                           // Assigning over ends the old binding first; the new one is checked when it ends.
                           auto nextState = std::make_shared<CallbackState>();
                           CObserver next = MakeObserver(property, array, kind(random), nextState, faults);
                           EndWhileRunning(*state, faults, [&] { observer = std::move(next); });
                           EndWhileRunning(*nextState, faults, [&] { observer.Reset(); });
                       }
                   }
               });
    producer.Join(); // the enders stopped the budget as they spent it
    ReportBudget("observersEnded", budget);
    EXPECT_EQ(faults.callsAfterEnd.load(), 0u) << "a callback ran after its observer was ended";
    EXPECT_EQ(faults.endsReturnedEarly.load(), 0u) << "ending an observer returned while its callback ran";
    EXPECT_GT(faults.endsWhileRunning.load(), 0u) << "no end met a running callback: the test proved nothing";
}
