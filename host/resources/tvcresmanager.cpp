#include "host/resources/tvcresmanager.h"

#include <mutex>

TvCResManager::TvCResManager() = default;

TvCResManager::~TvCResManager() = default;

CStringW TvCResManager::GetString(unsigned int id) const
{
    std::shared_lock<std::shared_mutex> const lock(m_mutex);
    auto const found = m_strings.find(id);
    return found != m_strings.end() ? found->second : CStringW();
}

bool TvCResManager::HasString(unsigned int id) const
{
    std::shared_lock<std::shared_mutex> const lock(m_mutex);
    return m_strings.count(id) != 0;
}

void TvCResManager::SetString(unsigned int id, CStringW text)
{
    std::unique_lock<std::shared_mutex> const lock(m_mutex);
    m_strings[id] = std::move(text);
}

void TvCResManager::LoadStrings(std::map<unsigned int, CStringW> const& strings)
{
    // Merge into a copy so that a failing allocation leaves the loaded strings as they were.
    std::unique_lock<std::shared_mutex> const lock(m_mutex);
    std::map<unsigned int, CStringW> merged(strings);
    merged.insert(m_strings.begin(), m_strings.end()); // keeps the new text where both have an id
    m_strings.swap(merged);
}

void TvCResManager::Clear() noexcept
{
    std::map<unsigned int, CStringW> old;
    {
        std::unique_lock<std::shared_mutex> const lock(m_mutex);
        old.swap(m_strings);
    }
}

template <> TvCResManager& JbSingleton<TvCResManager>::GetInstance()
{
    static auto* const instance = new TvCResManager();
    return *instance;
}
