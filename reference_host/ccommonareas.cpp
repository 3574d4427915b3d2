#include "reference_host/ccommonareas.h"

#include <utility>

namespace ReferenceHost
{
using Base::AreaIndex;
using Base::EAreaItems;

CCommonAreas::CCommonAreas(std::vector<EAreaItems> knownAreas)
    : m_knownAreas(std::move(knownAreas)), m_areaSetRevision(0), m_isRunningExceptReconstruction(false),
      m_buccalToUpper(Base::CBuccalRegistrationResult(), m_propertyOwner),
      m_buccalToLower(Base::CBuccalRegistrationResult(), m_propertyOwner),
      m_strategyStatus(Base::EBuccalRegistrationStrategyStatus::NotStarted)
{
    m_canInstantiate.fill(true);
}

CCommonAreas::~CCommonAreas() = default;

std::vector<EAreaItems> CCommonAreas::AllAreas()
{
    std::vector<EAreaItems> areas;
    for (std::size_t i = 0; i < Base::kAreaItemCount; ++i)
        areas.push_back(static_cast<EAreaItems>(i));
    return areas;
}

bool CCommonAreas::IsRealArea(EAreaItems area) noexcept
{
    return area >= EAreaItems::LowerJaw && area < EAreaItems::ItemCount;
}

void CCommonAreas::ChangeRevision()
{
    // Concurrent changes may publish their numbers out of order; every one is still a change, and
    // readers ignore the number.
    m_areaSetRevision.Set(++m_revisionCounter);
}

Base::Binding::IValueBindingSource<std::uint64_t> const& CCommonAreas::GetAreaSetRevision() const
{
    return m_areaSetRevision;
}

void CCommonAreas::GetAreas(std::vector<EAreaItems>& areas) const
{
    areas = m_knownAreas;
}

bool CCommonAreas::CanInstantiateArea(EAreaItems area) const
{
    if (!IsRealArea(area))
        return false;
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_canInstantiate[AreaIndex(area)];
}

bool CCommonAreas::IsAreaInstantiated(EAreaItems area) const
{
    return GetCommonArea(area) != nullptr;
}

void CCommonAreas::InstantiateArea(EAreaItems area)
{
    if (!IsRealArea(area))
        return;
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        if (m_areas[AreaIndex(area)])
            return;
        m_areas[AreaIndex(area)] = std::make_shared<CCommonArea>();
    }
    ChangeRevision();
}

void CCommonAreas::RemoveArea(EAreaItems area)
{
    if (!IsRealArea(area))
        return;
    std::shared_ptr<CCommonArea> removed;
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        removed = std::move(m_areas[AreaIndex(area)]);
    }
    if (removed)
        ChangeRevision();
    // `removed` goes last, after observers have re-scanned the areas.
}

Base::Binding::IValueBindingSource<bool> const&
CCommonAreas::GetIsRunningExceptReconstructionBindingSource() const
{
    return m_isRunningExceptReconstruction;
}

std::shared_ptr<Base::ISurfelCollectionColored> CCommonAreas::GetSurfelCollection(EAreaItems area) const
{
    if (!IsRealArea(area))
        return nullptr;
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_surfelCollections[AreaIndex(area)];
}

std::shared_ptr<Base::ISurfelCollectionColored> CCommonAreas::GetSurfelCollection() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_allSurfels;
}

Base::IProperty<Base::CBuccalRegistrationResult> const&
CCommonAreas::GetBuccalRegistrationResultToUpper() const
{
    return m_buccalToUpper;
}

Base::IProperty<Base::CBuccalRegistrationResult> const&
CCommonAreas::GetBuccalRegistrationResultToLower() const
{
    return m_buccalToLower;
}

void CCommonAreas::SetBuccalRegistrationResultToUpper(Base::CBuccalRegistrationResult result)
{
    m_buccalToUpper.Set(result);
}

void CCommonAreas::SetBuccalRegistrationResultToLower(Base::CBuccalRegistrationResult result)
{
    m_buccalToLower.Set(result);
}

