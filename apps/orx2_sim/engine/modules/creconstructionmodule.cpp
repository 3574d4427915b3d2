#include "creconstructionmodule.h"

#include "../makesimulatorcommand.h"

#include "host/values/creconstructionresult.h"
#include "host/values/ctriangulation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace Orx2Sim
{
using Base::EAreaItems;
using BusinessLayer::EImageProcessingProgress;

namespace
{
EAreaItems AreaArgument(Json const& arguments)
{
    return ParseArea(arguments.at("area").get<std::string>()).value();
}

std::shared_ptr<ReferenceHost::CCommonArea> ExistingArea(ReferenceHost::CCommonAreas const& areas,
                                                         EAreaItems area)
{
    auto object = areas.GetCommonArea(area);
    if (!object)
        throw std::runtime_error("area " + AreaText(area) + " is not instantiated");
    return object;
}

constexpr std::size_t kBarWidth = 40;
} // namespace

void CReconstructionModule::Start(CSimHost& host)
{
    m_host = &host;
    m_setProgress = MakeSimulatorCommand<EAreaItems, float>(
        L"SetReconstructionProgress", [this](EAreaItems area, float fraction)
        { ExistingArea(*m_host->GetAreas(), area)->SetReconstructionProgress(fraction); });
    m_deliverResult = MakeSimulatorCommand<EAreaItems, unsigned int>(
        L"DeliverReconstruction",
        [this](EAreaItems area, unsigned int triangles)
        {
            auto const object = ExistingArea(*m_host->GetAreas(), area);
            object->SetReconstructionResult(DataLayer::CReconstructionResult(
                std::make_shared<Geometry::CTriangulation const>(triangles)));
            object->SetReconstructionProgress(1.0f);
            object->SetImageProcessingProgress(EImageProcessingProgress::eORX_OK);
        });
    m_setProcessing = MakeSimulatorCommand<EAreaItems, EImageProcessingProgress>(
        L"SetImageProcessingProgress", [this](EAreaItems area, EImageProcessingProgress state)
        { ExistingArea(*m_host->GetAreas(), area)->SetImageProcessingProgress(state); });
    m_setContributes = MakeSimulatorCommand<EAreaItems, bool>(
        L"SetContributesToModel", [this](EAreaItems area, bool contributes)
        { ExistingArea(*m_host->GetAreas(), area)->SetContributesToModel(contributes); });
}

void CReconstructionModule::Stop()
{
    m_setContributes.reset();
    m_setProcessing.reset();
    m_deliverResult.reset();
    m_setProgress.reset();
    m_host = nullptr;
}

double CReconstructionModule::GetProgressPercent(CSimHost const& host)
{
    float const percent =
        host.GetConfiguration().GetReconstructionProgressDataExchangeModel()->GetReconstructionProgress().Get();
    return std::round(static_cast<double>(percent) * 10.0) / 10.0;
}

std::size_t CReconstructionModule::CountResults(CSimHost const& host)
{
    std::size_t count = 0;
    for (auto const& result :
         host.GetConfiguration().GetTriangulationConfiguration()->GetTriangulationArray().GetValues())
        count += result.GetTriangulation() ? 1 : 0;
    return count;
}

void CReconstructionModule::DeclareScreenValues(CPropertyCatalog& catalog, SSimScreen const& screen)
{
    CSimHost const& host = screen.host;
    auto const& configuration = host.GetConfiguration();
    catalog.AddProperty(
        "Reconstruction.Results",
        catalog.AddArraySource("ReconstructionResult.TriangulationArray",
                               configuration.GetTriangulationConfiguration()->GetTriangulationArray()),
        [&host] { return Json(CountResults(host)); }, "the number of areas whose published result has a triangulation");
}

void CReconstructionModule::DeclareSteps(CStepCatalog& steps)
{
    SStepParameter const area{"area", EParameterType::Area, std::nullopt, "the scan area, e.g. LowerJaw", {}};
    SStepParameter const triangles{
        "triangles", EParameterType::Integer, Json(20000), "the size of the reconstruction", {}};
    auto const triangleCount = [](Json const& arguments)
    {
        return static_cast<unsigned int>(
            std::min<std::uint64_t>(arguments.at("triangles").get<std::uint64_t>(), 0xffffffffu));
    };

    steps.Add(SStepKind{
        "progress",
        "the engine reports an area's reconstruction progress",
        {area, {"percent", EParameterType::Number, std::nullopt, "0 to 100", {}}},
        [](Json const& arguments)
        {
            double const percent = arguments.at("percent").get<double>();
            return percent < 0.0 || percent > 100.0 ? std::string("'percent' must lie between 0 and 100")
                                                    : std::string();
        },
        [this](Json const& arguments, CTimeline&)
        {
            m_setProgress->Execute(AreaArgument(arguments),
                                   static_cast<float>(arguments.at("percent").get<double>() / 100.0));
        }});
    steps.Add(SStepKind{"result",
                        "the engine delivers an area's reconstruction (progress 100 %, processing OK)",
                        {area, triangles},
                        {},
                        [this, triangleCount](Json const& arguments, CTimeline&)
                        { m_deliverResult->Execute(AreaArgument(arguments), triangleCount(arguments)); }});
    steps.Add(SStepKind{
        "fail", "an area's image processing fails", {area}, {}, [this](Json const& arguments, CTimeline&) {
            m_setProcessing->Execute(AreaArgument(arguments), EImageProcessingProgress::eORX_FAIL);
        }});
    steps.Add(SStepKind{"recover",
                        "a failed area recovers: the engine delivers a new reconstruction",
                        {area, triangles},
                        {},
                        [this, triangleCount](Json const& arguments, CTimeline&)
                        { m_deliverResult->Execute(AreaArgument(arguments), triangleCount(arguments)); }});
    steps.Add(SStepKind{
        "processing",
        "sets an area's image-processing state",
        {area,
         {"state", EParameterType::Choice, std::nullopt, "the state", {"Running", "OK", "Warning", "Fail"}}},
        {},
        [this](Json const& arguments, CTimeline&)
        {
            m_setProcessing->Execute(AreaArgument(arguments),
                                     ParseEnum<EImageProcessingProgress>(arguments.at("state").get<std::string>()).value());
        }});
    steps.Add(SStepKind{"contributes",
                        "an area starts (or stops) contributing to the model",
                        {area, {"value", EParameterType::Bool, Json(true), "contributes", {}}},
                        {},
                        [this](Json const& arguments, CTimeline&) {
                            m_setContributes->Execute(AreaArgument(arguments),
                                                      arguments.at("value").get<bool>());
                        }});
}

void CReconstructionModule::Render(CScreenCanvas& canvas) const
{
    double const percent = GetProgressPercent(*m_host);
    auto const filled = static_cast<std::size_t>(std::lround(std::clamp(percent, 0.0, 100.0) / 100.0 * kBarWidth));
    auto const resultModel = m_host->GetConfiguration().GetTriangulationConfiguration();
    auto const progressModel = m_host->GetConfiguration().GetReconstructionProgressDataExchangeModel();
    ReconstructionState const state = resultModel->GetReconstructionState().Get();
    EImageProcessingProgress const processing = progressModel->GetReconstructionProgressState().Get();

    canvas.Section("RECONSTRUCTION");
    char number[32];
    std::snprintf(number, sizeof number, "%5.1f %%", percent);
    canvas.Line()
        .Text("   progress [")
        .Text(std::string(filled, '#'), EStyle::Good)
        .Text(std::string(kBarWidth - filled, '-'), EStyle::Dim)
        .Text("] ")
        .Text(number, EStyle::Strong)
        .Text("   processing ")
        .Text(EnumText(processing),
              processing == EImageProcessingProgress::eORX_FAIL ? EStyle::Bad : EStyle::Plain);
    canvas.Line()
        .Text("   state    ")
        .Text(EnumText(state), state == ReconstructionState::Failed     ? EStyle::Bad
                                              : state == ReconstructionState::Complete ? EStyle::Good
                                                                                       : EStyle::Warning)
        .PadTo(28)
        .Text("saved ")
        .Text(resultModel->GetReconstructionResultAutoSaved().Get() ? "yes" : "no")
        .PadTo(44)
        .Text("areas with a result " + std::to_string(CountResults(*m_host)));
}
} // namespace Orx2Sim
