#pragma once
// The one assertion the fuzz targets use: a broken invariant aborts, so that libFuzzer records the input
// that broke it as a crash.
#include <cstddef>
#include <cstdio>
#include <cstdlib>

// The allocation hooks some targets watch their allocations with.
#if __has_include(<sanitizer/allocator_interface.h>)
#include <sanitizer/allocator_interface.h>
#else
// g++ ships the sanitizers' runtime with this hook but not the header that declares it.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(void const volatile*, std::size_t),
                                                         void (*free_hook)(void const volatile*));
#endif

#define ORX2_FUZZ_CHECK(condition)                                                                           \
    do                                                                                                       \
    {                                                                                                        \
        if (!(condition))                                                                                    \
        {                                                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);               \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)
