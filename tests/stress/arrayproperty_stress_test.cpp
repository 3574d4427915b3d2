// Threads editing one array property with every kind of edit while full-array observers mirror it.
#include "base/orx2basepool/tarraybindingsourceproxy.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "stress/stresssupport.h"
#include "support/arraymodel.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

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
    // Runs `step` until it returns false; what it throws is a fault, and stops the edits.
    auto const untilThrown = [&](char const* what, auto&& step)
    {
        try
        {
            while (step())
            {
            }
        }
        catch (std::exception const& error)
        {
            faults.Add(what + std::string(" threw: ") + error.what());
        }
        edits.Stop();
    };
    auto const edit = [&](TArrayProperty<int>& array, std::mt19937& random)
    {
        if (!edits.Take())
            return false;
        RandomArrayEdit(random, array.GetSize()).ApplyTo(array); // kept short: comparisons stay cheap
        return true;
    };
    auto const observe = [&](std::mt19937& random)
    {
        TArrayObserver<int> observer = MakeFullArrayObserver(left, mirrorLeft);
        observersMade.fetch_add(1, std::memory_order_relaxed);
        BusyPause(random() % 2001);
        return !edits.Stopped();
    };
    auto const rebind = [&](std::mt19937& random)
    {
        if (!rebinds.Take() || edits.Stopped())
            return proxy.Bind(left), false;
        if (unsigned const choice = random() % 10; choice != 0)
            proxy.Bind(choice % 2 == 0 ? left : right);
        else
        {
            TArrayProperty<int> shortLived(std::vector<int>{7, 7});
            proxy.Bind(shortLived);
            shortLived.Add(8);
        }
        BusyPause(200);
        return true;
    };
    RunThreads(5,
               [&](unsigned thread)
               {
                   std::mt19937 random(3000 + thread);
                   if (thread < 3)
                       untilThrown("an edit", [&] { return edit(thread == 2 ? right : left, random); });
                   else if (thread == 3)
                       untilThrown("binding an observer", [&] { return observe(random); });
                   else
                       untilThrown("a rebind", [&] { return rebind(random); });
               });

    ReportBudget("edits", edits);
    ReportBudget("rebinds", rebinds);
    EXPECT_EQ(faults.Count(), 0u) << faults.First();
    EXPECT_GT(observersMade.load(), 0u);
    EXPECT_EQ(proxy.GetValues(), left.GetValues());
    EXPECT_EQ(lastMirror, left.GetValues());
}
