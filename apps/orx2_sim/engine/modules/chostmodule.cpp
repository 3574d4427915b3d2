#include "chostmodule.h"

#include "../makesimulatorcommand.h"

namespace Orx2Sim
{
using BusinessLayer::ELiveViewStatus;

void CHostModule::Start(CSimHost& host)
{
    m_host = &host;
    m_treatAsDone =
        MakeSimulatorCommand<bool>(L"SetTreatReconstructionAsDone", [this](bool done)
                                   { m_host->GetProperties()->SetTreatReconstructionAsDone(done); });
    m_setSaved =
        MakeSimulatorCommand<bool>(L"SetIsReconstructionResultSaved", [this](bool saved)
                                   { m_host->GetProperties()->SetIsReconstructionResultSaved(saved); });
    m_setLiveView =
        MakeSimulatorCommand<ELiveViewStatus>(L"SetLiveViewStatus", [this](ELiveViewStatus status)
                                              { m_host->GetProperties()->SetLiveViewStatus(status); });
    m_setLiveImageHidden = MakeSimulatorCommand<bool>(
        L"SetLiveImageHidden", [this](bool hidden) { m_host->GetProperties()->SetLiveImageHidden(hidden); });
    m_setRunning =
        MakeSimulatorCommand<bool>(L"SetIsRunningExceptReconstruction", [this](bool running)
                                   { m_host->GetAreas()->SetIsRunningExceptReconstruction(running); });
}

void CHostModule::Stop()
{
    m_setRunning.reset();
    m_setLiveImageHidden.reset();
    m_setLiveView.reset();
    m_setSaved.reset();
    m_treatAsDone.reset();
    m_host = nullptr;
}

void CHostModule::DeclareScreenValues(CPropertyCatalog& catalog, SSimScreen const& screen)
{
    auto const properties = screen.host.GetProperties();
    auto const areas = screen.host.GetAreas();
    auto const& done = properties->GetTreatReconstructionAsDone();
    auto const& saved = properties->GetIsReconstructionResultSaved();
    auto const& liveView = properties->GetLiveViewStatus();
    auto const& hidden = properties->GetLiveImageHidden();
    auto const& running = areas->GetIsRunningExceptReconstructionBindingSource();
    catalog.AddProperty(
        "Host.TreatReconstructionAsDone", catalog.AddValueSource("host TreatReconstructionAsDone", done),
        [&done] { return Json(done.GetValue()); }, "the host treats the reconstruction as done");
    catalog.AddProperty(
        "Host.ResultSaved", catalog.AddValueSource("host IsReconstructionResultSaved", saved),
        [&saved] { return Json(saved.GetValue()); }, "the host's flag: the result is saved");
    catalog.AddProperty(
        "Host.LiveView", catalog.AddValueSource("host LiveViewStatus", liveView),
        [&liveView] { return Json(EnumText(liveView.GetValue())); }, "the camera's live-view status");
    catalog.AddProperty(
        "Host.LiveImageHidden", catalog.AddValueSource("host LiveImageHidden", hidden),
        [&hidden] { return Json(hidden.GetValue()); }, "the live image is to be hidden");
    catalog.AddProperty(
        "Host.Running", catalog.AddValueSource("host IsRunningExceptReconstruction", running),
        [&running] { return Json(running.GetValue()); }, "acquisition work other than reconstruction runs");
}

void CHostModule::DeclareSteps(CStepCatalog& steps)
{
    auto const flagStep = [&steps](std::string name, std::string help, Command<bool> const& command)
    {
        steps.Add(SStepKind{std::move(name),
                            std::move(help),
                            {{"value", EParameterType::Bool, Json(true), "the new value", {}}},
                            {},
                            [&command](Json const& arguments, CTimeline&)
                            { command->Execute(arguments.at("value").get<bool>()); }});
    };
    flagStep("done", "the host treats the reconstruction as done (\"treat as done\")", m_treatAsDone);
    flagStep("saved", "the host marks the reconstruction result as saved (or not)", m_setSaved);
    flagStep("live-image-hidden", "the host hides (or shows) the live image", m_setLiveImageHidden);
    flagStep("running", "acquisition work other than reconstruction starts (or stops)", m_setRunning);
    steps.Add(SStepKind{
        "live-view",
        "the camera's live view changes its status",
        {{"status",
          EParameterType::Choice,
          std::nullopt,
          "the new status",
          {"Off", "Starting", "SearchingPosition", "PositionLost", "Tracking", "Ready"}}},
        {},
        [this](Json const& arguments, CTimeline&)
        { m_setLiveView->Execute(ParseEnum<ELiveViewStatus>(arguments.at("status").get<std::string>()).value()); }});
}

void CHostModule::Render(CScreenCanvas& canvas) const
{
    auto const properties = m_host->GetProperties();
    auto const yesNo = [](bool value) { return value ? "yes" : "no"; };
    canvas.Section("HOST");
    canvas.Line()
        .Text("   live view ")
        .Text(EnumText(properties->GetLiveViewStatus().GetValue()), EStyle::Strong)
        .PadTo(28)
        .Text(std::string("live image ") + (properties->GetLiveImageHidden().GetValue() ? "hidden" : "shown"))
        .PadTo(50)
        .Text(std::string("treat as done ") + yesNo(properties->GetTreatReconstructionAsDone().GetValue()))
        .PadTo(70)
        .Text(std::string("running ") +
              yesNo(m_host->GetAreas()->GetIsRunningExceptReconstructionBindingSource().GetValue()));
}
} // namespace Orx2Sim
