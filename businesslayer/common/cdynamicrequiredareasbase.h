#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/interfaces/icaserequiredareasdataexchangemodel.h"
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/tarraybindingsourceproxy.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "businesslayer/common/internal/cinputversion.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/acquisitionbase/cobserver.h"
#include "host/acquisitionbase/ijournal.h"
#include "host/contracts/icommonareas.h"
#include "host/logging/clogger.h"

#include <memory>
#include <vector>

namespace BusinessLayer
{
/// The required areas as the scan goes on: the prescribed levels (bound with SetRequiredAreasArray),
/// raised where the areas scanned so far make more areas necessary. A jaw becomes obligatory as soon as
/// an area that depends on it holds data or is prescribed, and the buccal registration as soon as both
/// jaws are obligatory or hold data.
///
/// The model follows the host's area set and every instantiated area's has-data-or-reconstruction
/// source, and recomputes its output on every change of those and of the bound levels, on the thread
/// that made the change. The model keeps one flag per area it has seen instantiated: an area removed
/// keeps its last flag (until it is instantiated again), so the output depends on what the scan has
/// seen, not only on the host's current state. Handlers do nothing once the host's areas are gone; an
/// area removed while a handler looks it up is skipped (it keeps its flag), and nothing is thrown into
/// the thread that made the change. Each computation is repeated while another change came in
/// meanwhile or a flag could not be read at once, so once the inputs stop changing the output is the
/// rule applied to the final levels and the final flags, whatever the interleaving of the threads that
/// changed them.
///
/// Lifetime: every handler is bound to the model's owner guard. A derived class is built through the
/// protected constructor that takes `SStartLater` and calls Start() as the last statement of its own
/// constructor: the public constructor starts following the host at once, and a handler on an engine
/// thread would then reach the object while the derived constructor is still building it. A product
/// class that overrides GetHasDataOrReco closes the guard as the first statement of its destructor
/// (`GetOwnerGuard().Close()`). Held through Base::HoldDuringBoundCalls (the data exchange
/// configuration does), handlers also hold the model while they run, so that it never dies inside one.
/// Thread-safety: every public member may be called from any thread; the arrays guard themselves.
class ORX2_COMMON_EXPORT CDynamicRequiredAreasBase : public Base::INonCopyable, public Base::IGuardedOwner
{
public:
    /// How much the case requires an area.
    using EAreaRequirementLevel = Base::ICaseRequiredAreasDataExchangeModel::EAreaRequirementLevel;

    /// Keeps a weak reference to `areas`, obtains the journal handle and calls Init: the model follows
    /// the host from now on. For a model used as it is; a derived class uses the constructor below.
    /// Throws std::bad_alloc and what the host's journal throws.
    explicit CDynamicRequiredAreasBase(std::shared_ptr<ICommonAreas> const& areas);
    /// Closes the guard (waiting for handlers running on other threads) and stops following the host
    /// and the bound levels before anything else is destroyed.
    ~CDynamicRequiredAreasBase() override;

    Base::COwnerGuard& GetOwnerGuard() noexcept override { return m_guard; }

    /// Follows `source` from now on (and recomputes at once). `source` must outlive the binding: until
    /// it is destroyed, another source is bound, or this model is destroyed.
    void SetRequiredAreasArray(Base::Binding::IArrayBindingSource<EAreaRequirementLevel> const& source);
    /// The computed levels, 14 entries once computed (empty before).
    Base::Binding::IArrayBindingSource<EAreaRequirementLevel> const& GetRequiredAreasArray() const;

    /// Computes the output from `levels` (cut or filled with Optional to 14 entries) and the areas'
    /// has-data-or-reconstruction flags as they can be read now (a flag being written counts as false),
    /// and sets it: one computation. Handlers running on other threads compute once more afterwards.
    void UpdateDynamicRequiredAreas(std::vector<EAreaRequirementLevel> const& levels);

protected:
    /// Selects the constructor for derived classes.
    struct SStartLater
    {
    };
    /// As the public constructor, but follows nothing until Start(), which the most-derived class calls
    /// as the last statement of its constructor. Throws as the public constructor.
    CDynamicRequiredAreasBase(std::shared_ptr<ICommonAreas> const& areas, SStartLater);
    /// The object is whole: admits the handlers and calls Init, which reads the host's current state, so
    /// nothing that changed during construction is missed. Call it once, from the constructor.
    void Start();
    /// (Re)starts following the host's area set and the bound levels. Its handlers run only once the
    /// model has started.
    void Init();
    /// The has-data-or-reconstruction source of the instantiated `area`. Throws OrxException "The areas
    /// must be set" when the host's areas are gone, and another OrxException when `area` has no object.
    /// The area-set handler calls it while it holds the area's object, takes such an exception for an area
    /// removed meanwhile (skipped, it keeps its flag), and needs the source to live as long as that object.
    virtual Base::Binding::IValueBindingSource<bool> const& GetHasDataOrReco(Base::EAreaItems area);
    /// The has-data-or-reconstruction flags as the handlers stored them, index = area: an entry for each
    /// area seen instantiated, kept after its removal. Read-only; any thread; lives as long as the model.
    Base::Binding::IArrayBindingSource<bool> const& GetHasDataOrRecoArray() const { return m_hasDataOrReco; }

private:
    void OnAreaSetChanged();
    void OnHasDataOrRecoChanged(Base::EAreaItems area, bool hasDataOrReco);
    /// Counts an input change and computes from the bound levels and the flags until no other change
    /// came in meanwhile.
    void Recompute();
    Base::CJournalReport Report() const;

    static Logging::CLogger const s_logger;

    Base::COwnerGuard m_guard; // first: every handler is bound to it
    Internal::CInputVersion m_inputVersion;
    std::weak_ptr<ICommonAreas> m_areas;
    Base::Binding::TArrayBindingSourceProxy<EAreaRequirementLevel> m_caseLevels;
    Base::Binding::TArrayProperty<EAreaRequirementLevel> m_requiredAreas;
    Base::Binding::TArrayProperty<bool> m_hasDataOrReco;
    Base::Binding::CObserver m_areaSetObserver;
    std::vector<Base::Binding::CObserver> m_perAreaObservers;
    Base::Binding::CObserver m_caseLevelsObserver;
    std::shared_ptr<Base::CJournalHandle> m_journalHandle;
};
} // namespace BusinessLayer
