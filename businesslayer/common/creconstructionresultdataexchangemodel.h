#pragma once
#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/csharedmutex.h"
#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/interfaces/ireconstructionresultdataexchangemodel.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/internal/cinputversion.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/acquisitionbase/cobserver.h"
#include "host/contracts/icommonacquisitionproperties.h"
#include "host/contracts/icommonareas.h"
#include "host/logging/clogger.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace BusinessLayer
{
/// The reconstruction results of the areas and the overall reconstruction state.
///
/// Follows, for every instantiated area, the pair (image-processing state, reconstruction result) and
/// the contributes-to-model flag. Each new result is published in the triangulation array (position =
/// EAreaItems value) unless a contributing area's processing failed; the overall state becomes failed
/// (3) when a contributing area failed, incomplete (1) while a contributing area has no triangulation,
/// else complete (2). While the host says "treat the reconstruction as done", readers see complete and
/// saved whatever the areas say. Every change of the state away from complete, and every new
/// triangulation, marks the result unsaved in the host.
///
/// The areas are re-scanned on every change of the host's area-set revision; handlers run on the thread
/// that changed the host's source and do nothing once the host's objects are gone. A new result
/// evaluates the state over all areas, repeated while another change came in meanwhile (so two results
/// arriving on two threads leave the state of both). A change of a contribution flag applies only its
/// own rule: becoming true makes the state incomplete when that area has no reconstruction, becoming
/// false makes it complete when every contributing area has one. The state therefore depends on the
/// order of events, not only on the host's current state.
/// Lifetime: every handler is bound to the model's owner guard; held through
/// Base::HoldDuringBoundCalls (the data exchange configuration does), a handler holds the model while it
/// runs, so that it never dies inside one of them.
/// Thread-safety: every member may be called from any thread.
class ORX2_COMMON_EXPORT CReconstructionResultDataExchangeModel
    : public Base::TNotifyPropertyChangedImpl<Base::IReconstructionResultDataExchangeModel>
{
public:
    /// Starts following `properties` and `areas` (both held weakly) and scans the areas once. Throws
    /// OrxException when either is empty, std::bad_alloc.
    CReconstructionResultDataExchangeModel(std::shared_ptr<ICommonAcquisitionProperties> const& properties,
                                           std::shared_ptr<ICommonAreas> const& areas);
    /// Closes the guard (waiting for handlers running on other threads) and stops every handler before
    /// the members go.
    ~CReconstructionResultDataExchangeModel() override;

    Base::Binding::IArrayProperty<DataLayer::CReconstructionResult> const&
    GetTriangulationArray() const override;
    /// The published state: Complete while the host treats the reconstruction as done, else the state
    /// the areas (or SetReconstructionState) gave.
    Base::IProperty<EReconstructionState> const& GetReconstructionState() const override;
    /// From the area's image-processing state: eORX_OK Complete, eORX_WARNING CompleteWithWarning,
    /// eORX_FAIL Failed, anything else (and an area that does not exist) None. Throws OrxException
    /// "Common Areas have been deleted before DataExchangeModel" when the host's areas are gone.
    EReconstructionState GetReconstructionState(Base::EAreaItems area) const override;
    /// Sets the state the areas would give; the next result of an area decides again.
    void SetReconstructionState(EReconstructionState state) override;
    /// True while the host's result is saved or the host treats the reconstruction as done.
    Base::IProperty<bool> const& GetReconstructionResultAutoSaved() const override;
    /// Forwards to the host's SetIsReconstructionResultSaved. Throws OrxException "AcquisitionProperties
    /// have been deleted before DataExchangeModel" when the host's properties are gone.
    void SetReconstructionResultAutoSaved(bool saved) override;
    /// Marks the host's result saved when the state the areas gave is Complete, else unsaved. Throws as
    /// SetReconstructionResultAutoSaved.
    void ReconstructionResultAutoSaveExecuted() override;
    /// Hand the value to the area (instantiated first when it does not exist and the host allows it);
    /// do nothing when the host's areas are gone or the area cannot be had.
    void
    SetImportedReconstructionResult(Base::EAreaItems area,
                                    JbSmartPointer<Geometry::CTriangulation const> triangulation) override;
    void SetImportedReconstructionAtlas(Base::EAreaItems area,
                                        std::shared_ptr<Base::CTextureAtlasData const> const& atlas) override;

private:
    using AreaList = std::shared_ptr<std::vector<Base::EAreaItems> const>;
    using Triangulation = JbSmartPointer<Geometry::CTriangulation const>;

    /// True for every area here.
    bool IsConsideredForReconstruction(Base::EAreaItems area) const override;

    std::shared_ptr<ICommonAcquisitionProperties> LockPropertiesOrThrow(int line, char const* function) const;
    void OnAreaSetChanged();
    void OnResult(AreaList const& areaList, Base::EAreaItems area,
                  DataLayer::CReconstructionResult const& result, Triangulation& lastSeen);
    /// Counts a change and sets the internal state from all areas until no other change came in
    /// meanwhile; returns the last state computed (nothing when the host's areas are gone).
    std::optional<EReconstructionState> EvaluateState(AreaList const& areaList);
    /// The two rules of a change of an area's contribution flag (becoming true: incomplete when the area
    /// has no reconstruction; becoming false: complete when every contributing area has one).
    void OnContributionChanged(Base::EAreaItems area, bool contributes);
    /// True when no instantiated, contributing area lacks a triangulation. Takes the table's reader lock.
    bool AllContributingAreasComplete(ICommonAreas& areas) const;
    /// Failed when a contributing area's processing failed, Incomplete when one lacks a triangulation,
    /// else Complete. Takes the table's reader lock.
    EReconstructionState StateOfAreas(ICommonAreas& areas,
                                      std::vector<Base::EAreaItems> const& areaList) const;

    static Logging::CLogger const s_logger;
    Internal::CInputVersion m_inputVersion;
    Base::Binding::TArrayProperty<DataLayer::CReconstructionResult> m_triangulations;
    Base::CSilentChangeOwner m_internalChangeOwner; // owns the properties that only feed others
    Base::TProperty<EReconstructionState> m_publishedState;
    Base::TProperty<EReconstructionState> m_internalState;
    Base::TProperty<bool> m_autoSaved;
    std::weak_ptr<ICommonAcquisitionProperties> m_properties;
    std::weak_ptr<ICommonAreas> m_areas;
    std::vector<Base::Binding::CObserver> m_perAreaObservers;
    Base::Binding::CObserver m_areaSetObserver;
    Base::Binding::CObserver m_publishedStateObserver;
    Base::Binding::CObserver m_autoSavedObserver;
    Base::Binding::CObserver m_internalStateObserver;

    // 1.0 where the area's latest result has a triangulation, else 0.0.
    mutable Base::CSharedMutex m_completionMutex;
    std::array<float, Base::kAreaItemCount> m_completion{};
};
} // namespace BusinessLayer
