#pragma once

namespace Base
{
/// Base of every interface and framework class: copying is forbidden. Derived classes may still
/// declare their own move operations (scoped connections, observers, locks).
class INonCopyable
{
public:
    INonCopyable(INonCopyable const&) = delete;
    INonCopyable& operator=(INonCopyable const&) = delete;

protected:
    INonCopyable() = default;
    ~INonCopyable() = default;
};
} // namespace Base
