#include "reference_host/cacquisitionproperties.h"

namespace ReferenceHost
{
CAcquisitionProperties::CAcquisitionProperties()
    : m_dataModificationEnabled(true, m_propertyOwner), m_liveImageHidden(false),
      m_isReconstructionResultSaved(false), m_treatReconstructionAsDone(false),
      m_liveViewStatus(BusinessLayer::ELiveViewStatus::Off)
{
}

CAcquisitionProperties::~CAcquisitionProperties() = default;

Base::IProperty<bool> const& CAcquisitionProperties::GetDataModificationEnabled() const
{
    return m_dataModificationEnabled;
}

Base::Binding::IValueBindingSource<bool> const& CAcquisitionProperties::GetLiveImageHidden() const
{
    return m_liveImageHidden;
}

Base::Binding::IValueBindingSource<bool> const& CAcquisitionProperties::GetIsReconstructionResultSaved() const
{
    return m_isReconstructionResultSaved;
}

void CAcquisitionProperties::SetIsReconstructionResultSaved(bool saved)
{
    m_isReconstructionResultSaved.Set(saved);
}

Base::Binding::IValueBindingSource<bool> const& CAcquisitionProperties::GetTreatReconstructionAsDone() const
{
    return m_treatReconstructionAsDone;
}

Base::Binding::IValueBindingSource<BusinessLayer::ELiveViewStatus> const&
CAcquisitionProperties::GetLiveViewStatus() const
{
    return m_liveViewStatus;
}

void CAcquisitionProperties::SetDataModificationEnabled(bool enabled)
{
    m_dataModificationEnabled.Set(enabled);
}

void CAcquisitionProperties::SetLiveImageHidden(bool hidden)
{
    m_liveImageHidden.Set(hidden);
}

void CAcquisitionProperties::SetTreatReconstructionAsDone(bool done)
{
    m_treatReconstructionAsDone.Set(done);
}

void CAcquisitionProperties::SetLiveViewStatus(BusinessLayer::ELiveViewStatus status)
{
    m_liveViewStatus.Set(status);
}
} // namespace ReferenceHost
