#include "cstormwatchdog.h"

#include <dirent.h>
#include <execinfo.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace Orx2Sim
{
namespace
{
std::atomic<long> g_dumping{0};    // the thread asked to print its stack now
std::atomic<bool> g_dumped{false}; // it has printed

long ThreadId()
{
    return static_cast<long>(syscall(SYS_gettid));
}

void Write(char const* text)
{
    ssize_t const ignored = write(STDERR_FILENO, text, std::strlen(text));
    static_cast<void>(ignored);
}

// Runs on the thread being asked: only async-signal-safe calls, and backtrace, which was primed.
void PrintStack(int)
{
    if (ThreadId() != g_dumping.load())
        return;
    void* frames[64];
    int const count = backtrace(frames, 64);
    backtrace_symbols_fd(frames, count, STDERR_FILENO);
    g_dumped = true;
}

std::vector<long> ThreadsOfProcess()
{
    std::vector<long> tids;
    if (DIR* const tasks = opendir("/proc/self/task"))
    {
        // NOLINTNEXTLINE(concurrency-mt-unsafe): the directory stream is this call's own
        while (dirent const* entry = readdir(tasks))
            if (entry->d_name[0] != '.')
                tids.push_back(std::strtol(entry->d_name, nullptr, 10));
        closedir(tasks);
    }
    return tids;
}
} // namespace

CStormWatchdog::CStormWatchdog(std::chrono::seconds limit) : m_limit(limit)
{
    void* frame[1];
    static_cast<void>(backtrace(frame, 1)); // loads what backtrace needs before a handler calls it
    struct sigaction action{};
    action.sa_handler = PrintStack;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGUSR2, &action, nullptr);
    m_thread = std::thread([this] { Run(); });
}

CStormWatchdog::~CStormWatchdog()
{
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_stopping = true;
    }
    m_stop.notify_all();
    m_thread.join();
}

std::size_t CStormWatchdog::Watch(std::string name)
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_slots.emplace_back();
    m_slots.back().name = std::move(name);
    m_slots.back().tid = ThreadId();
    m_slots.back().beats = 1;
    return m_slots.size() - 1;
}

void CStormWatchdog::Run()
{
    std::vector<std::uint64_t> seen;
    std::vector<std::chrono::steady_clock::time_point> since;
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stop.wait_for(lock, std::chrono::milliseconds(250), [this] { return m_stopping; }))
    {
        auto const now = std::chrono::steady_clock::now();
        seen.resize(m_slots.size(), 0);
        since.resize(m_slots.size(), now);
        for (std::size_t index = 0; index < m_slots.size(); ++index)
        {
            SSlot const& slot = m_slots[index];
            std::uint64_t const beats = slot.beats.load(std::memory_order_relaxed);
            if (beats != seen[index] || slot.done)
                seen[index] = beats, since[index] = now;
            else if (now - since[index] >= m_limit)
                Report(slot);
        }
    }
}

void CStormWatchdog::Report(SSlot const& stalled)
{
    std::fprintf(stderr,
                 "\norx2-sim storm: FINDING hang: thread '%s' (%ld) made no progress for %lld s; the stack of "
                 "every thread follows\n",
                 stalled.name.c_str(), stalled.tid, static_cast<long long>(m_limit.count()));
    std::fflush(stderr);
    for (long const tid : ThreadsOfProcess())
    {
        std::string name = "?";
        for (SSlot const& slot : m_slots)
            if (slot.tid == tid)
                name = slot.name;
        std::fprintf(stderr, "\n--- thread %ld %s%s\n", tid, name.c_str(), tid == ThreadId() ? " (watchdog)" : "");
        std::fflush(stderr);
        g_dumped = false;
        g_dumping = tid;
        if (syscall(SYS_tgkill, getpid(), tid, SIGUSR2) != 0)
            continue;
        for (int wait = 0; wait < 200 && !g_dumped; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (!g_dumped)
            Write("(the thread did not answer)\n");
    }
    char program[512] = {};
    ssize_t const length = readlink("/proc/self/exe", program, sizeof program - 1);
    std::fprintf(stderr, "\n(frames of the program itself: addr2line -f -C -i -e %s OFFSET)\n",
                 length > 0 ? program : "orx2-sim");
    std::fflush(stderr);
    std::_Exit(1);
}
} // namespace Orx2Sim
