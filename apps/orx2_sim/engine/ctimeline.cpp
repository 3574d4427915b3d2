#include "ctimeline.h"

#include <utility>

namespace Orx2Sim
{
void CTimeline::SetDetailed(bool detailed)
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_detailed = detailed;
}

bool CTimeline::IsDetailed() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_detailed;
}

void CTimeline::Add(STimelineEvent event)
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    ++m_count;
    if (m_detailed)
        m_events.push_back(std::move(event));
}

void CTimeline::Count()
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    ++m_count;
}

std::vector<STimelineEvent> CTimeline::Take()
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return std::exchange(m_events, {});
}

std::uint64_t CTimeline::GetEventCount() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_count;
}
} // namespace Orx2Sim
