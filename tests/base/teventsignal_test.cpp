#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/teventsignal.h"
#include "support/callspy.h"
#include "support/heldcallback.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <type_traits>

using namespace Base;
using namespace Orx2Test;

namespace
{
template <class... Args, class F>
std::shared_ptr<IEventSignalConnection> ConnectLambda(IEventSignal<Args...> const& signal, F&& f)
{
    return signal.Connect(MakeEventSignalHandler<Args...>(std::forward<F>(f)));
}
} // namespace

static_assert(!std::is_copy_constructible_v<TEventSignal<int>>);
static_assert(!std::is_copy_assignable_v<TEventSignal<int>>);
static_assert(!std::is_copy_constructible_v<CScopedEventSignalConnection>);
static_assert(std::is_nothrow_move_constructible_v<CScopedEventSignalConnection>);
static_assert(std::is_move_assignable_v<CScopedEventSignalConnection>);

TEST(EventSignal, FiringWithoutHandlersDoesNothing)
{
    TEventSignal<int> signal;
    signal.Fire(1);
    TEventSignal<void> empty;
    empty.Fire();
}

TEST(EventSignal, HandlersRunInConnectionOrderWithTheArguments)
{
    TEventSignal<int const&, std::string const&> signal;
    CallLog log;
    CallSpy<int, std::string> spy;
    CScopedEventSignalConnection a = ConnectLambda(signal, log.Callback("A"));
    CScopedEventSignalConnection b = ConnectLambda(signal, log.Callback("B"));
    CScopedEventSignalConnection c = ConnectLambda(signal, [&](int v, std::string const& s) {
        log.Add("C");
        spy.Record(v, s);
    });
    signal.Fire(7, "seven");
    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(spy.Last(), std::make_tuple(7, std::string("seven")));
}

TEST(EventSignal, VoidSignalAndHandlerWithConnection)
{
    TEventSignal<void> signal;
    std::shared_ptr<IEventSignalConnection> seen;
    auto connection =
        signal.Connect(MakeEventSignalHandlerWithConnection<void>([&](auto const& c) { seen = c; }));
    signal.Fire();
    EXPECT_EQ(seen, connection);
}

TEST(EventSignal, HandlerConnectedDuringFireRunsFromTheNextFireOn)
{
    TEventSignal<void> signal;
    CountSpy late;
    std::vector<CScopedEventSignalConnection> connections;
    connections.emplace_back(ConnectLambda(signal, [&] {
        if (connections.size() == 1)
            connections.emplace_back(ConnectLambda(signal, late.Callback()));
    }));
    signal.Fire();
    EXPECT_EQ(late.Count(), 0);
    signal.Fire();
    EXPECT_EQ(late.Count(), 1);
}

TEST(EventSignal, DisconnectingALaterHandlerDuringFireSkipsIt)
{
    TEventSignal<void> signal;
    CountSpy b;
    std::shared_ptr<IEventSignalConnection> bConnection;
    auto a = ConnectLambda(signal, [&] { bConnection->Disconnect(); });
    bConnection = ConnectLambda(signal, b.Callback());
    signal.Fire();
    EXPECT_EQ(b.Count(), 0);
    EXPECT_EQ(signal.GetHandlerCount(), 1u);
}

TEST(EventSignal, HandlerDisconnectingItselfIsNotCalledAgainAndTheFireGoesOn)
{
    TEventSignal<void> signal;
    int selfCalls = 0;
    CountSpy next;
    auto self = signal.Connect(MakeEventSignalHandlerWithConnection<void>([&](auto const& connection) {
        ++selfCalls;
        connection->Disconnect();
    }));
    auto other = ConnectLambda(signal, next.Callback());
    signal.Fire();
    signal.Fire();
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(next.Count(), 2);
}

TEST(EventSignal, HandlerIsDestroyedWhenItLeavesTheList)
{
    TEventSignal<void> signal;
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;
    auto connection = ConnectLambda(signal, [token] {});
    token.reset();
    EXPECT_FALSE(watch.expired());
    connection->Disconnect();
    EXPECT_TRUE(watch.expired());
}

