#pragma once
// Which connection each thread's fires are calling right now: what disconnect-and-wait on another thread
// looks at, so that a fire pays no atomic read-modify-write per handler.
#include "host/orx2hostexport.h"

#include <atomic>

// State that must be one per process, not one per module: a handler may be fired by code of one shared
// library and waited for in code of another.
#if defined(__GNUC__) && !defined(_WIN32)
#define ORX2_SHARED_ACROSS_MODULES __attribute__((visibility("default")))
#define ORX2_STATIC_TLS __attribute__((tls_model("initial-exec")))
#else
#define ORX2_SHARED_ACROSS_MODULES
#define ORX2_STATIC_TLS
#endif

// ThreadSanitizer models no fences and no membarrier: under it, the call table orders through atomics it
// does model.
#if defined(__SANITIZE_THREAD__)
#define ORX2_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ORX2_THREAD_SANITIZER 1
#endif
#endif
#ifndef ORX2_THREAD_SANITIZER
#define ORX2_THREAD_SANITIZER 0
#endif

namespace Base
{
/// The process-wide table of calls in progress: every thread that fires owns one record with a slot per
/// nesting level of its fires; a fire writes into its slot the connection whose handler it is about to
/// call, and clears it after the call. A waiter marks the connection disconnected, then looks for it in
/// the other threads' slots.
///
/// Ordering, the way it is paid: a fire stores its slot and then reads the connection's flags, a waiter
/// stores the flag and then reads the slots. One of the two must see the other's store. On Linux the
/// fires pay only a compiler barrier and the waiter pays for both sides with one membarrier call, which
/// makes every running thread of the process pass a full barrier. Where the process cannot use it, fires
/// fall back to a full fence per call. Either way, a fire runs no read-modify-write per handler, and the
/// waits stay exact: a waiter waits only while a slot names its connection.
///
/// The records live in ORX2_Host; each thread reaches its own through one variable in the static TLS
/// block, shared by every module. Outside namespace Internal, because it is exported.
class ORX2_HOST_EXPORT CCallTable
{
public:
    /// Nesting levels with a slot of their own; deeper fires count their calls on the connection.
    static constexpr unsigned kDepth = 16;

    /// One thread's slots. Records are never freed: a thread that ends gives its record back for the
    /// next thread, so waiters may read every record at any time.
    struct alignas(64) SThreadCalls
    {
        std::atomic<void const*> calling[kDepth] = {}; ///< per nesting level, the connection being called
        std::atomic<bool> used{true};                  ///< a thread owns the record
        SThreadCalls* next = nullptr;                  ///< the next record; fixed once the record is listed
    };

    /// The slot a fire publishes its calls in, and which barrier the publication needs.
    struct SSlot
    {
        std::atomic<void const*>* calling; ///< null for a fire nested deeper than kDepth
        bool fullFence;                    ///< the process has no asymmetric barrier: fence per call
    };

    /// The calling thread's fires: their nesting depth, its record (null until its first fire) and the
    /// barrier its fires use.
    struct SThreadFires
    {
        unsigned depth;       ///< fires running on the thread, nested
        SThreadCalls* record; ///< the thread's record, null until its first fire
        bool fullFence;       ///< its fires fence per call (no asymmetric barrier)
    };

    /// A fire starts on this thread: its nesting level's slot (a thread's first fire takes a record, the
    /// process's first fire decides the barrier). Never throws (without memory for a record, every fire
    /// of the thread counts its calls instead).
    static SSlot EnterFire() noexcept;
    /// The fire that entered last on this thread ends.
    static void LeaveFire() noexcept;

    /// The waiter's half of the ordering: after it returns, every other thread's slot stores made before
    /// the waiter's stores are visible, and its later flag reads see them.
    static void WaiterBarrier() noexcept;
    /// Whether a thread other than the calling one has `connection` in a slot.
    static bool IsCalledOnAnotherThread(void const* connection) noexcept;

    /// The fire's half of the ordering, between a slot store and a flag read (and back).
    static void FireBarrier(bool fullFence) noexcept
    {
        if (fullFence)
            FullFence();
        else
            std::atomic_signal_fence(std::memory_order_seq_cst);
    }

    /// A full fence; under ThreadSanitizer (which refuses fences) a sequentially consistent
    /// read-modify-write of one process-wide word, which orders the same and which it models.
    static void FullFence() noexcept
    {
#if ORX2_THREAD_SANITIZER
        s_fenceWord.fetch_add(0, std::memory_order_seq_cst);
#else
        std::atomic_thread_fence(std::memory_order_seq_cst);
#endif
    }

private:
    /// Takes a record for the calling thread (and decides the barrier); null without memory.
    static SThreadCalls* TakeRecordForThisThread() noexcept;

#if ORX2_THREAD_SANITIZER
    static std::atomic<unsigned> s_fenceWord;
#endif
};

/// The calling thread's fires (see CCallTable::SThreadFires).
ORX2_SHARED_ACROSS_MODULES inline thread_local CCallTable::SThreadFires t_threadFires ORX2_STATIC_TLS = {
    0, nullptr, true};

inline CCallTable::SSlot CCallTable::EnterFire() noexcept
{
    unsigned const level = t_threadFires.depth++;
    if (level >= kDepth)
        return SSlot{nullptr, true};
    SThreadCalls* record = t_threadFires.record;
    if (record == nullptr && (record = TakeRecordForThisThread()) == nullptr)
        return SSlot{nullptr, true};
    return SSlot{&record->calling[level], t_threadFires.fullFence};
}

inline void CCallTable::LeaveFire() noexcept
{
    --t_threadFires.depth;
}
} // namespace Base
