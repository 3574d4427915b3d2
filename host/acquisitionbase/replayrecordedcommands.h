#pragma once
// Running a recorded session again: every recorded execution is repeated by command name with its
// recorded argument bytes.
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/acquisitionbase/cmemorypatientmanager.h"
#include "host/orx2hostexport.h"

#include <cstddef>
#include <string>
#include <vector>

namespace Base
{
/// Why a record was skipped.
enum class EReplayFailure
{
    CommandNotFound, ///< no live command under the recorded name (never registered, or destroyed)
    NotSerializable, ///< the command under that name takes no serialized arguments
    ExecutionFailed  ///< Execute(blob) threw: undecodable bytes, or the action itself failed
};

/// One skipped record.
struct SReplayFailure
{
    std::size_t recordIndex = 0; ///< position in the replayed list
    std::wstring commandName; ///< the command the record names
    EReplayFailure reason = EReplayFailure::CommandNotFound; ///< why the record was skipped
    std::wstring message; ///< the exception's message for ExecutionFailed, else empty
};

/// What a replay did.
struct SReplayReport
{
    std::size_t executedCount = 0;        ///< records whose execution completed
    std::vector<SReplayFailure> failures; ///< skipped records, in list order
};

/// Executes `records` in order: each one's command is looked up in `registry` by name and executed with
/// Execute(argumentBytes), and its result is waited for before the next record starts, so the effects
/// happen in the recorded order. The commands record these executions again, under new ids: pass a copy
/// of the records, not a live view. Records that cannot be executed are reported and skipped; the
/// replay goes on with the next one. Unfinished records are replayed too: filter on `finished` first to
/// leave out executions that failed when they were recorded. std::bad_alloc and exceptions that do not
/// derive from std::exception propagate. Runs on the calling thread; safe to call from any thread, with
/// the commands' own thread-safety.
ORX2_HOST_EXPORT SReplayReport ReplayRecordedCommands(std::vector<SRecordedCommand> const& records,
                                                      CCommandRegistry const& registry);

/// As above, with the process-wide registry.
ORX2_HOST_EXPORT SReplayReport ReplayRecordedCommands(std::vector<SRecordedCommand> const& records);
} // namespace Base
