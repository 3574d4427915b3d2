#pragma once
// The argument-independent half of a signal connection: the call bookkeeping that a fire does around
// each handler call and that disconnect-and-wait waits on.
#include "base/orx2basepool/ieventsignalconnection.h"
#include "base/orx2basepool/internal/ccalltable.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace Base::Internal
{
class CEventConnectionCore;
class CFireFrame;

/// The innermost fire running on this thread, or null.
ORX2_SHARED_ACROSS_MODULES inline thread_local CFireFrame* t_innermostFire = nullptr;

/// One fire running on this thread, with the connection whose handler it is calling. The frames of
/// the fires on a thread (nested when a handler fires) form a list, innermost first: a wait on a
/// handler's own thread counts its own calls in it.
class CFireFrame
{
public:
// The frame lives on the fire's stack and takes itself off the list in its destructor; g++ cannot see
// that once the constructor is inlined.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#endif
    CFireFrame() noexcept : m_top(t_innermostFire), m_outer(m_top)
    {
        m_top = this;
    }
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 12
#pragma GCC diagnostic pop
#endif
    ~CFireFrame()
    {
        m_top = m_outer;
    }
    CFireFrame(CFireFrame const&) = delete;
    CFireFrame& operator=(CFireFrame const&) = delete;

    void Calling(CEventConnectionCore const* connection) noexcept
    {
        m_calling = connection;
    }

    /// The calls through `connection` that fires on this thread have begun and not ended.
    static std::uint32_t CallsOnThisThread(CEventConnectionCore const* connection) noexcept
    {
        std::uint32_t calls = 0;
        for (CFireFrame const* frame = t_innermostFire; frame != nullptr; frame = frame->m_outer)
            calls += frame->m_calling == connection ? 1 : 0;
        return calls;
    }

private:
    CFireFrame*& m_top;
    CFireFrame* const m_outer;
    CEventConnectionCore const* m_calling = nullptr;
};

/// Mutexes and condition variables that connections share, picked by address: a connection needs one
/// only while someone waits for its calls or while it reads its expiry watches, so none carries its own.
/// One table for the whole process (a call may end in one module and its waiter sleep in another);
/// made on first use and never destroyed, so signals of static objects may use it to the end.
class CConnectionWaitTable
{
public:
    struct alignas(64) Slot
    {
        std::mutex mutex;
        std::condition_variable changed; // notified (all) when a call ends that someone waits for
    };

    ORX2_SHARED_ACROSS_MODULES static Slot& For(void const* connection)
    {
        static CConnectionWaitTable* const table = new CConnectionWaitTable();
        auto const address = reinterpret_cast<std::uintptr_t>(connection);
        return table->m_slots[((address >> 4) ^ (address >> 10)) % kSlots];
    }

private:
    static constexpr std::size_t kSlots = 32;
    Slot m_slots[kSlots];
};

/// Call bookkeeping of one connection.
///
/// A fire announces each call in its thread's slot of the call table (CCallTable) and then reads the
/// connection's flags: no read-modify-write per call. Fires nested deeper than the table's slots, and
/// connections with expiry watches, count their calls in the flag word instead: there the flag and the
/// count share one atomic word, so admitting a call is one step. Either way disconnect-and-wait is exact:
/// once the disconnected bit is set, the waiter waits only while another thread's slot names the
/// connection or a counted call is in progress. A mutex and condition variable (shared, see
/// CConnectionWaitTable) are touched only by connections with expiry watches and by someone who waits.
class CEventConnectionCore
{
public:
    /// Strong references to the watched objects, held for the duration of one admitted call.
    using KeepAlive = std::vector<std::shared_ptr<void>>;

    CEventConnectionCore() = default;
    CEventConnectionCore(CEventConnectionCore const&) = delete;
    CEventConnectionCore& operator=(CEventConnectionCore const&) = delete;

    /// Sets the disconnected flag. Returns true for the call that set it first.
    bool MarkDisconnected() noexcept
    {
        return (m_state.fetch_or(kDisconnected, std::memory_order_acq_rel) & kDisconnected) == 0;
    }

    bool IsDisconnected() const noexcept
    {
        return (m_state.load(std::memory_order_acquire) & kDisconnected) != 0;
    }

    /// For a fire that announced the call in its slot: whether the call may go ahead without counting
    /// (not disconnected, no expiry watches), read after the fire's barrier.
    bool MayCallUncounted() const noexcept
    {
        return (m_state.load(std::memory_order_acquire) & (kDisconnected | kWatched)) == 0;
    }
    bool IsWatchedAndConnected() const noexcept
    {
        return (m_state.load(std::memory_order_acquire) & (kDisconnected | kWatched)) == kWatched;
    }

    /// After a slot let go of this connection (and the fire's barrier): wakes a waiter, if any.
    void WakeWaiterIfAny() noexcept
    {
        if ((m_state.load(std::memory_order_relaxed) & kWaiting) == 0)
            return;
        CConnectionWaitTable::Slot& slot = CConnectionWaitTable::For(this);
        std::lock_guard<std::mutex> lock(slot.mutex);
        slot.changed.notify_all();
    }

    /// Admits one call: false when disconnected or when a watched object has expired; else the call is
    /// counted (and, with watches, `keepAlive` holds the watched objects).
    bool BeginCall(KeepAlive& keepAlive)
    {
        // Count first and look second: one atomic step in the common case. A call counted by mistake
        // (disconnected, or watches to check) is uncounted again; a waiter may see it for a moment,
        // which only delays its return until the uncount.
        std::uint32_t const previous = m_state.fetch_add(kCallUnit, std::memory_order_acq_rel);
        if ((previous & (kDisconnected | kWatched)) == 0)
            return true;
        EndCall();
        if ((previous & kDisconnected) != 0)
            return false;
        return BeginWatchedCall(keepAlive);
    }

    /// Ends a call admitted by BeginCall; wakes the waiters, if any (a waiter that is itself inside a
    /// call waits for the count to fall to its own calls, not to zero).
    void EndCall() noexcept
    {
        std::uint32_t const previous = m_state.fetch_sub(kCallUnit, std::memory_order_acq_rel);
        if ((previous & kWaiting) != 0)
        {
            // Taking the mutex orders this wake-up after the waiter's predicate check.
            CConnectionWaitTable::Slot& slot = CConnectionWaitTable::For(this);
            std::lock_guard<std::mutex> lock(slot.mutex);
            slot.changed.notify_all();
        }
    }

    /// Blocks until no call is in progress on another thread. Calls on this thread (the caller is
    /// inside them: a handler stopping itself) cannot end while it waits, and end as they return.
    /// Callers disconnect first, so no new call is admitted: a fire that announces one now sees the flag.
    void WaitForCallsToFinish()
    {
        std::uint32_t const own = CFireFrame::CallsOnThisThread(this);
        // Marked before the barrier: a fire whose slot the scan below still sees will see the mark
        // when it lets go, and wake this waiter.
        m_state.fetch_or(kWaiting, std::memory_order_seq_cst);
        CCallTable::WaiterBarrier();
        auto const finished = [this, own]
        { return CallsInProgress() <= own && !CCallTable::IsCalledOnAnotherThread(this); };
        if (finished())
            return;
        CConnectionWaitTable::Slot& slot = CConnectionWaitTable::For(this);
        std::unique_lock<std::mutex> lock(slot.mutex);
        slot.changed.wait(lock, finished);
    }

    void AddExpiryWatch(std::weak_ptr<void> watched)
    {
        std::lock_guard<std::mutex> lock(CConnectionWaitTable::For(this).mutex);
        m_expiryWatch.push_back(std::move(watched));
        m_state.fetch_or(kWatched, std::memory_order_acq_rel);
    }

    std::uint32_t CallsInProgress() const noexcept
    {
        return m_state.load(std::memory_order_acquire) >> kCountShift;
    }

private:
    static constexpr std::uint32_t kDisconnected = 1u;
    static constexpr std::uint32_t kWatched = 2u;
    static constexpr std::uint32_t kWaiting = 4u;
    static constexpr std::uint32_t kCountShift = 3u;
    static constexpr std::uint32_t kCallUnit = 1u << kCountShift;

    bool BeginWatchedCall(KeepAlive& keepAlive)
    {
        if (!AdmitWatchedCall(keepAlive))
        {
            keepAlive.clear(); // outside the lock: this may destroy a watched object
            return false;
        }
        return true;
    }

    bool AdmitWatchedCall(KeepAlive& keepAlive)
    {
        std::lock_guard<std::mutex> lock(CConnectionWaitTable::For(this).mutex);
        keepAlive.reserve(m_expiryWatch.size());
        for (auto const& watched : m_expiryWatch)
        {
            // Alive means owned: a live owner may store a null pointer (an aliasing pointer, a lifetime
            // token made from nullptr), so the count is asked, not the pointer.
            std::shared_ptr<void> strong = watched.lock();
            if (strong.use_count() == 0)
                return false;
            keepAlive.push_back(std::move(strong));
        }
        // The flag and the count change in one step here too, so a concurrent disconnect-and-wait
        // either sees this call counted or this call sees the flag.
        std::uint32_t state = m_state.load(std::memory_order_acquire);
        while ((state & kDisconnected) == 0)
        {
            if (m_state.compare_exchange_weak(state, state + kCallUnit, std::memory_order_acq_rel,
                                              std::memory_order_acquire))
                return true;
        }
        return false;
    }

    std::atomic<std::uint32_t> m_state{0};
    std::vector<std::weak_ptr<void>> m_expiryWatch; // guarded by this connection's wait-table mutex
};

/// One fire's calls announced in its slot of the call table (see CCallTable): Admit names the connection
/// in the slot and reads its flags; the call ends (also by an exception) when the next Admit or the
/// scope's end lets go of it, waking a waiter.
class CAnnouncedCalls
{
public:
    explicit CAnnouncedCalls(CCallTable::SSlot slot) noexcept : m_slot(slot) {}
    ~CAnnouncedCalls() { LetGo(); }
    CAnnouncedCalls(CAnnouncedCalls const&) = delete;
    CAnnouncedCalls& operator=(CAnnouncedCalls const&) = delete;

    bool HasSlot() const noexcept { return m_slot.calling != nullptr; }

    /// True when `core`'s handler may be called now, uncounted; false when it is disconnected or must
    /// be counted (expiry watches): its slot is clear again then.
    bool Admit(CEventConnectionCore& core) noexcept
    {
        CEventConnectionCore* const previous = std::exchange(m_current, &core);
        // One store lets go of the previous call and names this one. Release: a waiter that reads the
        // slot sees everything the fire did before (the previous handler's effects).
        m_slot.calling->store(&core, std::memory_order_release);
        CCallTable::FireBarrier(m_slot.fullFence);
        if (previous != nullptr)
            previous->WakeWaiterIfAny();
        if (core.MayCallUncounted())
            return true;
        LetGo();
        return false;
    }

private:
    void LetGo() noexcept
    {
        if (m_current == nullptr)
            return;
        m_slot.calling->store(nullptr, std::memory_order_release);
        CCallTable::FireBarrier(m_slot.fullFence);
        std::exchange(m_current, nullptr)->WakeWaiterIfAny();
    }

    CCallTable::SSlot const m_slot;
    CEventConnectionCore* m_current = nullptr;
};

/// Counts one admitted call for as long as it lives, also when the handler throws, and marks it in the
/// fire's frame.
class CEventCallScope
{
public:
    CEventCallScope(CEventConnectionCore& core, CFireFrame& frame) noexcept : m_core(core), m_frame(frame)
    {
        frame.Calling(&core);
    }
    ~CEventCallScope()
    {
        m_core.EndCall();
        m_frame.Calling(nullptr);
    }
    CEventCallScope(CEventCallScope const&) = delete;
    CEventCallScope& operator=(CEventCallScope const&) = delete;

private:
    CEventConnectionCore& m_core;
    CFireFrame& m_frame;
};
} // namespace Base::Internal
