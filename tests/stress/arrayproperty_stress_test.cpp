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
#include <sstream>
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
    std::atomic<std::uint64_t> notifications{0};
    std::atomic<std::uint64_t> observersMade{0};
    FaultLog faults;

    void Compare(std::vector<int> const& mirror, std::vector<int> const& source)
    {
        notifications.fetch_add(1, std::memory_order_relaxed);
        if (mirror == source)
            return;
        std::ostringstream text;
        text << "mirror has " << mirror.size() << " elements, the array " << source.size() << ":";
        for (int element : mirror)
            text << ' ' << element;
        text << " /";
        for (int element : source)
            text << ' ' << element;
        faults.Add(text.str());
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

// Three threads apply random edits of all eleven kinds to one TArrayProperty<int>; two long-lived
// full-array observers and observers that two other threads keep making and dropping mirror it. The
// callback runs while the array holds its reader lock, so inside it the mirror must equal GetValues().
TEST(ArrayPropertyStress, MirrorDiffersFromArrayInsideNotification)
{
    Watchdog const watchdog("ArrayPropertyStress.MirrorDiffersFromArrayInsideNotification");
    TArrayProperty<int> array;
    MirrorChecks checks;
    auto compare = [&array, &checks](std::vector<int> const& mirror)
    { checks.Compare(mirror, array.GetValues()); };
    TArrayObserver<int> first = MakeFullArrayObserver(array, compare);
    TArrayObserver<int> second = MakeFullArrayObserver(array, compare);

    Budget budget(Scaled(1'000'000, 100'000));
    std::atomic<int> editorsRunning{3};
    auto editor = [&](unsigned seed)
    {
        EditUntilSpent(array, budget, checks, seed);
        editorsRunning.fetch_sub(1);
    };
    auto observerMaker = [&](unsigned seed)
    {
        std::mt19937 random(seed);
        std::uniform_int_distribution<unsigned> hold(0, 2000);
        while (editorsRunning.load() > 0)
        {
            try
            {
                TArrayObserver<int> observer = MakeFullArrayObserver(array, compare);
                checks.observersMade.fetch_add(1, std::memory_order_relaxed);
                BusyPause(hold(random));
            }
            catch (std::exception const& error)
            {
                checks.faults.Add(std::string("binding an observer threw: ") + error.what());
            }
        }
    };
    {
        std::vector<ScopedThread> threads;
        for (unsigned i = 0; i < 3; ++i)
            threads.emplace_back([&editor, i] { editor(3000 + i); });
        for (unsigned i = 0; i < 2; ++i)
            threads.emplace_back([&observerMaker, i] { observerMaker(4000 + i); });
    }

    ReportBudget("edits", budget);
    Report("notifications", checks.notifications);
    Report("observersMade", checks.observersMade);
    Report("finalSize", array.GetSize());
    EXPECT_EQ(checks.faults.Count(), 0u) << checks.faults.First();
    EXPECT_GT(checks.observersMade.load(), 0u);
}

// Two threads edit two arrays while a third keeps rebinding a proxy between them and to short-lived
// arrays that are destroyed while bound. A full-array observer of the proxy must be able to apply every
// notification it receives (a notification of a source the proxy has left, or one lost in a rebind,
// makes it throw), and inside the callback its mirror must equal what the proxy reads. When all is quiet
// the proxy, its observer and the bound array agree.
TEST(ArrayPropertyStress, ProxyMirrorBreaksWhenRebindingWhileSourcesChange)
{
    Watchdog const watchdog("ArrayPropertyStress.ProxyMirrorBreaksWhenRebindingWhileSourcesChange");
    TArrayProperty<int> left(std::vector<int>{1, 2, 3});
    TArrayProperty<int> right;
    TArrayBindingSourceProxy<int> proxy;
    proxy.Bind(left);
    MirrorChecks checks;
    std::vector<int> lastMirror; // written by the callbacks only, which never overlap
    TArrayObserver<int> observer = MakeFullArrayObserver(proxy,
                                                         [&](std::vector<int> const& mirror)
                                                         {
                                                             checks.Compare(mirror, proxy.GetValues());
                                                             lastMirror = mirror;
                                                         });

    Budget rebinds(Scaled(50'000, 20'000));
    Budget edits(std::numeric_limits<std::uint64_t>::max()); // as many as fit while the rebinds run
    std::atomic<std::uint64_t> boundSourcesDestroyed{0};
    {
        std::vector<ScopedThread> threads;
        threads.emplace_back([&] { EditUntilSpent(left, edits, checks, 7000); });
        threads.emplace_back([&] { EditUntilSpent(right, edits, checks, 7001); });
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
                            boundSourcesDestroyed.fetch_add(1, std::memory_order_relaxed);
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

    ReportBudget("rebinds", rebinds);
    Report("edits", edits.Granted());
    Report("boundSourcesDestroyed", boundSourcesDestroyed);
    Report("notifications", checks.notifications);
    EXPECT_EQ(checks.faults.Count(), 0u) << checks.faults.First();
    EXPECT_EQ(proxy.GetValues(), left.GetValues());
    EXPECT_EQ(lastMirror, left.GetValues());
}
