#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "support/arraynotifications.h"
#include "support/elementdoubles.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Test;

namespace
{
using Vec = std::vector<int>;
using K = EArrayRemovalKind;

/// A property with a log of its notifications.
struct Logged
{
    explicit Logged(Vec initial) : property(std::move(initial)) {}
    TArrayProperty<int> property;
    NotificationLog<int> log{property};
};
} // namespace

TEST(ArrayPropertyTable, SetReportsDifferingPositionsAndTheTail)
{
    Logged a(Vec{1, 2, 3});
    a.property.Set(Vec{1, 9});
    EXPECT_EQ(a.property.GetValues(), (Vec{1, 9}));
    Note<int> shrink = Changed<int>({1}, {9});
    shrink.removalKind = K::Indices;
    shrink.removedIndices = {2};
    a.property.Set(Vec{1, 9, 7, 8});
    a.property.Set(Vec{1, 9, 7, 8}); // identical: still a notification, with nothing in it
    a.property.Set(Vec{});
    EXPECT_EQ(a.log.Notes(), (std::vector<Note<int>>{shrink, Inserted<int>({2, 3}, {7, 8}), Note<int>{},
                                                     Removed<int>({0, 1, 2, 3})}));
    a.log.Clear();
    a.property.Set(Vec{}); // empty to empty: Set is never a no-op
    EXPECT_EQ(a.log.Notes(), (std::vector<Note<int>>{Note<int>{}}));
}

TEST(ArrayPropertyTable, SetAtAndSetRangeReplaceOrGrowWithDefaultElements)
{
    Logged a(Vec{4, 5});
    a.property.SetAt(1, 5); // equal value: still reported
    a.property.SetAt(5, 9);
    EXPECT_EQ(a.property.GetValues(), (Vec{4, 5, 0, 0, 0, 9}));
    a.property.SetAt(6, 1); // right at the end: no gap
    EXPECT_EQ(a.log.Notes(),
              (std::vector<Note<int>>{Changed<int>({1}, {5}), Inserted<int>({2, 3, 4, 5}, {0, 0, 0, 9}),
                                      Inserted<int>({6}, {1})}));

    Logged b(Vec{1, 2, 3});
    b.property.SetRange(1, Vec{});
    b.property.SetRange(0, Vec{7, 8});
    b.property.SetRange(2, Vec{5, 6});
    b.property.SetRange(6, Vec{4});
    EXPECT_EQ(b.property.GetValues(), (Vec{7, 8, 5, 6, 0, 0, 4}));
    Note<int> straddle = Changed<int>({2}, {5});
    straddle.insertedIndices = {3};
    straddle.insertedValues = {6};
    EXPECT_EQ(b.log.Notes(), (std::vector<Note<int>>{Changed<int>({0, 1}, {7, 8}), straddle,
                                                     Inserted<int>({4, 5, 6}, {0, 0, 4})}));
}

TEST(ArrayPropertyTable, InsertionsReportTheirPositionsIncludingTheDefaultFill)
{
    Logged a(Vec{1, 2});
    a.property.Insert(0, 5);
    a.property.Insert(4, 6); // beyond the end: one default element first
    a.property.InsertRange(1, Vec{8, 9});
    a.property.InsertRange(1, Vec{});
    a.property.Append(Vec{});
    a.property.Append(Vec{3, 4});
    a.property.Add(7);
    EXPECT_EQ(a.property.GetValues(), (Vec{5, 8, 9, 1, 2, 0, 6, 3, 4, 7}));
    EXPECT_EQ(a.log.Notes(),
              (std::vector<Note<int>>{Inserted<int>({0}, {5}), Inserted<int>({3, 4}, {0, 6}),
                                      Inserted<int>({1, 2}, {8, 9}), Inserted<int>({7, 8}, {3, 4}),
                                      Inserted<int>({9}, {7})}));
    a.log.Clear();
    a.property.InsertRange(12, Vec{1}); // gap of two
    EXPECT_EQ(a.log.Notes(), (std::vector<Note<int>>{Inserted<int>({10, 11, 12}, {0, 0, 1})}));
}

TEST(ArrayPropertyTable, RemovalsReportOldPositionsAndIgnoreWhatIsNotThere)
{
    Logged a(Vec{1, 2, 3, 4, 5, 6});
    a.property.RemoveAt(6);
    a.property.RemoveRange(6, 9);
    a.property.RemoveRange(2, 2);
    a.property.RemoveAt(0);
    a.property.RemoveRange(1, 100);
    EXPECT_EQ(a.property.GetValues(), (Vec{2}));
    a.property.RemoveLast();
    a.property.RemoveLast();
    a.property.Clear();
    EXPECT_EQ(a.log.Notes(),
              (std::vector<Note<int>>{Removed<int>({0}), Removed<int>({1, 2, 3, 4}), Removed<int>({0})}));

    Logged b(Vec{1, 2, 3});
    b.property.RemoveRange(1, 100);
    b.property.Clear();
    EXPECT_EQ(b.log.Notes(), (std::vector<Note<int>>{Removed<int>({1, 2}), Kind<int>(K::All)}));
    EXPECT_EQ(b.property.GetSize(), 0u);
}

