#pragma once
#include "../isimmodule.h"

namespace Orx2Sim
{
/// Whether the model tab may be opened and whether any scan data exist, as the model-tab model
/// publishes them. No steps of its own: it follows the areas, their data and the required areas.
class CModelTabModule final : public ISimModule
{
public:
    void Start(CSimHost& host) override { m_host = &host; }
    void DeclareSteps(CStepCatalog&) override {}
    void Render(CScreenCanvas& canvas) const override;
    void Stop() override { m_host = nullptr; }

private:
    CSimHost* m_host = nullptr;
};
} // namespace Orx2Sim
