// The reconstruction's result and progress as the data exchange models derive them from the host's
// areas.
#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"
#include "businesslayer/common/creconstructionresultdataexchangemodel.h"

#include "support/expectorxexception.h"
#include "support/logcapture.h"
#include "support/propertychangedcounter.h"
#include "support/referencehost.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Base::EAreaItems;
using BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase;
using BusinessLayer::CReconstructionResultDataExchangeModel;
using BusinessLayer::EImageProcessingProgress;
using State = CReconstructionResultDataExchangeModel::EReconstructionState;
using DataLayer::CReconstructionResult;

CReconstructionResult WithTriangulation(std::size_t triangles = 10)
{
    return CReconstructionResult(std::make_shared<Geometry::CTriangulation const>(triangles));
}

class ReconstructionResult : public Orx2Test::ReferenceHostTest
{
protected:
    std::vector<CReconstructionResult> Triangulations() const
    {
        return model.GetTriangulationArray().GetValues();
    }
    bool HostSaved() const { return properties->GetIsReconstructionResultSaved().GetValue(); }

    CReconstructionResultDataExchangeModel model{properties, areas};
};

// From incomplete to complete as the results arrive is the scan session scenario's concern.
TEST_F(ReconstructionResult, AreasThatDoNotContributeNeitherHoldTheStateBackNorFailItNorHideTheOthers)
{
    Instantiate(EAreaItems::LowerJaw)->SetReconstructionResult(WithTriangulation());
    auto const upper = Instantiate(EAreaItems::UpperJaw);
    upper->SetReconstructionResult(WithTriangulation());
    ASSERT_EQ(State::Complete, model.GetReconstructionState().Get());
    auto const bite = Instantiate(EAreaItems::BiteLower, false, false);
    bite->SetImageProcessingProgress(EImageProcessingProgress::eORX_FAIL);
    EXPECT_EQ(State::Complete, model.GetReconstructionState().Get());
    Instantiate(EAreaItems::ScanbodyUpper); // contributes, without a result
    upper->SetReconstructionResult(WithTriangulation(12));
    EXPECT_EQ(State::Incomplete, model.GetReconstructionState().Get());
}

TEST_F(ReconstructionResult, AFailedContributingAreaFailsTheStateAndKeepsTheArray)
{
    Orx2Test::LogCapture log;
    auto const lower = Instantiate(EAreaItems::LowerJaw);
    CReconstructionResult const good = WithTriangulation();
    lower->SetReconstructionResult(good);
    ASSERT_EQ(State::Complete, model.GetReconstructionState().Get());

    lower->SetImageProcessingProgress(EImageProcessingProgress::eORX_FAIL);
    lower->SetReconstructionResult(WithTriangulation(3));
    EXPECT_EQ(State::Failed, model.GetReconstructionState().Get());
    EXPECT_EQ(good, Triangulations()[0]);
    auto const records = log.Channel(L"ORX2.CReconstructionResultDataExchangeModel");
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(L"recoProgress ==  eORX_FAIL", records.back().message);
    EXPECT_EQ(146, records.back().line);

    CReconstructionResult const recovered = WithTriangulation(4);
    lower->SetImageProcessingProgress(EImageProcessingProgress::eORX_OK);
    lower->SetReconstructionResult(recovered);
    EXPECT_EQ(State::Complete, model.GetReconstructionState().Get());
    EXPECT_EQ(recovered, Triangulations()[0]);
}

TEST_F(ReconstructionResult, NewResultsAndStatesMarkTheResultUnsavedAndTreatingAsDoneHidesTheState)
{
    auto const lower = Instantiate(EAreaItems::LowerJaw);
    lower->SetReconstructionResult(WithTriangulation());
    model.SetReconstructionResultAutoSaved(true);
    ASSERT_TRUE(HostSaved() && model.GetReconstructionResultAutoSaved().Get());
    lower->SetReconstructionResult(WithTriangulation(20));
    EXPECT_FALSE(HostSaved());

    model.SetReconstructionResultAutoSaved(true);
    model.SetReconstructionState(State::Incomplete);
    EXPECT_FALSE(HostSaved());
    EXPECT_EQ(State::Incomplete, model.GetReconstructionState().Get());

    model.ReconstructionResultAutoSaveExecuted();
    EXPECT_FALSE(HostSaved());
    model.SetReconstructionState(State::Complete);
    model.ReconstructionResultAutoSaveExecuted();
    EXPECT_TRUE(HostSaved());

    // Complete and saved as soon as it is treated as done is the scan session scenario's concern; here
    // that a state set meanwhile stays hidden until it ends.
    properties->SetTreatReconstructionAsDone(true);
    model.SetReconstructionState(State::Failed);
    EXPECT_EQ(State::Complete, model.GetReconstructionState().Get());
    properties->SetTreatReconstructionAsDone(false);
    EXPECT_EQ(State::Failed, model.GetReconstructionState().Get());
    EXPECT_FALSE(model.GetReconstructionResultAutoSaved().Get());
}

