#pragma once
// Small helpers that keep multithreaded tests bounded: nothing here waits without a time-out.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace Orx2Test
{
using namespace std::chrono_literals;

/// A one-shot latch with time-outs. Wait returns false when the time-out passes first.
class Gate
{
public:
    void Open()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_open = true;
        }
        m_cv.notify_all();
    }
    bool Wait(std::chrono::milliseconds timeout = 10s)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_cv.wait_for(lock, timeout, [this] { return m_open; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_open = false;
};

/// Polls `condition` until it holds or the time-out passes.
template <class Condition> bool Eventually(Condition&& condition, std::chrono::milliseconds timeout = 10s)
{
    auto const deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

/// A thread that is always joined, also when a test assertion returns early.
class ScopedThread
{
public:
    template <class F> explicit ScopedThread(F&& f) : m_thread(std::forward<F>(f)) {}
    ScopedThread(ScopedThread&&) = default;
    ~ScopedThread() { Join(); }
    void Join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};

/// Aborts the process, naming `what`, when it is not destroyed within `limit` (by default longer than a
/// stress test's time budget, shorter than the test runner's time-out): a deadlock in a wait that has no
/// time-out of its own (disconnect-and-wait, a destructor waiting for a callback) then fails the test
/// with a message instead of hanging until the test runner kills it.
class Watchdog
{
public:
    explicit Watchdog(std::string what, std::chrono::milliseconds limit = 60s)
        : m_thread(
              [this, what = std::move(what), limit]
              {
                  if (m_done.Wait(limit))
                      return;
                  std::fprintf(stderr, "hung (deadlock?): %s did not finish within %lld ms\n", what.c_str(),
                               static_cast<long long>(limit.count()));
                  std::abort();
              })
    {
    }
    ~Watchdog() { m_done.Open(); } // then the thread is joined

private:
    Gate m_done;
    ScopedThread m_thread; // last: started once the gate it waits on exists
};

/// Runs `body` on a thread of its own and stops the process, naming `what`, if it has not returned
/// within the time-out: a thread that waits for itself can be neither joined nor cancelled, and this
/// way the test fails instead of hanging.
template <class Body>
void RunBounded(std::string const& what, Body&& body, std::chrono::milliseconds timeout = 10s)
{
    Watchdog const watchdog(what, timeout);
    ScopedThread(std::forward<Body>(body)).Join();
}
} // namespace Orx2Test
