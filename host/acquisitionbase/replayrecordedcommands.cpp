#include "host/acquisitionbase/replayrecordedcommands.h"

#include "base/orx2basepool/iasyncresult.h"
#include "base/orx2basepool/icommandbase.h"
#include "host/foundation/jbstringconversion.h"
#include "host/foundation/orxexception.h"

#include <exception>
#include <memory>

namespace Base
{
namespace
{
void AddFailure(SReplayReport& report, std::size_t index, SRecordedCommand const& record,
                EReplayFailure reason, std::wstring message = std::wstring())
{
    report.failures.push_back(SReplayFailure{index, record.commandName, reason, std::move(message)});
}
} // namespace

SReplayReport ReplayRecordedCommands(std::vector<SRecordedCommand> const& records,
                                     CCommandRegistry const& registry)
{
    SReplayReport report;
    for (std::size_t index = 0; index < records.size(); ++index)
    {
        SRecordedCommand const& record = records[index];
        std::shared_ptr<ICommandBase> const command = registry.FindCommand(record.commandName);
        if (!command)
        {
            AddFailure(report, index, record, EReplayFailure::CommandNotFound);
            continue;
        }
        if (!command->IsSerializable())
        {
            AddFailure(report, index, record, EReplayFailure::NotSerializable);
            continue;
        }
        try
        {
            if (std::shared_ptr<IAsyncResult<>> const result = command->Execute(record.argumentBytes))
                result->Wait();
            ++report.executedCount;
        }
        catch (OrxException const& error)
        {
            AddFailure(report, index, record, EReplayFailure::ExecutionFailed, error.GetMessage());
        }
        catch (std::bad_alloc const&)
        {
            throw;
        }
        catch (std::exception const& error)
        {
            AddFailure(report, index, record, EReplayFailure::ExecutionFailed, JbWidenUtf8(error.what()));
        }
    }
    return report;
}

SReplayReport ReplayRecordedCommands(std::vector<SRecordedCommand> const& records)
{
    return ReplayRecordedCommands(records, JbSingleton<CCommandRegistry>::GetInstance());
}
} // namespace Base
