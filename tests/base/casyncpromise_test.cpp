#include "base/orx2basepool/casyncpromise.h"
#include "support/callspy.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace Base;
using namespace Orx2Test;

TEST(AsyncPromise, CallbacksRegisteredBeforeCompletionRunOnSetInRegistrationOrder)
{
    CAsyncPromise<> promise;
    auto result = promise.GetResult();
    CallLog log;
    result->AddCallback(MakeResultCallback([&] { log.Add("first"); }), 2);
    result->AddCallback(MakeResultCallback([&] { log.Add("second"); }), 7);
    EXPECT_TRUE(log.Entries().empty());

    promise.Set();
    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"first", "second"}));
}

TEST(AsyncPromise, ThrowingCallbackLeavesSetButTheResultIsComplete)
{
    CAsyncPromise<> promise;
    auto result = promise.GetResult();
    CountSpy later;
    result->AddCallback(MakeResultCallback([] { throw std::runtime_error("callback"); }), 2);
    result->AddCallback(MakeResultCallback(later.Callback()), 2);
    EXPECT_THROW(promise.Set(), std::runtime_error);
    EXPECT_EQ(later.Count(), 0);
    result->Wait(); // complete: returns at once
    // A callback added now runs before AddCallback returns.
    bool ran = false;
    result->AddCallback(MakeResultCallback([&] { ran = true; }), 2);
    EXPECT_TRUE(ran);
}

TEST(AsyncPromise, WaitOnAnotherThreadReturnsOnceSetAndCallbacksRunOnTheCompletingThread)
{
    CAsyncPromise<> promise;
    std::shared_ptr<IAsyncResult<>> result = promise.GetResult();
    std::thread::id callbackThread;
    result->AddCallback(MakeResultCallback([&] { callbackThread = std::this_thread::get_id(); }), 2);

    Gate waiting, returned;
    ScopedThread waiter([&] {
        waiting.Open();
        result->Wait();
        returned.Open();
    });
    EXPECT_TRUE(waiting.Wait());
    EXPECT_FALSE(returned.Wait(20ms));
    promise.Set(); // also on failure above, so the waiter always ends
    EXPECT_TRUE(returned.Wait());
    EXPECT_EQ(callbackThread, std::this_thread::get_id());
}
