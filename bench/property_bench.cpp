// Property paths against what a user would write by hand.
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"

#include <benchmark/benchmark.h>

#include <mutex>

#if ORX2_BENCH_HAVE_BOOST
#include <boost/signals2.hpp>
#endif

namespace
{
class IBenchOwner : public Base::INotifyPropertyChanged
{
};
class BenchOwner : public Base::TNotifyPropertyChangedImpl<IBenchOwner>
{
public:
    Base::TProperty<int> value{0, *this};
};

void MutexPair(benchmark::State& state)
{
    std::mutex mutex;
    for (auto _ : state)
    {
        mutex.lock();
        mutex.unlock();
    }
}

void SetUnchanged(benchmark::State& state)
{
    BenchOwner owner;
    owner.value.Set(7);
    for (auto _ : state)
        owner.value.Set(7);
}

void SetChanged(benchmark::State& state)
{
    BenchOwner owner;
    Base::CScopedEventSignalConnection gui = owner.GetPropertyChangedEventSignal().Connect(
        Base::MakeEventSignalHandler<void>([] { benchmark::ClobberMemory(); }));
    Base::Binding::TValueChangedObserver<int> observer(owner.value, [](int v) { benchmark::DoNotOptimize(v); });
    int v = 0;
    for (auto _ : state)
        owner.value.Set(++v);
}

#if ORX2_BENCH_HAVE_BOOST
/// The same property written by hand: a mutex, a value and two Boost.Signals2 signals.
class HandBuiltProperty
{
public:
    boost::signals2::signal<void()> propertyChanged;
    boost::signals2::signal<void(int)> valueChanged;

    void Set(int value)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (value == m_value)
                return;
            m_value = value;
        }
        valueChanged(value);
        propertyChanged();
    }

private:
    std::mutex m_mutex;
    int m_value = 0;
};

void SetChangedHandBuilt(benchmark::State& state)
{
    HandBuiltProperty property;
    boost::signals2::scoped_connection gui = property.propertyChanged.connect([] { benchmark::ClobberMemory(); });
    boost::signals2::scoped_connection observer = property.valueChanged.connect([](int v) { benchmark::DoNotOptimize(v); });
    int v = 0;
    for (auto _ : state)
        property.Set(++v);
}
BENCHMARK(SetChangedHandBuilt)->Name("SetChanged/HandBuiltBoost");
#endif
} // namespace

BENCHMARK(MutexPair)->Name("MutexPair");
BENCHMARK(SetUnchanged)->Name("SetUnchanged/Ours");
BENCHMARK(SetChanged)->Name("SetChanged/Ours");
