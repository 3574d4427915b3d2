// The data exchange models as the engine, the GUI and the host's teardown use them at once: two engine
// threads change the reference host at random, a GUI re-reads every model on each PropertyChanged and
// mirrors the published arrays while holding the models only weakly, and a third thread destroys the
// configuration or host objects at random moments. Each round ends, once the host is quiet, with every
// model compared with fresh models built on the same host state. Random but seeded: the seed is printed,
// and ORX2_CHAOS_SEED replays it.
#include "businesslayer/common/cbuccalregistrationresultdataexchangemodelbase.h"
#include "businesslayer/common/ccaserequiredareasdataexchangemodelbase.h"
#include "businesslayer/common/ccommondataexchangeconfiguration.h"
#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"
#include "businesslayer/common/cdynamicrequiredareasbase.h"
#include "businesslayer/common/creconstructionresultdataexchangemodel.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/carearegistrationinfo.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/cismodeltaballoweddataexchangemodel.h"
#include "reference_host/makestandaloneproperty.h"

#include "base/orx2basepool/cownerguard.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/foundation/jbsingleton.h"
#include "host/foundation/orxexception.h"
#include "stress/stresssupport.h"
#include "support/commandenvironment.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{
using namespace Orx2Stress;
using Base::EAreaItems;
using BusinessLayer::EImageProcessingProgress;
using Level = Base::ICaseRequiredAreasDataExchangeModel::EAreaRequirementLevel;
using State = Base::IReconstructionResultDataExchangeModel::EReconstructionState;
using Random = std::mt19937_64;

constexpr wchar_t const* kCaseCommand = L"CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel";

/// Rounds and operations of one run; a plain build does more, a sanitized one less, and no preset runs
/// longer than the time budget.
constexpr std::uint64_t kRounds = Scaled(40, 12);
constexpr std::uint64_t kEngineOperationsPerRound = Scaled(400, 120);
constexpr std::chrono::milliseconds kChaosTimeBudget =
    kSanitized ? std::chrono::milliseconds(8000) : std::chrono::milliseconds(4000);

std::string Print(std::vector<Level> const& levels)
{
    std::string text;
    for (Level const level : levels)
        text += static_cast<char>('0' + static_cast<int>(level));
    return text;
}

EAreaItems AnyArea(Random& random)
{
    return static_cast<EAreaItems>(random() % Base::kAreaItemCount);
}

/// What a thread is doing, for the watchdog's report of a hang.
struct ThreadState
{
    char const* name = "";
    std::atomic<char const*> doing{"not started"};
    std::atomic<std::uint64_t> operations{0};
};

/// Turns a hang into a failure: prints the seed, the round and every thread's state, then aborts.
class ChaosWatchdog
{
public:
    ChaosWatchdog(std::uint64_t seed, std::atomic<std::uint64_t> const& round,
                  std::vector<ThreadState*> threads)
        : m_thread(
              [this, seed, &round, threads]
              {
                  std::unique_lock<std::mutex> lock(m_mutex);
                  if (m_cv.wait_for(lock, kChaosTimeBudget + std::chrono::seconds(60),
                                    [this] { return m_done; }))
                      return;
                  std::fprintf(stderr, "chaos test hung: seed %llu, round %llu\n",
                               static_cast<unsigned long long>(seed),
                               static_cast<unsigned long long>(round.load()));
                  for (ThreadState const* state : threads)
                      std::fprintf(stderr, "  %-10s %-40s after %llu operations\n", state->name,
                                   state->doing.load(),
                                   static_cast<unsigned long long>(state->operations.load()));
                  std::fflush(stderr);
                  std::abort();
              })
    {
    }
    ChaosWatchdog(ChaosWatchdog const&) = delete;
    ChaosWatchdog& operator=(ChaosWatchdog const&) = delete;
    ~ChaosWatchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_cv.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_done = false;
    std::thread m_thread;
};

