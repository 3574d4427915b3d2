#pragma once
// What every stress test shares: a budget bounded by count and by time, a watchdog that turns a hang
// into a failure, the log of faults seen on any thread, and the report of the counts reached. A stress
// test includes this header for GoogleTest, the thread helpers and the standard headers below as well.
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
#define ORX2_STRESS_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer) || __has_feature(address_sanitizer)
#define ORX2_STRESS_SANITIZED 1
#endif
#endif

namespace Orx2Stress
{
using namespace std::chrono_literals;

/// Sanitized builds run several times slower (ThreadSanitizer about ten times); they get smaller counts
/// so that each test still ends well within its time budget on a two-core machine.
#ifdef ORX2_STRESS_SANITIZED
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

/// `full` in a plain build, `sanitized` under a sanitizer.
constexpr std::uint64_t Scaled(std::uint64_t full, std::uint64_t sanitized)
{
    return kSanitized ? sanitized : full;
}

/// The time a stress test may run before it stops on its own, whatever count it reached.
constexpr std::chrono::milliseconds kTimeBudget = kSanitized ? 20s : 30s;

/// Hands out at most `count` operations, and none after the time budget has passed. Threads call
/// Take() before every operation and stop when it returns false. Thread-safe.
class Budget
{
public:
    explicit Budget(std::uint64_t count, std::chrono::milliseconds time = kTimeBudget)
        : m_count(count), m_deadline(Clock::now() + time)
    {
    }

    /// Claims one operation; false once the count is reached or the time is up.
    bool Take()
    {
        std::uint64_t const claimed = m_claimed.fetch_add(1, std::memory_order_relaxed);
        // The clock is read on every 256th claim only: it costs more than the operations being counted.
        if (Stopped() || claimed >= m_count || ((claimed & 255U) == 0 && Clock::now() >= m_deadline))
        {
            Stop();
            return false;
        }
        m_granted.fetch_add(1, std::memory_order_relaxed);
        return true;
    }

    /// Lets the other threads stop early (a failure was seen, or a side of the test has finished).
    void Stop() { m_stopped.store(true, std::memory_order_relaxed); }
    bool Stopped() const { return m_stopped.load(std::memory_order_relaxed); }
    /// True while the time budget lasts and nobody stopped the budget (for loops that are not counted).
    bool TimeLeft() const { return !Stopped() && Clock::now() < m_deadline; }

    std::uint64_t Granted() const { return m_granted.load(std::memory_order_relaxed); }

private:
    using Clock = std::chrono::steady_clock;
    std::uint64_t const m_count;
    Clock::time_point const m_deadline;
    std::atomic<std::uint64_t> m_claimed{0};
    std::atomic<std::uint64_t> m_granted{0};
    std::atomic<bool> m_stopped{false};
};

using Orx2Test::Watchdog;
static_assert(kTimeBudget + 30s <= 60s, "the watchdog's default limit must outlast the time budget");

/// Counts faults seen by any thread and keeps the description of the first one. Thread-safe.
class FaultLog
{
public:
    void Add(std::string what)
    {
        m_count.fetch_add(1);
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_first.empty())
            m_first = std::move(what);
    }
    std::uint64_t Count() const { return m_count.load(); }
    std::string First() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_first;
    }

    /// Runs `call`: what it throws is a fault of `where`, unless `allowed` accepts it as documented.
    template <class Call>
    void Guard(char const* where, Call&& call, bool (*allowed)(std::string const&) = nullptr)
    {
        try
        {
            call();
        }
        catch (std::exception const& failure)
        {
            if (allowed == nullptr || !allowed(failure.what()))
                Add(std::string(where) + " threw: " + failure.what());
        }
    }

private:
    std::atomic<std::uint64_t> m_count{0};
    mutable std::mutex m_mutex;
    std::string m_first; // guarded by m_mutex
};

/// Records what a budget reached in the XML report. In a plain build it also requires `required`
/// operations, so that a slowdown hiding behind the time budget is noticed where a minimum matters.
inline void ReportBudget(char const* name, Budget const& budget, std::uint64_t required = 0)
{
    ::testing::Test::RecordProperty(name, std::to_string(budget.Granted()));
    EXPECT_TRUE(kSanitized || budget.Granted() >= required)
        << name << ": " << budget.Granted() << " done, the time budget ran out first";
}

/// Runs `body(i)` for i = 0 .. count-1, each on a thread of its own, and joins them all.
template <class Body> void RunThreads(unsigned count, Body const& body)
{
    std::vector<Orx2Test::ScopedThread> threads;
    for (unsigned i = 0; i < count; ++i)
        threads.emplace_back([&body, i] { body(i); });
}

/// Keeps the calling thread busy for a moment without a lock or a system call, so that other threads
/// meet it in the middle of a callback.
inline void BusyPause(unsigned rounds)
{
    std::atomic<unsigned> sink{0};
    for (unsigned i = 0; i < rounds; ++i)
        sink.fetch_add(i, std::memory_order_relaxed);
}
} // namespace Orx2Stress
