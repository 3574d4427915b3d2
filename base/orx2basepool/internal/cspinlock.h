#pragma once
// A tiny lock for critical sections that only copy or swap a pointer.
#include <atomic>
#include <thread>

namespace Base::Internal
{
/// Test-and-test-and-set lock that yields after a short spin. Used only where the holder does pointer
/// work (a signal's handler-list pointer), so it is cheaper than a mutex and waits are rare and short.
/// Not recursive. Satisfies BasicLockable.
class CSpinLock
{
public:
    void lock() noexcept
    {
        for (int spins = 0; m_locked.exchange(true, std::memory_order_acquire); ++spins)
        {
            while (m_locked.load(std::memory_order_relaxed))
            {
                if (++spins > 64)
                    std::this_thread::yield();
            }
        }
    }
    void unlock() noexcept { m_locked.store(false, std::memory_order_release); }

private:
    std::atomic<bool> m_locked{false};
};
} // namespace Base::Internal
