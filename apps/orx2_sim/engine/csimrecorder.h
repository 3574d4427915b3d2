#pragma once
#include "session/csessionfile.h"

#include "host/acquisitionbase/ipatientmanager.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace Orx2Sim
{
/// The patient manager of a simulated session: keeps every serializable execution (for --record) and
/// lets the command-stream entry that follows each one claim its execution id and argument bytes.
/// Thread-safe.
class CSimRecorder final : public Base::IPatientManager, public Base::ICommandRecorder
{
public:
    /// An execution that has started and not been claimed yet.
    struct SStarted
    {
        std::uint32_t executionId = 0;
        std::vector<unsigned char> argumentBytes;
    };

    CSimRecorder() = default;
    ~CSimRecorder() override = default;

    ICommandRecorder& GetCommandRecorder() override { return *this; }
    /// Keeps the record; never throws (a record that cannot be kept is dropped).
    void RecordSerializedExecution(Base::ICommandBase const& command, std::uint32_t executionId,
                                   std::vector<unsigned char> const& argumentBytes) override;
    /// Marks the record finished; never throws.
    void RecordExecutionFinished(Base::ICommandBase const& command, std::uint32_t executionId) override;

    /// The execution of `command` that started last and has not been claimed, claimed now; empty for a
    /// command that records nothing (one that is not serializable).
    std::optional<SStarted> ClaimStarted(Base::ICommandBase const* command);
    /// The finished executions in the order they started.
    std::vector<SSessionRecord> GetFinishedRecords() const;

private:
    struct SEntry
    {
        SSessionRecord record;
        bool finished = false;
    };

    mutable std::mutex m_mutex;
    std::vector<SEntry> m_entries;
    Base::ICommandBase const* m_pendingCommand = nullptr; // only compared, never dereferenced
    SStarted m_pending;
};
} // namespace Orx2Sim
