#pragma once
// Array elements for tests: copies that misbehave on purpose (they break or hold an edit in its middle),
// and a small interface with its implementation.
#include "support/threadhelpers.h"

#include <atomic>
#include <ostream>
#include <stdexcept>

namespace Orx2Test
{
/// An element whose copy throws std::runtime_error once `throwAfter` further copies have been made
/// (negative: never). Arm it with a FragileScope.
struct Fragile
{
    static inline std::atomic<int> throwAfter{-1};

    int value = 0;
    Fragile() = default;
    Fragile(int v) : value(v) {}
    Fragile(Fragile const& other) : value(other.value) { Tick(); }
    Fragile& operator=(Fragile const& other)
    {
        Tick();
        value = other.value;
        return *this;
    }
    bool operator==(Fragile const& other) const { return value == other.value; }
    static void Tick()
    {
        if (throwAfter.load() >= 0 && throwAfter.fetch_sub(1) == 0)
            throw std::runtime_error("copy failed");
    }
};
inline std::ostream& operator<<(std::ostream& os, Fragile const& f)
{
    return os << f.value;
}

/// Arms Fragile for its lifetime.
struct FragileScope
{
    explicit FragileScope(int copiesBeforeThrow) { Fragile::throwAfter = copiesBeforeThrow; }
    ~FragileScope() { Fragile::throwAfter = -1; }
};

/// An element whose first copy of the value 42 made while armed opens `entered` and blocks until
/// `release` opens: it holds an edit inside the source's writer section. Arm with StickyScope.
struct Sticky
{
    static inline std::atomic<Gate*> entered{nullptr};
    static inline std::atomic<Gate*> release{nullptr};
    int value = 0;
    Sticky() = default;
    Sticky(int v) : value(v) {}
    Sticky(Sticky const& other) : value(other.value)
    {
        Gate* const gate = value == 42 ? release.exchange(nullptr) : nullptr;
        if (gate != nullptr)
        {
            entered.load()->Open();
            gate->Wait();
        }
    }
    Sticky& operator=(Sticky const&) = default;
    bool operator==(Sticky const& other) const { return value == other.value; }
};

/// Arms Sticky with two gates for its lifetime.
struct StickyScope
{
    StickyScope(Gate& entered, Gate& release)
    {
        Sticky::entered = &entered;
        Sticky::release = &release;
    }
    ~StickyScope()
    {
        Sticky::release = nullptr;
        Sticky::entered = nullptr;
    }
};
} // namespace Orx2Test
