#include "cpromptsession.h"

#include "csiminputerror.h"
#include "simtext.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace Orx2Sim
{
namespace
{
char const* TypeText(EParameterType type)
{
    switch (type)
    {
    case EParameterType::Area:
        return "AREA";
    case EParameterType::Areas:
        return "AREA...";
    case EParameterType::Bool:
        return "true|false";
    case EParameterType::Number:
        return "NUMBER";
    case EParameterType::Integer:
        return "COUNT";
    case EParameterType::Text:
        return "TEXT";
    case EParameterType::Command:
        return "COMMAND";
    case EParameterType::Choice:
        return "CHOICE";
    case EParameterType::Values:
        return "VALUE...";
    case EParameterType::Path:
        return "FILE";
    }
    return "?";
}
} // namespace

CPromptSession::CPromptSession(CSimulator& simulator, CSimPrinter& printer)
    : m_simulator(simulator), m_printer(printer)
{
}

std::vector<std::string> CPromptSession::SplitWords(std::string const& line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (char const character : line)
    {
        if (character == '"')
        {
            quoted = !quoted;
            inWord = true;
        }
        else if (!quoted && (character == ' ' || character == '\t' || character == '\r'))
        {
            if (inWord)
                words.push_back(std::exchange(word, {}));
            inWord = false;
        }
        else
        {
            word += character;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

void CPromptSession::PrintHelp(std::string const& topic)
{
    std::ostringstream text;
    for (auto const& kind : m_simulator.GetSteps().GetKinds())
    {
        if (!topic.empty() && kind.name != topic)
            continue;
        text << "  " << kind.name;
        for (auto const& parameter : kind.parameters)
            text << (parameter.defaultValue ? " [" : " ") << parameter.name << ":" << TypeText(parameter.type)
                 << (parameter.defaultValue ? "]" : "");
        text << "\n      " << kind.help << '\n';
        for (auto const& parameter : kind.parameters)
            if (!parameter.choices.empty())
                text << "      " << parameter.name << ": " << Join(parameter.choices) << '\n';
    }
    if (topic.empty())
        text << "  expect PROPERTY VALUE\n      checks a named value (see properties)\n"
             << "  help [STEP] | screen | properties [PREFIX] | commands | quit\n"
             << "  AREA is one of: " <<
            []
        {
            std::vector<std::string> names;
            for (auto const area : RealAreas())
                names.push_back(AreaText(area));
            return Join(names);
        }() << "\n  Tab completes steps, areas, commands and properties.";
    m_printer.PrintMessage(text.str());
}

bool CPromptSession::HandleLine(std::string const& line)
{
    std::vector<std::string> words = SplitWords(line);
    if (words.empty() || words[0][0] == '#')
        return true;
    std::string const verb = words[0];
    if (verb == "quit" || verb == "exit")
        return false;
    if (verb == "help" || verb == "?")
    {
        PrintHelp(words.size() > 1 ? words[1] : "");
        return true;
    }
    if (verb == "screen")
    {
        m_printer.PrintMessage(m_simulator.RenderScreen(m_printer.IsColour()));
        return true;
    }
    if (verb == "commands")
    {
        std::vector<std::string> lines = m_simulator.GetCommandNames();
        for (SSessionCommand const& form : m_simulator.GetSteps().GetSessionCommands())
            lines.push_back(form.form + "   (created during the session)");
        m_printer.PrintMessage(Join(lines, "\n"));
        return true;
    }
    if (verb == "properties")
    {
        Json const values = m_simulator.ReadProperties();
        std::ostringstream text;
        for (auto const& property : m_simulator.GetProperties().GetProperties())
            if (words.size() < 2 || property.name.compare(0, words[1].size(), words[1]) == 0)
                text << "  " << property.name << " = " << values.at(property.name).dump() << "   ("
                     << property.help << ")\n";
        m_printer.PrintMessage(text.str());
        return true;
    }

    SScenarioStep step;
    if (verb == "expect")
    {
        if (words.size() != 3)
        {
            m_printer.PrintInputError(
                "expect takes a property name and a value: expect ModelTab.Allowed true");
            return true;
        }
        Json value = Json::parse(words[2], nullptr, false);
        step.expectations.emplace_back(words[1], value.is_discarded() ? Json(words[2]) : value);
    }
    else
    {
        SStepKind const* kind = m_simulator.GetSteps().Find(verb);
        if (kind == nullptr)
        {
            m_printer.PrintInputError("unknown step '" + verb + "' (help lists the steps)");
            return true;
        }
        try
        {
            auto const knownCommand = [this](std::string const& name)
            {
                auto const names = m_simulator.GetCommandNames();
                return std::find(names.begin(), names.end(), name) != names.end();
            };
            step.kind = verb;
            step.arguments =
                CStepCatalog::ArgumentsFromWords(*kind, {words.begin() + 1, words.end()}, knownCommand,
                                                 std::filesystem::current_path().string());
        }
        catch (std::invalid_argument const& error)
        {
            m_printer.PrintInputError(verb + ": " + error.what());
            return true;
        }
    }
    SCompiledStep compiled;
    try
    {
        compiled = m_simulator.Compile(step, "", std::filesystem::current_path().string(), "");
    }
    catch (CSimInputError const& error)
    {
        m_printer.PrintInputError(error.what());
        return true;
    }
    SStepResult const result = m_simulator.Play(compiled);
    m_expectations += result.expectations.size();
    m_failures += m_printer.PrintStep(++m_steps, 0, "", compiled, result, m_simulator);
    return true;
}
} // namespace Orx2Sim
