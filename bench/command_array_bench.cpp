// Command executions and array edits: the other hot paths of the framework.
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "base/orx2basepool/tserializablecommand.h"
#include "host/acquisitionbase/cmemorypatientmanager.h"
#include "host/foundation/cstringw.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <numeric>

namespace
{
void ExecutePlain(benchmark::State& state)
{
    auto command = std::make_shared<Base::TCommand<void>>([] { benchmark::ClobberMemory(); }, L"bench.Plain", false);
    for (auto _ : state)
        benchmark::DoNotOptimize(command->Execute());
}

void ExecuteGuiLocking(benchmark::State& state)
{
    auto command = std::make_shared<Base::TCommand<void>>([] { benchmark::ClobberMemory(); }, L"bench.Locking", true);
    for (auto _ : state)
        benchmark::DoNotOptimize(command->Execute());
}

/// The default patient manager keeps every record; clear it now and then so memory stays flat.
void ClearRecordsEvery(benchmark::State& state, unsigned& counter)
{
    if (++counter % 4096 == 0)
    {
        state.PauseTiming();
        if (auto* manager = dynamic_cast<Base::CMemoryPatientManager*>(&Base::GetPatientManager()))
            manager->Clear();
        state.ResumeTiming();
    }
}

void ExecuteSerializable(benchmark::State& state)
{
    auto command = std::make_shared<Base::TSerializableCommand<void, CStringW>>(
        [](CStringW text) { benchmark::DoNotOptimize(text.GetLength()); }, L"bench.Serializable", false);
    CStringW const text(L"a short argument");
    unsigned counter = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(command->Execute(text));
        ClearRecordsEvery(state, counter);
    }
}

void ReplaySerializable(benchmark::State& state)
{
    auto command = std::make_shared<Base::TSerializableCommand<void, CStringW>>(
        [](CStringW text) { benchmark::DoNotOptimize(text.GetLength()); }, L"bench.Replay", false);
    command->Execute(CStringW(L"a short argument"));
    std::vector<unsigned char> const blob = [] {
        auto const* manager = dynamic_cast<Base::CMemoryPatientManager*>(&Base::GetPatientManager());
        return manager != nullptr ? manager->GetRecordedCommands().back().argumentBytes : std::vector<unsigned char>{};
    }();
    unsigned counter = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(command->Execute(blob));
        ClearRecordsEvery(state, counter);
    }
}

void ArraySet14(benchmark::State& state)
{
    Base::Binding::TArrayProperty<int> array;
    auto observer = Base::Binding::MakeFullArrayObserver(array, [](std::vector<int> const& values) {
        benchmark::DoNotOptimize(values.data());
    });
    std::vector<int> values(14);
    int first = 0;
    for (auto _ : state)
    {
        std::iota(values.begin(), values.end(), ++first);
        array.Set(values);
    }
}
} // namespace

BENCHMARK(ExecutePlain)->Name("Execute/Plain");
BENCHMARK(ExecuteGuiLocking)->Name("Execute/GuiLocking");
BENCHMARK(ExecuteSerializable)->Name("Execute/SerializableCStringW");
BENCHMARK(ReplaySerializable)->Name("Execute/ReplayFromBlob");
BENCHMARK(ArraySet14)->Name("ArraySet14/FullArrayObserver");
