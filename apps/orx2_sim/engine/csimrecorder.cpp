#include "csimrecorder.h"

#include "base/orx2basepool/icommandbase.h"

namespace Orx2Sim
{
void CSimRecorder::RecordSerializedExecution(Base::ICommandBase const& command, std::uint32_t executionId,
                                             std::vector<unsigned char> const& argumentBytes)
{
    try
    {
        SSessionRecord record{command.GetName(), executionId, argumentBytes};
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_entries.push_back(SEntry{record, false});
        m_pendingCommand = &command;
        m_pending = SStarted{executionId, argumentBytes};
    }
    catch (...)
    {
        // A recorder must not fail the command; the record is lost.
    }
}

void CSimRecorder::RecordExecutionFinished(Base::ICommandBase const& command, std::uint32_t executionId)
{
    try
    {
        std::wstring const name = command.GetName();
        std::lock_guard<std::mutex> const lock(m_mutex);
        for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry)
            if (!entry->finished && entry->record.executionId == executionId &&
                entry->record.commandName == name)
            {
                entry->finished = true;
                return;
            }
    }
    catch (...)
    {
    }
}

std::optional<CSimRecorder::SStarted> CSimRecorder::ClaimStarted(Base::ICommandBase const* command)
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    if (command == nullptr || command != m_pendingCommand)
        return std::nullopt;
    m_pendingCommand = nullptr;
    return std::move(m_pending);
}

std::vector<SSessionRecord> CSimRecorder::GetFinishedRecords() const
{
    std::lock_guard<std::mutex> const lock(m_mutex);
    std::vector<SSessionRecord> records;
    for (SEntry const& entry : m_entries)
        if (entry.finished)
            records.push_back(entry.record);
    return records;
}
} // namespace Orx2Sim
