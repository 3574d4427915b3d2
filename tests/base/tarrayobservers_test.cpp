#include "base/orx2basepool/applyarraychangednotification.h"
#include "base/orx2basepool/maketransformarraybindingsource.h"
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "support/arraynotifications.h"
#include "support/callspy.h"
#include "support/heldcallback.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Test;

namespace
{
using Vec = std::vector<int>;
using K = EArrayRemovalKind;
} // namespace

TEST(ApplyArrayChangedNotification, ChangesThenInsertsInOrderThenRemovesBackwardsAndRefusesMisfits)
{
    Vec copy{1, 2, 3};
    Note<int> n = Changed<int>({0, 2}, {10, 30});
    n.insertedIndices = {0, 2, 3, 6};
    n.insertedValues = {7, 8, 9, 6};
    ApplyArrayChangedNotification(copy, n);
    EXPECT_EQ(copy, (Vec{7, 10, 8, 9, 2, 30, 6}));
    ApplyArrayChangedNotification(copy, Removed<int>({0, 2, 3, 6}));
    EXPECT_EQ(copy, (Vec{10, 2, 30}));
    ApplyArrayChangedNotification(copy, Kind<int>(K::All));
    EXPECT_TRUE(copy.empty());
    copy = {1};
    ApplyArrayChangedNotification(copy, Kind<int>(K::SourceDestroyed));
    EXPECT_TRUE(copy.empty());
    copy = {1, 2}; // positions that do not fit are refused
    EXPECT_THROW(ApplyArrayChangedNotification(copy, Changed<int>({2}, {5})), std::out_of_range);
    EXPECT_THROW(ApplyArrayChangedNotification(copy, Inserted<int>({3}, {5})), std::out_of_range);
    EXPECT_THROW(ApplyArrayChangedNotification(copy, Removed<int>({1, 2})), std::out_of_range);
}

TEST(ArrayObservers, FullObserverCallsOnceAtBindingWithTheWholeArrayThenAfterEachChange)
{
    TArrayProperty<int> p(Vec{1, 2, 3});
    CallSpy<Vec> spy;
    TFullArrayObserver observer(p, spy.Callback()); // the element type is deduced from the source
    EXPECT_EQ(spy.Calls(), (std::vector<std::tuple<Vec>>{{Vec{1, 2, 3}}}));
    p.RemoveAt(0);
    p.RemoveAt(7); // nothing removed: no call
    p.Insert(1, 9);
    EXPECT_EQ(spy.Calls(), (std::vector<std::tuple<Vec>>{{Vec{1, 2, 3}}, {Vec{2, 3}}, {Vec{2, 9, 3}}}));
}

TEST(ArrayObservers, CallbackThatDestroysItsOwnObserverWaitsForItself)
{
    RunBounded("an array callback that resets its own observer", [] {
        TArrayProperty<int> p;
        int calls = 0;
        TArrayObserver<int> observer;
        observer = MakeFullArrayObserver(p, [&](Vec const& values) {
            if (!values.empty() && ++calls == 1)
                observer.Reset();
        });
        p.Add(1);
        p.Add(2);
        EXPECT_EQ(calls, 1);
    });
}

TEST(ArrayObserversThreads, DestroyingAnObserverWaitsForItsRunningCallback)
{
    TArrayProperty<int> p;
    HeldCallback held;
    auto observer = std::make_unique<TArrayObserver<int>>(MakeArrayChangeObserver(p, [&](Note<int> const& n) {
        if (!n.insertedIndices.empty())
            held.Hold();
    }));
    held.ExpectDestroyWaits([&] { p.Add(1); }, [&] { observer.reset(); });
    p.Add(1);
    EXPECT_EQ(held.Calls(), 1);
}

TEST(TransformArraySource, ConvertsTheArrayAndEveryChange)
{
    TArrayProperty<int> numbers(Vec{1, 2});
    auto texts = MakeTransformArrayBindingSource(numbers, [](int n) { return std::to_string(n); });
    EXPECT_EQ(texts.GetValues(), (std::vector<std::string>{"1", "2"}));
    CallSpy<Note<std::string>> spy;
    TArrayObserver<std::string> observer = MakeArrayChangeObserver(texts, spy.Callback());
    numbers.SetAt(0, 5);
    numbers.Add(7);
    numbers.RemoveAt(1);
    EXPECT_EQ(texts.GetValues(), (std::vector<std::string>{"5", "7"}));
    EXPECT_EQ(texts.GetAt(1).value(), "7");
    EXPECT_EQ(spy.Calls(),
              (std::vector<std::tuple<Note<std::string>>>{{Inserted<std::string>({0, 1}, {"1", "2"})},
                                                          {Changed<std::string>({0}, {"5"})},
                                                          {Inserted<std::string>({2}, {"7"})},
                                                          {Removed<std::string>({1})}}));
}

TEST(TransformArraySource, AFailingConversionStopsFollowingAndEmpties)
{
    TArrayProperty<int> numbers(Vec{1});
    auto texts = MakeTransformArrayBindingSource(numbers, [](int n) {
        if (n < 0)
            throw std::invalid_argument("negative");
        return std::to_string(n);
    });
    CallSpy<Note<std::string>> spy;
    TArrayObserver<std::string> observer = MakeArrayChangeObserver(texts, spy.Callback());
    EXPECT_THROW(numbers.Add(-1), std::invalid_argument);
    EXPECT_EQ(spy.Last(), std::make_tuple(Kind<std::string>(K::All)));
    numbers.Add(2); // the input was not left locked by its handler's exception, and kept the edit
    EXPECT_EQ(numbers.GetValues(), (Vec{1, -1, 2}));
    EXPECT_EQ(texts.GetSize(), 0u);
    EXPECT_EQ(spy.Count(), 2u);
}
