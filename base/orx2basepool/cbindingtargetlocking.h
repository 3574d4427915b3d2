#pragma once
#include "base/orx2basepool/csharedmutex.h"
#include "base/orx2basepool/csourcefile.h"

#include <memory>
#include <mutex>

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
    /// `destroyed` and releases the lock. Later callbacks find the flag and are dropped.
    void LockForDestruction() const
    {
        std::lock_guard<CSharedMutex> lock(m_targetLock->mutex);
        m_targetLock->destroyed = true;
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
