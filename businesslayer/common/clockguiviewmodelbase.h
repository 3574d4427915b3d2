#pragma once
#include "base/orx2basepool/interfaces/ilockguiviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <mutex>

namespace BusinessLayer
{
/// Tells the GUI whether its input is locked and whether to show the animated work indicator.
///
/// The lock count is set by the view model's owner, never by this class: `GetLockCount()` hands the
/// owner the settable property (the GUI reaches the same property read-only through the interface).
/// The reference host, for one, keeps it equal to the number of GUI-locking commands running.
///
/// The indicator is requested and released by any number of callers through
/// `ShowAnimatedWorkIndicator`, and counted exactly from any thread.
///
/// Thread-safety: every member may be called from any thread; notifications run on the calling thread.
class ORX2_COMMON_EXPORT CLockGUIViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::ILockGUIViewModel>
{
public:
    /// Both counts 0. Throws std::bad_alloc.
    CLockGUIViewModelBase();
    ~CLockGUIViewModelBase() override;

    /// The lock count, settable by the owner: the GUI locks its input while it is above 0.
    Base::TProperty<unsigned int>& GetLockCount() override { return m_lockCount; }
    /// The number of open requests for the work indicator; shown while above 0.
    Base::IProperty<unsigned int> const& GetShowAnimatedWorkIndicator() const override
    {
        return m_showAnimatedWorkIndicator;
    }

    /// Opens (`show` true) or closes (false) one request for the work indicator: the count goes up or
    /// down by one and the GUI is told when it changed. Closing with no request open leaves 0 and
    /// notifies nobody; so does closing with more than 2^31 requests open, which is counted as a signed
    /// number and drops to 0. Read, change and notification happen under one mutex, so concurrent
    /// requests are counted exactly and every notification differs from the one before by one.
    /// The mutex is not recursive: a handler of the indicator's notification must not call this
    /// function on its own thread (it would wait for itself); post such a request to another thread.
    /// Throws what the notification's handlers throw (the count is changed all the same).
    void ShowAnimatedWorkIndicator(bool show);

private:
    static Logging::CLogger const s_logger; // the class's channel; it writes nothing to it

    Base::TProperty<unsigned int> m_lockCount{0U, *this};
    Base::TProperty<unsigned int> m_showAnimatedWorkIndicator{0U, *this};
    std::mutex m_indicatorMutex;
};
} // namespace BusinessLayer
