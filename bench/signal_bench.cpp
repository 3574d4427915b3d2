// Our event signal side by side with Boost.Signals2 (thread-safe) and libsigc++ (not thread-safe).
#include "bench/benchsupport.h"

#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/teventsignal.h"
#include "base/orx2basepool/internal/cspinlock.h"

#include <benchmark/benchmark.h>

#include <mutex>
#include <vector>

#if ORX2_BENCH_HAVE_BOOST
#include <boost/signals2.hpp>
#endif
#if ORX2_BENCH_HAVE_SIGC
#include <sigc++/sigc++.h>
#endif

namespace
{
void Sink(int value)
{
    benchmark::DoNotOptimize(value);
}

struct OursSignal
{
    Base::TEventSignal<int> signal;
    std::vector<Base::CScopedEventSignalConnection> connections;

    void ConnectSinks(int count)
    {
        for (int i = 0; i < count; ++i)
            connections.emplace_back(signal.Connect(Base::MakeEventSignalHandler<int>([](int v) { Sink(v); })));
    }
    void Emit(int v) { signal.Fire(v); }
    void ConnectDisconnectOne()
    {
        auto connection = signal.Connect(Base::MakeEventSignalHandler<int>([](int v) { Sink(v); }));
        connection->Disconnect();
    }
};

#if ORX2_BENCH_HAVE_BOOST
struct BoostSignal
{
    boost::signals2::signal<void(int)> signal;
    std::vector<boost::signals2::scoped_connection> connections;

    void ConnectSinks(int count)
    {
        for (int i = 0; i < count; ++i)
            connections.emplace_back(signal.connect([](int v) { Sink(v); }));
    }
    void Emit(int v) { signal(v); }
    void ConnectDisconnectOne()
    {
        auto connection = signal.connect([](int v) { Sink(v); });
        connection.disconnect();
    }
};
#endif

#if ORX2_BENCH_HAVE_SIGC
struct SigcSignal
{
    sigc::signal<void(int)> signal;
    std::vector<sigc::connection> connections; // the signal disconnects them when it goes

    void ConnectSinks(int count)
    {
        for (int i = 0; i < count; ++i)
            connections.emplace_back(signal.connect([](int v) { Sink(v); }));
    }
    void Emit(int v) { signal.emit(v); }
    void ConnectDisconnectOne()
    {
        auto connection = signal.connect([](int v) { Sink(v); });
        connection.disconnect();
    }
};
#endif

template <class S>
void Emit(benchmark::State& state)
{
    S s;
    s.ConnectSinks(static_cast<int>(state.range(0)));
    int v = 0;
    for (auto _ : state)
        s.Emit(++v);
}

template <class S>
void ConnectDisconnect(benchmark::State& state)
{
    S s;
    s.ConnectSinks(8);
    for (auto _ : state)
        s.ConnectDisconnectOne();
}

template <class S>
void ConcurrentEmit(benchmark::State& state)
{
    S s;
    s.ConnectSinks(8);
    Orx2Bench::BackgroundLoop other([&s] { s.Emit(1); });
    int v = 0;
    for (auto _ : state)
        s.Emit(++v);
}
/// The handler-list lock taken and released once, free and on one thread: what every fire and change
/// pays for it. The re-entrant spin lock beside the standard recursive mutex.
template <class Lock>
void ListLock(benchmark::State& state)
{
    Lock lock;
    for (auto _ : state)
    {
        lock.lock();
        benchmark::ClobberMemory();
        lock.unlock();
    }
}
} // namespace

BENCHMARK_TEMPLATE(ListLock, Base::Internal::CReentrantSpinLock)->Name("ListLock/Ours");
BENCHMARK_TEMPLATE(ListLock, std::recursive_mutex)->Name("ListLock/RecursiveMutex");
BENCHMARK_TEMPLATE(Emit, OursSignal)->Name("Emit/Ours")->Arg(1)->Arg(8);
BENCHMARK_TEMPLATE(ConnectDisconnect, OursSignal)->Name("ConnectDisconnect8/Ours");
BENCHMARK_TEMPLATE(ConcurrentEmit, OursSignal)->Name("ConcurrentEmit8/Ours")->UseRealTime();
#if ORX2_BENCH_HAVE_BOOST
BENCHMARK_TEMPLATE(Emit, BoostSignal)->Name("Emit/Boost")->Arg(1)->Arg(8);
BENCHMARK_TEMPLATE(ConnectDisconnect, BoostSignal)->Name("ConnectDisconnect8/Boost");
BENCHMARK_TEMPLATE(ConcurrentEmit, BoostSignal)->Name("ConcurrentEmit8/Boost")->UseRealTime();
#endif
#if ORX2_BENCH_HAVE_SIGC
BENCHMARK_TEMPLATE(Emit, SigcSignal)->Name("Emit/Sigc")->Arg(1)->Arg(8);
BENCHMARK_TEMPLATE(ConnectDisconnect, SigcSignal)->Name("ConnectDisconnect8/Sigc");
#endif
