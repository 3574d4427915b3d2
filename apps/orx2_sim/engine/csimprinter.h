#pragma once
#include "csimulator.h"

#include <cstddef>
#include <ostream>
#include <string>

namespace Orx2Sim
{
/// How the simulator reports.
enum class EOutputMode
{
    Text,      ///< the screen and the timeline after each step
    JsonLines, ///< the same, one JSON object per line
    Quiet      ///< only failures and the summary
};

/// The totals of a run.
struct SRunSummary
{
    std::string scenario;
    std::size_t steps = 0;
    std::size_t expectations = 0;
    std::size_t failures = 0; ///< failed expectations and failed steps
    std::uint64_t events = 0;
};

/// Writes what the simulator does to a stream in one output mode. Not thread-safe.
class CSimPrinter
{
public:
    /// `colour` applies to the text mode only. `out` outlives the printer.
    CSimPrinter(std::ostream& out, EOutputMode mode, bool colour);

    /// The start-up, as step 0: its timeline and the first screen.
    void PrintStartup(std::vector<STimelineEvent> const& events, CSimulator const& simulator);
    /// Step `index` of `total` (counting from 1; `total` 0 at the prompt), its screen, timeline and
    /// expectations; failures in every mode. Returns the number of failures (expectations, step error).
    std::size_t PrintStep(std::size_t index, std::size_t total, std::string const& file,
                          SCompiledStep const& step, SStepResult const& result, CSimulator const& simulator);
    /// The closing line (all modes).
    void PrintSummary(SRunSummary const& summary);
    /// A refused input (all modes; in text modes "error: ..." ).
    void PrintInputError(std::string const& message);
    /// Free text (text mode only; JSON as a "message" object).
    void PrintMessage(std::string const& text);

    /// In JSON mode, whether each screen is followed by a snapshot line:
    /// {"type": "snapshot", "step": N, "gui": {...}, "models": {...}} (see CSimulator::Snapshot).
    void SetSnapshots(bool on) noexcept { m_snapshots = on; }

    EOutputMode GetMode() const noexcept { return m_mode; }
    /// True when the text mode draws in colour.
    bool IsColour() const noexcept { return m_colour; }

private:
    void PrintEvents(std::size_t index, std::vector<STimelineEvent> const& events);
    void PrintScreen(std::size_t index, CSimulator const& simulator);

    std::ostream& m_out;
    EOutputMode m_mode;
    bool m_colour;
    bool m_snapshots = false;
};
} // namespace Orx2Sim
