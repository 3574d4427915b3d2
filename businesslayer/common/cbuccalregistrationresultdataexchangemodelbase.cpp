#include "businesslayer/common/cbuccalregistrationresultdataexchangemodelbase.h"

#include "base/orx2basepool/internal/lockorthrow.h"
#include "businesslayer/common/internal/commonareasaccess.h"

namespace BusinessLayer
{
namespace
{
// The source path, lines and function names under which these failures are known; keep them stable.
constexpr Base::CSourceFile kSource("businesslayer/common/cbuccalregistrationresultdataexchangemodelbase");
constexpr int kLineGetToUpper = 43;
constexpr int kLineGetToLower = 53;
constexpr int kLineSetToLower = 63;
constexpr int kLineSetToUpper = 73;
constexpr int kLineGetStrategyStatus = 82;
} // namespace

Logging::CLogger const CBuccalRegistrationResultDataExchangeModelBase::s_logger(
    L"ORX2.CBuccalRegistrationResultDataExchangeModelBase");

CBuccalRegistrationResultDataExchangeModelBase::CBuccalRegistrationResultDataExchangeModelBase(
    std::shared_ptr<ICommonAreas> const& areas)
    : m_areas(areas)
{
}

CBuccalRegistrationResultDataExchangeModelBase::~CBuccalRegistrationResultDataExchangeModelBase() = default;

std::shared_ptr<ICommonAreas>
CBuccalRegistrationResultDataExchangeModelBase::LockAreas(int line, char const* function) const
{
    return Base::Internal::LockOrThrow(m_areas, kSource, line, function, L"The areas must be set");
}

Base::IProperty<Base::CBuccalRegistrationResult> const&
CBuccalRegistrationResultDataExchangeModelBase::GetBuccalRegistrationResultToUpper() const
{
    return Internal::ReferenceInto(
        LockAreas(kLineGetToUpper, "BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase::"
                                   "GetBuccalRegistrationResultToUpper"),
        [](ICommonAreas& areas) { return &areas.GetBuccalRegistrationResultToUpper(); });
}

Base::IProperty<Base::CBuccalRegistrationResult> const&
CBuccalRegistrationResultDataExchangeModelBase::GetBuccalRegistrationResultToLower() const
{
    return Internal::ReferenceInto(
        LockAreas(kLineGetToLower, "BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase::"
                                   "GetBuccalRegistrationResultToLower"),
        [](ICommonAreas& areas) { return &areas.GetBuccalRegistrationResultToLower(); });
}

void CBuccalRegistrationResultDataExchangeModelBase::SetBuccalRegistrationResultToLower(
    Base::CBuccalRegistrationResult result)
{
    LockAreas(
        kLineSetToLower,
        "BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase::SetBuccalRegistrationResultToLower")
        ->SetBuccalRegistrationResultToLower(result);
}

void CBuccalRegistrationResultDataExchangeModelBase::SetBuccalRegistrationResultToUpper(
    Base::CBuccalRegistrationResult result)
{
    LockAreas(
        kLineSetToUpper,
        "BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase::SetBuccalRegistrationResultToUpper")
        ->SetBuccalRegistrationResultToUpper(result);
}

Base::Binding::IValueBindingSource<Base::EBuccalRegistrationStrategyStatus>&
CBuccalRegistrationResultDataExchangeModelBase::GetBuccalRegistrationStrategyStatus()
{
    return Internal::ReferenceInto(
        LockAreas(kLineGetStrategyStatus, "BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase::"
                                          "GetBuccalRegistrationStrategyStatus"),
        [](ICommonAreas& areas) { return &areas.GetBuccalRegistrationStrategyStatus(); });
}
} // namespace BusinessLayer
