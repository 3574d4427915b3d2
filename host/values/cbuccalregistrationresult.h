#pragma once
// The registration of the buccal (bite) scan to one jaw, a value of the host acquisition base library.
#include "host/values/jbmatrix4r.h"

namespace Base
{
/// A buccal registration: whether it exists and its transformation. Passed by value, never looked into
/// here. A value type.
class CBuccalRegistrationResult
{
public:
    /// No registration: not valid, identity transformation.
    CBuccalRegistrationResult() noexcept : m_transformation(JbMatrix4Rd::Identity()) {}
    /// A valid registration with `transformation`.
    explicit CBuccalRegistrationResult(JbMatrix4Rd const& transformation) noexcept
        : m_isValid(true), m_transformation(transformation)
    {
    }

    /// Whether a registration was made.
    bool IsValid() const noexcept { return m_isValid; }
    /// The registration's transformation (identity when not valid).
    JbMatrix4Rd const& GetTransformation() const noexcept { return m_transformation; }

    /// Equal when every field is equal.
    friend bool operator==(CBuccalRegistrationResult const& a, CBuccalRegistrationResult const& b) noexcept
    {
        return a.m_isValid == b.m_isValid && a.m_transformation == b.m_transformation;
    }
    /// Not equal when `==` is not.
    friend bool operator!=(CBuccalRegistrationResult const& a, CBuccalRegistrationResult const& b) noexcept
    {
        return !(a == b);
    }

private:
    bool m_isValid = false;
    JbMatrix4Rd m_transformation;
};
} // namespace Base