Base::Binding::IValueBindingSource<Base::EBuccalRegistrationStrategyStatus>&
CCommonAreas::GetBuccalRegistrationStrategyStatus()
{
    return m_strategyStatus;
}

Base::Binding::IArrayBindingSource<std::shared_ptr<BusinessLayer::IAreaRegistrationInfo const>> const&
CCommonAreas::GetAreaRegistrationInfoArray() const
{
    return m_registrationInfos;
}

Base::IEventSignal<void> const& CCommonAreas::GetDataModifiedEvent() const
{
    return m_dataModified;
}

void CCommonAreas::GetArea(std::shared_ptr<BusinessLayer::ICommonArea>& result, EAreaItems area)
{
    result = GetCommonArea(area);
}

void CCommonAreas::GetArea(std::shared_ptr<BusinessLayer::ICommonArea const>& result, EAreaItems area) const
{
    result = GetCommonArea(area);
}

void CCommonAreas::SetAreaRegistration(EAreaItems area, JbMatrix4Rd const& registration)
{
    if (!IsRealArea(area))
        return;
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_registrations[AreaIndex(area)] = registration;
}

void CCommonAreas::ResetAreaRegistration(EAreaItems area)
{
    if (!IsRealArea(area))
        return;
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_registrations[AreaIndex(area)].reset();
}

void CCommonAreas::SetImportedAreaRegistrationInfo(EAreaItems area, bool isRegistered,
                                                   JbMatrix4Rd const& registration, float quality)
{
    if (!IsRealArea(area))
        return;
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_importedRegistrations[AreaIndex(area)] = SImportedRegistrationInfo{isRegistered, registration, quality};
}

std::shared_ptr<CCommonArea> CCommonAreas::GetCommonArea(EAreaItems area) const
{
    if (!IsRealArea(area))
        return nullptr;
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_areas[AreaIndex(area)];
}

void CCommonAreas::SetCanInstantiateArea(EAreaItems area, bool canInstantiate)
{
    if (!IsRealArea(area))
        return;
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_canInstantiate[AreaIndex(area)] = canInstantiate;
}

void CCommonAreas::SetIsRunningExceptReconstruction(bool running)
{
    m_isRunningExceptReconstruction.Set(running);
}

void CCommonAreas::SetBuccalRegistrationStrategyStatus(Base::EBuccalRegistrationStrategyStatus status)
{
    m_strategyStatus.Set(status);
}

void CCommonAreas::SetSurfelCollection(EAreaItems area,
                                       std::shared_ptr<Base::ISurfelCollectionColored> collection)
{
    if (!IsRealArea(area))
        return;
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_surfelCollections[AreaIndex(area)] = std::move(collection);
}

void CCommonAreas::SetSurfelCollection(std::shared_ptr<Base::ISurfelCollectionColored> collection)
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_allSurfels = std::move(collection);
}

void CCommonAreas::SetAreaRegistrationInfo(EAreaItems area,
                                           std::shared_ptr<BusinessLayer::IAreaRegistrationInfo const> const& info)
{
    if (IsRealArea(area))
        m_registrationInfos.SetAt(AreaIndex(area), info);
}

void CCommonAreas::SetAreaRegistrationInfos(
    std::vector<std::shared_ptr<BusinessLayer::IAreaRegistrationInfo const>> const& infos)
{
    m_registrationInfos.Set(infos);
}

void CCommonAreas::FireDataModified()
{
    m_dataModified.Fire();
}

std::optional<JbMatrix4Rd> CCommonAreas::GetStoredAreaRegistration(EAreaItems area) const
{
    if (!IsRealArea(area))
        return std::nullopt;
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_registrations[AreaIndex(area)];
}

std::optional<CCommonAreas::SImportedRegistrationInfo>
CCommonAreas::GetImportedAreaRegistrationInfo(EAreaItems area) const
{
    if (!IsRealArea(area))
        return std::nullopt;
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_importedRegistrations[AreaIndex(area)];
}
} // namespace ReferenceHost
