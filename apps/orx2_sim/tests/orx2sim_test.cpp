// The simulator as its users meet it: the program's exit statuses and messages, the stored picture of
// one step, record and replay across processes, the prompt on standard input; and the engine's
// completion of words at the prompt.
#include "engine/ccommandsignatures.h"
#include "engine/cpropertycatalog.h"
#include "engine/csimhost.h"
#include "engine/csimulator.h"
#include "engine/modules/ckeysmodule.h"
#include "engine/simmodules.h"
#include "session/csessionfile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
using Orx2Sim::Json;
namespace fs = std::filesystem;

std::string const kTests = ORX2_SIM_TESTS;

std::string ReadText(fs::path const& path)
{
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

void WriteText(fs::path const& path, std::string const& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool Contains(std::string const& text, std::string const& part)
{
    return text.find(part) != std::string::npos;
}

struct SRun
{
    int status = -1;
    std::string out;
    std::string err;
};

class Orx2Sim_ : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("orx2_sim_test_" + std::to_string(getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    /// Runs the program with `arguments` (a shell word list) and `input` on standard input.
    SRun Run(std::string const& arguments, std::string const& input = "") const
    {
        WriteText(m_dir / "in", input);
        std::string const command = std::string("'") + ORX2_SIM_BINARY + "' " + arguments + " <'" +
                                    (m_dir / "in").string() + "' >'" + (m_dir / "out").string() + "' 2>'" +
                                    (m_dir / "err").string() + "'";
        int const raw = std::system(command.c_str());
        SRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadText(m_dir / "out");
        run.err = ReadText(m_dir / "err");
        return run;
    }

    fs::path m_dir;
};

TEST_F(Orx2Sim_, TheScreenOfAFixedStepMatchesTheStoredPicture)
{
    SRun const run = Run("--color never '" + kTests + "/screen_step.json'");
    ASSERT_EQ(0, run.status) << run.err;
    std::size_t const begin = run.out.find("==== step 11/11");
    std::size_t const end = run.out.find("-- TIMELINE", begin);
    ASSERT_NE(std::string::npos, end) << run.out;
    std::string const picture = run.out.substr(begin, end - begin);
    fs::path const stored = kTests + "/screen_step.txt";
    if (std::getenv("ORX2_SIM_UPDATE_PICTURE") != nullptr)
        WriteText(stored, picture);
    EXPECT_EQ(ReadText(stored), picture) << "set ORX2_SIM_UPDATE_PICTURE=1 to store the new picture";
}

/// What a --json run showed: the command-stream entries of serializable commands, the values changed with
/// and without notice ("source property"), the screens and the snapshots.
struct SJsonRun
{
    std::vector<std::string> names;
    std::vector<std::uint32_t> ids;
    std::vector<std::string> unnumbered; // entries without an execution id
    std::vector<std::string> notes;
    std::set<std::string> notified, unnotified;
    std::size_t screens = 0;
    Json lastScreen;
    std::vector<Json> snapshots;
};

SJsonRun ParseJsonLines(std::string const& text, int onlyStep = -1)
{
    SJsonRun run;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
    {
        Json const item = Json::parse(line);
        if (item.at("type") == "screen")
            ++run.screens, run.lastScreen = item.at("properties");
        if (item.at("type") == "snapshot")
            run.snapshots.push_back(item);
        if (item.at("type") != "event" || (onlyStep >= 0 && item.at("step") != onlyStep))
            continue;
        if (item.at("kind") == "note")
            run.notes.push_back(item.at("text").get<std::string>());
        if (item.at("kind") == "changed")
            for (auto const& change : item.at("changes").items())
                (item.at("event") == "Unnotified" ? run.unnotified : run.notified)
                    .insert(item.at("source").get<std::string>() + " " + change.key());
        if (item.at("kind") != "command")
            continue;
        if (item.at("executionId").is_null())
            run.unnumbered.push_back(item.at("command").get<std::string>());
        else
        {
            run.names.push_back(item.at("command").get<std::string>());
            run.ids.push_back(item.at("executionId").get<std::uint32_t>());
        }
    }
    return run;
}

TEST_F(Orx2Sim_, ARecordingReplaysInAFreshProcessToTheSameScreenAndItsJsonCarriesNotificationsAndSnapshots)
{
    std::string const session = (m_dir / "session.orx2s").string();
    SRun const recording = Run("--json --snapshot --record '" + session + "'");
    ASSERT_EQ(0, recording.status) << recording.err;
    SRun const replaying = Run("--json --replay '" + session + "'");
    ASSERT_EQ(0, replaying.status) << replaying.err;

    SJsonRun const recorded = ParseJsonLines(recording.out);
    SJsonRun const replayed = ParseJsonLines(replaying.out, 1);
    ASSERT_FALSE(recorded.names.empty());
    EXPECT_EQ(recorded.names, replayed.names);
    // Plain commands are not recorded: they run again inside the recorded steps that executed them.
    std::vector<std::string> unnumbered{"common.Replay"};
    unnumbered.insert(unnumbered.end(), recorded.unnumbered.begin(), recorded.unnumbered.end());
    EXPECT_EQ(unnumbered, replayed.unnumbered);
    ASSERT_EQ(recorded.ids.size(), replayed.ids.size());
    for (std::size_t index = 0; index < recorded.ids.size(); ++index)
        EXPECT_NE(recorded.ids[index], replayed.ids[index])
            << "execution " << index << " kept its recorded id";
    EXPECT_EQ(recorded.lastScreen, replayed.lastScreen);
    ASSERT_EQ(1u, replayed.notes.size());
    EXPECT_TRUE(
        Contains(replayed.notes[0], ": " + std::to_string(recorded.names.size()) + " executed, 0 refused"))
        << replayed.notes[0];

    // Described values arrive with their owners' notifications.
    EXPECT_TRUE(recorded.notified.count("LiveImage LiveImage.CrossHair")) << "a slot's view model";
    EXPECT_TRUE(recorded.notified.count("ReconstructionResult ReconstructionResult.ReconstructionState"))
        << "a model";
    // The per-area state follows the processing state silently.
    for (std::string const& name : recorded.unnotified)
        EXPECT_TRUE(Contains(name, ".AreaReconstructionState")) << name;

    // A snapshot follows each screen.
    ASSERT_EQ(recorded.screens, recorded.snapshots.size());
    Json const& first = recorded.snapshots.front();
    Json const& last = recorded.snapshots.back();
    Json const& lastScreen = recorded.lastScreen;
    // The session chooses the tool Trim in one of its steps: its item, a group member two levels down.
    EXPECT_EQ(false, first.at("gui").at("SidePanel").at("ToolsItems").at(0).at("Selected"));
    EXPECT_EQ(true, last.at("gui").at("SidePanel").at("ToolsItems").at(0).at("Selected"));
    EXPECT_EQ(lastScreen.at("LiveImage.CrossHair"), last.at("gui").at("LiveImage").at("CrossHair"));
    EXPECT_EQ(lastScreen.at("ReconstructionResult.ReconstructionState"),
              last.at("models").at("TriangulationConfiguration").at("ReconstructionState"));
    EXPECT_EQ(lastScreen.at("Area.LowerJaw.SelectedThumbnails").at(0), last.at("gui")
                                                                           .at("Area")
                                                                           .at("AreaItemViewModels")
                                                                           .at(0)
                                                                           .at("ThumbnailBar")
                                                                           .at("ThumbnailsArrayBindingSource")
                                                                           .at(1)
                                                                           .at("BitmapID"));
    EXPECT_TRUE(last.at("gui").at("ObjectList").is_null()) << "an empty slot";
}

std::string SessionBytes(std::vector<Orx2Sim::SSessionRecord> const& records)
{
    auto const bytes = Orx2Sim::CSessionFile::Encode(records);
    return std::string(bytes.begin(), bytes.end());
}

TEST_F(Orx2Sim_, BadInputIsRefusedWithFileLineAndReasonBeforeAnythingRuns)
{
    using Record = Orx2Sim::SSessionRecord;
    auto const steps = [](std::string const& text) { return "{\"steps\": [\n" + text + "\n]}"; };
    std::string const instantiate = "{\"step\": \"instantiate\", \"area\": \"LowerJaw\"},\n";
    std::string const validSession = SessionBytes({Record{L"Simulator.InstantiateArea", 1, {0, 0, 0, 0}},
                                                   Record{L"Simulator.SetHasData", 2, {0, 0, 0, 0, 1}}});
    std::string wrongVersion = validSession;
    wrongVersion[8] = 2;
    struct SRow
    {
        char const* name; // a row without content: the command line
        bool session;     // replayed with --replay, else played as a scenario
        std::string content;
        std::string message; // "{file}" stands for the input's path
    };
    std::vector<SRow> const rows = {
        {"malformed JSON", false, steps(instantiate + "{\"step\": \"data\" \"area\": \"LowerJaw\"}"),
         "{file}:3: malformed JSON"},
        {"not a scenario", false, "[1, 2]", "{file}:1: a scenario is a JSON object"},
        {"unknown step", false, steps(instantiate + "{\"step\": \"instanciate\", \"area\": \"UpperJaw\"}"),
         "{file}:3: step 2: unknown step 'instanciate'"},
        {"unknown area", false, steps("{\"step\": \"instantiate\", \"area\": \"LowerJw\"}"),
         "{file}:2: step 1: instantiate: unknown area 'LowerJw'"},
        {"area of another type", false, steps("{\"step\": \"instantiate\", \"area\": 3}"),
         "{file}:2: step 1: instantiate: 'area' must be an area name, not 3"},
        {"unknown argument", false, steps("{\"step\": \"data\", \"aera\": \"LowerJaw\"}"),
         "step 1: data: unknown argument 'aera'"},
        {"unknown command", false, steps("{\"step\": \"execute\", \"command\": \"common.Nothing\"}"),
         "step 1: execute: unknown command 'common.Nothing'"},
        {"wrong argument type", false,
         steps("{\"step\": \"data\", \"area\": \"LowerJaw\", \"value\": \"yes\"}"),
         "step 1: data: 'value' must be true or false, not \"yes\""},
        {"wrong command argument type", false,
         steps("{\"step\": \"execute\", \"command\": \"Simulator.InstantiateArea\", \"arguments\": [3]}"),
         "argument 1 must be an area name, not 3"},
        {"unknown property", false, steps("{\"expect\": {\"ModelTab.Allowed\": true}}"),
         "step 1: expect: unknown property 'ModelTab.Allowed'"},
        {"expected value of another type", false,
         steps("{\"expect\": {\"ModelTab.IsModelTabAllowed\": \"yes\"}}"),
         "ModelTab.IsModelTabAllowed is boolean"},
        {"missing session file in a scenario", false,
         steps("{\"step\": \"replay\", \"file\": \"missing.orx2s\"}"),
         "missing.orx2s: cannot be opened for reading"},
        {"foreign session file", true, "{\"steps\": []}\n", "{file}: not a session file"},
        {"session file of another version", true, wrongVersion, "{file}: format version 2 is not supported"},
        {"truncated session file", true, validSession.substr(0, validSession.size() - 2),
         "{file}: record 2: truncated"},
        {"undecodable arguments", true, SessionBytes({Record{L"Simulator.SetHasData", 7, {0, 0, 0, 0}}}),
         "{file}: record 1: Simulator.SetHasData: the arguments do not decode as (EAreaItems, bool)"},
        {"area out of range", true, SessionBytes({Record{L"Simulator.InstantiateArea", 7, {99, 0, 0, 0}}}),
         "record 1: Simulator.InstantiateArea: the arguments do not decode as (EAreaItems): area 99 is not a "
         "scan area"},
        {"unknown command in a session", true, SessionBytes({Record{L"No.Such.Command", 1, {}}}),
         "{file}: record 1: No.Such.Command: unknown command"},
        {"a name the session never creates", false,
         steps("{\"step\": \"execute\", \"command\": \"CThumbnailItemViewModelBase.Select_LowerJw_1\"}"),
         "{file}:2: step 1: execute: unknown command 'CThumbnailItemViewModelBase.Select_LowerJw_1'"},
        {"arguments a command the session creates does not take", false,
         steps("{\"step\": \"execute\", \"command\": \"CThumbnailItemViewModelBase.Select_LowerJaw_1\", "
               "\"arguments\": [1]}"),
         "step 1: execute: command 'CThumbnailItemViewModelBase.Select_LowerJaw_1' (): takes 0 argument(s)"},
        {"empty bitmap id", false,
         steps("{\"step\": \"select-thumbnail\", \"area\": \"LowerJaw\", \"bitmap\": \"\"}"),
         "step 1: select-thumbnail: 'bitmap' must not be empty"},
        {"a session's own command in a session file", true,
         SessionBytes({Record{L"CThumbnailItemViewModelBase.Select_LowerJaw_1", 1, {}}}),
         "{file}: record 1: CThumbnailItemViewModelBase.Select_LowerJaw_1: the command cannot be executed "
         "from serialized arguments"},
        {"--storm 0", false, "", "--storm takes a positive number of seconds, not 0"},
        {"--storm -2", false, "", "--storm takes a positive number of seconds, not -2"},
        {"--storm 1 --threads engine=2,ui=1", false, "",
         "--threads: unknown thread kind 'ui' (kinds: engine, gui, teardown)"},
        {"--storm 1 --threads engine=9", false, "", "--threads: engine takes 1 to 8 thread(s), not 9"},
        {"--storm 1 --threads gui", false, "", "--threads: 'gui' is not KIND=COUNT"},
        {"--storm 1 --replay x.orx2s", false, "", "--replay excludes --storm"},
        {"--seed 3", false, "", "--seed requires --storm"},
    };
    for (SRow const& row : rows)
    {
        std::string const file = (m_dir / (row.session ? "bad.orx2s" : "bad.json")).string();
        WriteText(file, row.content);
        std::string const input = (row.session ? "--replay '" : "'") + file + "'";
        SRun const run = Run(row.content.empty() ? row.name : input);
        std::string message = row.message;
        if (auto const at = message.find("{file}"); at != std::string::npos)
            message.replace(at, 6, file);
        EXPECT_EQ(2, run.status) << row.name;
        EXPECT_TRUE(Contains(run.err, message)) << row.name << ": " << run.err;
        EXPECT_EQ("", run.out) << row.name << ": something ran";
    }
}

TEST_F(Orx2Sim_, AStormReportsAPlantedFaultAndExitsWith1)
{
    SRun const run = Run("--storm 1 --seed 3 --plant-stale-lock");
    EXPECT_EQ(1, run.status) << run.out;
    EXPECT_TRUE(Contains(run.out, "the lock-GUI view model shows 1")) << run.out;
}

/// The text of step `index` of `total` in a text-mode run, up to the next step.
std::string StepText(std::string const& out, int index, int total)
{
    std::size_t const begin = out.find("==== step " + std::to_string(index) + "/" + std::to_string(total));
    std::size_t const end = out.find("==== step " + std::to_string(index + 1) + "/", begin);
    return begin == std::string::npos ? std::string() : out.substr(begin, end - begin);
}

// A failed expectation or step is reported with its file, line and step in text and in --quiet output
// alike, the run goes on and ends with status 1.
TEST_F(Orx2Sim_, FailedStepsExpectationsAndReplayedRecordsAreNamedAndSessionCommandsRunByNameWhileTheyLive)
{
    std::string const file = (m_dir / "failing_steps.json").string();
    fs::copy_file(kTests + "/failing_steps.json", file);
    WriteText(m_dir / "refused.orx2s", SessionBytes({{L"Simulator.SetHasData", 4, {1, 0, 0, 0, 1}},
                                                     {L"Simulator.InstantiateArea", 5, {1, 0, 0, 0}}}));
    SRun const quiet = Run("--quiet '" + file + "'");
    SRun const run = Run("--color never '" + file + "'");
    for (SRun const* const each : {&quiet, &run})
    {
        EXPECT_EQ(1, each->status) << each->err;
        for (char const* const failure :
             {":6: step 2/9 (data LowerJaw true): ReconstructionResult.ReconstructionState expected "
              "Complete, actual Incomplete\n",
              ":8: step 3/9 (execute CThumbnailItemViewModelBase.Select_LowerJaw_1): command "
              "'CThumbnailItemViewModelBase.Select_LowerJaw_1' is not registered now",
              ":13: step 8/9 (execute CThumbnailItemViewModelBase.Select_LowerJaw_1): command"})
            EXPECT_TRUE(Contains(each->out, "FAILED " + file + failure)) << failure << "\n" << each->out;
        EXPECT_FALSE(Contains(each->out, "ModelTab.IsDataAvailable expected")) << each->out;
        EXPECT_TRUE(Contains(each->out, "failing steps: 9 steps, 2 expectations, 4 failed")) << each->out;
    }

    std::string const selected = StepText(run.out, 5, 9);
    // What the selection shows, and that a tool action locks the GUI, are the scenarios' and the tool
    // action suite's; here the timeline's lines for them.
    for (char const* const line : {"#- CThumbnailItemViewModelBase.Select_LowerJaw_1",
                                   "Commands.GuiLocking  0 -> 1", "Commands.GuiLocking  1 -> 0"})
        EXPECT_TRUE(Contains(selected, line)) << line << "\n" << selected;
    std::string const toolAction = StepText(run.out, 6, 9);
    for (char const* const line : {"#- Sim.CToolActionViewModelBase.Command_2",
                                   "log             ORX2.CToolActionViewModelBase: Command  2\n"})
        EXPECT_TRUE(Contains(toolAction, line)) << line << "\n" << toolAction;
    EXPECT_FALSE(Contains(StepText(run.out, 7, 9), "Unnotified")) << "removing a selected thumbnail notifies";
    // The records after a refused one still run.
    for (char const* const line :
         {": 1 executed, 1 refused\n",
          "record 1 Simulator.SetHasData: execution failed: area UpperJaw is not instantiated",
          "UpperJaw         . . I ."})
        EXPECT_TRUE(Contains(run.out, line)) << line << "\n" << run.out;
}

TEST_F(Orx2Sim_, ThePromptPlaysStepsFromStandardInputUntilQuit)
{
    SRun const run = Run("--interactive --color never",
                         "help\ninstantiate LowerJaw\ndata LowerJaw\nexpect ModelTab.IsDataAvailable true\n"
                         "instantiate Nowhere\nbogus\nquit\ninstantiate UpperJaw\n");
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_TRUE(Contains(run.out, "  live-view status:CHOICE\n")) << "help lists the steps";
    EXPECT_TRUE(Contains(run.out, "==== step 2: data LowerJaw true")) << run.out;
    EXPECT_TRUE(Contains(run.out, "| > LowerJaw         . . I D  None")) << run.out;
    EXPECT_TRUE(Contains(run.out, "ok      ModelTab.IsDataAvailable = true")) << run.out;
    EXPECT_TRUE(Contains(run.out, "error: instantiate: unknown area 'Nowhere'")) << run.out;
    EXPECT_TRUE(Contains(run.out, "error: unknown step 'bogus'")) << run.out;
    EXPECT_FALSE(Contains(run.out, "UpperJaw           . . I")) << "a step after quit ran";
    EXPECT_TRUE(Contains(run.out, "interactive session: 3 steps, 1 expectations, 0 failed")) << run.out;
}

TEST(Orx2SimEngine, ThePromptCompletesStepsAreasCommandsChoicesAndProperties)
{
    Orx2Sim::CSimulator const simulator;
    struct SRow
    {
        std::vector<std::string> before;
        std::string prefix;
        std::vector<std::string> expected;
    };
    std::vector<SRow> const rows = {
        {{}, "ins", {"instantiate"}},
        {{"instantiate"}, "Low", {"LowerJaw"}},
        {{"prescribe", "LowerJaw"}, "Upp", {"UpperJaw"}},
        {{"data", "LowerJaw"}, "t", {"true"}},
        {{"data", "LowerJaw", "true"}, "", {}},
        {{"live-view"}, "S", {"Starting", "SearchingPosition"}},
        {{"execute"}, "CCase", {"CCaseRequiredAreasDataExchangeModelBase.UpdateAreaRequirementLevel"}},
        {{"execute"}, "common.Repl", {"common.ReplaceGeometryAtL0Level", "common.Replay"}},
        {{"expect"}, "ModelTab.", {"ModelTab.IsModelTabAllowed", "ModelTab.IsDataAvailable"}},
        {{"help"}, "rec", {"recover"}},
    };
    for (SRow const& row : rows)
        EXPECT_EQ(row.expected, simulator.Complete(row.before, row.prefix))
            << (row.before.empty() ? "" : row.before[0]) << " " << row.prefix;
}

TEST(Orx2SimEngine, AKeyIsACapitalADigitAFunctionKeyANumberOrANamedKeyAndNothingElse)
{
    using Orx2Sim::CKeysModule;
    std::pair<char const*, unsigned int> const good[] = {{"A", 'A'},      {"Z", 'Z'},   {"0", '0'},
                                                         {"9", '9'},      {"F1", 0x70}, {"F24", 0x87},
                                                         {"Space", 0x20}, {"13", 13}};
    for (auto const& [name, key] : good)
        EXPECT_EQ(CKeysModule::ParseKey(name), key) << name;
    for (char const* bad : {"a", "@", "[", "/", ":", "", "Fx", "F0", "F25", "1x", "Spaces"})
        EXPECT_FALSE(CKeysModule::ParseKey(bad).has_value()) << "'" << bad << "'";
}
} // namespace

// The storm's GUI declares a screen's values and connects to their sources a moment later, while a
// teardown may replace the area panel: the connections then reached the thumbnail bar that went.
TEST(Orx2SimEngine, ASourceConnectedAfterItsPanelWentFollowsThePanelTheSlotHoldsNow)
{
    Orx2Sim::CSimHost const host;
    auto const gui = host.MakeGuiConfiguration();
    auto panel = host.MakeAreaPanel();
    gui->GetAreaConfiguration().Set(panel->GetAreaViewModel());
    Orx2Sim::CPropertyCatalog catalog;
    Orx2Sim::DeclareScreen(catalog, Orx2Sim::SSimScreen{host, *gui});
    auto const next = host.MakeAreaPanel();
    gui->GetAreaConfiguration().Set(next->GetAreaViewModel());
    panel.reset();

    int notified = 0;
    std::vector<std::shared_ptr<void>> connections;
    for (auto const& source : catalog.GetSources())
        connections.push_back(source.subscribe([&notified] { ++notified; }));
    next->GetThumbnails(Base::EAreaItems::LowerJaw).Add(L"1", 1, CStringW(L"LowerJaw-1"));
    EXPECT_GT(notified, 0) << "the bar the slot holds now";
    EXPECT_EQ(Json::array({"LowerJaw-1"}), catalog.Find("Area.LowerJaw.Thumbnails")->read());
}
