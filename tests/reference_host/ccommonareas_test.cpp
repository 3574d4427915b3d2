#include "reference_host/ccommonareas.h"

#include "base/orx2basepool/tvaluechangedobserver.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Base::EAreaItems;
using ReferenceHost::CCommonAreas;

// The revision's observer reads the areas back inside its callback: a host that notified while holding
// its lock would deadlock there, and one that notified before the change would read the old state.
TEST(ReferenceHostAreas, InstantiatingChangesTheRevisionOnceAndObserversMayCallBackIntoTheAreas)
{
    CCommonAreas areas;
    std::vector<bool> instantiatedSeen; // by the observer: at binding, then once per revision
    Base::Binding::TValueChangedObserver<std::uint64_t> observer(
        areas.GetAreaSetRevision(),
        [&](std::uint64_t) { instantiatedSeen.push_back(areas.IsAreaInstantiated(EAreaItems::PreOpLower)); });
    std::shared_ptr<BusinessLayer::ICommonArea> area;
    areas.GetArea(area, EAreaItems::PreOpLower);
    EXPECT_EQ(nullptr, area);

    areas.InstantiateArea(EAreaItems::PreOpLower);
    areas.InstantiateArea(EAreaItems::PreOpLower);
    areas.GetArea(area, EAreaItems::PreOpLower);
    EXPECT_EQ(areas.GetCommonArea(EAreaItems::PreOpLower), area);
    EXPECT_EQ((std::vector<bool>{false, true}), instantiatedSeen);

    areas.RemoveArea(EAreaItems::PreOpLower);
    areas.RemoveArea(EAreaItems::PreOpLower);
    EXPECT_EQ((std::vector<bool>{false, true, false}), instantiatedSeen);
}

TEST(ReferenceHostAreas, OnlyRealAreasExist)
{
    CCommonAreas areas;
    for (EAreaItems const area : {EAreaItems::Undefined, EAreaItems::ItemCount, static_cast<EAreaItems>(99)})
    {
        areas.InstantiateArea(area);
        EXPECT_FALSE(areas.IsAreaInstantiated(area));
        EXPECT_FALSE(areas.CanInstantiateArea(area));
    }
    EXPECT_EQ(0u, areas.GetAreaSetRevision().GetValue());
}
} // namespace
