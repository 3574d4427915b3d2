// orx2-sim: plays a scan session through the reference host and shows it as the GUI would see it.
// Everything it does is in the engine library; this file reads the command line and picks the input.
#include "engine/builtinsession.h"
#include "engine/cpromptsession.h"
#include "engine/cscenarioreader.h"
#include "engine/csiminputerror.h"
#include "engine/csimprinter.h"
#include "engine/csimulator.h"
#include "engine/simtext.h"
#include "engine/storm/cstorm.h"
#include "session/csessionfile.h"

#include <CLI/CLI.hpp>
#include <readline/history.h>
#include <readline/readline.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <string>

namespace
{
using namespace Orx2Sim;

constexpr int kExitPassed = 0;
constexpr int kExitFailed = 1;
constexpr int kExitBadInput = 2;

struct SOptions
{
    std::string scenario;
    bool json = false;
    bool snapshot = false;
    bool quiet = false;
    bool interactive = false;
    std::string record;
    std::string replay;
    unsigned repeat = 1;
    bool noRender = false;
    std::string colour = "auto";
    bool vocabulary = false;
    double stormSeconds = 0.0;
    std::uint64_t stormSeed = 0;
    std::string stormThreads;
};

// Readline's completion asks through plain functions; the prompt's simulator is reached from here.
CSimulator const* g_completionSimulator = nullptr;

char* CompletionCandidate(char const* text, int state)
{
    static std::vector<std::string> candidates;
    static std::size_t next = 0;
    if (state == 0)
    {
        std::string const line(rl_line_buffer, static_cast<std::size_t>(rl_point));
        std::vector<std::string> before = CPromptSession::SplitWords(line);
        if (!before.empty() && !line.empty() && line.back() != ' ')
            before.pop_back(); // the word being typed
        candidates = g_completionSimulator->Complete(before, text);
        next = 0;
    }
    return next < candidates.size() ? strdup(candidates[next++].c_str()) : nullptr;
}

char** Completion(char const* text, int, int)
{
    rl_attempted_completion_over = 1; // no file names
    return rl_completion_matches(text, CompletionCandidate);
}

/// Reads a line at the prompt: with line editing, history and completion on a terminal.
std::optional<std::string> ReadLine(bool terminal)
{
    if (terminal)
    {
        std::unique_ptr<char, decltype(&std::free)> line(readline("orx2-sim> "), &std::free);
        if (!line)
            return std::nullopt;
        if (*line)
            add_history(line.get());
        return std::string(line.get());
    }
    std::string line;
    if (!std::getline(std::cin, line))
        return std::nullopt;
    return line;
}

int RunInteractive(CSimulator& simulator, CSimPrinter& printer, SRunSummary& summary)
{
    bool const terminal = isatty(STDIN_FILENO) != 0;
    if (terminal)
    {
        g_completionSimulator = &simulator;
        rl_attempted_completion_function = Completion;
        printer.PrintMessage("Type a step (help lists them), Tab completes, quit ends.");
    }
    CPromptSession prompt(simulator, printer);
    while (auto const line = ReadLine(terminal))
        if (!prompt.HandleLine(*line))
            break;
    g_completionSimulator = nullptr;
    summary.steps += prompt.GetStepCount();
    summary.expectations += prompt.GetExpectationCount();
    summary.failures += prompt.GetFailureCount();
    return 0;
}

void PrintVocabulary(CSimulator& simulator)
{
    std::cout << "steps (scenario \"step\" and its arguments; the prompt takes them in this order):\n";
    CSimPrinter printer(std::cout, EOutputMode::Text, false);
    CPromptSession help(simulator, printer);
    help.HandleLine("help");
    std::cout << "\nproperties (\"expect\" names):\n";
    help.HandleLine("properties");
    std::cout << "\ncommands (\"execute\" names):\n";
    help.HandleLine("commands");
}

int Run(SOptions const& options)
{
    EOutputMode const mode = options.json    ? EOutputMode::JsonLines
                             : options.quiet ? EOutputMode::Quiet
                                             : EOutputMode::Text;
    bool const colour =
        options.colour == "always" || (options.colour == "auto" && isatty(STDOUT_FILENO) != 0);
    bool const render = !options.noRender;
    CSimPrinter printer(std::cout, render ? mode : EOutputMode::Quiet, colour);
    printer.SetSnapshots(options.snapshot);

    // What to play: a file, a replay, nothing before the prompt, or the built-in session.
    SScenario scenario;
    try
    {
        if (!options.scenario.empty())
            scenario = CScenarioReader::ReadFile(options.scenario);
        else if (!options.replay.empty())
        {
            scenario.file = options.replay;
            scenario.name = "replay of " + options.replay;
            SScenarioStep replay;
            replay.kind = "replay";
            replay.arguments = {{"file", options.replay}};
            scenario.steps.push_back(replay);
        }
        else if (!options.interactive)
            scenario = CScenarioReader::Parse(BuiltInSession(), "built-in session", ".");
        if (scenario.name.empty())
            scenario.name =
                options.interactive && options.scenario.empty() ? "interactive session" : scenario.file;
    }
    catch (CSimInputError const& error)
    {
        std::cerr << "orx2-sim: " << error.what() << '\n';
        return kExitBadInput;
    }

    SRunSummary summary;
    summary.scenario = scenario.name;
    // The figures of --repeat: playing the steps, and start-up with shut-down, measured apart.
    std::chrono::steady_clock::duration playing{};
    std::chrono::steady_clock::duration starting{};
    std::uint64_t events = 0;
    for (unsigned iteration = 0; iteration < options.repeat; ++iteration)
    {
        auto const startUp = std::chrono::steady_clock::now();
        auto simulator = std::make_unique<CSimulator>(render);
        starting += std::chrono::steady_clock::now() - startUp;
        if (options.vocabulary)
        {
            PrintVocabulary(*simulator);
            return kExitPassed;
        }
        std::vector<SCompiledStep> steps;
        try
        {
            steps = simulator->Compile(scenario);
        }
        catch (CSimInputError const& error)
        {
            std::cerr << "orx2-sim: " << error.what() << '\n';
            return kExitBadInput;
        }
        printer.PrintStartup(simulator->TakeStartupEvents(), *simulator);
        std::uint64_t const eventsBefore = simulator->GetEventCount();
        auto const playStart = std::chrono::steady_clock::now();
        for (std::size_t index = 0; index < steps.size(); ++index)
        {
            SStepResult const result = simulator->Play(steps[index]);
            summary.expectations += result.expectations.size();
            summary.failures +=
                printer.PrintStep(index + 1, steps.size(), scenario.file, steps[index], result, *simulator);
        }
        playing += std::chrono::steady_clock::now() - playStart;
        summary.steps += steps.size();
        if (options.interactive)
            RunInteractive(*simulator, printer, summary);
        events += simulator->GetEventCount() - eventsBefore;
        if (iteration + 1 == options.repeat && !options.record.empty())
        {
            try
            {
                CSessionFile::Write(options.record, simulator->GetRecords());
            }
            catch (CSessionFileError const& error)
            {
                std::cerr << "orx2-sim: " << options.record << ": " << error.what() << '\n';
                return kExitBadInput;
            }
        }
        auto const shutDown = std::chrono::steady_clock::now();
        simulator.reset();
        starting += std::chrono::steady_clock::now() - shutDown;
    }
    summary.events = events;

    CSimPrinter closing(std::cout, mode, colour);
    closing.PrintSummary(summary);
    if (options.repeat > 1 || options.noRender)
    {
        double const seconds = std::chrono::duration<double>(playing).count();
        double const startSeconds = std::chrono::duration<double>(starting).count();
        char figures[300];
        std::snprintf(figures, sizeof figures,
                      "%u session(s), %llu events in %.3f s of playing: %.0f events/s, %.0f ns/event; "
                      "start-up and shut-down %.0f us per session",
                      options.repeat, static_cast<unsigned long long>(events), seconds,
                      seconds > 0 ? static_cast<double>(events) / seconds : 0.0,
                      events > 0 ? seconds * 1e9 / static_cast<double>(events) : 0.0,
                      startSeconds * 1e6 / options.repeat);
        closing.PrintMessage(figures);
        if (mode == EOutputMode::Quiet)
            std::cout << figures << '\n';
    }
    return summary.failures == 0 ? kExitPassed : kExitFailed;
}
/// The command line: its options, the storm or the session, and the exit status.
int RunCommandLine(int argc, char** argv)
{
    SOptions options;
    CLI::App app{
        "orx2-sim: a scan session played through the reference host, shown as the GUI sees it.\n"
        "Without arguments it plays the built-in session. Exit status: 0 passed, 1 an expectation or "
        "step failed, 2 bad input (nothing was run)."};
    app.add_option("scenario", options.scenario,
                   "a scenario file (JSON) to play instead of the built-in session");
    auto* json = app.add_flag("--json", options.json, "write one JSON object per line instead of the screen");
    app.add_flag("--quiet", options.quiet, "print only failures and the summary")->excludes(json);
    app.add_flag("--snapshot", options.snapshot,
                 "with --json: after each screen, a snapshot of every described member of the GUI "
                 "configuration's view models and of the data exchange models")
        ->needs(json);
    app.add_flag("--interactive,-i", options.interactive,
                 "a prompt with the step vocabulary after the scenario (if any); quit ends");
    app.add_option("--record", options.record, "write the serializable executions to this session file");
    auto* replay =
        app.add_option("--replay", options.replay, "replay this session file through \"common.Replay\"");
    app.add_option("--repeat", options.repeat, "play the session this many times and print events per second")
        ->check(CLI::Range(1u, 1000000u));
    app.add_flag("--no-render", options.noRender, "do not draw (with --repeat: measure)");
    app.add_option("--color", options.colour, "colour the screen: auto (on a terminal), always, never")
        ->check(CLI::IsMember({"auto", "always", "never"}));
    app.add_flag("--vocabulary", options.vocabulary, "list the steps, the named properties and the commands");
    replay->excludes(app.get_option("scenario"));
    auto* storm = app.add_option("--storm", options.stormSeconds,
                                 "play a storm of engine, GUI and teardown threads for SECONDS, then check the "
                                 "screen; exit status 1 on a finding");
    storm->excludes(replay)->excludes(app.get_option("scenario"))->excludes("--interactive")->excludes("--record");
    auto* seed = app.add_option("--seed", options.stormSeed, "the storm's seed (random and printed by default)")
                     ->needs(storm);
    app.add_option("--threads", options.stormThreads,
                   "the storm's threads as KIND=COUNT,...: engine (1 to 8, default 2), gui and teardown (0 or "
                   "1, default 1)")
        ->needs(storm);
    bool plantStaleLock = false;
    app.add_flag("--plant-stale-lock", plantStaleLock,
                 "for testing the storm's checks: a lock-GUI view model left showing a lock, which they must find")
        ->needs(storm);
    try
    {
        app.parse(argc, argv);
    }
    catch (CLI::ParseError const& error)
    {
        int const status = app.exit(error);
        return status == 0 ? 0 : kExitBadInput;
    }
    if (storm->count() > 0)
    {
        SStormOptions stormOptions;
        stormOptions.seconds = options.stormSeconds;
        stormOptions.seed = seed->count() > 0 ? options.stormSeed : std::random_device{}();
        stormOptions.plantStaleLock = plantStaleLock;
        try
        {
            if (!(options.stormSeconds > 0.0))
                throw std::invalid_argument("--storm takes a positive number of seconds, not " +
                                            storm->as<std::string>());
            stormOptions.ParseThreads(options.stormThreads);
        }
        catch (std::invalid_argument const& error)
        {
            std::cerr << "orx2-sim: " << error.what() << '\n';
            return kExitBadInput;
        }
        return RunStorm(stormOptions, std::cout) == 0 ? kExitPassed : kExitFailed;
    }
    return Run(options);
}
} // namespace

// Whatever throws (a session, the storm, a thread that cannot start) ends the run with a message and
// status 1, never with an abort.
int main(int argc, char** argv)
{
    try
    {
        return RunCommandLine(argc, argv);
    }
    catch (std::exception const& error)
    {
        std::cerr << "orx2-sim: " << error.what() << '\n';
        return kExitFailed;
    }
    catch (...)
    {
        std::cerr << "orx2-sim: an exception of unknown type\n";
        return kExitFailed;
    }
}
