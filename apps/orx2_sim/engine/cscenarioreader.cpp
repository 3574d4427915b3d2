#include "cscenarioreader.h"

#include "csiminputerror.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace Orx2Sim
{
namespace
{
/// Reads characters of the text for the JSON parser and remembers how far it got, so that the parser's
/// callbacks can tell on which line a value starts.
class CCountingIterator
{
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = char const*;
    using reference = char const&;

    CCountingIterator(char const* position, char const** furthest)
        : m_position(position), m_furthest(furthest)
    {
    }
    reference operator*() const { return *m_position; }
    CCountingIterator& operator++()
    {
        ++m_position;
        if (m_position > *m_furthest)
            *m_furthest = m_position;
        return *this;
    }
    CCountingIterator operator++(int)
    {
        CCountingIterator before = *this;
        ++*this;
        return before;
    }
    friend bool operator==(CCountingIterator const& a, CCountingIterator const& b)
    {
        return a.m_position == b.m_position;
    }
    friend bool operator!=(CCountingIterator const& a, CCountingIterator const& b) { return !(a == b); }

private:
    char const* m_position;
    char const** m_furthest;
};

std::size_t LineAt(std::string const& text, std::size_t offset)
{
    offset = std::min(offset, text.size());
    return 1 + static_cast<std::size_t>(
                   std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

std::string TypeName(Json const& value)
{
    return value.type_name();
}
} // namespace

SScenario CScenarioReader::Parse(std::string const& text, std::string const& file,
                                 std::string const& baseDirectory)
{
    char const* const begin = text.data();
    char const* furthest = begin;
    std::vector<std::size_t> stepLines;
    std::string keyAtTop;
    Json document;
    try
    {
        // The root object has depth 0 and its keys depth 1; a step object starts at depth 2 within
        // "steps".
        auto const callback = [&](int depth, Json::parse_event_t event, Json& parsed)
        {
            if (event == Json::parse_event_t::key && depth == 1)
                keyAtTop = parsed.get<std::string>();
            else if (event == Json::parse_event_t::object_start && depth == 2 && keyAtTop == "steps")
                stepLines.push_back(LineAt(text, static_cast<std::size_t>(furthest - begin)));
            return true;
        };
        document = Json::parse(CCountingIterator(begin, &furthest),
                               CCountingIterator(begin + text.size(), &furthest), callback);
    }
    catch (Json::parse_error const& error)
    {
        std::string reason = error.what();
        if (auto const colon = reason.find("]: "); colon != std::string::npos)
            reason =
                reason.substr(colon + 3); // drop the library's "[json.exception.parse_error.101] " prefix
        throw CSimInputError(file, LineAt(text, error.byte == 0 ? 0 : error.byte - 1),
                             "malformed JSON: " + reason);
    }

    if (!document.is_object())
        throw CSimInputError(file, 1,
                             "a scenario is a JSON object with \"steps\", not " + TypeName(document));
    for (auto const& [key, value] : document.items())
        if (key != "name" && key != "description" && key != "steps")
            throw CSimInputError(file, 1,
                                 "unknown key '" + key + "' (a scenario has name, description, steps)");
    auto const steps = document.find("steps");
    if (steps == document.end() || !steps->is_array())
        throw CSimInputError(file, 1, "a scenario needs \"steps\", an array of step objects");

    SScenario scenario;
    scenario.file = file;
    scenario.baseDirectory = baseDirectory;
    if (auto const name = document.find("name"); name != document.end() && name->is_string())
        scenario.name = name->get<std::string>();
    std::size_t objectIndex = 0;
    for (std::size_t index = 0; index < steps->size(); ++index)
    {
        Json const& item = (*steps)[index];
        std::size_t const line =
            item.is_object() && objectIndex < stepLines.size() ? stepLines[objectIndex++] : 0;
        std::string const where = "step " + std::to_string(index + 1) + ": ";
        if (!item.is_object())
            throw CSimInputError(file, line, where + "a step is a JSON object, not " + TypeName(item));
        SScenarioStep step;
        step.line = line;
        for (auto const& [key, value] : item.items())
        {
            if (key == "step")
            {
                if (!value.is_string())
                    throw CSimInputError(file, line, where + "\"step\" must be the name of a step kind");
                step.kind = value.get<std::string>();
            }
            else if (key == "title")
            {
                if (!value.is_string())
                    throw CSimInputError(file, line, where + "\"title\" must be a string");
                step.title = value.get<std::string>();
            }
            else if (key == "expect")
            {
                if (!value.is_object())
                    throw CSimInputError(file, line,
                                         where + "\"expect\" must be an object of property names and values");
                for (auto const& [property, expected] : value.items())
                    step.expectations.emplace_back(property, expected);
            }
            else
                step.arguments[key] = value;
        }
        if (step.kind.empty() && !step.arguments.empty())
            throw CSimInputError(file, line, where + "arguments without \"step\"");
        if (step.kind.empty() && step.expectations.empty())
            throw CSimInputError(file, line, where + "a step needs \"step\" or \"expect\"");
        scenario.steps.push_back(std::move(step));
    }
    return scenario;
}

SScenario CScenarioReader::ReadFile(std::string const& path)
{
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        throw CSimInputError(path, 0, "cannot be opened for reading");
    std::ostringstream text;
    text << stream.rdbuf();
    if (stream.bad())
        throw CSimInputError(path, 0, "cannot be read");
    std::string const directory = std::filesystem::path(path).parent_path().string();
    return Parse(text.str(), path, directory.empty() ? "." : directory);
}
} // namespace Orx2Sim
