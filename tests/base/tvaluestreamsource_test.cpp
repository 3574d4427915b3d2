#include "base/orx2basepool/tvaluestreamsource.h"
#include "support/callspy.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Test;

namespace
{
template <class F> CScopedEventSignalConnection Connect(TValueStreamSource<int> const& source, F&& f)
{
    return source.ConnectToValueStream(
        MakeEventSignalHandler<TValueStreamNotification<int> const&>(std::forward<F>(f)));
}
} // namespace

// A stream has no current value: equal values are delivered again. A handler may push on its own thread.
TEST(ValueStreamSource, PushDeliversEachValueWithStatusZeroAlsoFromAHandlerAndDestructionSendsStatusTwo)
{
    CallSpy<int, bool, int> spy;
    CScopedEventSignalConnection connection;
    {
        TValueStreamSource<int> source;
        connection = Connect(source, [&](TValueStreamNotification<int> const& n) {
            spy.Record(n.status, n.value.HasValue(), n.value.HasValue() ? n.value.value() : -1);
            if (n.value.HasValue() && n.value.value() == 1)
                source.Push(4);
        });
        source.Push(1);
        source.Push(4);
    }
    using Call = std::tuple<int, bool, int>;
    EXPECT_EQ(spy.Calls(), (std::vector<Call>{{0, true, 1}, {0, true, 4}, {0, true, 4}, {2, false, -1}}));
}

TEST(ValueStreamSource, ConcurrentPushesAreDeliveredOneAtATime)
{
    TValueStreamSource<int> source;
    std::atomic<int> inside{0};
    std::atomic<int> overlaps{0};
    std::atomic<int> delivered{0};
    auto connection = Connect(source, [&](TValueStreamNotification<int> const&) {
        if (inside.fetch_add(1) != 0)
            overlaps.fetch_add(1);
        std::this_thread::yield();
        inside.fetch_sub(1);
        delivered.fetch_add(1);
    });
    constexpr int kThreads = 4;
    constexpr int kPushes = 200;
    {
        std::vector<ScopedThread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&] {
                for (int i = 0; i < kPushes; ++i)
                    source.Push(i);
            });
    }
    EXPECT_EQ(overlaps.load(), 0);
    EXPECT_EQ(delivered.load(), kThreads * kPushes);
}
