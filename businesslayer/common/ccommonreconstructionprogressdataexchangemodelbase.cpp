#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"

#include "base/orx2basepool/tvaluechangedobserver.h"
#include "businesslayer/common/internal/commonareasaccess.h"
#include "host/foundation/orxexception.h"

#include <utility>

namespace BusinessLayer
{
using Base::AreaIndex;
using Base::EAreaItems;
using Internal::IsRealArea;

namespace
{
constexpr Base::CSourceFile
    kSource("businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase");
constexpr int kLineConstructedLog = 75;

// The progress display draws the lower-side areas in group 0, the upper-side areas in group 1 and the
// buccal registration alone in group 2; the bites and the articulation are not drawn (-1).
constexpr std::array<int, Base::kAreaItemCount> kGroupOfElement = {0, 1, 2,  0,  1,  0, 1,
                                                                   0, 1, -1, -1, -1, 0, 1};
constexpr std::array<int, Base::kAreaItemCount> kPositionInGroup = {1, 1, 0,  2,  2,  3, 3,
                                                                    0, 0, -1, -1, -1, 4, 4};

} // namespace

Logging::CLogger const CCommonReconstructionProgressDataExchangeModelBase::s_logger(
    L"ORX2.CCommonReconstructionProgressDataExchangeModelBase");

CCommonReconstructionProgressDataExchangeModelBase::CCommonReconstructionProgressDataExchangeModelBase(
    std::shared_ptr<ICommonAreas> const& areas)
    : m_reconstructionAreaCount(0, *this), m_reconstructionProgress(0.0f, *this),
      m_reconstructionProgressState(EImageProcessingProgress::eORX_RUNNING, *this), m_areas(areas)
{
    if (!areas)
        kSource.Throw(__LINE__,
                      "BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase::"
                      "CCommonReconstructionProgressDataExchangeModelBase",
                      Internal::kAreasMustBeSet);
    kSource.Log(s_logger, kLineConstructedLog,
                "BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase::"
                "CCommonReconstructionProgressDataExchangeModelBase",
                L"CCommonReconstructionProgressViewModel()");
    // Bound last: the first scan runs right here and needs every member.
    GetOwnerGuard().Open();
    m_areaSetObserver = Base::Binding::TValueChangedObserver<std::uint64_t>(
        areas->GetAreaSetRevision(),
        Base::BindToOwner(GetOwnerGuard(), *this,
                          [](CCommonReconstructionProgressDataExchangeModelBase& self, std::uint64_t)
                          { self.OnAreaSetChanged(); }));
}

CCommonReconstructionProgressDataExchangeModelBase::~CCommonReconstructionProgressDataExchangeModelBase()
{
    GetOwnerGuard().Close();
    // The area-set handler rebuilds the per-area connections, so it stops first.
    m_areaSetObserver.Reset();
    m_perAreaConnections.clear();
}

bool CCommonReconstructionProgressDataExchangeModelBase::IsConsideredForReconstruction(EAreaItems) const
{
    return true;
}

void CCommonReconstructionProgressDataExchangeModelBase::OnAreaSetChanged()
{
    std::shared_ptr<ICommonAreas> const areas = m_areas.lock();
    if (!areas)
        return;
    m_perAreaConnections.clear();
    auto scanned = std::make_shared<std::vector<SScannedArea>>();
    Internal::ForEachInstantiatedArea(*areas, *Internal::TakeAreaList(*areas),
                                      [&scanned](EAreaItems area, std::shared_ptr<ICommonArea> const& object)
                                      {
                                          scanned->push_back(SScannedArea{area, object});
                                      });
    AreaList const list = std::move(scanned);
    using Self = CCommonReconstructionProgressDataExchangeModelBase;
    for (SScannedArea const& entry : *list)
    {
        std::shared_ptr<ICommonArea> const object = entry.object.lock();
        if (!object)
            continue;
        EAreaItems const area = entry.area;
        using Internal::ConnectToLaterValues;
        m_perAreaConnections.push_back(ConnectToLaterValues(
            object->GetHasDataOrReco(),
            Base::BindToOwner(GetOwnerGuard(), *this,
                              [list](Self& self, bool) { self.OnHasDataOrRecoChanged(list); })));
        m_perAreaConnections.push_back(ConnectToLaterValues(
            object->GetReconstructionProgress(),
            Base::BindToOwner(GetOwnerGuard(), *this,
                              [list, area](Self& self, float progress)
                              { self.OnReconstructionProgressChanged(list, area, progress); })));
        m_perAreaConnections.push_back(
            ConnectToLaterValues(object->GetImageProcessingProgress(),
                                 Base::BindToOwner(GetOwnerGuard(), *this,
                                                   [](Self& self, EImageProcessingProgress state)
                                                   { self.m_reconstructionProgressState.Set(state); })));
    }
}

void CCommonReconstructionProgressDataExchangeModelBase::OnHasDataOrRecoChanged(AreaList const& areaList)
{
    // Flags of two areas may change on two threads at once: the walk is repeated until no other change
    // came in meanwhile. Only the areas of the scan whose objects live are walked; the others keep their
    // flag.
    m_inputVersion.Recompute(
        [this, &areaList]
        {
            if (m_areas.expired())
                return;
            int count = 0;
            for (SScannedArea const& entry : *areaList)
            {
                std::shared_ptr<ICommonArea> const object = entry.object.lock();
                if (!object || !IsRealArea(entry.area))
                    continue;
                bool const takesPart =
                    object->GetHasDataOrReco().GetValue() && IsConsideredForReconstruction(entry.area);
                {
                    std::lock_guard<std::mutex> const lock(m_mutex);
                    m_reconstructionAreas[AreaIndex(entry.area)] = takesPart;
                }
                count += takesPart ? 1 : 0;
            }
            m_reconstructionAreaCount.Set(count);
        });
}

void CCommonReconstructionProgressDataExchangeModelBase::OnReconstructionProgressChanged(
    AreaList const& areaList, EAreaItems area, float progress)
{
    if (IsRealArea(area))
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_areaProgress[AreaIndex(area)] = progress;
    }
    if (m_areas.expired())
        return;
    // The reporting area always counts; the others only while they hold data, so that areas not yet
    // scanned do not hold the bar back.
    float sum = progress;
    int contributors = 1;
    for (SScannedArea const& other : *areaList)
    {
        if (other.area == area)
            continue;
        std::shared_ptr<ICommonArea const> const object = other.object.lock();
        if (!object || !object->GetHasDataOrReco().GetValue())
            continue;
        sum += object->GetReconstructionProgress().GetValue();
        ++contributors;
    }
    m_reconstructionProgress.Set(sum / static_cast<float>(contributors) * 100.0f);
}

