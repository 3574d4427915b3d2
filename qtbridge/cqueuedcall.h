#pragma once
#include "qtbridge/orx2qtbridgeexport.h"
#include <QObject>

#include <atomic>
#include <functional>

namespace Orx2Qt
{
/// Runs a function on the GUI thread, asked for from any thread. Requests made while a call is pending
/// merge into that call, so a burst of requests costs one call.
///
/// Threading: created and destroyed on the GUI thread, whose event loop runs the calls. Request is
/// thread-safe: it emits a signal queued to this object, so every object that crosses threads is
/// made, read and freed by Qt itself, and what the call reads is guarded by its owner's own locks.
/// Lifetime: a member of the object it works for, and that object's child (`parent`), so it follows
/// that object to another thread. Qt drops a pending call when this object is destroyed; its owner
/// stops every thread that may still call Request before that (its scoped connections go first in its
/// destructor).
class ORX2_QTBRIDGE_EXPORT CQueuedCall : public QObject
{
    Q_OBJECT

public:
    /// `call` runs on this object's thread, once per merged group of requests.
    explicit CQueuedCall(std::function<void()> call, QObject* parent = nullptr);

    /// Any thread. Queues a call unless one is pending. Never blocks on the GUI thread.
    void Request();

Q_SIGNALS:
    /// Emitted by Request, delivered queued on the object's thread, where it runs the call.
    void requested(QPrivateSignal);

private:
    void Run();

    std::function<void()> const m_call;
    std::atomic<bool> m_pending{false};
};
} // namespace Orx2Qt