/// The host of one round and the configuration built on it. The destroying thread empties the slots at
/// random moments; everybody else copies a slot before use and lets go after.
struct World
{
    std::shared_ptr<ReferenceHost::CAcquisitionProperties> properties;
    std::shared_ptr<ReferenceHost::CCommonAreas> areas;
    std::shared_ptr<Base::IProperty<EAreaItems>> selectedArea;
    std::shared_ptr<BusinessLayer::CCommonDataExchangeConfiguration> configuration;
    std::atomic<std::uint64_t> generation{0}; // counts the changes of `configuration`

    /// The dynamic required areas of the current configuration, which holds them (it has no getter).
    std::shared_ptr<BusinessLayer::CDynamicRequiredAreasBase> GetDynamic() const
    {
        std::lock_guard<std::mutex> const lock(dynamicMutex);
        return dynamic.lock();
    }
    void SetDynamic(std::weak_ptr<BusinessLayer::CDynamicRequiredAreasBase> model)
    {
        std::lock_guard<std::mutex> const lock(dynamicMutex);
        dynamic = std::move(model);
    }
    mutable std::mutex dynamicMutex;
    std::weak_ptr<BusinessLayer::CDynamicRequiredAreasBase> dynamic;

    template <class T> static std::shared_ptr<T> Get(std::shared_ptr<T> const& slot)
    {
        return std::atomic_load(&slot);
    }
    template <class T> static void Put(std::shared_ptr<T>& slot, std::shared_ptr<T> value)
    {
        std::atomic_store(&slot, std::move(value));
    }
};

/// The host's setup code: the configuration with the models only the host builds, and the bindings.
std::shared_ptr<BusinessLayer::CCommonDataExchangeConfiguration> BuildConfiguration(World& world)
{
    auto const properties = World::Get(world.properties);
    auto const areas = World::Get(world.areas);
    if (!properties || !areas)
        return nullptr;
    auto configuration = std::make_shared<BusinessLayer::CCommonDataExchangeConfiguration>(
        properties, areas, World::Get(world.selectedArea));
    auto const dynamic = std::make_shared<BusinessLayer::CDynamicRequiredAreasBase>(areas);
    auto const modelTab =
        std::make_shared<ReferenceHost::CIsModelTabAllowedDataExchangeModel>(properties, areas);
    configuration->SetDynamicRequiredAreaDataExchangeModel(dynamic);
    configuration->SetIsModelTabAllowedDataExchangeModel(modelTab);
    dynamic->SetRequiredAreasArray(
        configuration->GetCaseRequiredAreasDataExchangeModel()->GetRequiredAreasArray());
    modelTab->SetRequiredAreasArray(dynamic->GetRequiredAreasArray());
    world.SetDynamic(dynamic);
    return configuration;
}

/// The GUI's view of one configuration: weak references only.
struct WeakModels
{
    std::weak_ptr<Base::IReconstructionResultDataExchangeModel> result;
    std::weak_ptr<Base::IIsModelTabAllowedDataExchangeModel> modelTab;
    std::weak_ptr<Base::ICaseRequiredAreasDataExchangeModel> caseModel;
    std::weak_ptr<Base::IBuccalRegistrationResultDataExchangeModel> buccal;
    std::weak_ptr<Base::IAreaRegistrationResultDataExchangeModel> registration;
    std::weak_ptr<Base::IAreaOptimizationStateDataExchangeModel> optimization;
    std::weak_ptr<Base::IAreaOcclusalDirectionDataExchangeModel> occlusal;
    std::weak_ptr<Base::IReconstructionProgressBarDataExchangeModel> progress;
    std::weak_ptr<Base::IIsRunningExceptReconstructionDataExchangeModel> running;
};

/// Faults seen by any thread; documented failures of direct queries on a model whose host objects are
/// gone are expected and counted apart.
struct Faults
{
    FaultLog log;
    std::atomic<std::uint64_t> documentedFailures{0};
    std::uint64_t seed = 0;

    void Unexpected(char const* where, std::string const& what) { log.Add(std::string(where) + ": " + what); }
};

