#include "reference_host/carearegistrationinfo.h"

namespace ReferenceHost
{
CAreaRegistrationInfo::CAreaRegistrationInfo(ERegistrationStatus status) : m_status(status) {}

CAreaRegistrationInfo::~CAreaRegistrationInfo() = default;

Base::Binding::IValueBindingSource<CAreaRegistrationInfo::ERegistrationStatus> const&
CAreaRegistrationInfo::GetRegistrationStatus() const
{
    return m_status;
}

void CAreaRegistrationInfo::SetRegistrationStatus(ERegistrationStatus status)
{
    m_status.Set(status);
}
} // namespace ReferenceHost
