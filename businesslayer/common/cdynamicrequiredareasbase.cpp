#include "businesslayer/common/cdynamicrequiredareasbase.h"

#include "base/orx2basepool/csourcefile.h"
#include "base/orx2basepool/internal/lockorthrow.h"
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "businesslayer/common/internal/commonareasaccess.h"
#include "host/foundation/orxexception.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

namespace BusinessLayer
{
namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/cdynamicrequiredareasbase");
constexpr int kLineHasDataAreasGone = 90;
} // namespace

using Base::AreaIndex;
using Base::EAreaItems;
using Level = CDynamicRequiredAreasBase::EAreaRequirementLevel;

Logging::CLogger const CDynamicRequiredAreasBase::s_logger(L"ORX2.CDynamicRequiredAreasBase");

CDynamicRequiredAreasBase::CDynamicRequiredAreasBase(std::shared_ptr<ICommonAreas> const& areas)
    : m_areas(areas), m_journalHandle(Base::GetJournal().CreateHandle(L"CDynamicRequiredAreasBase"))
{
    m_guard.Open();
    Init();
}

CDynamicRequiredAreasBase::~CDynamicRequiredAreasBase()
{
    m_guard.Close();
    // The area-set handler rebuilds the per-area observers, so it stops first; all handlers touch the
    // arrays, so all stop before the members go.
    m_areaSetObserver.Reset();
    m_perAreaObservers.clear();
    m_caseLevelsObserver.Reset();
}

Base::CJournalReport CDynamicRequiredAreasBase::Report() const
{
    return Base::GetJournal().Report(m_journalHandle);
}

void CDynamicRequiredAreasBase::Init()
{
    m_areaSetObserver.Reset();
    Base::CJournalReport const report = Report();
    std::shared_ptr<ICommonAreas> const areas = m_areas.lock();
    if (!areas)
        return;
    // An observer: its calls never overlap, so two scans of the area set (the first one here, and one for
    // a change made meanwhile on another thread) never rebuild the per-area observers at the same time.
    m_areaSetObserver = Base::Binding::TValueChangedObserver<std::uint64_t>(
        areas->GetAreaSetRevision(),
        Base::BindToOwner(m_guard, *this,
                          [](CDynamicRequiredAreasBase& self, std::uint64_t) { self.OnAreaSetChanged(); }));
    // Each computation reads the bound levels anew, so the observer only says that they changed.
    m_caseLevelsObserver = Base::Binding::MakeArrayChangeObserver(
        m_caseLevels, Base::BindToOwner(m_guard, *this,
                                        [](CDynamicRequiredAreasBase& self, auto const&)
                                        {
                                            Base::CJournalReport const levelsReport = self.Report();
                                            self.Recompute();
                                        }));
}

void CDynamicRequiredAreasBase::OnAreaSetChanged()
{
    Base::CJournalReport const report = Report();
    std::shared_ptr<ICommonAreas> const areas = m_areas.lock();
    if (!areas)
        return;
    std::vector<EAreaItems> areaList;
    areas->GetAreas(areaList);
    m_perAreaObservers.clear();
    for (EAreaItems const area : areaList)
    {
        if (!Internal::IsRealArea(area))
            continue;
        // Held while its source is bound: an area removed meanwhile keeps its object until then.
        std::shared_ptr<ICommonArea> const object = Internal::GetInstantiatedArea(*areas, area);
        Base::Binding::IValueBindingSource<bool> const* hasDataOrReco = nullptr;
        if (object)
        {
            try
            {
                hasDataOrReco = &GetHasDataOrReco(area);
            }
            catch (OrxException const&)
            {
                // Removed between the two lookups: the next change of the area set says so again.
            }
        }
        if (!hasDataOrReco)
        {
            // What the area held is gone with it; a fresh model would not count it either.
            OnHasDataOrRecoChanged(area, false);
            continue;
        }
        // Binding delivers the current flag at once, read under the source's lock: a change on another
        // thread comes after it, never before. A second read here could be overtaken by such a change
        // and store a stale flag, so the binding's delivery is the only one.
        m_perAreaObservers.push_back(Base::Binding::TValueChangedObserver<bool>(
            *hasDataOrReco, Base::BindToOwner(m_guard, *this,
                                              [area](CDynamicRequiredAreasBase& self, bool value)
                                              { self.OnHasDataOrRecoChanged(area, value); })));
    }
    Recompute();
}

void CDynamicRequiredAreasBase::OnHasDataOrRecoChanged(EAreaItems area, bool hasDataOrReco)
{
    m_hasDataOrReco.SetAt(AreaIndex(area), hasDataOrReco);
    Recompute();
}

