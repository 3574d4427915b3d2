#pragma once
#include "base/orx2basepool/ibuccalregistrationresultdataexchangemodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"
#include "host/contracts/icommonareas.h"

#include <memory>

namespace BusinessLayer
{
/// Hands the buccal registration results and the strategy status of the host's areas to the GUI. Holds
/// nothing of its own: every operation forwards to the host's ICommonAreas, which it holds weakly.
///
/// Every operation throws OrxException "The areas must be set" when the host's areas are gone. The
/// references returned point into the host's areas object and stay valid as long as it lives.
/// Thread-safety: as the host's areas (the model adds no state).
class ORX2_COMMON_EXPORT CBuccalRegistrationResultDataExchangeModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IBuccalRegistrationResultDataExchangeModel>
{
public:
    /// Keeps a weak reference to `areas`.
    explicit CBuccalRegistrationResultDataExchangeModelBase(std::shared_ptr<ICommonAreas> const& areas);
    ~CBuccalRegistrationResultDataExchangeModelBase() override;

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

    std::weak_ptr<ICommonAreas> m_areas;
};
} // namespace BusinessLayer
