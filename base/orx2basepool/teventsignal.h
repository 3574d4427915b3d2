#pragma once
#include "base/orx2basepool/csourcefile.h"
#include "base/orx2basepool/ieventsignal.h"
#include "base/orx2basepool/internal/cspinlock.h"
#include "base/orx2basepool/internal/eventconnectioncore.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <type_traits>
#include <utility>

namespace Base
{
namespace Internal
{
template <class Derived, class List> class TEventSignalFire;

/// Gives the signal `Fire(A...)` and `FireWithHandover(A..., action)` with the exact parameter types of
/// the argument list, so callers get the usual conversions.
template <class Derived, class... A> class TEventSignalFire<Derived, TTypeList<A...>>
{
public:
    /// Calls every handler connected when the fire starts, in connection order, on this thread, with no
    /// signal lock held. A handler disconnected before its turn is skipped. An exception from a handler
    /// leaves Fire; the handlers after it are not called in this fire.
    void Fire(A... args)
    {
        static_cast<Derived*>(this)->FireImpl([] {}, [] {}, args...);
    }

    /// As Fire, but `action` runs under the handler-list lock right after the snapshot is taken. Binding
    /// sources use it to turn their writer lock into a reader lock at exactly that point. The lock is
    /// re-entrant: the action may connect to, disconnect from and fire this signal (a handler it
    /// connects is first called by the next fire; one it disconnects is skipped by this fire). Other
    /// threads that change or fire this signal wait until the action returns.
    template <class Action> void FireWithHandover(A... args, Action&& action)
    {
        static_cast<Derived*>(this)->FireImpl(
            std::forward<Action>(action), [] {}, args...);
    }

    /// As FireWithHandover, and `first` runs after the handover, with no signal lock held, before the
    /// first handler (also when none is connected). A property fires its value-changed event there. An
    /// exception from `first` leaves the fire before any handler is called.
    template <class Action, class First> void FireWithHandover(A... args, Action&& action, First&& first)
    {
        static_cast<Derived*>(this)->FireImpl(std::forward<Action>(action), std::forward<First>(first),
                                              args...);
    }

protected:
    TEventSignalFire() = default;
    ~TEventSignalFire() = default;
};

/// Implements `Connect`, `Fire` and `FireWithHandover`.
///
/// The handler list is an array of entries (each entry is the connection object itself) in a reference
/// counted block. A fire takes a reference to the current block and the number of entries in it under
/// the list lock, and walks those entries without any signal lock; so a handler connected during a fire
/// is not called by it, and handlers may connect, disconnect and fire freely.
///
/// No published entry is ever moved or overwritten while a fire may be reading the block: a connect
/// appends behind the entries every running fire has counted; a disconnect only sets the entry's flag
/// (which every fire reads at the entry's turn) and takes the entry out in place once no fire holds
/// the block. When fires keep the block busy, disconnected entries wait for the next change that finds
/// it free, for the end of the last fire that holds it, or, when they have become as many as the live
/// ones, are left behind by a new block that holds only the live entries. So each change costs time
/// linear in the live handlers at worst, and a fire that holds a block for long keeps only that block
/// (and the entries in it) alive, whatever number of changes are made meanwhile.
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
        ThrowIfEmpty(handler.get());
        return Publish(std::make_shared<EventConnectionImpl>(state, handler.get(), handler));
    }

    /// The same for a handler that nobody else holds (as `MakeEventSignalHandler` makes them): the list
    /// owns it alone, which saves the shared count's allocation.
    template <class H, std::enable_if_t<std::is_convertible_v<H*, Handler*>, int> = 0>
    std::shared_ptr<IEventSignalConnection> Connect(std::unique_ptr<H> handler) const
    {
        ThrowIfEmpty(handler.get());
        auto connection = std::make_shared<EventConnectionImpl>(state, handler.get(), nullptr);
        static_cast<void>(handler.release()); // owned by the connection from here on
        return Publish(std::move(connection));
    }

