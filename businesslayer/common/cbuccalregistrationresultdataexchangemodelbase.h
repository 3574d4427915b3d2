#pragma once
#include "base/orx2basepool/interfaces/ibuccalregistrationresultdataexchangemodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/contracts/icommonareas.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// Hands the buccal registration results and the strategy status of the host's areas to the GUI. Holds
/// nothing of its own: every operation forwards to the host's ICommonAreas, which it holds weakly.
///
/// Every operation throws OrxException "The areas must be set" when the host's areas are gone.
/// Lifetime of what the getters return: the host's own property or source, inside the host's areas
/// object, valid exactly as long as that object lives (the model does not keep it alive). Whoever reads
/// through such a reference while the host may let its areas go (a GUI on another thread) holds the
/// areas for the getter call and the reads (locks its own weak reference to them first); the getter
/// then never drops the last reference. Inside a delivery the getter's own hold is released only once
/// the delivery is over (Base::CDeliveryScope), never inside it.
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
    /// The host's strategy status of the buccal registration.
    Base::Binding::IValueBindingSource<Base::EBuccalRegistrationStrategyStatus>&
    GetBuccalRegistrationStrategyStatus() override;

private:
    std::shared_ptr<ICommonAreas> LockAreas(int line, char const* function) const;

    static Logging::CLogger const s_logger;

    std::weak_ptr<ICommonAreas> m_areas;
};
} // namespace BusinessLayer
