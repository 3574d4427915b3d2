// Many threads firing, connecting and disconnecting on the same signals at once.
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/teventsignal.h"
#include "stress/stresssupport.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <random>
#include <utility>

using namespace Base;
using namespace Orx2Stress;

namespace
{
/// What one handler knows about its connection. Shared by the handler and whoever holds the connection,
/// so it outlives both.
struct HandlerState
{
    /// Set right after DisconnectAndWaitForHandlersToFinish has returned for this connection.
    std::atomic<bool> waited{false};
    std::atomic<int> running{0};
    std::atomic<std::uint64_t> calls{0};
};

struct Counts
{
    std::atomic<std::uint64_t> callsAfterWait{0}, waitsReturnedEarly{0};
};

/// Marks a handler whose disconnect-and-wait has returned, so that any later call of it counts as a fault.
void Waited(HandlerState& state, Counts& counts)
{
    if (state.running.load() != 0)
        counts.waitsReturnedEarly.fetch_add(1);
    state.waited.store(true);
}

/// A connection with its handler's state; empty when there is none.
struct Connected
{
    std::shared_ptr<IEventSignalConnection> connection;
    std::shared_ptr<HandlerState> state;

    void DisconnectAndWait(Counts& counts) const
    {
        if (!connection)
            return;
        connection->DisconnectAndWaitForHandlersToFinish();
        Waited(*state, counts);
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
Connected ConnectChecking(Signal& signal, Counts& counts, bool selfDisconnect)
{
    auto state = std::make_shared<HandlerState>();
    return {
        signal.Connect(MakeEventSignalHandlerWithConnection<int>(
            [state, &counts, selfDisconnect](int pause, std::shared_ptr<IEventSignalConnection> const& self)
            {
                if (state->waited.load())
                    counts.callsAfterWait.fetch_add(1);
                state->running.fetch_add(1);
                std::uint64_t const call = state->calls.fetch_add(1);
                BusyPause(static_cast<unsigned>(pause));
                if (selfDisconnect && call == 3)
                    self->Disconnect();
                state->running.fetch_sub(1);
                if (state->waited.load())
                    counts.callsAfterWait.fetch_add(1);
            })),
        state};
}
} // namespace

// Fires, fires whose handover action connects and disconnects, connects, plain disconnects,
// disconnect-and-waits and scoped-connection destructions race on four shared signals. Once a
// disconnect-and-wait has returned, its handler must neither be running nor start again: every handler
// checks its own "waited" flag on entry and on exit.
TEST(EventSignalStress, HandlerRunsAfterDisconnectAndWaitReturned)
{
    Watchdog const watchdog("EventSignalStress.HandlerRunsAfterDisconnectAndWaitReturned");
    std::array<Signal, kSignals> signals;
    std::array<Slot, kSlots> slots;
    Counts counts;
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
                                                handed[signalIndex] = ConnectChecking(signal, counts, false);
                                                if (previous.connection)
                                                    previous.connection->Disconnect();
                                            });
                    previous.DisconnectAndWait(counts);
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
                        released = ConnectChecking(signal, counts, operation % 8 == 0);
                    {
                        std::lock_guard<std::mutex> lock(slot.mutex);
                        if (!plainDisconnect)
                            std::swap(released, slot.held);
                        else if (slot.held.connection)
                            slot.held.connection->Disconnect();
                    }
                    released.DisconnectAndWait(counts);
                }
                else
                {
                    // A scoped connection that dies at once: its destructor disconnects and waits.
                    Connected scoped = ConnectChecking(signal, counts, false);
                    {
                        CScopedEventSignalConnection const dying(std::move(scoped.connection));
                        signal.Fire(4);
                    }
                    Waited(*scoped.state, counts);
                }
            }
            for (Connected const& last : handed)
                last.DisconnectAndWait(counts);
        });
    for (Slot& slot : slots)
        slot.held.DisconnectAndWait(counts);
    for (Signal& signal : signals)
        signal.Fire(0); // every handler has been waited for: none may run

    ReportBudget("operations", budget, 1'000'000);
    EXPECT_EQ(counts.callsAfterWait.load(), 0u) << "a handler ran after its disconnect-and-wait returned";
    EXPECT_EQ(counts.waitsReturnedEarly.load(), 0u) << "a disconnect-and-wait returned while its handler ran";
    for (Signal const& signal : signals)
        EXPECT_EQ(signal.GetHandlerCount(), 0u);
}
