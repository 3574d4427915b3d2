#include "businesslayer/common/creconstructionresultdataexchangemodel.h"

#include "base/orx2basepool/internal/lockorthrow.h"
#include "base/orx2basepool/tmultivaluebindingsource.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "base/orx2basepool/tvaluestreamobserver.h"
#include "businesslayer/common/internal/commonareasaccess.h"
#include "host/foundation/orxexception.h"

#include <mutex>
#include <utility>

namespace BusinessLayer
{
using Base::AreaIndex;
using Base::EAreaItems;
using EReconstructionState = CReconstructionResultDataExchangeModel::EReconstructionState;
using Internal::IsRealArea;

namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/creconstructionresultdataexchangemodel");
constexpr int kLineFailLog = 146;
constexpr int kLineStateAreasGone = 304;
constexpr wchar_t const* kAreasDeleted = L"Common Areas have been deleted before DataExchangeModel";
constexpr wchar_t const* kPropertiesDeleted =
    L"AcquisitionProperties have been deleted before DataExchangeModel";
} // namespace

Logging::CLogger const
    CReconstructionResultDataExchangeModel::s_logger(L"ORX2.CReconstructionResultDataExchangeModel");

CReconstructionResultDataExchangeModel::CReconstructionResultDataExchangeModel(
    std::shared_ptr<ICommonAcquisitionProperties> const& properties,
    std::shared_ptr<ICommonAreas> const& areas)
    : m_publishedState(EReconstructionState::None, *this),
      m_internalState(EReconstructionState::None, m_internalChangeOwner), m_autoSaved(true, *this),
      m_properties(properties), m_areas(areas)
{
    constexpr char const* kFunction =
        "BusinessLayer::CReconstructionResultDataExchangeModel::CReconstructionResultDataExchangeModel";
    if (!properties)
        kSource.Throw(__LINE__, kFunction, kPropertiesDeleted);
    if (!areas)
        kSource.Throw(__LINE__, kFunction, kAreasDeleted);

    using Base::Binding::TMultiValueBindingSource;
    using Base::Binding::TValueChangedObserver;
    using Self = CReconstructionResultDataExchangeModel;
    GetOwnerGuard().Open();
    m_publishedStateObserver = TValueChangedObserver<bool, EReconstructionState>(
        TMultiValueBindingSource<bool, EReconstructionState>(properties->GetTreatReconstructionAsDone(),
                                                             m_internalState),
        Base::BindToOwner(GetOwnerGuard(), *this,
                          [](Self& self, bool treatAsDone, EReconstructionState state) {
                              self.m_publishedState.Set(treatAsDone ? EReconstructionState::Complete : state);
                          }));
    m_autoSavedObserver = TValueChangedObserver<bool, bool>(
        TMultiValueBindingSource<bool, bool>(properties->GetTreatReconstructionAsDone(),
                                             properties->GetIsReconstructionResultSaved()),
        Base::BindToOwner(GetOwnerGuard(), *this,
                          [](Self& self, bool treatAsDone, bool saved)
                          { self.m_autoSaved.Set(treatAsDone || saved); }));
    m_internalStateObserver = Base::Binding::TValueStreamObserver<EReconstructionState>(
        m_internalState, Base::BindToOwner(GetOwnerGuard(), *this,
                                           [](Self& self, EReconstructionState state)
                                           {
                                               if (state == EReconstructionState::Complete)
                                                   return;
                                               if (auto const host = self.m_properties.lock())
                                                   host->SetIsReconstructionResultSaved(false);
                                           }));

    // An observer: its calls never overlap, so two scans of the area set (the first one here, and one for
    // a change made meanwhile on another thread) never rebuild the per-area observers at the same time.
    m_areaSetObserver = TValueChangedObserver<std::uint64_t>(
        areas->GetAreaSetRevision(),
        Base::BindToOwner(GetOwnerGuard(), *this, [](Self& self, std::uint64_t) { self.OnAreaSetChanged(); }));
}

CReconstructionResultDataExchangeModel::~CReconstructionResultDataExchangeModel()
{
    GetOwnerGuard().Close();
    // The area-set handler rebuilds the per-area observers, so it stops first; all handlers touch the
    // properties and the completion table, so all stop before the members go.
    m_areaSetObserver.Reset();
    m_perAreaObservers.clear();
    m_publishedStateObserver.Reset();
    m_autoSavedObserver.Reset();
    m_internalStateObserver.Reset();
}

bool CReconstructionResultDataExchangeModel::IsConsideredForReconstruction(EAreaItems) const
{
    return true;
}

std::shared_ptr<ICommonAcquisitionProperties>
CReconstructionResultDataExchangeModel::LockPropertiesOrThrow(int line, char const* function) const
{
    return Base::Internal::LockOrThrow(m_properties, kSource, line, function, kPropertiesDeleted);
}

