// The start-up a host performs (host objects, configuration, its own models, the bound required-areas
// arrays) followed by a small scan driven through the reference host, checked as a bound GUI sees it.
#include "businesslayer/common/ccommondataexchangeconfiguration.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/cismodeltaballoweddataexchangemodel.h"
#include "reference_host/makestandaloneproperty.h"

#include "base/orx2basepool/tarraychangeobserver.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"

#include <gtest/gtest.h>

#include <atomic>

namespace
{
using Base::EAreaItems;
using BusinessLayer::EImageProcessingProgress;
using Level = Base::ICaseRequiredAreasDataExchangeModel::EAreaRequirementLevel;
using State = Base::IReconstructionResultDataExchangeModel::EReconstructionState;
using DataLayer::CReconstructionResult;

CReconstructionResult Reconstruction(std::size_t triangles)
{
    return CReconstructionResult(std::make_shared<Geometry::CTriangulation const>(triangles));
}

class ScanStartup : public Orx2Test::CommandEnvironment
{
protected:
    void SetUp() override
    {
        CommandEnvironment::SetUp();
        // The host's objects, then the configuration, then the models only the host builds.
        properties = std::make_shared<ReferenceHost::CAcquisitionProperties>();
        areas = std::make_shared<ReferenceHost::CCommonAreas>();
        selectedArea = ReferenceHost::MakeStandaloneProperty(EAreaItems::Undefined);
        configuration = std::make_shared<BusinessLayer::CCommonDataExchangeConfiguration>(properties, areas,
                                                                                          selectedArea);
        modelTab = std::make_shared<ReferenceHost::CIsModelTabAllowedDataExchangeModel>(properties, areas);
        configuration->SetIsModelTabAllowedDataExchangeModel(modelTab);
        dynamicRequiredAreas = std::make_shared<BusinessLayer::CDynamicRequiredAreasBase>(areas);
        configuration->SetDynamicRequiredAreaDataExchangeModel(dynamicRequiredAreas);
        dynamicRequiredAreas->SetRequiredAreasArray(
            configuration->GetCaseRequiredAreasDataExchangeModel()->GetRequiredAreasArray());
        modelTab->SetRequiredAreasArray(dynamicRequiredAreas->GetRequiredAreasArray());

        // What the GUI binds to, reached through the configuration only.
        tab = configuration->GetIsModelTabAllowedDataExchangeModel();
        progress = configuration->GetReconstructionProgressDataExchangeModel();
        result = configuration->GetTriangulationConfiguration();
        gui = std::make_unique<Orx2Test::GuiProbe>();
        gui->Watch("tab", *tab).Watch("progress", *progress).Watch("result", *result);
        triangulationGui = Base::Binding::MakeArrayChangeObserver(
            result->GetTriangulationArray(),
            [this](Base::Binding::ArrayChangedNotification<CReconstructionResult> const&)
            { ++triangulationChanges; });
        triangulationChanges = 0; // the binding's first call
    }

    void TearDown() override
    {
        triangulationGui.Reset();
        gui.reset();
        tab.reset();
        progress.reset();
        result.reset();
        configuration.reset();
        modelTab.reset();
        dynamicRequiredAreas.reset();
        CommandEnvironment::TearDown();
    }

    std::shared_ptr<ReferenceHost::CCommonArea> Instantiate(EAreaItems area)
    {
        configuration->GetInstantiatedAreaDataExchangeModel()->InstantiateArea(area);
        return areas->GetCommonArea(area);
    }

    /// PropertyChanged notifications of (model tab, progress, result) since the last call.
    std::tuple<int, int, int> Notifications()
    {
        Orx2Test::GuiProbe::SStep const step = gui->Take();
        return {step.Changes("tab"), step.Changes("progress"), step.Changes("result")};
    }
    int TriangulationChanges() { return triangulationChanges.exchange(0); }

    std::shared_ptr<ReferenceHost::CAcquisitionProperties> properties;
    std::shared_ptr<ReferenceHost::CCommonAreas> areas;
    std::shared_ptr<Base::IProperty<EAreaItems>> selectedArea;
    std::shared_ptr<BusinessLayer::CCommonDataExchangeConfiguration> configuration;
    std::shared_ptr<ReferenceHost::CIsModelTabAllowedDataExchangeModel> modelTab;
    std::shared_ptr<BusinessLayer::CDynamicRequiredAreasBase> dynamicRequiredAreas;

