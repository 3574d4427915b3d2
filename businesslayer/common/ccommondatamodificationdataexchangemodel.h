#pragma once
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/idatamodificationdataexchangemodel.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/teventsignal.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"
#include "host/acquisitionbase/cobserver.h"
#include "host/contracts/icommonareas.h"

#include <memory>

namespace BusinessLayer
{
/// Forwards the host's data-modified event as Modified while the host's "data modification enabled"
/// flag is true: each change of the flag to true connects to the event (if the host's areas, held
/// weakly, still exist), each change to false disconnects, waiting for a forward that is running.
/// Thread-safety: every member may be called from any thread; Modified fires on the host's thread.
class ORX2_COMMON_EXPORT CCommonDataModificationDataExchangeModel
    : public Base::IDataModificationDataExchangeModel
{
public:
    /// Follows `enabled` (which must outlive this model) from its current value on. Throws std::bad_alloc.
    CCommonDataModificationDataExchangeModel(Base::IProperty<bool> const& enabled,
                                             std::shared_ptr<ICommonAreas> const& areas);
    /// Stops following the flag, then disconnects (waiting for a running forward).
    ~CCommonDataModificationDataExchangeModel() override;

    Base::IEventSignal<void> const& GetModifiedEvent() const override;

private:
    void OnEnabledChanged(bool enabled);

    static Logging::CLogger const s_logger;

    Base::TEventSignal<void> m_modified;
    Base::CScopedEventSignalConnection m_forwarding;
    std::weak_ptr<ICommonAreas> m_areas;
    Base::Binding::CObserver m_enabledObserver;
};
} // namespace BusinessLayer
