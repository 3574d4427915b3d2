// The data exchange models as the engine, the GUI and the host's teardown use them at once: two engine
// threads change the reference host at random, a GUI re-reads every model on each PropertyChanged while
// holding the models only weakly, and a third thread destroys the configuration or a host object at
// random moments. Once the host is quiet, each round checks that every
// model publishes its rules applied to the host's final state and to what it kept of removed areas.
// Random but seeded: a failure names its seed, and ORX2_CHAOS_SEED replays it.
// After it, area models fed by the host from two threads at once: neither thread's last word may be lost.
#include "businesslayer/common/careaoptimizationstatedataexchangemodel.h"
#include "businesslayer/common/ccaserequiredareasdataexchangemodelbase.h"
#include "businesslayer/common/ccommondataexchangeconfiguration.h"
#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"
#include "businesslayer/common/cdynamicrequiredareasbase.h"
#include "businesslayer/common/creconstructionresultdataexchangemodel.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/cismodeltaballoweddataexchangemodel.h"
#include "reference_host/makestandaloneproperty.h"

#include "stress/stresssupport.h"
#include "support/commandenvironment.h"
#include "support/requiredlevels.h"

#include <random>

namespace
{
using namespace Orx2Stress;
using Base::EAreaItems;
using BusinessLayer::EImageProcessingProgress;
using Level = Base::ICaseRequiredAreasDataExchangeModel::EAreaRequirementLevel;
using Random = std::mt19937_64;
using Configuration = BusinessLayer::CCommonDataExchangeConfiguration;
using ModelTab = ReferenceHost::CIsModelTabAllowedDataExchangeModel;
using Orx2Test::Print;

constexpr std::uint64_t kRounds = Scaled(40, 12);
constexpr std::uint64_t kOperationsPerEngine = Scaled(400, 120);
constexpr std::chrono::milliseconds kChaosTime = kSanitized ? 8000ms : 4000ms;

/// The two models only the host builds, with what they keep of each area open to the check.
/// Built on the destroying thread while the engine publishes, so it starts only once it is whole.
struct Dynamic final : BusinessLayer::CDynamicRequiredAreasBase
{
    explicit Dynamic(std::shared_ptr<BusinessLayer::ICommonAreas> const& areas)
        : CDynamicRequiredAreasBase(areas, SStartLater{})
    {
        Start();
    }
    using CDynamicRequiredAreasBase::GetHasDataOrRecoArray;
};

/// The host of one round. The destroying thread empties the slots at random moments; everybody else
/// loads a slot (std::atomic_load) before use.
struct World
{
    std::shared_ptr<ReferenceHost::CAcquisitionProperties> properties =
        std::make_shared<ReferenceHost::CAcquisitionProperties>();
    std::shared_ptr<ReferenceHost::CCommonAreas> areas = std::make_shared<ReferenceHost::CCommonAreas>();
    std::shared_ptr<Base::IProperty<EAreaItems>> selected =
        ReferenceHost::MakeStandaloneProperty(EAreaItems{});
    std::shared_ptr<Configuration> configuration;
    std::atomic<std::uint64_t> generation{0}; // counts the changes of `configuration`
    std::weak_ptr<Dynamic> dynamic; // set where the configuration is built, read once the threads are gone
    std::weak_ptr<ModelTab> modelTab;
};
/// The host's set-up code: the configuration, the models only the host builds, and the bindings.
std::shared_ptr<Configuration> Build(World& world)
{
    auto const properties = std::atomic_load(&world.properties);
    auto const areas = std::atomic_load(&world.areas);
    if (!properties || !areas)
        return nullptr;
    auto configuration = std::make_shared<Configuration>(properties, areas, world.selected);
    auto const dynamic = std::make_shared<Dynamic>(areas);
    auto const modelTab = std::make_shared<ModelTab>(properties, areas);
    configuration->SetDynamicRequiredAreaDataExchangeModel(dynamic);
    configuration->SetIsModelTabAllowedDataExchangeModel(modelTab);
    dynamic->SetRequiredAreasArray(
        configuration->GetCaseRequiredAreasDataExchangeModel()->GetRequiredAreasArray());
    modelTab->SetRequiredAreasArray(dynamic->GetRequiredAreasArray());
    world.dynamic = dynamic;
    world.modelTab = modelTab;
    return configuration;
}

/// The documented failure of a direct query on a model whose host objects are gone; any other exception
/// is a fault (a handler threw into the host's call).
bool HostGone(std::string const& what)
{
    return what == "The areas must be set" ||
           what.find("deleted before DataExchangeModel") != std::string::npos;
}

/// The GUI bound to one configuration: it holds the models weakly, re-reads all of them on each
/// PropertyChanged (on whichever thread fires it).
struct Gui
{
    Gui(Configuration const& configuration, FaultLog& faults)
    {
        std::vector<std::shared_ptr<Base::INotifyPropertyChanged>> const models = {
            configuration.GetTriangulationConfiguration(),
            configuration.GetIsModelTabAllowedDataExchangeModel(),
            configuration.GetCaseRequiredAreasDataExchangeModel(),
            configuration.GetBuccalRegistrationResultDataExchangeModel(),
            configuration.GetReconstructionProgressDataExchangeModel()};
        readAll = [&faults, result = std::weak_ptr(configuration.GetTriangulationConfiguration()),
                   modelTab = std::weak_ptr(configuration.GetIsModelTabAllowedDataExchangeModel()),
                   caseModel = std::weak_ptr(configuration.GetCaseRequiredAreasDataExchangeModel()),
                   buccal = std::weak_ptr(configuration.GetBuccalRegistrationResultDataExchangeModel()),
                   progress = std::weak_ptr(configuration.GetReconstructionProgressDataExchangeModel()),
                   running = std::weak_ptr(configuration.GetIsRunningExceptReconstructionDataExchangeModel())]
        {
            faults.Guard(
                "GUI read",
                [&]
                {
                    if (auto const m = result.lock())
                        m->GetReconstructionState().Get(), m->GetReconstructionState(EAreaItems::LowerJaw);
                    if (auto const m = modelTab.lock())
                        m->GetIsModelTabAllowed().Get(), m->GetIsDataAvailable().Get();
                    if (auto const m = caseModel.lock())
                        m->GetRequiredAreasArray().GetValues(), m->GetDefaultActiveArea().Get();
                    if (auto const m = buccal.lock())
                        m->GetBuccalRegistrationResultToUpper().Get();
                    if (auto const m = progress.lock())
                        m->GetReconstructionProgress().Get(), m->GetReconstructionArea(EAreaItems::BuccalReg);
                    if (auto const m = running.lock())
                        m->GetIsRunningExceptReconstructionBindingSource().GetValue();
                },
                HostGone);
        };
        for (auto const& model : models)
            readers.push_back(model->GetPropertyChangedEventSignal().Connect(
                Base::MakeEventSignalHandler<void>([readAll = readAll] { readAll(); })));
    }
    std::function<void()> readAll;
    std::vector<Base::CScopedEventSignalConnection> readers;
};

/// One random change, as an engine makes it (most through the host, a few through the models).
void EngineOperation(World& world, Random& random, FaultLog& faults)
{
    auto const areas = std::atomic_load(&world.areas);
    auto const properties = std::atomic_load(&world.properties);
    auto const configuration = std::atomic_load(&world.configuration);
    if (!areas || !properties)
        return;
    auto const area = static_cast<EAreaItems>(random() % Base::kAreaItemCount);
    auto const object = areas->GetCommonArea(area);
    auto const flip = [&random] { return random() % 2 == 0; };
    unsigned const kind = random() % 13;
    faults.Guard(
        "engine",
        [&]
        {
            if (kind == 0)
                areas->InstantiateArea(area);
            else if (kind == 1)
                areas->RemoveArea(area);
            else if (kind == 8)
                properties->SetTreatReconstructionAsDone(random() % 4 == 0);
            else if (kind == 9)
                areas->SetBuccalRegistrationStrategyStatus(
                    static_cast<Base::EBuccalRegistrationStrategyStatus>(random() % 4)),
                    areas->SetIsRunningExceptReconstruction(flip());
            else if (kind == 10 || kind == 11)
            {
                std::vector<Level> levels(random() % 4 == 0 ? 20 : Base::kAreaItemCount);
                for (Level& level : levels)
                    level = static_cast<Level>(random() % 3);
                auto const command = std::dynamic_pointer_cast<Base::ICommand<std::vector<Level>>>(
                    JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(
                        L"CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel"));
                if (kind == 10 && command)
                    command->Execute(levels);
                else if (configuration)
                    configuration->GetCaseRequiredAreasDataExchangeModel()->SetRequiredAreasArray(levels);
            }
            else if (kind == 12 && configuration)
                configuration->GetTriangulationConfiguration()->SetImportedReconstructionResult(
                    area, std::make_shared<Geometry::CTriangulation const>(7));
            else if (!object)
                return;
            else if (kind == 2 || kind == 3)
                object->SetHasDataOrReco(flip());
            else if (kind == 4)
                object->SetReconstructionProgress(static_cast<float>(random() % 11) / 10.0f);
            else if (kind == 5)
                object->SetImageProcessingProgress(static_cast<EImageProcessingProgress>(47 + random() % 4));
            else if (kind == 6)
                object->SetReconstructionResult(
                    flip() ? DataLayer::CReconstructionResult()
                           : DataLayer::CReconstructionResult(
                                 std::make_shared<Geometry::CTriangulation const>(random() % 100)));
            else if (kind == 7)
                object->SetContributesToModel(flip());
        },
        kind == 12 ? HostGone : nullptr);
}

/// The host with the given areas instantiated: each with the flag kept in `flags` as its data, and
/// contributing when `source` has it instantiated and contributing.
std::shared_ptr<ReferenceHost::CCommonAreas> Replica(ReferenceHost::CCommonAreas const& source,
                                                     std::vector<bool> const& flags)
{
    auto replica = std::make_shared<ReferenceHost::CCommonAreas>();
    for (std::size_t i = 0; i < Base::kAreaItemCount; ++i)
    {
        auto const original = source.GetCommonArea(static_cast<EAreaItems>(i));
        bool const flag = i < flags.size() && flags[i];
        if (!original && !flag)
            continue;
        replica->InstantiateArea(static_cast<EAreaItems>(i));
        replica->GetCommonArea(static_cast<EAreaItems>(i))->SetHasDataOrReco(flag);
        replica->GetCommonArea(static_cast<EAreaItems>(i))
            ->SetContributesToModel(original && original->GetContributesToModel().GetValue());
    }
    return replica;
}

/// On the quiet host: what each model publishes is its rules applied to the host's state and to what it
/// kept (an instantiated area's kept flag is its current one), compared with fresh models on a replica.
void CheckConvergence(World& world, std::string const& context)
{
    auto const configuration = world.configuration; // the threads are gone
    std::shared_ptr<Dynamic> const dynamic = world.dynamic.lock();
    std::shared_ptr<ModelTab> const modelTab = world.modelTab.lock();
    if (!configuration || !dynamic || !modelTab)
        return;
    ReferenceHost::CCommonAreas& areas = *world.areas;
    auto const caseModel = configuration->GetCaseRequiredAreasDataExchangeModel();
    auto const levels = caseModel->GetRequiredAreasArray().GetValues();
    BusinessLayer::CCaseRequiredAreasDataExchangeModelBase probe(nullptr);
    probe.UpdateDefaultActiveArea(levels);
    EXPECT_EQ(probe.GetDefaultActiveArea().Get(), caseModel->GetDefaultActiveArea().Get())
        << context << ": default area for case levels " << Print(levels);

    auto const keptFlags = [&](char const* model, std::vector<bool> const& flags)
    {
        for (std::size_t i = 0; i < Base::kAreaItemCount; ++i)
        {
            auto const object = areas.GetCommonArea(static_cast<EAreaItems>(i));
            EXPECT_TRUE(!object || (i < flags.size() && flags[i] == object->GetHasDataOrReco().GetValue()))
                << context << ": " << model << " keeps a stale flag of area " << i;
        }
        return flags;
    };
    auto const dynamicReplica =
        Replica(areas, keptFlags("dynamic", dynamic->GetHasDataOrRecoArray().GetValues()));
    BusinessLayer::CDynamicRequiredAreasBase freshDynamic(dynamicReplica);
    freshDynamic.SetRequiredAreasArray(caseModel->GetRequiredAreasArray());
    EXPECT_EQ(Print(freshDynamic.GetRequiredAreasArray().GetValues()),
              Print(dynamic->GetRequiredAreasArray().GetValues()))
        << context << ": dynamic required areas for case levels " << Print(levels);

    // Progress, the model tab's verdict and the state follow changes only: one more of each, on one thread.
    BusinessLayer::CReconstructionResultDataExchangeModel const freshResult(world.properties, world.areas);
    BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase const freshProgress(world.areas);
    float progressStep = 0.05f;
    for (std::size_t i = 0; i < Base::kAreaItemCount; ++i)
        if (auto const object = areas.GetCommonArea(static_cast<EAreaItems>(i)))
        {
            object->SetReconstructionProgress(progressStep += 0.05f);
            bool const hasData = object->GetHasDataOrReco().GetValue();
            object->SetHasDataOrReco(!hasData);
            object->SetHasDataOrReco(hasData);
            EImageProcessingProgress const state = object->GetImageProcessingProgress().GetValue();
            object->SetImageProcessingProgress(
                static_cast<EImageProcessingProgress>(state == EImageProcessingProgress{47} ? 48 : 47));
            object->SetImageProcessingProgress(state);
        }
    auto const modelTabReplica =
        Replica(areas, keptFlags("model tab", modelTab->GetHasDataArray().GetValues()));
    ReferenceHost::CIsModelTabAllowedDataExchangeModel freshModelTab(world.properties, modelTabReplica);
    freshModelTab.SetRequiredAreasArray(dynamic->GetRequiredAreasArray());
    EXPECT_EQ(freshModelTab.GetIsDataAvailable().Get(), modelTab->GetIsDataAvailable().Get()) << context;
    auto const allowed = [](Base::IIsModelTabAllowedDataExchangeModel const& model)
    { return model.GetIsModelTabAllowed().Get(); };
    EXPECT_EQ(allowed(freshModelTab), allowed(*modelTab)) << context;
    auto const result = configuration->GetTriangulationConfiguration();
    auto const progress = configuration->GetReconstructionProgressDataExchangeModel();
    // A model that never saw an area publishes None; one that saw them all go keeps its last state.
    EXPECT_TRUE(progressStep == 0.05f ||
                freshResult.GetReconstructionState().Get() == result->GetReconstructionState().Get())
        << context << ": reconstruction state";
    EXPECT_EQ(freshResult.GetReconstructionResultAutoSaved().Get(),
              result->GetReconstructionResultAutoSaved().Get())
        << context;
    EXPECT_EQ(freshProgress.GetReconstructionProgress().Get(), progress->GetReconstructionProgress().Get())
        << context;
    for (std::size_t i = 0; i < Base::kAreaItemCount; ++i)
        EXPECT_TRUE(!areas.IsAreaInstantiated(static_cast<EAreaItems>(i)) ||
                    freshProgress.GetReconstructionArea(static_cast<EAreaItems>(i)) ==
                        progress->GetReconstructionArea(static_cast<EAreaItems>(i)))
            << context << ": reconstruction area " << i;
}
} // namespace

