#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"

#include "support/propertychangedcounter.h"
#include "support/referencehost.h"

#include <gtest/gtest.h>

namespace
{
using Base::EAreaItems;
using BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase;
using BusinessLayer::EImageProcessingProgress;

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

TEST_F(ReconstructionProgress, CountsTheAreasHoldingDataAndFlagsThem)
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
    EXPECT_EQ(3, gui.Count()); // one per change of the count
}

TEST_F(ReconstructionProgress, TheStateIsTheOneThatChangedLast)
{
    auto const lower = Instantiate(EAreaItems::LowerJaw);
    auto const upper = Instantiate(EAreaItems::UpperJaw);
    lower->SetImageProcessingProgress(EImageProcessingProgress::eORX_FAIL);
    upper->SetImageProcessingProgress(EImageProcessingProgress::eORX_OK);
    EXPECT_EQ(EImageProcessingProgress::eORX_OK, model.GetReconstructionProgressState().Get());
    EXPECT_EQ(2, gui.Count());
}

TEST_F(ReconstructionProgress, GroupTableAndItsEdges)
{
    struct Row
    {
        EAreaItems area;
        int group;
        int position;
    };
    for (Row const row :
         {Row{EAreaItems::LowerJaw, 0, 1}, Row{EAreaItems::UpperJaw, 1, 1}, Row{EAreaItems::BuccalReg, 2, 0},
          Row{EAreaItems::BiogenRefLower, 0, 2}, Row{EAreaItems::BiogenRefUpper, 1, 2},
          Row{EAreaItems::PreOpLower, 0, 0}, Row{EAreaItems::PreOpUpper, 1, 0},
          Row{EAreaItems::GingivaMaskLower, 0, 3}, Row{EAreaItems::GingivaMaskUpper, 1, 3},
          Row{EAreaItems::ScanbodyLower, 0, 4}, Row{EAreaItems::ScanbodyUpper, 1, 4},
          Row{EAreaItems::BiteLower, -1, -1}, Row{EAreaItems::BiteUpper, -1, -1},
          Row{EAreaItems::ArticulationReg, -1, -1}, Row{EAreaItems::ItemCount, -1, -1},
          Row{EAreaItems::Undefined, -1, -1}, Row{static_cast<EAreaItems>(99), -1, -1}})
    {
        EXPECT_EQ(row.group, model.GetGroupOfElement(row.area)) << Base::GetAreaName(row.area);
        EXPECT_EQ(row.position, model.GetElementPositionInGroup(row.area)) << Base::GetAreaName(row.area);
    }
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

TEST_F(ReconstructionProgress, OnlyAreasOfTheCurrentSetAreFollowed)
{
    auto const lower = Instantiate(EAreaItems::LowerJaw);
    areas->RemoveArea(EAreaItems::LowerJaw);
    lower->SetReconstructionProgress(0.5f);
    EXPECT_EQ(0.0f, model.GetReconstructionProgress().Get());
}

TEST_F(ReconstructionProgress, HandlersDoNothingOnceTheAreasAreGone)
{
    auto const lower = Instantiate(EAreaItems::LowerJaw);
    areas.reset();
    lower->SetReconstructionProgress(0.5f);
    lower->SetHasDataOrReco(true);
    EXPECT_EQ(0.0f, model.GetReconstructionProgress().Get());
    EXPECT_EQ(0, model.GetReconstructionAreaCount().Get());
    EXPECT_EQ(0, gui.Count());
}
} // namespace
