// Handlers and observers made and ended while other threads deliver to them: many threads firing,
// connecting and disconnecting on the same signals at once; observers destroyed (or reset, or assigned
// over) while their callbacks run on another thread; subscribers that come and go while two threads count
// two properties up.
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/teventsignal.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "base/orx2basepool/tmultivaluebindingsource.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "base/orx2basepool/tvalueobserver.h"
#include "base/orx2basepool/tvaluestreamobserver.h"
#include "stress/stresssupport.h"
#include "support/testowner.h"

#include <array>
#include <memory>
#include <random>
#include <utility>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Stress;
using namespace Orx2Test;

namespace
{
/// What one callback (a signal's handler, an observer's callback) and whoever ends it (a disconnect-and-
/// wait; the observer's destructor, Reset or assignment) know of each other. Shared by both, so that a
/// callback that wrongly runs late still finds it. Once the end has returned, the callback must neither be
/// running nor start again.
struct CallbackState
{
    std::atomic<int> running{0};
    std::atomic<bool> ended{false}; // the end has returned
    std::atomic<std::uint64_t> calls{0};
    std::atomic<bool> first{true};   // an observer's next call is the one at binding, inside its constructor
    std::atomic<bool> ending{false}; // the owner is about to end the observer

    /// The callback checks on entry ("started") and on exit ("still ran").
    void CheckNotEnded(FaultLog& faults, char const* what) const
    {
        if (ended.load())
            faults.Add(std::string("a callback ") + what + " after its end returned");
    }
    /// Whoever ended the callback calls this right after the end has returned.
    void Ended(FaultLog& faults)
    {
        if (running.load() != 0)
            faults.Add("an end returned while its callback ran");
        ended.store(true);
    }
};

/// A connection with its handler's state; empty when there is none.
struct Connected
{
    std::shared_ptr<IEventSignalConnection> connection;
    std::shared_ptr<CallbackState> state;