    /// Number of handlers in the list that are not disconnected (expired ones still count).
    std::size_t GetHandlerCount() const
    {
        std::lock_guard<CReentrantSpinLock> lock(state->mutex);
        Block const* const block = state->current.load(std::memory_order_relaxed);
        return block == nullptr ? 0 : block->count - block->dead.load(std::memory_order_relaxed);
    }

protected:
    ~TEventSignalBase() override = default;

private:
    static void ThrowIfEmpty(void const* handler)
    {
        if (handler == nullptr)
            CSourceFile("base/orx2basepool/teventsignal")
                .Throw(__LINE__, "Base::Internal::TEventSignalBase::Connect",
                       L"Cannot connect an empty handler");
    }

    class EventConnectionImpl;
    struct Block;
    struct HandlerList;

    /// Entries that a change took out of the list; they are released once the list lock is let go, so
    /// that handler destructors never run under it.
    class CReleaseLater
    {
    public:
        CReleaseLater() = default;
        CReleaseLater(CReleaseLater const&) = delete;
        CReleaseLater& operator=(CReleaseLater const&) = delete;
        ~CReleaseLater()
        {
            while (m_first != nullptr)
            {
                EventConnectionImpl* const entry = m_first;
                m_first = entry->m_nextReleased;
                entry->ReleaseListReference();
            }
            if (m_block != nullptr)
                Block::Release(m_block);
        }
        void Entry(EventConnectionImpl* entry) noexcept
        {
            entry->m_nextReleased = m_first;
            m_first = entry;
        }
        void BlockReference(Block* block) noexcept { m_block = block; }

    private:
        EventConnectionImpl* m_first = nullptr;
        Block* m_block = nullptr;
    };

    /// A reference counted array of entries. Each block holds one list reference on every entry in it.
    /// `count` and `dead` change under the list lock only; the slots below `count` never change while
    /// another reference than the list's exists.
    struct Block
    {
        std::atomic<std::uint32_t> references{1}; // the list's, plus one per fire that holds the block
        std::uint32_t const capacity;
        std::uint32_t count = 0;
        std::atomic<std::uint32_t> dead{0}; // disconnected entries still in the block (read by fires)

        explicit Block(std::uint32_t slots) noexcept : capacity(slots) {}

        EventConnectionImpl** Slots() noexcept { return reinterpret_cast<EventConnectionImpl**>(this + 1); }

        static Block* Make(std::uint32_t capacity)
        {
            static_assert(sizeof(Block) % alignof(EventConnectionImpl*) == 0);
            // NOLINTNEXTLINE(bugprone-sizeof-expression): the block is followed by `capacity` pointers
            void* const memory = ::operator new(sizeof(Block) + capacity * sizeof(EventConnectionImpl*));
            return new (memory) Block(capacity);
        }

        /// Drops one reference; the last one releases the entries and frees the block.
        static void Release(Block* block) noexcept
        {
            if (block->references.fetch_sub(1, std::memory_order_acq_rel) != 1)
                return;
            EventConnectionImpl** const slots = block->Slots();
            for (std::uint32_t i = 0; i < block->count; ++i)
                slots[i]->ReleaseListReference();
            block->~Block();
            ::operator delete(block);
        }

        /// True when no fire holds the block, so its slots may change. Fires take their reference under
        /// the list lock, which the caller holds.
        bool Unshared() const noexcept { return references.load(std::memory_order_acquire) == 1; }
    };

    /// Shared so that connections can refer to it weakly and a fire can outlive the signal object.
    struct HandlerList
    {
        // Guards `current` and the bookkeeping of its block. Held for that work only, and while a handover
        // action runs: re-entrant, so the action may connect, disconnect and fire on its own thread.
        CReentrantSpinLock mutex;
        // Null until the first connect. Atomic so that a fire can see, without the lock, that nothing was
        // ever connected; changed under the lock only.
        std::atomic<Block*> current{nullptr};

