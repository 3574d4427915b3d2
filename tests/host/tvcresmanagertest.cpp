#include "host/resources/tvcresmanager.h"

#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
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

    // Loaded from another thread, a string is read whole.
    std::wstring const longText(200, L'x');
    std::atomic<bool> done{false};
    {
        Orx2Test::ScopedThread loader(
            [&]
            {
                for (unsigned int round = 0; round < 200; ++round)
                    strings.LoadStrings({{7U, round % 2 == 0 ? CStringW(longText) : CStringW(L"short")}});
                done = true;
            });
        while (!done)
        {
            CStringW const text = strings.GetString(7U);
            ASSERT_TRUE(text.IsEmpty() || text == L"short" || text == longText.c_str());
        }
    }
    EXPECT_EQ(L"short", strings.GetString(7U));
}
} // namespace