using DataExchangeChaos = Orx2Test::CommandEnvironment;

TEST_F(DataExchangeChaos, EngineGuiAndTeardownAtOnceCrashNothingAndLeaveNothingStale)
{
    char const* const given = std::getenv("ORX2_CHAOS_SEED");
    std::uint64_t const seed = given ? std::strtoull(given, nullptr, 10) : std::random_device{}();
    FaultLog faults;
    Watchdog const watchdog("the chaos test, seed " + std::to_string(seed), kChaosTime + 60s);
    auto const start = std::chrono::steady_clock::now();
    for (std::uint64_t round = 0; round < kRounds && std::chrono::steady_clock::now() - start < kChaosTime;
         ++round)
    {
        std::string const context = "seed " + std::to_string(seed) + ", round " + std::to_string(round);
        Random roundRandom(seed + round * 7919);
        unsigned const fate = roundRandom() % 8; // 0: destroy the areas, 1: the properties, else rebuild
        World world;
        for (int i = 0; i < 4; ++i)
            world.areas->InstantiateArea(static_cast<EAreaItems>(roundRandom() % Base::kAreaItemCount));
        world.configuration = Build(world);
        std::atomic<int> enginesRunning{2};
        std::unique_ptr<Gui> gui;
        auto const engine = [&](std::uint64_t index)
        {
            Random random(seed ^ (round * 1000003 + index));
            for (std::uint64_t i = 0; i < kOperationsPerEngine; ++i)
                EngineOperation(world, random, faults);
            --enginesRunning;
        };
        auto const readAsTheGui = [&]
        {
            for (std::uint64_t bound = ~std::uint64_t{0}; enginesRunning > 0; std::this_thread::yield())
            {
                if (world.generation != bound)
                {
                    gui.reset();
                    bound = world.generation;
                    // The configuration is held while binding.
                    if (auto const configuration = std::atomic_load(&world.configuration))
                        gui = std::make_unique<Gui>(*configuration, faults);
                }
                if (gui)
                    gui->readAll();
            }
        };
        auto const tearDown = [&]
        {
            Random random(seed ^ (round * 7 + 3));
            while (enginesRunning > 0)
            {
                std::this_thread::sleep_for(std::chrono::microseconds(200 + random() % 3000));
                if (fate == 1)
                    std::atomic_store(&world.properties, {});
                else if (fate == 0) // the entity model shares the areas: they go with the configuration
                    std::atomic_store(&world.areas, {});
                std::atomic_store(&world.configuration, {});
                ++world.generation;
                faults.Guard("build", [&] { std::atomic_store(&world.configuration, Build(world)); });
                ++world.generation;
            }
        };
        RunThreads(4, [&](unsigned i) { i < 2 ? engine(i) : i == 2 ? readAsTheGui() : tearDown(); });
        EXPECT_EQ(0u, faults.Count()) << context << ": " << faults.First();
        if (fate > 1)
            CheckConvergence(world, context);
        if (::testing::Test::HasFailure())
            break;
    }
}

