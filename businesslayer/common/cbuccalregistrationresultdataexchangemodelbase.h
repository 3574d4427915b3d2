#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/ibuccalregistrationresultdataexchangemodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluebindingsource.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/acquisitionbase/cobserver.h"
#include "host/contracts/icommonareas.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// Hands the buccal registration results and the strategy status of the host's areas to the GUI. The
/// results stay in the host's ICommonAreas, which the model holds weakly: the setters forward to it.
///
/// Every operation throws OrxException "The areas must be set" when the host's areas are gone.
/// Lifetime of what the getters return: a reference into this model, not into the host's areas (which
/// may go at any moment, even while a getter runs). It is valid as long as the model lives, follows the
/// host's value (set on the thread that changed the host's value, before that change returns) while the
/// host's areas live, and keeps the last value after. Changes fire the model's PropertyChanged.
/// Thread-safety: every member may be called from any thread.
class ORX2_COMMON_EXPORT CBuccalRegistrationResultDataExchangeModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IBuccalRegistrationResultDataExchangeModel>,
      public Base::IGuardedOwner
{
public:
    /// Keeps a weak reference to `areas` and starts following their buccal results and strategy status
    /// (nothing is followed for an empty `areas`). Throws std::bad_alloc.
    explicit CBuccalRegistrationResultDataExchangeModelBase(std::shared_ptr<ICommonAreas> const& areas);
    /// Closes the guard and stops following the host.
    ~CBuccalRegistrationResultDataExchangeModelBase() override;

    Base::COwnerGuard& GetOwnerGuard() noexcept override { return m_guard; }

    Base::IProperty<Base::CBuccalRegistrationResult> const&
    GetBuccalRegistrationResultToUpper() const override;
    Base::IProperty<Base::CBuccalRegistrationResult> const&
    GetBuccalRegistrationResultToLower() const override;
    void SetBuccalRegistrationResultToUpper(Base::CBuccalRegistrationResult result) override;
    void SetBuccalRegistrationResultToLower(Base::CBuccalRegistrationResult result) override;
    Base::Binding::IValueBindingSource<Base::EBuccalRegistrationStrategyStatus>&
    GetBuccalRegistrationStrategyStatus() override;

private:
    std::shared_ptr<ICommonAreas> LockAreas(int line, char const* function) const;

    static Logging::CLogger const s_logger;

    Base::COwnerGuard m_guard; // first: every handler is bound to it
    Base::TProperty<Base::CBuccalRegistrationResult> m_toUpper{Base::CBuccalRegistrationResult(), *this};
    Base::TProperty<Base::CBuccalRegistrationResult> m_toLower{Base::CBuccalRegistrationResult(), *this};
    Base::Binding::TValueBindingSource<Base::EBuccalRegistrationStrategyStatus> m_strategyStatus{
        Base::EBuccalRegistrationStrategyStatus::NotStarted};
    std::weak_ptr<ICommonAreas> m_areas;
    Base::Binding::CObserver m_toUpperObserver;
    Base::Binding::CObserver m_toLowerObserver;
    Base::Binding::CObserver m_strategyStatusObserver;
};
} // namespace BusinessLayer
