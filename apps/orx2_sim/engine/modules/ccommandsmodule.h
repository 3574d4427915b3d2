#pragma once
#include "../ccommandsignatures.h"
#include "../csessionreplay.h"
#include "../isimmodule.h"

namespace Orx2Sim
{
/// Commands as the host reaches them: any registered command executed by name, a session replayed
/// through "common.Replay", and the number of GUI-locking commands running (the GUI disables its input
/// while it is above 0). Steps: execute, replay.
class CCommandsModule final : public ISimModule
{
public:
    /// `signatures` and `replay` outlive the module.
    CCommandsModule(CCommandSignatures const& signatures, CSessionReplay const& replay)
        : m_signatures(signatures), m_replay(replay)
    {
    }

    void Start(CSimHost& host) override { m_host = &host; }
    /// Commands.GuiLocking.
    static void DeclareScreenValues(CPropertyCatalog& catalog, SSimScreen const& screen);
    void DeclareSteps(CStepCatalog& steps) override;
    void Render(CScreenCanvas& canvas) const override;
    void Stop() override { m_host = nullptr; }

private:
    CCommandSignatures const& m_signatures;
    CSessionReplay const& m_replay;
    CSimHost* m_host = nullptr;
};
} // namespace Orx2Sim
