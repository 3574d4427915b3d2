#pragma once
// Host contract: the set of scan areas of one acquisition.
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/iarraybindingsource.h"
#include "base/orx2basepool/ieventsignal.h"
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/ivaluebindingsource.h"
#include "host/values/cbuccalregistrationresult.h"
#include "host/values/ebuccalregistrationstrategystatus.h"
#include "host/contracts/iarearegistrationinfo.h"
#include "host/contracts/icommonarea.h"
#include "host/values/isurfelcollectioncolored.h"
#include "host/values/jbmatrix4r.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace BusinessLayer
{
/// The scan areas of one acquisition and their per-area objects; one object per acquisition, shared by
/// all data exchange models (which mostly hold it weakly). The host implements it; this library only
/// calls the operations below (the host's interface may have more). Every operation may be called from
/// any thread. The sources, properties, arrays and events returned live as long as this object; their
/// notifications come on the thread where the engine changes them.
class ICommonAreas : public Base::INonCopyable
{
public:
    virtual ~ICommonAreas() = default;

    /// Changes whenever the set of instantiated areas changes; callers re-scan the areas on each change
    /// and ignore the value itself.
    virtual Base::Binding::IValueBindingSource<std::uint64_t> const& GetAreaSetRevision() const = 0;
    /// Replaces `areas` with every area the host knows, in the host's order.
    virtual void GetAreas(std::vector<Base::EAreaItems>& areas) const = 0;
    /// True when `area` may be instantiated now.
    virtual bool CanInstantiateArea(Base::EAreaItems area) const = 0;
    /// True when `area` exists; GetArea is meant for such areas only.
    virtual bool IsAreaInstantiated(Base::EAreaItems area) const = 0;
    /// Creates `area`; afterwards IsAreaInstantiated(area) is true and the area-set revision has changed.
    virtual void InstantiateArea(Base::EAreaItems area) = 0;
    /// True while acquisition work other than reconstruction runs.
    virtual Base::Binding::IValueBindingSource<bool> const&
    GetIsRunningExceptReconstructionBindingSource() const = 0;
    /// The surfel collection of `area`; may be empty.
    virtual std::shared_ptr<Base::ISurfelCollectionColored>
    GetSurfelCollection(Base::EAreaItems area) const = 0;
    /// The surfel collection of all areas; may be empty.
    virtual std::shared_ptr<Base::ISurfelCollectionColored> GetSurfelCollection() const = 0;
    /// The registration of the buccal area to the upper jaw. Change it with
    /// SetBuccalRegistrationResultToUpper.
    virtual Base::IProperty<Base::CBuccalRegistrationResult> const&
    GetBuccalRegistrationResultToUpper() const = 0;
    /// The registration of the buccal area to the lower jaw. Change it with
    /// SetBuccalRegistrationResultToLower.
    virtual Base::IProperty<Base::CBuccalRegistrationResult> const&
    GetBuccalRegistrationResultToLower() const = 0;
    /// @{
    /// Change the registration of the buccal area to that jaw, notifying on a change.
    virtual void SetBuccalRegistrationResultToUpper(Base::CBuccalRegistrationResult result) = 0;
    virtual void SetBuccalRegistrationResultToLower(Base::CBuccalRegistrationResult result) = 0;
    /// @}
    /// The current status of the buccal registration strategy. Not const: callers hand the source on as
    /// the engine's own.
    virtual Base::Binding::IValueBindingSource<Base::EBuccalRegistrationStrategyStatus>&
    GetBuccalRegistrationStrategyStatus() = 0;
    /// One registration info per area, position = EAreaItems value; entries may be empty and the array
    /// may be shorter than the number of areas.
    virtual Base::Binding::IArrayBindingSource<std::shared_ptr<IAreaRegistrationInfo const>> const&
    GetAreaRegistrationInfoArray() const = 0;
    /// Fires whenever scan data of any area were modified.
    virtual Base::IEventSignal<void> const& GetDataModifiedEvent() const = 0;
    /// Sets `result` to the per-area object of the instantiated `area` (empty for any other area).
    virtual void GetArea(std::shared_ptr<ICommonArea>& result, Base::EAreaItems area) = 0;
    /// The same object, for callers that hold the areas as const.
    virtual void GetArea(std::shared_ptr<ICommonArea const>& result, Base::EAreaItems area) const = 0;
    /// Stores the registration of `area`.
    virtual void SetAreaRegistration(Base::EAreaItems area, JbMatrix4Rd const& registration) = 0;
    /// Clears the registration of `area`.
    virtual void ResetAreaRegistration(Base::EAreaItems area) = 0;
    /// Stores registration information that came with imported data.
    virtual void SetImportedAreaRegistrationInfo(Base::EAreaItems area, bool isRegistered,
                                                 JbMatrix4Rd const& registration, float quality) = 0;
};
} // namespace BusinessLayer
