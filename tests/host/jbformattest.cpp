#include "host/foundation/jbformat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

namespace
{
TEST(HostFormat, StringAndCharacterConversionsFollowTheWidePrintfConventionsMalformedOnesStayAsWritten)
{
    EXPECT_EQ(JbFormatWide(L"[%ls|%ws]", L"l", L"w"), L"[l|w]");
    EXPECT_EQ(JbFormatWide(L"[%S|%hs]", "narrow", "h"), L"[narrow|h]");
    // Narrow text is UTF-8 whatever the process locale is.
    EXPECT_EQ(JbFormatWide(L"%S", "M\xC3\xBCller \xF0\x9F\x98\x80"), L"M\u00FCller \U0001F600");
    EXPECT_EQ(JbFormatWide(L"%s", L"\u00E9\U0001F600"), L"\u00E9\U0001F600");
    EXPECT_EQ(JbFormatWide(L"%s|%S", static_cast<wchar_t const*>(nullptr), static_cast<char const*>(nullptr)),
              L"(null)|(null)");
    EXPECT_EQ(JbFormatWide(L"%c%c", L'x', L'\u00E9'), L"x\u00E9");
    EXPECT_EQ(JbFormatWide(L"%C%hc%lc", 'y', 'z', L'w'), L"yzw");
    // Beyond ASCII: %C takes a narrow character (a byte), %wC and %lC a wide one.
    EXPECT_EQ(JbFormatWide(L"%C|%wC|%lC", static_cast<char>('\xE9'), L'\u20AC', L'\u20AC'),
              L"\u00E9|\u20AC|\u20AC");
    // Percent signs, and conversions that are not understood, stay as written; %n writes nothing.
    EXPECT_EQ(JbFormatWide(L"100%% sure"), L"100% sure");
    EXPECT_EQ(JbFormatWide(L"%y|%"), L"%y|%");
    int untouched = 17;
    EXPECT_EQ(JbFormatWide(L"%n%d", &untouched, 5), L"5");
    EXPECT_EQ(untouched, 17);
    EXPECT_EQ(JbFormatWide(nullptr), L"");
    EXPECT_FALSE(JbFormatWide(L"%p", static_cast<void*>(&untouched)).empty());
}

TEST(HostFormat, LengthModifiersFlagsWidthAndPrecisionAndTheCutAtTheLimit)
{
    EXPECT_EQ(JbFormatWide(L"%I64u", UINT64_MAX), L"18446744073709551615");
    EXPECT_EQ(JbFormatWide(L"%I64d", INT64_MIN), L"-9223372036854775808");
    EXPECT_EQ(JbFormatWide(L"%I64x|%I64X", std::uint64_t{0xABCDEF0123}, std::uint64_t{0xABCDEF0123}),
              L"abcdef0123|ABCDEF0123");
    EXPECT_EQ(JbFormatWide(L"%I32d|%Iu|%zu", -5, std::size_t{7}, std::size_t{8}), L"-5|7|8");
    EXPECT_EQ(JbFormatWide(L"%hd|%hhu", 65537, 257), L"1|1");
    EXPECT_EQ(JbFormatWide(L"%5d|%-5d|%05d|%+d|% d", 42, 42, 42, 42, 42), L"   42|42   |00042|+42| 42");
    EXPECT_EQ(JbFormatWide(L"%.3s|%6.2s|%-4s|", L"abcdef", L"xyz", L"q"), L"abc|    xy|q   |");
    EXPECT_EQ(JbFormatWide(L"%*d|%-*d|%*d", 4, 7, 3, 8, -3, 9), L"   7|8  |9  ");
    EXPECT_EQ(JbFormatWide(L"%.*f|%.*f", 2, 3.14159, -1, 2.5), L"3.14|2.500000");
    // A one and a nine in a width, and a precision of zero (which is not the default precision).
    EXPECT_EQ(JbFormatWide(L"%9d|%.0f|%.0d|%1d|", 1, 2.75, 0, 5), L"        1|3||5|");
    // Longer than the first buffer of the C library call, shorter than the limit: nothing is lost.
    EXPECT_EQ(JbFormatWide(L"%.200d", 7), std::wstring(199, L'0') + L"7");
    // The precision bounds how much of a narrow buffer is read, so it need not be terminated.
    char const unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(JbFormatWide(L"%.2S", unterminated), L"ab");

    // The output is cut at the limit.
    std::wstring const longText(10000, L'a');
    EXPECT_EQ(JbFormatWide(L"%s", longText.c_str()), longText.substr(0, kJbFormatMaxLength));
    EXPECT_EQ(JbFormatWide(longText.c_str()), longText.substr(0, kJbFormatMaxLength));

    // The cut falls inside a number: what precedes it must survive exactly.
    std::wstring const prefix(kJbFormatMaxLength - 2, L'x');
    EXPECT_EQ(JbFormatWide((prefix + L"%d").c_str(), 12345), prefix + L"12");

    // Absurd widths are neither an allocation of gigabytes nor a different visible text.
    EXPECT_EQ(JbFormatWide(L"%2000000000d", 42), std::wstring(kJbFormatMaxLength, L' '));
    EXPECT_EQ(JbFormatWide(L"%-2000000000d", 42), L"42" + std::wstring(kJbFormatMaxLength - 2, L' '));
    EXPECT_EQ(JbFormatWide(L"%.100000d", 7), std::wstring(kJbFormatMaxLength, L'0'));
    EXPECT_EQ(JbFormatWide(L"%*d", INT_MIN, 1), L"1" + std::wstring(kJbFormatMaxLength - 1, L' '));
}
} // namespace
