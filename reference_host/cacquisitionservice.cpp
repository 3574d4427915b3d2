#include "reference_host/cacquisitionservice.h"

#include "host/acquisitionbase/acommandbase.h"

#include <atomic>
#include <utility>

namespace ReferenceHost
{
struct CAcquisitionService::SCounters
{
    std::atomic<std::size_t> made{0};
    std::atomic<std::size_t> released{0};
    std::atomic<std::size_t> waits{0};
    std::atomic<std::size_t> callbacks{0};
};

namespace
{
/// A complete result that counts what its holder does with it.
class CCountingResult final : public Base::IAsyncResult<>
{
public:
    explicit CCountingResult(std::shared_ptr<CAcquisitionService::SCounters> counters)
        : m_counters(std::move(counters))
    {
        m_counters->made.fetch_add(1);
    }
    ~CCountingResult() override { m_counters->released.fetch_add(1); }

    void Wait() override { m_counters->waits.fetch_add(1); }
    void AddCallback(std::unique_ptr<Base::IAsyncResultCallback<>> callback,
                     std::uint32_t /*context*/) override
    {
        m_counters->callbacks.fetch_add(1);
        if (callback)
            callback->Invoke();
    }

private:
    std::shared_ptr<CAcquisitionService::SCounters> m_counters;
};
} // namespace

CAcquisitionService::CAcquisitionService() : m_counters(std::make_shared<SCounters>()) {}

CAcquisitionService::~CAcquisitionService() = default;

std::shared_ptr<Base::IAsyncResult<>> CAcquisitionService::OnDedicatedKey(bool pressed)
{
    return Record({EKeyKind::Dedicated, 0, 0, pressed, 0});
}

std::shared_ptr<Base::IAsyncResult<>> CAcquisitionService::OnGenericKey(unsigned int key,
                                                                        unsigned int keyData, bool pressed)
{
    return Record({EKeyKind::Generic, key, keyData, pressed, 0});
}

std::shared_ptr<Base::IAsyncResult<>> CAcquisitionService::Record(SKeyCall const& call)
{
    SKeyCall recorded = call;
    recorded.guiLockingCount = Base::ACommandBase::s_numberOfActiveGUILockingCommands.Get();
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_calls.push_back(recorded);
    }
    // Outside the lock: observers may read the calls.
    m_callCount.Update([](unsigned int count) { return count + 1U; });
    return std::make_shared<CCountingResult>(m_counters);
}

std::vector<CAcquisitionService::SKeyCall> CAcquisitionService::GetCalls() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_calls;
}

std::vector<CAcquisitionService::SKeyCall> CAcquisitionService::TakeCalls()
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return std::exchange(m_calls, {});
}

CAcquisitionService::SResultCounts CAcquisitionService::GetResultCounts() const
{
    return {m_counters->made.load(), m_counters->released.load(), m_counters->waits.load(),
            m_counters->callbacks.load()};
}
} // namespace ReferenceHost
