#include "qtbridge/cbridgestatistics.h"

#include <QObject>
#include <QThread>

#include <atomic>

namespace Orx2Qt
{
namespace
{
struct SCounters
{
    std::atomic<quint64> snapshotsRead{0};
    std::atomic<quint64> postsQueued{0};
    std::atomic<quint64> updatesApplied{0};
    std::atomic<quint64> valuesChanged{0};
    std::atomic<quint64> rowChanges{0};
    std::atomic<quint64> offThreadCalls{0};
};

SCounters s_counters;

void Add(std::atomic<quint64>& counter, quint64 count = 1) noexcept
{
    counter.fetch_add(count, std::memory_order_relaxed);
}
} // namespace

SBridgeCounts CBridgeStatistics::Get() noexcept
{
    SBridgeCounts counts;
    counts.snapshotsRead = s_counters.snapshotsRead.load(std::memory_order_relaxed);
    counts.postsQueued = s_counters.postsQueued.load(std::memory_order_relaxed);
    counts.updatesApplied = s_counters.updatesApplied.load(std::memory_order_relaxed);
    counts.valuesChanged = s_counters.valuesChanged.load(std::memory_order_relaxed);
    counts.rowChanges = s_counters.rowChanges.load(std::memory_order_relaxed);
    counts.offThreadCalls = s_counters.offThreadCalls.load(std::memory_order_relaxed);
    return counts;
}

SBridgeCounts operator-(SBridgeCounts const& later, SBridgeCounts const& earlier) noexcept
{
    return {later.snapshotsRead - earlier.snapshotsRead,   later.postsQueued - earlier.postsQueued,
            later.updatesApplied - earlier.updatesApplied, later.valuesChanged - earlier.valuesChanged,
            later.rowChanges - earlier.rowChanges,         later.offThreadCalls - earlier.offThreadCalls};
}

bool CBridgeStatistics::CheckGuiThread(QObject const& object) noexcept
{
    bool const onThread = QThread::currentThread() == object.thread();
    if (!onThread)
        Add(s_counters.offThreadCalls);
    Q_ASSERT_X(onThread, "Orx2Qt::CBridgeStatistics::CheckGuiThread",
               "a bridge slot ran off its object's thread");
    return onThread;
}

void CBridgeStatistics::CountSnapshotRead() noexcept
{
    Add(s_counters.snapshotsRead);
}
void CBridgeStatistics::CountPostQueued() noexcept
{
    Add(s_counters.postsQueued);
}
void CBridgeStatistics::CountUpdateApplied() noexcept
{
    Add(s_counters.updatesApplied);
}
void CBridgeStatistics::CountValuesChanged(quint64 count) noexcept
{
    Add(s_counters.valuesChanged, count);
}
void CBridgeStatistics::CountRowChange() noexcept
{
    Add(s_counters.rowChanges);
}
} // namespace Orx2Qt
