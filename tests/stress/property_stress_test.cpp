// One thread counts a property up while others keep subscribing to it and dropping the subscription.
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "base/orx2basepool/tvalueobserver.h"
#include "stress/stresssupport.h"
#include "support/testowner.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
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
/// The sequence one subscription has seen. Touched only by its callbacks, which never overlap (the
/// observer's target lock, or the source's lock for a raw handler), and read after the subscription
/// has ended: ThreadSanitizer checks that these are really ordered.
struct Sequence
{
    bool started = false;
    int last = 0;
    std::uint64_t values = 0;
    std::string fault; // the first fault seen

    void See(int value)
    {
        if (started && value != last + 1 && fault.empty())
        {
            std::ostringstream text;
            text << (value == last  ? "duplicate "
                     : value > last ? "gap before "
                                    : "step back to ")
                 << value << " after " << last << " (value " << values << " of this subscription)";
            fault = text.str();
        }
        started = true;
        last = value;
        ++values;
    }
};

struct Totals
{
    std::atomic<std::uint64_t> subscriptions{0};
    FaultLog faults;

    void Add(Sequence const& sequence, int readBefore)
    {
        subscriptions.fetch_add(1, std::memory_order_relaxed);
        if (!sequence.fault.empty())
            faults.Add(sequence.fault);
        // The first value delivered cannot be older than a value read before subscribing.
        else if (sequence.values == 0 || sequence.last - static_cast<int>(sequence.values) + 1 < readBefore)
            faults.Add("first value older than the value read before subscribing");
    }
};
} // namespace

// A subscriber that connects with the current value while another thread sets the property must see
// either the old value followed by every later one, or the new value only: strictly increasing by one
// from its first value on, no gap, no duplicate. Subscribers use TValueChangedObserver, TValueObserver
// and a raw ConnectToValueStreamAndNotify handler, and each keeps its subscription for a random while.
TEST(PropertyStress, SubscriberSeesGapOrDuplicateInValueStream)
{
    Watchdog const watchdog("PropertyStress.SubscriberSeesGapOrDuplicateInValueStream");
    TestOwner owner;
    TProperty<int> property(0, owner);
    Budget budget(Scaled(1'000'000, 150'000));
    Totals totals;
    std::atomic<bool> setterDone{false};

    ScopedThread setter(
        [&]
        {
            for (int value = 1; budget.Take(); ++value)
                property.Set(value);
            setterDone.store(true);
        });

    auto subscriber = [&](unsigned seed)
    {
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> kind(0, 2);
        std::uniform_int_distribution<int> hold(0, 300);
        while (!setterDone.load())
        {
            auto sequence = std::make_unique<Sequence>();
            Sequence* const seen = sequence.get();
            int const readBefore = property.Get();
            int const holdFor = hold(random);
            switch (kind(random))
            {
            case 0:
            {
                TValueChangedObserver<int> observer(property, [seen](int value) { seen->See(value); });
                BusyPause(static_cast<unsigned>(holdFor) * 20);
                break;
            }
            case 1:
            {
                TValueObserver<int> observer(property,
                                             [seen](TValueStreamNotification<int> const& notification)
                                             {
                                                 if (notification.value.HasValue())
                                                     seen->See(notification.value.value());
                                             });
                BusyPause(static_cast<unsigned>(holdFor) * 20);
                break;
            }
            default:
            {
                // A raw handler has no target lock: its calls are ordered by the source's lock alone.
                CScopedEventSignalConnection connection = property.ConnectToValueStreamAndNotify(
                    MakeEventSignalHandler<TValueStreamNotification<int> const&>(
                        [seen](TValueStreamNotification<int> const& notification)
                        {
                            if (notification.value.HasValue())
                                seen->See(notification.value.value());
                        }));
                BusyPause(static_cast<unsigned>(holdFor) * 20);
                break;
            }
            }
            totals.Add(*sequence, readBefore);
        }
    };
    {
        std::vector<ScopedThread> subscribers;
        for (unsigned i = 0; i < 3; ++i)
            subscribers.emplace_back([&subscriber, i] { subscriber(2000 + i); });
    }
    setter.Join();

    ReportBudget("valuesSet", budget);
    EXPECT_GT(totals.subscriptions.load(), 0u);
    EXPECT_EQ(totals.faults.Count(), 0u) << totals.faults.First();
    EXPECT_EQ(property.Get(), static_cast<int>(budget.Granted()));
}
