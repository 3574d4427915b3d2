#pragma once
// The 4x4 matrices of the host math library, reduced to what is stored and compared here.
#include <array>
#include <cstddef>

/// A 4x4 matrix of `T`, row-major. A value type: copy freely; not thread-safe by itself.
template <class T> class JbMatrix4R
{
public:
    /// All elements zero.
    JbMatrix4R() = default;

    /// The identity matrix.
    static JbMatrix4R Identity() noexcept
    {
        JbMatrix4R identity;
        for (std::size_t i = 0; i < 4; ++i)
            identity(i, i) = T(1);
        return identity;
    }

    /// The element at `row`, `column` (both 0 to 3; not checked).
    T& operator()(std::size_t row, std::size_t column) noexcept { return m_elements[row * 4 + column]; }
    /// The element at `row`, `column` (both 0 to 3; not checked).
    T const& operator()(std::size_t row, std::size_t column) const noexcept
    {
        return m_elements[row * 4 + column];
    }

    /// Element-wise, exact comparison.
    friend bool operator==(JbMatrix4R const& a, JbMatrix4R const& b) noexcept
    {
        return a.m_elements == b.m_elements;
    }
    /// Not equal when `==` is not.
    friend bool operator!=(JbMatrix4R const& a, JbMatrix4R const& b) noexcept { return !(a == b); }

private:
    std::array<T, 16> m_elements{};
};

using JbMatrix4Rf = JbMatrix4R<float>;
using JbMatrix4Rd = JbMatrix4R<double>;
