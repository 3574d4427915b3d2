#pragma once
#include "base/orx2basepool/iasyncresult.h"
#include "base/orx2basepool/icommandbase.h"

#include <memory>

namespace Base
{
/// A command executable with typed arguments; this is how owners expose their commands
/// (`std::shared_ptr<ICommand<Args...>>`). ICommandBase is a virtual base, so an implementation that
/// also derives from ACommandBase still has one ICommandBase, its identity towards the registry, the
/// command stream and the recorder.
template <class... Args> class ICommand : public virtual ICommandBase
{
public:
    using ICommandBase::Execute;

    /// Runs the command with `args` and returns its result; the caller may Wait on it, register a
    /// callback or drop it. What it throws and its thread-safety are documented by the command.
    virtual std::shared_ptr<IAsyncResult<>> Execute(Args... args) = 0;
};
} // namespace Base