TEST_F(ReconstructionResult, ContributionChangesReevaluateTheState)
{
    auto const lower = Instantiate(EAreaItems::LowerJaw);
    lower->SetReconstructionResult(WithTriangulation());
    auto const upper = Instantiate(EAreaItems::UpperJaw, false, false);
    ASSERT_EQ(State::Complete, model.GetReconstructionState().Get());

    Orx2Test::PropertyChangedCounter gui(model);
    upper->SetContributesToModel(true); // without a reconstruction
    EXPECT_EQ(State::Incomplete, model.GetReconstructionState().Get());
    EXPECT_EQ(1, gui.Take());            // the published state only: the internal one is not the GUI's
    upper->SetContributesToModel(false); // the remaining contributor is complete
    EXPECT_EQ(State::Complete, model.GetReconstructionState().Get());

    // Each direction applies its own rule only: a failed area that comes back with a reconstruction
    // does not fail the state again until its next result.
    upper->SetReconstructionResult(WithTriangulation());
    upper->SetContributesToModel(true);
    upper->SetImageProcessingProgress(EImageProcessingProgress::eORX_FAIL);
    ASSERT_EQ(State::Failed, model.GetReconstructionState().Get());
    upper->SetContributesToModel(false);
    EXPECT_EQ(State::Complete, model.GetReconstructionState().Get());
    upper->SetContributesToModel(true);
    EXPECT_EQ(State::Complete, model.GetReconstructionState().Get());
}

TEST_F(ReconstructionResult, PerAreaStateFollowsTheImageProcessingState)
{
    EXPECT_EQ(State::None, model.GetReconstructionState(EAreaItems::LowerJaw));
    auto const lower = Instantiate(EAreaItems::LowerJaw);
    EXPECT_EQ(State::None, model.GetReconstructionState(EAreaItems::LowerJaw)); // running
    // OK and a warning: the scenarios' (scan session and host flags).
    lower->SetImageProcessingProgress(EImageProcessingProgress::eORX_FAIL);
    EXPECT_EQ(State::Failed, model.GetReconstructionState(EAreaItems::LowerJaw));
    lower->SetImageProcessingProgress(static_cast<EImageProcessingProgress>(51));
    EXPECT_EQ(State::None, model.GetReconstructionState(EAreaItems::LowerJaw)) << "an unknown state";
}

TEST_F(ReconstructionResult, ImportedDataGoToTheAreaWhichIsInstantiatedWhenAllowed)
{
    auto const triangulation = std::make_shared<Geometry::CTriangulation const>(7);
    auto const atlas = std::make_shared<Base::CTextureAtlasData const>(8, 8);
    model.SetImportedReconstructionResult(EAreaItems::PreOpUpper, triangulation);
    model.SetImportedReconstructionAtlas(EAreaItems::PreOpUpper, atlas);
    ASSERT_TRUE(areas->IsAreaInstantiated(EAreaItems::PreOpUpper));
    EXPECT_EQ(triangulation, areas->GetCommonArea(EAreaItems::PreOpUpper)->GetImportedReconstructionResult());
    EXPECT_EQ(atlas, areas->GetCommonArea(EAreaItems::PreOpUpper)->GetImportedReconstructionAtlas());

    areas->SetCanInstantiateArea(EAreaItems::PreOpLower, false);
    model.SetImportedReconstructionResult(EAreaItems::PreOpLower, triangulation);
    model.SetImportedReconstructionAtlas(EAreaItems::PreOpLower, atlas);
    EXPECT_FALSE(areas->IsAreaInstantiated(EAreaItems::PreOpLower));
}

TEST_F(ReconstructionResult, ExpiredHostObjects)
{
    auto const lower = Instantiate(EAreaItems::LowerJaw);
    areas.reset();
    // Handlers of areas still alive elsewhere do nothing, imports are dropped.
    lower->SetReconstructionResult(WithTriangulation());
    EXPECT_EQ(State::Incomplete, model.GetReconstructionState().Get());
    model.SetImportedReconstructionResult(EAreaItems::LowerJaw, nullptr);

    properties.reset();
    std::wstring const propertiesGone = L"AcquisitionProperties have been deleted before DataExchangeModel";
    char const* const file = "businesslayer/common/creconstructionresultdataexchangemodel";
    Orx2Test::ExpectOrxException(
        [&] { model.SetReconstructionResultAutoSaved(true); },
        {propertiesGone, file, 0,
         "BusinessLayer::CReconstructionResultDataExchangeModel::SetReconstructionResultAutoSaved"});
    Orx2Test::ExpectOrxException(
        [&] { model.ReconstructionResultAutoSaveExecuted(); },
        {propertiesGone, file, 0,
         "BusinessLayer::CReconstructionResultDataExchangeModel::ReconstructionResultAutoSaveExecuted"});
    model.SetReconstructionState(State::Failed); // nobody to tell: no failure
    EXPECT_EQ(State::Failed, model.GetReconstructionState().Get());
}

class ReconstructionProgress : public Orx2Test::ReferenceHostTest
{
protected:
    CCommonReconstructionProgressDataExchangeModelBase model{areas};
    Orx2Test::PropertyChangedCounter gui{model};
};

