#include "reference_host/cacquisitionproperties.h"
#include "reference_host/carearegistrationinfo.h"
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

TEST(ReferenceHostAreas, KnownAreasAndPermissionsAreTheSimulatorsChoice)
{
    CCommonAreas areas({EAreaItems::UpperJaw, EAreaItems::LowerJaw});
    std::vector<EAreaItems> known{EAreaItems::BiteLower};
    areas.GetAreas(known);
    EXPECT_EQ((std::vector<EAreaItems>{EAreaItems::UpperJaw, EAreaItems::LowerJaw}), known);

    areas.SetCanInstantiateArea(EAreaItems::UpperJaw, false);
    EXPECT_FALSE(areas.CanInstantiateArea(EAreaItems::UpperJaw));
    // Asking is the caller's business: the host does what it is told.
    areas.InstantiateArea(EAreaItems::UpperJaw);
    EXPECT_TRUE(areas.IsAreaInstantiated(EAreaItems::UpperJaw));
}

TEST(ReferenceHostAreas, RecordsWhatTheLibraryHandsIn)
{
    CCommonAreas areas;
    JbMatrix4Rd registration = JbMatrix4Rd::Identity();
    registration(0, 3) = 5.0;
    areas.SetAreaRegistration(EAreaItems::UpperJaw, registration);
    ASSERT_TRUE(areas.GetStoredAreaRegistration(EAreaItems::UpperJaw).has_value());
    EXPECT_EQ(registration, *areas.GetStoredAreaRegistration(EAreaItems::UpperJaw));
    areas.ResetAreaRegistration(EAreaItems::UpperJaw);
    EXPECT_FALSE(areas.GetStoredAreaRegistration(EAreaItems::UpperJaw).has_value());

    areas.SetImportedAreaRegistrationInfo(EAreaItems::BiteLower, true, registration, 0.5f);
    auto const imported = areas.GetImportedAreaRegistrationInfo(EAreaItems::BiteLower);
    ASSERT_TRUE(imported.has_value());
    EXPECT_TRUE(imported->isRegistered);
    EXPECT_EQ(registration, imported->registration);
    EXPECT_EQ(0.5f, imported->quality);
}

TEST(ReferenceHostAreas, RegistrationInfosGrowWithEmptyEntries)
{
    CCommonAreas areas;
    auto const info = std::make_shared<ReferenceHost::CAreaRegistrationInfo>();
    areas.SetAreaRegistrationInfo(EAreaItems::BuccalReg, info);
    std::vector<std::shared_ptr<BusinessLayer::IAreaRegistrationInfo const>> const expected{nullptr, nullptr,
                                                                                            info};
    EXPECT_EQ(expected, areas.GetAreaRegistrationInfoArray().GetValues());

    Orx2Test::CallSpy<BusinessLayer::IAreaRegistrationInfo::ERegistrationStatus> statuses;
    Base::Binding::TValueChangedObserver<BusinessLayer::IAreaRegistrationInfo::ERegistrationStatus> observer(
        info->GetRegistrationStatus(), statuses.Callback());
    info->SetRegistrationStatus(BusinessLayer::IAreaRegistrationInfo::ERegistrationStatus::Successful);
    EXPECT_EQ(2u, statuses.Count());
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

TEST(ReferenceHostProperties, SettersNotifyOnlyRealChanges)
{
    ReferenceHost::CAcquisitionProperties properties;
    Orx2Test::CallSpy<BusinessLayer::ELiveViewStatus> statuses;
    Base::Binding::TValueChangedObserver<BusinessLayer::ELiveViewStatus> observer(
        properties.GetLiveViewStatus(), statuses.Callback());
    properties.SetLiveViewStatus(BusinessLayer::ELiveViewStatus::Tracking);
    properties.SetLiveViewStatus(BusinessLayer::ELiveViewStatus::Tracking);
    EXPECT_EQ(2u, statuses.Count());

    EXPECT_TRUE(properties.GetDataModificationEnabled().Get());
    properties.SetDataModificationEnabled(false);
    EXPECT_FALSE(properties.GetDataModificationEnabled().Get());
    properties.SetIsReconstructionResultSaved(true);
    EXPECT_TRUE(properties.GetIsReconstructionResultSaved().GetValue());
}
} // namespace
