#pragma once
#include "ctimeline.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Orx2Sim
{
/// What a step parameter takes. Scenario files give it as a JSON value; the interactive prompt as a
/// word (Rest: all remaining words).
enum class EParameterType
{
    Area,    ///< an area name, "LowerJaw"
    Areas,   ///< a list of area names
    Bool,    ///< true or false
    Number,  ///< any finite number
    Integer, ///< a whole number, 0 or more
    Text,    ///< any string
    Command, ///< the name of a command registered now or of a form the session registers (AddSessionCommand)
    Choice,  ///< one of the parameter's choices
    Path,    ///< a file name, relative to the scenario file's folder (the prompt: the working folder)
    Values   ///< a list of JSON values (command arguments)
};

/// One parameter of a step kind.
struct SStepParameter
{
    std::string name;
    EParameterType type = EParameterType::Text;
    /// Used when the step does not give the parameter; a parameter without one is required.
    std::optional<Json> defaultValue;
    std::string help;
    /// The accepted words of a Choice.
    std::vector<std::string> choices;
};

/// One kind of step ("instantiate", "execute"): its parameters and what it does.
struct SStepKind
{
    std::string name;
    std::string help;
    std::vector<SStepParameter> parameters;
    /// Checks beyond the parameters' types, with everything registered: empty when fine, else why not.
    /// May be empty.
    std::function<std::string(Json const& arguments)> check;
    /// Performs the step with checked arguments (an object with every parameter); adds what it has to
    /// report to the timeline. Throws std::exception when the step fails.
    std::function<void(Json const& arguments, CTimeline& timeline)> run;
};

/// A form of command name that the session itself registers while it plays ("a thumbnail's select
/// command"), so that a scenario may name such a command before the step that creates it has run.
struct SSessionCommand
{
    /// The form for people: "CThumbnailItemViewModelBase.Select_<area>_<suffix>".
    std::string form;
    /// True when a command of this form may be registered under `name`; false for a name that never
    /// exists (such as one with an unknown area).
    std::function<bool(std::string const& name)> matches;
    /// The commands' argument list as CCommandSignatures::TextOf writes it, "()".
    std::string signature;
    /// The commands are serializable, so that a session file may hold their executions.
    bool serializable = false;
};

/// The step vocabulary shared by scenario files, the built-in session and the interactive prompt.
/// Modules add their kinds once after start-up. Not thread-safe to change.
class CStepCatalog
{
public:
    /// Throws std::logic_error for a name that is taken.
    void Add(SStepKind kind);
    /// The kind named `name`, or null.
    SStepKind const* Find(std::string_view name) const;
    /// In the order they were added.
    std::vector<SStepKind> const& GetKinds() const noexcept { return m_kinds; }

    /// Declares a form of command names that the session registers while it plays.
    void AddSessionCommand(SSessionCommand form);
    /// The first declared form that `name` matches, or null.
    SSessionCommand const* FindSessionCommand(std::string const& name) const;
    /// In the order they were declared.
    std::vector<SSessionCommand> const& GetSessionCommands() const noexcept { return m_sessionCommands; }

    /// Checks and completes the arguments of a step from a scenario file: `given` is the step's object
    /// without "step", "title" and "expect"; `knownCommands` decides Command parameters. Returns the
    /// arguments with every parameter, or throws std::invalid_argument saying what is wrong.
    /// Path parameters are made absolute against `baseDirectory`.
    static Json CheckArguments(SStepKind const& kind, Json const& given,
                               std::function<bool(std::string const&)> const& knownCommand,
                               std::string const& baseDirectory);
    /// The same from the words after the step's name at the prompt.
    static Json ArgumentsFromWords(SStepKind const& kind, std::vector<std::string> const& words,
                                   std::function<bool(std::string const&)> const& knownCommand,
                                   std::string const& baseDirectory);

private:
    std::vector<SStepKind> m_kinds;
    std::vector<SSessionCommand> m_sessionCommands;
};
} // namespace Orx2Sim
