#pragma once
#include "cpropertycatalog.h"
#include "ctimeline.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace Orx2Sim
{
/// Watches every source of a catalog as a GUI would: when a source notifies, it re-reads that source's
/// values and adds one event to the timeline with the values that changed since they were last read.
/// While the timeline is not detailed it only counts the notification.
///
/// Lifetime: the catalog, the timeline and every source outlive the watch; destruction ends all
/// connections (waiting for a running handler). Handlers may arrive on any thread.
class CPropertyWatch
{
public:
    /// Connects to every source and reads every value once. Throws what the sources and readers throw.
    CPropertyWatch(CPropertyCatalog const& catalog, CTimeline& timeline);
    ~CPropertyWatch();
    CPropertyWatch(CPropertyWatch const&) = delete;
    CPropertyWatch& operator=(CPropertyWatch const&) = delete;

    /// Re-reads every value; values that changed without their source telling anyone become one
    /// "Unnotified" event. Call at the end of a step.
    void SweepUnnotified();

    /// Every value as read now, by name.
    Json ReadAll() const;

private:
    void OnNotified(std::size_t source);
    std::vector<SChange> Diff(std::size_t source, bool allSources);

    CPropertyCatalog const& m_catalog;
    CTimeline& m_timeline;
    std::mutex m_mutex;               // guards m_values
    std::vector<Json> m_values;       // last read value per property
    std::atomic<bool> m_armed{false}; // notifications during connection are not changes
    std::vector<std::shared_ptr<void>> m_connections;
};
} // namespace Orx2Sim
