#include "businesslayer/common/cdynamicrequiredareasbase.h"

#include "base/orx2basepool/csourcefile.h"
#include "base/orx2basepool/internal/lockorthrow.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "businesslayer/common/internal/commonareasaccess.h"
#include "host/foundation/orxexception.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <thread>
#include <utility>

namespace BusinessLayer
{
namespace
{
constexpr Base::CSourceFile kSource("businesslayer/common/cdynamicrequiredareasbase");
constexpr int kLineHasDataAreasGone = 90;
// The areas whose flags the rules read.
constexpr std::array<Base::EAreaItems, 11> kAreasWithFlagsRead = {
    Base::EAreaItems::LowerJaw,         Base::EAreaItems::UpperJaw,       Base::EAreaItems::BuccalReg,
    Base::EAreaItems::BiogenRefLower,   Base::EAreaItems::BiogenRefUpper, Base::EAreaItems::GingivaMaskLower,
    Base::EAreaItems::GingivaMaskUpper, Base::EAreaItems::PreOpLower,     Base::EAreaItems::PreOpUpper,
    Base::EAreaItems::ScanbodyLower,    Base::EAreaItems::ScanbodyUpper};
} // namespace

using Base::AreaIndex;
using Base::EAreaItems;
using Level = CDynamicRequiredAreasBase::EAreaRequirementLevel;

Logging::CLogger const CDynamicRequiredAreasBase::s_logger(L"ORX2.CDynamicRequiredAreasBase");

CDynamicRequiredAreasBase::CDynamicRequiredAreasBase(std::shared_ptr<ICommonAreas> const& areas)
    : CDynamicRequiredAreasBase(areas, SStartLater{})
{
    Start();
}

CDynamicRequiredAreasBase::CDynamicRequiredAreasBase(std::shared_ptr<ICommonAreas> const& areas, SStartLater)
    : m_areas(areas), m_journalHandle(Base::GetJournal().CreateHandle(L"CDynamicRequiredAreasBase"))
{
}

void CDynamicRequiredAreasBase::Start()
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
    // The handler computes from the observer's own copy of the levels: a later change of them comes as
    // another call of this observer, which never overlaps this one.
    m_caseLevelsObserver = Base::Binding::MakeFullArrayObserver(
        m_caseLevels,
        Base::BindToOwner(m_guard, *this,
                          [](CDynamicRequiredAreasBase& self, std::vector<Level> const& levels)
                          {
                              Base::CJournalReport const levelsReport = self.Report();
                              self.m_inputVersion.Recompute([&self, &levels]
                                                            { self.UpdateDynamicRequiredAreas(levels); });
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
        // Areas that are not instantiated keep whatever entry they had.
        if (!Internal::IsRealArea(area) || !areas->IsAreaInstantiated(area))
            continue;
        // Held while its source is bound: an area removed meanwhile keeps its object until then.
        std::shared_ptr<ICommonArea> object;
        areas->GetArea(object, area);
        Base::Binding::IValueBindingSource<bool> const* hasDataOrReco = nullptr;
        if (object)
        {
            try
            {
                hasDataOrReco = &GetHasDataOrReco(area);
            }
            catch (OrxException const&)
            {
                // Removed between the two lookups: a normal race with the engine, not an error.
            }
        }
        // An area removed since the list was taken keeps its entry too; the change of the area set that
        // removed it scans again.
        if (!hasDataOrReco)
            continue;
        // Binding delivers the current flag at once, read under the source's lock, and the handler stores
        // it and computes: a change on another thread comes after it, never before. A second read here
        // could be overtaken by such a change and store a stale flag, so the binding's delivery is the
        // only one.
        m_perAreaObservers.push_back(Base::Binding::TValueChangedObserver<bool>(
            *hasDataOrReco, Base::BindToOwner(m_guard, *this,
                                              [area](CDynamicRequiredAreasBase& self, bool value)
                                              { self.OnHasDataOrRecoChanged(area, value); })));
        Recompute();
    }
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

    // A flag that cannot be read at once counts as "no data": the computation never waits for a writer
    // of the flags. It is then followed by another one (MarkChanged makes a running Recompute repeat), so
    // that the last computation of a storm has read every flag.
    std::array<bool, Base::kAreaItemCount> hasData{};
    bool unread = false;
    for (EAreaItems const area : kAreasWithFlagsRead)
    {
        std::size_t const index = AreaIndex(area);
        Base::TOptional<bool> const flag = m_hasDataOrReco.TryGetAt(index);
        if (flag.HasValue())
        {
            hasData[index] = flag.value();
            continue;
        }
        // Empty for an entry beyond the end (an area never seen: no data) or for a busy array.
        Base::TOptional<std::size_t> const size = m_hasDataOrReco.TryGetSize();
        unread = unread || !size.HasValue() || index < size.value();
    }
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
    if (unread)
    {
        m_inputVersion.MarkChanged();
        std::this_thread::yield(); // lets the writer of the flags finish before the next computation
    }
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
