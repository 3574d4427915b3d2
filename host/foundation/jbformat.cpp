#include "host/foundation/jbformat.h"

#include "host/foundation/jbstringconversion.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string_view>

namespace
{
// Widths and precisions are clamped so that a hostile `%2000000000d` cannot allocate gigabytes. The
// limits are far enough beyond kJbFormatMaxLength (and beyond the 16445 fraction digits of the smallest
// long double) that the part of the output which survives the cut is the same as without clamping.
constexpr int kMaxWidth = 65536;
constexpr int kMaxPrecision = 32768;
constexpr int kDigitCeiling = 100000000;

enum class ELength
{
    None,
    Char,
    Short,
    Long,
    LongLong,
    IntMax,
    Size,
    PtrDiff,
    LongDouble,
    Wide,
    Int32
};

struct SConversion
{
    std::string flags;
    int width = -1;
    int precision = -1;
    ELength length = ELength::None;
    wchar_t type = 0;
};

bool IsFlag(wchar_t character)
{
    return std::wcschr(L"-+ #0", character) != nullptr && character != 0;
}

// Formats one numeric conversion with the C library; numbers are ASCII, so the narrow printf serves and,
// unlike the wide one, reports the length it needs when the first buffer is too small.
template <class T> std::wstring FormatWithCLibrary(std::string const& cFormat, T value)
{
    char buffer[128];
    int const needed = std::snprintf(buffer, sizeof buffer, cFormat.c_str(), value);
    if (needed < 0)
    {
        return {};
    }
    if (static_cast<std::size_t>(needed) < sizeof buffer)
    {
        return JbWidenUtf8(std::string_view(buffer, static_cast<std::size_t>(needed)));
    }
    std::string large(static_cast<std::size_t>(needed), '\0');
    std::snprintf(large.data(), large.size() + 1, cFormat.c_str(), value);
    return JbWidenUtf8(large);
}

class CFormatter
{
public:
    CFormatter(wchar_t const* format, va_list args) : m_cursor(format) { va_copy(m_args, args); }
    ~CFormatter() { va_end(m_args); }
    CFormatter(CFormatter const&) = delete;
    CFormatter& operator=(CFormatter const&) = delete;

    std::wstring Run()
    {
        while (*m_cursor != 0 && m_output.size() < kJbFormatMaxLength)
        {
            if (*m_cursor != L'%')
            {
                m_output.push_back(*m_cursor++);
                continue;
            }
            wchar_t const* const start = m_cursor++;
            SConversion conversion;
            if (Parse(conversion))
            {
                Append(conversion);
            }
            else
            {
                m_output.append(start, m_cursor);
            }
        }
        if (m_output.size() > kJbFormatMaxLength)
        {
            m_output.resize(kJbFormatMaxLength);
        }
        return std::move(m_output);
    }

private:
    int ReadNumber()
    {
        int value = 0;
        while (*m_cursor >= L'0' && *m_cursor <= L'9')
        {
            value = std::min(value * 10 + static_cast<int>(*m_cursor++ - L'0'), kDigitCeiling);
        }
        return value;
    }

    bool Consume(wchar_t const* text)
    {
        std::size_t const length = std::wcslen(text);
        if (std::wcsncmp(m_cursor, text, length) != 0)
        {
            return false;
        }
        m_cursor += length;
        return true;
    }

    ELength ParseLength()
    {
        // Longest spellings first: "hh" before "h", "I64" before "I".
        static constexpr struct
        {
            wchar_t const* text;
            ELength length;
        } kModifiers[] = {{L"hh", ELength::Char},  {L"h", ELength::Short},      {L"ll", ELength::LongLong},
                          {L"l", ELength::Long},   {L"q", ELength::LongLong},   {L"L", ELength::LongDouble},
                          {L"j", ELength::IntMax}, {L"z", ELength::Size},       {L"t", ELength::PtrDiff},
                          {L"w", ELength::Wide},   {L"I64", ELength::LongLong}, {L"I32", ELength::Int32},
                          {L"I", ELength::Size}};
        for (auto const& modifier : kModifiers)
        {
            if (Consume(modifier.text))
            {
                return modifier.length;
            }
        }
        return ELength::None;
    }

