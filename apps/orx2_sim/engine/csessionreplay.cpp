#include "csessionreplay.h"

#include "simtext.h"

#include "base/orx2basepool/tcommand.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/acquisitionbase/replayrecordedcommands.h"
#include "host/foundation/jbsingleton.h"

#include <stdexcept>

namespace Orx2Sim
{
CSessionReplay::CSessionReplay(CCommandSignatures const& signatures, CStepCatalog const& steps,
                               CTimeline& timeline)
    : m_signatures(signatures), m_steps(steps), m_timeline(timeline)
{
}

std::vector<SSessionRecord> CSessionReplay::Load(std::string const& path) const
{
    std::vector<SSessionRecord> records = CSessionFile::Read(path);
    Check(records);
    return records;
}

void CSessionReplay::Check(std::vector<SSessionRecord> const& records) const
{
    auto const& registry = JbSingleton<Base::CCommandRegistry>::GetInstance();
    for (std::size_t index = 0; index < records.size(); ++index)
    {
        std::string const name = Narrow(records[index].commandName);
        auto const fail = [&](std::string const& reason)
        { throw CSessionFileError(index + 1, name + ": " += reason); };
        std::shared_ptr<Base::ICommandBase> const command = registry.FindCommand(records[index].commandName);
        SSessionCommand const* const form = command ? nullptr : m_steps.FindSessionCommand(name);
        if (!command && form == nullptr)
            fail("unknown command (no command is registered under that name)");
        if (command ? !command->IsSerializable() : !form->serializable)
            fail("the command cannot be executed from serialized arguments");
        CCommandSignatures::SSignature const* signature =
            command ? m_signatures.Find(*command) : m_signatures.FindByText(form->signature);
        if (signature == nullptr || !signature->decode)
            fail("the command's argument list is unknown to the simulator");
        try
        {
            static_cast<void>(signature->decode(records[index].argumentBytes));
        }
        catch (std::exception const& error)
        {
            fail(std::string("the arguments do not decode as ") + signature->text + ": " + error.what());
        }
    }
}

void CSessionReplay::Replay(int mode, std::wstring const& path)
{
    if (mode < 0)
        throw std::invalid_argument("replay mode " + std::to_string(mode) +
                                    ": 0 replays all records, N the first N");
    std::vector<SSessionRecord> const records = Load(Narrow(path));
    std::size_t const count =
        mode == 0 ? records.size() : std::min<std::size_t>(records.size(), static_cast<std::size_t>(mode));
    std::vector<Base::SRecordedCommand> recorded;
    for (std::size_t index = 0; index < count; ++index)
        recorded.push_back(Base::SRecordedCommand{records[index].commandName, records[index].executionId,
                                                  records[index].argumentBytes, true});
    Base::SReplayReport const report = Base::ReplayRecordedCommands(recorded);

    STimelineEvent note;
    note.kind = STimelineEvent::EKind::Note;
    note.source = "replay";
    note.text = "replayed " + Narrow(path) + ": " + std::to_string(report.executedCount) + " executed, " +
                std::to_string(report.failures.size()) + " refused";
    note.details = {{"executed", report.executedCount}, {"refused", Json::array()}};
    for (auto const& failure : report.failures)
    {
        std::string const reason =
            failure.reason == Base::EReplayFailure::CommandNotFound   ? "command not found"
            : failure.reason == Base::EReplayFailure::NotSerializable ? "not serializable"
                                                                      : "execution failed";
        note.text += "\n  record " + std::to_string(failure.recordIndex + 1) + " " +
                     Narrow(failure.commandName) + ": " + reason +
                     (failure.message.empty() ? "" : ": " + Narrow(failure.message));
        note.details["refused"].push_back({{"record", failure.recordIndex + 1},
                                           {"command", Narrow(failure.commandName)},
                                           {"reason", reason},
                                           {"message", Narrow(failure.message)}});
    }
    m_timeline.Add(std::move(note));
    if (!report.failures.empty())
        throw std::runtime_error(std::to_string(report.failures.size()) + " record(s) refused");
}

std::shared_ptr<CSimHost::ReplayCommand> CSessionReplay::MakeCommand()
{
    return std::make_shared<Base::TCommand<void, int const&, std::wstring const&>>(
        [this](int const& mode, std::wstring const& path) { Replay(mode, path); }, L"common.Replay", true);
}
} // namespace Orx2Sim