float CCommonReconstructionProgressDataExchangeModelBase::GetReconstructionProgress(EAreaItems area) const
{
    if (!IsRealArea(area))
        return 0.0f;
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_areaProgress[AreaIndex(area)];
}

Base::IProperty<float> const&
CCommonReconstructionProgressDataExchangeModelBase::GetReconstructionProgress() const
{
    return m_reconstructionProgress;
}

Base::TProperty<float>& CCommonReconstructionProgressDataExchangeModelBase::GetReconstructionProgress()
{
    return m_reconstructionProgress;
}

Base::IProperty<EImageProcessingProgress> const&
CCommonReconstructionProgressDataExchangeModelBase::GetReconstructionProgressState() const
{
    return m_reconstructionProgressState;
}

Base::TProperty<EImageProcessingProgress>&
CCommonReconstructionProgressDataExchangeModelBase::GetReconstructionProgressState()
{
    return m_reconstructionProgressState;
}

Base::IProperty<int> const&
CCommonReconstructionProgressDataExchangeModelBase::GetReconstructionAreaCount() const
{
    return m_reconstructionAreaCount;
}

Base::TProperty<int>& CCommonReconstructionProgressDataExchangeModelBase::GetReconstructionAreaCount()
{
    return m_reconstructionAreaCount;
}

bool CCommonReconstructionProgressDataExchangeModelBase::GetReconstructionArea(EAreaItems area) const
{
    if (!IsRealArea(area))
        return false;
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_reconstructionAreas[AreaIndex(area)];
}

int CCommonReconstructionProgressDataExchangeModelBase::GetGroupOfElement(EAreaItems area) const
{
    return IsRealArea(area) ? kGroupOfElement[AreaIndex(area)] : -1;
}

int CCommonReconstructionProgressDataExchangeModelBase::GetElementPositionInGroup(EAreaItems area) const
{
    return IsRealArea(area) ? kPositionInGroup[AreaIndex(area)] : -1;
}

std::shared_ptr<JyBitmap>
CCommonReconstructionProgressDataExchangeModelBase::GetReconstructionBitmap(EAreaItems area) const
{
    if (!IsRealArea(area))
        return nullptr;
    std::lock_guard<std::mutex> const lock(m_mutex);
    return m_bitmaps[AreaIndex(area)];
}

void CCommonReconstructionProgressDataExchangeModelBase::SetReconstructionBitmap(
    EAreaItems area, std::shared_ptr<JyBitmap> bitmap)
{
    if (!IsRealArea(area))
        return;
    std::lock_guard<std::mutex> const lock(m_mutex);
    m_bitmaps[AreaIndex(area)] = std::move(bitmap);
}
} // namespace BusinessLayer
