// Threads editing one array property with every kind of edit while full-array observers mirror it.
#include "base/orx2basepool/tarraybindingsourceproxy.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "stress/stresssupport.h"
#include "support/arraymodel.h"

#include <random>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Stress;
using namespace Orx2Test;

// Three threads apply random edits of all eleven kinds, two to `left` and one to `right`; two
// long-lived full-array observers of `left`, and observers that another thread keeps making and
// dropping, mirror it. Meanwhile a proxy keeps being rebound between both and to short-lived arrays that
// are destroyed while bound. The callbacks run while the array holds its reader lock, so inside them a
// mirror must equal what its source reads; the proxy's observer must be able to apply every notification
// it receives (a notification of a source the proxy has left, or one lost in a rebind, makes it throw,
// out of the edit or rebind that fired it). When all is quiet the proxy, its observer and the bound
// array agree.
TEST(ArrayPropertyStress, MirrorDiffersFromSourceInsideNotificationOrBreaksWhenAProxyRebinds)
{
    Watchdog const watchdog(
        "ArrayPropertyStress.MirrorDiffersFromSourceInsideNotificationOrBreaksWhenAProxyRebinds");
    TArrayProperty<int> left(std::vector<int>{1, 2, 3});
    TArrayProperty<int> right;
    FaultLog faults;
    Budget edits(Scaled(1'000'000, 100'000));
    Budget rebinds(Scaled(50'000, 20'000));
    std::atomic<std::uint64_t> observersMade{0};
    auto const compare = [&faults](std::vector<int> const& mirror, std::vector<int> const& source)
    {
        if (mirror != source)
            faults.Add("a mirror of " + std::to_string(mirror.size()) +
                       " elements inside a notification of " + std::to_string(source.size()));
    };
    auto const mirrorLeft = [&](std::vector<int> const& mirror) { compare(mirror, left.GetValues()); };
    TArrayObserver<int> first = MakeFullArrayObserver(left, mirrorLeft);
    TArrayObserver<int> second = MakeFullArrayObserver(left, mirrorLeft);
    TArrayBindingSourceProxy<int> proxy;
    proxy.Bind(left);
    std::vector<int> lastMirror; // written by the callbacks only, which never overlap
    TArrayObserver<int> proxyObserver = MakeFullArrayObserver(proxy,
                                                              [&](std::vector<int> const& mirror)
                                                              {
                                                                  compare(mirror, proxy.GetValues());
                                                                  lastMirror = mirror;
                                                              });
    auto const edit = [&](TArrayProperty<int>& array, std::mt19937& random)
    {
        while (edits.Take())
            RandomArrayEdit(random, array.GetSize()).ApplyTo(array); // kept short: comparisons stay cheap
    };
    auto const observe = [&](std::mt19937& random)
    {
        do
        {
            TArrayObserver<int> observer = MakeFullArrayObserver(left, mirrorLeft);
            observersMade.fetch_add(1, std::memory_order_relaxed);
            BusyPause(random() % 2001);
        } while (!edits.Stopped());
    };
    auto const rebind = [&](std::mt19937& random)
    {
        while (rebinds.Take() && !edits.Stopped())
        {
            if (unsigned const choice = random() % 10; choice != 0)
                proxy.Bind(choice % 2 == 0 ? left : right);
            else
            {
                TArrayProperty<int> shortLived(std::vector<int>{7, 7});
                proxy.Bind(shortLived);
                shortLived.Add(8);
            }
            BusyPause(200);
        }
        proxy.Bind(left);
    };
    RunThreads(5,
               [&](unsigned thread)
               {
                   std::mt19937 random(3000 + thread);
                   if (thread < 3)
                       faults.Guard("an edit", [&] { edit(thread == 2 ? right : left, random); });
                   else if (thread == 3)
                       faults.Guard("binding an observer", [&] { observe(random); });
                   else
                       faults.Guard("a rebind", [&] { rebind(random); });
                   edits.Stop(); // also after a fault: the others stop early
               });

    ReportBudget("edits", edits);
    ReportBudget("rebinds", rebinds);
    EXPECT_EQ(faults.Count(), 0u) << faults.First();
    EXPECT_GT(observersMade.load(), 0u);
    EXPECT_EQ(proxy.GetValues(), left.GetValues());
    EXPECT_EQ(lastMirror, left.GetValues());
}
