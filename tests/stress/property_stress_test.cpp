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
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

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
    bool strict = true;        // one input: each value is one more than the last (no gap, no duplicate)
    std::pair<int, int> read;  // the inputs read before subscribing: the first value is not older
    std::optional<std::pair<int, int>> last;
    std::string fault;         // the first fault seen

    void See(int a, int b)
    {
        bool const ok = !last   ? a >= read.first && b >= read.second
                        : strict ? a == last->first + 1
                                 : a >= last->first && a <= last->first + 1 && b >= last->second &&
                                       b <= last->second + 1;
        if (!ok && fault.empty())
        {
            std::ostringstream text;
            text << "(" << a << ", " << b << ") after ";
            if (last)
                text << "(" << last->first << ", " << last->second << ")";
            else
                text << "reading (" << read.first << ", " << read.second << ") before subscribing";
            fault = text.str();
        }
        last = std::make_pair(a, b);
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
    std::atomic<bool> done{false};
    std::atomic<int> lastSet{0};

    auto counter = [&](TProperty<int>& property)
    {
        int value = 1;
        for (; !done.load() && budget.TimeLeft(); ++value)
            property.Set(value);
        if (&property == &a)
            lastSet = value - 1;
    };
    auto subscriber = [&](unsigned seed)
    {
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> kind(0, 3);
        std::uniform_int_distribution<unsigned> hold(0, 3000);
        while (budget.Take())
        {
            int const chosen = kind(random);
            auto sequence = std::make_unique<Sequence>();
            Sequence* const seen = sequence.get();
            seen->strict = chosen != 3;
            seen->read.first = a.Get();
            seen->read.second = chosen == 3 ? b.Get() : seen->read.first;
            auto const see = [seen](TValueStreamNotification<int> const& notification)
            {
                if (notification.value.HasValue())
                    seen->See(notification.value.value(), notification.value.value());
            };
            CObserver observer;
            CScopedEventSignalConnection connection;
            if (chosen == 0)
                observer = TValueChangedObserver<int>(a, [seen](int value) { seen->See(value, value); });
            else if (chosen == 1)
                observer = TValueObserver<int>(a, see);
            else if (chosen == 2) // a raw handler has no target lock: the source's lock alone orders its calls
                connection = a.ConnectToValueStreamAndNotify(
                    MakeEventSignalHandler<TValueStreamNotification<int> const&>(see));
            else
            {
                TMultiValueBindingSource<int, int> combined(a, b);
                observer = TValueChangedObserver<int, int>(combined, [seen](int x, int y) { seen->See(x, y); });
            }
            BusyPause(hold(random));
            observer.Reset();
            connection = CScopedEventSignalConnection();
            if (!seen->fault.empty())
                faults.Add(seen->fault);
            else if (!seen->last)
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

    ReportBudget("subscriptions", budget);
    EXPECT_EQ(faults.Count(), 0u) << faults.First();
    EXPECT_EQ(a.Get(), lastSet.load());
}
