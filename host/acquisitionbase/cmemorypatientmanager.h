#pragma once
// The default patient manager: records command executions in memory.
#include "host/acquisitionbase/ipatientmanager.h"
#include "host/orx2hostexport.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace Base
{
/// One recorded execution, enough to execute the command again by name.
struct SRecordedCommand
{
    std::wstring commandName; ///< The name the command is registered under.
    std::uint32_t executionId = 0; ///< The execution's id.
    std::vector<unsigned char> argumentBytes; ///< The serialised arguments.
    bool finished = false; ///< Whether the execution finished (a record is made when it starts).
};

/// Keeps every recorded execution in memory, in the order executions started. Thread-safe.
class ORX2_HOST_EXPORT CMemoryPatientManager : public IPatientManager, public ICommandRecorder
{
public:
    CMemoryPatientManager();
    ~CMemoryPatientManager() override;

    /// This object.
    ICommandRecorder& GetCommandRecorder() override { return *this; }

    /// Appends a record named `command.GetName()`. Never throws (a failing record is dropped).
    void RecordSerializedExecution(ICommandBase const& command, std::uint32_t executionId,
                                   std::vector<unsigned char> const& argumentBytes) override;
    /// Marks the latest unfinished record of `command`'s name with `executionId` as finished; does
    /// nothing when there is none. Never throws.
    void RecordExecutionFinished(ICommandBase const& command, std::uint32_t executionId) override;

    /// A copy of the records, oldest first. Throws std::bad_alloc.
    std::vector<SRecordedCommand> GetRecordedCommands() const;
    /// Forgets all records.
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::vector<SRecordedCommand> m_records;
};
} // namespace Base
