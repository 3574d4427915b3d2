#include "reference_host/ccommonareas.h"

#include "base/orx2basepool/tvaluechangedobserver.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Base::EAreaItems;
using ReferenceHost::CCommonAreas;

// The revision's observer reads the areas back inside its callback: a host that notified while holding
// its lock would deadlock there, and one that notified before the change would read the old state. Only
// the real areas can exist: instantiating another value does nothing and moves no revision.
TEST(ReferenceHostAreas, OnlyRealAreasExistAndEachInstantiationOrRemovalChangesTheRevisionOnce)
{
    CCommonAreas areas;
    std::vector<bool> instantiatedSeen; // by the observer: at binding, then once per revision
    Base::Binding::TValueChangedObserver<std::uint64_t> observer(
        areas.GetAreaSetRevision(),
        [&](std::uint64_t) { instantiatedSeen.push_back(areas.IsAreaInstantiated(EAreaItems::PreOpLower)); });
    for (EAreaItems const unreal :
         {EAreaItems::Undefined, EAreaItems::ItemCount, static_cast<EAreaItems>(99)})
    {
        areas.InstantiateArea(unreal);
        EXPECT_FALSE(areas.IsAreaInstantiated(unreal));
        EXPECT_FALSE(areas.CanInstantiateArea(unreal));
    }

    areas.InstantiateArea(EAreaItems::PreOpLower);
    areas.InstantiateArea(EAreaItems::PreOpLower);
    std::shared_ptr<BusinessLayer::ICommonArea> area;
    areas.GetArea(area, EAreaItems::PreOpLower);
    EXPECT_EQ(areas.GetCommonArea(EAreaItems::PreOpLower), area);
    EXPECT_EQ((std::vector<bool>{false, true}), instantiatedSeen);

    areas.RemoveArea(EAreaItems::PreOpLower);
    areas.RemoveArea(EAreaItems::PreOpLower);
    EXPECT_EQ((std::vector<bool>{false, true, false}), instantiatedSeen);
}
} // namespace
