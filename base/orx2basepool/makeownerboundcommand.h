#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/makeregisteredcommand.h"

#include <memory>
#include <string>
#include <utility>

namespace Base
{
/// Makes a command of type `Cmd` (a TCommand or TSerializableCommand) whose action calls
/// `fn(owner, args...)` only while `guard` is open, and registers it under `name` (see
/// MakeRegisteredCommand: a name taken by a live command stays with that one). Made where the owner
/// makes its commands, in its constructor; the guard must be declared before the command member.
///
/// An execution before the owner's constructor has finished, or once its destruction has begun, goes
/// through the usual bookkeeping (journal, command stream, recording, GUI-locking count) and then does
/// nothing; one running on another thread is waited for by the owner's destructor (COwnerGuard).
/// Throws what the command's constructor throws and std::bad_alloc. Thread-safe.
template <class Cmd, class Owner, class Fn>
std::shared_ptr<Cmd> MakeOwnerBoundCommand(COwnerGuard const& guard, Owner& owner, Fn fn, std::wstring const& name,
                                           bool locksGui)
{
    return MakeRegisteredCommand<Cmd>(BindToOwner(guard, owner, std::move(fn)), name, locksGui);
}
} // namespace Base
