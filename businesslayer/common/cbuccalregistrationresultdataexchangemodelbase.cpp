#include "businesslayer/common/cbuccalregistrationresultdataexchangemodelbase.h"

#include "base/orx2basepool/internal/lockorthrow.h"
#include "base/orx2basepool/tvaluechangedobserver.h"

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
    if (!areas)
        return;
    using Base::BindToOwner;
    using Base::Binding::TValueChangedObserver;
    using Result = Base::CBuccalRegistrationResult;
    using Self = CBuccalRegistrationResultDataExchangeModelBase;
    m_guard.Open();
    m_toUpperObserver = TValueChangedObserver<Result>(
        areas->GetBuccalRegistrationResultToUpper(),
        BindToOwner(m_guard, *this, [](Self& self, Result const& result) { self.m_toUpper.Set(result); }));
    m_toLowerObserver = TValueChangedObserver<Result>(
        areas->GetBuccalRegistrationResultToLower(),
        BindToOwner(m_guard, *this, [](Self& self, Result const& result) { self.m_toLower.Set(result); }));
    m_strategyStatusObserver = TValueChangedObserver<Base::EBuccalRegistrationStrategyStatus>(
        areas->GetBuccalRegistrationStrategyStatus(),
        BindToOwner(m_guard, *this,
                    [](Self& self, Base::EBuccalRegistrationStrategyStatus status)
                    { self.m_strategyStatus.Set(status); }));
}

CBuccalRegistrationResultDataExchangeModelBase::~CBuccalRegistrationResultDataExchangeModelBase()
{
    m_guard.Close();
    m_toUpperObserver.Reset();
    m_toLowerObserver.Reset();
    m_strategyStatusObserver.Reset();
}

std::shared_ptr<ICommonAreas>
CBuccalRegistrationResultDataExchangeModelBase::LockAreas(int line, char const* function) const
{
    return Base::Internal::LockOrThrow(m_areas, kSource, line, function, L"The areas must be set");
}

Base::IProperty<Base::CBuccalRegistrationResult> const&
CBuccalRegistrationResultDataExchangeModelBase::GetBuccalRegistrationResultToUpper() const
{
    static_cast<void>(LockAreas(kLineGetToUpper,
                                "BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase::"
                                "GetBuccalRegistrationResultToUpper"));
    return m_toUpper;
}

Base::IProperty<Base::CBuccalRegistrationResult> const&
CBuccalRegistrationResultDataExchangeModelBase::GetBuccalRegistrationResultToLower() const
{
    static_cast<void>(LockAreas(kLineGetToLower,
                                "BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase::"
                                "GetBuccalRegistrationResultToLower"));
    return m_toLower;
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
    static_cast<void>(LockAreas(kLineGetStrategyStatus,
                                "BusinessLayer::CBuccalRegistrationResultDataExchangeModelBase::"
                                "GetBuccalRegistrationStrategyStatus"));
    return m_strategyStatus;
}
} // namespace BusinessLayer