bool IsDocumentedFailure(OrxException const& failure)
{
    std::string const what = failure.what();
    for (char const* message :
         {"The areas must be set", "Common Areas have been deleted before DataExchangeModel",
          "AcquisitionProperties have been deleted before DataExchangeModel",
          "The IsModelTabAllowedDEM must be set in the Builder"})
        if (what == message)
            return true;
    return false;
}

/// Runs a direct query or command of a model: its documented failures are fine, nothing else is.
template <class F> void Query(Faults& faults, char const* where, F&& query)
{
    try
    {
        query();
    }
    catch (OrxException const& failure)
    {
        if (IsDocumentedFailure(failure))
            ++faults.documentedFailures;
        else
            faults.Unexpected(where, failure.what());
    }
    catch (std::exception const& failure)
    {
        faults.Unexpected(where, failure.what());
    }
}

/// Runs a call of the host's own: a model's handler must never throw into it.
template <class F> void HostCall(Faults& faults, char const* where, F&& call)
{
    try
    {
        call();
    }
    catch (std::exception const& failure)
    {
        faults.Unexpected(where, std::string("escaped into the host: ") + failure.what());
    }
}

/// Reads everything the GUI shows of every model still alive.
void ReadEverything(WeakModels const& models, Faults& faults)
{
    if (auto const model = models.result.lock())
        Query(faults, "read result",
              [&]
              {
                  static_cast<void>(model->GetReconstructionState().Get());
                  static_cast<void>(model->GetReconstructionResultAutoSaved().Get());
                  static_cast<void>(model->GetTriangulationArray().GetValues());
                  static_cast<void>(model->GetReconstructionState(EAreaItems::LowerJaw));
              });
    if (auto const model = models.modelTab.lock())
    {
        static_cast<void>(model->GetIsModelTabAllowed().Get());
        static_cast<void>(model->GetIsDataAvailable().Get());
    }
    if (auto const model = models.caseModel.lock())
    {
        static_cast<void>(model->GetRequiredAreasArray().GetValues());
        static_cast<void>(model->GetDefaultActiveArea().Get());
    }
    if (auto const model = models.buccal.lock())
        Query(faults, "read buccal",
              [&]
              {
                  static_cast<void>(model->GetBuccalRegistrationResultToUpper().Get());
                  static_cast<void>(model->GetBuccalRegistrationResultToLower().Get());
                  static_cast<void>(model->GetBuccalRegistrationStrategyStatus().GetValue());
              });
    if (auto const model = models.registration.lock())
    {
        static_cast<void>(model->HasSuccessfulAreaRegistrations());
        static_cast<void>(model->AllAreaRegistrationsSuccessful());
        static_cast<void>(model->GetAreaRegistrationInfo(EAreaItems::UpperJaw));
    }
    if (auto const model = models.optimization.lock())
        static_cast<void>(model->GetAreaOptimizationStateArray().GetValues());
    if (auto const model = models.occlusal.lock())
        Query(faults, "read occlusal",
              [&] { static_cast<void>(model->GetOcclusalDirection(EAreaItems::LowerJaw)); });
    if (auto const model = models.progress.lock())
    {
        static_cast<void>(model->GetReconstructionProgress().Get());
        static_cast<void>(model->GetReconstructionProgressState().Get());
        for (std::size_t i = 0; i < Base::kAreaItemCount; ++i)
            static_cast<void>(model->GetReconstructionArea(static_cast<EAreaItems>(i)));
    }
    if (auto const model = models.running.lock())
        Query(faults, "read running",
              [&] { static_cast<void>(model->GetIsRunningExceptReconstructionBindingSource().GetValue()); });
}

