#pragma once

#include <memory>
#include <mutex>
#include <utility>

namespace Base
{
/// A command member that its owner exposes through a plain getter and setter: setting it notifies
/// nobody (a command the GUI must be told about is a `TProperty<std::shared_ptr<ICommand<...>>>`).
///
/// Thread-safety: `Get`, `Set` and `ExecuteIfSet` may be called from any thread at the same time; a
/// reader gets either the old or the new command, never a torn pointer. The slot's lock is held only to
/// copy or swap the pointer: a command runs, and a replaced command is released, outside it.
/// Lifetime: the slot holds its command strongly; an execution in progress keeps its command alive
/// even when the slot is emptied meanwhile.
template <class Command>
class TCommandSlot
{
public:
    TCommandSlot() = default;
    /// Holds `command`.
    explicit TCommandSlot(std::shared_ptr<Command> command) : m_command(std::move(command)) {}
    TCommandSlot(TCommandSlot const&) = delete;
    TCommandSlot& operator=(TCommandSlot const&) = delete;

    /// The command, or an empty pointer while none is installed.
    std::shared_ptr<Command> Get() const
    {
        std::lock_guard<std::mutex> const lock(m_lock);
        return m_command;
    }

    /// Replaces the command (an empty pointer empties the slot). Never throws.
    void Set(std::shared_ptr<Command> command) noexcept
    {
        {
            std::lock_guard<std::mutex> const lock(m_lock);
            m_command.swap(command);
        }
        // `command` now holds the replaced one, released here outside the lock.
    }

    /// Executes the installed command with `args` and drops its result; does nothing while the slot is
    /// empty. Returns whether a command ran. Throws what the command throws.
    template <class... Args>
    bool ExecuteIfSet(Args&&... args) const
    {
        auto const command = Get();
        if (!command)
            return false;
        static_cast<void>(command->Execute(std::forward<Args>(args)...));
        return true;
    }

private:
    mutable std::mutex m_lock;
    std::shared_ptr<Command> m_command;
};

/// Executes `command` with `args` when it is not empty and drops the result; returns whether it ran.
/// For commands kept in properties or copied out of a slot. Throws what the command throws.
template <class Command, class... Args>
bool ExecuteIfSet(std::shared_ptr<Command> const& command, Args&&... args)
{
    if (!command)
        return false;
    static_cast<void>(command->Execute(std::forward<Args>(args)...));
    return true;
}
} // namespace Base
