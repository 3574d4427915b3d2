#include "csimulator.h"

#include "builtinsession.h"
#include "csiminputerror.h"
#include "simmodules.h"
#include "simtext.h"

#include "host/acquisitionbase/acommandbase.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/foundation/jbsingleton.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace Orx2Sim
{
namespace
{
bool Matches(Json const& expected, Json const& actual)
{
    if (expected.is_number() && actual.is_number())
        return std::fabs(expected.get<double>() - actual.get<double>()) <= 0.05; // values show one decimal
    return expected == actual;
}

/// Values of the same JSON kind can be compared; numbers of any kind are one kind.
bool SameKind(Json const& a, Json const& b)
{
    return (a.is_number() && b.is_number()) || a.type() == b.type();
}

std::string Words(Json const& value)
{
    if (value.is_string())
        return value.get<std::string>();
    if (value.is_array())
    {
        std::vector<std::string> words;
        for (Json const& item : value)
            words.push_back(item.is_string() ? item.get<std::string>() : item.dump());
        return Join(words, " ");
    }
    return value.dump();
}

std::vector<std::string> Filter(std::vector<std::string> const& candidates, std::string const& prefix)
{
    std::vector<std::string> matching;
    for (std::string const& candidate : candidates)
        if (candidate.compare(0, prefix.size(), prefix) == 0)
            matching.push_back(candidate);
    return matching;
}

std::vector<std::string> AreaNames()
{
    std::vector<std::string> names;
    for (Base::EAreaItems const area : RealAreas())
        names.push_back(AreaText(area));
    return names;
}
} // namespace

CSimulator::CSimulator(bool detailed)
    : m_recorder(std::make_shared<CSimRecorder>()), m_replay(m_signatures, m_steps, m_timeline)
{
    m_timeline.SetDetailed(detailed);
    Base::SetPatientManager(m_recorder);
    m_previousLogLevel = Logging::GetLogLevelThreshold();
    Logging::SetLogLevelThreshold(Logging::kLogLevelInfo);
    m_previousLogSink = Logging::SetLogSink([this](Logging::SLogRecord const& record) { OnLog(record); });
    try
    {
        m_host = std::make_unique<CSimHost>();
        m_host->SetReplayCommand(m_replay.MakeCommand());
        m_modules = MakeSimModules(m_signatures, m_replay);
        for (auto const& module : m_modules)
        {
            module->Start(*m_host);
            ++m_startedModules;
        }
        for (auto const& module : m_modules)
        {
            module->DeclareProperties(m_properties);
            module->DeclareSteps(m_steps);
        }
        // The GUI binds: from here on every notification is a change on the screen.
        m_watch = std::make_unique<CPropertyWatch>(m_properties, m_timeline);
        m_commandStream = Base::Binding::TValueStreamObserver<Base::ICommandBase*>(
            Base::ACommandBase::ms_EventCommandStream,
            [this](Base::ICommandBase* const& command) { OnCommand(command); });
        m_host->OpenCase();
        m_watch->SweepUnnotified();
        m_startupEvents = m_timeline.Take();
    }
    catch (...)
    {
        Shutdown();
        throw;
    }
}

CSimulator::~CSimulator()
{
    Shutdown();
}

void CSimulator::Shutdown() noexcept
{
    m_commandStream.Reset();
    m_watch.reset();
    while (m_startedModules > 0)
        m_modules[--m_startedModules]->Stop();
    m_modules.clear();
    m_host.reset();
    Logging::SetLogSink(std::move(m_previousLogSink));
    Logging::SetLogLevelThreshold(m_previousLogLevel);
    Base::SetPatientManager(nullptr);
}

void CSimulator::OnLog(Logging::SLogRecord const& record)
{
    if (!m_timeline.IsDetailed())
        return m_timeline.Count();
    STimelineEvent event;
    event.kind = STimelineEvent::EKind::Log;
    event.source = Narrow(record.channel);
    event.text = Narrow(record.message);
    m_timeline.Add(std::move(event));
}

void CSimulator::OnCommand(Base::ICommandBase* command)
{
    if (command == nullptr)
        return;
    if (!m_timeline.IsDetailed())
    {
        static_cast<void>(m_recorder->ClaimStarted(command));
        return m_timeline.Count();
    }
    STimelineEvent event;
    event.kind = STimelineEvent::EKind::Command;
    event.source = Narrow(command->GetName());
    if (auto started = m_recorder->ClaimStarted(command))
    {
        event.executionId = started->executionId;
        CCommandSignatures::SSignature const* signature = m_signatures.Find(*command);
        if (signature != nullptr && signature->decode)
        {
            try
            {
                event.details = signature->decode(started->argumentBytes);
            }
            catch (std::exception const&)
            {
                event.details = nullptr;
            }
        }
    }
    m_timeline.Add(std::move(event));
}

std::vector<STimelineEvent> CSimulator::TakeStartupEvents()
{
    return std::exchange(m_startupEvents, {});
}

SScenario CSimulator::ReadScenario(std::string const& path)
{
    return path.empty() ? CScenarioReader::Parse(BuiltInSession(), "built-in session", ".")
                        : CScenarioReader::ReadFile(path);
}

SCompiledStep CSimulator::Compile(SScenarioStep const& step, std::string const& file,
                                  std::string const& baseDirectory, std::string const& label) const
{
    std::string const where = label.empty() ? std::string() : label + ": ";
    auto const fail = [&](std::string const& reason)
    { throw CSimInputError(file, step.line, where + reason); };

    SCompiledStep compiled;
    compiled.written = step;
    if (!step.kind.empty())
    {
        compiled.kind = m_steps.Find(step.kind);
        if (compiled.kind == nullptr)
        {
            std::vector<std::string> names;
            for (auto const& kind : m_steps.GetKinds())
                names.push_back(kind.name);
            fail("unknown step '" + step.kind + "' (steps: " + Join(names) + ")");
        }
        // A command the session registers while it plays is checked again when its step runs.
        auto const knownCommand = [this](std::string const& name)
        {
            return JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(Widen(name)) != nullptr ||
                   m_steps.FindSessionCommand(name) != nullptr;
        };
        try
        {
            compiled.arguments =
                CStepCatalog::CheckArguments(*compiled.kind, step.arguments, knownCommand, baseDirectory);
        }
        catch (std::invalid_argument const& error)
        {
            fail(step.kind + ": " + error.what());
        }
        if (compiled.kind->check)
            if (std::string const error = compiled.kind->check(compiled.arguments); !error.empty())
                fail(step.kind + ": " + error);
        compiled.description = step.kind;
        for (auto const& parameter : compiled.kind->parameters)
        {
            std::string const words = Words(compiled.arguments.at(parameter.name));
            if (!words.empty())
                compiled.description += " " + words;
        }
    }
    else
        compiled.description = "expect";
    for (auto const& [name, expected] : step.expectations)
    {
        CPropertyCatalog::SProperty const* property = m_properties.Find(name);
        if (property == nullptr)
            fail("expect: unknown property '" + name + "' (see --vocabulary)");
        Json const actual = property->read();
        if (!SameKind(expected, actual))
            fail("expect: " + name + " is " + std::string(actual.type_name()) + ", the expected value " +
                 expected.dump() + " is " + expected.type_name());
    }
    return compiled;
}

std::vector<SCompiledStep> CSimulator::Compile(SScenario const& scenario) const
{
    std::vector<SCompiledStep> steps;
    for (std::size_t index = 0; index < scenario.steps.size(); ++index)
        steps.push_back(Compile(scenario.steps[index], scenario.file, scenario.baseDirectory,
                                "step " + std::to_string(index + 1)));
    return steps;
}

SStepResult CSimulator::Play(SCompiledStep const& step)
{
    SStepResult result;
    if (step.kind != nullptr)
    {
        try
        {
            step.kind->run(step.arguments, m_timeline);
        }
        catch (std::exception const& error)
        {
            result.error = error.what();
        }
    }
    m_watch->SweepUnnotified();
    result.events = m_timeline.Take();
    for (auto const& [name, expected] : step.written.expectations)
    {
        Json actual = m_properties.Find(name)->read();
        bool const passed = Matches(expected, actual);
        result.expectations.push_back(SExpectationResult{name, expected, std::move(actual), passed});
    }
    return result;
}

std::string CSimulator::RenderScreen(bool colour) const
{
    CScreenCanvas canvas(colour);
    for (auto const& module : m_modules)
        module->Render(canvas);
    return canvas.ToString();
}

Json CSimulator::ReadProperties() const
{
    return m_watch->ReadAll();
}

std::vector<std::string> CSimulator::GetCommandNames() const
{
    std::vector<std::string> names;
    for (std::wstring const& name : JbSingleton<Base::CCommandRegistry>::GetInstance().GetCommandNames())
        names.push_back(Narrow(name));
    return names;
}

std::vector<std::string> CSimulator::Complete(std::vector<std::string> const& before,
                                              std::string const& prefix) const
{
    if (before.empty())
    {
        std::vector<std::string> words = {"help", "screen", "properties", "commands", "expect", "quit"};
        for (auto const& kind : m_steps.GetKinds())
            words.push_back(kind.name);
        std::sort(words.begin(), words.end());
        return Filter(words, prefix);
    }
    if (before[0] == "help")
        return before.size() == 1 ? Complete({}, prefix) : std::vector<std::string>();
    if (before[0] == "properties" || before[0] == "expect")
    {
        if (before.size() != 1)
            return before[0] == "expect" ? Filter({"true", "false"}, prefix) : std::vector<std::string>();
        std::vector<std::string> names;
        for (auto const& property : m_properties.GetProperties())
            names.push_back(property.name);
        return Filter(names, prefix);
    }
    SStepKind const* kind = m_steps.Find(before[0]);
    if (kind == nullptr || kind->parameters.empty())
        return {};
    std::size_t const index = std::min(before.size() - 1, kind->parameters.size() - 1);
    SStepParameter const& parameter = kind->parameters[index];
    if (before.size() - 1 > index && parameter.type != EParameterType::Areas)
        return {};
    switch (parameter.type)
    {
    case EParameterType::Area:
    case EParameterType::Areas:
        return Filter(AreaNames(), prefix);
    case EParameterType::Command:
        return Filter(GetCommandNames(), prefix);
    case EParameterType::Choice:
        return Filter(parameter.choices, prefix);
    case EParameterType::Bool:
        return Filter({"true", "false"}, prefix);
    default:
        return {};
    }
}
} // namespace Orx2Sim