/// The GUI bound to one configuration: a PropertyChanged reader on every model and mirrors of the
/// published arrays. Made and destroyed on the GUI thread; its handlers run on whichever thread changed
/// something.
class GuiBinding
{
public:
    GuiBinding(BusinessLayer::CCommonDataExchangeConfiguration const& configuration, Faults& faults)
    {
        m_models.result = configuration.GetTriangulationConfiguration();
        m_models.modelTab = configuration.GetIsModelTabAllowedDataExchangeModel();
        m_models.caseModel = configuration.GetCaseRequiredAreasDataExchangeModel();
        m_models.buccal = configuration.GetBuccalRegistrationResultDataExchangeModel();
        m_models.registration = configuration.GetAreaRegistrationResultDataExchangeModel();
        m_models.optimization = configuration.GetAreaOptimizationStateDataExchangeModel();
        m_models.occlusal = configuration.GetAreaOcclusalDirectionDataExchangeModel();
        m_models.progress = configuration.GetReconstructionProgressDataExchangeModel();
        m_models.running = configuration.GetIsRunningExceptReconstructionDataExchangeModel();
        WeakModels const models = m_models;
        auto const reread = [models, &faults] { ReadEverything(models, faults); };
        auto const connect = [&](Base::INotifyPropertyChanged const& model)
        {
            m_readers.push_back(
                model.GetPropertyChangedEventSignal().Connect(Base::MakeEventSignalHandler<void>(reread)));
        };
        connect(*configuration.GetTriangulationConfiguration());
        connect(*configuration.GetIsModelTabAllowedDataExchangeModel());
        connect(*configuration.GetCaseRequiredAreasDataExchangeModel());
        connect(*configuration.GetBuccalRegistrationResultDataExchangeModel());
        connect(*configuration.GetAreaRegistrationResultDataExchangeModel());
        connect(*configuration.GetReconstructionProgressDataExchangeModel());
        using Base::Binding::MakeFullArrayObserver;
        m_mirrors.push_back(MakeFullArrayObserver(
            configuration.GetCaseRequiredAreasDataExchangeModel()->GetRequiredAreasArray(),
            [this](std::vector<Level> const& levels) { m_caseMirror = levels; }));
        m_mirrors.push_back(MakeFullArrayObserver(
            configuration.GetTriangulationConfiguration()->GetTriangulationArray(), [](auto const&) {}));
        m_mirrors.push_back(MakeFullArrayObserver(
            configuration.GetAreaRegistrationResultDataExchangeModel()->GetAreaRegistrationInfoArray(),
            [](auto const&) {}));
    }

    WeakModels const& Models() const { return m_models; }
    /// The GUI's copy of the case levels (read after the engines have stopped).
    std::vector<Level> CaseMirror() const { return m_caseMirror; }

private:
    WeakModels m_models;
    std::vector<Base::CScopedEventSignalConnection> m_readers;
    std::vector<Level> m_caseMirror; // before the mirrors: written by their calls, which never overlap
    std::vector<Base::Binding::CObserver> m_mirrors;
};

