#include "bridge/cqueuedcall.h"

#include "bridge/cbridgestatistics.h"

#include <utility>

namespace Orx2Gui
{
CQueuedCall::CQueuedCall(std::function<void()> call, QObject* parent)
    : QObject(parent), m_call(std::move(call))
{
    connect(this, &CQueuedCall::requested, this, &CQueuedCall::Run, Qt::QueuedConnection);
}

void CQueuedCall::Request()
{
    // The flag is cleared before the call reads what it applies, so a request made after that reading
    // began queues again and nothing is left behind.
    if (m_pending.exchange(true, std::memory_order_acq_rel))
        return;
    CBridgeStatistics::CountPostQueued();
    Q_EMIT requested(QPrivateSignal());
}

void CQueuedCall::Run()
{
    if (!CBridgeStatistics::CheckGuiThread(*this))
        return;
    m_pending.store(false, std::memory_order_release);
    m_call();
}
} // namespace Orx2Gui
