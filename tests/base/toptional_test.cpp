#include "base/orx2basepool/toptional.h"

#include <gtest/gtest.h>

using Base::TOptional;

TEST(Optional, EmptyAndFilled)
{
    TOptional<int> empty;
    EXPECT_FALSE(empty.HasValue());
    TOptional<int> filled(3);
    ASSERT_TRUE(filled.HasValue());
    EXPECT_EQ(filled.value(), 3);
    EXPECT_NE(empty, filled);
    EXPECT_EQ(filled, TOptional<int>(3));
}
