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

// Each row starts from `initial`: a Set reports the positions that differ and the tail, SetAt and
// SetRange replace or grow with default elements, insertions report their positions with the default
// fill, removals their old positions; what is not there is ignored, but Set is never a no-op.
TEST(ArrayProperty, EveryEditReportsExactlyWhatChanged)
{
    struct Row
    {
        char const* edits;
        Vec initial;
        std::function<void(TArrayProperty<int>&)> edit;
        Vec values;
        std::vector<Note<int>> notes;
    };
    std::vector<Row> const rows = {
        {"Set, shrinking", {1, 2, 3}, [](auto& p) { p.Set({1, 9}); }, {1, 9},
         {{0, {1}, {9}, {}, {}, K::Indices, {2}}}},
        {"Set, growing, equal, emptying, empty again", {1, 9},
         [](auto& p) { p.Set({1, 9, 7, 8}); p.Set({1, 9, 7, 8}); p.Set({}); p.Set({}); }, {},
         {Inserted<int>({2, 3}, {7, 8}), Note<int>{}, Removed<int>({0, 1, 2, 3}), Note<int>{}}},
        {"SetAt, an equal value and beyond the end", {4, 5}, [](auto& p) { p.SetAt(1, 5); p.SetAt(5, 9); },
         {4, 5, 0, 0, 0, 9}, {Changed<int>({1}, {5}), Inserted<int>({2, 3, 4, 5}, {0, 0, 0, 9})}},
        {"SetAt right at the end: no gap", {4, 5}, [](auto& p) { p.SetAt(2, 1); }, {4, 5, 1},
         {Inserted<int>({2}, {1})}},
        {"SetRange, empty, inside, straddling the end, beyond it", {1, 2, 3},
         [](auto& p) { p.SetRange(1, {}); p.SetRange(0, {7, 8}); p.SetRange(2, {5, 6}); p.SetRange(6, {4}); },
         {7, 8, 5, 6, 0, 0, 4},
         {Changed<int>({0, 1}, {7, 8}), {0, {2}, {5}, {3}, {6}, K::None, {}},
          Inserted<int>({4, 5, 6}, {0, 0, 4})}},
        {"Insert (beyond the end: one default element first), InsertRange, Append, Add", {1, 2},
         [](auto& p)
         {
             p.Insert(0, 5); p.Insert(4, 6);
             p.InsertRange(1, {8, 9}); p.InsertRange(1, {}); p.Append({}); p.Append({3, 4}); p.Add(7);
         },
         {5, 8, 9, 1, 2, 0, 6, 3, 4, 7},
         {Inserted<int>({0}, {5}), Inserted<int>({3, 4}, {0, 6}), Inserted<int>({1, 2}, {8, 9}),
          Inserted<int>({7, 8}, {3, 4}), Inserted<int>({9}, {7})}},
        {"InsertRange with a gap of two", {1}, [](auto& p) { p.InsertRange(3, {1}); }, {1, 0, 0, 1},
         {Inserted<int>({1, 2, 3}, {0, 0, 1})}},
        {"RemoveAt, RemoveRange, also of what is not there", {1, 2, 3, 4, 5, 6},
         [](auto& p)
         {
             p.RemoveAt(6); p.RemoveRange(6, 9); p.RemoveRange(2, 2);
             p.RemoveAt(0); p.RemoveRange(1, 9);
         },
         {2}, {Removed<int>({0}), Removed<int>({1, 2, 3, 4})}},
        {"RemoveLast until empty, Clear of an empty array", {2},
         [](auto& p) { p.RemoveLast(); p.RemoveLast(); p.Clear(); }, {}, {Removed<int>({0})}},
        {"Clear", {1, 2, 3}, [](auto& p) { p.RemoveRange(1, 100); p.Clear(); }, {},
         {Removed<int>({1, 2}), Kind<int>(K::All)}},
    };
    for (Row const& row : rows)
    {
        Logged a(row.initial);
        row.edit(a.property);
        EXPECT_EQ(a.property.GetValues(), row.values) << row.edits;
        EXPECT_EQ(a.log.Notes(), row.notes) << row.edits;
    }
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
