// Replaces the global allocation functions of this test binary so tests can observe allocations made
// on their own thread, including those made inside the host library.
#include "hosttestsupport.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace
{
thread_local std::size_t t_largest = 0;
} // namespace

void* operator new(std::size_t size)
{
    t_largest = std::max(t_largest, size);
    if (void* const memory = std::malloc(size != 0 ? size : 1))
    {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace HostTest
{
CAllocationProbe::CAllocationProbe()
{
    t_largest = 0;
}

std::size_t CAllocationProbe::GetLargest() const
{
    return t_largest;
}
} // namespace HostTest
