#include "ccommandsmodule.h"

#include "host/acquisitionbase/acommandbase.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/foundation/jbsingleton.h"

#include <stdexcept>

namespace Orx2Sim
{
namespace
{
std::shared_ptr<Base::ICommandBase> FindCommand(std::string const& name)
{
    return JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(Widen(name));
}
} // namespace

void CCommandsModule::DeclareScreenValues(CPropertyCatalog& catalog, SSimScreen const&)
{
    auto const& count = Base::ACommandBase::s_numberOfActiveGUILockingCommands;
    catalog.AddProperty(
        "Commands.GuiLocking", catalog.AddValueSource("GUI-locking commands", count),
        [] { return Json(Base::ACommandBase::s_numberOfActiveGUILockingCommands.Get()); },
        "GUI-locking commands running; the GUI disables its input while above 0");
}

void CCommandsModule::DeclareSteps(CStepCatalog& steps)
{
    steps.Add(SStepKind{
        "execute",
        "executes a registered command by name with its arguments (a JSON array; at the prompt, one word "
        "each); a command the session creates (see commands) may be named before it exists",
        {{"command", EParameterType::Command, std::nullopt, "the registered name", {}},
         {"arguments", EParameterType::Values, Json::array(), "one value per argument", {}}},
        [this, &steps](Json const& arguments)
        {
            std::string const name = arguments.at("command").get<std::string>();
            auto const command = FindCommand(name);
            // A command the session registers later is checked against its form's argument list now and
            // looked up when the step runs.
            SSessionCommand const* const form = command ? nullptr : steps.FindSessionCommand(name);
            CCommandSignatures::SSignature const* signature = command ? m_signatures.Find(*command)
                                                              : form
                                                                  ? m_signatures.FindByText(form->signature)
                                                                  : nullptr;
            if (signature == nullptr)
                return "command '" + name + "' takes an argument list the simulator does not know";
            std::string const error = signature->check(arguments.at("arguments"));
            return error.empty() ? error : "command '" + name + "' " + signature->text + ": " + error;
        },
        [this](Json const& arguments, CTimeline& timeline)
        {
            std::string const name = arguments.at("command").get<std::string>();
            auto const command = FindCommand(name);
            if (!command)
                throw std::runtime_error("command '" + name +
                                         "' is not registered now (the session has not "
                                         "created it yet, or it is gone)");
            CCommandSignatures::SSignature const* signature = m_signatures.Find(*command);
            if (signature == nullptr)
                throw std::runtime_error("command '" + name +
                                         "' takes an argument list the simulator does not know");
            Json const after = signature->execute(*command, arguments.at("arguments"));
            if (!after.is_null())
            {
                STimelineEvent note;
                note.source = "execute";
                note.text = name + " returned " + after.dump();
                note.details = {{"command", name}, {"arguments", after}};
                timeline.Add(std::move(note));
            }
        }});
    steps.Add(SStepKind{"replay",
                        "replays a recorded session file through \"common.Replay\" (mode 0: every record, N: "
                        "the first N)",
                        {{"file", EParameterType::Path, std::nullopt, "the session file", {}},
                         {"mode", EParameterType::Integer, Json(0), "0 or the number of records", {}}},
                        [this](Json const& arguments)
                        {
                            try
                            {
                                static_cast<void>(m_replay.Load(arguments.at("file").get<std::string>()));
                                return std::string();
                            }
                            catch (CSessionFileError const& error)
                            {
                                return arguments.at("file").get<std::string>() + ": " + error.what();
                            }
                        },
                        [this](Json const& arguments, CTimeline&)
                        {
                            auto const command = m_host->GetReplayCommand();
                            if (!command)
                                throw std::runtime_error("no replay command is installed");
                            int const mode = static_cast<int>(std::min<std::uint64_t>(
                                arguments.at("mode").get<std::uint64_t>(), 0x7fffffff));
                            command->Execute(mode, Widen(arguments.at("file").get<std::string>()))->Wait();
                        }});
}

void CCommandsModule::Render(CScreenCanvas& canvas) const
{
    unsigned int const locking = Base::ACommandBase::s_numberOfActiveGUILockingCommands.Get();
    canvas.Section("COMMANDS");
    canvas.Line()
        .Text("   GUI-locking commands running ")
        .Text(std::to_string(locking), locking > 0 ? EStyle::Bad : EStyle::Strong)
        .Text(locking > 0 ? "  (input disabled)" : "  (input enabled)");
}
} // namespace Orx2Sim
