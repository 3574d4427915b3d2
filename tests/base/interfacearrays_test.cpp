// Fixed item groups handed out as interface pointers, and lookups over array snapshots.
#include "base/orx2basepool/interfacearrays.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "support/elementdoubles.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Base;

using Orx2Test::IItem;
using CItem = Orx2Test::Item;

TEST(InterfaceArrays, CopyKeepsEachSlotAtItsPositionAndLookupTakesTheFirstMatch)
{
    std::array<std::shared_ptr<CItem>, 3> items{std::make_shared<CItem>(1), nullptr, std::make_shared<CItem>(3)};
    auto const copy = CopyAsInterfaces<IItem>(items);
    for (std::size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i].get(), copy[i].get()) << "slot " << i;

    Binding::TArrayProperty<std::shared_ptr<CItem>> array;
    auto const hasId = [](int id) { return [id](auto const& item) { return item && item->id == id; }; };
    EXPECT_EQ(nullptr, FindFirst(array, hasId(1))) << "an empty array found something";
    auto const twin = std::make_shared<CItem>(3);
    array.Set({items[0], nullptr, items[2], twin});
    EXPECT_EQ(items[2], FindFirst(array, hasId(3))) << "not the earlier of two matches";
    EXPECT_EQ(nullptr, FindFirst(array, hasId(7)));
}
