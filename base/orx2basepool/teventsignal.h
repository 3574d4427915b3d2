#pragma once
#include "base/orx2basepool/ieventsignal.h"
#include "base/orx2basepool/internal/eventconnectioncore.h"
#include "host/orxexception.h"

#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace Base
{
namespace Internal
{
template <class Derived, class List>
class TEventSignalFire;

/// Gives the signal `Fire(A...)` and `FireWithHandover(A..., action)` with the exact parameter types of
/// the argument list, so callers get the usual conversions.
template <class Derived, class... A>
class TEventSignalFire<Derived, TTypeList<A...>>
{
public:
    /// Calls every handler connected when the fire starts, in connection order, on this thread, with no
    /// signal lock held. A handler disconnected before its turn is skipped. An exception from a handler
    /// leaves Fire; the handlers after it are not called in this fire.
    void Fire(A... args)
    {
        static_cast<Derived*>(this)->FireImpl([] {}, args...);
    }

    /// As Fire, but `action` runs under the handler-list lock right after the snapshot is taken. Binding
    /// sources use it to turn their writer lock into a reader lock at exactly that point.
    template <class Action>
    void FireWithHandover(A... args, Action&& action)
    {
        static_cast<Derived*>(this)->FireImpl(std::forward<Action>(action), args...);
    }

protected:
    TEventSignalFire() = default;
    ~TEventSignalFire() = default;
};

/// Implements `Connect`, `Fire` and `FireWithHandover` with a copy-on-write handler list.
///
/// The list vector is never modified once published: connect and disconnect copy it, change the copy
/// and swap the pointer (retrying if another change was published meanwhile). A fire copies the pointer
/// under the lock and walks its snapshot without any signal lock, so handlers may connect, disconnect
/// and fire freely, and several fires may run at once on different threads.
template <class... Args>
class TEventSignalBase : public IEventSignal<Args...>,
                         public TEventSignalFire<TEventSignalBase<Args...>, TSignalArgList<Args...>>
{
    friend class TEventSignalFire<TEventSignalBase<Args...>, TSignalArgList<Args...>>;

public:
    using Handler = IEventSignalHandlerWithConnection<Args...>;

    TEventSignalBase() : state(std::make_shared<HandlerList>()) {}

    std::shared_ptr<IEventSignalConnection> Connect(std::shared_ptr<Handler> const& handler) const override
    {
        if (!handler)
            ThrowOrxException("base/orx2basepool/teventsignal", __LINE__, "Base::Internal::TEventSignalBase::Connect",
                              L"Cannot connect an empty handler");
        auto connection = std::make_shared<EventConnectionImpl>(state);
        auto entry = std::make_shared<HandlerPair const>(HandlerPair{handler, connection, connection.get()});
        state->Update([&entry](HandlerVector& handlers) {
            handlers.push_back(entry);
            return true;
        });
        return connection;
    }

    /// Number of handlers in the list (disconnected ones are gone; expired ones still count).
    std::size_t GetHandlerCount() const
    {
        std::lock_guard<std::recursive_mutex> lock(state->mutex);
        return state->handlers->size();
    }

protected:
    ~TEventSignalBase() = default;

private:
    class EventConnectionImpl;

    /// One entry of the list. Entries are shared so that copying the list costs one reference count per
    /// handler. `core` points into `connection`.
    struct HandlerPair
    {
        std::shared_ptr<Handler> handler;
        std::shared_ptr<IEventSignalConnection> connection;
        EventConnectionImpl* core;
    };
    using HandlerVector = std::vector<std::shared_ptr<HandlerPair const>>;

    /// Shared so that connections can refer to it weakly and a fire can outlive the signal object.
    struct HandlerList
    {
        std::recursive_mutex mutex;                    // guards the `handlers` pointer only
        std::shared_ptr<HandlerVector const> handlers; // never null; never modified once published

        HandlerList() : handlers(std::make_shared<HandlerVector const>()) {}

        std::shared_ptr<HandlerVector const> Snapshot()
        {
            std::lock_guard<std::recursive_mutex> lock(mutex);
            return handlers;
        }

        /// Optimistic copy-on-write: `change` edits a private copy and returns false to publish nothing.
        template <class Change>
        void Update(Change&& change)
        {
            for (;;)
            {
                std::shared_ptr<HandlerVector const> const before = Snapshot();
                auto next = std::make_shared<HandlerVector>(*before);
                if (!change(*next))
                    return;
                std::lock_guard<std::recursive_mutex> lock(mutex);
                if (handlers == before)
                {
                    handlers = std::move(next);
                    return;
                }
            }
        }
    };

    class EventConnectionImpl final : public IEventSignalConnection, public CEventConnectionCore
    {
    public:
        explicit EventConnectionImpl(std::shared_ptr<HandlerList> const& list) : m_signalState(list) {}

        void Disconnect() override
        {
            MarkDisconnected();
            std::shared_ptr<HandlerList> const list = m_signalState.lock();
            if (!list)
                return;
            list->Update([this](HandlerVector& handlers) {
                for (auto it = handlers.begin(); it != handlers.end(); ++it)
                {
                    if ((*it)->core == this)
                    {
                        handlers.erase(it);
                        return true;
                    }
                }
                return false; // already removed
            });
        }

        void DisconnectAndWaitForHandlersToFinish() override
        {
            Disconnect();
            WaitForCallsToFinish();
        }

        void DisconnectWhenExpired(std::weak_ptr<void> watched) override { AddExpiryWatch(std::move(watched)); }

    private:
        std::weak_ptr<HandlerList> m_signalState;
    };

    template <class Action, class... A>
    void FireImpl(Action&& action, A&&... args)
    {
        std::shared_ptr<HandlerVector const> snapshot;
        {
            std::lock_guard<std::recursive_mutex> lock(state->mutex);
            snapshot = state->handlers;
            action();
        }
        for (auto const& entry : *snapshot)
        {
            CEventConnectionCore::KeepAlive keepAlive;
            if (!entry->core->BeginCall(keepAlive))
                continue;
            CEventCallScope const call(*entry->core);
            entry->handler->Invoke(args..., entry->connection);
        }
    }

    std::shared_ptr<HandlerList> state;
};
} // namespace Internal

/// A thread-safe multicast event. The owner declares it as a member and fires it; others connect
/// through `IEventSignal<Args...>`. Destroying the signal does not tell its connections: a fire running
/// on another thread finishes on its snapshot, later `Disconnect` calls only set their flag.
template <class... Args>
class TEventSignal final : public Internal::TEventSignalBase<Args...>
{
public:
    TEventSignal() = default;
    ~TEventSignal() = default;
};
} // namespace Base
