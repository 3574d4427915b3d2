#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/teventsignal.h"
#include "support/callspy.h"
#include "support/heldcallback.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <stdexcept>
#include <thread>
#include <utility>

using namespace Base;
using namespace Orx2Test;

namespace
{
template <class... Args, class F>
std::shared_ptr<IEventSignalConnection> ConnectLambda(IEventSignal<Args...> const& signal, F&& f)
{
    return signal.Connect(MakeEventSignalHandler<Args...>(std::forward<F>(f)));
}

/// A handler of TEventSignal<int> that logs its name and the fire's argument.
auto Logs(CallLog& calls, std::string name)
{
    return [&calls, name](int fire) { calls.Add(name + std::to_string(fire)); };
}
} // namespace

// An exception from a handler leaves the fire: the handlers after it are not called in that fire.
TEST(EventSignal, HandlersRunInConnectionOrderAndAThrowReachesTheCallerLeavingTheSignalUsable)
{
    TEventSignal<void>().Fire(); // without handlers: nothing
    TEventSignal<int const&, std::string const&> signal;
    EXPECT_THROW(signal.Connect(nullptr), OrxException);
    CallLog log;
    auto const logs = [&log](char const* name)
    { return [&log, name](int v, std::string const& s) { log.Add(name + std::to_string(v) + s); }; };
    auto const a = ConnectLambda(signal, logs("a"));
    auto const b = ConnectLambda(signal, [](int fire, std::string const&) {
        if (fire == 1)
            throw std::runtime_error("boom");
    });
    auto const c = ConnectLambda(signal, logs("c"));
    EXPECT_THROW(signal.Fire(1, "x"), std::runtime_error);
    signal.Fire(7, "seven");
    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"a1x", "a7seven", "c7seven"}));
    // The throwing call was ended: waiting on its connection does not block.
    b->DisconnectAndWaitForHandlersToFinish();
}

TEST(EventSignal, HandlersDisconnectedDuringAFireAreSkippedTheFireGoesOnAndTheyGoWhenItEnds)
{
    TEventSignal<void> signal;
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;
    CallLog log;
    std::shared_ptr<IEventSignalConnection> seen, later, shared;
    bool aliveInsideTheFire = false;
    auto const self = signal.Connect(MakeEventSignalHandlerWithConnection<void>([&](auto const& connection) {
        log.Add("self");
        seen = connection;
        connection->Disconnect();
        later->Disconnect();
        shared->Disconnect();
        aliveInsideTheFire = !watch.expired(); // the fire still lists them
    }));
    later = ConnectLambda(signal, [token, &log] { log.Add("later"); }); // owned by the list alone
    shared = signal.Connect(std::shared_ptr<IEventSignalHandlerWithConnection<void>>(
        MakeEventSignalHandler<void>([token, &log] { log.Add("shared"); })));
    auto const next = ConnectLambda(signal, log.Callback("next"));
    token.reset();
    signal.Fire();
    signal.Fire();
    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"self", "next", "next"}));
    EXPECT_EQ(seen, self);
    EXPECT_EQ(signal.GetHandlerCount(), 1u);
    EXPECT_TRUE(aliveInsideTheFire);
    EXPECT_TRUE(watch.expired());
}

// A fire that holds the handler list for long must not keep alive the handlers of every connect and
// disconnect made meanwhile (nor make the change that ends it release them all).
TEST(EventSignal, FireHoldingTheListKeepsEveryLaterChangeAlive)
{
    for (bool const insideAFire : {true, false})
    {
        SCOPED_TRACE(insideAFire ? "inside a fire" : "without a fire");
        TEventSignal<void> signal;
        auto token = std::make_shared<int>(0); // every churned handler holds a copy
        long mostAlive = 0;
        auto churn = [&] {
            for (int i = 0; i < 10000; ++i)
            {
                ConnectLambda(signal, [token] {})->Disconnect();
                mostAlive = std::max(mostAlive, token.use_count() - 1);
            }
        };
        CScopedEventSignalConnection const holder = ConnectLambda(signal, churn);
        if (insideAFire)
            signal.Fire();
        else
            churn();
        EXPECT_LE(mostAlive, 16);
        EXPECT_EQ(token.use_count(), 1);
    }
}

