#pragma once
// The process-wide directory of commands by name, through which a host finds what it can execute.
#include "host/foundation/jbsingleton.h"
#include "host/orx2hostexport.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Base
{
class ICommandBase;

/// Maps names to commands without owning them: an entry lives as long as its command does.
/// The process-wide instance is JbSingleton<CCommandRegistry>::GetInstance(); separate instances are
/// independent (useful in tests). All members are thread-safe (one internal mutex); the registry never
/// calls into a command, so it may be used from command constructors and destructors.
class ORX2_HOST_EXPORT CCommandRegistry
{
public:
    CCommandRegistry();
    ~CCommandRegistry();
    CCommandRegistry(CCommandRegistry const&) = delete;
    CCommandRegistry& operator=(CCommandRegistry const&) = delete;

    /// Registers `command` under `name`. Returns false, keeping the registry unchanged, when `command`
    /// is expired or a live command is already registered under `name` (first one wins); an expired
    /// entry under `name` is replaced. Prunes all expired entries. Throws std::bad_alloc.
    bool AddCommand(std::wstring const& name, std::weak_ptr<ICommandBase> command);

    /// The live command registered under `name`, or empty when there is none.
    std::shared_ptr<ICommandBase> FindCommand(std::wstring const& name) const;

    /// The names of all live commands in ascending order. Prunes expired entries. Throws std::bad_alloc.
    std::vector<std::wstring> GetCommandNames() const;

    /// Removes the entry under `name`, live or expired. Returns true when there was one.
    bool RemoveCommand(std::wstring const& name);

    /// Removes the entry under `name` only when it was registered for `command`. This is the form for a
    /// command's destructor: its own entry is expired by then, and a newer command may already have
    /// replaced it under the same name. Returns true when an entry was removed.
    bool RemoveCommand(std::wstring const& name, ICommandBase const* command);

private:
    struct SEntry
    {
        std::weak_ptr<ICommandBase> command;
        ICommandBase const* identity; // only compared, never dereferenced
    };

    void PruneLocked() const;

    mutable std::mutex m_mutex;
    mutable std::map<std::wstring, SEntry> m_entries;
};
} // namespace Base

/// The process-wide registry: created on first use and never destroyed, so commands that are static
/// objects of other libraries may still unregister while the process exits.
template <> ORX2_HOST_EXPORT Base::CCommandRegistry& JbSingleton<Base::CCommandRegistry>::GetInstance();
