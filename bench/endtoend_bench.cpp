// Whole roads through the library, each beside what a user would build instead: the host's progress
// reaching the GUI, a required-areas change reaching its GUI observers, one array edit reaching many
// observers, and what the building blocks cost in memory.
#include "base/orx2basepool/arraychangednotification.h"
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/iasyncresult.h"
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/ccaserequiredareasdataexchangemodelbase.h"
#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"
#include "businesslayer/common/cdynamicrequiredareasbase.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/acquisitionbase/cmemorypatientmanager.h"
#include "host/acquisitionbase/corxstreambinarylegacy.h"
#include "host/foundation/jbsingleton.h"
#include "host/foundation/jbstreamwritebinarybuffer.h"
#include "reference_host/ccommonarea.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/makestandaloneproperty.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <array>
#include <memory>
#include <mutex>
#include <vector>

#if ORX2_BENCH_HAVE_BOOST
#include <boost/signals2.hpp>
#endif

namespace
{
using Base::EAreaItems;

/// The areas that hold data while the progress benchmarks run.
constexpr std::array<EAreaItems, 4> kScannedAreas = {EAreaItems::LowerJaw, EAreaItems::UpperJaw,
                                                     EAreaItems::BuccalReg, EAreaItems::PreOpLower};

/// A progress value that differs from the one before on every call.
float NextProgress(int& step)
{
    step = (step + 1) % 1000;
    return static_cast<float>(step) / 1000.0f;
}

// ---- Host to GUI: one area's reconstruction progress, the progress model, a GUI handler --------------

void HostToGuiOurs(benchmark::State& state)
{
    auto areas = std::make_shared<ReferenceHost::CCommonAreas>();
    for (EAreaItems const area : kScannedAreas)
    {
        areas->InstantiateArea(area);
        areas->GetCommonArea(area)->SetHasDataOrReco(true);
    }
    BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase model(areas);
    Base::IReconstructionProgressBarDataExchangeModel const& gui = model;
    Base::CScopedEventSignalConnection const redraw = gui.GetPropertyChangedEventSignal().Connect(
        Base::MakeEventSignalHandler<void>([&gui] { benchmark::DoNotOptimize(gui.GetReconstructionProgress().Get()); }));
    auto const area = areas->GetCommonArea(EAreaItems::UpperJaw);
    int step = 0;
    for (auto _ : state)
        area->SetReconstructionProgress(NextProgress(step));
}

#if ORX2_BENCH_HAVE_BOOST
/// The same road built by hand: per area a mutex-guarded value with a Boost signal, a model that
/// recomputes the mean under its own mutex and tells the GUI through another Boost signal.
class HandBuiltArea
{
public:
    boost::signals2::signal<void(float)> progressChanged;

    void SetProgress(float progress)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (progress == m_progress)
                return;
            m_progress = progress;
        }
        progressChanged(progress);
    }
    float GetProgress() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_progress;
    }
    bool HasData() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_hasData;
    }
    void SetHasData(bool hasData)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_hasData = hasData;
    }

private:
    mutable std::mutex m_mutex;
    float m_progress = 0.0f;
    bool m_hasData = false;
};

/// The host's area set as a hand-built host would keep it: areas come and go, so the model holds the
/// set weakly and looks each area up under the set's mutex when it needs it.
struct HandBuiltAreaSet
{
    std::shared_ptr<HandBuiltArea> Get(std::size_t index) const
    {
        std::lock_guard<std::mutex> lock(mutex);
        return areas[index];
    }

    mutable std::mutex mutex;
    std::array<std::shared_ptr<HandBuiltArea>, Base::kAreaItemCount> areas;
};

class HandBuiltProgressModel
{
public:
    boost::signals2::signal<void()> propertyChanged;

    explicit HandBuiltProgressModel(std::shared_ptr<HandBuiltAreaSet> const& areas) : m_areas(areas)
    {
        for (std::size_t i = 0; i < areas->areas.size(); ++i)
        {
            if (auto const area = areas->Get(i))
                m_connections.emplace_back(area->progressChanged.connect([this, i](float p) { OnProgress(i, p); }));
        }
    }
    float GetOverall() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_overall;
    }

private:
    void OnProgress(std::size_t reporting, float progress)
    {
        std::shared_ptr<HandBuiltAreaSet> const areas = m_areas.lock();
        if (!areas)
            return;
        float sum = progress;
        int contributors = 1;
        for (std::size_t i = 0; i < areas->areas.size(); ++i)
        {
            std::shared_ptr<HandBuiltArea> const area = i == reporting ? nullptr : areas->Get(i);
            if (!area || !area->HasData())
                continue;
            sum += area->GetProgress();
            ++contributors;
        }
        float const overall = sum / static_cast<float>(contributors) * 100.0f;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (overall == m_overall)
                return;
            m_overall = overall;
        }
        propertyChanged();
    }

    std::weak_ptr<HandBuiltAreaSet> m_areas;
    std::vector<boost::signals2::scoped_connection> m_connections;
    mutable std::mutex m_mutex;
    float m_overall = 0.0f;
};