// A watched object is alive while it is owned, whatever pointer its owner stores; a call holds it.
TEST(EventSignal, ExpiredWatchStopsCallsWithoutDisconnectingAndARunningCallKeepsItAlive)
{
    std::vector<std::pair<char const*, std::shared_ptr<void>>> cases = {
        {"an object", std::make_shared<int>(1)},
        {"a shared_ptr<int> that owns a null pointer", std::shared_ptr<int>(static_cast<int*>(nullptr))},
        {"an aliasing pointer that stores null", std::shared_ptr<int>(std::make_shared<int>(1), nullptr)},
        {"a lifetime token made from nullptr", std::shared_ptr<void>(nullptr, [](void*) {})},
    };
    for (auto& row : cases)
    {
        SCOPED_TRACE(row.first);
        TEventSignal<void> signal;
        std::weak_ptr<void> const watch = row.second;
        int calls = 0;
        bool aliveInside = false;
        auto connection = ConnectLambda(signal, [&] {
            ++calls;
            row.second.reset(); // the last outside owner goes away during the call
            aliveInside = !watch.expired();
        });
        connection->DisconnectWhenExpired(row.second);
        signal.Fire();
        signal.Fire();
        EXPECT_EQ(calls, 1);
        EXPECT_TRUE(aliveInside);
        EXPECT_TRUE(watch.expired());
        EXPECT_EQ(signal.GetHandlerCount(), 1u);
    }
}

// The handover action runs under the handler-list lock; on its own thread it may use the signal.
TEST(EventSignal, HandoverActionThatUsesItsOwnSignalDeadlocks)
{
    struct Case
    {
        char const* action;
        std::function<void(TEventSignal<int>&, std::shared_ptr<IEventSignalConnection>&, CallLog&)> run;
        std::vector<std::string> expected; // by the handover fire (1) and the next one (2)
    };
    std::vector<Case> const cases = {
        {"logs (before any handler)", [](auto&, auto&, CallLog& calls) { calls.Add("action"); },
         {"action", "a1", "b1", "a2", "b2"}},
        {"connects", [](auto& signal, auto&, CallLog& calls) { ConnectLambda(signal, Logs(calls, "new")); },
         {"a1", "b1", "a2", "b2", "new2"}},
        {"disconnects the later handler", [](auto&, auto& b, CallLog&) { b->Disconnect(); }, {"a1", "a2"}},
        {"fires", [](auto& signal, auto&, CallLog&) { signal.Fire(0); }, {"a0", "b0", "a1", "b1", "a2", "b2"}},
    };
    for (Case const& c : cases)
    {
        RunBounded(std::string("a handover action that ") + c.action, [&] {
            TEventSignal<int> signal;
            CallLog calls;
            auto a = ConnectLambda(signal, Logs(calls, "a"));
            auto b = ConnectLambda(signal, Logs(calls, "b"));
            signal.FireWithHandover(1, [&] { c.run(signal, b, calls); });
            signal.Fire(2);
            EXPECT_EQ(calls.Entries(), c.expected) << c.action;
        });
    }
}

TEST(ScopedEventSignalConnection, DestructionAndMoveAssignmentDisconnect)
{
    TEventSignal<void> signal;
    CountSpy first, second;
    {
        CScopedEventSignalConnection scoped = ConnectLambda(signal, first.Callback());
        signal.Fire();
        scoped = ConnectLambda(signal, second.Callback());
        signal.Fire();
        CScopedEventSignalConnection moved(std::move(scoped));
        EXPECT_FALSE(scoped);
        signal.Fire();
    }
    signal.Fire();
    EXPECT_EQ(first.Count(), 1);
    EXPECT_EQ(second.Count(), 2);
    EXPECT_EQ(signal.GetHandlerCount(), 0u);
    // Release keeps the connection; dropping the last outside reference does not disconnect either.
    CScopedEventSignalConnection(ConnectLambda(signal, first.Callback())).Release().reset();
    signal.Fire();
    EXPECT_EQ(first.Count(), 2);
}

