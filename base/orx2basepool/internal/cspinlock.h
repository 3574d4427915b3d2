#pragma once
// A tiny lock for critical sections that only do pointer work.
#include <atomic>
#include <thread>

namespace Base::Internal
{
/// Re-entrant test-and-test-and-set lock that yields after a short spin. The owner's thread id is the
/// lock word: taking it free is one compare-and-swap, taking it again on the owning thread only counts
/// the depth. Used where the holder does pointer work (a signal's handler list), so waits are rare and
/// short; the one exception is a signal's handover action, which runs under it and may use the same
/// signal again on its own thread. Satisfies BasicLockable.
class CReentrantSpinLock
{
public:
    void lock() noexcept
    {
        std::thread::id const self = std::this_thread::get_id();
        std::thread::id seen{};
        if (!m_owner.compare_exchange_strong(seen, self, std::memory_order_acquire, std::memory_order_relaxed))
        {
            // Only this thread ever stores its own id, so seeing it means this thread holds the lock.
            if (seen == self)
            {
                ++m_depth;
                return;
            }
            LockContended(self);
        }
        m_depth = 1;
    }

    void unlock() noexcept
    {
        if (--m_depth == 0)
            m_owner.store(std::thread::id{}, std::memory_order_release);
    }

private:
    void LockContended(std::thread::id self) noexcept
    {
        for (int spins = 0;; ++spins)
        {
            std::thread::id seen{};
            if (m_owner.load(std::memory_order_relaxed) == seen &&
                m_owner.compare_exchange_weak(seen, self, std::memory_order_acquire, std::memory_order_relaxed))
                return;
            if (spins > 64)
                std::this_thread::yield();
        }
    }

    std::atomic<std::thread::id> m_owner{};
    unsigned m_depth = 0; // written by the owner only
};
} // namespace Base::Internal
