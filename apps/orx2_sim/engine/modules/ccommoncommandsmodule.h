#pragma once
#include "../isimmodule.h"

#include "businesslayer/common/ctoolactionviewmodelbase.h"

#include <memory>
#include <vector>

namespace Orx2Sim
{
/// The common command set as the GUI and scripts reach it (the names of the commands its slots hold,
/// "common.Save" and the like) and the actions of a tool named "Sim", made as a host makes a tool's
/// actions: each with its default command registered as "Sim.CToolActionViewModelBase.Command_<type>",
/// which logs "Command  <type>". `execute` runs either by name. No steps of its own.
class CCommonCommandsModule final : public ISimModule
{
public:
    void Start(CSimHost& host) override;
    /// The tool actions by their descriptions, "ToolAction.Sim.<type>.Member" (the storm names its own
    /// tool's the same way).
    void DeclareProperties(CPropertyCatalog& catalog) override { DeclareToolActions(catalog, m_toolActions); }
    static void DeclareToolActions(CPropertyCatalog& catalog,
                                   std::vector<std::shared_ptr<BusinessLayer::CToolActionViewModelBase>> const& actions);
    void DeclareSteps(CStepCatalog&) override {}
    void Render(CScreenCanvas& canvas) const override;
    void Stop() override;

private:
    CSimHost* m_host = nullptr;
    std::vector<std::shared_ptr<BusinessLayer::CToolActionViewModelBase>> m_toolActions;
};
} // namespace Orx2Sim
