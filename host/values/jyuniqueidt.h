#pragma once
// Typed identifiers of the host base library (for example the identifier of a thumbnail's bitmap).
#include <utility>

/// An identifier that wraps a value of `T` and compares by it. A value type.
template <class T> class JyUniqueIdT
{
public:
    JyUniqueIdT() = default;
    /// The identifier `value`.
    explicit JyUniqueIdT(T value) : m_value(std::move(value)) {}

    /// The wrapped value.
    T const& GetValue() const noexcept { return m_value; }

    /// Equal when every field is equal.
    friend bool operator==(JyUniqueIdT const& a, JyUniqueIdT const& b) { return a.m_value == b.m_value; }
    /// Not equal when `==` is not.
    friend bool operator!=(JyUniqueIdT const& a, JyUniqueIdT const& b) { return !(a == b); }

private:
    T m_value{};
};
