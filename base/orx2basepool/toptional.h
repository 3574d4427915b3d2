#pragma once
#include "base/orx2basepool/csourcefile.h"
#include "host/foundation/jbstringconversion.h"

#include <string>
#include <utility>

namespace Base
{
/// An optional value as value-stream notifications carry it: `value` followed by `hasValue`.
/// `T` must be default-constructible and copyable. Not thread-safe by itself (a value type).
template <class T>
class TOptional
{
public:
    /// Empty.
    TOptional() = default;
    /// Filled with `v`.
    TOptional(T const& v) : m_value(v), m_hasValue(true) {}
    /// Filled with `v`, moved in.
    TOptional(T&& v) : m_value(std::move(v)), m_hasValue(true) {}

    /// Whether a value is held.
    bool HasValue() const noexcept { return m_hasValue; }
    /// Whether a value is held.
    explicit operator bool() const noexcept { return m_hasValue; }

    /// The value. Throws OrxException ("Accessing invalid TOptional value of type <T>") when empty.
    T const& value() const
    {
        if (!m_hasValue)
            ThrowEmpty();
        return m_value;
    }
    /// The value, writable. Throws as the const one when empty.
    T& value()
    {
        if (!m_hasValue)
            ThrowEmpty();
        return m_value;
    }

    /// Equal when both are empty or both hold equal values.
    bool operator==(TOptional const& other) const
    {
        return m_hasValue == other.m_hasValue && (!m_hasValue || !(m_value != other.m_value));
    }
    /// Not equal when one is empty and the other not, or the values differ.
    bool operator!=(TOptional const& other) const { return !(*this == other); }

private:
    [[noreturn]] static void ThrowEmpty()
    {
        std::string const typeName = JbDemangle(typeid(T));
        std::string const function = "Base::TOptional<" + typeName + ">::value";
        CSourceFile("base/orx2basepool/toptional")
            .Throw(__LINE__, function.c_str(), L"Accessing invalid TOptional value of type %s",
                   JbWidenUtf8(typeName).c_str());
    }

    T m_value{};
    bool m_hasValue = false;
};
} // namespace Base
