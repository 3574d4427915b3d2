#pragma once
#include "base/orx2basepool/ieventsignal.h"
#include "base/orx2basepool/internal/cspinlock.h"
#include "base/orx2basepool/internal/eventconnectioncore.h"
#include "base/orx2basepool/csourcefile.h"

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
/// The list is never modified once published: connect and disconnect copy it, change the copy and swap
/// the pointer (retrying if another change was published meanwhile). A fire copies the pointer under
/// the lock and walks its snapshot without any signal lock, so handlers may connect, disconnect and fire
/// freely, and several fires may run at once on different threads. The list lock is a spin lock: it
/// guards a pointer copy and is never taken recursively (the handover action must not touch this
/// signal).
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
            CSourceFile("base/orx2basepool/teventsignal")
                .Throw(__LINE__, "Base::Internal::TEventSignalBase::Connect", L"Cannot connect an empty handler");
        auto connection = std::make_shared<EventConnectionImpl>(state);
        auto entry = std::make_unique<HandlerPair>(HandlerPair{handler, connection, connection.get()});
        state->Update([&entry](HandlerVector& handlers) -> HandlerPair* {
            handlers.push_back(entry.get());
            return nullptr;
        });
        entry.release(); // owned by the list from now on
        return connection;
    }

    /// Number of handlers in the list (disconnected ones are gone; expired ones still count).
    std::size_t GetHandlerCount() const { return state->Snapshot()->entries.size(); }

protected:
    ~TEventSignalBase() = default;

private:
    class EventConnectionImpl;

    /// One entry of the list: the list owns the handler and a reference to its connection. `core`
    /// points into `connection`.
    struct HandlerPair
    {
        std::shared_ptr<Handler> handler;
        std::shared_ptr<IEventSignalConnection> connection;
        EventConnectionImpl* core;
    };
    using HandlerVector = std::vector<HandlerPair*>;

    /// One published state of the handler list; never changed once published, except for the two
    /// bookkeeping fields that the change replacing it fills in.
    ///
    /// Entries are plain pointers, so copying a list for a change costs no reference counting. An entry
    /// removed by the change that replaces version V is handed to V (`retired`) and deleted with it; and
    /// every version keeps its successor alive (`next`), so an older snapshot keeps V, and with it the
    /// entry, alive too. An entry is therefore deleted once no snapshot taken before its removal is left.
    struct ListVersion
    {
        HandlerVector entries;
        std::vector<HandlerPair*> retired;  // written once, by the change that replaces this version
        std::shared_ptr<ListVersion> next;  // likewise

        ListVersion() = default;
        explicit ListVersion(HandlerVector e) : entries(std::move(e)) {}
        ListVersion(ListVersion const&) = delete;
        ListVersion& operator=(ListVersion const&) = delete;

        ~ListVersion()
        {
            for (HandlerPair* entry : retired)
                delete entry;
            if (next)
                ReleaseIteratively(std::move(next));
        }

    private:
        /// A long-held snapshot can keep a long chain of successors alive; releasing it recursively
        /// could overflow the stack. Past a small depth the release is deferred, and the outermost
        /// release on this thread drains the deferred ones in a loop. The thread-locals are trivially
        /// destructible on purpose: signals owned by static objects are destroyed after a thread's
        /// non-trivial thread-locals are gone.
        static void ReleaseIteratively(std::shared_ptr<ListVersion> version)
        {
            struct Deferred
            {
                std::shared_ptr<ListVersion> version;
                Deferred* next;
            };
            static thread_local unsigned depth = 0;
            static thread_local Deferred* deferred = nullptr;
            if (depth >= 16)
            {
                deferred = new Deferred{std::move(version), deferred};
                return;
            }
            ++depth;
            version.reset();
            if (depth == 1)
            {
                while (deferred != nullptr)
                {
                    Deferred* const first = deferred;
                    deferred = first->next;
                    first->version.reset(); // may defer its own successor
                    delete first;
                }
            }
            --depth;
        }
    };

    /// Shared so that connections can refer to it weakly and a fire can outlive the signal object.
    struct HandlerList
    {
        CSpinLock mutex;                          // guards the `handlers` pointer only; never held while a handler runs
        std::shared_ptr<ListVersion> handlers;    // never null

        HandlerList() : handlers(std::make_shared<ListVersion>()) {}

        /// The signal is gone: the entries still listed go with the last snapshot of the list.
        ~HandlerList()
        {
            handlers->retired.insert(handlers->retired.end(), handlers->entries.begin(), handlers->entries.end());
        }

        std::shared_ptr<ListVersion> Snapshot()
        {
            std::lock_guard<CSpinLock> lock(mutex);
            return handlers;
        }

        /// Optimistic copy-on-write: `change` edits a private copy and returns the entry it removed (or
        /// null); returning without a change is signalled by `false` from `changed`.
        template <class Change>
        void Update(Change&& change)
        {
            for (;;)
            {
                std::shared_ptr<ListVersion> const before = Snapshot();
                HandlerVector copy;
                copy.reserve(before->entries.size() + 1);
                copy = before->entries;
                std::size_t const sizeBefore = copy.size();
                HandlerPair* const removed = change(copy);
                if (copy.size() == sizeBefore && removed == nullptr)
                    return; // nothing to publish
                auto next = std::make_shared<ListVersion>(std::move(copy));
                std::lock_guard<CSpinLock> lock(mutex);
                if (handlers == before)
                {
                    if (removed != nullptr)
                        before->retired.push_back(removed);
                    before->next = next;
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
            list->Update([this](HandlerVector& handlers) -> HandlerPair* {
                for (auto it = handlers.begin(); it != handlers.end(); ++it)
                {
                    if ((*it)->core == this)
                    {
                        HandlerPair* const removed = *it;
                        handlers.erase(it);
                        return removed;
                    }
                }
                return nullptr; // already removed
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
        std::shared_ptr<ListVersion> snapshot;
        {
            std::lock_guard<CSpinLock> lock(state->mutex);
            snapshot = state->handlers;
            action();
        }
        for (HandlerPair* const entry : snapshot->entries)
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
