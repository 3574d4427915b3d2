#pragma once
// Host contract: the acquisition-wide flags of the engine.
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/ivaluebindingsource.h"

namespace BusinessLayer
{
/// Flags of the whole acquisition. The host implements it; this library only calls the operations below
/// (the host's interface may have more). Every operation may be called from any thread; the sources and
/// properties returned live as long as this object.
class ICommonAcquisitionProperties : public Base::INonCopyable
{
public:
    virtual ~ICommonAcquisitionProperties() = default;

    /// While true, modifications of scan data are forwarded to the GUI.
    virtual Base::IProperty<bool> const& GetDataModificationEnabled() const = 0;
    /// True while the live image is to be hidden.
    virtual Base::Binding::IValueBindingSource<bool> const& GetLiveImageHidden() const = 0;
    /// True when the current reconstruction result is saved.
    virtual Base::Binding::IValueBindingSource<bool> const& GetIsReconstructionResultSaved() const = 0;
    /// Sets the saved flag (notifying on a change).
    virtual void SetIsReconstructionResultSaved(bool saved) = 0;
    /// When true, the reconstruction counts as done and saved and the model tab is allowed.
    virtual Base::Binding::IValueBindingSource<bool> const& GetTreatReconstructionAsDone() const = 0;
};
} // namespace BusinessLayer
