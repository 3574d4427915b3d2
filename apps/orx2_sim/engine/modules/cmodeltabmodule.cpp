#include "cmodeltabmodule.h"

namespace Orx2Sim
{
void CModelTabModule::Render(CScreenCanvas& canvas) const
{
    auto const model = m_host->GetConfiguration().GetIsModelTabAllowedDataExchangeModel();
    bool const allowed = model->GetIsModelTabAllowed().Get();
    bool const data = model->GetIsDataAvailable().Get();
    canvas.Section("MODEL TAB");
    canvas.Line()
        .Text("   ")
        .Text(allowed ? "allowed" : "not allowed", allowed ? EStyle::Good : EStyle::Dim)
        .PadTo(28)
        .Text(data ? "data available" : "no data yet", data ? EStyle::Plain : EStyle::Dim);
}
} // namespace Orx2Sim