void CReconstructionResultDataExchangeModel::OnAreaSetChanged()
{
    std::shared_ptr<ICommonAreas> const areas = m_areas.lock();
    if (!areas || m_properties.expired())
        return;
    m_perAreaObservers.clear();
    AreaList const list = Internal::TakeAreaList(*areas);
    using Self = CReconstructionResultDataExchangeModel;
    // Each area's object is held while its sources are bound (ForEachInstantiatedArea holds it).
    Internal::ForEachInstantiatedArea(
        *areas, *list,
        [this, &list](EAreaItems area, std::shared_ptr<ICommonArea> const& object)
        {
            using Result = DataLayer::CReconstructionResult;
            // Binding delivers the current pair at once; each observer remembers the triangulation it saw.
            m_perAreaObservers.push_back(
                Base::Binding::TValueChangedObserver<EImageProcessingProgress, Result>(
                    Base::Binding::TMultiValueBindingSource<EImageProcessingProgress, Result>(
                        object->GetImageProcessingProgress(), object->GetReconstructionResult()),
                    Base::BindToOwner(GetOwnerGuard(), *this,
                                      [list, area, lastSeen = Triangulation()](
                                          Self& self, EImageProcessingProgress, Result const& result) mutable
                                      { self.OnResult(list, area, result, lastSeen); })));
            m_perAreaObservers.push_back(Base::Binding::TValueStreamObserver<bool>(
                object->GetContributesToModel(),
                Base::BindToOwner(GetOwnerGuard(), *this,
                                  [area](Self& self, bool contributes)
                                  { self.OnContributionChanged(area, contributes); })));
        });
}

void CReconstructionResultDataExchangeModel::OnResult(AreaList const& areaList, EAreaItems area,
                                                      DataLayer::CReconstructionResult const& result,
                                                      Triangulation& lastSeen)
{
    std::shared_ptr<ICommonAcquisitionProperties> const properties = m_properties.lock();
    if (!properties)
        return;
    if (result.GetTriangulation() != lastSeen)
    {
        properties->SetIsReconstructionResultSaved(false);
        lastSeen = result.GetTriangulation();
    }
    if (IsRealArea(area))
    {
        std::unique_lock<Base::CSharedMutex> const writer(m_completionMutex);
        m_completion[AreaIndex(area)] = result.GetTriangulation() ? 1.0f : 0.0f;
    }
    std::optional<EReconstructionState> const outcome = EvaluateState(areaList);
    // A failed area keeps the last good result on display.
    if (outcome && *outcome != EReconstructionState::Failed && IsRealArea(area))
        m_triangulations.SetAt(AreaIndex(area), result);
}

std::optional<EReconstructionState>
CReconstructionResultDataExchangeModel::EvaluateState(AreaList const& areaList)
{
    std::optional<EReconstructionState> outcome;
    m_inputVersion.Recompute(
        [this, &areaList, &outcome]
        {
            std::shared_ptr<ICommonAreas> const areas = m_areas.lock();
            if (!areas)
            {
                outcome.reset();
                return;
            }
            outcome = StateOfAreas(*areas, *areaList);
            m_internalState.Set(*outcome);
        });
    return outcome;
}

void CReconstructionResultDataExchangeModel::OnContributionChanged(EAreaItems area, bool contributes)
{
    // A walk over all areas running now on another thread may have read the old flag: it walks again.
    m_inputVersion.MarkChanged();
    std::shared_ptr<ICommonAreas> const areas = m_areas.lock();
    if (!areas)
        return;
    // Each direction has its own rule; neither is a full evaluation (a failed area that stops
    // contributing and comes back with a reconstruction does not fail the state again).
    if (contributes)
    {
        std::shared_ptr<ICommonArea> const object = Internal::GetInstantiatedArea(*areas, area);
        if (object && IsConsideredForReconstruction(area) &&
            !object->GetReconstructionResult().GetValue().GetTriangulation())
            m_internalState.Set(EReconstructionState::Incomplete);
    }
    else if (AllContributingAreasComplete(*areas))
    {
        m_internalState.Set(EReconstructionState::Complete);
    }
}

bool CReconstructionResultDataExchangeModel::AllContributingAreasComplete(ICommonAreas& areas) const
{
    AreaList const list = Internal::TakeAreaList(areas);
    Base::CSharedLock const reader(m_completionMutex);
    bool complete = true;
    Internal::ForEachInstantiatedArea(
        areas, *list,
        [this, &complete](EAreaItems area, std::shared_ptr<ICommonArea> const& object)
        {
            complete = !(IsRealArea(area) && object->GetContributesToModel().GetValue() &&
                         m_completion[AreaIndex(area)] == 0.0f);
            return complete;
        });
    return complete;
}

