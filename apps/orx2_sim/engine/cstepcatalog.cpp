#include "cstepcatalog.h"

#include "simtext.h"

#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace Orx2Sim
{
namespace
{
std::string ParameterNames(SStepKind const& kind)
{
    std::vector<std::string> names;
    for (auto const& parameter : kind.parameters)
        names.push_back(parameter.name);
    return names.empty() ? "nothing" : Join(names);
}

std::string AreaNames()
{
    std::vector<std::string> names;
    for (Base::EAreaItems const area : RealAreas())
        names.push_back(AreaText(area));
    return Join(names);
}

/// The canonical form of `value` for `parameter`, or throws std::invalid_argument.
Json CheckValue(SStepParameter const& parameter, Json const& value,
                std::function<bool(std::string const&)> const& knownCommand, std::string const& baseDirectory)
{
    auto const fail = [&](std::string const& what) -> Json
    { throw std::invalid_argument("'" + parameter.name + "' must be " + what + ", not " + value.dump()); };
    auto const checkArea = [&](Json const& item)
    {
        if (!item.is_string())
            fail("an area name");
        if (!ParseArea(item.get<std::string>()))
            throw std::invalid_argument("unknown area '" + item.get<std::string>() + "' in '" +
                                        parameter.name + "' (areas: " + AreaNames() + ")");
    };
    switch (parameter.type)
    {
    case EParameterType::Area:
        checkArea(value);
        return value;
    case EParameterType::Areas:
        if (!value.is_array())
            return fail("a list of area names");
        for (Json const& item : value)
            checkArea(item);
        return value;
    case EParameterType::Bool:
        return value.is_boolean() ? value : fail("true or false");
    case EParameterType::Number:
        return value.is_number() && std::isfinite(value.get<double>()) ? Json(value.get<double>())
                                                                       : fail("a number");
    case EParameterType::Integer:
        return value.is_number_unsigned() || (value.is_number_integer() && value.get<std::int64_t>() >= 0)
                   ? value
                   : fail("a whole number (0 or more)");
    case EParameterType::Text:
        return value.is_string() ? value : fail("a string");
    case EParameterType::Command:
        if (!value.is_string())
            return fail("a command name");
        if (!knownCommand(value.get<std::string>()))
            throw std::invalid_argument("unknown command '" + value.get<std::string>() +
                                        "' (no command is registered under that name, and the session "
                                        "registers none of that form)");
        return value;
    case EParameterType::Choice:
        for (std::string const& choice : parameter.choices)
            if (value.is_string() && value.get<std::string>() == choice)
                return value;
        return fail("one of " + Join(parameter.choices));
    case EParameterType::Values:
        return value.is_array() ? value : fail("an array of values");
    case EParameterType::Path:
        if (!value.is_string() || value.get<std::string>().empty())
            return fail("a file name");
        return (std::filesystem::path(baseDirectory) / value.get<std::string>()).lexically_normal().string();
    }
    return fail("valid");
}

/// A word of the prompt as the JSON value a scenario file would give.
Json WordValue(SStepParameter const& parameter, std::string const& word)
{
    switch (parameter.type)
    {
    case EParameterType::Bool:
        if (word == "true" || word == "yes" || word == "on")
            return true;
        if (word == "false" || word == "no" || word == "off")
            return false;
        return word;
    case EParameterType::Number:
    case EParameterType::Integer:
    case EParameterType::Values:
    {
        Json parsed = Json::parse(word, nullptr, false);
        return parsed.is_discarded() ? Json(word) : parsed;
    }
    default:
        return word;
    }
}

bool TakesRest(SStepParameter const& parameter)
{
    return parameter.type == EParameterType::Areas || parameter.type == EParameterType::Values;
}
} // namespace

void CStepCatalog::Add(SStepKind kind)
{
    if (Find(kind.name) != nullptr)
        throw std::logic_error("step kind " + kind.name + " is added twice");
    m_kinds.push_back(std::move(kind));
}

SStepKind const* CStepCatalog::Find(std::string_view name) const
{
    for (SStepKind const& kind : m_kinds)
        if (kind.name == name)
            return &kind;
    return nullptr;
}

void CStepCatalog::AddSessionCommand(SSessionCommand form)
{
    m_sessionCommands.push_back(std::move(form));
}

SSessionCommand const* CStepCatalog::FindSessionCommand(std::string const& name) const
{
    for (SSessionCommand const& form : m_sessionCommands)
        if (form.matches(name))
            return &form;
    return nullptr;
}

Json CStepCatalog::CheckArguments(SStepKind const& kind, Json const& given,
                                  std::function<bool(std::string const&)> const& knownCommand,
                                  std::string const& baseDirectory)
{
    for (auto const& [key, value] : given.items())
    {
        bool known = false;
        for (auto const& parameter : kind.parameters)
            known = known || parameter.name == key;
        if (!known)
            throw std::invalid_argument("unknown argument '" + key + "' (step '" + kind.name +
                                        "' takes: " + ParameterNames(kind) + ")");
    }
    Json arguments = Json::object();
    for (auto const& parameter : kind.parameters)
    {
        if (auto const found = given.find(parameter.name); found != given.end())
            arguments[parameter.name] = CheckValue(parameter, *found, knownCommand, baseDirectory);
        else if (parameter.defaultValue)
            arguments[parameter.name] = *parameter.defaultValue;
        else
            throw std::invalid_argument("missing argument '" + parameter.name + "' (step '" + kind.name +
                                        "' takes: " + ParameterNames(kind) + ")");
    }
    return arguments;
}

Json CStepCatalog::ArgumentsFromWords(SStepKind const& kind, std::vector<std::string> const& words,
                                      std::function<bool(std::string const&)> const& knownCommand,
                                      std::string const& baseDirectory)
{
    Json given = Json::object();
    std::size_t next = 0;
    for (auto const& parameter : kind.parameters)
    {
        if (next >= words.size())
            break;
        if (TakesRest(parameter))
        {
            Json rest = Json::array();
            for (; next < words.size(); ++next)
                rest.push_back(parameter.type == EParameterType::Areas ? Json(words[next])
                                                                       : WordValue(parameter, words[next]));
            given[parameter.name] = rest;
        }
        else
            given[parameter.name] = WordValue(parameter, words[next++]);
    }
    if (next < words.size())
        throw std::invalid_argument("too many words: '" + kind.name + "' takes " + ParameterNames(kind));
    return CheckArguments(kind, given, knownCommand, baseDirectory);
}
} // namespace Orx2Sim