TEST(EventSignal, ExpiredWatchStopsCallsWithoutDisconnecting)
{
    TEventSignal<void> signal;
    CountSpy spy;
    auto watched = std::make_shared<int>(1);
    auto connection = ConnectLambda(signal, spy.Callback());
    connection->DisconnectWhenExpired(watched);
    signal.Fire();
    EXPECT_EQ(spy.Count(), 1);
    watched.reset();
    signal.Fire();
    EXPECT_EQ(spy.Count(), 1);
    EXPECT_EQ(signal.GetHandlerCount(), 1u);
}

TEST(EventSignal, WatchedObjectIsKeptAliveDuringTheCall)
{
    TEventSignal<void> signal;
    auto watched = std::make_shared<int>(1);
    std::weak_ptr<int> weak = watched;
    bool aliveInside = false;
    auto connection = ConnectLambda(signal, [&] {
        watched.reset(); // the last outside owner goes away during the call
        aliveInside = !weak.expired();
    });
    connection->DisconnectWhenExpired(watched);
    signal.Fire();
    EXPECT_TRUE(aliveInside);
    EXPECT_TRUE(weak.expired());
}

TEST(EventSignal, ExceptionFromHandlerReachesTheCallerAndTheSignalStaysUsable)
{
    TEventSignal<int> signal;
    CountSpy before, after;
    bool doThrow = true;
    auto a = ConnectLambda(signal, [&](int) { before.Callback()(); });
    auto b = ConnectLambda(signal, [&](int) {
        if (doThrow)
            throw std::runtime_error("boom");
    });
    auto c = ConnectLambda(signal, [&](int) { after.Callback()(); });
    EXPECT_THROW(signal.Fire(1), std::runtime_error);
    EXPECT_EQ(before.Count(), 1);
    EXPECT_EQ(after.Count(), 0);
    doThrow = false;
    signal.Fire(2);
    EXPECT_EQ(before.Count(), 2);
    EXPECT_EQ(after.Count(), 1);
    // The throwing call was ended: waiting on its connection does not block.
    b->DisconnectAndWaitForHandlersToFinish();
}

TEST(EventSignal, DisconnectAfterTheSignalIsGoneIsHarmless)
{
    std::shared_ptr<IEventSignalConnection> connection;
    {
        TEventSignal<int> signal;
        connection = ConnectLambda(signal, [](int) {});
    }
    connection->Disconnect();
    connection->Disconnect();
    connection->DisconnectAndWaitForHandlersToFinish();
}

TEST(EventSignal, RecursiveFireCallsEveryHandlerAgain)
{
    TEventSignal<int> signal;
    CallSpy<int> spy;
    auto a = ConnectLambda(signal, [&](int depth) {
        spy.Record(depth);
        if (depth == 0)
            signal.Fire(1);
    });
    signal.Fire(0);
    EXPECT_EQ(spy.Calls(), (std::vector<std::tuple<int>>{{0}, {1}}));
}

TEST(EventSignal, FireWithHandoverRunsTheActionBeforeAnyHandler)
{
    TEventSignal<int> signal;
    CallLog log;
    auto a = ConnectLambda(signal, log.Callback("handler"));
    signal.FireWithHandover(1, [&] { log.Add("action"); });
    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"action", "handler"}));
}

TEST(EventSignal, ConnectRejectsAnEmptyHandler)
{
    TEventSignal<int> signal;
    EXPECT_THROW(signal.Connect(nullptr), OrxException);
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
}

TEST(ScopedEventSignalConnection, ReleaseKeepsTheConnection)
{
    TEventSignal<void> signal;
    CountSpy spy;
    std::shared_ptr<IEventSignalConnection> kept;
    {
        CScopedEventSignalConnection scoped = ConnectLambda(signal, spy.Callback());
        kept = scoped.Release();
    }
    signal.Fire();
    EXPECT_EQ(spy.Count(), 1);
    kept.reset(); // dropping the last outside reference does not disconnect either
    signal.Fire();
    EXPECT_EQ(spy.Count(), 2);
}

TEST(EventSignalThreads, DisconnectAndWaitReturnsOnlyAfterTheRunningHandlerReturned)
{
    TEventSignal<void> signal;
    HeldCallback held;
    auto connection = ConnectLambda(signal, [&] { held.Hold(); });
    held.ExpectDestroyWaits([&] { signal.Fire(); }, [&] { connection->DisconnectAndWaitForHandlersToFinish(); });
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