EReconstructionState
CReconstructionResultDataExchangeModel::StateOfAreas(ICommonAreas& areas,
                                                     std::vector<EAreaItems> const& areaList) const
{
    EReconstructionState outcome = EReconstructionState::Complete;
    Base::CSharedLock const reader(m_completionMutex);
    Internal::ForEachInstantiatedArea(
        areas, areaList,
        [this, &outcome](EAreaItems other, std::shared_ptr<ICommonArea> const& object)
        {
            if (!IsConsideredForReconstruction(other) || !object->GetContributesToModel().GetValue())
                return true;
            if (object->GetImageProcessingProgress().GetValue() == EImageProcessingProgress::eORX_FAIL)
            {
                kSource.Log(s_logger, kLineFailLog,
                            "BusinessLayer::CReconstructionResultDataExchangeModel::OnResult",
                            L"recoProgress ==  eORX_FAIL");
                outcome = EReconstructionState::Failed;
                return false;
            }
            if (IsRealArea(other) && m_completion[AreaIndex(other)] == 0.0f)
            {
                outcome = EReconstructionState::Incomplete;
                return false;
            }
            return true;
        });
    return outcome;
}

Base::Binding::IArrayProperty<DataLayer::CReconstructionResult> const&
CReconstructionResultDataExchangeModel::GetTriangulationArray() const
{
    return m_triangulations;
}

Base::IProperty<EReconstructionState> const&
CReconstructionResultDataExchangeModel::GetReconstructionState() const
{
    return m_publishedState;
}

EReconstructionState CReconstructionResultDataExchangeModel::GetReconstructionState(EAreaItems area) const
{
    std::shared_ptr<ICommonAreas> const areas = Base::Internal::LockOrThrow(
        m_areas, kSource, kLineStateAreasGone,
        "BusinessLayer::CReconstructionResultDataExchangeModel::GetReconstructionState", kAreasDeleted);
    std::shared_ptr<ICommonArea const> const object =
        Internal::GetInstantiatedArea(static_cast<ICommonAreas const&>(*areas), area);
    if (!object)
        return EReconstructionState::None;
    switch (object->GetImageProcessingProgress().GetValue())
    {
    case EImageProcessingProgress::eORX_OK:
        return EReconstructionState::Complete;
    case EImageProcessingProgress::eORX_WARNING:
        return EReconstructionState::CompleteWithWarning;
    case EImageProcessingProgress::eORX_FAIL:
        return EReconstructionState::Failed;
    default:
        return EReconstructionState::None;
    }
}

void CReconstructionResultDataExchangeModel::SetReconstructionState(EReconstructionState state)
{
    m_internalState.Set(state);
}

Base::IProperty<bool> const& CReconstructionResultDataExchangeModel::GetReconstructionResultAutoSaved() const
{
    return m_autoSaved;
}

void CReconstructionResultDataExchangeModel::SetReconstructionResultAutoSaved(bool saved)
{
    LockPropertiesOrThrow(__LINE__, "BusinessLayer::CReconstructionResultDataExchangeModel::"
                                    "SetReconstructionResultAutoSaved")
        ->SetIsReconstructionResultSaved(saved);
}

void CReconstructionResultDataExchangeModel::ReconstructionResultAutoSaveExecuted()
{
    LockPropertiesOrThrow(__LINE__, "BusinessLayer::CReconstructionResultDataExchangeModel::"
                                    "ReconstructionResultAutoSaveExecuted")
        ->SetIsReconstructionResultSaved(m_internalState.Get() == EReconstructionState::Complete);
}

void CReconstructionResultDataExchangeModel::SetImportedReconstructionResult(EAreaItems area,
                                                                             Triangulation triangulation)
{
    std::shared_ptr<ICommonAreas> const areas = m_areas.lock();
    if (!areas || !Internal::EnsureAreaInstantiated(*areas, area))
        return;
    if (std::shared_ptr<ICommonArea> const object = Internal::GetInstantiatedArea(*areas, area))
        object->SetImportedReconstructionResult(std::move(triangulation));
}

void CReconstructionResultDataExchangeModel::SetImportedReconstructionAtlas(
    EAreaItems area, std::shared_ptr<Base::CTextureAtlasData const> const& atlas)
{
    std::shared_ptr<ICommonAreas> const areas = m_areas.lock();
    if (!areas || !Internal::EnsureAreaInstantiated(*areas, area))
        return;
    if (std::shared_ptr<ICommonArea> const object = Internal::GetInstantiatedArea(*areas, area))
        object->SetImportedReconstructionAtlas(atlas);
}
} // namespace BusinessLayer