        HandlerList() = default;
        HandlerList(HandlerList const&) = delete;
        HandlerList& operator=(HandlerList const&) = delete;

        /// The signal is gone: the entries still listed go with the last fire that holds the block.
        ~HandlerList()
        {
            if (Block* const block = current.load(std::memory_order_relaxed))
                Block::Release(block);
        }

        void Add(EventConnectionImpl* entry)
        {
            CReleaseLater released;
            std::lock_guard<CReentrantSpinLock> lock(mutex);
            Block* block = current.load(std::memory_order_relaxed);
            if (block == nullptr || block->count == block->capacity)
                block = MakeRoomLocked(released);
            block->Slots()[block->count++] = entry;
        }

        /// Takes `entry` out of the list, or leaves it to be taken out later while fires hold the block.
        void Remove(EventConnectionImpl* entry)
        {
            CReleaseLater released;
            std::lock_guard<CReentrantSpinLock> lock(mutex);
            Block* const block = current.load(std::memory_order_relaxed);
            if (block == nullptr)
                return;
            EventConnectionImpl** const slots = block->Slots();
            std::uint32_t index = 0;
            while (index < block->count && slots[index] != entry)
                ++index;
            if (index == block->count)
                return; // already taken out with other disconnected entries
            if (block->Unshared())
            {
                if (block->dead.load(std::memory_order_relaxed) == 0)
                {
                    std::copy(slots + index + 1, slots + block->count, slots + index);
                    --block->count;
                    released.Entry(entry);
                }
                else
                {
                    CompactInPlaceLocked(block, released);
                }
                return;
            }
            // Release: a fire that sees the count may read the entries written before it.
            std::uint32_t const dead = block->dead.load(std::memory_order_relaxed) + 1;
            block->dead.store(dead, std::memory_order_release);
            if (dead >= kDeadEntriesBeforeCopy && 2 * dead >= block->count)
                ReplaceLocked(block, block->capacity, released);
        }

        /// Called by a fire that held `block` while disconnected entries were waiting in it: takes them
        /// out if the block is still the list's and no other fire holds it.
        void TidyAfterFire(Block* block)
        {
            CReleaseLater released;
            std::lock_guard<CReentrantSpinLock> lock(mutex);
            if (current.load(std::memory_order_relaxed) == block && block->Unshared() &&
                block->dead.load(std::memory_order_relaxed) != 0)
                CompactInPlaceLocked(block, released);
        }

    private:
        /// Disconnected entries may wait in a block that fires hold until they are this many and at least
        /// as many as the live ones; then the live ones move to a new block.
        static constexpr std::uint32_t kDeadEntriesBeforeCopy = 8;

        /// Makes a block with room for one more entry the current one.
        Block* MakeRoomLocked(CReleaseLater& released)
        {
            Block* const block = current.load(std::memory_order_relaxed);
            if (block == nullptr)
            {
                Block* const first = Block::Make(4);
                current.store(first, std::memory_order_release);
                return first;
            }
            std::uint32_t const live = block->count - block->dead.load(std::memory_order_relaxed);
            if (block->Unshared() && live < block->count)
            {
                CompactInPlaceLocked(block, released);
                if (block->count < block->capacity)
                    return block;
            }
            return ReplaceLocked(block, std::max<std::uint32_t>(4, 2 * (live + 1)), released);
        }

        /// Keeps the live entries of `block` in place, in order, and takes the disconnected ones out.
        static void CompactInPlaceLocked(Block* block, CReleaseLater& released)
        {
            EventConnectionImpl** const slots = block->Slots();
            std::uint32_t kept = 0;
            for (std::uint32_t i = 0; i < block->count; ++i)
            {
                if (slots[i]->IsDisconnected())
                    released.Entry(slots[i]);
                else
                    slots[kept++] = slots[i];
            }
            block->count = kept;
            block->dead.store(0, std::memory_order_relaxed);
        }

