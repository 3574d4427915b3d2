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
#include <vector>

using namespace Base;
using namespace Orx2Stress;
using namespace Orx2Test;

namespace
{
/// What one handler knows about its connection. Shared by the handler and the slot that holds the
/// connection, so it outlives both.
struct HandlerState
{
    /// Set right after DisconnectAndWaitForHandlersToFinish has returned for this connection.
    std::atomic<bool> waited{false};
    std::atomic<int> running{0};
    std::atomic<std::uint64_t> calls{0};
};

/// A place where a connection lives until some thread disconnects it or replaces it.
struct Slot
{
    std::mutex mutex;
    std::shared_ptr<IEventSignalConnection> connection; // guarded by mutex
    std::shared_ptr<HandlerState> state;                // guarded by mutex
};

struct Counts
{
    std::atomic<std::uint64_t> callsAfterWait{0};
    std::atomic<std::uint64_t> waitsReturnedEarly{0};
};

constexpr std::size_t kSignals = 4;
constexpr std::size_t kSlots = 48;

using Signal = TEventSignal<int>;

/// A handler that fails the test when it starts, or is still running, after its disconnect-and-wait
/// returned. It pauses in the middle so that waits meet it running; one in eight disconnects itself
/// after a few calls, through the connection it is given.
std::unique_ptr<IEventSignalHandlerWithConnection<int>>
MakeCheckingHandler(std::shared_ptr<HandlerState> state, Counts& counts, bool selfDisconnect)
{
    return MakeEventSignalHandlerWithConnection<int>(
        [state = std::move(state), &counts,
         selfDisconnect](int pause, std::shared_ptr<IEventSignalConnection> const& self)
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
        });
}

/// Disconnects and waits, then marks the handler so that any later call of it is counted as a fault.
void DisconnectAndWait(std::shared_ptr<IEventSignalConnection> const& connection, HandlerState& state,
                       Counts& counts)
{
    connection->DisconnectAndWaitForHandlersToFinish();
    if (state.running.load() != 0)
        counts.waitsReturnedEarly.fetch_add(1);
    state.waited.store(true);
}
} // namespace

// Fires, fires whose handover action connects and disconnects, connects, plain disconnects,
// disconnect-and-waits and scoped-connection destructions race on four shared signals. Once a disconnect-and-wait has returned, its handler must neither be running
// nor start again: every handler checks its own "waited" flag on entry and on exit.
TEST(EventSignalStress, HandlerRunsAfterDisconnectAndWaitReturned)
{
    Watchdog const watchdog("EventSignalStress.HandlerRunsAfterDisconnectAndWaitReturned");
    std::array<Signal, kSignals> signals;
    std::array<Slot, kSlots> slots;
    Counts counts;
    Budget budget(Scaled(2'000'000, 400'000));

    auto worker = [&](unsigned seed)
    {
        // Per signal, the connection this thread's last handover action made; the next action on that
        // signal disconnects it (an action must not touch another signal's list: their locks would nest).
        struct Handed
        {
            std::shared_ptr<IEventSignalConnection> connection;
            std::shared_ptr<HandlerState> state;
        };
        std::array<Handed, kSignals> handed;
        std::mt19937 random(seed);
        std::uniform_int_distribution<std::size_t> pickSignal(0, kSignals - 1);
        std::uniform_int_distribution<std::size_t> pickSlot(0, kSlots - 1);
        std::uniform_int_distribution<int> pickOperation(0, 99);
        while (budget.Take())
        {
            int const operation = pickOperation(random);
            std::size_t const signalIndex = pickSignal(random);
            Signal& signal = signals[signalIndex];
            Slot& slot = slots[pickSlot(random)];
            if (operation < 5)
            {
                // A fire whose handover action, under the list lock, connects a handler and disconnects
                // the one it connected last time (waited for once the fire has returned).
                Handed previous = std::move(handed[signalIndex]);
                Handed& next = handed[signalIndex];
                next.state = std::make_shared<HandlerState>();
                signal.FireWithHandover(4, [&] {
                    next.connection = signal.Connect(MakeCheckingHandler(next.state, counts, false));
                    if (previous.connection)
                        previous.connection->Disconnect();
                });
                if (previous.connection)
                    DisconnectAndWait(previous.connection, *previous.state, counts);
            }
            else if (operation < 50)
            {
                // Every fourth fire pauses longer inside its handlers, so that waits find them running.
                signal.Fire(operation % 4 == 0 ? 200 : 4);
            }
            else if (operation < 70)
            {
                auto state = std::make_shared<HandlerState>();
                auto connection = signal.Connect(MakeCheckingHandler(state, counts, operation % 8 == 0));
                std::shared_ptr<IEventSignalConnection> oldConnection;
                std::shared_ptr<HandlerState> oldState;
                {
                    std::lock_guard<std::mutex> lock(slot.mutex);
                    oldConnection = std::exchange(slot.connection, std::move(connection));
                    oldState = std::exchange(slot.state, std::move(state));
                }
                // The replaced connection is waited for outside the slot's lock, like any owner would.
                if (oldConnection)
                    DisconnectAndWait(oldConnection, *oldState, counts);
            }
            else if (operation < 80)
            {
                std::lock_guard<std::mutex> lock(slot.mutex);
                if (slot.connection)
                {
                    slot.connection->Disconnect();
                }
            }
            else if (operation < 95)
            {
                std::shared_ptr<IEventSignalConnection> connection;
                std::shared_ptr<HandlerState> state;
                {
                    std::lock_guard<std::mutex> lock(slot.mutex);
                    connection = std::move(slot.connection);
                    state = std::move(slot.state);
                }
                if (connection)
                    DisconnectAndWait(connection, *state, counts);
            }
            else
            {
                // A scoped connection that dies at once: its destructor disconnects and waits.
                auto state = std::make_shared<HandlerState>();
                {
                    CScopedEventSignalConnection scoped(
                        signal.Connect(MakeCheckingHandler(state, counts, false)));
                    signal.Fire(4);
                }
                if (state->running.load() != 0)
                    counts.waitsReturnedEarly.fetch_add(1);
                state->waited.store(true);
            }
        }
        for (Handed& last : handed)
            if (last.connection)
                DisconnectAndWait(last.connection, *last.state, counts);
    };
    {
        std::vector<ScopedThread> threads;
        for (unsigned i = 0; i < 4; ++i)
            threads.emplace_back([&worker, i] { worker(1000 + i); });
    }
    for (Slot& slot : slots)
        if (slot.connection)
            DisconnectAndWait(slot.connection, *slot.state, counts);
    for (Signal& signal : signals)
        signal.Fire(0); // every handler has been waited for: none may run

    ReportBudget("operations", budget, 1'000'000);
    EXPECT_EQ(counts.callsAfterWait.load(), 0u) << "a handler ran after its disconnect-and-wait returned";
    EXPECT_EQ(counts.waitsReturnedEarly.load(), 0u) << "a disconnect-and-wait returned while its handler ran";
    for (Signal const& signal : signals)
        EXPECT_EQ(signal.GetHandlerCount(), 0u);
}
