#include "host/acquisitionbase/ccommandregistry.h"

namespace Base
{
CCommandRegistry::CCommandRegistry() = default;

CCommandRegistry::~CCommandRegistry() = default;

bool CCommandRegistry::AddCommand(std::wstring const& name, std::weak_ptr<ICommandBase> command)
{
    std::shared_ptr<ICommandBase> const live = command.lock();
    if (!live)
    {
        return false;
    }
    std::lock_guard<std::mutex> const lock(m_mutex);
    PruneLocked();
    // After pruning, any entry still under `name` is live.
    return m_entries.emplace(name, SEntry{std::move(command), live.get()}).second;
}

std::shared_ptr<ICommandBase> CCommandRegistry::FindCommand(std::wstring const& name) const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    auto const found = m_entries.find(name);
    return found != m_entries.end() ? found->second.command.lock() : nullptr;
}

std::vector<std::wstring> CCommandRegistry::GetCommandNames() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    PruneLocked();
    std::vector<std::wstring> names;
    names.reserve(m_entries.size());
    for (auto const& entry : m_entries)
    {
        names.push_back(entry.first);
    }
    return names;
}

bool CCommandRegistry::RemoveCommand(std::wstring const& name)
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_entries.erase(name) != 0;
}

bool CCommandRegistry::RemoveCommand(std::wstring const& name, ICommandBase const* command)
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    auto const found = m_entries.find(name);
    if (found == m_entries.end() || found->second.identity != command)
    {
        return false;
    }
    m_entries.erase(found);
    return true;
}

void CCommandRegistry::PruneLocked() const
{
    for (auto entry = m_entries.begin(); entry != m_entries.end();)
    {
        entry = entry->second.command.expired() ? m_entries.erase(entry) : std::next(entry);
    }
}
} // namespace Base

template <> Base::CCommandRegistry& JbSingleton<Base::CCommandRegistry>::GetInstance()
{
    static auto* const instance = new Base::CCommandRegistry();
    return *instance;
}
