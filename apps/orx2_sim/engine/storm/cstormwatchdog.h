#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace Orx2Sim
{
/// Turns a hang into a report: every watched thread beats after each operation; when one has not
/// beaten for the limit, every thread of the process prints its stack (a signal to each, glibc's
/// backtrace in the handler) and the process exits with status 1.
///
/// Thread-safety: Watch and Beat from the watched thread, Done from any; one watchdog per process.
class CStormWatchdog
{
public:
    explicit CStormWatchdog(std::chrono::seconds limit);
    ~CStormWatchdog();
    CStormWatchdog(CStormWatchdog const&) = delete;
    CStormWatchdog& operator=(CStormWatchdog const&) = delete;

    /// A slot for the calling thread, named for the report; beats once.
    std::size_t Watch(std::string name);
    void Beat(std::size_t slot) { m_slots[slot].beats.fetch_add(1, std::memory_order_relaxed); }
    /// The thread of `slot` has finished: it is no longer expected to beat.
    void Done(std::size_t slot) { m_slots[slot].done = true; }

private:
    struct SSlot
    {
        std::string name;
        long tid = 0;
        std::atomic<std::uint64_t> beats{0};
        std::atomic<bool> done{false};
    };

    void Run();
    [[noreturn]] void Report(SSlot const& stalled);

    std::chrono::seconds const m_limit;
    std::mutex m_mutex;
    std::condition_variable m_stop;
    bool m_stopping = false;
    std::deque<SSlot> m_slots; // grows only; elements never move
    std::thread m_thread;      // last: started once the rest exists
};
} // namespace Orx2Sim
