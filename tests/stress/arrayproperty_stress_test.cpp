// Threads editing one array property with every kind of edit while full-array observers mirror it.
#include "base/orx2basepool/tarraybindingsourceproxy.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "stress/stresssupport.h"
#include "support/arraymodel.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <limits>
#include <memory>
#include <mutex>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Stress;
using namespace Orx2Test;

namespace
{
struct MirrorChecks
{
    std::atomic<std::uint64_t> observersMade{0};
    FaultLog faults;

    void Compare(std::vector<int> const& mirror, std::vector<int> const& source)
    {
        if (mirror != source)
            faults.Add("a mirror of " + std::to_string(mirror.size()) +
                       " elements inside a notification of " + std::to_string(source.size()));
    }
};

/// Edits `array` at random until the budget is spent. A mirror that cannot follow a notification throws
/// out of the edit that fired it: that is a fault, and stops the test.
void EditUntilSpent(TArrayProperty<int>& array, Budget& budget, MirrorChecks& checks, unsigned seed)
{
    std::mt19937 random(seed);
    while (budget.Take())
    {
        try
        {
            // Kept short, so that every edit and every comparison of a mirror stays cheap.
            RandomArrayEdit(random, array.GetSize(), 40).ApplyTo(array);
        }
        catch (std::exception const& error)
        {
            checks.faults.Add(std::string("an edit threw: ") + error.what());
            budget.Stop();
        }
    }
}
} // namespace

// Three threads apply random edits of all eleven kinds, two to `left` and one to `right`; two
// long-lived full-array observers of `left`, and observers that another thread keeps making and
// dropping, mirror it. Meanwhile a proxy keeps being rebound between both and to short-lived arrays that
// are destroyed while bound. The callbacks run while the array holds its reader lock, so inside them a
// mirror must equal what its source reads; the proxy's observer must be able to apply every notification
// it receives (a notification of a source the proxy has left, or one lost in a rebind, makes it throw).
// When all is quiet the proxy, its observer and the bound array agree.
TEST(ArrayPropertyStress, MirrorDiffersFromSourceInsideNotificationOrBreaksWhenAProxyRebinds)
{
    Watchdog const watchdog("ArrayPropertyStress.MirrorDiffersFromSourceInsideNotificationOrBreaksWhenAProxyRebinds");
    TArrayProperty<int> left(std::vector<int>{1, 2, 3});
    TArrayProperty<int> right;
    MirrorChecks checks;
    auto compare = [&left, &checks](std::vector<int> const& mirror) { checks.Compare(mirror, left.GetValues()); };
    TArrayObserver<int> first = MakeFullArrayObserver(left, compare);
    TArrayObserver<int> second = MakeFullArrayObserver(left, compare);
    TArrayBindingSourceProxy<int> proxy;
    proxy.Bind(left);
    std::vector<int> lastMirror; // written by the callbacks only, which never overlap
    TArrayObserver<int> proxyObserver = MakeFullArrayObserver(proxy,
                                                              [&](std::vector<int> const& mirror)
                                                              {
                                                                  checks.Compare(mirror, proxy.GetValues());
                                                                  lastMirror = mirror;
                                                              });

    Budget edits(Scaled(1'000'000, 100'000));
    Budget rebinds(Scaled(50'000, 20'000));
    std::atomic<int> editorsRunning{3};
    {
        std::vector<ScopedThread> threads;
        for (unsigned i = 0; i < 3; ++i)
            threads.emplace_back(
                [&, i]
                {
                    EditUntilSpent(i == 2 ? right : left, edits, checks, 3000 + i);
                    editorsRunning.fetch_sub(1);
                });
        threads.emplace_back(
            [&]
            {
                std::mt19937 random(4000);
                std::uniform_int_distribution<unsigned> hold(0, 2000);
                while (editorsRunning.load() > 0)
                {
                    try
                    {
                        TArrayObserver<int> observer = MakeFullArrayObserver(left, compare);
                        checks.observersMade.fetch_add(1, std::memory_order_relaxed);
                        BusyPause(hold(random));
                    }
                    catch (std::exception const& error)
                    {
                        checks.faults.Add(std::string("binding an observer threw: ") + error.what());
                    }
                }
            });
        threads.emplace_back(
            [&]
            {
                std::mt19937 random(7002);
                std::uniform_int_distribution<int> pick(0, 9);
                try
                {
                    while (rebinds.Take() && !edits.Stopped())
                    {
                        int const choice = pick(random);
                        if (choice == 0)
                        {
                            TArrayProperty<int> shortLived(std::vector<int>{7, 7});
                            proxy.Bind(shortLived);
                            shortLived.Add(8);
                        }
                        else
                        {
                            proxy.Bind(choice % 2 == 0 ? left : right);
                        }
                        BusyPause(200);
                    }
                    proxy.Bind(left);
                }
                catch (std::exception const& error)
                {
                    checks.faults.Add(std::string("a rebind threw: ") + error.what());
                }
                edits.Stop();
            });
    }

    ReportBudget("edits", edits);
    ReportBudget("rebinds", rebinds);
    EXPECT_EQ(checks.faults.Count(), 0u) << checks.faults.First();
    EXPECT_GT(checks.observersMade.load(), 0u);
    EXPECT_EQ(proxy.GetValues(), left.GetValues());
    EXPECT_EQ(lastMirror, left.GetValues());
}
