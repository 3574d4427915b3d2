#pragma once
#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/tproperty.h"
#include "host/contracts/iacquisitionservice.h"

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace ReferenceHost
{
/// An acquisition service that records every key it is told about and does nothing else.
///
/// Each call is recorded with its kind, key, key data, pressed flag and the number of GUI-locking
/// commands running at the call (a dedicated key has key and key data 0). Each call returns a new,
/// already complete result that counts how often it is waited on and given a callback, and when it is
/// released; the counts outlive the service. The number of calls is observable (a screen follows it).
/// Thread-safe.
class CAcquisitionService : public Base::IAcquisitionService
{
public:
    /// Whether a key went through the dedicated or the generic key command.
    enum class EKeyKind
    {
        Dedicated,
        Generic
    };

    /// One key call the service received.
    struct SKeyCall
    {
        EKeyKind kind = EKeyKind::Generic; ///< Which command received it.
        unsigned int key = 0; ///< The key's code.
        unsigned int keyData = 0; ///< The key's data.
        bool pressed = false; ///< Pressed (true) or released.
        unsigned int guiLockingCount = 0; ///< The GUI-locking count when it was received.

        /// Equal when every field is equal.
        friend bool operator==(SKeyCall const& a, SKeyCall const& b) noexcept
        {
            return a.kind == b.kind && a.key == b.key && a.keyData == b.keyData && a.pressed == b.pressed &&
                   a.guiLockingCount == b.guiLockingCount;
        }
    };

    /// What happened to the results handed out so far.
    struct SResultCounts
    {
        std::size_t made = 0; ///< Results handed out.
        std::size_t released = 0; ///< Results released.
        std::size_t waits = 0; ///< Waits for a result.
        std::size_t callbacks = 0; ///< Callbacks delivered.

        /// Equal when every field is equal.
        friend bool operator==(SResultCounts const& a, SResultCounts const& b) noexcept
        {
            return a.made == b.made && a.released == b.released && a.waits == b.waits &&
                   a.callbacks == b.callbacks;
        }
    };

    /// Throws std::bad_alloc.
    CAcquisitionService();
    ~CAcquisitionService() override;

    /// Record the call and return a complete counting result. Throw std::bad_alloc.
    std::shared_ptr<Base::IAsyncResult<>> OnDedicatedKey(bool pressed) override;
    std::shared_ptr<Base::IAsyncResult<>> OnGenericKey(unsigned int key, unsigned int keyData,
                                                       bool pressed) override;

    /// The calls so far, in order.
    std::vector<SKeyCall> GetCalls() const;
    /// Returns the calls so far and forgets them.
    std::vector<SKeyCall> TakeCalls();
    /// The counts of the results handed out by this service, read now.
    SResultCounts GetResultCounts() const;
    /// The number of calls so far (TakeCalls does not reset it); changes after the call is recorded.
    Base::IProperty<unsigned int> const& GetCallCount() const { return m_callCount; }

    /// Shared with the results, so that a result released after the service still counts.
    struct SCounters;

private:
    std::shared_ptr<Base::IAsyncResult<>> Record(SKeyCall const& call);

    mutable std::mutex m_mutex;
    std::vector<SKeyCall> m_calls;
    std::shared_ptr<SCounters> m_counters;
    Base::CSilentChangeOwner m_owner;
    Base::TProperty<unsigned int> m_callCount{0U, m_owner};
};
} // namespace ReferenceHost
