#include "businesslayer/common/cismodeltaballoweddataexchangemodelbase.h"

#include "base/orx2basepool/csourcefile.h"
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tmultivaluebindingsource.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "base/orx2basepool/tvaluestreamobserver.h"
#include "businesslayer/common/internal/commonareasaccess.h"
#include "host/foundation/orxexception.h"

#include <algorithm>

namespace BusinessLayer
{
using Base::AreaIndex;
using Base::EAreaItems;
using Level = CIsModelTabAllowedDataExchangeModelBase::EAreaRequirementLevel;

namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/cismodeltaballoweddataexchangemodelbase");
constexpr int kLineInitAreasGone = 61;
} // namespace

Logging::CLogger const
    CIsModelTabAllowedDataExchangeModelBase::s_logger(L"ORX2.CIsModelTabAllowedDataExchangeModelBase");

CIsModelTabAllowedDataExchangeModelBase::CIsModelTabAllowedDataExchangeModelBase(
    std::shared_ptr<ICommonAcquisitionProperties> const& properties,
    std::shared_ptr<ICommonAreas> const& areas)
    : m_areas(areas)
{
    constexpr char const* kFunction =
        "BusinessLayer::CIsModelTabAllowedDataExchangeModelBase::CIsModelTabAllowedDataExchangeModelBase";
    if (!areas)
        kSource.Throw(__LINE__, kFunction, Internal::kAreasMustBeSet);
    if (!properties)
        kSource.Throw(__LINE__, kFunction, L"The acquisition properties must be set");
    // Open before the first binding: the binding's first call must reach the model.
    GetOwnerGuard().Open();
    m_publishedValueObserver = Base::Binding::TValueChangedObserver<bool, bool>(
        Base::Binding::TMultiValueBindingSource<bool, bool>(properties->GetTreatReconstructionAsDone(),
                                                            m_modelTabAllowedByData),
        Base::BindToOwner(
            GetOwnerGuard(), *this,
            [](CIsModelTabAllowedDataExchangeModelBase& self, bool treatAsDone, bool allowedByData)
            { self.m_isModelTabAllowed.Set(treatAsDone || allowedByData); }));
}

CIsModelTabAllowedDataExchangeModelBase::~CIsModelTabAllowedDataExchangeModelBase()
{
    GetOwnerGuard().Close();
    // The area-set handler rebuilds the per-area observers, so the model observers stop first.
    m_modelObservers.clear();
    m_perAreaObservers.clear();
    m_publishedValueObserver.Reset();
}

void CIsModelTabAllowedDataExchangeModelBase::Init()
{
    // Without the old observers the clearing below evaluates nothing, so no stale "no data" is published
    // in between.
    m_modelObservers.clear();
    m_perAreaObservers.clear();
    m_hasData.Clear();
    std::shared_ptr<ICommonAreas> const areas = Internal::LockAreasOrThrow(
        m_areas, kSource, kLineInitAreasGone, "BusinessLayer::CIsModelTabAllowedDataExchangeModelBase::Init");

    auto const evaluate = Base::BindToOwner(
        GetOwnerGuard(), *this, [](CIsModelTabAllowedDataExchangeModelBase& self, auto const&) { self.Evaluate(); });
    m_modelObservers.push_back(Base::Binding::MakeArrayChangeObserver(m_hasData, evaluate));
    m_modelObservers.push_back(Base::Binding::TValueChangedObserver<std::uint64_t>(
        areas->GetAreaSetRevision(), Base::BindToOwner(GetOwnerGuard(), *this,
                                                       [](CIsModelTabAllowedDataExchangeModelBase& self,
                                                          std::uint64_t) { self.OnAreaSetChanged(); })));
    m_modelObservers.push_back(Base::Binding::MakeArrayChangeObserver(m_requiredLevels, evaluate));
}

void CIsModelTabAllowedDataExchangeModelBase::OnAreaSetChanged()
{
    std::shared_ptr<ICommonAreas> const areas = m_areas.lock();
    if (!areas)
        return;
    Internal::SharedAreaList const list = Internal::TakeAreaList(*areas);
    m_perAreaObservers.clear();
    for (EAreaItems const area : *list)
    {
        // Areas that are not instantiated keep their has-data entry.
        if (!Internal::IsRealArea(area))
            continue;
        // Held while its sources are bound: an area removed meanwhile keeps its object until then.
        std::shared_ptr<ICommonArea> const object = Internal::GetInstantiatedArea(*areas, area);
        if (!object)
            continue;
        Base::Binding::IValueBindingSource<bool> const* dataAvailable = nullptr;
        try
        {
            dataAvailable = &GetAreaDataAvailable(area);
        }
        catch (OrxException const&)
        {
            // Removed between the two lookups: a normal race with the engine, not an error. The area
            // keeps its entry, and the change of the area set that removed it scans again.
            continue;
        }
        m_perAreaObservers.push_back(Base::Binding::TValueChangedObserver<bool>(
            *dataAvailable,
            Base::BindToOwner(GetOwnerGuard(), *this,
                              [area](CIsModelTabAllowedDataExchangeModelBase& self, bool hasData)
                              { self.m_hasData.SetAt(AreaIndex(area), hasData); })));
        m_perAreaObservers.push_back(Base::Binding::TValueStreamObserver<bool>(
            object->GetContributesToModel(),
            Base::BindToOwner(GetOwnerGuard(), *this,
                              [](CIsModelTabAllowedDataExchangeModelBase& self, bool) { self.Evaluate(); })));
    }
}

void CIsModelTabAllowedDataExchangeModelBase::Evaluate()
{
    m_inputVersion.Recompute([this] { EvaluateOnce(); });
}

void CIsModelTabAllowedDataExchangeModelBase::EvaluateOnce()
{
    std::shared_ptr<ICommonAreas> const areas = m_areas.lock();
    if (!areas)
        return;
    std::vector<bool> const hasData = m_hasData.GetValues();
    std::vector<Level> const levels = m_requiredLevels.GetValues();
    std::size_t const count = std::max(hasData.size(), levels.size());

    bool anyData = false;
    bool allRequiredHaveData = true;
    std::size_t requiredCount = 0;
    for (std::size_t i = 0; i < count; ++i)
    {
        bool const areaHasData = i < hasData.size() && hasData[i];
        anyData = anyData || areaHasData;
        // An area that contributes to the model is needed for it, whatever the case prescribes.
        std::shared_ptr<ICommonArea> const object =
            Internal::GetInstantiatedArea(*areas, static_cast<EAreaItems>(i));
        bool const required = (i < levels.size() && levels[i] == Level::Obligatory) ||
                              (object && object->GetContributesToModel().GetValue());
        if (!required)
            continue;
        allRequiredHaveData = allRequiredHaveData && areaHasData;
        ++requiredCount;
    }
    m_isDataAvailable.Set(anyData);
    m_modelTabAllowedByData.Set(requiredCount == 0 ? anyData : allRequiredHaveData);
}

void CIsModelTabAllowedDataExchangeModelBase::SetRequiredAreasArray(
    Base::Binding::IArrayBindingSource<Level> const& levels)
{
    m_requiredLevels.Bind(levels);
}
} // namespace BusinessLayer
