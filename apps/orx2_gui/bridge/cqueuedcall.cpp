#include "bridge/cqueuedcall.h"

#include "bridge/cbridgestatistics.h"

#include <QMetaObject>
#include <QObject>

#include <utility>

namespace Orx2Gui
{
CQueuedCall::CQueuedCall(QObject& context, std::function<void()> call) : m_context(context), m_call(std::move(call))
{
}

void CQueuedCall::Request()
{
    // The flag is cleared before the call reads what it applies, so a request made after that reading
    // began posts again and nothing is left behind.
    if (m_pending.exchange(true, std::memory_order_acq_rel))
        return;
    CBridgeStatistics::CountPostQueued();
    QMetaObject::invokeMethod(&m_context, [this] { Run(); }, Qt::QueuedConnection);
}

void CQueuedCall::Run()
{
    if (!CBridgeStatistics::CheckGuiThread(m_context))
        return;
    m_pending.store(false, std::memory_order_release);
    m_call();
}
} // namespace Orx2Gui