TEST_F(ReconstructionProgress, AveragesTheReportingAreaWithTheOtherAreasHoldingData)
{
    auto const lower = Instantiate(EAreaItems::LowerJaw);
    auto const upper = Instantiate(EAreaItems::UpperJaw, true);
    auto const empty = Instantiate(EAreaItems::PreOpLower);
    upper->SetReconstructionProgress(1.0f); // the others hold no data
    EXPECT_EQ(100.0f, model.GetReconstructionProgress().Get());
    empty->SetReconstructionProgress(0.25f); // counts as the reporting area, though without data
    EXPECT_EQ(62.5f, model.GetReconstructionProgress().Get());
    gui.Take();

    lower->SetReconstructionProgress(0.5f);
    EXPECT_EQ(75.0f, model.GetReconstructionProgress().Get());
    EXPECT_EQ(0.5f, model.GetReconstructionProgress(EAreaItems::LowerJaw));
    EXPECT_EQ(1, gui.Take());
    upper->SetReconstructionProgress(0.5f); // the lower jaw holds no data: it counts only while reporting
    EXPECT_EQ(50.0f, model.GetReconstructionProgress().Get());
}

TEST_F(ReconstructionProgress, CountsTheAreasHoldingDataAndShowsTheStateThatChangedLast)
{
    auto const lower = Instantiate(EAreaItems::LowerJaw);
    auto const buccal = Instantiate(EAreaItems::BuccalReg);
    lower->SetHasDataOrReco(true);
    buccal->SetHasDataOrReco(true);
    EXPECT_EQ(2, model.GetReconstructionAreaCount().Get());
    EXPECT_TRUE(model.GetReconstructionArea(EAreaItems::BuccalReg));
    EXPECT_FALSE(model.GetReconstructionArea(EAreaItems::UpperJaw));
    lower->SetHasDataOrReco(false);
    EXPECT_EQ(1, model.GetReconstructionAreaCount().Get());
    EXPECT_FALSE(model.GetReconstructionArea(EAreaItems::LowerJaw));
    EXPECT_EQ(3, gui.Take()); // one per change of the count

    lower->SetImageProcessingProgress(EImageProcessingProgress::eORX_FAIL);
    buccal->SetImageProcessingProgress(EImageProcessingProgress::eORX_OK);
    EXPECT_EQ(EImageProcessingProgress::eORX_OK, model.GetReconstructionProgressState().Get());
    EXPECT_EQ(2, gui.Take());
}

TEST_F(ReconstructionProgress, GroupTableAndItsEdges)
{
    std::vector<int> groups, positions;
    for (int value = -1; value <= 15; ++value) // Undefined, the areas, ItemCount and one beyond
    {
        groups.push_back(model.GetGroupOfElement(static_cast<EAreaItems>(value)));
        positions.push_back(model.GetElementPositionInGroup(static_cast<EAreaItems>(value)));
    }
    // The lower side in group 0, the upper side in 1, the buccal registration alone in 2; the bites and
    // the articulation are not drawn.
    EXPECT_EQ((std::vector<int>{-1, 0, 1, 2, 0, 1, 0, 1, 0, 1, -1, -1, -1, 0, 1, -1, -1}), groups);
    EXPECT_EQ((std::vector<int>{-1, 1, 1, 0, 2, 2, 3, 3, 0, 0, -1, -1, -1, 4, 4, -1, -1}), positions);
}

TEST_F(ReconstructionProgress, BitmapsAndQueriesOutsideTheAreas)
{
    auto const bitmap = std::make_shared<JyBitmap>(4, 3);
    model.SetReconstructionBitmap(EAreaItems::BiteUpper, bitmap);
    model.SetReconstructionBitmap(EAreaItems::ItemCount, bitmap);
    EXPECT_EQ(bitmap, model.GetReconstructionBitmap(EAreaItems::BiteUpper));
    EXPECT_EQ(nullptr, model.GetReconstructionBitmap(EAreaItems::ItemCount));
    EXPECT_EQ(nullptr, model.GetReconstructionBitmap(EAreaItems::LowerJaw));
    EXPECT_EQ(0.0f, model.GetReconstructionProgress(EAreaItems::Undefined));
    EXPECT_FALSE(model.GetReconstructionArea(EAreaItems::ItemCount));
}

TEST_F(ReconstructionProgress, AreasRemovedFromTheSetOrWithTheAreasGoneAreNoLongerFollowed)
{
    auto const lower = Instantiate(EAreaItems::LowerJaw);
    auto const upper = Instantiate(EAreaItems::UpperJaw);
    areas->RemoveArea(EAreaItems::LowerJaw);
    lower->SetReconstructionProgress(0.5f);
    EXPECT_EQ(0.0f, model.GetReconstructionProgress().Get());
    gui.Take();

    areas.reset();
    upper->SetReconstructionProgress(0.5f);
    upper->SetHasDataOrReco(true);
    EXPECT_EQ(0.0f, model.GetReconstructionProgress().Get());
    EXPECT_EQ(0, model.GetReconstructionAreaCount().Get());
    EXPECT_EQ(0, gui.Take());
}

} // namespace
