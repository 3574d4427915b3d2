#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/interfaces/icaserequiredareasdataexchangemodel.h"
#include "base/orx2basepool/interfaces/iismodeltaballoweddataexchangemodel.h"
#include "base/orx2basepool/tarraybindingsourceproxy.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/internal/cinputversion.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/acquisitionbase/cobserver.h"
#include "host/contracts/icommonacquisitionproperties.h"
#include "host/contracts/icommonareas.h"
#include "host/logging/clogger.h"

#include <memory>
#include <vector>

namespace BusinessLayer
{
/// Decides whether the model tab may be opened: when every area that counts as required holds data, or,
/// when none counts as required, as soon as any area holds data. An area counts as required when its
/// level in the bound required-areas array is obligatory or when it contributes to the model. While the
/// host treats the reconstruction as done the tab is allowed whatever the areas say.
///
/// A product class supplies each area's has-data source (GetAreaDataAvailable) and calls Init as the last statement of
/// its constructor, as the most-derived class (Init's handlers call GetAreaDataAvailable on engine threads, which must
/// not meet a constructor still building the object); from then on every change of an area's data, of an area's
/// contribution flag, of the set of areas and of the required levels evaluates again, on the thread that made the
/// change (a change of the area set through the has-data entries of the areas instantiated then). The has-data array
/// keeps the entry of an area that is no longer instantiated. Handlers do nothing once the host's areas are gone; an
/// area removed while a handler looks it up is skipped (it keeps its entry, and does not contribute) and nothing is
/// thrown into the thread that made the change. Each evaluation is repeated while another change came in meanwhile, so
/// once the inputs stop changing the published values are the evaluation of the final has-data entries, levels and
/// contribution flags, whatever the interleaving.
///
/// Lifetime: every handler is bound to the model's owner guard (GetOwnerGuard). A product class closes
/// that guard as the first statement of its destructor (`GetOwnerGuard().Close()`), so that no handler
/// reaches its GetAreaDataAvailable once its destruction has begun. Held through
/// Base::HoldDuringBoundCalls (the data exchange configuration does), handlers also hold the model while
/// they run, so that it never dies inside one of them.
/// Thread-safety: every public member may be called from any thread.
class ORX2_COMMON_EXPORT CIsModelTabAllowedDataExchangeModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IIsModelTabAllowedDataExchangeModel>
{
public:
    /// How much the case requires an area.
    using EAreaRequirementLevel = Base::ICaseRequiredAreasDataExchangeModel::EAreaRequirementLevel;

    /// Follows the host's "treat reconstruction as done" flag at once and keeps a weak reference to
    /// `areas`; nothing else is observed before Init. Throws OrxException "The areas must be set" when
    /// `areas` is empty, another OrxException when `properties` is empty, std::bad_alloc.
    CIsModelTabAllowedDataExchangeModelBase(std::shared_ptr<ICommonAcquisitionProperties> const& properties,
                                            std::shared_ptr<ICommonAreas> const& areas);
    /// Closes the guard (waiting for handlers running on other threads), then stops every handler
    /// before the members go.
    ~CIsModelTabAllowedDataExchangeModelBase() override;

    /// The published value: true while the evaluation allows the tab or the host treats the
    /// reconstruction as done.
    Base::IProperty<bool> const& GetIsModelTabAllowed() const override { return m_isModelTabAllowed; }
    /// What the evaluation (or SetIsModelTabAllowed) decided, before the host's override.
    Base::TProperty<bool>& GetIsModelTabAllowed() { return m_modelTabAllowedByData; }
    /// Sets what the evaluation would decide; holds until the next evaluation.
    void SetIsModelTabAllowed(bool allowed) override { m_modelTabAllowedByData.Set(allowed); }
    Base::IProperty<bool> const& GetIsDataAvailable() const override { return m_isDataAvailable; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetIsDataAvailable() { return m_isDataAvailable; }
    /// Holds until the next evaluation.
    void SetIsDataAvailable(bool available) override { m_isDataAvailable.Set(available); }

    /// Follows `levels` from now on (position = EAreaItems value). `levels` must outlive the binding:
    /// until it is destroyed, another source is bound, or this model is destroyed.
    void SetRequiredAreasArray(Base::Binding::IArrayBindingSource<EAreaRequirementLevel> const& levels);

protected:
    /// (Re)starts following the host's area set, the has-data sources and the required levels, and
    /// evaluates. Throws OrxException "The areas must be set" when the host's areas are gone.
    void Init();
    /// The source telling whether the instantiated `area` holds data. Called during Init and on every
    /// change of the area set, while the model holds the area's object; the source must live as long as
    /// that object. May throw OrxException for an area that is no longer instantiated: the model then
    /// skips the area, as one removed meanwhile.
    virtual Base::Binding::IValueBindingSource<bool> const& GetAreaDataAvailable(Base::EAreaItems area) = 0;
    /// The has-data array the evaluation reads, index = area: an entry for each area seen instantiated,
    /// kept after its removal. Read-only; any thread; lives as long as the model.
    Base::Binding::IArrayBindingSource<bool> const& GetHasDataArray() const { return m_hasData; }

private:
    void OnAreaSetChanged();
    /// Counts an input change and evaluates until no other change came in meanwhile.
    void Evaluate();
    void EvaluateOnce();

    static Logging::CLogger const s_logger;
    Internal::CInputVersion m_inputVersion;
    Base::CSilentChangeOwner m_internalChangeOwner; // owns the properties that only feed others
    Base::TProperty<bool> m_isModelTabAllowed{false, *this};
    Base::TProperty<bool> m_modelTabAllowedByData{false, m_internalChangeOwner};
    Base::TProperty<bool> m_isDataAvailable{false, *this};
    Base::Binding::TArrayBindingSourceProxy<EAreaRequirementLevel> m_requiredLevels;
    Base::Binding::TArrayProperty<bool> m_hasData;
    std::vector<Base::Binding::CObserver> m_modelObservers;
    std::vector<Base::Binding::CObserver> m_perAreaObservers;
    Base::Binding::CObserver m_publishedValueObserver;
    std::weak_ptr<ICommonAreas> m_areas;
};
} // namespace BusinessLayer