/// One random change of the host, as an engine makes it. Returns what it did, for the watchdog.
char const* EngineOperation(World& world, Random& random, Faults& faults)
{
    auto const areas = World::Get(world.areas);
    auto const properties = World::Get(world.properties);
    if (!areas || !properties)
        return "idle: host gone";
    EAreaItems const area = AnyArea(random);
    std::shared_ptr<ReferenceHost::CCommonArea> const object = areas->GetCommonArea(area);
    switch (random() % 20)
    {
    case 0:
        HostCall(faults, "instantiate", [&] { areas->InstantiateArea(area); });
        return "instantiate area";
    case 1:
        HostCall(faults, "remove", [&] { areas->RemoveArea(area); });
        return "remove area";
    case 2:
    case 3:
        if (object)
            HostCall(faults, "has data", [&] { object->SetHasDataOrReco(random() % 2 == 0); });
        return "set has data";
    case 4:
    case 5:
        if (object)
            HostCall(faults, "progress",
                     [&] { object->SetReconstructionProgress(static_cast<float>(random() % 11) / 10.0f); });
        return "set progress";
    case 6:
        if (object)
            HostCall(faults, "processing",
                     [&] {
                         object->SetImageProcessingProgress(
                             static_cast<EImageProcessingProgress>(47 + random() % 4));
                     });
        return "set processing state";
    case 7:
        if (object)
            HostCall(faults, "result",
                     [&]
                     {
                         object->SetReconstructionResult(
                             random() % 3 == 0
                                 ? DataLayer::CReconstructionResult()
                                 : DataLayer::CReconstructionResult(
                                       std::make_shared<Geometry::CTriangulation const>(random() % 100)));
                     });
        return "set result";
    case 8:
        if (object)
            HostCall(faults, "contribution", [&] { object->SetContributesToModel(random() % 2 == 0); });
        return "set contribution";
    case 9:
        HostCall(faults, "registration",
                 [&]
                 {
                     using Status = BusinessLayer::IAreaRegistrationInfo::ERegistrationStatus;
                     areas->SetAreaRegistrationInfo(area,
                                                    std::make_shared<ReferenceHost::CAreaRegistrationInfo>(
                                                        static_cast<Status>(random() % 4)));
                 });
        return "set registration info";
    case 10:
        HostCall(faults, "treat as done",
                 [&] { properties->SetTreatReconstructionAsDone(random() % 4 == 0); });
        return "set treat as done";
    case 11:
        HostCall(faults, "buccal",
                 [&]
                 {
                     JbMatrix4Rd shift = JbMatrix4Rd::Identity();
                     shift(0, 3) = static_cast<double>(random() % 5);
                     areas->SetBuccalRegistrationResultToUpper(Base::CBuccalRegistrationResult(shift));
                     areas->SetBuccalRegistrationStrategyStatus(
                         static_cast<Base::EBuccalRegistrationStrategyStatus>(random() % 4));
                 });
        return "set buccal results";
    case 12:
        HostCall(faults, "running", [&] { areas->SetIsRunningExceptReconstruction(random() % 2 == 0); });
        return "set running";
    case 13:
    case 14:
    {
        // Full arrays only: a shorter one changes the levels and leaves the default area by design.
        std::vector<Level> levels(random() % 4 == 0 ? 20 : Base::kAreaItemCount);
        for (Level& level : levels)
            level = static_cast<Level>(random() % 3);
        if (random() % 2 == 0)
        {
            auto const command = std::dynamic_pointer_cast<Base::ICommand<std::vector<Level>>>(
                JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(kCaseCommand));
            if (command)
                HostCall(faults, "case command", [&] { command->Execute(levels); });
            return "execute the case command by name";
        }
        if (auto const configuration = World::Get(world.configuration))
            HostCall(
                faults, "case levels",
                [&]
                { configuration->GetCaseRequiredAreasDataExchangeModel()->SetRequiredAreasArray(levels); });
        return "set the case levels";
    }
    case 15:
        HostCall(faults, "data modified",
                 [&]
                 {
                     properties->SetDataModificationEnabled(random() % 3 != 0);
                     areas->FireDataModified();
                 });
        return "fire data modified";
    case 16:
        if (object)
            HostCall(faults, "optimisation",
                     [&] { object->SetOptimizationCount(static_cast<std::uint32_t>(random() % 9)); });
        return "set optimisation";
    default:
        break;
    }
    // Through the models, as the GUI's commands would.
    auto const configuration = World::Get(world.configuration);
    if (!configuration)
        return "idle: no configuration";
    if (random() % 2 == 0)
        Query(faults, "occlusal direction",
              [&]
              {
                  configuration->GetAreaOcclusalDirectionDataExchangeModel()->SetOcclusalDirection(
                      area, JbMatrix4Rf::Identity());
              });
    else
        Query(faults, "import",
              [&]
              {
                  configuration->GetTriangulationConfiguration()->SetImportedReconstructionResult(
                      area, std::make_shared<Geometry::CTriangulation const>(7));
              });
    return "use a model";
}