void HostToGuiHandBuilt(benchmark::State& state)
{
    auto areas = std::make_shared<HandBuiltAreaSet>();
    for (EAreaItems const area : kScannedAreas)
    {
        auto& slot = areas->areas[Base::AreaIndex(area)];
        slot = std::make_shared<HandBuiltArea>();
        slot->SetHasData(true);
    }
    HandBuiltProgressModel model(areas);
    boost::signals2::scoped_connection const redraw =
        model.propertyChanged.connect([&model] { benchmark::DoNotOptimize(model.GetOverall()); });
    HandBuiltArea& reporting = *areas->Get(Base::AreaIndex(EAreaItems::UpperJaw));
    int step = 0;
    for (auto _ : state)
        reporting.SetProgress(NextProgress(step));
}
BENCHMARK(HostToGuiHandBuilt)->Name("HostToGui/HandBuiltBoost");
#endif

// ---- The road of a required-areas change, with 1, 4 and 16 GUI observers -----------------------------

using Level = BusinessLayer::CCaseRequiredAreasDataExchangeModelBase::EAreaRequirementLevel;

std::vector<unsigned char> Serialize(std::vector<Level> const& levels)
{
    auto const buffer = std::make_shared<JbStreamWriteBinaryBuffer>();
    Base::CORXStreamWriteBinaryLegacy writer(buffer);
    writer << levels;
    return buffer->GetBytes();
}

void RequiredAreasRoad(benchmark::State& state)
{
    auto areas = std::make_shared<ReferenceHost::CCommonAreas>();
    areas->InstantiateArea(EAreaItems::PreOpUpper);
    areas->GetCommonArea(EAreaItems::PreOpUpper)->SetHasDataOrReco(true);
    std::shared_ptr<Base::IProperty<EAreaItems>> const selected =
        ReferenceHost::MakeStandaloneProperty(EAreaItems::Undefined);
    BusinessLayer::CCaseRequiredAreasDataExchangeModelBase caseModel(selected);
    BusinessLayer::CDynamicRequiredAreasBase dynamic(areas);
    dynamic.SetRequiredAreasArray(caseModel.GetRequiredAreasArray());
    std::vector<Base::Binding::TArrayObserver<Level>> gui;
    for (int i = 0; i < state.range(0); ++i)
        gui.push_back(Base::Binding::MakeFullArrayObserver(
            dynamic.GetRequiredAreasArray(),
            [](std::vector<Level> const& levels) { benchmark::DoNotOptimize(levels.data()); }));

    // Two prescriptions that differ in the obligatory areas, so that every change reaches the GUI.
    std::array<std::vector<unsigned char>, 2> blobs;
    for (std::size_t i = 0; i < blobs.size(); ++i)
    {
        std::vector<Level> levels(Base::kAreaItemCount, Level::Optional);
        levels[Base::AreaIndex(i == 0 ? EAreaItems::LowerJaw : EAreaItems::UpperJaw)] = Level::Obligatory;
        levels[Base::AreaIndex(EAreaItems::PreOpLower)] = Level::Obligatory;
        blobs[i] = Serialize(levels);
    }
    auto& registry = JbSingleton<Base::CCommandRegistry>::GetInstance();
    std::size_t which = 0;
    unsigned executions = 0;
    for (auto _ : state)
    {
        std::shared_ptr<Base::ICommandBase> const command =
            registry.FindCommand(L"CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel");
        benchmark::DoNotOptimize(command->Execute(blobs[which ^= 1]));
        if (++executions % 4096 == 0) // the patient manager records every execution: keep memory flat
        {
            state.PauseTiming();
            if (auto* manager = dynamic_cast<Base::CMemoryPatientManager*>(&Base::GetPatientManager()))
                manager->Clear();
            state.ResumeTiming();
        }
    }
}

// ---- One SetAt on an array property with 1, 16 and 256 observers --------------------------------------

void ArraySetAtOurs(benchmark::State& state)
{
    Base::Binding::TArrayProperty<int> array(std::vector<int>(14));
    std::vector<Base::Binding::TArrayObserver<int>> observers;
    for (int i = 0; i < state.range(0); ++i)
        observers.push_back(Base::Binding::MakeArrayChangeObserver(
            array, [](Base::Binding::ArrayChangedNotification<int> const& n) { benchmark::DoNotOptimize(&n); }));
    int value = 0;
    for (auto _ : state)
        array.SetAt(3, ++value);
}

#if ORX2_BENCH_HAVE_BOOST
/// What a user would build: the vector under a mutex, and a Boost signal fired with the same
/// notification after the lock is released.
void ArraySetAtBoost(benchmark::State& state)
{
    using Notification = Base::Binding::ArrayChangedNotification<int>;
    boost::signals2::signal<void(Notification const&)> changed;
    std::vector<boost::signals2::scoped_connection> connections;
    for (int i = 0; i < state.range(0); ++i)
        connections.emplace_back(changed.connect([](Notification const& n) { benchmark::DoNotOptimize(&n); }));
    std::mutex mutex;
    std::vector<int> values(14);
    int value = 0;
    for (auto _ : state)
    {
        Notification notification;
        {
            std::lock_guard<std::mutex> lock(mutex);
            values[3] = ++value;
            notification.changedIndices.push_back(3);
            notification.changedValues.push_back(value);
        }
        changed(notification);
    }
}
BENCHMARK(ArraySetAtBoost)->Name("ArraySetAt/Boost")->Arg(1)->Arg(16)->Arg(256);
#endif