    // Parses what follows a '%'; false when the conversion is malformed (the cursor then stands after
    // the characters that were examined, which the caller copies through).
    bool Parse(SConversion& conversion)
    {
        while (IsFlag(*m_cursor))
        {
            conversion.flags.push_back(static_cast<char>(*m_cursor++));
        }
        if (Consume(L"*"))
        {
            int const width = va_arg(m_args, int);
            if (width < 0)
            {
                conversion.flags.push_back('-');
            }
            conversion.width = width < 0 ? (width == INT_MIN ? kMaxWidth : -width) : width;
        }
        else
        {
            conversion.width = *m_cursor >= L'1' && *m_cursor <= L'9' ? ReadNumber() : -1;
        }
        if (Consume(L"."))
        {
            conversion.precision = Consume(L"*") ? std::max(va_arg(m_args, int), -1) : ReadNumber();
        }
        conversion.width = std::min(conversion.width, kMaxWidth);
        conversion.precision = std::min(conversion.precision, kMaxPrecision);
        conversion.length = ParseLength();
        conversion.type = *m_cursor;
        if (conversion.type == 0 || std::wcschr(L"%diouxXeEfFgGaAcCsSpn", conversion.type) == nullptr)
        {
            return false;
        }
        ++m_cursor;
        return true;
    }

    std::string CLibrarySpec(SConversion const& conversion, char const* lengthModifier) const
    {
        std::string cFormat = "%" + conversion.flags;
        if (conversion.width >= 0)
        {
            cFormat += std::to_string(conversion.width);
        }
        if (conversion.precision >= 0)
        {
            cFormat += "." + std::to_string(conversion.precision);
        }
        cFormat += lengthModifier;
        cFormat.push_back(static_cast<char>(conversion.type));
        return cFormat;
    }

    long long ReadSigned(ELength length)
    {
        switch (length)
        {
        case ELength::Char:
            return static_cast<signed char>(va_arg(m_args, int));
        case ELength::Short:
            return static_cast<short>(va_arg(m_args, int));
        case ELength::Long:
            return va_arg(m_args, long);
        case ELength::LongLong:
        case ELength::LongDouble:
            return va_arg(m_args, long long);
        // NOLINTNEXTLINE(bugprone-branch-clone): intmax_t and ptrdiff_t are one type on some platforms only
        case ELength::IntMax:
            return static_cast<long long>(va_arg(m_args, std::intmax_t));
        case ELength::Size:
        case ELength::PtrDiff:
            return static_cast<long long>(va_arg(m_args, std::ptrdiff_t));
        default:
            return va_arg(m_args, int);
        }
    }

    unsigned long long ReadUnsigned(ELength length)
    {
        switch (length)
        {
        case ELength::Char:
            return static_cast<unsigned char>(va_arg(m_args, unsigned));
        case ELength::Short:
            return static_cast<unsigned short>(va_arg(m_args, unsigned));
        case ELength::Long:
            return va_arg(m_args, unsigned long);
        case ELength::LongLong:
        case ELength::LongDouble:
            return va_arg(m_args, unsigned long long);
        // NOLINTNEXTLINE(bugprone-branch-clone): uintmax_t and size_t are one type on some platforms only
        case ELength::IntMax:
            return static_cast<unsigned long long>(va_arg(m_args, std::uintmax_t));
        case ELength::Size:
        case ELength::PtrDiff:
            return static_cast<unsigned long long>(va_arg(m_args, std::size_t));
        default:
            return va_arg(m_args, unsigned);
        }
    }

