#include "base/orx2basepool/toptional.h"
#include "host/foundation/cstringw.h"

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

TEST(Optional, EmptyValueThrowsNamingTheType)
{
    try
    {
        TOptional<CStringW>().value();
        FAIL() << "no exception";
    }
    catch (OrxException const& e)
    {
        EXPECT_STREQ(e.what(), "Accessing invalid TOptional value of type CStringW");
        EXPECT_EQ(e.GetFunction(), "Base::TOptional<CStringW>::value");
    }
}
