#pragma once
#include "ccommandsignatures.h"
#include "cpropertycatalog.h"
#include "cpropertywatch.h"
#include "cscenarioreader.h"
#include "csessionreplay.h"
#include "csimhost.h"
#include "csimrecorder.h"
#include "cstepcatalog.h"
#include "ctimeline.h"
#include "isimmodule.h"

#include "base/orx2basepool/tvaluestreamobserver.h"
#include "host/logging/clogger.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Orx2Sim
{
/// A step checked against the vocabulary, ready to play.
struct SCompiledStep
{
    SScenarioStep written;
    SStepKind const* kind = nullptr; ///< null for a step that only checks expectations
    Json arguments;                  ///< every parameter, checked
    /// "data LowerJaw true", for headers and messages.
    std::string description;
};

/// One checked expectation.
struct SExpectationResult
{
    std::string property;
    Json expected;
    Json actual;
    bool passed = false;
};

/// What playing one step did.
struct SStepResult
{
    std::vector<STimelineEvent> events;
    std::vector<SExpectationResult> expectations;
    /// Why the step itself failed (a command threw), or empty.
    std::string error;
};

/// The simulator's engine: one simulated application, from start-up to shut-down, driven step by step.
/// Used by the command-line program and by any other front end (a GUI client links the same library).
///
/// Construction performs the start-up (CSimHost's order), starts the modules (MakeSimModules), binds
/// the screen (the property catalog and its watch, the command stream, the log) and lets the host open
/// the case; its events are the start-up's timeline. The simulator installs process-wide services for
/// its lifetime (the patient manager, the log sink and level), so one simulator lives at a time per
/// process; destruction shuts down in reverse and restores them.
///
/// Thread-safety: one thread drives it: constructs it, compiles and plays steps and destroys it (any
/// thread, such as a GUI client's engine thread). Library notifications and commands may come from any
/// thread, also while a step plays (a GUI executing a view model's command on its own thread).
class CSimulator
{
public:
    /// `detailed` false: the timeline only counts events (for measuring). Throws what start-up throws.
    explicit CSimulator(bool detailed = true);
    ~CSimulator();
    CSimulator(CSimulator const&) = delete;
    CSimulator& operator=(CSimulator const&) = delete;

    /// The scenario file at `path`, or the built-in session when `path` is empty. Throws CSimInputError.
    static SScenario ReadScenario(std::string const& path);

    /// Checks `step` against the vocabulary, the registered commands and the named values. Throws
    /// CSimInputError (with `file` and the step's line) saying what is wrong.
    /// `label` ("step 3") starts the reason.
    SCompiledStep Compile(SScenarioStep const& step, std::string const& file,
                          std::string const& baseDirectory, std::string const& label) const;
    /// Every step of `scenario`, all checked before any is returned.
    std::vector<SCompiledStep> Compile(SScenario const& scenario) const;

    /// Plays `step`: runs it, then checks its expectations. A step that throws is reported in the
    /// result, not thrown.
    SStepResult Play(SCompiledStep const& step);
    /// The events of the start-up (once; later calls return nothing).
    std::vector<STimelineEvent> TakeStartupEvents();

    /// The screen as it is now.
    std::string RenderScreen(bool colour) const;
    /// Every named value as it is now.
    Json ReadProperties() const;
    /// Everything a GUI could bind now, by the descriptions: {"gui": {slot: view model}, "models":
    /// {model: members}} (WriteSnapshot). Throws what the getters throw.
    Json Snapshot() const;

    /// The host the simulator drives, for a front end that binds to it as a GUI does: its GUI
    /// configuration's slots and its data exchange configuration. Lives as long as the simulator; its
    /// objects may be used from any thread as far as they are thread-safe.
    CSimHost& GetHost() const noexcept { return *m_host; }
    CStepCatalog const& GetSteps() const noexcept { return m_steps; }
    CPropertyCatalog const& GetProperties() const noexcept { return m_properties; }
    /// The names of the registered commands, sorted.
    std::vector<std::string> GetCommandNames() const;
    /// The serializable executions that finished, for a session file.
    std::vector<SSessionRecord> GetRecords() const { return m_recorder->GetFinishedRecords(); }
    /// Events counted since construction.
    std::uint64_t GetEventCount() const { return m_timeline.GetEventCount(); }

    /// Candidates for the word being typed at the prompt, given the words before it.
    std::vector<std::string> Complete(std::vector<std::string> const& before,
                                      std::string const& prefix) const;

private:
    void OnCommand(Base::ICommandBase* command);
    void OnLog(Logging::SLogRecord const& record);
    void Shutdown() noexcept;

    CTimeline m_timeline;
    CCommandSignatures m_signatures;
    CStepCatalog m_steps; // before the replay, which reads the forms of session commands
    std::shared_ptr<CSimRecorder> m_recorder;
    int m_previousLogLevel = 0;
    Logging::LogSink m_previousLogSink;
    CSessionReplay m_replay;
    std::unique_ptr<CSimHost> m_host;
    std::vector<std::unique_ptr<ISimModule>> m_modules;
    std::size_t m_startedModules = 0;
    CPropertyCatalog m_properties;
    std::unique_ptr<CPropertyWatch> m_watch;
    Base::Binding::TValueStreamObserver<Base::ICommandBase*> m_commandStream;
    std::vector<STimelineEvent> m_startupEvents;
};
} // namespace Orx2Sim
