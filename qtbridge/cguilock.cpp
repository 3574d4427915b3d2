#include "qtbridge/cguilock.h"

#include "base/orx2basepool/tvaluestreamnotification.h"
#include "host/acquisitionbase/acommandbase.h"

namespace Orx2Qt
{
CGuiLock::CGuiLock(QObject* parent) : QObject(parent), m_apply([this] { Apply(); }, this)
{
    using Notification = Base::Binding::TValueStreamNotification<unsigned int>;
    // The count's notifications come one at a time, in the order of its changes (each is delivered
    // under the count's reader lock, and the next change waits for it), so the newest stored is the
    // count now.
    m_connection = Base::ACommandBase::s_numberOfActiveGUILockingCommands.ConnectToValueStreamAndNotify(
        Base::MakeEventSignalHandler<Notification const&>(
            [this](Notification const& notification)
            {
                if (!notification.value.HasValue())
                    return;
                m_latest.store(notification.value.value(), std::memory_order_release);
                m_apply.Request();
            }));
    Apply(); // the count now, at once
}

CGuiLock::~CGuiLock()
{
    m_connection = Base::CScopedEventSignalConnection();
}

void CGuiLock::Apply()
{
    int const count = static_cast<int>(m_latest.load(std::memory_order_acquire));
    if (count == m_count)
        return;
    bool const wasLocked = locked();
    m_count = count;
    Q_EMIT countChanged();
    if (locked() != wasLocked)
        Q_EMIT lockedChanged();
}
} // namespace Orx2Qt
