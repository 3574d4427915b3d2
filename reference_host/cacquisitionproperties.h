#pragma once
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluebindingsource.h"
#include "host/contracts/icommonacquisitionproperties.h"
#include "host/contracts/ivantacommonacquisitionproperties.h"
#include "base/orx2basepool/csilentchangeowner.h"

namespace ReferenceHost
{
/// In-memory acquisition flags, for both acquisition-property contracts. Each setter stores the value and
/// tells observers when it differs, on the calling thread. Every member is thread-safe.
///
/// Initially data modification is enabled, the live image is shown, the result is not saved, the
/// reconstruction is not treated as done and the live view is Off.
class CAcquisitionProperties final : public BusinessLayer::ICommonAcquisitionProperties,
                                     public BusinessLayer::IVantaCommonAcquisitionProperties
{
public:
    CAcquisitionProperties();
    ~CAcquisitionProperties() override;

    // ICommonAcquisitionProperties
    Base::IProperty<bool> const& GetDataModificationEnabled() const override;
    Base::Binding::IValueBindingSource<bool> const& GetLiveImageHidden() const override;
    Base::Binding::IValueBindingSource<bool> const& GetIsReconstructionResultSaved() const override;
    void SetIsReconstructionResultSaved(bool saved) override;
    Base::Binding::IValueBindingSource<bool> const& GetTreatReconstructionAsDone() const override;

    // IVantaCommonAcquisitionProperties
    Base::Binding::IValueBindingSource<BusinessLayer::ELiveViewStatus> const&
    GetLiveViewStatus() const override;

    /// @{
    /// The engine's side: sets the flag or status, notifying on a change.
    void SetDataModificationEnabled(bool enabled);
    void SetLiveImageHidden(bool hidden);
    void SetTreatReconstructionAsDone(bool done);
    void SetLiveViewStatus(BusinessLayer::ELiveViewStatus status);
    /// @}

private:
    Base::CSilentChangeOwner m_propertyOwner;
    Base::TProperty<bool> m_dataModificationEnabled;
    Base::Binding::TValueBindingSource<bool> m_liveImageHidden;
    Base::Binding::TValueBindingSource<bool> m_isReconstructionResultSaved;
    Base::Binding::TValueBindingSource<bool> m_treatReconstructionAsDone;
    Base::Binding::TValueBindingSource<BusinessLayer::ELiveViewStatus> m_liveViewStatus;
};
} // namespace ReferenceHost
