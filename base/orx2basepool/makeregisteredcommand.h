#pragma once
#include "base/orx2basepool/icommandbase.h"
#include "host/acquisitionbase/ccommandregistry.h"

#include <memory>
#include <utility>

namespace Base
{
/// Makes a command (one allocation) and registers it in the process-wide registry under its name, so
/// that it can be found and replayed by name as long as the returned pointer (or a copy) lives. `Cmd` is
/// a TCommand or TSerializableCommand; `ctorArgs` are its constructor's (action, name, locksGui). A
/// name that is already taken by a live command is left to that command: the new one is then only
/// reachable through the returned pointer. Throws what the constructor throws and std::bad_alloc.
/// Thread-safe.
template <class Cmd, class... CtorArgs> std::shared_ptr<Cmd> MakeRegisteredCommand(CtorArgs&&... ctorArgs)
{
    auto command = std::make_shared<Cmd>(std::forward<CtorArgs>(ctorArgs)...);
    static_cast<void>(JbSingleton<CCommandRegistry>::GetInstance().AddCommand(
        command->GetName(), std::weak_ptr<ICommandBase>(command)));
    return command;
}
} // namespace Base