    std::shared_ptr<Base::IIsModelTabAllowedDataExchangeModel> tab;
    std::shared_ptr<Base::IReconstructionProgressBarDataExchangeModel> progress;
    std::shared_ptr<Base::IReconstructionResultDataExchangeModel> result;
    std::unique_ptr<Orx2Test::GuiProbe> gui;
    Base::Binding::CObserver triangulationGui;
    std::atomic<int> triangulationChanges{0};
};

TEST_F(ScanStartup, ASmallScanAsTheGuiSeesIt)
{
    using Counts = std::tuple<int, int, int>;
    EXPECT_FALSE(tab->GetIsModelTabAllowed().Get());
    EXPECT_FALSE(tab->GetIsDataAvailable().Get());
    EXPECT_EQ(State::None, result->GetReconstructionState().Get());
    EXPECT_EQ(EImageProcessingProgress::eORX_RUNNING, progress->GetReconstructionProgressState().Get());

    // The case asks for both jaws; the bite between them becomes obligatory with them.
    std::vector<Level> levels(Base::kAreaItemCount, Level::Optional);
    levels[0] = levels[1] = Level::Obligatory;
    configuration->GetCaseRequiredAreasDataExchangeModel()->SetRequiredAreasArray(levels);
    std::vector<Level> expected = levels;
    expected[2] = Level::Obligatory;
    EXPECT_EQ(expected, dynamicRequiredAreas->GetRequiredAreasArray().GetValues());
    EXPECT_EQ(EAreaItems::LowerJaw, selectedArea->Get());
    EXPECT_EQ((Counts{0, 0, 0}), Notifications());
    EXPECT_LT(0U, JournalCount(L"CDynamicRequiredAreasBase", Base::EJournalRecordKind::Opened))
        << "the required areas were derived outside a journal report";

    // The lower jaw is instantiated: it contributes without a reconstruction.
    auto const lower = Instantiate(EAreaItems::LowerJaw);
    EXPECT_EQ(State::Incomplete, result->GetReconstructionState().Get());
    EXPECT_EQ(std::vector<CReconstructionResult>{CReconstructionResult()},
              result->GetTriangulationArray().GetValues());
    EXPECT_EQ((Counts{0, 0, 1}), Notifications());
    EXPECT_EQ(1, TriangulationChanges());

    // It gains data: data are available, but the other obligatory areas have none.
    lower->SetHasDataOrReco(true);
    EXPECT_TRUE(tab->GetIsDataAvailable().Get());
    EXPECT_FALSE(tab->GetIsModelTabAllowed().Get());
    EXPECT_TRUE(progress->GetReconstructionArea(EAreaItems::LowerJaw));
    EXPECT_EQ((Counts{1, 1, 0}), Notifications());
    lower->SetReconstructionProgress(0.5f);
    EXPECT_EQ(50.0f, progress->GetReconstructionProgress().Get());
    EXPECT_EQ((Counts{0, 1, 0}), Notifications());

    // The upper jaw and the bite follow; each new area re-scans and republishes every area's result.
    auto const upper = Instantiate(EAreaItems::UpperJaw);
    auto const buccal = Instantiate(EAreaItems::BuccalReg);
    EXPECT_EQ(2 + 3, TriangulationChanges());
    upper->SetHasDataOrReco(true);
    EXPECT_FALSE(tab->GetIsModelTabAllowed().Get());
    buccal->SetHasDataOrReco(true);
    EXPECT_TRUE(tab->GetIsModelTabAllowed().Get());
    EXPECT_EQ((Counts{1, 2, 0}), Notifications());

    // Results arrive; the last one completes the reconstruction.
    std::vector<CReconstructionResult> const results = {Reconstruction(10), Reconstruction(11),
                                                        Reconstruction(12)};
    for (auto const& [area, object] :
         {std::pair(EAreaItems::LowerJaw, lower), std::pair(EAreaItems::UpperJaw, upper),
          std::pair(EAreaItems::BuccalReg, buccal)})
    {
        EXPECT_EQ(State::Incomplete, result->GetReconstructionState().Get()) << Base::GetAreaName(area);
        object->SetReconstructionResult(results[Base::AreaIndex(area)]);
        object->SetImageProcessingProgress(EImageProcessingProgress::eORX_OK);
    }
    EXPECT_EQ(State::Complete, result->GetReconstructionState().Get());
    EXPECT_EQ(results, result->GetTriangulationArray().GetValues());
    EXPECT_EQ(EImageProcessingProgress::eORX_OK, progress->GetReconstructionProgressState().Get());
    EXPECT_EQ((Counts{0, 1, 1}), Notifications());
    EXPECT_EQ(6, TriangulationChanges()); // one per change of each area's pair
    EXPECT_FALSE(result->GetReconstructionResultAutoSaved().Get());

    // The upper jaw fails and loses its data; then the host treats the reconstruction as done.
    upper->SetImageProcessingProgress(EImageProcessingProgress::eORX_FAIL);
    upper->SetHasDataOrReco(false);
    EXPECT_EQ(State::Failed, result->GetReconstructionState().Get());
    EXPECT_FALSE(tab->GetIsModelTabAllowed().Get());
    EXPECT_EQ((Counts{1, 2, 1}), Notifications());
    properties->SetTreatReconstructionAsDone(true);
    EXPECT_EQ(State::Complete, result->GetReconstructionState().Get());
    EXPECT_TRUE(result->GetReconstructionResultAutoSaved().Get());
    EXPECT_FALSE(properties->GetIsReconstructionResultSaved().GetValue());
    EXPECT_TRUE(tab->GetIsModelTabAllowed().Get());
    EXPECT_EQ((Counts{1, 0, 2}), Notifications());
}
} // namespace
