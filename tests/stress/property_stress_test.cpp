// Two threads count two properties up while others keep subscribing and dropping the subscription.
#include "base/orx2basepool/tmultivaluebindingsource.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "base/orx2basepool/tvalueobserver.h"
#include "stress/stresssupport.h"
#include "support/testowner.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <string>
#include <utility>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Stress;
using namespace Orx2Test;

namespace
{
/// What one subscription has seen. Touched only by its callbacks, which never overlap (the observer's
/// target lock, or the source's lock for a raw handler), and read after the subscription has ended:
/// ThreadSanitizer checks that these are really ordered.
struct Sequence
{
    bool strict = true;       // one input: each value is one more than the last (no gap, no duplicate)
    bool seen = false;        // a value has arrived
    std::pair<int, int> last; // until one has: the inputs read before subscribing (the first is not older)
    std::string fault;        // the first fault seen

    void See(int a, int b)
    {
        bool const ok =
            !seen    ? a >= last.first && b >= last.second
            : strict ? a == last.first + 1
                     : a >= last.first && a <= last.first + 1 && b >= last.second && b <= last.second + 1;
        if (!ok && fault.empty())
            fault = "(" + std::to_string(a) + ", " + std::to_string(b) + ") after (" +
                    std::to_string(last.first) + ", " + std::to_string(last.second) +
                    (seen ? ")" : ") read before subscribing");
        last = {a, b};
        seen = true;
    }
};
} // namespace

// A subscriber that connects with the current value while another thread sets the property must see
// either the old value followed by every later one, or the new value only. Subscribers use
// TValueChangedObserver, TValueObserver and a raw ConnectToValueStreamAndNotify handler on one
// property, or bind a TValueChangedObserver<int, int> to a TMultiValueBindingSource of both and drop
// the combined source's handle at once: the observer keeps it alive, and dropping the observer destroys
// it and its input observers while the inputs may be delivering to it. Each component of a combined
// value stays or counts up by one. Nothing may deadlock, race or crash.
TEST(PropertyStress, SubscriberSeesGapOrDuplicateInValueStream)
{
    Watchdog const watchdog("PropertyStress.SubscriberSeesGapOrDuplicateInValueStream");
    TestOwner owner;
    TProperty<int> a(0, owner);
    TProperty<int> b(0, owner);
    Budget budget(Scaled(150'000, 30'000));
    FaultLog faults;
    std::atomic<int> lastSet{0};

    // Counters run until the subscribers have spent the budget.
    auto counter = [&](TProperty<int>& property)
    {
        int value = 0;
        while (budget.TimeLeft())
            property.Set(++value);
        if (&property == &a)
            lastSet = value;
    };
    auto subscriber = [&](unsigned seed)
    {
        std::mt19937 random(seed);
        while (budget.Take())
        {
            unsigned const kind = random() % 4;
            Sequence seen;
            seen.strict = kind != 3;
            seen.last.first = a.Get();
            seen.last.second = kind == 3 ? b.Get() : seen.last.first;
            auto const see = [&seen](TValueStreamNotification<int> const& notification)
            {
                if (notification.value.HasValue())
                    seen.See(notification.value.value(), notification.value.value());
            };
            CObserver observer;
            CScopedEventSignalConnection connection;
            if (kind == 0)
                observer = TValueChangedObserver<int>(a, [&seen](int value) { seen.See(value, value); });
            else if (kind == 1)
                observer = TValueObserver<int>(a, see);
            else if (kind == 2) // a raw handler has no target lock: the source's lock alone orders its calls
                connection = a.ConnectToValueStreamAndNotify(
                    MakeEventSignalHandler<TValueStreamNotification<int> const&>(see));
            else // the combined source's handle goes at once
                observer = TValueChangedObserver<int, int>(TMultiValueBindingSource<int, int>(a, b),
                                                           [&seen](int x, int y) { seen.See(x, y); });
            BusyPause(random() % 3001);
            observer.Reset();
            connection = CScopedEventSignalConnection();
            if (!seen.fault.empty() || !seen.seen)
                faults.Add(seen.seen ? seen.fault : "no value at binding");
        }
    };
    RunThreads(5, [&](unsigned i) { i < 2 ? counter(i == 0 ? a : b) : subscriber(8000 + i); });

    ReportBudget("subscriptions", budget);
    EXPECT_EQ(faults.Count(), 0u) << faults.First();
    EXPECT_EQ(a.Get(), lastSet.load());
}