TEST(ArrayProperty, DestructionAnnouncesTheEndWhileTheArrayReadsEmpty)
{
    auto p = std::make_unique<TArrayProperty<int>>(Vec{1, 2});
    std::vector<Note<int>> seen;
    std::vector<std::size_t> sizeInHandler;
    TArrayProperty<int>* raw = p.get();
    auto connection = p->ConnectToArrayChangeStream(MakeEventSignalHandler<Note<int> const&>(
        [&](Note<int> const& n)
        {
            seen.push_back(n);
            sizeInHandler.push_back(raw->GetSize());
        }));
    p.reset();
    EXPECT_EQ(seen, (std::vector<Note<int>>{Kind<int>(K::SourceDestroyed)}));
    EXPECT_EQ(sizeInHandler, (std::vector<std::size_t>{0}));
}

TEST(ArrayProperty, AFailedCopyEmptiesTheArrayAndTellsObserversOnce)
{
    // Arguments are built before the failure is armed, so that only copies made by the edit can fail.
    Fragile const nine(9);
    std::vector<Fragile> const two{Fragile(7), Fragile(8)};
    std::vector<Fragile> const three{Fragile(7), Fragile(8), Fragile(9)};
    std::vector<Fragile> const four{Fragile(1), Fragile(7), Fragile(8), Fragile(9)};
    using Edit = std::function<void(TArrayProperty<Fragile>&)>;
    std::vector<std::pair<char const*, Edit>> const edits{
        {"Add", [&](auto& p) { p.Add(nine); }},
        {"Set", [&](auto& p) { p.Set(four); }},
        {"SetRange", [&](auto& p) { p.SetRange(1, three); }},
        {"InsertRange", [&](auto& p) { p.InsertRange(5, two); }},
        {"RemoveAt", [&](auto& p) { p.RemoveAt(0); }},
    };
    for (auto const& [name, edit] : edits)
    {
        int failures = 0;
        for (int copies = 0; copies < 6; ++copies)
        {
            SCOPED_TRACE(std::string(name) + " failing after copies: " + std::to_string(copies));
            TArrayProperty<Fragile> p(std::vector<Fragile>{Fragile(1), Fragile(2), Fragile(3)});
            // Connected first: once the edit fires, nothing else may fail.
            auto disarm = p.ConnectToArrayChangeStream(MakeEventSignalHandler<Note<Fragile> const&>(
                [](Note<Fragile> const&) { Fragile::throwAfter = -1; }));
            NotificationLog<Fragile> log(p);
            std::vector<Fragile> mirror;
            TArrayObserver<Fragile> observer =
                MakeFullArrayObserver(p, [&](std::vector<Fragile> const& copy) { mirror = copy; });
            FragileScope const scope(copies); // a copy that throws disarms it
            try
            {
                edit(p);
                continue; // this edit makes fewer copies
            }
            catch (std::runtime_error const&)
            {
                ++failures;
            }
            EXPECT_EQ(p.GetSize(), 0u);
            EXPECT_TRUE(mirror.empty());
            EXPECT_EQ(log.Notes(), (std::vector<Note<Fragile>>{Kind<Fragile>(K::All)}));
            p.Add(Fragile(5)); // the lock was released
            EXPECT_EQ(mirror, (std::vector<Fragile>{Fragile(5)}));
        }
        EXPECT_GE(failures, 2) << name;
    }
}

TEST(ArrayPropertyThreads, TryReadsGiveUpWhileAWriterHoldsTheLock)
{
    TArrayProperty<Sticky> p(std::vector<Sticky>{Sticky(1)});
    Gate entered, release;
    StickyScope const armed(entered, release);
    Sticky const blocking(42);
    ScopedThread writer([&] { p.Add(blocking); });
    ASSERT_TRUE(entered.Wait());
    EXPECT_FALSE(p.TryGetValues().HasValue());
    EXPECT_FALSE(p.TryGetSize().HasValue());
    EXPECT_FALSE(p.TryGetAt(0).HasValue());
    release.Open();
    writer.Join();
    EXPECT_EQ(p.TryGetSize().value(), 2u);
    EXPECT_EQ(p.TryGetAt(1).value().value, 42);
    EXPECT_FALSE(p.TryGetAt(2).HasValue() || p.GetAt(2).HasValue());
}
