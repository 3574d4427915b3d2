#pragma once
#include "base/orx2basepool/internal/cdeliveryscope.h"
#include "base/orx2basepool/ivaluestreamsource.h"
#include "base/orx2basepool/teventsignal.h"

#include <memory>
#include <mutex>

namespace Base::Binding
{
/// A source that only streams: it keeps no current value, it delivers each pushed value once.
///
/// Pushes are serialised by the source's mutex, so handlers see the values of concurrent pushes one
/// at a time, each push completely before the next. The mutex is recursive: a handler may push again
/// (that value is delivered at once, nested in the current delivery) without deadlocking its thread.
/// Handlers run under that mutex: they must not wait for another thread that pushes here.
/// Thread-safety: all members may be called from any thread. Destruction fires `{status 2, no value}`
/// to the handlers still connected.
template <class T> class TValueStreamSource final : public IValueStreamSource<T>
{
public:
    using Notification = TValueStreamNotification<T>; ///< What a handler receives: the status and the value.
    /// A handler of the stream, which may disconnect itself.
    using Handler = IEventSignalHandlerWithConnection<Notification const&>;

    TValueStreamSource() = default;

    ~TValueStreamSource() override
    {
        Base::CDeliveryScope const delivery;
        std::lock_guard<std::recursive_mutex> const lock(m_mutex);
        m_valueStream.Fire(Notification{kSourceStatusDestroyed, TOptional<T>()});
    }

    /// Delivers `{status 0, value}` to every connected handler, on this thread, before returning. An
    /// exception from a handler leaves Push; the handlers after it miss this value.
    void Push(T const& value)
    {
        Base::CDeliveryScope const delivery;
        std::lock_guard<std::recursive_mutex> const lock(m_mutex);
        m_valueStream.Fire(Notification{kSourceStatusAlive, TOptional<T>(value)});
    }

    /// See IValueStreamSource::ConnectToValueStream; a push running on another thread may or may not
    /// reach the new handler.
    CScopedEventSignalConnection ConnectToValueStream(std::unique_ptr<Handler> handler) const override
    {
        return CScopedEventSignalConnection(m_valueStream.Connect(std::move(handler)));
    }

private:
    std::recursive_mutex m_mutex;
    mutable TEventSignal<Notification const&> m_valueStream;
};
} // namespace Base::Binding