void CDynamicRequiredAreasBase::Recompute()
{
    m_inputVersion.Recompute([this] { UpdateDynamicRequiredAreas(m_caseLevels.GetValues()); });
}

void CDynamicRequiredAreasBase::SetRequiredAreasArray(Base::Binding::IArrayBindingSource<Level> const& source)
{
    m_caseLevels.Bind(source);
}

Base::Binding::IArrayBindingSource<Level> const& CDynamicRequiredAreasBase::GetRequiredAreasArray() const
{
    return m_requiredAreas;
}

void CDynamicRequiredAreasBase::UpdateDynamicRequiredAreas(std::vector<Level> const& levels)
{
    std::array<Level, Base::kAreaItemCount> prescribed;
    prescribed.fill(Level::Optional);
    std::copy_n(levels.begin(), std::min(levels.size(), prescribed.size()), prescribed.begin());
    std::vector<Level> working(prescribed.begin(), prescribed.end());

    // One snapshot of all flags. Only the handlers write them and nothing observes them, so the read
    // waits at most for one SetAt; a read that gave up instead could leave the last computation of a
    // storm with a flag it did not see.
    std::vector<bool> const flags = m_hasDataOrReco.GetValues();
    std::array<bool, Base::kAreaItemCount> hasData{};
    for (std::size_t i = 0; i < hasData.size() && i < flags.size(); ++i)
        hasData[i] = flags[i];
    auto const anyHasData = [&hasData](std::initializer_list<EAreaItems> areas)
    {
        return std::any_of(areas.begin(), areas.end(),
                           [&hasData](EAreaItems a) { return hasData[AreaIndex(a)]; });
    };
    auto const anyPrescribed = [&prescribed](std::initializer_list<EAreaItems> areas)
    {
        return std::any_of(areas.begin(), areas.end(),
                           [&prescribed](EAreaItems a)
                           { return prescribed[AreaIndex(a)] == Level::Obligatory; });
    };
    auto const raise = [&working](EAreaItems area, bool condition)
    {
        // Only levels below obligatory are raised; any other value is the case's and stays.
        Level& level = working[AreaIndex(area)];
        if (condition && static_cast<std::int32_t>(level) < static_cast<std::int32_t>(Level::Obligatory))
            level = Level::Obligatory;
    };

    // Each jaw is needed for the areas that are registered onto it, ...
    raise(EAreaItems::LowerJaw,
          anyHasData({EAreaItems::BuccalReg, EAreaItems::PreOpLower, EAreaItems::BiogenRefLower,
                      EAreaItems::GingivaMaskLower, EAreaItems::ScanbodyLower}) ||
              anyPrescribed({EAreaItems::PreOpLower, EAreaItems::BiogenRefLower, EAreaItems::GingivaMaskLower,
                             EAreaItems::ScanbodyLower}));
    raise(EAreaItems::UpperJaw,
          anyHasData({EAreaItems::BuccalReg, EAreaItems::PreOpUpper, EAreaItems::BiogenRefUpper,
                      EAreaItems::GingivaMaskUpper, EAreaItems::ScanbodyUpper}) ||
              anyPrescribed({EAreaItems::PreOpUpper, EAreaItems::BiogenRefUpper, EAreaItems::GingivaMaskUpper,
                             EAreaItems::ScanbodyUpper}));
    // ... and two jaws need the bite that relates them.
    auto const jawNeeded = [&](EAreaItems jaw)
    { return hasData[AreaIndex(jaw)] || working[AreaIndex(jaw)] == Level::Obligatory; };
    raise(EAreaItems::BuccalReg, jawNeeded(EAreaItems::LowerJaw) && jawNeeded(EAreaItems::UpperJaw));

    m_requiredAreas.Set(working);
}

Base::Binding::IValueBindingSource<bool> const& CDynamicRequiredAreasBase::GetHasDataOrReco(EAreaItems area)
{
    std::shared_ptr<ICommonAreas> const areas = Base::Internal::LockOrThrow(
        m_areas, kSource, kLineHasDataAreasGone,
        "BusinessLayer::CDynamicRequiredAreasBase::GetHasDataOrReco", L"The areas must be set");
    std::shared_ptr<ICommonArea> areaObject;
    areas->GetArea(areaObject, area);
    if (!areaObject)
        kSource.Throw(__LINE__, "BusinessLayer::CDynamicRequiredAreasBase::GetHasDataOrReco",
                      L"The area %s is not instantiated", Base::GetAreaName(area).c_str());
    // The source lives in the area object, which the host keeps while the area is instantiated.
    return areaObject->GetHasDataOrReco();
}
} // namespace BusinessLayer
