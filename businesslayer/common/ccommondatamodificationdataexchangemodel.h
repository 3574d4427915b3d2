#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/interfaces/idatamodificationdataexchangemodel.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/teventsignal.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/acquisitionbase/cobserver.h"
#include "host/contracts/icommonareas.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// Forwards the host's data-modified event as Modified while the host's "data modification enabled"
/// flag is true: each change of the flag to true connects to the event (if the host's areas, held
/// weakly, still exist), each change to false disconnects, waiting for a forward that is running.
/// Lifetime: the handlers are bound to the model's owner guard; held through
/// Base::HoldDuringBoundCalls, a forward holds the model while it runs. The host's event is not a
/// binding source, so a forward whose hold is the last reference destroys the model inside that event;
/// the destructor therefore leaves the event without waiting for its own thread (the guard has already
/// waited for forwards on other threads).
/// Thread-safety: every member may be called from any thread; Modified fires on the host's thread.
class ORX2_COMMON_EXPORT CCommonDataModificationDataExchangeModel
    : public Base::IDataModificationDataExchangeModel,
      public Base::IGuardedOwner
{
public:
    /// Follows `enabled` (which must outlive this model) from its current value on. Throws std::bad_alloc.
    CCommonDataModificationDataExchangeModel(Base::IProperty<bool> const& enabled,
                                             std::shared_ptr<ICommonAreas> const& areas);
    /// Closes the guard (waiting for handlers running on other threads), stops following the flag and
    /// leaves the host's event.
    ~CCommonDataModificationDataExchangeModel() override;

    Base::COwnerGuard& GetOwnerGuard() noexcept override { return m_guard; }

    Base::IEventSignal<void> const& GetModifiedEvent() const override;

private:
    void OnEnabledChanged(bool enabled);

    static Logging::CLogger const s_logger;

    Base::COwnerGuard m_guard; // first: every handler is bound to it
    Base::TEventSignal<void> m_modified;
    Base::CScopedEventSignalConnection m_forwarding;
    std::weak_ptr<ICommonAreas> m_areas;
    Base::Binding::CObserver m_enabledObserver;
};
} // namespace BusinessLayer
