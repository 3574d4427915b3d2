#include "careasmodule.h"

#include "../makesimulatorcommand.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace Orx2Sim
{
using Base::EAreaItems;

namespace
{

EAreaItems AreaArgument(Json const& arguments, char const* name = "area")
{
    return ParseArea(arguments.at(name).get<std::string>()).value();
}

/// The area object to drive; throws when the area does not exist (the engine cannot scan it).
std::shared_ptr<ReferenceHost::CCommonArea> ExistingArea(ReferenceHost::CCommonAreas const& areas,
                                                         EAreaItems area)
{
    auto object = areas.GetCommonArea(area);
    if (!object)
        throw std::runtime_error("area " + AreaText(area) + " is not instantiated");
    return object;
}

/// The screen's layout: the upper side left, the lower side right, the registrations last.
constexpr EAreaItems kTileRows[][2] = {
    {EAreaItems::UpperJaw, EAreaItems::LowerJaw},
    {EAreaItems::PreOpUpper, EAreaItems::PreOpLower},
    {EAreaItems::BiogenRefUpper, EAreaItems::BiogenRefLower},
    {EAreaItems::GingivaMaskUpper, EAreaItems::GingivaMaskLower},
    {EAreaItems::ScanbodyUpper, EAreaItems::ScanbodyLower},
    {EAreaItems::BiteUpper, EAreaItems::BiteLower},
    {EAreaItems::BuccalReg, EAreaItems::ArticulationReg},
};
constexpr std::size_t kTileWidth = 49;
} // namespace

void CAreasModule::Start(CSimHost& host)
{
    m_host = &host;
    m_instantiate = MakeSimulatorCommand<EAreaItems>(
        L"InstantiateArea",
        [this](EAreaItems area)
        {
            m_host->GetConfiguration().GetInstantiatedAreaDataExchangeModel()->InstantiateArea(area);
            if (!m_host->GetAreas()->IsAreaInstantiated(area))
                throw std::runtime_error("area " + AreaText(area) + " cannot be instantiated");
        });
    m_setHasData = MakeSimulatorCommand<EAreaItems, bool>(
        L"SetHasData", [this](EAreaItems area, bool hasData)
        { ExistingArea(*m_host->GetAreas(), area)->SetHasDataOrReco(hasData); });
    m_remove = MakeSimulatorCommand<EAreaItems>(L"RemoveArea", [this](EAreaItems area)
                                                { m_host->GetAreas()->RemoveArea(area); });
    m_select = MakeSimulatorCommand<EAreaItems>(L"SelectArea", [this](EAreaItems area)
                                                { m_host->GetSelectedArea()->Set(area); });
}

void CAreasModule::Stop()
{
    m_select.reset();
    m_remove.reset();
    m_setHasData.reset();
    m_instantiate.reset();
    m_host = nullptr;
}

bool CAreasModule::IsRequired(CSimHost const& host, EAreaItems area)
{
    auto const level =
        host.GetConfiguration().GetCaseRequiredAreasDataExchangeModel()->GetRequiredAreasArray().GetAt(
            Base::AreaIndex(area));
    return level && level.value() == Level::Obligatory;
}

bool CAreasModule::IsObligatory(EAreaItems area) const
{
    return AreaItem(area).GetIsObligatory().Get();
}

bool CAreasModule::IsInstantiated(EAreaItems area) const
{
    return m_host->GetAreas()->IsAreaInstantiated(area);
}

bool CAreasModule::HasData(EAreaItems area) const
{
    return m_host->GetConfiguration().GetReconstructionProgressDataExchangeModel()->GetReconstructionArea(
        area);
}

bool CAreasModule::IsSelected(EAreaItems area) const
{
    return m_host->GetAreaPanel().GetAreaViewModel()->GetSelectedArea().Get() == area;
}

BusinessLayer::CAreaItemViewModelBase const& CAreasModule::AreaItem(EAreaItems area) const
{
    return *m_host->GetAreaPanel().GetAreaViewModel()->GetAreaItemViewModels().at(Base::AreaIndex(area));
}

ReconstructionState CAreasModule::GetReconstruction(EAreaItems area) const
{
    return m_host->GetConfiguration().GetTriangulationConfiguration()->GetReconstructionState(area);
}

double CAreasModule::GetProgressPercent(CSimHost const& host, EAreaItems area)
{
    float const fraction =
        host.GetConfiguration().GetReconstructionProgressDataExchangeModel()->GetReconstructionProgress(area);
    return std::round(static_cast<double>(fraction) * 1000.0) / 10.0;
}

void CAreasModule::DeclareScreenValues(CPropertyCatalog& catalog, SSimScreen const& screen)
{
    CSimHost const& host = screen.host;
    auto const& configuration = host.GetConfiguration();
    std::size_t const levels = catalog.AddArraySource(
        "Case.RequiredAreasArray", configuration.GetCaseRequiredAreasDataExchangeModel()->GetRequiredAreasArray());
    std::size_t const areaSet = catalog.AddValueSource("host AreaSetRevision", host.GetAreas()->GetAreaSetRevision());
    std::size_t const selected = catalog.AddValueSource("host SelectedArea", *host.GetSelectedArea());
    std::size_t const progress = catalog.AddNotifySource(
        "ReconstructionProgressBar", *configuration.GetReconstructionProgressDataExchangeModel());
    auto const& panel = screen.gui.GetAreaConfiguration();
    std::size_t const shown = catalog.FindSource("Area").value_or(catalog.FindSource("Area slot").value());

    catalog.AddProperty(
        "Case.SelectedArea", selected, [&host] { return Json(AreaText(host.GetSelectedArea()->Get())); },
        "the host's selected area (Undefined before the case opens)");
    for (EAreaItems const area : RealAreas())
    {
        std::string const prefix = "Area." + AreaText(area) + ".";
        catalog.AddProperty(
            prefix + "Required", levels, [&host, area] { return Json(IsRequired(host, area)); },
            "the case prescribes the area (level Obligatory)");
        catalog.AddProperty(
            prefix + "Instantiated", areaSet, [&host, area] { return Json(host.GetAreas()->IsAreaInstantiated(area)); },
            "the area exists in the host");
        catalog.AddProperty(
            prefix + "Selected", shown,
            [&panel, area]
            {
                auto const viewModel = panel.Get();
                return viewModel ? Json(viewModel->GetSelectedArea().Get() == area) : Json();
            },
            "the area panel shows the area as selected (it follows the host's selected area)");
        catalog.AddProperty(
            prefix + "Progress", progress, [&host, area] { return Json(GetProgressPercent(host, area)); },
            "the area's reconstruction progress in percent, to one decimal");
    }
}

void CAreasModule::DeclareSteps(CStepCatalog& steps)
{
    SStepParameter const area{"area", EParameterType::Area, std::nullopt, "the scan area, e.g. LowerJaw", {}};

    steps.Add(SStepKind{
        "prescribe",
        "the case prescribes its areas: the listed areas become obligatory, all others optional "
        "(executes the case model's update command)",
        {{"obligatory", EParameterType::Areas, std::nullopt, "the obligatory areas", {}}},
        {},
        [this](Json const& arguments, CTimeline&)
        {
            std::vector<Level> levels(Base::kAreaItemCount, Level::Optional);
            for (Json const& name : arguments.at("obligatory"))
                levels[Base::AreaIndex(ParseArea(name.get<std::string>()).value())] = Level::Obligatory;
            m_host->GetConfiguration().GetCaseRequiredAreasDataExchangeModel()->SetRequiredAreasArray(levels);
        }});
    steps.Add(SStepKind{"instantiate",
                        "the engine instantiates an area (through the instantiated-area model)",
                        {area},
                        {},
                        [this](Json const& arguments, CTimeline&)
                        { m_instantiate->Execute(AreaArgument(arguments)); }});
    steps.Add(SStepKind{"data",
                        "an instantiated area gains (or loses) scan data",
                        {area, {"value", EParameterType::Bool, Json(true), "holds data", {}}},
                        {},
                        [this](Json const& arguments, CTimeline&) {
                            m_setHasData->Execute(AreaArgument(arguments), arguments.at("value").get<bool>());
                        }});
    steps.Add(SStepKind{
        "remove", "the engine removes an area", {area}, {}, [this](Json const& arguments, CTimeline&) {
            m_remove->Execute(AreaArgument(arguments));
        }});
    steps.Add(SStepKind{
        "select", "the host selects an area", {area}, {}, [this](Json const& arguments, CTimeline&) {
            m_select->Execute(AreaArgument(arguments));
        }});
}

void CAreasModule::RenderTile(CScreenCanvas& canvas, EAreaItems area) const
{
    bool const selected = IsSelected(area);
    bool const instantiated = IsInstantiated(area);
    canvas.Text(selected ? " > " : "   ", selected ? EStyle::Selected : EStyle::Plain);
    canvas.Cell(AreaText(area), 17,
                selected ? EStyle::Selected : (instantiated ? EStyle::Strong : EStyle::Plain));
    auto const flag = [&canvas](bool on, char const* letter, EStyle style)
    { canvas.Text(on ? letter : ".", on ? style : EStyle::Dim).Text(" "); };
    flag(IsRequired(*m_host, area), "R", EStyle::Warning);
    flag(IsObligatory(area), "O", EStyle::Strong);
    flag(instantiated, "I", EStyle::Plain);
    flag(HasData(area), "D", EStyle::Good);
    if (!instantiated)
        return;
    ReconstructionState const state = GetReconstruction(area);
    EStyle const style = state == ReconstructionState::Failed     ? EStyle::Bad
                         : state == ReconstructionState::Complete ? EStyle::Good
                         : state == ReconstructionState::None     ? EStyle::Dim
                                                                  : EStyle::Warning;
    canvas.Text(" ").Cell(EnumText(state), 12, style);
    char percent[16];
    std::snprintf(percent, sizeof percent, "%5.1f%%", GetProgressPercent(*m_host, area));
    canvas.Text(percent);
}

void CAreasModule::Render(CScreenCanvas& canvas) const
{
    canvas.Section("AREAS   R required by the case  O obligatory  I instantiated  D has data  > selected");
    canvas.Line().Text("   upper side").PadTo(kTileWidth).Text("|").Text("   lower side and registrations");
    for (auto const& row : kTileRows)
    {
        canvas.Line();
        RenderTile(canvas, row[0]);
        canvas.PadTo(kTileWidth).Text("|");
        RenderTile(canvas, row[1]);
    }
}
} // namespace Orx2Sim