// ---- Memory: bytes of the object plus what it holds on the heap ---------------------------------------

/// Bytes in use on the heap now (glibc's count, chunk overhead included).
std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

/// Builds `kCount` objects with `make` (each allocated on the heap, so the object counts too) and
/// reports the heap they take, per object, as the counter "bytes".
template <class Make>
void ReportBytesPerObject(benchmark::State& state, Make make)
{
    constexpr std::size_t kCount = 4096;
    for (auto _ : state)
    {
        std::vector<decltype(make(std::size_t{0}))> objects;
        objects.reserve(kCount);
        std::size_t const before = HeapInUse();
        for (std::size_t i = 0; i < kCount; ++i)
            objects.push_back(make(i));
        std::size_t const after = HeapInUse();
        state.counters["bytes"] = static_cast<double>(after - before) / kCount;
    }
}

class IBenchOwner : public Base::INotifyPropertyChanged
{
};
class BenchOwner final : public Base::TNotifyPropertyChangedImpl<IBenchOwner>
{
};

void MemoryPropertyOurs(benchmark::State& state)
{
    BenchOwner owner;
    ReportBytesPerObject(state, [&owner](std::size_t i) {
        return std::make_unique<Base::TProperty<int>>(static_cast<int>(i), owner);
    });
}

void MemoryConnectionOurs(benchmark::State& state)
{
    Base::TEventSignal<int> signal;
    ReportBytesPerObject(state, [&signal](std::size_t) {
        return signal.Connect(Base::MakeEventSignalHandler<int>([](int v) { benchmark::DoNotOptimize(v); }));
    });
}

void MemoryArrayProperty14Ours(benchmark::State& state)
{
    ReportBytesPerObject(state, [](std::size_t) {
        return std::make_unique<Base::Binding::TArrayProperty<int>>(std::vector<int>(14));
    });
}

#if ORX2_BENCH_HAVE_BOOST
/// The hand-built property of the Set benchmarks as a model would hold it: a mutex, the value, its own
/// value-changed signal, and the owner's property-changed signal by reference.
struct HandBuiltBoostProperty
{
    explicit HandBuiltBoostProperty(int initial, boost::signals2::signal<void()>& owner)
        : value(initial), propertyChanged(owner)
    {
    }
    std::mutex mutex;
    int value;
    boost::signals2::signal<void(int)> valueChanged;
    boost::signals2::signal<void()>& propertyChanged;
};

void MemoryPropertyBoost(benchmark::State& state)
{
    boost::signals2::signal<void()> owner;
    ReportBytesPerObject(state, [&owner](std::size_t i) {
        return std::make_unique<HandBuiltBoostProperty>(static_cast<int>(i), owner);
    });
}

void MemoryConnectionBoost(benchmark::State& state)
{
    boost::signals2::signal<void(int)> signal;
    ReportBytesPerObject(state, [&signal](std::size_t) {
        return signal.connect([](int v) { benchmark::DoNotOptimize(v); });
    });
}

struct HandBuiltBoostArray
{
    std::mutex mutex;
    std::vector<int> values = std::vector<int>(14);
    boost::signals2::signal<void(Base::Binding::ArrayChangedNotification<int> const&)> changed;
};

void MemoryArrayProperty14Boost(benchmark::State& state)
{
    ReportBytesPerObject(state, [](std::size_t) { return std::make_unique<HandBuiltBoostArray>(); });
}

BENCHMARK(MemoryPropertyBoost)->Name("Memory/Property/HandBuiltBoost")->Iterations(1);
BENCHMARK(MemoryConnectionBoost)->Name("Memory/Connection/Boost")->Iterations(1);
BENCHMARK(MemoryArrayProperty14Boost)->Name("Memory/ArrayProperty14/HandBuiltBoost")->Iterations(1);
#endif
} // namespace

BENCHMARK(HostToGuiOurs)->Name("HostToGui/Ours");
BENCHMARK(RequiredAreasRoad)->Name("RequiredAreasRoad/Ours")->Arg(1)->Arg(4)->Arg(16);
BENCHMARK(ArraySetAtOurs)->Name("ArraySetAt/Ours")->Arg(1)->Arg(16)->Arg(256);
BENCHMARK(MemoryPropertyOurs)->Name("Memory/Property/Ours")->Iterations(1);
BENCHMARK(MemoryConnectionOurs)->Name("Memory/Connection/Ours")->Iterations(1);
BENCHMARK(MemoryArrayProperty14Ours)->Name("Memory/ArrayProperty14/Ours")->Iterations(1);