    void DisconnectAndWait(FaultLog& faults) const
    {
        if (!connection)
            return;
        connection->DisconnectAndWaitForHandlersToFinish();
        state->Ended(faults);
    }
};

/// A place where a connection lives until some thread disconnects it or replaces it.
struct Slot
{
    std::mutex mutex;
    Connected held; // guarded by mutex
};

constexpr std::size_t kSignals = 4;
constexpr std::size_t kSlots = 48;

using Signal = TEventSignal<int>;

/// Connects a handler that fails the test when it starts, or is still running, after its
/// disconnect-and-wait returned. It pauses in the middle so that waits meet it running; with
/// `selfDisconnect` it disconnects itself after a few calls, through the connection it is given.
Connected ConnectChecking(Signal& signal, FaultLog& faults, bool selfDisconnect)
{
    auto state = std::make_shared<CallbackState>();
    return {
        signal.Connect(MakeEventSignalHandlerWithConnection<int>(
            [state, &faults, selfDisconnect](int pause, std::shared_ptr<IEventSignalConnection> const& self)
            {
                state->CheckNotEnded(faults, "started");
                state->running.fetch_add(1);
                std::uint64_t const call = state->calls.fetch_add(1);
                BusyPause(static_cast<unsigned>(pause));
                if (selfDisconnect && call == 3)
                    self->Disconnect();
                state->running.fetch_sub(1);
                state->CheckNotEnded(faults, "still ran");
            })),
        state};
}

struct Faults : FaultLog
{
    std::atomic<std::uint64_t> endsWhileRunning{0}; // not a fault: shows that the test proves something
};

/// The callback body: fails when called after its observer ended; once it has started on the setting
/// thread it lingers until the owner starts ending the observer (or a short while passes), so that the
/// end really meets it running.
void CheckedCallback(CallbackState& state, Faults& faults)
{
    state.CheckNotEnded(faults, "started");
    state.running.fetch_add(1);
    if (!state.first.exchange(false))
    {
        auto const until = std::chrono::steady_clock::now() + std::chrono::microseconds(300);
        while (!state.ending.load() && std::chrono::steady_clock::now() < until)
            std::this_thread::yield();
        BusyPause(200); // the owner is now blocked in the end, if it is correct
    }
    state.running.fetch_sub(1);
    state.CheckNotEnded(faults, "still ran");
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
    state.Ended(faults);
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

/// What one subscription has seen. Touched only by its callbacks, which never overlap (the observer's
/// target lock, or the source's lock for a raw handler), and read after the subscription has ended:
/// ThreadSanitizer checks that these are really ordered.
struct Sequence
{
    bool strict = true;       // one input: each value is one more than the last (no gap, no duplicate)
    bool seen = false;        // a value has arrived
    std::pair<int, int> last; // until one has: the inputs read before subscribing (the first is not older)
    std::string fault;        // the first fault seen

    void See(int a, int b)
    {
        bool const ok =
            !seen    ? a >= last.first && b >= last.second
            : strict ? a == last.first + 1
                     : a >= last.first && a <= last.first + 1 && b >= last.second && b <= last.second + 1;
        if (!ok && fault.empty())
            fault = "(" + std::to_string(a) + ", " + std::to_string(b) + ") after (" +
                    std::to_string(last.first) + ", " + std::to_string(last.second) +
                    (seen ? ")" : ") read before subscribing");
        last = {a, b};
        seen = true;
    }
};
} // namespace

// Fires, fires whose handover action connects and disconnects, connects, plain disconnects,
// disconnect-and-waits and scoped-connection destructions race on four shared signals. Once a
// disconnect-and-wait has returned, its handler must neither be running nor start again: every handler
// checks its own "ended" flag on entry and on exit.
TEST(EventSignalStress, HandlerRunsAfterDisconnectAndWaitReturned)
{
    Watchdog const watchdog("EventSignalStress.HandlerRunsAfterDisconnectAndWaitReturned");
    std::array<Signal, kSignals> signals;
    std::array<Slot, kSlots> slots;
    FaultLog faults;
    Budget budget(Scaled(2'000'000, 400'000));
    RunThreads(
        4,
        [&](unsigned thread)
        {
            // Per signal, the connection this thread's last handover action made; the next action on that
            // signal disconnects it (an action must not touch another signal's list: their locks would nest).
            std::array<Connected, kSignals> handed;
            std::mt19937 random(1000 + thread);
            while (budget.Take())
            {
                int const operation = static_cast<int>(random() % 100);
                std::size_t const signalIndex = random() % kSignals;
                Signal& signal = signals[signalIndex];
                Slot& slot = slots[random() % kSlots];
                if (operation < 5)
                {
                    // A fire whose handover action, under the list lock, connects a handler and disconnects
                    // the one it connected last time (waited for once the fire has returned).
                    Connected const previous = std::exchange(handed[signalIndex], {});
                    signal.FireWithHandover(4,
                                            [&]
                                            {
                                                handed[signalIndex] = ConnectChecking(signal, faults, false);
                                                if (previous.connection)
                                                    previous.connection->Disconnect();
                                            });
                    previous.DisconnectAndWait(faults);
                }
                else if (operation < 50) // every fourth fire pauses longer, so that waits find it running
                    signal.Fire(operation % 4 == 0 ? 200 : 4);
                else if (operation < 95)
                {
                    // Connect into the slot (replacing its connection), disconnect it there, or take it
                    // out; what was replaced or taken is waited for outside the slot's lock, like any owner.
                    bool const plainDisconnect = operation >= 70 && operation < 80;
                    Connected released;
                    if (operation < 70)
                        released = ConnectChecking(signal, faults, operation % 8 == 0);
                    {
                        std::lock_guard<std::mutex> lock(slot.mutex);
                        if (!plainDisconnect)
                            std::swap(released, slot.held);
                        else if (slot.held.connection)
                            slot.held.connection->Disconnect();
                    }
                    released.DisconnectAndWait(faults);
                }
                else
                {
                    // A scoped connection that dies at once: its destructor disconnects and waits.
                    Connected scoped = ConnectChecking(signal, faults, false);
                    {
                        CScopedEventSignalConnection const dying(std::move(scoped.connection));
                        signal.Fire(4);
                    }
                    scoped.state->Ended(faults);
                }
            }
            for (Connected const& last : handed)
                last.DisconnectAndWait(faults);
        });
    for (Slot& slot : slots)
        slot.held.DisconnectAndWait(faults);
    for (Signal& signal : signals)
        signal.Fire(0); // every handler has been waited for: none may run

    ReportBudget("operations", budget, 1'000'000);
    EXPECT_EQ(faults.Count(), 0u) << faults.First();
    for (Signal const& signal : signals)
        EXPECT_EQ(signal.GetHandlerCount(), 0u);
}

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
    EXPECT_EQ(faults.Count(), 0u) << faults.First();
    EXPECT_GT(faults.endsWhileRunning.load(), 0u) << "no end met a running callback: the test proved nothing";
}

// A subscriber that connects with the current value while another thread sets the property must see
// either the old value followed by every later one, or the new value only. Subscribers use
// TValueChangedObserver, TValueObserver and a raw ConnectToValueStreamAndNotify handler on one
// property, or bind a TValueChangedObserver<int, int> to a TMultiValueBindingSource of both and drop
// the combined source's handle at once: the observer keeps it alive, and dropping the observer destroys
// it and its input observers while the inputs may be delivering to it. Each component of a combined
// value stays or counts up by one. Nothing may deadlock, race or crash.
TEST(PropertyStress, SubscriberSeesGapOrDuplicateInValueStream)
{
    Watchdog const watchdog("PropertyStress.SubscriberSeesGapOrDuplicateInValueStream");
    TestOwner owner;
    TProperty<int> a(0, owner);
    TProperty<int> b(0, owner);
    Budget budget(Scaled(150'000, 30'000));
    FaultLog faults;
    std::atomic<int> lastSet{0};

    // Counters run until the subscribers have spent the budget.
    auto counter = [&](TProperty<int>& property)
    {
        int value = 0;
        while (budget.TimeLeft())
            property.Set(++value);
        if (&property == &a)
            lastSet = value;
    };
    auto subscriber = [&](unsigned seed)
    {
        std::mt19937 random(seed);
        while (budget.Take())
        {
            unsigned const kind = random() % 4;
            Sequence seen;
            seen.strict = kind != 3;
            seen.last.first = a.Get();
            seen.last.second = kind == 3 ? b.Get() : seen.last.first;
            auto const see = [&seen](TValueStreamNotification<int> const& notification)
            {
                if (notification.value.HasValue())
                    seen.See(notification.value.value(), notification.value.value());
            };
            CObserver observer;
            CScopedEventSignalConnection connection;
            if (kind == 0)
                observer = TValueChangedObserver<int>(a, [&seen](int value) { seen.See(value, value); });
            else if (kind == 1)
                observer = TValueObserver<int>(a, see);
            else if (kind == 2) // a raw handler has no target lock: the source's lock alone orders its calls
                connection = a.ConnectToValueStreamAndNotify(
                    MakeEventSignalHandler<TValueStreamNotification<int> const&>(see));
            else // the combined source's handle goes at once
                observer = TValueChangedObserver<int, int>(TMultiValueBindingSource<int, int>(a, b),
                                                           [&seen](int x, int y) { seen.See(x, y); });
            BusyPause(random() % 3001);
            observer.Reset();
            connection = CScopedEventSignalConnection();
            if (!seen.fault.empty() || !seen.seen)
                faults.Add(seen.seen ? seen.fault : "no value at binding");
        }
    };
    RunThreads(5, [&](unsigned i) { i < 2 ? counter(i == 0 ? a : b) : subscriber(8000 + i); });

    ReportBudget("subscriptions", budget);
    EXPECT_EQ(faults.Count(), 0u) << faults.First();
    EXPECT_EQ(a.Get(), lastSet.load());
}
