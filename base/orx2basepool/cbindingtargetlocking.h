#pragma once
#include "base/orx2basepool/csharedmutex.h"
#include "base/orx2basepool/csourcefile.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

namespace Base::Binding::Internal
{
/// The lock of a binding target (an observer, a proxy). The lock object is shared so that a callback
/// arriving while its target is being destroyed can still take it, find `destroyed` set and skip the
/// call instead of touching a dead object.
class CBindingTargetLocking
{
public:
    struct DestructionProtectedLocking
    {
        CSharedMutex mutex;
        bool destroyed = false; // guarded by `mutex` (written under the writer lock)
        // The thread whose callback holds the writer lock (see CCallbackLock), else none.
        std::atomic<std::thread::id> callbackThread{};
    };

    /// The writer lock a callback holds while it runs; owns nothing when the target is destroyed. It
    /// tells the target's destruction which thread runs the callback, so that a callback may destroy
    /// its own target.
    class CCallbackLock
    {
    public:
        explicit CCallbackLock(DestructionProtectedLocking& target) : m_target(target), m_lock(target.mutex)
        {
            if (target.destroyed)
                m_lock.unlock();
            else
                target.callbackThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
        }
        ~CCallbackLock()
        {
            if (m_lock.owns_lock())
                m_target.callbackThread.store(std::thread::id{}, std::memory_order_relaxed);
        }
        CCallbackLock(CCallbackLock const&) = delete;
        CCallbackLock& operator=(CCallbackLock const&) = delete;

        bool owns_lock() const noexcept { return m_lock.owns_lock(); }

    private:
        DestructionProtectedLocking& m_target;
        std::unique_lock<CSharedMutex> m_lock;
    };

    CBindingTargetLocking() : m_targetLock(std::make_shared<DestructionProtectedLocking>()) {}
    CBindingTargetLocking(CBindingTargetLocking const&) = delete;
    CBindingTargetLocking& operator=(CBindingTargetLocking const&) = delete;

    /// Writer lock. Throws OrxException ("Trying to acquire lock on destructed object") once the target's
    /// destruction has begun.
    std::unique_lock<CSharedMutex> Lock() const;
    /// Reader lock. Throws as Lock.
    CSharedLock LockShared() const;
    /// Reader lock only if free at once (the result may own nothing). Throws as Lock.
    CSharedLock TryLockShared() const;

    /// Writer lock for a callback: owns nothing (and never throws) when the target is destroyed.
    static std::unique_lock<CSharedMutex> LockIfAlive(DestructionProtectedLocking& target)
    {
        std::unique_lock<CSharedMutex> lock(target.mutex);
        if (target.destroyed)
            lock.unlock();
        return lock;
    }

    /// Starts the target's destruction: takes the writer lock (waiting for a running callback), sets
    /// `destroyed` and releases the lock. Later callbacks find the flag and are dropped. Called from the
    /// target's own callback (which holds the lock on this thread), it only sets the flag: the callback
    /// completes as it returns.
    void LockForDestruction() const
    {
        DestructionProtectedLocking& target = *m_targetLock;
        // Only this thread stores its own id, so seeing it means this thread's callback holds the lock.
        if (target.callbackThread.load(std::memory_order_relaxed) == std::this_thread::get_id())
        {
            target.destroyed = true;
            return;
        }
        std::lock_guard<CSharedMutex> lock(target.mutex);
        target.destroyed = true;
    }

    /// The shared lock object, for callbacks that must outlive the target.
    std::shared_ptr<DestructionProtectedLocking> const& GetTargetLock() const noexcept { return m_targetLock; }

protected:
    ~CBindingTargetLocking() = default;

private:
    /// Releases `lock` and throws when the target is destroyed (and `lock` was taken).
    template <class TLock>
    void ThrowIfDestroyed(TLock& lock, int line, char const* function) const;

    std::shared_ptr<DestructionProtectedLocking> m_targetLock;
};

inline std::unique_lock<CSharedMutex> CBindingTargetLocking::Lock() const
{
    std::unique_lock<CSharedMutex> lock(m_targetLock->mutex);
    ThrowIfDestroyed(lock, __LINE__, "Base::Binding::Internal::CBindingTargetLocking::Lock");
    return lock;
}

inline CSharedLock CBindingTargetLocking::LockShared() const
{
    CSharedLock lock(m_targetLock->mutex);
    ThrowIfDestroyed(lock, __LINE__, "Base::Binding::Internal::CBindingTargetLocking::LockShared");
    return lock;
}

inline CSharedLock CBindingTargetLocking::TryLockShared() const
{
    CSharedLock lock(m_targetLock->mutex, std::try_to_lock);
    ThrowIfDestroyed(lock, __LINE__, "Base::Binding::Internal::CBindingTargetLocking::TryLockShared");
    return lock;
}

template <class TLock>
void CBindingTargetLocking::ThrowIfDestroyed(TLock& lock, int line, char const* function) const
{
    if (lock.owns_lock() && m_targetLock->destroyed)
    {
        lock.unlock();
        CSourceFile("base/orx2basepool/cbindingtargetlocking")
            .Throw(line, function, L"Trying to acquire lock on destructed object");
    }
}
} // namespace Base::Binding::Internal
