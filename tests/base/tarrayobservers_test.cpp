#include "base/orx2basepool/applyarraychangednotification.h"
#include "base/orx2basepool/maketransformarraybindingsource.h"
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "support/arraynotifications.h"
#include "support/callspy.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace Base;
using namespace Base::Binding;
using namespace Orx2Test;

namespace
{
using Vec = std::vector<int>;
using K = EArrayRemovalKind;
using Texts = std::vector<std::string>;
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

// A transform follows its input until a conversion fails; a full observer of it (its element type deduced
// from the source) gets the whole array at binding and after each change.
TEST(TransformArraySource, ConvertsTheArrayAndEveryChangeUntilAConversionFailsThenEmpties)
{
    TArrayProperty<int> numbers(Vec{1, 2});
    auto texts = MakeTransformArrayBindingSource(numbers, [](int n) {
        if (n < 0)
            throw std::invalid_argument("negative");
        return std::to_string(n);
    });
    EXPECT_EQ(texts.GetValues(), (Texts{"1", "2"}));
    CallSpy<Note<std::string>> spy;
    TArrayObserver<std::string> observer = MakeArrayChangeObserver(texts, spy.Callback());
    CallSpy<Texts> whole;
    TFullArrayObserver wholeObserver(texts, whole.Callback());
    numbers.SetAt(0, 5);
    numbers.Add(7);
    numbers.RemoveAt(1);
    EXPECT_EQ(texts.GetValues(), (Texts{"5", "7"}));
    EXPECT_EQ(texts.GetAt(1).value(), "7");
    EXPECT_EQ(spy.Calls(),
              (std::vector<std::tuple<Note<std::string>>>{{Inserted<std::string>({0, 1}, {"1", "2"})},
                                                          {Changed<std::string>({0}, {"5"})},
                                                          {Inserted<std::string>({2}, {"7"})},
                                                          {Removed<std::string>({1})}}));

    EXPECT_THROW(numbers.Add(-1), std::invalid_argument);
    EXPECT_EQ(spy.Last(), std::make_tuple(Kind<std::string>(K::All)));
    numbers.Add(2); // the input was not left locked by its handler's exception, and kept the edit
    EXPECT_EQ(numbers.GetValues(), (Vec{5, 7, -1, 2}));
    EXPECT_EQ(texts.GetSize(), 0u);
    EXPECT_EQ(spy.Count(), 5u);
    EXPECT_EQ(whole.Calls(), (std::vector<std::tuple<Texts>>{{Texts{"1", "2"}}, {Texts{"5", "2"}},
                                                             {Texts{"5", "2", "7"}}, {Texts{"5", "7"}},
                                                             {Texts{}}}));
}
