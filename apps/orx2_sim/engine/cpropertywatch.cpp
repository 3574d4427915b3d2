#include "cpropertywatch.h"

#include <algorithm>

namespace Orx2Sim
{
CPropertyWatch::CPropertyWatch(CPropertyCatalog const& catalog, CTimeline& timeline)
    : m_catalog(catalog), m_timeline(timeline)
{
    auto const& sources = m_catalog.GetSources();
    for (std::size_t index = 0; index < sources.size(); ++index)
        m_connections.push_back(sources[index].subscribe([this, index] { OnNotified(index); }));
    for (auto const& property : m_catalog.GetProperties())
        m_values.push_back(property.read());
    m_armed = true;
}

CPropertyWatch::~CPropertyWatch()
{
    // Newest first, each waiting for its running handler.
    while (!m_connections.empty())
        m_connections.pop_back();
}

void CPropertyWatch::OnNotified(std::size_t source)
{
    if (!m_armed)
        return;
    if (!m_timeline.IsDetailed())
        return m_timeline.Count();
    STimelineEvent event;
    event.kind = STimelineEvent::EKind::Changed;
    event.source = m_catalog.GetSources()[source].label;
    event.event = m_catalog.GetSources()[source].event;
    event.changes = Diff(source, false);
    m_timeline.Add(std::move(event));
}

void CPropertyWatch::SweepUnnotified()
{
    if (!m_timeline.IsDetailed())
        return;
    std::vector<SChange> changes = Diff(0, true);
    if (changes.empty())
        return;
    STimelineEvent event;
    event.kind = STimelineEvent::EKind::Changed;
    event.source = "screen";
    event.event = "Unnotified";
    event.changes = std::move(changes);
    m_timeline.Add(std::move(event));
}

std::vector<SChange> CPropertyWatch::Diff(std::size_t source, bool allSources)
{
    std::vector<SChange> changes;
    auto const& properties = m_catalog.GetProperties();
    std::lock_guard<std::mutex> const lock(m_mutex);
    for (std::size_t index = 0; index < properties.size(); ++index)
    {
        auto const& sources = properties[index].sources;
        if (!allSources && std::find(sources.begin(), sources.end(), source) == sources.end())
            continue;
        Json now = properties[index].read();
        if (now != m_values[index])
        {
            changes.push_back(SChange{properties[index].name, m_values[index], now});
            m_values[index] = std::move(now);
        }
    }
    return changes;
}

Json CPropertyWatch::ReadAll() const
{
    Json values = Json::object();
    for (auto const& property : m_catalog.GetProperties())
        values[property.name] = property.read();
    return values;
}
} // namespace Orx2Sim
