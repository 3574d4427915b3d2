#pragma once
#include "base/orx2basepool/casyncpromise.h"
#include "base/orx2basepool/csourcefile.h"
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/internal/cdeliveryscope.h"
#include "base/orx2basepool/internal/commandfunctionname.h"
#include "host/acquisitionbase/acommandbase.h"
#include "host/acquisitionbase/ijournal.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace Base
{
namespace Internal
{
/// The context a command passes when it waits for its own action's result.
constexpr std::uint32_t kCommandCompletionContext = 2;

/// One more GUI-locking command is running; read, add and notify in one writer section.
inline void RaiseGuiLockingCount()
{
    ACommandBase::s_numberOfActiveGUILockingCommands.Update([](unsigned int count) { return count + 1; });
}

/// One GUI-locking command fewer. Stays at 0 rather than wrapping: a count that someone reset while a
/// command ran must not turn into a GUI that is locked for ever.
inline void LowerGuiLockingCount()
{
    ACommandBase::s_numberOfActiveGUILockingCommands.Update([](unsigned int count)
                                                            { return count == 0 ? 0U : count - 1; });
}
} // namespace Internal

template <class Result, class... Args> class TCommand;

/// A named command whose action runs synchronously on the executing thread.
///
/// Every execution is reported to the journal (the report stays open until Execute returns), pushed on
/// ACommandBase::ms_EventCommandStream and, for a GUI-locking command, counted in
/// ACommandBase::s_numberOfActiveGUILockingCommands exactly while the action runs. The result is
/// complete when Execute returns. `Args` may contain references, including out-parameters.
/// Construct with std::make_shared (see MakeRegisteredCommand). Thread-safety: Execute may run on
/// several threads at once; the action must allow that.
template <class... Args> class TCommand<void, Args...> : public ACommandBase, public ICommand<Args...>
{
public:
    using Action = std::function<void(Args...)>; ///< The action run by Execute.

    /// Keeps `actionToRun` (may be empty: Execute then throws) and obtains the command's journal handle.
    /// Throws std::bad_alloc and what the journal throws.
    TCommand(Action actionToRun, std::wstring const& name, bool locksGuiWhileRunning)
        : ACommandBase(name), action(std::move(actionToRun)), locksGui(locksGuiWhileRunning),
          journalHandle(GetJournal().CreateHandle(name))
    {
    }

    ~TCommand() override = default;

    /// False: only TSerializableCommand can be executed from serialized arguments.
    bool IsSerializable() const override { return false; }

    /// Always throws OrxException naming the command: its arguments cannot be serialized.
    std::shared_ptr<IAsyncResult<>> Execute(std::vector<unsigned char> const& /*blob*/) override
    {
        // Plain locals: g++ cannot see that a call with type-dependent arguments does not return.
        std::string const function = Internal::GetCommandFunctionName<Args...>("Base::TCommand", "Execute");
        std::wstring const name = GetName();
        CSourceFile("base/orx2basepool/tcommand")
            .Throw(__LINE__, function.c_str(), L"Command '%s' does not support Execute with serialized (BLOB) arguments",
                   name.c_str());
    }

    /// Reports, publishes and runs the action with `args`; returns a complete result. Throws
    /// std::bad_function_call when the action is empty, and whatever the action throws; in both cases
    /// the journal report and the publication have happened and the GUI-locking count is back where it
    /// was.
    std::shared_ptr<IAsyncResult<>> Execute(Args... args) override
    {
        // An owner-bound action that turns out to hold the last reference to its owner releases it when
        // the execution is over, not inside the action.
        CDeliveryScope const delivery;
        CJournalReport const report = GetJournal().Report(journalHandle);
        ACommandBase::ms_EventCommandStream.Push(this);
        if (!locksGui)
            return RunAction(std::forward<Args>(args)...);

        Internal::RaiseGuiLockingCount();
        std::shared_ptr<IAsyncResult<>> actionResult;
        std::shared_ptr<IAsyncResult<>> result;
        std::unique_ptr<IAsyncResultCallback<>> unlock;
        try
        {
            actionResult = RunAction(std::forward<Args>(args)...);
            CAsyncPromise<> promise;
            result = promise.GetResult();
            unlock = MakeResultCallback(
                [impl = promise.GetImpl()]
                {
                    Internal::LowerGuiLockingCount();
                    impl->Set();
                });
        }
        catch (...)
        {
            // The action has stopped running, so it no longer locks the GUI; a count left raised would
            // keep the GUI locked for the rest of the session.
            Internal::LowerGuiLockingCount();
            throw;
        }
        actionResult->AddCallback(std::move(unlock), Internal::kCommandCompletionContext);
        return result;
    }

    /// The name given at construction.
    std::wstring GetName() const override { return ACommandBase::GetName(); }

private:
    std::shared_ptr<IAsyncResult<>> RunAction(Args... args)
    {
        if (!action)
            throw std::bad_function_call();
        action(std::forward<Args>(args)...);
        CAsyncPromise<> done;
        done.Set();
        return done.GetResult();
    }

    Action const action;
    bool const locksGui;
    std::shared_ptr<CJournalHandle> const journalHandle;
};
} // namespace Base