        /// Publishes a new block of `capacity` slots with the live entries of `block`, in order. If no
        /// fire holds the old block, the entries move; else they are shared and the old block goes with
        /// its last fire.
        Block* ReplaceLocked(Block* block, std::uint32_t capacity, CReleaseLater& released)
        {
            Block* const next = Block::Make(capacity);
            EventConnectionImpl** const from = block->Slots();
            EventConnectionImpl** const to = next->Slots();
            bool const move = block->Unshared();
            for (std::uint32_t i = 0; i < block->count; ++i)
            {
                EventConnectionImpl* const entry = from[i];
                if (entry->IsDisconnected())
                {
                    if (move)
                        released.Entry(entry);
                }
                else
                {
                    if (!move)
                        entry->AddListReference();
                    to[next->count++] = entry;
                }
            }
            if (move)
                block->count = 0;
            released.BlockReference(block);
            current.store(next, std::memory_order_release);
            return next;
        }
    };

    class EventConnectionImpl final : public IEventSignalConnection, public CEventConnectionCore
    {
    public:
        /// `handler` is owned by `shared` if that is given, else by this connection.
        EventConnectionImpl(std::shared_ptr<HandlerList> const& list, Handler* handler,
                            std::shared_ptr<Handler> shared) noexcept
            : m_handler(handler), m_signalState(list), m_sharedHandler(std::move(shared))
        {
        }

        /// Only a connection that never got listed still holds its handler here.
        ~EventConnectionImpl() override { DropHandler(); }

        void Disconnect() override
        {
            if (!MarkDisconnected())
                return; // only the first call has list work to do
            if (std::shared_ptr<HandlerList> const list = m_signalState.lock())
                list->Remove(this);
        }

        void DisconnectAndWaitForHandlersToFinish() override
        {
            Disconnect();
            // A call needs a fire that holds a block listing this entry, and every such block holds a
            // list reference: with none left (the common case: no fire held the list while it let go of
            // the entry) no call can be running or start, and the wait costs nothing.
            if (m_listReferences.load(std::memory_order_acquire) != 0)
                WaitForCallsToFinish();
        }

        void DisconnectWhenExpired(std::weak_ptr<void> watched) override
        {
            AddExpiryWatch(std::move(watched));
        }

        void AddListReference() noexcept { m_listReferences.fetch_add(1, std::memory_order_relaxed); }

        /// The last block that lists this entry lets go of it: the handler is destroyed, and the list's
        /// own reference to the connection is dropped (which may destroy it, so nothing follows).
        void ReleaseListReference() noexcept
        {
            if (m_listReferences.fetch_sub(1, std::memory_order_acq_rel) != 1)
                return;
            std::shared_ptr<IEventSignalConnection> const self = std::move(m_listed);
            DropHandler();
        }

        // NOLINTBEGIN(misc-non-private-member-variables-in-classes): the owning list keeps them
        Handler* m_handler;                                // owned by the list; dropped when it lets go
        std::shared_ptr<IEventSignalConnection> m_listed;  // the list's reference to this connection
        EventConnectionImpl* m_nextReleased = nullptr;     // chains entries to release after a change
        std::weak_ptr<HandlerList> m_signalState;
        // NOLINTEND(misc-non-private-member-variables-in-classes)

    private:
        void DropHandler() noexcept
        {
            Handler* const handler = std::exchange(m_handler, nullptr);
            if (m_sharedHandler)
                m_sharedHandler.reset();
            else
                delete handler;
        }

        std::shared_ptr<Handler> m_sharedHandler; // the handler's owner when it was connected shared
        std::atomic<std::uint32_t> m_listReferences{1};
    };

    /// Lists a new connection; the list holds a reference to it from now on.
    std::shared_ptr<IEventSignalConnection> Publish(std::shared_ptr<EventConnectionImpl> connection) const
    {
        connection->m_listed = connection;
        try
        {
            state->Add(connection.get());
        }
        catch (...)
        {
            connection->m_listed.reset();
            throw;
        }
        return connection;
    }

