#include "base/orx2basepool/casyncpromise.h"
#include "support/callspy.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace Base;
using namespace Orx2Test;

// A throwing callback leaves Set; the callbacks after it are not called, but the result is complete.
TEST(AsyncPromise, CallbacksRunOnSetInRegistrationOrderUntilOneThrowsAndLaterOnesRunAtOnce)
{
    CAsyncPromise<> promise;
    auto result = promise.GetResult();
    CallLog log;
    result->AddCallback(MakeResultCallback([&] { log.Add("first"); }), 2);
    result->AddCallback(MakeResultCallback([&] { log.Add("second"); }), 7);
    result->AddCallback(MakeResultCallback([] { throw std::runtime_error("callback"); }), 2);
    result->AddCallback(MakeResultCallback([&] { log.Add("after the throw"); }), 2);
    EXPECT_TRUE(log.Entries().empty());
    EXPECT_THROW(promise.Set(), std::runtime_error);
    result->Wait(); // complete: returns at once
    // A callback added now runs before AddCallback returns.
    result->AddCallback(MakeResultCallback([&] { log.Add("added now"); }), 2);
    EXPECT_EQ(log.Entries(), (std::vector<std::string>{"first", "second", "added now"}));
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
