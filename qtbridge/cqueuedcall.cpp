#include "qtbridge/cqueuedcall.h"

#include "qtbridge/cbridgestatistics.h"

#include <QtDebug>

#include <exception>
#include <utility>

namespace Orx2Qt
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
    // The one door from the bridge into Qt's event loop: nothing may leave through it by throwing.
    try
    {
        m_call();
    }
    catch (std::exception const& error)
    {
        qWarning("orx2 qtbridge: a posted update failed: %s", error.what());
    }
    catch (...)
    {
        qWarning("orx2 qtbridge: a posted update failed");
    }
}
} // namespace Orx2Qt
