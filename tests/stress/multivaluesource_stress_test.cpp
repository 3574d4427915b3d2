// Combined sources whose handle is dropped at once, kept alive by their observers only, while both
// inputs change on their own threads.
#include "base/orx2basepool/tmultivaluebindingsource.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "stress/stresssupport.h"
#include "support/testowner.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <vector>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Stress;
using namespace Orx2Test;

namespace
{
/// What one observer of a combined source has seen. Each input is counted up by one thread, and the
/// combined source delivers one notification at a time with both current values, so each component
/// must never go back and never skip a value. Touched only by the observer's callbacks.
struct PairSequence
{
    std::optional<std::pair<int, int>> last;
    std::uint64_t values = 0;
    std::string fault;

    void See(int a, int b)
    {
        if (last && fault.empty() &&
            (a < last->first || a > last->first + 1 || b < last->second || b > last->second + 1))
        {
            std::ostringstream text;
            text << "(" << a << ", " << b << ") after (" << last->first << ", " << last->second << ")";
            fault = text.str();
        }
        last = std::make_pair(a, b);
        ++values;
    }
};
} // namespace

// Two threads count two properties up. Three others keep making a TMultiValueBindingSource of both,
// bind a TValueChangedObserver<int, int> to it, drop the handle at once (the observer's connection
// keeps the combined source alive) and later drop the observer, which destroys the combined source and
// its input observers while the inputs may be delivering to it on the other threads. Nothing may
// deadlock, race or crash, and every observer must see each component counted up without a step back
// or a skipped value.
TEST(MultiValueSourceStress, LastObserverOfDroppedCombinedSourceDeadlocksOrSkipsValues)
{
    Watchdog const watchdog(
        "MultiValueSourceStress.LastObserverOfDroppedCombinedSourceDeadlocksOrSkipsValues");
    TestOwner owner;
    TProperty<int> a(0, owner);
    TProperty<int> b(0, owner);
    Budget budget(Scaled(150'000, 30'000));
    FaultLog faults;
    std::atomic<bool> done{false};

    auto counter = [&](TProperty<int>& property)
    {
        for (int value = 1; !done.load() && budget.TimeLeft(); ++value)
            property.Set(value);
    };
    auto subscriber = [&](unsigned seed)
    {
        std::mt19937 random(seed);
        std::uniform_int_distribution<unsigned> hold(0, 3000);
        while (budget.Take())
        {
            auto seen = std::make_unique<PairSequence>();
            PairSequence* const sequence = seen.get();
            {
                TValueChangedObserver<int, int> observer;
                {
                    TMultiValueBindingSource<int, int> combined(a, b);
                    observer = TValueChangedObserver<int, int>(combined, [sequence](int x, int y)
                                                               { sequence->See(x, y); });
                }
                BusyPause(hold(random));
            }
            if (!seen->fault.empty())
                faults.Add(seen->fault);
            else if (seen->values == 0)
                faults.Add("no value at binding");
        }
    };
    {
        std::vector<ScopedThread> threads;
        threads.emplace_back([&] { counter(a); });
        threads.emplace_back([&] { counter(b); });
        {
            std::vector<ScopedThread> subscribers;
            for (unsigned i = 0; i < 3; ++i)
                subscribers.emplace_back([&subscriber, i] { subscriber(8000 + i); });
        }
        done.store(true);
    }

    ReportBudget("combinedSources", budget);
    EXPECT_EQ(faults.Count(), 0u) << faults.First();
}
