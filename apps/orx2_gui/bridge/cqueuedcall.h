#pragma once
#include <atomic>
#include <functional>

class QObject;

namespace Orx2Gui
{
/// Runs a function on the thread of a QObject, asked for from any thread. Requests made while a call
/// is pending merge into that call, so a burst of requests costs one call.
///
/// Lifetime: a member of the QObject it posts to (`context`): the call is posted to `context`, and Qt
/// drops it when `context` is destroyed. The owner stops every thread that may still call Request
/// before it is destroyed (its scoped connections go first in its destructor).
class CQueuedCall
{
public:
    /// `call` runs on `context`'s thread, once per merged group of requests.
    CQueuedCall(QObject& context, std::function<void()> call);
    CQueuedCall(CQueuedCall const&) = delete;
    CQueuedCall& operator=(CQueuedCall const&) = delete;

    /// Any thread. Posts a call unless one is pending; touches no Qt object but the event queue of
    /// `context`'s thread (QCoreApplication::postEvent is thread-safe). Never blocks on the GUI thread.
    void Request();

private:
    void Run();

    QObject& m_context;
    std::function<void()> const m_call;
    std::atomic<bool> m_pending{false};
};
} // namespace Orx2Gui
