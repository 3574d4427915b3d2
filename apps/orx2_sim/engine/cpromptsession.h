#pragma once
#include "csimprinter.h"
#include "csimulator.h"

#include <string>
#include <vector>

namespace Orx2Sim
{
/// The interactive prompt: each line is a step in the scenario vocabulary ("data LowerJaw true") or one
/// of help, screen, properties, commands, expect NAME VALUE, quit. A step is played and the screen
/// redrawn; a line that cannot be understood is explained and changes nothing. Not thread-safe.
class CPromptSession
{
public:
    /// `simulator` and `printer` outlive the session.
    CPromptSession(CSimulator& simulator, CSimPrinter& printer);

    /// Handles one line. Returns false when the line asks to quit.
    bool HandleLine(std::string const& line);
    /// The words of `line`: split at blanks, "double quotes" keep blanks.
    static std::vector<std::string> SplitWords(std::string const& line);

    std::size_t GetStepCount() const noexcept { return m_steps; }
    std::size_t GetExpectationCount() const noexcept { return m_expectations; }
    std::size_t GetFailureCount() const noexcept { return m_failures; }

private:
    void PrintHelp(std::string const& topic);

    CSimulator& m_simulator;
    CSimPrinter& m_printer;
    std::size_t m_steps = 0;
    std::size_t m_expectations = 0;
    std::size_t m_failures = 0;
};
} // namespace Orx2Sim
