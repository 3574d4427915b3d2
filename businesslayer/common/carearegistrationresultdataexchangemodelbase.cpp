#include "businesslayer/common/carearegistrationresultdataexchangemodelbase.h"

#include "base/orx2basepool/csourcefile.h"

namespace BusinessLayer
{
namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/carearegistrationresultdataexchangemodelbase");
} // namespace

using Base::EAreaItems;

Logging::CLogger const CAreaRegistrationResultDataExchangeModelBase::s_logger(
    L"ORX2.CAreaRegistrationResultDataExchangeModelBase");

CAreaRegistrationResultDataExchangeModelBase::CAreaRegistrationResultDataExchangeModelBase(
    std::shared_ptr<ICommonAreas> const& areas)
    : m_areas(areas)
{
    if (!areas)
        kSource.Throw(__LINE__,
                      "BusinessLayer::CAreaRegistrationResultDataExchangeModelBase::"
                      "CAreaRegistrationResultDataExchangeModelBase",
                      L"The areas must be set");
    m_registrationInfos.Bind(areas->GetAreaRegistrationInfoArray());
}

CAreaRegistrationResultDataExchangeModelBase::~CAreaRegistrationResultDataExchangeModelBase() = default;

Base::Binding::IArrayBindingSource<CAreaRegistrationResultDataExchangeModelBase::RegistrationInfoPtr> const&
CAreaRegistrationResultDataExchangeModelBase::GetAreaRegistrationInfoArray() const
{
    return m_registrationInfos;
}

template <class Match> bool CAreaRegistrationResultDataExchangeModelBase::AnyStatus(Match match) const
{
    // The size is read anew at every step, so entries that vanish during the walk are simply missing.
    for (std::size_t i = 0; i < m_registrationInfos.GetSize(); ++i)
    {
        Base::TOptional<RegistrationInfoPtr> const entry = m_registrationInfos.TryGetAt(i);
        if (entry.HasValue() && entry.value() && match(entry.value()->GetRegistrationStatus().GetValue()))
            return true;
    }
    return false;
}

bool CAreaRegistrationResultDataExchangeModelBase::HasSuccessfulAreaRegistrations() const
{
    return AnyStatus([](ERegistrationStatus status) { return status == ERegistrationStatus::Successful; });
}

bool CAreaRegistrationResultDataExchangeModelBase::AllAreaRegistrationsSuccessful() const
{
    return !AnyStatus(
        [](ERegistrationStatus status)
        { return status == ERegistrationStatus::NotRegistered || status == ERegistrationStatus::Failed; });
}

CAreaRegistrationResultDataExchangeModelBase::RegistrationInfoPtr
CAreaRegistrationResultDataExchangeModelBase::GetAreaRegistrationInfo(EAreaItems area) const
{
    // Undefined maps beyond every array and so reads as missing.
    Base::TOptional<RegistrationInfoPtr> const entry = m_registrationInfos.TryGetAt(Base::AreaIndex(area));
    return entry.HasValue() ? entry.value() : nullptr;
}

void CAreaRegistrationResultDataExchangeModelBase::SetAreaRegistration(EAreaItems area,
                                                                       JbMatrix4Rd const& registration)
{
    if (auto const areas = m_areas.lock())
        areas->SetAreaRegistration(area, registration);
}

void CAreaRegistrationResultDataExchangeModelBase::ResetAreaRegistration(EAreaItems area)
{
    if (auto const areas = m_areas.lock())
        areas->ResetAreaRegistration(area);
}

void CAreaRegistrationResultDataExchangeModelBase::SetImportedAreaRegistrationInfo(
    EAreaItems area, bool isRegistered, JbMatrix4Rd const& registration, float quality)
{
    if (auto const areas = m_areas.lock())
        areas->SetImportedAreaRegistrationInfo(area, isRegistered, registration, quality);
}
} // namespace BusinessLayer