// One thread sets an area's optimisation float, another its count, in lockstep: both start step i
// together, and once both are done the entry must hold i and i. An update that writes back a pair read
// before the other thread changed it loses one of them.
TEST(AreaModelsStress, OptimizationFloatOrCountLostUnderConcurrentUpdates)
{
    Watchdog const watchdog("AreaModelsStress.OptimizationFloatOrCountLostUnderConcurrentUpdates");
    auto const areas = std::make_shared<ReferenceHost::CCommonAreas>();
    areas->InstantiateArea(EAreaItems::LowerJaw);
    auto const lower = areas->GetCommonArea(EAreaItems::LowerJaw);
    BusinessLayer::CAreaOptimizationStateDataExchangeModel model(areas);
    Budget budget(Scaled(20'000, 2'000));
    std::atomic<std::uint64_t> arrivals{0};
    // Both threads arrive at `barrier`; false when the test is stopping.
    auto const meet = [&](std::uint64_t barrier)
    {
        arrivals.fetch_add(1);
        while (arrivals.load() < 2 * barrier && !budget.Stopped())
            std::this_thread::yield();
        return !budget.Stopped();
    };
    Orx2Test::ScopedThread const counts(
        [&]
        {
            for (std::uint32_t i = 1; meet(2 * i - 1); ++i)
            {
                lower->SetOptimizationCount(i);
                if (!meet(2 * i))
                    break;
            }
        });
    for (std::uint32_t i = 1;; ++i)
    {
        if (!budget.Take() || !meet(2 * i - 1))
            break;
        lower->SetOptimizationFloat(static_cast<float>(i));
        if (!meet(2 * i))
            break;
        auto const state = model.GetAreaOptimizationStateArray().GetAt(0).value();
        if (state.value != static_cast<float>(i) || state.count != i)
        {
            ADD_FAILURE() << "step " << i << ": value " << state.value << ", count " << state.count;
            budget.Stop();
        }
    }
    ReportBudget("steps", budget);
}

