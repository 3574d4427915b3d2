#include "host/foundation/orxexception.h"
#include "host/foundation/jbstringconversion.h"

#include "host/foundation/cstringw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
template <class F> OrxException CaptureThrown(F thrower)
{
    try
    {
        thrower();
    }
    catch (OrxException const& exception)
    {
        return exception;
    }
    ADD_FAILURE() << "nothing thrown";
    return OrxException("", 0, "", L"");
}

TEST(HostOrxException, CarriesWhereItWasThrownAndWhatAsUtf8)
{
    OrxException const exception("base/orx2basepool/toptional", 42, "Get", L"Gr\u00FC\u00DFe \U0001F600");
    EXPECT_EQ(exception.GetFile(), "base/orx2basepool/toptional");
    EXPECT_EQ(exception.GetLine(), 42);
    EXPECT_EQ(exception.GetFunction(), "Get");
    EXPECT_EQ(exception.GetMessage(), L"Gr\u00FC\u00DFe \U0001F600");
    std::exception const& standard = exception;
    EXPECT_STREQ(standard.what(), "Gr\xC3\xBC\xC3\x9F"
                                  "e \xF0\x9F\x98\x80");
    OrxException const copy = exception;
    EXPECT_STREQ(copy.what(), exception.what());
}

TEST(HostOrxException, ThrowFormatsOnlyWhenThereIsAPercentSign)
{
    OrxException const formatted = CaptureThrown(
        [] { ThrowOrxException("host/test", 7, "Thrower", L"%s has %d items (%S)", L"list", 3, "narrow"); });
    EXPECT_EQ(formatted.GetMessage(), L"list has 3 items (narrow)");
    EXPECT_EQ(formatted.GetFile(), "host/test");
    EXPECT_EQ(formatted.GetLine(), 7);
    EXPECT_EQ(formatted.GetFunction(), "Thrower");

    // Arguments without conversions are ignored; the text is not cut either.
    std::wstring const longText(9000, L'z');
    EXPECT_EQ(CaptureThrown([&] { ThrowOrxException("f", 1, "g", longText.c_str(), 42); }).GetMessage(),
              longText);
    EXPECT_EQ(CaptureThrown([] { ThrowOrxException(nullptr, 1, nullptr, nullptr); }).GetMessage(), L"");
}

TEST(HostStringConversion, Utf8RoundTripsEveryPlane)
{
    std::wstring const text = L"a\u00E9\u20AC\U0001F600\U0010FFFF";
    std::string const utf8 = JbNarrowUtf8(text);
    EXPECT_EQ(utf8, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
    EXPECT_EQ(JbWidenUtf8(utf8), text);
}

TEST(HostStringConversion, InvalidInputBecomesReplacementCharacters)
{
    std::wstring const bad(1, L'\uFFFD');
    EXPECT_EQ(JbWidenUtf8("a\x80"
                          "b"),
              L"a" + bad + L"b");                                      // stray continuation
    EXPECT_EQ(JbWidenUtf8("\xC0\xAF"), bad + bad);                     // overlong
    EXPECT_EQ(JbWidenUtf8("\xED\xA0\x80"), bad + bad + bad);           // encoded surrogate
    EXPECT_EQ(JbWidenUtf8("\xF4\x90\x80\x80"), bad + bad + bad + bad); // beyond U+10FFFF
    EXPECT_EQ(JbWidenUtf8("x\xE2\x82"), L"x" + bad);                   // truncated at the end
    EXPECT_EQ(JbWidenUtf8("\xE2\x82x"), bad + L"x");                   // truncated in the middle
    EXPECT_EQ(JbNarrowUtf8(std::wstring{static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000),
                                        static_cast<wchar_t>(-1)}),
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

} // namespace
