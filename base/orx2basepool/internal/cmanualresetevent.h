#pragma once
#include "base/orx2basepool/inoncopyable.h"

#include <condition_variable>
#include <mutex>

namespace Base::Internal
{
/// An event that stays signalled once set: every present and future Wait returns. Thread-safe.
/// Failures of the underlying primitives raise std::system_error.
class CManualResetEvent : public INonCopyable
{
public:
    CManualResetEvent() = default;
    ~CManualResetEvent() = default;

    /// Signals the event and wakes every waiter. Setting again does nothing.
    void Set()
    {
        {
            std::lock_guard<std::mutex> const lock(m_mutex);
            m_signalled = true;
        }
        m_condition.notify_all();
    }

    /// Blocks until the event is signalled, without a time-out.
    void Wait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_condition.wait(lock, [this] { return m_signalled; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_signalled = false;
};
} // namespace Base::Internal
