#pragma once
#include "base/orx2basepool/tvaluebindingsource.h"
#include "host/contracts/iarearegistrationinfo.h"

namespace ReferenceHost
{
/// The registration info of one area: a status that the test or simulator sets. Thread-safe.
class CAreaRegistrationInfo final : public BusinessLayer::IAreaRegistrationInfo
{
public:
    /// An entry with `status`.
    explicit CAreaRegistrationInfo(ERegistrationStatus status = ERegistrationStatus::NotRegistered);
    ~CAreaRegistrationInfo() override;

    Base::Binding::IValueBindingSource<ERegistrationStatus> const& GetRegistrationStatus() const override;

    /// Changes the status; observers are told when it differs.
    void SetRegistrationStatus(ERegistrationStatus status);

private:
    Base::Binding::TValueBindingSource<ERegistrationStatus> m_status;
};
} // namespace ReferenceHost