/// What a fresh set of models on the quiet host publishes, against what the storm's models publish.
void CheckConvergence(World& world, GuiBinding const* gui, std::string const& context)
{
    auto const configuration = World::Get(world.configuration);
    auto const areas = World::Get(world.areas);
    auto const properties = World::Get(world.properties);
    auto const dynamic = world.GetDynamic();
    if (!configuration || !areas || !properties || !dynamic)
        return;
    auto const caseModel = configuration->GetCaseRequiredAreasDataExchangeModel();
    auto const caseArray = caseModel->GetRequiredAreasArray().GetValues();
    if (gui)
    {
        EXPECT_EQ(Print(caseArray), Print(gui->CaseMirror()))
            << context << ": the GUI's mirror of the case levels";
    }
    if (caseArray.size() >= Base::kAreaItemCount)
    {
        BusinessLayer::CCaseRequiredAreasDataExchangeModelBase probe(nullptr);
        probe.UpdateDefaultActiveArea(caseArray);
        EXPECT_EQ(probe.GetDefaultActiveArea().Get(), caseModel->GetDefaultActiveArea().Get())
            << context << ": default area for case levels " << Print(caseArray);
    }

    // Fresh models, bound as the host binds them, following the same case levels.
    auto const freshDynamic = std::make_shared<BusinessLayer::CDynamicRequiredAreasBase>(areas);
    freshDynamic->SetRequiredAreasArray(caseModel->GetRequiredAreasArray());
    ReferenceHost::CIsModelTabAllowedDataExchangeModel freshModelTabObject(properties, areas);
    freshModelTabObject.SetRequiredAreasArray(freshDynamic->GetRequiredAreasArray());
    Base::IIsModelTabAllowedDataExchangeModel const& freshModelTab = freshModelTabObject; // the GUI's view
    BusinessLayer::CReconstructionResultDataExchangeModel const freshResult(properties, areas);
    BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase const freshProgress(areas);

    // Progress is only computed on changes: one more change of every instantiated area, on one thread.
    float progressStep = 0.05f;
    for (std::size_t i = 0; i < Base::kAreaItemCount; ++i)
        if (auto const object = areas->GetCommonArea(static_cast<EAreaItems>(i)))
        {
            object->SetReconstructionProgress(progressStep += 0.05f);
            bool const hasData = object->GetHasDataOrReco().GetValue();
            object->SetHasDataOrReco(!hasData);
            object->SetHasDataOrReco(hasData);
            EImageProcessingProgress const state = object->GetImageProcessingProgress().GetValue();
            object->SetImageProcessingProgress(state == EImageProcessingProgress::eORX_RUNNING
                                                   ? EImageProcessingProgress::eORX_OK
                                                   : EImageProcessingProgress::eORX_RUNNING);
            object->SetImageProcessingProgress(state);
        }

    EXPECT_EQ(Print(freshDynamic->GetRequiredAreasArray().GetValues()),
              Print(dynamic->GetRequiredAreasArray().GetValues()))
        << context << ": dynamic required areas for case levels " << Print(caseArray);
    auto const modelTab = configuration->GetIsModelTabAllowedDataExchangeModel();
    std::string hostState = "; instantiated areas (has data, contributes):";
    for (std::size_t i = 0; i < Base::kAreaItemCount; ++i)
        if (auto const object = areas->GetCommonArea(static_cast<EAreaItems>(i)))
            hostState += " " + std::to_string(i) + "(" +
                         std::to_string(object->GetHasDataOrReco().GetValue()) + "," +
                         std::to_string(object->GetContributesToModel().GetValue()) + ")";
    hostState += ", treated as done " +
                 std::to_string(properties->GetTreatReconstructionAsDone().GetValue()) + ", required " +
                 Print(freshDynamic->GetRequiredAreasArray().GetValues());
    EXPECT_EQ(freshModelTab.GetIsDataAvailable().Get(), modelTab->GetIsDataAvailable().Get())
        << context << hostState;
    EXPECT_EQ(freshModelTab.GetIsModelTabAllowed().Get(), modelTab->GetIsModelTabAllowed().Get())
        << context << hostState;
    auto const result = configuration->GetTriangulationConfiguration();
    bool anyInstantiated = false;
    for (std::size_t i = 0; i < Base::kAreaItemCount; ++i)
        anyInstantiated = anyInstantiated || areas->IsAreaInstantiated(static_cast<EAreaItems>(i));
    // A model that never saw an area publishes None; one that saw them all go keeps its last state.
    if (anyInstantiated)
    {
        EXPECT_EQ(freshResult.GetReconstructionState().Get(), result->GetReconstructionState().Get())
            << context;
    }
    EXPECT_EQ(freshResult.GetReconstructionResultAutoSaved().Get(),
              result->GetReconstructionResultAutoSaved().Get())
        << context;
    auto const progress = configuration->GetReconstructionProgressDataExchangeModel();
    EXPECT_EQ(freshProgress.GetReconstructionProgress().Get(), progress->GetReconstructionProgress().Get())
        << context;
    EXPECT_EQ(freshProgress.GetReconstructionProgressState().Get(),
              progress->GetReconstructionProgressState().Get())
        << context;
    for (std::size_t i = 0; i < Base::kAreaItemCount; ++i)
        EXPECT_EQ(freshProgress.GetReconstructionArea(static_cast<EAreaItems>(i)),
                  progress->GetReconstructionArea(static_cast<EAreaItems>(i)))
            << context << ", area " << i;
    auto const buccal = configuration->GetBuccalRegistrationResultDataExchangeModel();
    EXPECT_EQ(areas->GetBuccalRegistrationResultToUpper().Get(),
              buccal->GetBuccalRegistrationResultToUpper().Get())
        << context;
    EXPECT_EQ(areas->GetBuccalRegistrationStrategyStatus().GetValue(),
              buccal->GetBuccalRegistrationStrategyStatus().GetValue())
        << context;
    EXPECT_EQ(areas->GetIsRunningExceptReconstructionBindingSource().GetValue(),
              configuration->GetIsRunningExceptReconstructionDataExchangeModel()
                  ->GetIsRunningExceptReconstructionBindingSource()
                  .GetValue())
        << context;
}
} // namespace

