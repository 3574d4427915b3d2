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

// Formatting, and where a throw comes from, are checked with every throw of the library.
TEST(HostOrxException, ThrowFormatsOnlyWhenThereIsAPercentSignAndWhatIsTheMessageInUtf8)
{
    // what() is the message in UTF-8, also in a copy.
    OrxException const copy =
        CaptureThrown([] { ThrowOrxException("f", 1, "g", L"Gr\u00FC\u00DFe \U0001F600"); });
    EXPECT_STREQ(copy.what(), "Gr\xC3\xBC\xC3\x9F"
                              "e \xF0\x9F\x98\x80");

    // Arguments without conversions are ignored; the text is not cut either.
    std::wstring const longText(9000, L'z');
    EXPECT_EQ(CaptureThrown([&] { ThrowOrxException("f", 1, "g", longText.c_str(), 42); }).GetMessage(),
              longText);
    EXPECT_EQ(CaptureThrown([] { ThrowOrxException(nullptr, 1, nullptr, nullptr); }).GetMessage(), L"");

    // Invalid input of the UTF-8 conversions becomes replacement characters.
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
