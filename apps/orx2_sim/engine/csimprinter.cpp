#include "csimprinter.h"

#include "cscreencanvas.h"

namespace Orx2Sim
{
namespace
{
std::string Rule(std::string text)
{
    text += ' ';
    if (text.size() < CScreenCanvas::kWidth)
        text.append(CScreenCanvas::kWidth - text.size(), '=');
    return text;
}

std::string ShowValue(Json const& value)
{
    return value.is_string() ? value.get<std::string>() : value.dump();
}

char const* KindName(STimelineEvent::EKind kind)
{
    switch (kind)
    {
    case STimelineEvent::EKind::Changed:
        return "changed";
    case STimelineEvent::EKind::Log:
        return "log";
    case STimelineEvent::EKind::Command:
        return "command";
    case STimelineEvent::EKind::Note:
        break;
    }
    return "note";
}

Json EventJson(std::size_t index, STimelineEvent const& event)
{
    Json line = {{"type", "event"}, {"step", index}, {"kind", KindName(event.kind)}};
    switch (event.kind)
    {
    case STimelineEvent::EKind::Changed:
    {
        line["event"] = event.event;
        line["source"] = event.source;
        Json changes = Json::object();
        for (SChange const& change : event.changes)
            changes[change.property] = {{"before", change.before}, {"after", change.after}};
        line["changes"] = changes;
        break;
    }
    case STimelineEvent::EKind::Log:
        line["channel"] = event.source;
        line["text"] = event.text;
        break;
    case STimelineEvent::EKind::Command:
        line["command"] = event.source;
        line["executionId"] = event.executionId ? Json(*event.executionId) : Json(nullptr);
        line["arguments"] = event.details;
        break;
    case STimelineEvent::EKind::Note:
        line["source"] = event.source;
        line["text"] = event.text;
        line["details"] = event.details;
        break;
    }
    return line;
}
} // namespace

CSimPrinter::CSimPrinter(std::ostream& out, EOutputMode mode, bool colour)
    : m_out(out), m_mode(mode), m_colour(colour && mode == EOutputMode::Text)
{
}

void CSimPrinter::PrintEvents(std::size_t index, std::vector<STimelineEvent> const& events)
{
    if (m_mode == EOutputMode::JsonLines)
    {
        for (STimelineEvent const& event : events)
            m_out << EventJson(index, event).dump() << '\n';
        return;
    }
    if (m_mode != EOutputMode::Text)
        return;
    CScreenCanvas canvas(m_colour);
    canvas.Section("TIMELINE");
    if (events.empty())
        canvas.Line().Text("   (nothing happened)", EStyle::Dim);
    for (STimelineEvent const& event : events)
    {
        canvas.Line().Text("   ");
        switch (event.kind)
        {
        case STimelineEvent::EKind::Changed:
        {
            canvas.Cell(event.event, 16, event.event == "Unnotified" ? EStyle::Warning : EStyle::Strong)
                .Text(event.source);
            if (event.changes.empty())
                canvas.Text("  (no shown value changed)", EStyle::Dim);
            for (SChange const& change : event.changes)
                canvas.Line()
                    .PadTo(8)
                    .Text(change.property)
                    .Text("  ")
                    .Text(ShowValue(change.before), EStyle::Dim)
                    .Text(" -> ")
                    .Text(ShowValue(change.after), EStyle::Strong);
            break;
        }
        case STimelineEvent::EKind::Log:
            canvas.Cell("log", 16, EStyle::Dim).Text(event.source + ": ").Text(event.text);
            break;
        case STimelineEvent::EKind::Command:
            canvas.Cell("command", 16, EStyle::Heading)
                .Text(event.executionId ? "#" + std::to_string(*event.executionId) + " " : "#- ")
                .Text(event.source, EStyle::Strong);
            if (!event.details.is_null())
                canvas.Text(" ").Text(event.details.dump());
            break;
        case STimelineEvent::EKind::Note:
        {
            canvas.Cell(event.source, 16, EStyle::Heading);
            std::string text = event.text;
            for (std::size_t start = 0, end = 0; start <= text.size(); start = end + 1)
            {
                end = text.find('\n', start);
                if (end == std::string::npos)
                    end = text.size();
                if (start != 0)
                    canvas.Line().PadTo(19);
                canvas.Text(text.substr(start, end - start));
            }
            break;
        }
        }
    }
    m_out << canvas.ToString();
}

void CSimPrinter::PrintScreen(std::size_t index, CSimulator const& simulator)
{
    if (m_mode == EOutputMode::JsonLines)
    {
        m_out << Json{{"type", "screen"}, {"step", index}, {"properties", simulator.ReadProperties()}}.dump()
              << '\n';
        if (m_snapshots)
        {
            Json line{{"type", "snapshot"}, {"step", index}};
            line.update(simulator.Snapshot());
            m_out << line.dump() << '\n';
        }
    }
    else if (m_mode == EOutputMode::Text)
        m_out << simulator.RenderScreen(m_colour);
}

void CSimPrinter::PrintStartup(std::vector<STimelineEvent> const& events, CSimulator const& simulator)
{
    if (m_mode == EOutputMode::JsonLines)
        m_out << Json{{"type", "step"}, {"step", 0}, {"kind", "start-up"}}.dump() << '\n';
    else if (m_mode == EOutputMode::Text)
    {
        CScreenCanvas canvas(m_colour);
        canvas.Line().Text(Rule("==== start-up: host objects, data exchange configuration, commands, screen "
                                "bound, case opened"),
                           EStyle::Heading);
        m_out << canvas.ToString();
    }
    PrintScreen(0, simulator);
    PrintEvents(0, events);
}

std::size_t CSimPrinter::PrintStep(std::size_t index, std::size_t total, std::string const& file,
                                   SCompiledStep const& step, SStepResult const& result,
                                   CSimulator const& simulator)
{
    std::string const where =
        file.empty() || step.written.line == 0 ? file : file + ":" + std::to_string(step.written.line);
    std::string const name =
        "step " + std::to_string(index) + (total != 0 ? "/" + std::to_string(total) : "");
    if (m_mode == EOutputMode::JsonLines)
        m_out << Json{{"type", "step"},
                      {"step", index},
                      {"kind", step.written.kind.empty() ? "expect" : step.written.kind},
                      {"arguments", step.arguments.is_null() ? Json::object() : step.arguments},
                      {"title", step.written.title},
                      {"line", step.written.line}}
                     .dump()
              << '\n';
    else if (m_mode == EOutputMode::Text)
    {
        CScreenCanvas canvas(m_colour);
        canvas.Line().Text(Rule("==== " + name + ": " + step.description), EStyle::Heading);
        if (!step.written.title.empty())
            canvas.Line().Text("     " + step.written.title, EStyle::Strong);
        m_out << canvas.ToString();
    }
    PrintScreen(index, simulator);
    PrintEvents(index, result.events);

    std::size_t failures = 0;
    std::string const context = (where.empty() ? "" : where + ": ") + name + " (" + step.description + ")";
    if (!result.error.empty())
    {
        ++failures;
        if (m_mode == EOutputMode::JsonLines)
            m_out << Json{{"type", "failure"},
                          {"step", index},
                          {"line", step.written.line},
                          {"error", result.error}}
                         .dump()
                  << '\n';
        else
            m_out << "FAILED " << context << ": " << result.error << '\n';
    }
    if (m_mode == EOutputMode::Text && !result.expectations.empty())
    {
        CScreenCanvas canvas(m_colour);
        canvas.Section("EXPECT");
        for (SExpectationResult const& expectation : result.expectations)
            canvas.Line()
                .Text("   ")
                .Cell(expectation.passed ? "ok" : "FAILED", 8,
                      expectation.passed ? EStyle::Good : EStyle::Bad)
                .Text(expectation.property + " = " + ShowValue(expectation.actual));
        m_out << canvas.ToString();
    }
    for (SExpectationResult const& expectation : result.expectations)
    {
        if (m_mode == EOutputMode::JsonLines)
            m_out << Json{{"type", "expectation"},
                          {"step", index},
                          {"line", step.written.line},
                          {"property", expectation.property},
                          {"expected", expectation.expected},
                          {"actual", expectation.actual},
                          {"passed", expectation.passed}}
                         .dump()
                  << '\n';
        if (expectation.passed)
            continue;
        ++failures;
        if (m_mode != EOutputMode::JsonLines)
            m_out << "FAILED " << context << ": " << expectation.property << " expected "
                  << ShowValue(expectation.expected) << ", actual " << ShowValue(expectation.actual) << '\n';
    }
    return failures;
}

void CSimPrinter::PrintSummary(SRunSummary const& summary)
{
    if (m_mode == EOutputMode::JsonLines)
    {
        m_out << Json{{"type", "summary"},
                      {"scenario", summary.scenario},
                      {"steps", summary.steps},
                      {"expectations", summary.expectations},
                      {"failures", summary.failures},
                      {"events", summary.events}}
                     .dump()
              << '\n';
        return;
    }
    m_out << summary.scenario << ": " << summary.steps << " steps, " << summary.expectations
          << " expectations, " << summary.failures << " failed, " << summary.events
          << " events: " << (summary.failures == 0 ? "passed" : "FAILED") << '\n';
}

void CSimPrinter::PrintInputError(std::string const& message)
{
    if (m_mode == EOutputMode::JsonLines)
        m_out << Json{{"type", "error"}, {"message", message}}.dump() << '\n';
    else
        m_out << "error: " << message << '\n';
}

void CSimPrinter::PrintMessage(std::string const& text)
{
    if (m_mode == EOutputMode::JsonLines)
        m_out << Json{{"type", "message"}, {"text", text}}.dump() << '\n';
    else if (m_mode == EOutputMode::Text)
        m_out << text << '\n';
}
} // namespace Orx2Sim
