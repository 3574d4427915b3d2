#pragma once
#include "../isimmodule.h"

#include "base/orx2basepool/tserializablecommand.h"
#include "host/values/eliveviewstatus.h"

#include <memory>

namespace Orx2Sim
{
/// The host's acquisition flags that the view models follow: treat the reconstruction as done, result
/// saved, live-view status, live image hidden, acquisition work running. Steps: done, saved, live-view,
/// live-image-hidden, running.
class CHostModule final : public ISimModule
{
public:
    void Start(CSimHost& host) override;
    /// The host's values: Host.TreatReconstructionAsDone, ResultSaved, LiveView, LiveImageHidden, Running.
    static void DeclareScreenValues(CPropertyCatalog& catalog, SSimScreen const& screen);
    void DeclareSteps(CStepCatalog& steps) override;
    void Render(CScreenCanvas& canvas) const override;
    void Stop() override;

private:
    template <class... Args> using Command = std::shared_ptr<Base::TSerializableCommand<void, Args...>>;

    CSimHost* m_host = nullptr;
    Command<bool> m_treatAsDone;
    Command<bool> m_setSaved;
    Command<BusinessLayer::ELiveViewStatus> m_setLiveView;
    Command<bool> m_setLiveImageHidden;
    Command<bool> m_setRunning;
};
} // namespace Orx2Sim
