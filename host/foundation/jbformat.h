#pragma once
// printf-style formatting of wide strings with the conventions of the original wide printf, shared by
// exceptions, logging and CStringW::Format.
#include "host/orx2hostexport.h"

#include <cstdarg>
#include <cstddef>
#include <string>

/// The longest text the formatter produces, in wide characters; longer output is cut, not an error.
constexpr std::size_t kJbFormatMaxLength = 8192;

/// Formats `format` with `args` the way the original platform's wide printf read its arguments:
/// - `%s`, `%ls`, `%ws` take `wchar_t const*`; `%S`, `%hs`, `%hS` take `char const*` holding UTF-8;
/// - `%c`, `%lc`, `%wc` take a wide character; `%C`, `%hc` a narrow one (a byte, read as Latin-1);
/// - `%I64d/i/u/x/X/o` take 64-bit integers, `%I32…` 32-bit ones, `%I…` pointer-sized ones;
/// - every other length modifier (hh, h, l, ll, L, j, z, t) means what it means on this platform;
/// - flags `-+ #0`, width, precision and `*` for either behave as in C; `%%` is a percent sign.
/// A null string argument prints "(null)". `%n` consumes its pointer and writes nothing. A malformed
/// conversion is copied to the output as written. The result is cut at kJbFormatMaxLength characters.
/// `args` is not consumed (it is copied). A null `format` yields an empty string.
/// Throws only std::bad_alloc. Thread-safe; reads the C locale only for the decimal point.
ORX2_HOST_EXPORT std::wstring JbFormatWideV(wchar_t const* format, va_list args);

/// Calls va_end on a va_list when the scope is left, so that a throwing formatter cannot skip it.
/// Lifetime: must not outlive the va_list; construct it right after va_start.
class JbVaListEnd
{
public:
    /// Ends `list` when destroyed.
    explicit JbVaListEnd(va_list& list) noexcept : m_list(list) {}
    ~JbVaListEnd() { va_end(m_list); }
    JbVaListEnd(JbVaListEnd const&) = delete;
    JbVaListEnd& operator=(JbVaListEnd const&) = delete;

private:
    va_list& m_list;
};

/// JbFormatWideV with the arguments given directly.
ORX2_HOST_EXPORT std::wstring JbFormatWide(wchar_t const* format, ...);
