#pragma once
// What every stress test shares: a budget bounded by count and by time, a watchdog that turns a hang
// into a failure, and the report of the counts reached.
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>

#if defined(__has_feature)
#if __has_feature(thread_sanitizer) || __has_feature(address_sanitizer)
#define ORX2_STRESS_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
#define ORX2_STRESS_SANITIZED 1
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
        if (m_stopped.load(std::memory_order_relaxed))
            return false;
        std::uint64_t const claimed = m_claimed.fetch_add(1, std::memory_order_relaxed);
        if (claimed >= m_count)
        {
            m_stopped.store(true, std::memory_order_relaxed);
            return false;
        }
        // The clock is read on every 256th claim only: it costs more than the operations being counted.
        if ((claimed & 255U) == 0 && Clock::now() >= m_deadline)
        {
            m_stopped.store(true, std::memory_order_relaxed);
            return false;
        }
        m_granted.fetch_add(1, std::memory_order_relaxed);
        return true;
    }

    /// Lets the other threads stop early (a failure was seen, or a side of the test has finished).
    void Stop() { m_stopped.store(true, std::memory_order_relaxed); }
    bool Stopped() const { return m_stopped.load(std::memory_order_relaxed); }
    /// True while the time budget lasts (for loops that are not counted).
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

/// Aborts the process when it is not destroyed within `limit`: a deadlock in a wait that has no
/// time-out of its own (disconnect-and-wait, a destructor waiting for a callback) then fails the test
/// with a message instead of hanging until the test runner kills it.
class Watchdog
{
public:
    explicit Watchdog(std::string what, std::chrono::milliseconds limit = kTimeBudget + 30s)
        : m_thread(
              [this, what = std::move(what), limit]
              {
                  if (m_done.Wait(limit))
                      return;
                  std::fprintf(stderr, "stress test hung: %s did not finish within %lld ms\n", what.c_str(),
                               static_cast<long long>(limit.count()));
                  std::fflush(stderr);
                  std::abort();
              })
    {
    }
    Watchdog(Watchdog const&) = delete;
    Watchdog& operator=(Watchdog const&) = delete;
    ~Watchdog()
    {
        m_done.Open();
        m_thread.join();
    }

private:
    Orx2Test::Gate m_done;
    std::thread m_thread; // last: started once the gate it waits on exists
};

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

private:
    std::atomic<std::uint64_t> m_count{0};
    mutable std::mutex m_mutex;
    std::string m_first; // guarded by m_mutex
};

/// Prints what a budget reached (to the test output and the XML report). In a plain build it also requires `required` operations, so that a
/// slowdown hiding behind the time budget is noticed where a minimum matters.
inline void ReportBudget(char const* name, Budget const& budget, std::uint64_t required = 0)
{
    std::cout << "[ stress   ] " << name << " = " << budget.Granted() << '\n';
    ::testing::Test::RecordProperty(name, std::to_string(budget.Granted()));
    if (!kSanitized)
    {
        EXPECT_GE(budget.Granted(), required) << name << ": the time budget ran out first";
    }
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
