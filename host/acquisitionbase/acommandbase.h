#pragma once
// The non-template base of every command, and the process-wide state all commands share.
#include "base/orx2basepool/icommandbase.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluestreamsource.h"
#include "host/orx2hostexport.h"

#include <cstdint>
#include <string>

namespace Base
{
/// Keeps a command's name and hands out execution ids. Lives in the host library so that its statics
/// exist once per process, whichever library defines the command. ICommandBase is a virtual base, shared
/// with the command's ICommand<...>: a command has one identity, whichever way it is converted.
class ORX2_HOST_EXPORT ACommandBase : public virtual ICommandBase
{
public:
    ~ACommandBase() override;

    /// The name given at construction. Thread-safe; never changes.
    std::wstring GetName() const override;

    /// Every execution of every command, pushed before its action runs, on the executing thread; the
    /// value is the command's ICommandBase, the same pointer the registry hands out. Handlers
    /// must not keep the pointer beyond the call. Exists for the whole life of the process.
    static Binding::TValueStreamSource<ICommandBase*> ms_EventCommandStream;

    /// The number of GUI-locking commands running now (0 at start); the GUI disables its input while it is
    /// above 0. Commands change it with Update, so concurrent executions never lose a count; others
    /// should only read it or observe it.
    static TProperty<unsigned int> s_numberOfActiveGUILockingCommands;

protected:
    /// Throws std::bad_alloc.
    explicit ACommandBase(std::wstring const& name);

    /// A new execution id on every call, unique in the process until 2^32 calls wrap it. Starts at 1.
    /// Thread-safe and lock-free.
    static std::uint32_t setNextExecutionID() noexcept;

private:
    std::wstring const m_name;
};
} // namespace Base
