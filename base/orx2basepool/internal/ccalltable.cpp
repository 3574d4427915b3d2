#include "base/orx2basepool/internal/ccalltable.h"

#include <mutex>
#include <new>

#if defined(__linux__)
#include <linux/membarrier.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace Base
{
#if ORX2_THREAD_SANITIZER
std::atomic<unsigned> CCallTable::s_fenceWord{0};
#endif

namespace
{
using SThreadCalls = CCallTable::SThreadCalls;

std::atomic<SThreadCalls*> g_records{nullptr};

enum class EBarrier
{
    Undecided,
    Asymmetric,
    Fence
};
std::atomic<EBarrier> g_barrier{EBarrier::Undecided};
std::once_flag g_barrierDecided;

EBarrier DecideBarrier() noexcept
{
    std::call_once(g_barrierDecided,
                   []
                   {
                       EBarrier barrier = EBarrier::Fence;
#if defined(__linux__) && defined(SYS_membarrier) && !ORX2_THREAD_SANITIZER
                       if (syscall(SYS_membarrier, MEMBARRIER_CMD_REGISTER_PRIVATE_EXPEDITED, 0, 0) == 0)
                           barrier = EBarrier::Asymmetric;
#endif
                       g_barrier.store(barrier, std::memory_order_release);
                   });
    return g_barrier.load(std::memory_order_acquire);
}

/// Gives the thread's record back when the thread ends.
struct SRecordLease
{
    SThreadCalls* record = nullptr;
    ~SRecordLease()
    {
        if (record == nullptr)
            return;
        t_threadFires.record = nullptr;
        record->used.store(false, std::memory_order_release);
    }
};

SThreadCalls* TakeFreeOrNewRecord() noexcept
{
    for (SThreadCalls* record = g_records.load(std::memory_order_acquire); record != nullptr;
         record = record->next)
    {
        bool free = false;
        if (!record->used.load(std::memory_order_relaxed) &&
            record->used.compare_exchange_strong(free, true, std::memory_order_acquire))
            return record;
    }
    auto* const record = new (std::nothrow) SThreadCalls();
    if (record == nullptr)
        return nullptr;
    record->next = g_records.load(std::memory_order_relaxed);
    while (!g_records.compare_exchange_weak(record->next, record, std::memory_order_release,
                                            std::memory_order_relaxed))
    {
    }
    return record;
}
} // namespace

CCallTable::SThreadCalls* CCallTable::TakeRecordForThisThread() noexcept
{
    bool const fullFence = DecideBarrier() != EBarrier::Asymmetric;
    SThreadCalls* const record = TakeFreeOrNewRecord();
    if (record == nullptr)
        return nullptr;
    try
    {
        thread_local SRecordLease lease;
        lease.record = record;
    }
    catch (...)
    {
        record->used.store(false, std::memory_order_release);
        return nullptr;
    }
    t_threadFires.record = record;
    t_threadFires.fullFence = fullFence;
    return record;
}

void CCallTable::WaiterBarrier() noexcept
{
#if defined(__linux__) && defined(SYS_membarrier) && !ORX2_THREAD_SANITIZER
    if (DecideBarrier() == EBarrier::Asymmetric &&
        syscall(SYS_membarrier, MEMBARRIER_CMD_PRIVATE_EXPEDITED, 0, 0) == 0)
        return;
#endif
    FullFence();
}

bool CCallTable::IsCalledOnAnotherThread(void const* connection) noexcept
{
    SThreadCalls const* const own = t_threadFires.record;
    for (SThreadCalls const* record = g_records.load(std::memory_order_acquire); record != nullptr;
         record = record->next)
    {
        if (record == own)
            continue;
        for (auto const& slot : record->calling)
            if (slot.load(std::memory_order_acquire) == connection)
                return true;
    }
    return false;
}
} // namespace Base
