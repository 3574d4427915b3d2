#include "businesslayer/common/creconstructionresultdataexchangemodel.h"

#include "support/expectorxexception.h"
#include "support/logcapture.h"
#include "support/propertychangedcounter.h"
#include "support/referencehost.h"

#include <gtest/gtest.h>

namespace
{
using Base::EAreaItems;
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

TEST_F(ReconstructionResult, NewTriangulationsAndStatesAwayFromCompleteMarkTheResultUnsaved)
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
}

// Complete and saved as soon as it is treated as done is the scan session scenario's concern; here that a
// state set meanwhile stays hidden until it ends.
TEST_F(ReconstructionResult, TreatingTheReconstructionAsDoneHidesTheStateUntilItEnds)
{
    Instantiate(EAreaItems::LowerJaw); // state 1
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
    struct Row
    {
        EImageProcessingProgress processing;
        State state;
    };
    // OK and a warning: the scenarios' (scan session and host flags).
    for (Row const row : {Row{EImageProcessingProgress::eORX_FAIL, State::Failed},
                          Row{static_cast<EImageProcessingProgress>(51), State::None}})
    {
        lower->SetImageProcessingProgress(row.processing);
        EXPECT_EQ(row.state, model.GetReconstructionState(EAreaItems::LowerJaw));
    }
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
} // namespace
