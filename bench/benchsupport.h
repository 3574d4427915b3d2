#pragma once
// Helpers shared by the benchmark files.
#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>

namespace Orx2Bench
{
/// A flag alone on its cache line, so the measuring thread and the background thread do not share a
/// line through it.
struct alignas(64) PaddedFlag
{
    std::atomic<bool> value{false};
};

/// Runs `work` in a loop on a second thread for as long as it lives.
class BackgroundLoop
{
public:
    template <class Work>
    explicit BackgroundLoop(Work work)
        : m_thread(
              [this, work]() mutable
              {
                  m_running.value.store(true);
                  while (!m_stop.value.load(std::memory_order_relaxed))
                      work();
              })
    {
        while (!m_running.value.load())
            std::this_thread::yield();
    }
    ~BackgroundLoop()
    {
        m_stop.value.store(true);
        m_thread.join();
    }
    BackgroundLoop(BackgroundLoop const&) = delete;
    BackgroundLoop& operator=(BackgroundLoop const&) = delete;

private:
    PaddedFlag m_stop;
    PaddedFlag m_running;
    std::thread m_thread;
};
/// The body of a benchmark program's main. One thread is started and joined before anything is
/// measured: until a process has had a second thread, libstdc++ skips atomic reference counting and
/// cheapens mutexes, which would make every single-threaded number look 1.5 to 2 times too good.
inline int RunBenchmarks(int& argc, char** argv)
{
    std::thread([] {}).join();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
} // namespace Orx2Bench
