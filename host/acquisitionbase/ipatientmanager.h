#pragma once
// The host's patient manager as far as commands see it: the recorder of command executions that lets a
// session be replayed later.
#include "host/orx2hostexport.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Base
{
class ICommandBase;

/// Receives every execution of a serializable command. Implementations must be thread-safe: commands
/// run on any thread. Calls must not throw (a recorder that cannot record drops the record).
class ORX2_HOST_EXPORT ICommandRecorder
{
public:
    virtual ~ICommandRecorder();
    ICommandRecorder(ICommandRecorder const&) = delete;
    ICommandRecorder& operator=(ICommandRecorder const&) = delete;

    /// `command` starts execution `executionId` (unique per command) with `argumentBytes`, the
    /// serialized arguments it can be replayed with. `command` is only valid during the call.
    virtual void RecordSerializedExecution(ICommandBase const& command, std::uint32_t executionId,
                                           std::vector<unsigned char> const& argumentBytes) = 0;
    /// Execution `executionId` of `command`, recorded before, has finished.
    virtual void RecordExecutionFinished(ICommandBase const& command, std::uint32_t executionId) = 0;

protected:
    ICommandRecorder() = default;
};

/// The host's patient manager. Thread-safe.
class ORX2_HOST_EXPORT IPatientManager
{
public:
    virtual ~IPatientManager();
    IPatientManager(IPatientManager const&) = delete;
    IPatientManager& operator=(IPatientManager const&) = delete;

    /// The recorder of the current session; valid as long as this patient manager.
    virtual ICommandRecorder& GetCommandRecorder() = 0;

protected:
    IPatientManager() = default;
};

/// The patient manager of the process: the one installed by SetPatientManager(), else a
/// CMemoryPatientManager created on first use. The reference stays valid until it is replaced; replace
/// it only while no command runs (at start-up, between tests). Thread-safe.
ORX2_HOST_EXPORT IPatientManager& GetPatientManager();

/// Installs `patientManager` for the process; empty restores the default one. Thread-safe.
ORX2_HOST_EXPORT void SetPatientManager(std::shared_ptr<IPatientManager> patientManager);
} // namespace Base
