#pragma once
#include "qtbridge/cqueuedcall.h"
#include "qtbridge/orx2qtbridgeexport.h"

#include "base/orx2basepool/cscopedeventsignalconnection.h"

#include <QObject>

#include <atomic>

namespace Orx2Qt
{
/// The number of GUI-locking commands running in the process, for the screen to disable its input
/// (`enabled: !guiLock.locked`).
///
/// Threading: created, used and destroyed on the GUI thread. The count changes on the threads that run
/// commands; each change is posted, and the properties follow on the GUI thread (changes that arrive
/// while one is pending merge into the newest count).
/// Lifetime: destroying it first disconnects from the count, waiting for a handler running on another
/// thread (which only posts).
class ORX2_QTBRIDGE_EXPORT CGuiLock : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(bool locked READ locked NOTIFY lockedChanged)

public:
    /// Starts with the count as it is now.
    explicit CGuiLock(QObject* parent = nullptr);
    ~CGuiLock() override;

    /// The number of GUI-locking commands running (QML's `count`).
    int count() const noexcept { return m_count; }
    /// Whether one runs: input is to be disabled (QML's `locked`).
    bool locked() const noexcept { return m_count > 0; }

Q_SIGNALS:
    /// The count changed.
    void countChanged();
    /// The locked flag changed.
    void lockedChanged();

private:
    void Apply(); // GUI thread

    int m_count = 0; // GUI thread
    std::atomic<unsigned> m_latest{0};
    CQueuedCall m_apply;
    Base::CScopedEventSignalConnection m_connection; // reset first in the destructor
};
} // namespace Orx2Qt
