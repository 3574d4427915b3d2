#include "host/foundation/jbstringconversion.h"

#include <cstdint>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>

namespace
{
constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0U) == 0x80U;
}

// Decodes one sequence starting at text[pos]. On invalid input consumes the maximal ill-formed subpart
// (at least one byte) and yields U+FFFD, so one bad sequence becomes exactly one replacement character.
char32_t DecodeOne(std::string_view text, std::size_t& pos)
{
    auto const lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80U)
    {
        return lead;
    }
    std::size_t length = 0;
    char32_t value = 0;
    // Bounds of the second byte exclude overlong forms, surrogates and values beyond U+10FFFF up front.
    unsigned char low = 0x80U;
    unsigned char high = 0xBFU;
    if (lead >= 0xC2U && lead <= 0xDFU)
    {
        length = 2;
        value = lead & 0x1FU;
    }
    else if (lead >= 0xE0U && lead <= 0xEFU)
    {
        length = 3;
        value = lead & 0x0FU;
        low = lead == 0xE0U ? 0xA0U : 0x80U;
        high = lead == 0xEDU ? 0x9FU : 0xBFU;
    }
    else if (lead >= 0xF0U && lead <= 0xF4U)
    {
        length = 4;
        value = lead & 0x07U;
        low = lead == 0xF0U ? 0x90U : 0x80U;
        high = lead == 0xF4U ? 0x8FU : 0xBFU;
    }
    else
    {
        return kReplacement;
    }
    for (std::size_t i = 1; i < length; ++i)
    {
        if (pos >= text.size())
        {
            return kReplacement;
        }
        auto const byte = static_cast<unsigned char>(text[pos]);
        bool const valid = i == 1 ? (byte >= low && byte <= high) : IsContinuation(byte);
        if (!valid)
        {
            return kReplacement;
        }
        value = (value << 6U) | (byte & 0x3FU);
        ++pos;
    }
    return value;
}

void AppendUtf8(std::string& out, char32_t value)
{
    if (value < 0x80U)
    {
        out.push_back(static_cast<char>(value));
    }
    else if (value < 0x800U)
    {
        out.push_back(static_cast<char>(0xC0U | (value >> 6U)));
        out.push_back(static_cast<char>(0x80U | (value & 0x3FU)));
    }
    else if (value < 0x10000U)
    {
        out.push_back(static_cast<char>(0xE0U | (value >> 12U)));
        out.push_back(static_cast<char>(0x80U | ((value >> 6U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | (value & 0x3FU)));
    }
    else
    {
        out.push_back(static_cast<char>(0xF0U | (value >> 18U)));
        out.push_back(static_cast<char>(0x80U | ((value >> 12U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | ((value >> 6U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | (value & 0x3FU)));
    }
}

bool IsScalarValue(std::uint32_t value)
{
    return value <= 0x10FFFFU && (value < 0xD800U || value > 0xDFFFU);
}
} // namespace

std::wstring JbWidenUtf8(std::string_view text)
{
    std::wstring result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size())
    {
        result.push_back(static_cast<wchar_t>(DecodeOne(text, pos)));
    }
    return result;
}

std::string JbNarrowUtf8(std::wstring_view text)
{
    std::string result;
    result.reserve(text.size());
    for (wchar_t const character : text)
    {
        auto const value = static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<wchar_t>>(character));
        AppendUtf8(result, IsScalarValue(value) ? static_cast<char32_t>(value) : kReplacement);
    }
    return result;
}

std::string JbDemangle(std::type_info const& type)
{
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    if (status == 0 && demangled)
    {
        return demangled.get();
    }
    return type.name();
}
