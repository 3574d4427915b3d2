#include "base/orx2basepool/tproperty.h"
#include "support/testowner.h"

#include <gtest/gtest.h>

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
