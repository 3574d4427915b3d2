// Benchmark entry point. One thread is started and joined before anything is measured: until a
// process has had a second thread, libstdc++ skips atomic reference counting and cheapens mutexes,
// which would make every single-threaded number look 1.5 to 2 times too good.
#include <benchmark/benchmark.h>

#include <thread>

int main(int argc, char** argv)
{
    std::thread([] {}).join();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
