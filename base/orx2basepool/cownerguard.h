#pragma once
#include "base/orx2basepool/orx2basepoolexport.h"

#include <condition_variable>
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
    /// with Leave(). Returns false (nothing counted) before Open() and after Close().
    bool Enter();
    void Leave() noexcept;
    void Open() noexcept;
    /// Refuses new calls, then waits until the admitted calls of other threads have left. Calls of the
    /// closing thread itself are not waited for (they could never end).
    void Close() noexcept;
    bool IsOpen() const noexcept;

private:
    enum class EPhase
    {
        Constructing,
        Open,
        Closed
    };
    mutable std::mutex m_mutex;
    std::condition_variable m_left;
    EPhase m_phase = EPhase::Constructing;
    int m_running = 0;
};

/// Lets callables that reach an owner (registered command actions, observer callbacks) run only while
/// the owner is whole: not before its constructor has finished, not once its destruction has begun.
///
/// Usage: declare the guard before every member that a bound callable uses (in particular before the
/// commands whose actions are bound to it); call `Open()` as the last statement of the owner's
/// constructor and `Close()` as the first statement of its destructor. A derived class whose overrides
/// a bound callable reaches calls `Close()` first in its own destructor (Close is idempotent).
///
/// Threads: a bound call on another thread is waited for by `Close()`, so after `Close()` returns no
/// bound call is running and none will start. A call refused by a closed or not yet opened guard does
/// nothing. Not allowed: destroying the owner from inside one of its own bound calls (Close does not
/// wait for the closing thread's own calls, so it does not hang, but the running call would then use a
/// dead owner). `Close()` must not be called while holding a lock that a bound call on another thread
/// waits for.
///
/// Lifetime: the guard's state is shared with the bound callables and outlives the owner as long as
/// one of them lives.
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

    /// Runs `fn()` when the guard is open and returns true; else returns false without calling it.
    /// Throws what `fn` throws (the call is counted as ended).
    template <class Fn>
    bool Run(Fn&& fn) const
    {
        return RunGuarded(*m_state, std::forward<Fn>(fn));
    }

    /// The shared state, for binding (see BindToOwner).
    std::shared_ptr<COwnerGuardState> const& GetState() const noexcept { return m_state; }

    /// See Run(); on a state that may have outlived its guard.
    template <class Fn>
    static bool RunGuarded(COwnerGuardState& state, Fn&& fn)
    {
        if (!state.Enter())
            return false;
        struct SLeave
        {
            COwnerGuardState& state;
            ~SLeave() { state.Leave(); }
        } const leave{state};
        std::forward<Fn>(fn)();
        return true;
    }

private:
    std::shared_ptr<COwnerGuardState> m_state;
};

/// A callable that calls `fn(owner, args...)` (a member function pointer or a callable taking
/// `Owner&` first) only while `guard` is open, and otherwise does nothing. It holds the guard's state
/// and a plain pointer to `owner`, so it may outlive both. Copyable when `fn` is.
template <class Owner, class Fn>
auto BindToOwner(COwnerGuard const& guard, Owner& owner, Fn fn)
{
    return [state = guard.GetState(), ownerPointer = &owner, fn = std::move(fn)](auto&&... args)
    {
        static_cast<void>(COwnerGuard::RunGuarded(
            *state, [&] { std::invoke(fn, *ownerPointer, std::forward<decltype(args)>(args)...); }));
    };
}
} // namespace Base
