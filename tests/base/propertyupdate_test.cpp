#include "base/orx2basepool/tproperty.h"
#include "support/testowner.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Base;
using namespace Orx2Test;

TEST(PropertyUpdate, NotifiesOnlyWhenTheComputedValueDiffers)
{
    TestOwner owner;
    TProperty<int> property(3, owner);
    property.Update([](int value) { return value; });
    EXPECT_EQ(owner.Changes(), 0);
    property.Update([](int value) { return value * 2; });
    EXPECT_EQ(property.Get(), 6);
    EXPECT_EQ(owner.Changes(), 1);
}

TEST(PropertyUpdate, ConcurrentIncrementsAreNeverLost)
{
    TestOwner owner;
    TProperty<unsigned int> counter(0U, owner);
    constexpr int kThreads = 4;
    constexpr int kIncrements = 500;
    {
        std::vector<ScopedThread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back(
                [&]
                {
                    for (int i = 0; i < kIncrements; ++i)
                        counter.Update([](unsigned int value) { return value + 1; });
                });
    }
    EXPECT_EQ(counter.Get(), static_cast<unsigned int>(kThreads * kIncrements));
    EXPECT_EQ(owner.Changes(), kThreads * kIncrements);
}
