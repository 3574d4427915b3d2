#pragma once
#include "base/orx2basepool/internal/cdeliveryscope.h"
#include "base/orx2basepool/orx2basepoolexport.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace Base
{
/// The state an owner guard shares with the callables bound to it, so that a callable that outlives
/// its owner (a command held by the registry or by another thread) can still ask whether the owner is
/// there. Use through COwnerGuard and BindToOwner. Exported: the bound callables are instantiated in
/// the code that binds them, in whatever library or program that is.
class ORX2_BASEPOOL_EXPORT COwnerGuardState
{
public:
    /// Admits a call when the guard is open: returns true and counts the call, which the caller ends
    /// with Leave(). Returns false (nothing counted) before Open() and after Close(), and once the owner
    /// given to HoldOwner has expired. While an owner is held, `hold` receives a strong reference to it.
    /// Lock-free: one atomic step to count, one to take the hold.
    bool Enter(std::shared_ptr<void const>& hold);
    /// Ends a call admitted by Enter.
    void Leave() noexcept;
    /// Admits calls from now on (until Close); the owner calls it once it is whole.
    void Open() noexcept;
    /// Lets admitted calls hold `owner` for as long as they run; an expired owner admits no call. The first
    /// owner given stays: the guard belongs to one owner.
    void HoldOwner(std::weak_ptr<void const> owner) noexcept;
    /// Whether HoldOwner was called. Lock-free, for a cheap check before a hold is set up.
    bool HoldsOwner() const noexcept { return m_holdsOwner.load(std::memory_order_acquire); }
    /// Refuses new calls, then waits until the admitted calls of other threads have left. Calls of the
    /// closing thread itself are not waited for (they could never end).
    void Close() noexcept;
    /// Whether calls are admitted now (opened and not closed).
    bool IsOpen() const noexcept { return (m_word.load(std::memory_order_acquire) & kPhaseMask) == kOpen; }

private:
    // The phase, a waiter flag and the number of admitted calls share one word, so that admitting a
    // call (count, then look at the phase) and closing (set the phase, then look at the count) each see
    // the other: a call counted before the close is waited for, one counted after sees the phase.
    static constexpr std::uint64_t kConstructing = 0;
    static constexpr std::uint64_t kOpen = 1;
    static constexpr std::uint64_t kClosed = 2;
    static constexpr std::uint64_t kPhaseMask = 3;
    static constexpr std::uint64_t kWaiting = 4;
    static constexpr std::uint64_t kCallUnit = 8;

    std::uint64_t Running() const noexcept { return m_word.load(std::memory_order_acquire) / kCallUnit; }
    void LeaveCounted() noexcept;

    std::atomic<std::uint64_t> m_word{kConstructing};
    std::atomic<bool> m_holdsOwner{false};
    std::atomic<bool> m_ownerSet{false}; // claims the one write of m_owner
    std::weak_ptr<void const> m_owner;   // written once, before m_holdsOwner is set
    std::mutex m_mutex;                  // only for Close's wait
    std::condition_variable m_left;
};

/// Lets callables that reach an owner (registered command actions, observer callbacks) run only while
/// the owner is whole: not before its constructor has finished, not once its destruction has begun.
///
/// Usage: declare the guard before every member that a bound callable uses (in particular before the
/// commands whose actions are bound to it); call `Open()` as the last statement of the owner's
/// constructor, or, for an owner with observers, once every member their callbacks use is constructed
/// and before the first binding (whose first call must get through); call `Close()` as the first
/// statement of its destructor. A derived class whose overrides a bound callable reaches calls `Close()`
/// first in its own destructor (Close is idempotent).
///
/// Threads: a bound call on another thread is waited for by `Close()`, so after `Close()` returns no
/// bound call is running and none will start. A call refused by a closed or not yet opened guard does
/// nothing. Not allowed for an owner that is not held (see below): destroying it from inside one of its
/// own bound calls (Close does not wait for the closing thread's own calls, so it does not hang, but the
/// running call would then use a dead owner). `Close()` must not be called while holding a lock that a bound
/// call on another thread waits for.
///
/// Lifetime: the guard's state is shared with the bound callables and outlives the owner as long as
/// one of them lives. Once the owner's shared pointer is handed to HoldOwner (see HoldDuringBoundCalls),
/// every bound call holds the owner while it runs, and a call arriving after the owner's last reference
/// is gone does nothing: the owner's destructor then never overlaps a bound call, on any thread. When a
/// bound call's hold is the last reference, the owner dies once the calling thread has left its
/// outermost delivery (CDeliveryScope), after the notifying source released its locks, never
/// inside the call.
class COwnerGuard
{
public:
    COwnerGuard() : m_state(std::make_shared<COwnerGuardState>()) {}
    /// Closes the guard if the owner did not (only safe when bound callables use nothing declared
    /// after the guard).
    ~COwnerGuard() { m_state->Close(); }
    COwnerGuard(COwnerGuard const&) = delete;
    COwnerGuard& operator=(COwnerGuard const&) = delete;

    /// The owner is constructed: bound calls are admitted from now on. Never throws.
    void Open() noexcept { m_state->Open(); }
    /// The owner's destruction begins: refuses new calls and waits for running ones on other threads.
    /// Idempotent. Never throws.
    void Close() noexcept { m_state->Close(); }
    /// Whether bound calls are admitted now.
    bool IsOpen() const noexcept { return m_state->IsOpen(); }
    /// From now on every bound call holds `owner` (the owner's own shared pointer) while it runs, and
    /// does nothing once `owner` has expired. Any thread, any time after construction; never throws.
    void HoldOwner(std::weak_ptr<void const> owner) noexcept { m_state->HoldOwner(std::move(owner)); }
    /// Whether HoldOwner was called. Lock-free; never throws.
    bool HoldsOwner() const noexcept { return m_state->HoldsOwner(); }

    /// Runs `fn()` when the guard is open and returns true; else returns false without calling it.
    /// Throws what `fn` throws (the call is counted as ended).
    template <class Fn> bool Run(Fn&& fn) const { return RunGuarded(*m_state, std::forward<Fn>(fn)); }

    /// The shared state, for binding (see BindToOwner).
    std::shared_ptr<COwnerGuardState> const& GetState() const noexcept { return m_state; }

    /// See Run(); on a state that may have outlived its guard.
    template <class Fn> static bool RunGuarded(COwnerGuardState& state, Fn&& fn)
    {
        std::shared_ptr<void const> hold;
        if (!state.Enter(hold))
            return false;
        struct SLeave
        {
            COwnerGuardState& state;
            std::shared_ptr<void const>& hold;
            ~SLeave()
            {
                state.Leave();
                CDeliveryScope::ReleaseAfterDelivery(std::move(hold));
            }
        } const leave{state, hold};
        std::forward<Fn>(fn)();
        return true;
    }

private:
    std::shared_ptr<COwnerGuardState> m_state;
};

/// An owner that is shared through `std::shared_ptr` and whose bound calls may hold it: models and view
/// models implement it by returning their guard (every `TNotifyPropertyChangedImpl` owner does).
///
/// It derives from `std::enable_shared_from_this`, so an owner made by `std::make_shared` (or adopted by
/// a `std::shared_ptr`) knows its own shared pointer, whoever created it, without the creator doing
/// anything more. The owner is then held during its bound calls from the first of:
///  - HoldDuringBoundCalls / MakeGuardedShared, called by whoever holds it (the data exchange
///    configurations do for their models);
///  - HoldSelfDuringBoundCalls, which owners call where a GUI starts to follow them (a
///    `TNotifyPropertyChangedImpl` owner does when its `PropertyChanged` is subscribed to).
/// Nobody learns the shared pointer from a bound call on another thread: that thread may not yet see
/// what `std::make_shared` wrote once the constructor had returned.
class IGuardedOwner : public std::enable_shared_from_this<IGuardedOwner>
{
public:
    /// The guard the owner's calls are bound to.
    virtual COwnerGuard& GetOwnerGuard() noexcept = 0;

protected:
    IGuardedOwner() = default;
    IGuardedOwner(IGuardedOwner const&) = delete;
    IGuardedOwner& operator=(IGuardedOwner const&) = delete;
    virtual ~IGuardedOwner() = default;

    /// Lets `guard`'s bound calls hold this owner from now on, when the owner is shared through a
    /// `std::shared_ptr`; does nothing for an owner that is not (held by value, by `unique_ptr`, or still
    /// in its constructor: a later call holds it) and once it is held. Call it on a thread that holds a
    /// reference to the owner it got after the owner's creation had finished (any thread that reached
    /// the owner through a shared pointer, or the creating thread). Never throws.
    void HoldSelfDuringBoundCalls(COwnerGuard& guard) const noexcept
    {
        if (guard.HoldsOwner())
            return;
        std::weak_ptr<IGuardedOwner const> self = weak_from_this();
        if (!self.expired())
            guard.HoldOwner(std::move(self));
    }
};

/// Lets the bound calls of `owner` hold it while they run (COwnerGuard::HoldOwner), when `owner` is an
/// IGuardedOwner; does nothing for any other object or an empty pointer. Whoever holds a model's shared
/// pointer may call it (the data exchange configurations do for every model they hold); a view model
/// followed by a GUI is held from the GUI's first subscription anyway. Calling it again is harmless.
/// Never throws.
template <class T> void HoldDuringBoundCalls(std::shared_ptr<T> const& owner) noexcept
{
    if (auto* const guarded = dynamic_cast<IGuardedOwner*>(owner.get()))
        guarded->GetOwnerGuard().HoldOwner(std::weak_ptr<void const>(owner));
}

/// `std::make_shared<T>(args...)` followed by HoldDuringBoundCalls: the owner is held during its bound
/// calls from its creation on. Throws what the constructor throws and std::bad_alloc.
template <class T, class... Args> std::shared_ptr<T> MakeGuardedShared(Args&&... args)
{
    std::shared_ptr<T> owner = std::make_shared<T>(std::forward<Args>(args)...);
    HoldDuringBoundCalls(owner);
    return owner;
}

/// A callable that calls `fn(owner, args...)` (a member function pointer or a callable taking
/// `Owner&` first) only while `guard` is open, and otherwise does nothing; once the owner is held
/// (COwnerGuard::HoldOwner), the call holds it and does nothing when it has expired. It holds the
/// guard's state and a plain pointer to `owner`, so it may outlive both. Copyable when `fn` is; `fn`
/// may keep state between calls (it is called as a non-const object).
template <class Owner, class Fn> auto BindToOwner(COwnerGuard const& guard, Owner& owner, Fn fn)
{
    return [state = guard.GetState(), ownerPointer = &owner, fn = std::move(fn)](auto&&... args) mutable
    {
        static_cast<void>(COwnerGuard::RunGuarded(
            *state, [&] { std::invoke(fn, *ownerPointer, std::forward<decltype(args)>(args)...); }));
    };
}
} // namespace Base
