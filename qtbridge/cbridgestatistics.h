#pragma once
#include "qtbridge/orx2qtbridgeexport.h"
#include <QtGlobal>

class QObject;

namespace Orx2Qt
{
/// What the bridge did since the process started. Tests and the benchmark take the difference of two
/// readings.
struct SBridgeCounts
{
    quint64 snapshotsRead = 0;  ///< view-model rows read on a notifying thread
    quint64 postsQueued = 0;    ///< calls posted to a GUI thread (merged requests count once)
    quint64 updatesApplied = 0; ///< snapshots applied by a map on its GUI thread
    quint64 valuesChanged = 0;  ///< map keys whose value changed (each emits its QML notify signal)
    quint64 rowChanges = 0;     ///< array notifications turned into row signals
    quint64 offThreadCalls = 0; ///< bridge slots that ran on another thread than their object's
};

/// What happened between two readings: `later - earlier`, member by member.
ORX2_QTBRIDGE_EXPORT SBridgeCounts operator-(SBridgeCounts const& later,
                                             SBridgeCounts const& earlier) noexcept;

/// Process-wide counters of the bridge classes. Every member is thread-safe and lock-free.
class ORX2_QTBRIDGE_EXPORT CBridgeStatistics
{
public:
    /// The counts now.
    static SBridgeCounts Get() noexcept;

    /// True when the caller runs on `object`'s thread. Otherwise counts an off-thread call (asserted in
    /// debug builds) and returns false. Every bridge slot starts with it.
    static bool CheckGuiThread(QObject const& object) noexcept;

    /// @{
    /// Counts one event of its kind (CountValuesChanged: `count` values); lock-free, any thread.
    static void CountSnapshotRead() noexcept;
    static void CountPostQueued() noexcept;
    static void CountUpdateApplied() noexcept;
    static void CountValuesChanged(quint64 count) noexcept;
    static void CountRowChange() noexcept;
    /// @}
};
} // namespace Orx2Qt
