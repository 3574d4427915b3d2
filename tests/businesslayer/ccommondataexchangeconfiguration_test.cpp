// The data exchange configuration: the host objects it refuses and the order it releases its models
// in. Then the start-up a host performs (host objects, configuration, its own models, the bound
// required-areas arrays) followed by a small scan driven through the reference host, checked as a bound
// GUI sees it: how often each model notifies and republishes at each step. The values each step leaves
// are the scan session scenario's concern, which plays the same start-up in the simulator.
#include "businesslayer/common/carearegistrationresultdataexchangemodelbase.h"
#include "businesslayer/common/ccommondataexchangeconfiguration.h"
#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"
#include "businesslayer/common/ccommonseatpositiondataexchangemodel.h"
#include "businesslayer/common/cisrunningexceptreconstructiondataexchangemodel.h"
#include "businesslayer/common/creconstructionresultdataexchangemodel.h"
#include "businesslayer/common/cvideomode2ddataexchangemodel.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/cismodeltaballoweddataexchangemodel.h"
#include "reference_host/makestandaloneproperty.h"

#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"
#include "support/referencehost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <tuple>

namespace
{
using Base::EAreaItems;
using namespace BusinessLayer;
using Level = Base::ICaseRequiredAreasDataExchangeModel::EAreaRequirementLevel;
using DataLayer::CReconstructionResult;

/// `Model` whose destruction calls a hook first.
template <class Model> class TRecorded final : public Model
{
public:
    template <class... Args>
    explicit TRecorded(std::function<void()> onDestroy, Args&&... args)
        : Model(std::forward<Args>(args)...), m_onDestroy(std::move(onDestroy))
    {
    }
    ~TRecorded() override { m_onDestroy(); }

private:
    std::function<void()> m_onDestroy;
};

template <class Interface> class TEmptyModel : public Base::TNotifyPropertyChangedImpl<Interface>
{
};

class DataExchangeConfiguration : public Orx2Test::WithReferenceHost<Orx2Test::CommandEnvironment>
{
protected:
    std::shared_ptr<Base::IProperty<EAreaItems>> selectedArea =
        ReferenceHost::MakeStandaloneProperty(EAreaItems::Undefined);
};

TEST_F(DataExchangeConfiguration, EmptyHostObjectsFailTheConstruction)
{
    EXPECT_THROW(CCommonDataExchangeConfiguration(nullptr, areas, selectedArea), OrxException);
    EXPECT_THROW(CCommonDataExchangeConfiguration(properties, nullptr, selectedArea), OrxException);
}

TEST_F(DataExchangeConfiguration, ReleasesTheModelsInOrderUnderOneJournalReport)
{
    auto configuration = std::make_unique<CCommonDataExchangeConfiguration>(properties, areas, selectedArea);
    std::vector<std::string> log;
    // The models without setters are watched; the others are replaced by ones that log their end.
    std::vector<std::pair<std::string, std::weak_ptr<void const>>> const watched = {
        {"case", configuration->GetCaseRequiredAreasDataExchangeModel()},
        {"surfels", configuration->GetAreaSurfelColletionDataExchangeModel()},
        {"buccal", configuration->GetBuccalRegistrationResultDataExchangeModel()},
        {"optimization", configuration->GetAreaOptimizationStateDataExchangeModel()},
        {"occlusal", configuration->GetAreaOcclusalDirectionDataExchangeModel()},
        {"modification", configuration->GetDataModificationDataExchangeModel()},
        {"instantiated", configuration->GetInstantiatedAreaDataExchangeModel()},
        {"entities", configuration->GetAreaEntityCollectionDataExchangeModel()}};
    auto const record = [&](std::string name)
    {
        return [&, name]
        {
            std::string entry =
                name + (m_journal->GetOpenReportCount() == 1 ? " reported" : " unreported") + ":";
            for (auto const& [watchedName, model] : watched)
                if (!model.expired())
                    entry += " " + watchedName;
            log.push_back(entry);
        };
    };
    configuration->SetReconstructionResultDataExchangeModel(
        std::make_shared<TRecorded<CReconstructionResultDataExchangeModel>>(record("result"), properties,
                                                                            areas));
    configuration->SetIsModelTabAllowedDataExchangeModel(
        std::make_shared<TRecorded<ReferenceHost::CIsModelTabAllowedDataExchangeModel>>(record("tab"),
                                                                                        properties, areas));
    configuration->SetAreaRegistrationResultDataExchangeModel(
        std::make_shared<TRecorded<CAreaRegistrationResultDataExchangeModelBase>>(record("registration"),
                                                                                  areas));
    configuration->SetDynamicRequiredAreaDataExchangeModel(
        std::make_shared<TRecorded<CDynamicRequiredAreasBase>>(record("dynamic"), areas));
    configuration->SetReconstructionProgressBarDataExchangeModel(
        std::make_shared<TRecorded<CCommonReconstructionProgressDataExchangeModelBase>>(record("progress"),
                                                                                        areas));
    configuration->SetSeatPositionDataExchangeModel(
        std::make_shared<TRecorded<CCommonSeatPositionDataExchangeModel>>(record("seat")));
    configuration->SetVideoMode2DDataExchangeModel(
        std::make_shared<TRecorded<CVideoMode2DDataExchangeModel>>(record("video")));
    configuration->SetIsRunningExceptReconstructionDataExchangeModel(
        std::make_shared<TRecorded<CIsRunningExceptReconstructionDataExchangeModel>>(record("running"),
                                                                                     areas));
    configuration->SetGetGuidedArchDataExchangeModel(
        std::make_shared<TRecorded<TEmptyModel<Base::IGuidedArchDataExchangeModel>>>(record("guided")));

    std::size_t const opened =
        JournalCount(L"CCommonDataExchangeConfiguration", Base::EJournalRecordKind::Opened);
    configuration.reset();
    std::string const all = " case surfels buccal optimization occlusal modification instantiated entities";
    EXPECT_EQ((std::vector<std::string>{
                  "result reported:" + all,
                  "tab reported:" + all,
                  "registration reported: optimization occlusal modification instantiated entities",
                  "dynamic reported: optimization occlusal modification instantiated entities",
                  "progress reported: optimization entities",
                  "seat reported: optimization",
                  "video reported: optimization",
                  "running unreported: optimization", // the rest goes with the object, after the report
                  "guided unreported: optimization",
              }),
              log);
    EXPECT_EQ(opened + 1,
              JournalCount(L"CCommonDataExchangeConfiguration", Base::EJournalRecordKind::Opened));
    EXPECT_EQ(0u, m_journal->GetOpenReportCount());
}

CReconstructionResult Reconstruction(std::size_t triangles)
{
    return CReconstructionResult(std::make_shared<Geometry::CTriangulation const>(triangles));
}

using ScanStartup = Orx2Test::CommandEnvironment;

TEST_F(ScanStartup, ASmallScanAsTheGuiSeesIt)
{
    // The host's objects, then the configuration, then the models only the host builds.
    auto const properties = std::make_shared<ReferenceHost::CAcquisitionProperties>();
    auto const areas = std::make_shared<ReferenceHost::CCommonAreas>();
    auto const selectedArea = ReferenceHost::MakeStandaloneProperty(EAreaItems::Undefined);
    auto const configuration =
        std::make_shared<BusinessLayer::CCommonDataExchangeConfiguration>(properties, areas, selectedArea);
    using ModelTab = ReferenceHost::CIsModelTabAllowedDataExchangeModel;
    auto const modelTab = std::make_shared<ModelTab>(properties, areas);
    configuration->SetIsModelTabAllowedDataExchangeModel(modelTab);
    auto const dynamic = std::make_shared<BusinessLayer::CDynamicRequiredAreasBase>(areas);
    configuration->SetDynamicRequiredAreaDataExchangeModel(dynamic);
    auto const caseModel = configuration->GetCaseRequiredAreasDataExchangeModel();
    dynamic->SetRequiredAreasArray(caseModel->GetRequiredAreasArray());
    modelTab->SetRequiredAreasArray(dynamic->GetRequiredAreasArray());

    // What the GUI binds to, reached through the configuration only.
    auto const tab = configuration->GetIsModelTabAllowedDataExchangeModel();
    auto const progress = configuration->GetReconstructionProgressDataExchangeModel();
    auto const result = configuration->GetTriangulationConfiguration();
    Orx2Test::GuiProbe gui;
    gui.Watch("tab", *tab).Watch("progress", *progress).Watch("result", *result);
    std::atomic<int> triangulationChanges{0};
    auto const triangulationGui = Base::Binding::MakeArrayChangeObserver(
        result->GetTriangulationArray(), [&](auto const&) { ++triangulationChanges; });
    triangulationChanges = 0; // the binding's first call
    using Counts = std::tuple<int, int, int>;
    auto const notifications = [&gui]
    {
        Orx2Test::GuiProbe::SStep const step = gui.Take();
        return Counts{step.Changes("tab"), step.Changes("progress"), step.Changes("result")};
    };
    auto const triangulations = [&triangulationChanges] { return triangulationChanges.exchange(0); };
    auto const instantiate = [&](EAreaItems area)
    {
        configuration->GetInstantiatedAreaDataExchangeModel()->InstantiateArea(area);
        return areas->GetCommonArea(area);
    };

    // The case asks for both jaws; the bite between them becomes obligatory with them.
    std::vector<Level> levels(Base::kAreaItemCount, Level::Optional);
    levels[0] = levels[1] = Level::Obligatory;
    caseModel->SetRequiredAreasArray(levels);
    EXPECT_EQ((Counts{0, 0, 0}), notifications());
    EXPECT_LT(0U, JournalCount(L"CDynamicRequiredAreasBase", Base::EJournalRecordKind::Opened))
        << "the required areas were derived outside a journal report";

    // The lower jaw is instantiated: it contributes without a reconstruction.
    auto const lower = instantiate(EAreaItems::LowerJaw);
    EXPECT_EQ(std::vector<CReconstructionResult>{CReconstructionResult()},
              result->GetTriangulationArray().GetValues());
    EXPECT_EQ((Counts{0, 0, 1}), notifications());
    EXPECT_EQ(1, triangulations());

    // It gains data: data are available, but the other obligatory areas have none.
    lower->SetHasDataOrReco(true);
    EXPECT_EQ((Counts{1, 1, 0}), notifications());
    lower->SetReconstructionProgress(0.5f);
    EXPECT_EQ((Counts{0, 1, 0}), notifications());

    // The upper jaw and the bite follow; each new area re-scans and republishes every area's result.
    auto const upper = instantiate(EAreaItems::UpperJaw);
    auto const buccal = instantiate(EAreaItems::BuccalReg);
    EXPECT_EQ(2 + 3, triangulations());
    upper->SetHasDataOrReco(true);
    EXPECT_FALSE(tab->GetIsModelTabAllowed().Get());
    buccal->SetHasDataOrReco(true);
    EXPECT_EQ((Counts{1, 2, 0}), notifications());

    // Results arrive; the last one completes the reconstruction.
    std::vector<CReconstructionResult> const results = {Reconstruction(10), Reconstruction(11),
                                                        Reconstruction(12)};
    std::shared_ptr<ReferenceHost::CCommonArea> const objects[] = {lower, upper, buccal};
    for (std::size_t i = 0; i < results.size(); ++i)
    {
        objects[i]->SetReconstructionResult(results[i]);
        objects[i]->SetImageProcessingProgress(EImageProcessingProgress::eORX_OK);
    }
    EXPECT_EQ(results, result->GetTriangulationArray().GetValues());
    EXPECT_EQ((Counts{0, 1, 1}), notifications());
    EXPECT_EQ(6, triangulations()); // one per change of each area's pair

    // The upper jaw fails and loses its data; then the host treats the reconstruction as done.
    upper->SetImageProcessingProgress(EImageProcessingProgress::eORX_FAIL);
    upper->SetHasDataOrReco(false);
    EXPECT_FALSE(tab->GetIsModelTabAllowed().Get());
    EXPECT_EQ((Counts{1, 2, 1}), notifications());
    properties->SetTreatReconstructionAsDone(true);
    EXPECT_FALSE(properties->GetIsReconstructionResultSaved().GetValue());
    EXPECT_EQ((Counts{1, 0, 2}), notifications());
}
} // namespace
