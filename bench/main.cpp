// Benchmark entry point.
#include "benchsupport.h"

int main(int argc, char** argv)
{
    return Orx2Bench::RunBenchmarks(argc, argv);
}
