#pragma once
#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace Orx2Sim
{
using Json = nlohmann::ordered_json;

/// One step as written: the kind and its arguments (checked later against the step vocabulary), a
/// title, and expectations on named values after the step.
struct SScenarioStep
{
    /// Where the step's object starts in its file; 0 when it was not read from a file.
    std::size_t line = 0;
    /// Empty for a step that only checks expectations.
    std::string kind;
    Json arguments = Json::object();
    std::string title;
    std::vector<std::pair<std::string, Json>> expectations;
};

/// A scenario as written.
struct SScenario
{
    /// The file as named by the user; "built-in session" for the one compiled in.
    std::string file;
    /// File parameters of steps are relative to this folder.
    std::string baseDirectory;
    std::string name;
    std::vector<SScenarioStep> steps;
};

/// Reads scenario files:
///
///     {"name": "...", "description": "...",
///      "steps": [{"step": "instantiate", "area": "LowerJaw", "title": "...",
///                 "expect": {"Area.LowerJaw.Instantiated": true}},
///                {"expect": {"ModelTab.Allowed": false}}]}
///
/// Stateless; thread-safe.
class CScenarioReader
{
public:
    /// Parses `text`. Throws CSimInputError with `file`, the line and the reason for malformed JSON and
    /// for anything that is not shaped like a scenario.
    static SScenario Parse(std::string const& text, std::string const& file,
                           std::string const& baseDirectory);
    /// Reads and parses the file at `path`. Throws CSimInputError, also when it cannot be read.
    static SScenario ReadFile(std::string const& path);
};
} // namespace Orx2Sim