    /// The part of the list one fire works on: a block reference and the number of entries it had.
    class CSnapshot
    {
    public:
        CSnapshot() = default;
        CSnapshot(CSnapshot const&) = delete;
        CSnapshot& operator=(CSnapshot const&) = delete;
        ~CSnapshot()
        {
            if (m_block == nullptr)
                return;
            if (m_block->dead.load(std::memory_order_acquire) == 0)
                Block::Release(m_block);
            else
                ReleaseAndTidy(m_block);
        }

        void Take(Block* block) noexcept
        {
            block->references.fetch_add(1, std::memory_order_relaxed);
            m_block = block;
            m_first = block->Slots();
            m_last = m_first + block->count;
        }

        EventConnectionImpl* const* begin() const noexcept { return m_first; }
        EventConnectionImpl* const* end() const noexcept { return m_last; }

    private:
        /// Disconnected entries wait in the block: if this fire is the last to hold it, take them out
        /// now, so that their handlers go when the last fire that could call them ends.
        static void ReleaseAndTidy(Block* block)
        {
            std::shared_ptr<HandlerList> const list = block->Slots()[0]->m_signalState.lock();
            Block::Release(block);
            if (list)
                list->TidyAfterFire(block); // compares the pointer only; the block may be gone
        }

        Block* m_block = nullptr;
        EventConnectionImpl* const* m_first = nullptr;
        EventConnectionImpl* const* m_last = nullptr;
    };

    template <class Action, class First, class... A>
    void FireImpl(Action&& action, First&& first, A&&... args)
    {
        HandlerList& list = *state;
        if (list.current.load(std::memory_order_acquire) == nullptr)
        {
            // Nothing was ever connected (a property's value-changed event nobody follows): a handler
            // connected meanwhile would be called by the next fire only anyway.
            action();
            first();
            return;
        }
        CSnapshot snapshot;
        {
            std::lock_guard<CReentrantSpinLock> lock(list.mutex);
            if (Block* const block = list.current.load(std::memory_order_relaxed))
                snapshot.Take(block);
            action();
        }
        first();
        if (snapshot.begin() == snapshot.end())
            return;
        CFireEntry const fire;
        CAnnouncedCalls announced(fire.Slot());
        std::optional<CFireFrame> frame; // for counted calls only
        for (EventConnectionImpl* const entry : snapshot)
        {
            if (announced.HasSlot())
            {
                if (announced.Admit(*entry))
                {
                    entry->m_handler->Invoke(args..., entry->m_listed);
                    continue;
                }
                if (!entry->IsWatchedAndConnected())
                    continue; // disconnected
            }
            CEventConnectionCore::KeepAlive keepAlive;
            if (!entry->BeginCall(keepAlive))
                continue;
            CEventCallScope const call(*entry, frame ? *frame : frame.emplace());
            entry->m_handler->Invoke(args..., entry->m_listed);
        }
    }

    /// The fire's nesting level on this thread and its slot in the call table.
    class CFireEntry
    {
    public:
        CFireEntry() noexcept : m_slot(CCallTable::EnterFire()) {}
        ~CFireEntry() { CCallTable::LeaveFire(); }
        CFireEntry(CFireEntry const&) = delete;
        CFireEntry& operator=(CFireEntry const&) = delete;
        CCallTable::SSlot Slot() const noexcept { return m_slot; }

    private:
        CCallTable::SSlot const m_slot;
    };

    std::shared_ptr<HandlerList> state;
};
} // namespace Internal

/// A thread-safe multicast event. The owner declares it as a member and fires it; others connect
/// through `IEventSignal<Args...>`. Destroying the signal does not tell its connections: a fire running
/// on another thread finishes on its snapshot, later `Disconnect` calls only set their flag.
template <class... Args> class TEventSignal final : public Internal::TEventSignalBase<Args...>
{
public:
    TEventSignal() = default;
    ~TEventSignal() override = default;
};
} // namespace Base
