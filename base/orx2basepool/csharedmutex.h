#pragma once
#include "base/orx2basepool/inoncopyable.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <utility>

namespace Base
{
/// The reader/writer lock of every binding source and binding target.
///
/// A writer keeps the inner mutex locked for its whole section, so new readers (which take the mutex
/// briefly to count themselves) wait exactly while a writer is inside. A writer that finds readers
/// waits on a condition until the last one leaves. `unlock_and_lock_shared` turns a writer section
/// into a reader lock without a gap: sources use it to deliver a change while still excluding writers.
/// Waiting writers are woken one at a time (by the last reader leaving, or by the writer before them);
/// readers never wait on a condition. Satisfies the standard Lockable and SharedLockable requirements.
/// Failing thread primitives raise std::system_error.
class CSharedMutex : public INonCopyable
{
public:
    CSharedMutex() = default;

    /// Writer lock.
    void lock()
    {
        m_mutex.lock();
        if (m_readers != 0)
        {
            std::unique_lock<std::mutex> held(m_mutex, std::adopt_lock);
            ++m_waitingWriters;
            m_writersCondition.wait(held, [this] { return m_readers == 0; });
            --m_waitingWriters;
            held.release();
        }
    }

    /// Takes the writer lock if it is free now (no writer, no reader); never waits.
    bool try_lock()
    {
        if (!m_mutex.try_lock())
            return false;
        if (m_readers == 0)
            return true;
        m_mutex.unlock();
        return false;
    }

    /// Writer unlock: hands over to the next waiting writer, if any.
    void unlock()
    {
        bool const wakeWriter = m_waitingWriters != 0;
        m_mutex.unlock();
        if (wakeWriter)
            m_writersCondition.notify_one();
    }

    /// Reader lock: waits only while a writer holds its section.
    void lock_shared()
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        ++m_readers;
    }

    /// Reader lock only if no writer holds its section at this moment; never waits.
    bool try_lock_shared()
    {
        std::unique_lock<std::mutex> guard(m_mutex, std::try_to_lock);
        if (!guard.owns_lock())
            return false;
        ++m_readers;
        return true;
    }

    /// Releases a reader lock; wakes a waiting writer when it was the last reader.
    void unlock_shared()
    {
        bool wakeWriter = false;
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            wakeWriter = --m_readers == 0 && m_waitingWriters != 0;
        }
        if (wakeWriter)
            m_writersCondition.notify_one();
    }

    /// Turns the caller's writer lock into a reader lock; no other writer can get in between.
    void unlock_and_lock_shared()
    {
        ++m_readers;
        m_mutex.unlock();
    }

private:
    std::int32_t m_readers = 0;        // guarded by m_mutex
    std::int32_t m_waitingWriters = 0; // guarded by m_mutex
    std::mutex m_mutex;
    std::condition_variable m_writersCondition;
};

/// A movable reader lock on a CSharedMutex, as std::shared_lock. May own nothing (a failed try-lock).
class CSharedLock : public INonCopyable
{
public:
    CSharedLock() noexcept = default;
    /// Waits for a reader lock on `mutex` and owns it.
    explicit CSharedLock(CSharedMutex& mutex) : m_mutex(&mutex)
    {
        mutex.lock_shared();
        m_owns = true;
    }
    /// Tries a reader lock on `mutex` without waiting; owns it when that succeeded.
    CSharedLock(CSharedMutex& mutex, std::try_to_lock_t) : m_mutex(&mutex), m_owns(mutex.try_lock_shared()) {}
    /// Owns the reader lock the caller already holds on `mutex`.
    CSharedLock(CSharedMutex& mutex, std::adopt_lock_t) noexcept : m_mutex(&mutex), m_owns(true) {}
    /// Refers to `mutex` without locking it.
    CSharedLock(CSharedMutex& mutex, std::defer_lock_t) noexcept : m_mutex(&mutex) {}

    /// Takes over `other`'s mutex and ownership, leaving it empty.
    CSharedLock(CSharedLock&& other) noexcept
        : INonCopyable(), m_mutex(std::exchange(other.m_mutex, nullptr)), m_owns(std::exchange(other.m_owns, false))
    {
    }
    /// Releases the lock owned so far, then takes over `other`'s, leaving it empty.
    CSharedLock& operator=(CSharedLock&& other) noexcept
    {
        if (this != &other)
        {
            if (m_owns)
                m_mutex->unlock_shared();
            m_mutex = std::exchange(other.m_mutex, nullptr);
            m_owns = std::exchange(other.m_owns, false);
        }
        return *this;
    }
    ~CSharedLock()
    {
        if (m_owns)
            m_mutex->unlock_shared();
    }

    /// Throws std::system_error: operation_not_permitted without a mutex,
    /// resource_deadlock_would_occur when the lock already owns it.
    void lock()
    {
        CheckLockable();
        m_mutex->lock_shared();
        m_owns = true;
    }
    /// As lock(), without waiting: returns whether the lock is owned now. Throws as lock().
    bool try_lock()
    {
        CheckLockable();
        m_owns = m_mutex->try_lock_shared();
        return m_owns;
    }
    /// Throws std::system_error(operation_not_permitted) when nothing is owned.
    void unlock()
    {
        if (!m_owns)
            throw std::system_error(std::make_error_code(std::errc::operation_not_permitted));
        m_mutex->unlock_shared();
        m_owns = false;
    }
    /// Gives up the mutex without unlocking it; returns it.
    CSharedMutex* release() noexcept
    {
        m_owns = false;
        return std::exchange(m_mutex, nullptr);
    }

    /// Whether the reader lock is owned.
    bool owns_lock() const noexcept { return m_owns; }
    /// Whether the reader lock is owned.
    explicit operator bool() const noexcept { return m_owns; }
    /// The mutex referred to, or null.
    CSharedMutex* mutex() const noexcept { return m_mutex; }

private:
    void CheckLockable() const
    {
        if (m_mutex == nullptr)
            throw std::system_error(std::make_error_code(std::errc::operation_not_permitted));
        if (m_owns)
            throw std::system_error(std::make_error_code(std::errc::resource_deadlock_would_occur));
    }

    CSharedMutex* m_mutex = nullptr;
    bool m_owns = false;
};
} // namespace Base