// Results of two areas arrive on two threads; whichever came last saw the other area complete, so the
// overall state ends complete with both last results.
TEST(AreaModelsStress, ResultsOnTwoThreadsEndIncompleteOrWithAStaleResult)
{
    Watchdog const watchdog("AreaModelsStress.ResultsOnTwoThreadsEndIncompleteOrWithAStaleResult");
    auto const properties = std::make_shared<ReferenceHost::CAcquisitionProperties>();
    auto const areas = std::make_shared<ReferenceHost::CCommonAreas>();
    areas->InstantiateArea(EAreaItems::LowerJaw);
    areas->InstantiateArea(EAreaItems::UpperJaw);
    BusinessLayer::CReconstructionResultDataExchangeModel model(properties, areas);
    std::vector<DataLayer::CReconstructionResult> finals(2);
    RunThreads(2,
               [&](unsigned index)
               {
                   for (std::size_t i = 1; i <= Scaled(5'000, 500); ++i)
                   {
                       finals[index] = DataLayer::CReconstructionResult(
                           std::make_shared<Geometry::CTriangulation const>(i));
                       areas->GetCommonArea(index == 0 ? EAreaItems::LowerJaw : EAreaItems::UpperJaw)
                           ->SetReconstructionResult(finals[index]);
                   }
               });
    EXPECT_EQ(BusinessLayer::CReconstructionResultDataExchangeModel::EReconstructionState::Complete,
              model.GetReconstructionState().Get());
    EXPECT_EQ(finals, model.GetTriangulationArray().GetValues());
}
