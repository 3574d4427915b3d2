#pragma once
#include "qtbridge/cqueuedcall.h"

#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/iproperty.h"

#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace Orx2Qt
{
/// Follows one slot of the GUI configuration: calls `callback` on the GUI thread with the view model
/// the slot holds, once at construction and after each replacement (with an empty pointer when the slot
/// is emptied). Replacements that arrive while a call is pending merge into the newest.
///
/// Threading: created and destroyed on the GUI thread; the slot may change on any thread.
/// Lifetime: holds the slot's view models weakly between a change and its call; the callback gets the
/// newest one (an empty pointer if it is already gone). The callback should not keep the pointer
/// (bridge maps hold view models weakly). Destroying the watch disconnects first, waiting for a handler
/// running on another thread (which only posts). The slot must outlive the watch's construction; later
/// it may go first.
template <class I> class TSlotWatch
{
public:
    /// What the watch calls with the slot's view model.
    using Callback = std::function<void(std::shared_ptr<I> const&)>;

    /// Watches `slot`: calls `callback` with its view model now and after each change, on the GUI thread.
    TSlotWatch(Base::IProperty<std::shared_ptr<I>> const& slot, Callback callback)
        : m_callback(std::move(callback)), m_deliver([this] { Deliver(); })
    {
        m_connection = slot.ConnectToValueStreamAndNotify(Base::MakeEventSignalHandler<Notification const&>(
            [this](Notification const& notification)
            {
                if (!notification.value.HasValue())
                    return; // the slot is being destroyed
                {
                    std::lock_guard<std::mutex> const lock(m_mutex);
                    m_latest = notification.value.value();
                    m_changed = true;
                }
                m_deliver.Request();
            }));
        Deliver(); // the current view model, at once
    }
    ~TSlotWatch() { m_connection = Base::CScopedEventSignalConnection(); }
    TSlotWatch(TSlotWatch const&) = delete;
    TSlotWatch& operator=(TSlotWatch const&) = delete;

private:
    using Notification = Base::Binding::TValueStreamNotification<std::shared_ptr<I>>;

    void Deliver()
    {
        std::weak_ptr<I> latest;
        {
            std::lock_guard<std::mutex> const lock(m_mutex);
            if (!m_changed)
                return;
            m_changed = false;
            latest = m_latest;
        }
        if (m_callback)
            m_callback(latest.lock());
    }

    Callback const m_callback;
    std::mutex m_mutex;
    std::weak_ptr<I> m_latest; // guarded by m_mutex
    bool m_changed = false;    // guarded by m_mutex
    CQueuedCall m_deliver;
    Base::CScopedEventSignalConnection m_connection; // reset first in the destructor
};
} // namespace Orx2Qt
