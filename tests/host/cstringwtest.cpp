#include "host/foundation/cstringw.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <unordered_set>

namespace
{
TEST(HostCStringW, ConstructionAndComparison)
{
    CStringW const empty(static_cast<wchar_t const*>(nullptr));
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.GetLength(), 0);
    EXPECT_TRUE(empty == L"");
    EXPECT_TRUE(empty == nullptr);

    CStringW const text(L"abc");
    EXPECT_EQ(text.GetLength(), 3);
    EXPECT_TRUE(text == L"abc");
    EXPECT_TRUE(L"abc" == text);
    EXPECT_TRUE(text != L"abd");
    EXPECT_TRUE(text == CStringW(std::wstring(L"abc")));
    EXPECT_TRUE(text < CStringW(L"abd"));
    EXPECT_FALSE(CStringW(L"abd") < text);
    // Must compare characters, not pointers.
    wchar_t buffer[] = L"abc";
    EXPECT_TRUE(text == static_cast<wchar_t const*>(buffer));
    EXPECT_EQ(std::wcscmp(static_cast<wchar_t const*>(text), L"abc"), 0);
    EXPECT_EQ(text.GetStdString(), L"abc");
}

TEST(HostCStringW, FormatUsesTheWideConventionsAndHashes)
{
    CStringW const name(L"M\u00FCller");
    CStringW text(L"old");
    text.Format(L"%s is %d (%S)", name.GetString(), 42, "ok");
    EXPECT_EQ(text, L"M\u00FCller is 42 (ok)");

    std::unordered_set<CStringW> const set{CStringW(L"x"), CStringW(L"y"), CStringW(L"x")};
    EXPECT_EQ(set.size(), 2U);
    EXPECT_EQ(set.count(CStringW(L"y")), 1U);
}
} // namespace