    // Strings and characters are padded here rather than by the C library, which would decode narrow
    // text with the process locale (and fail on any non-ASCII byte in the "C" locale).
    void AppendPadded(SConversion const& conversion, std::wstring_view text)
    {
        std::size_t const width = conversion.width < 0 ? 0 : static_cast<std::size_t>(conversion.width);
        std::size_t const padding = width > text.size() ? width - text.size() : 0;
        bool const leftJustified = conversion.flags.find('-') != std::string::npos;
        if (!leftJustified)
        {
            m_output.append(padding, L' ');
        }
        m_output.append(text);
        if (leftJustified)
        {
            m_output.append(padding, L' ');
        }
    }

    void AppendString(SConversion const& conversion)
    {
        bool const narrow = conversion.type == L'S'
                                ? conversion.length != ELength::Long && conversion.length != ELength::Wide
                                : conversion.length == ELength::Short;
        std::size_t const limit =
            conversion.precision < 0 ? SIZE_MAX : static_cast<std::size_t>(conversion.precision);
        if (narrow)
        {
            auto const* text = va_arg(m_args, char const*);
            if (text == nullptr)
            {
                AppendPadded(conversion, std::wstring_view(L"(null)").substr(0, limit));
                return;
            }
            // The precision bounds the bytes read, so a buffer without terminator may be printed.
            AppendPadded(conversion, JbWidenUtf8(std::string_view(text, strnlen(text, limit))));
            return;
        }
        auto const* text = va_arg(m_args, wchar_t const*);
        if (text == nullptr)
        {
            text = L"(null)";
        }
        AppendPadded(conversion, std::wstring_view(text, wcsnlen(text, limit)));
    }

    void AppendCharacter(SConversion const& conversion)
    {
        bool const narrow = conversion.type == L'C'
                                ? conversion.length != ELength::Long && conversion.length != ELength::Wide
                                : conversion.length == ELength::Short;
        int const value = va_arg(m_args, int);
        wchar_t const character =
            narrow ? static_cast<wchar_t>(static_cast<unsigned char>(value)) : static_cast<wchar_t>(value);
        AppendPadded(conversion, std::wstring_view(&character, 1));
    }

    void Append(SConversion const& conversion)
    {
        switch (conversion.type)
        {
        case L'%':
            m_output.push_back(L'%');
            break;
        case L's':
        case L'S':
            AppendString(conversion);
            break;
        case L'c':
        case L'C':
            AppendCharacter(conversion);
            break;
        case L'd':
        case L'i':
            m_output += FormatWithCLibrary(CLibrarySpec(conversion, "ll"), ReadSigned(conversion.length));
            break;
        case L'o':
        case L'u':
        case L'x':
        case L'X':
            m_output += FormatWithCLibrary(CLibrarySpec(conversion, "ll"), ReadUnsigned(conversion.length));
            break;
        case L'p':
            m_output += FormatWithCLibrary(CLibrarySpec(conversion, ""), va_arg(m_args, void const*));
            break;
        case L'n':
            // Writing through a pointer taken from a format string is an attack vector; the original
            // platform refused it as well. The argument is still consumed to keep the rest aligned.
            static_cast<void>(va_arg(m_args, void*));
            break;
        default:
            if (conversion.length == ELength::LongDouble)
            {
                m_output += FormatWithCLibrary(CLibrarySpec(conversion, "L"), va_arg(m_args, long double));
            }
            else
            {
                m_output += FormatWithCLibrary(CLibrarySpec(conversion, ""), va_arg(m_args, double));
            }
            break;
        }
    }

    wchar_t const* m_cursor;
    va_list m_args;
    std::wstring m_output;
};
} // namespace

std::wstring JbFormatWideV(wchar_t const* format, va_list args)
{
    if (format == nullptr)
    {
        return {};
    }
    CFormatter formatter(format, args);
    return formatter.Run();
}

std::wstring JbFormatWide(wchar_t const* format, ...)
{
    va_list args;
    va_start(args, format);
    JbVaListEnd const end(args);
    return JbFormatWideV(format, args);
}
