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
    bool IsOpen() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_open;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_open = false;
};

/// Polls `condition` until it holds or the time-out passes.
template <class Condition>
bool Eventually(Condition&& condition, std::chrono::milliseconds timeout = 10s)
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

/// Runs `body` on a thread of its own and stops the process, naming `what`, if it has not returned
/// within the time-out: a thread that waits for itself can be neither joined nor cancelled, and this
/// way the test fails instead of hanging.
template <class Body>
void RunBounded(std::string const& what, Body&& body, std::chrono::milliseconds timeout = 10s)
{
    Gate returned;
    std::thread thread([&] {
        body();
        returned.Open();
    });
    if (!returned.Wait(timeout))
    {
        std::fprintf(stderr, "did not return within %lld ms (deadlock): %s\n",
                     static_cast<long long>(timeout.count()), what.c_str());
        std::abort();
    }
    thread.join();
}

/// A thread that is always joined, also when a test assertion returns early.
class ScopedThread
{
public:
    template <class F>
    explicit ScopedThread(F&& f) : m_thread(std::forward<F>(f))
    {
    }
    ScopedThread(ScopedThread&&) = default;
    ~ScopedThread()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    void Join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};
} // namespace Orx2Test