// Fires nested deeper than the per-thread call table count their calls on the connection instead: a
// handler running only that deep is still waited for (and is reached only if a nested fire calls every
// handler again).
TEST(EventSignalThreads, DisconnectAndWaitReturnsOnlyAfterTheRunningHandlerReturned)
{
    for (int const depth : {0, 30})
    {
        SCOPED_TRACE("fires nested " + std::to_string(depth) + " deep");
        TEventSignal<int> signal;
        HeldCallback held;
        auto const recurse = ConnectLambda(signal, [&](int nested) {
            if (nested < depth)
                signal.Fire(nested + 1);
        });
        auto const deep = ConnectLambda(signal, [&](int nested) {
            if (nested == depth)
                held.Hold();
        });
        held.ExpectDestroyWaits([&] { signal.Fire(0); },
                                [&] { deep->DisconnectAndWaitForHandlersToFinish(); });
    }
}

// The waiter waits for its own handler only: a fire on another thread that is busy in a neighbour of
// the same signal (there waiting for the first waiter's handler to end) is not waited for.
TEST(EventSignalThreads, WaitingForOneHandlerDoesNotWaitForAFireBusyInAnother)
{
    RunBounded("two fires of one signal, each waiting in a handler", [] {
        TEventSignal<int> signal;
        Gate secondInThird;
        std::shared_ptr<IEventSignalConnection> first, second, third;
        first = ConnectLambda(signal, [&](int thread) {
            if (thread == 1 && secondInThird.Wait())
                second->DisconnectAndWaitForHandlersToFinish(); // nobody runs it: returns at once
        });
        second = ConnectLambda(signal, [](int) {});
        third = ConnectLambda(signal, [&](int thread) {
            if (thread != 2)
                return;
            secondInThird.Open();
            first->DisconnectAndWaitForHandlersToFinish(); // waits for thread 1 to leave the first handler
        });
        ScopedThread one([&] { signal.Fire(1); });
        signal.Fire(2);
    });
}

// A handler that stops itself and waits, on its own thread, must not wait for its own call; a call of
// it running on another thread is still waited for.
TEST(EventSignalThreads, HandlerThatWaitsForItsOwnConnectionWaitsForItself)
{
    using Self = std::shared_ptr<IEventSignalConnection>;
    for (bool const destroysScoped : {true, false})
    {
        std::string const what = std::string("a handler that ") +
                                 (destroysScoped ? "destroys its own scoped connection"
                                                 : "disconnects and waits on its own connection");
        RunBounded(what, [&] {
            TEventSignal<int> signal;
            Gate otherEntered, releaseOther;
            std::atomic<bool> otherReturned{false};
            bool otherReturnedFirst = false;
            int ownCalls = 0;
            CScopedEventSignalConnection scoped;
            scoped = signal.Connect(MakeEventSignalHandlerWithConnection<int>([&](int fire, Self const& self) {
                if (fire == 1) // the call on the other thread
                {
                    otherEntered.Open();
                    releaseOther.Wait();
                    otherReturned = true;
                    return;
                }
                ++ownCalls;
                if (destroysScoped)
                    scoped = {};
                else
                    self->DisconnectAndWaitForHandlersToFinish();
                otherReturnedFirst = otherReturned.load();
            }));
            ScopedThread other([&] { signal.Fire(1); });
            ASSERT_TRUE(otherEntered.Wait());
            ScopedThread releaser([&] {
                std::this_thread::sleep_for(50ms);
                releaseOther.Open();
            });
            signal.Fire(0);
            signal.Fire(0);
            EXPECT_EQ(ownCalls, 1) << what;
            EXPECT_TRUE(otherReturnedFirst) << what;
        });
    }
}

TEST(EventSignalThreads, PlainDisconnectReturnsWhileTheHandlerRuns)
{
    TEventSignal<void> signal;
    Gate entered, release;
    auto connection = ConnectLambda(signal, [&] {
        entered.Open();
        release.Wait();
    });
    ScopedThread firing([&] { signal.Fire(); });
    ASSERT_TRUE(entered.Wait());
    connection->Disconnect();
    EXPECT_EQ(signal.GetHandlerCount(), 0u);
    release.Open();
}
