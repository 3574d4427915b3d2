#include "businesslayer/common/careaocclusaldirectiondataexchangemodel.h"
#include "businesslayer/common/careaoptimizationstatedataexchangemodel.h"
#include "businesslayer/common/careasurfelcolletiondataexchangemodel.h"
#include "businesslayer/common/ccommonareaentitycollectiondataexchangemodel.h"
#include "businesslayer/common/ccommondatamodificationdataexchangemodel.h"
#include "businesslayer/common/cinstantiatedareadataexchangemodel.h"

#include "support/callspy.h"
#include "support/referencehost.h"

#include <gtest/gtest.h>

namespace
{
using Base::EAreaItems;
using namespace BusinessLayer;
using OptimizationState = CAreaOptimizationStateDataExchangeModel::SAreaOptimizationState;

JbMatrix4Rf Translation(float x)
{
    JbMatrix4Rf m = JbMatrix4Rf::Identity();
    m(0, 3) = x;
    return m;
}

using AreaStateModels = Orx2Test::ReferenceHostTest;

TEST_F(AreaStateModels, OptimizationFieldsAreUpdatedSeparately)
{
    auto const upper = Instantiate(EAreaItems::UpperJaw);
    upper->SetOptimizationCount(3);
    Instantiate(EAreaItems::LowerJaw); // as the host starts an area
    CAreaOptimizationStateDataExchangeModel model(areas);
    auto const& states = model.GetAreaOptimizationStateArray();
    // Every listed area has an entry; the observed one starts from the host's current values.
    ASSERT_EQ(Base::kAreaItemCount, states.GetSize());
    EXPECT_EQ((OptimizationState{0.0f, 3}), states.GetAt(1).value());
    EXPECT_EQ(OptimizationState(), states.GetAt(0).value());

    upper->SetOptimizationFloat(0.5f);
    EXPECT_EQ((OptimizationState{0.5f, 3}), states.GetAt(1).value());
    upper->SetOptimizationCount(9);
    EXPECT_EQ((OptimizationState{0.5f, 9}), states.GetAt(1).value());
    upper->SetOptimizationProgress(Base::COptimizationProgress(0.75f));
    EXPECT_EQ(Base::COptimizationProgress(0.75f), model.GetAreaOptimizationProgressArray().GetAt(1).value());

    model.SetAreaOptimizationState(EAreaItems::BiteUpper, OptimizationState{2.0f, 1});
    model.SetAreaOptimizationState(EAreaItems::ItemCount, OptimizationState{2.0f, 1});
    EXPECT_EQ((OptimizationState{2.0f, 1}), states.GetAt(10).value());
    EXPECT_EQ(Base::kAreaItemCount, states.GetSize());

    // Areas instantiated later are not followed.
    Instantiate(EAreaItems::PreOpLower)->SetOptimizationFloat(1.0f);
    EXPECT_EQ(OptimizationState(), states.GetAt(Base::AreaIndex(EAreaItems::PreOpLower)).value());
}

// That the instantiating model makes an area is the scan start-up's concern.
TEST_F(AreaStateModels, OcclusalDirectionReadsWithoutInstantiatingAndNoModelInstantiatesAForbiddenArea)
{
    CAreaOcclusalDirectionDataExchangeModel model(areas);
    EXPECT_EQ(JbMatrix4Rf::Identity(), model.GetOcclusalDirection(EAreaItems::LowerJaw));
    EXPECT_FALSE(areas->IsAreaInstantiated(EAreaItems::LowerJaw));
    Instantiate(EAreaItems::UpperJaw);
    EXPECT_EQ(JbMatrix4Rf::Identity(), model.GetOcclusalDirection(EAreaItems::UpperJaw)); // none stored

    model.SetOcclusalDirection(EAreaItems::LowerJaw, Translation(2.0f));
    ASSERT_TRUE(areas->IsAreaInstantiated(EAreaItems::LowerJaw));
    EXPECT_EQ(Translation(2.0f), model.GetOcclusalDirection(EAreaItems::LowerJaw));
    EXPECT_EQ(Translation(2.0f),
              areas->GetCommonArea(EAreaItems::LowerJaw)->GetOcclusalDirection().Get().value());

    areas->SetCanInstantiateArea(EAreaItems::BuccalReg, false);
    model.SetOcclusalDirection(EAreaItems::BuccalReg, Translation(1.0f));
    EXPECT_FALSE(areas->IsAreaInstantiated(EAreaItems::BuccalReg)) << "occlusal direction";
    CInstantiatedAreaDataExchangeModel(areas).InstantiateArea(EAreaItems::BuccalReg);
    EXPECT_FALSE(areas->IsAreaInstantiated(EAreaItems::BuccalReg)) << "instantiating model";
}

TEST_F(AreaStateModels, PassThroughModelsAndExpiredAreas)
{
    struct Surfels : Base::ISurfelCollectionColored
    {
    };
    auto const lowerSurfels = std::make_shared<Surfels>(), allSurfels = std::make_shared<Surfels>();
    areas->SetSurfelCollection(EAreaItems::LowerJaw, lowerSurfels);
    areas->SetSurfelCollection(allSurfels);
    Instantiate(EAreaItems::UpperJaw)
        ->SetEntityBatch(DataLayer::CGeometricEntityBatch({Base::CGeometricEntityPacket(4)}));

    CAreaSurfelColletionDataExchangeModel surfels(areas);
    CCommonAreaEntityCollectionDataExchangeModel entities(areas);
    EXPECT_EQ(lowerSurfels, surfels.GetSurfelCollection(EAreaItems::LowerJaw));
    EXPECT_EQ(allSurfels, surfels.GetSurfelCollection());
    EXPECT_EQ(std::vector<Base::CGeometricEntityPacket>{Base::CGeometricEntityPacket(4)},
              entities.GetContainedEntities(EAreaItems::UpperJaw));
    EXPECT_TRUE(entities.GetContainedEntities(EAreaItems::LowerJaw).empty());

    // The entity model shares the areas, so they outlive the host's reference.
    std::weak_ptr<ReferenceHost::CCommonAreas> const alive = areas;
    areas.reset();
    EXPECT_FALSE(alive.expired());
    EXPECT_EQ(1u, entities.GetContainedEntities(EAreaItems::UpperJaw).size());
    EXPECT_EQ(allSurfels, surfels.GetSurfelCollection());

    CAreaSurfelColletionDataExchangeModel orphanSurfels(std::make_shared<ReferenceHost::CCommonAreas>());
    EXPECT_EQ(nullptr, orphanSurfels.GetSurfelCollection());
    EXPECT_EQ(nullptr, orphanSurfels.GetSurfelCollection(EAreaItems::LowerJaw));
}

TEST_F(AreaStateModels, DataModificationsAreForwardedOnlyWhileEnabled)
{
    // The host enables data modifications at first.
    CCommonDataModificationDataExchangeModel model(properties->GetDataModificationEnabled(), areas);
    Orx2Test::CountSpy modified;
    Base::CScopedEventSignalConnection const gui(
        model.GetModifiedEvent().Connect(Base::MakeEventSignalHandler<void>(modified.Callback())));

    areas->FireDataModified();
    EXPECT_EQ(1, modified.Count());
    properties->SetDataModificationEnabled(true); // no change: still one connection
    areas->FireDataModified();
    EXPECT_EQ(2, modified.Count());

    properties->SetDataModificationEnabled(false);
    areas->FireDataModified();
    EXPECT_EQ(2, modified.Count());
    properties->SetDataModificationEnabled(true);
    areas->FireDataModified();
    EXPECT_EQ(3, modified.Count());

    // Once the host's areas are gone, toggling the flag is harmless and connects to nothing.
    areas.reset();
    properties->SetDataModificationEnabled(false);
    properties->SetDataModificationEnabled(true);
    EXPECT_EQ(3, modified.Count());
}
} // namespace
