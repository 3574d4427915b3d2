#pragma once
// The wide string class of the host foundation library, reduced to what this code base uses.
#include "host/orx2hostexport.h"

#include <cstddef>
#include <functional>
#include <string>

/// A wide string value. Thread-safety: like std::wstring (concurrent const access only).
class ORX2_HOST_EXPORT CStringW
{
public:
    /// An empty string.
    CStringW() = default;
    /// Copies a null-terminated string; nullptr gives an empty string. Throws std::bad_alloc.
    CStringW(wchar_t const* text) : m_text(text != nullptr ? text : L"") {} // NOLINT: implicit by design
    /// Takes the characters of `text`. Throws std::bad_alloc.
    CStringW(std::wstring text) : m_text(std::move(text)) {} // NOLINT: implicit by design

    /// True when the string has no characters.
    bool IsEmpty() const noexcept { return m_text.empty(); }
    /// The number of wide characters.
    int GetLength() const noexcept { return static_cast<int>(m_text.size()); }
    /// The null-terminated characters; valid until the string is modified or destroyed.
    wchar_t const* GetString() const noexcept { return m_text.c_str(); }
    /// As GetString(); lets a CStringW be passed where `wchar_t const*` is expected. Through `...` (for
    /// `%s`) convert explicitly: the object itself cannot be passed to a variadic function.
    operator wchar_t const*() const noexcept { return m_text.c_str(); } // NOLINT: implicit by design
    /// The underlying standard string.
    std::wstring const& GetStdString() const noexcept { return m_text; }

    /// @{
    /// Appends. Throws std::bad_alloc.
    CStringW& operator+=(CStringW const& other);
    CStringW& operator+=(wchar_t const* other);
    CStringW& operator+=(wchar_t character);
    /// @}

    /// Replaces the content with `format` formatted as JbFormatWide does (wide `%s`, narrow `%S`,
    /// cut at 8192 characters). Throws std::bad_alloc.
    void Format(wchar_t const* format, ...);

    // Comparisons are spelled out for `wchar_t const*` so that the implicit conversions in both
    // directions cannot make `text == L"x"` ambiguous or degrade it to a pointer comparison.
    /// Equal when every field is equal.
    friend bool operator==(CStringW const& a, CStringW const& b) noexcept { return a.m_text == b.m_text; }
    /// Equal when the texts are (a null pointer reads as empty).
    friend bool operator==(CStringW const& a, wchar_t const* b) noexcept { return a.m_text == Safe(b); }
    /// Equal when the texts are (a null pointer reads as empty).
    friend bool operator==(wchar_t const* a, CStringW const& b) noexcept { return b == a; }
    /// Not equal when `==` is not.
    friend bool operator!=(CStringW const& a, CStringW const& b) noexcept { return !(a == b); }
    /// Not equal when `==` is not.
    friend bool operator!=(CStringW const& a, wchar_t const* b) noexcept { return !(a == b); }
    /// Not equal when `==` is not.
    friend bool operator!=(wchar_t const* a, CStringW const& b) noexcept { return !(b == a); }
    /// Ordinal order of the wide characters.
    friend bool operator<(CStringW const& a, CStringW const& b) noexcept { return a.m_text < b.m_text; }

    /// @{
    /// Concatenations. Throw std::bad_alloc.
    friend CStringW operator+(CStringW a, CStringW const& b) { return a += b; }
    friend CStringW operator+(CStringW a, wchar_t const* b) { return a += b; }
    friend CStringW operator+(wchar_t const* a, CStringW const& b) { return CStringW(a) += b; }
    friend CStringW operator+(CStringW a, wchar_t b) { return a += b; }
    /// @}

private:
    static wchar_t const* Safe(wchar_t const* text) noexcept { return text != nullptr ? text : L""; }

    std::wstring m_text;
};

namespace std
{
/// Hashes the characters, so CStringW can key unordered containers.
template <> struct hash<CStringW>
{
    /// The hash of the characters.
    std::size_t operator()(CStringW const& text) const noexcept
    {
        return std::hash<std::wstring>()(text.GetStdString());
    }
};
} // namespace std
