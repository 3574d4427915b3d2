#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/iisrunningexceptreconstructiondataexchangemodel.h"
#include "base/orx2basepool/tvaluebindingsource.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/acquisitionbase/cobserver.h"
#include "host/contracts/icommonareas.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// Hands the host's is-running-except-reconstruction flag to the GUI. Holds the host's areas weakly.
/// Thread-safety: every member may be called from any thread.
class ORX2_COMMON_EXPORT CIsRunningExceptReconstructionDataExchangeModel
    : public Base::IIsRunningExceptReconstructionDataExchangeModel,
      public Base::IGuardedOwner
{
public:
    /// Keeps a weak reference to `areas` and follows their flag (nothing for an empty `areas`). Throws
    /// std::bad_alloc.
    explicit CIsRunningExceptReconstructionDataExchangeModel(std::shared_ptr<ICommonAreas> const& areas);
    /// Closes the guard and stops following the host.
    ~CIsRunningExceptReconstructionDataExchangeModel() override;

    Base::COwnerGuard& GetOwnerGuard() noexcept override { return m_guard; }

    /// A source of this model (not of the host's areas, which may go at any moment): valid as long as
    /// the model lives, it follows the host's flag (set on the thread that changed it, before that change
    /// returns) while the host's areas live and keeps the last value after. Throws OrxException "The
    /// areas must be set" when the host's areas are gone.
    Base::Binding::IValueBindingSource<bool> const&
    GetIsRunningExceptReconstructionBindingSource() const override;

private:
    static Logging::CLogger const s_logger;

    Base::COwnerGuard m_guard; // first: every handler is bound to it
    Base::Binding::TValueBindingSource<bool> m_isRunning{false};
    std::weak_ptr<ICommonAreas> m_areas;
    Base::Binding::CObserver m_isRunningObserver;
};
} // namespace BusinessLayer
