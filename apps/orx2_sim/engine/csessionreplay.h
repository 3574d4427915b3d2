#pragma once
#include "ccommandsignatures.h"
#include "csimhost.h"
#include "cstepcatalog.h"
#include "ctimeline.h"

#include "session/csessionfile.h"

#include <memory>
#include <string>
#include <vector>

namespace Orx2Sim
{
/// Replays session files through the command registry, as the action of the replay command: a file is
/// read completely and every record checked before the first one runs, so that a bad file changes
/// nothing. A record is accepted when a serializable command is registered under its name now and its
/// argument bytes decode to that command's argument list, or when its name has a serializable form that
/// the session registers while it plays (CStepCatalog::AddSessionCommand) and the bytes decode to that
/// form's list; such a record is refused at its turn when the replay has not registered it by then.
///
/// Lifetime: the signatures, the step catalog and the timeline outlive this object and the commands it
/// makes. Runs on the executing thread.
class CSessionReplay
{
public:
    CSessionReplay(CCommandSignatures const& signatures, CStepCatalog const& steps, CTimeline& timeline);

    /// The records of `path`, checked. Throws CSessionFileError saying which record is wrong and why.
    std::vector<SSessionRecord> Load(std::string const& path) const;
    /// Throws CSessionFileError for the first record that would be refused.
    void Check(std::vector<SSessionRecord> const& records) const;

    /// Replays the file `path`: `mode` 0 replays every record, N > 0 the first N. Adds one note to the
    /// timeline with the executed and refused records. Throws CSessionFileError for a file that fails
    /// Load (nothing runs then), std::invalid_argument for a negative mode, and std::runtime_error after
    /// the replay when records were refused (their command was gone or threw).
    void Replay(int mode, std::wstring const& path);

    /// The replay command: a GUI-locking command named "common.Replay" whose action is Replay. Not
    /// registered (CSimHost::SetReplayCommand does that). Throws std::bad_alloc.
    std::shared_ptr<CSimHost::ReplayCommand> MakeCommand();

private:
    CCommandSignatures const& m_signatures;
    CStepCatalog const& m_steps;
    CTimeline& m_timeline;
};
} // namespace Orx2Sim
