#include "reference_host/ccommonareas.h"

#include "base/orx2basepool/tvaluechangedobserver.h"
#include "support/callspy.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Base::EAreaItems;
using ReferenceHost::CCommonAreas;

TEST(ReferenceHostAreas, InstantiatingChangesTheRevisionOnceAndMakesTheAreaReachable)
{
    CCommonAreas areas;
    Orx2Test::CallSpy<std::uint64_t> revisions;
    Base::Binding::TValueChangedObserver<std::uint64_t> observer(areas.GetAreaSetRevision(),
                                                                 revisions.Callback());
    revisions.Clear();

    EXPECT_FALSE(areas.IsAreaInstantiated(EAreaItems::PreOpLower));
    std::shared_ptr<BusinessLayer::ICommonArea> area;
    areas.GetArea(area, EAreaItems::PreOpLower);
    EXPECT_EQ(nullptr, area);

    areas.InstantiateArea(EAreaItems::PreOpLower);
    areas.InstantiateArea(EAreaItems::PreOpLower);
    EXPECT_EQ(1u, revisions.Count());
    EXPECT_TRUE(areas.IsAreaInstantiated(EAreaItems::PreOpLower));
    areas.GetArea(area, EAreaItems::PreOpLower);
    EXPECT_EQ(areas.GetCommonArea(EAreaItems::PreOpLower), area);

    areas.RemoveArea(EAreaItems::PreOpLower);
    areas.RemoveArea(EAreaItems::PreOpLower);
    EXPECT_EQ(2u, revisions.Count());
    EXPECT_FALSE(areas.IsAreaInstantiated(EAreaItems::PreOpLower));
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

TEST(ReferenceHostAreas, ObserversMayCallBackIntoTheAreasWhileTheyAreChanged)
{
    CCommonAreas areas;
    std::vector<bool> instantiatedSeen;
    Base::Binding::TValueChangedObserver<std::uint64_t> observer(
        areas.GetAreaSetRevision(),
        [&](std::uint64_t) { instantiatedSeen.push_back(areas.IsAreaInstantiated(EAreaItems::LowerJaw)); });
    areas.InstantiateArea(EAreaItems::LowerJaw);
    EXPECT_EQ((std::vector<bool>{false, true}), instantiatedSeen);
}
} // namespace
