#pragma once
// The one assertion the fuzz targets use: a broken invariant aborts, so that libFuzzer records the input
// that broke it as a crash.
#include <cstdio>
#include <cstdlib>

#define ORX2_FUZZ_CHECK(condition)                                                                           \
    do                                                                                                       \
    {                                                                                                        \
        if (!(condition))                                                                                    \
        {                                                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);               \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)
