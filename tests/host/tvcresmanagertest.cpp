#include "host/resources/tvcresmanager.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
TEST(HostResManager, LoadedIdsGiveTheirTextUnknownIdsAnEmptyOne)
{
    TvCResManager strings;
    strings.LoadStrings({{1U, L"One"}, {2U, L"Two"}});
    strings.LoadStrings({{2U, L"Zwei"}});
    strings.SetString(4U, L"");
    EXPECT_EQ(L"One", strings.GetString(1U)) << "a later load dropped an earlier string";
    EXPECT_EQ(L"Zwei", strings.GetString(2U)) << "a later load did not replace";
    EXPECT_TRUE(strings.GetString(5U).IsEmpty() && !strings.HasString(5U));
    EXPECT_TRUE(strings.HasString(4U)) << "an empty text is still a loaded string";
    strings.Clear();
    EXPECT_FALSE(strings.HasString(1U));
}
} // namespace