class DataExchangeChaos : public Orx2Test::CommandEnvironment
{
};

TEST_F(DataExchangeChaos, EngineGuiAndTeardownAtOnceCrashNothingAndLeaveNothingStale)
{
    std::uint64_t seed = std::random_device{}();
    if (char const* const given = std::getenv("ORX2_CHAOS_SEED"))
        seed = std::strtoull(given, nullptr, 10);
    std::cout << "[ chaos    ] seed " << seed << " (ORX2_CHAOS_SEED=" << seed << " replays it)\n";
    Faults faults;
    faults.seed = seed;

    ThreadState engineA, engineB, guiState, destroyerState;
    engineA.name = "engine 1";
    engineB.name = "engine 2";
    guiState.name = "GUI";
    destroyerState.name = "destroyer";
    std::atomic<std::uint64_t> round{0};
    ChaosWatchdog const watchdog(seed, round, {&engineA, &engineB, &guiState, &destroyerState});

    std::uint64_t rounds = 0;
    std::uint64_t engineOperations = 0;
    std::uint64_t rebuilds = 0;
    std::uint64_t hostDestructions = 0;
    std::uint64_t convergenceChecks = 0;
    auto const start = std::chrono::steady_clock::now();
    for (; rounds < kRounds && std::chrono::steady_clock::now() - start < kChaosTimeBudget; ++rounds)
    {
        round = rounds;
        std::string const context = "seed " + std::to_string(seed) + ", round " + std::to_string(rounds);
        Random roundRandom(seed + rounds * 7919);
        // Most rounds keep the host and rebuild the configuration; some destroy a host object.
        enum class EFate
        {
            RebuildConfiguration,
            DestroyAreas,
            DestroyProperties
        };
        std::uint64_t const fateDraw = roundRandom() % 8;
        EFate const fate = fateDraw == 0   ? EFate::DestroyAreas
                           : fateDraw == 1 ? EFate::DestroyProperties
                                           : EFate::RebuildConfiguration;

        World world;
        world.properties = std::make_shared<ReferenceHost::CAcquisitionProperties>();
        world.areas = std::make_shared<ReferenceHost::CCommonAreas>();
        world.selectedArea = ReferenceHost::MakeStandaloneProperty(EAreaItems::LowerJaw);
        for (std::size_t i = 0; i < 4; ++i)
            world.areas->InstantiateArea(AnyArea(roundRandom));
        world.configuration = BuildConfiguration(world);

        std::atomic<int> enginesRunning{2};
        std::atomic<std::uint64_t> operations{0};
        std::unique_ptr<GuiBinding> gui;
        std::uint64_t guiGeneration = 0;
        {
            auto const engine = [&](ThreadState& state, std::uint64_t salt)
            {
                Random random(seed ^ (rounds * 1000003 + salt));
                for (std::uint64_t i = 0; i < kEngineOperationsPerRound; ++i)
                {
                    state.doing = EngineOperation(world, random, faults);
                    ++state.operations;
                    ++operations;
                }
                state.doing = "done";
                --enginesRunning;
            };
            std::thread first(engine, std::ref(engineA), 1);
            std::thread second(engine, std::ref(engineB), 2);
            std::thread guiThread(
                [&]
                {
                    std::uint64_t boundGeneration = ~std::uint64_t{0};
                    while (enginesRunning.load() > 0)
                    {
                        std::uint64_t const generation = world.generation.load();
                        if (generation != boundGeneration)
                        {
                            guiState.doing = "bind to a configuration";
                            gui.reset();
                            boundGeneration = generation;
                            guiGeneration = generation;
                            // Held only while binding: from here the GUI holds the models weakly.
                            if (auto const configuration = World::Get(world.configuration))
                                gui = std::make_unique<GuiBinding>(*configuration, faults);
                        }
                        guiState.doing = "re-read every model";
                        if (gui)
                            ReadEverything(gui->Models(), faults);
                        ++guiState.operations;
                        std::this_thread::yield();
                    }
                    guiState.doing = "done";
                });
            std::thread destroyer(
                [&]
                {
                    Random random(seed ^ (rounds * 7 + 3));
                    while (enginesRunning.load() > 0)
                    {
                        std::this_thread::sleep_for(std::chrono::microseconds(200 + random() % 3000));
                        if (enginesRunning.load() == 0)
                            break;
                        ++destroyerState.operations;
                        if (fate == EFate::RebuildConfiguration)
                        {
                            destroyerState.doing = "destroy the configuration";
                            World::Put(world.configuration, {});
                            ++world.generation;
                            destroyerState.doing = "build a configuration";
                            try
                            {
                                World::Put(world.configuration, BuildConfiguration(world));
                                ++world.generation;
                            }
                            catch (std::exception const& failure)
                            {
                                faults.Unexpected("build a configuration", failure.what());
                            }
                            ++rebuilds;
                        }
                        else
                        {
                            destroyerState.doing = "destroy a host object";
                            if (fate == EFate::DestroyAreas)
                            {
                                // The entity collection model shares the areas: they go with the
                                // configuration, whose models the GUI may still be reading.
                                World::Put(world.areas, {});
                                World::Put(world.configuration, {});
                                ++world.generation;
                            }
                            else
                            {
                                World::Put(world.properties, {});
                            }
                            ++hostDestructions;
                            break;
                        }
                    }
                    destroyerState.doing = "done";
                });
            first.join();
            second.join();
            guiThread.join();
            destroyer.join();
        }
        engineOperations += operations.load();
        EXPECT_EQ(0u, faults.log.Count()) << context << ": " << faults.log.First();
        if (faults.log.Count() != 0)
            break;
        if (fate == EFate::RebuildConfiguration)
        {
            CheckConvergence(world, guiGeneration == world.generation.load() ? gui.get() : nullptr, context);
            ++convergenceChecks;
        }
        gui.reset();
        if (::testing::Test::HasFailure())
            break;
    }
    Report("chaos rounds", rounds);
    Report("chaos engine operations", engineOperations);
    Report("chaos configuration rebuilds", rebuilds);
    Report("chaos host destructions", hostDestructions);
    Report("chaos convergence checks", convergenceChecks);
    Report("chaos documented failures", faults.documentedFailures.load());
    EXPECT_GT(rounds, 0u);
}
