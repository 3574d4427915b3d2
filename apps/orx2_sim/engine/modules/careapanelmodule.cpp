#include "careapanelmodule.h"

#include "../ccommandsignatures.h"
#include "../describedvalues.h"
#include "../makesimulatorcommand.h"

#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/ieventsignalhandler.h"
#include "base/orx2basepool/tfullarrayobserver.h"
#include "businesslayer/common/cthumbnailitemviewmodelbase.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace Orx2Sim
{
using Base::EAreaItems;

namespace
{
using ThumbnailPointer = std::shared_ptr<Base::IThumbnailItemViewModel>;
using ThumbnailArray = Base::Binding::IArrayBindingSource<ThumbnailPointer>;

constexpr char kSelectPrefix[] = "CThumbnailItemViewModelBase.Select_";

/// The thumbnail bar of `area` as the GUI reaches it: through the area slot's panel and the area item's
/// interface; null while the slot is empty.
std::shared_ptr<Base::IThumbnailBarViewModel> Bar(Base::IGuiConfiguration const& gui, EAreaItems area)
{
    auto const panel = gui.GetAreaConfiguration().Get();
    return panel ? panel->GetAreaItemViewModels().at(Base::AreaIndex(area))->GetThumbnailBarConfiguartion()
                 : nullptr;
}

/// The bitmap ids of the thumbnails in `area`'s bar, in bar order; only the selected ones when asked.
Json BitmapIds(Base::IGuiConfiguration const& gui, EAreaItems area, bool selectedOnly)
{
    auto const bar = Bar(gui, area);
    if (!bar)
        return Json();
    Json ids = Json::array();
    for (ThumbnailPointer const& thumbnail : bar->GetThumbnailsArrayBindingSource().GetValues())
        if (thumbnail && (!selectedOnly || thumbnail->GetIsSelected().Get()))
            ids.push_back(Narrow(thumbnail->GetBitmapID().Get().GetStdString()));
    return ids;
}

/// True for "CThumbnailItemViewModelBase.Select_<area>_<suffix>" with a real area and a suffix.
bool IsSelectCommandName(std::string const& name)
{
    if (name.compare(0, sizeof kSelectPrefix - 1, kSelectPrefix) != 0)
        return false;
    std::string const rest = name.substr(sizeof kSelectPrefix - 1);
    return std::any_of(RealAreas().begin(), RealAreas().end(),
                       [&rest](EAreaItems area)
                       {
                           std::string const head = AreaText(area) + "_";
                           return rest.size() > head.size() && rest.compare(0, head.size(), head) == 0;
                       });
}

/// Calls `notify` on the PropertyChanged of every thumbnail in a bar, following the bar: a thumbnail that
/// joins is connected, one that leaves is let go. Destruction stops following first, then ends every
/// connection (each waits for its running handler).
class CThumbnailsConnection
{
public:
    CThumbnailsConnection(ThumbnailArray const& bar, CPropertyCatalog::Notify notify)
        : m_notify(std::move(notify))
    {
        m_follow = Base::Binding::MakeFullArrayObserver(
            bar, [this](std::vector<ThumbnailPointer> const& thumbnails) { Follow(thumbnails); });
    }
    ~CThumbnailsConnection() { m_follow = Base::Binding::TArrayObserver<ThumbnailPointer>(); }
    CThumbnailsConnection(CThumbnailsConnection const&) = delete;
    CThumbnailsConnection& operator=(CThumbnailsConnection const&) = delete;

private:
    struct SConnection
    {
        ThumbnailPointer thumbnail;
        Base::CScopedEventSignalConnection connection;
    };

    // The observer's calls never overlap, so m_connections needs no lock of its own.
    void Follow(std::vector<ThumbnailPointer> const& thumbnails)
    {
        std::vector<SConnection> now;
        for (ThumbnailPointer const& thumbnail : thumbnails)
        {
            auto const same = [&thumbnail](SConnection const& c) { return c.thumbnail == thumbnail; };
            if (!thumbnail || std::any_of(now.begin(), now.end(), same))
                continue;
            auto const kept = std::find_if(m_connections.begin(), m_connections.end(), same);
            if (kept != m_connections.end())
                now.push_back(std::move(*kept));
            else
                now.push_back(SConnection{
                    thumbnail,
                    Base::CScopedEventSignalConnection(thumbnail->GetPropertyChangedEventSignal().Connect(
                        Base::MakeEventSignalHandler<void>([this] { m_notify(); })))});
        }
        std::swap(m_connections, now); // the thumbnails that left are let go with `now`
    }

    CPropertyCatalog::Notify const m_notify;
    std::vector<SConnection> m_connections;
    Base::Binding::TArrayObserver<ThumbnailPointer> m_follow; // last: ends first
};

std::string CheckBitmap(Json const& arguments)
{
    return arguments.at("bitmap").get<std::string>().empty() ? "'bitmap' must not be empty" : "";
}
} // namespace

void CAreaPanelModule::Start(CSimHost& host)
{
    m_host = &host;
    // The host publishes the panel and its trash to the GUI through their slots.
    host.GetGuiConfiguration().GetAreaConfiguration().Set(host.GetAreaPanel().GetAreaViewModel());
    host.GetGuiConfiguration().GetTrashConfiguration().Set(host.GetAreaPanel().GetTrashViewModel());
    m_addThumbnail = MakeSimulatorCommand<EAreaItems, int, std::wstring>(
        L"AddThumbnail", [this](EAreaItems area, int number, std::wstring const& bitmap)
        { m_host->GetAreaPanel().GetThumbnails(area).Add(std::to_wstring(number), number, bitmap); });
    // The user clicks a thumbnail: the GUI finds it in the bar by bitmap id and executes its command.
    m_selectThumbnail = MakeSimulatorCommand<EAreaItems, std::wstring>(
        L"SelectThumbnail",
        [this](EAreaItems area, std::wstring const& bitmap)
        {
            ThumbnailPointer const thumbnail =
                Bar(m_host->GetGuiConfiguration(), area)->GetThumbnail(JyUniqueIdT<CStringW>(bitmap));
            if (!thumbnail)
                throw std::runtime_error("no thumbnail of " + AreaText(area) + " has bitmap id '" +
                                         Narrow(bitmap) + "'");
            auto const command = thumbnail->GetSelectCommand();
            if (!command)
                throw std::runtime_error("the thumbnail '" + Narrow(bitmap) + "' has no select command");
            if (auto const result = command->Execute())
                result->Wait();
        });
    m_removeThumbnail = MakeSimulatorCommand<EAreaItems, std::wstring>(
        L"RemoveThumbnail",
        [this](EAreaItems area, std::wstring const& bitmap)
        {
            if (!m_host->GetAreaPanel().GetThumbnails(area).Remove(bitmap))
                throw std::runtime_error("no thumbnail of " + AreaText(area) + " has bitmap id '" +
                                         Narrow(bitmap) + "'");
        });
    // The user clicks a tile: the GUI executes the panel's activate command with the tile's area.
    m_activate = MakeSimulatorCommand<EAreaItems>(
        L"ActivateArea",
        [this](EAreaItems area)
        {
            Base::IAreaViewModel const& panel = *m_host->GetAreaPanel().GetAreaViewModel();
            auto const command = panel.GetActivateAreaCommand().Get();
            if (!command)
                throw std::runtime_error("the area panel has no activate command");
            if (auto const result = command->Execute(area))
                result->Wait();
        });
}

void CAreaPanelModule::Stop()
{
    m_activate.reset();
    m_removeThumbnail.reset();
    m_selectThumbnail.reset();
    m_addThumbnail.reset();
    m_host->GetGuiConfiguration().GetTrashConfiguration().Set(nullptr);
    m_host->GetGuiConfiguration().GetAreaConfiguration().Set(nullptr);
    m_host = nullptr;
}

void CAreaPanelModule::DeclareScreenValues(CPropertyCatalog& catalog, SSimScreen const& screen)
{
    Base::IGuiConfiguration const& gui = screen.gui;
    CPropertyCatalog::Subscribe const panelChanges = [&gui](Notify notify)
    { return Observe(gui.GetAreaConfiguration(), std::move(notify)); };
    for (EAreaItems const area : RealAreas())
    {
        std::string const name = AreaText(area);
        // The GUI re-reads the bar when its array changes and a thumbnail when that one notifies. Each
        // connection is made to the bar the area slot leads to then, and made anew when the slot is
        // filled anew: a GUI that connects later than it declared must not reach a bar that went.
        std::vector<std::size_t> sources;
        if (auto const bar = Bar(gui, area))
        {
            void const* const identity = &bar->GetThumbnailsArrayBindingSource();
            auto const connect = [&gui, area](auto make)
            {
                return [&gui, area, make](Notify const& notify) -> std::shared_ptr<void>
                {
                    auto const now = Bar(gui, area);
                    return now ? make(now->GetThumbnailsArrayBindingSource(), notify) : nullptr;
                };
            };
            sources = {Described::AddFollowingSource(
                           catalog, "ThumbnailBar." + name, "ArrayChanged", identity, panelChanges,
                           connect([](ThumbnailArray const& thumbnails, Notify const& notify)
                                   { return Observe(thumbnails, notify); })),
                       Described::AddFollowingSource(
                           catalog, "Thumbnails." + name, "PropertyChanged", identity, panelChanges,
                           connect([](ThumbnailArray const& thumbnails, Notify const& notify)
                                   { return std::make_shared<CThumbnailsConnection>(thumbnails, notify); }))};
        }
        catalog.AddProperty(
            "Area." + name + ".Thumbnails", sources, [&gui, area] { return BitmapIds(gui, area, false); },
            "the bitmap ids of the area's thumbnails, in bar order");
        catalog.AddProperty(
            "Area." + name + ".SelectedThumbnails", sources,
            [&gui, area] { return BitmapIds(gui, area, true); },
            "the bitmap ids of the area's selected thumbnails");
    }
}

void CAreaPanelModule::DeclareSteps(CStepCatalog& steps)
{
    SStepParameter const area{"area", EParameterType::Area, std::nullopt, "the scan area, e.g. LowerJaw", {}};
    SStepParameter const bitmap{
        "bitmap", EParameterType::Text, std::nullopt, "the thumbnail's bitmap id", {}};

    steps.Add(SStepKind{
        "add-thumbnail",
        "the engine adds a thumbnail to an area's bar, with its bitmap id (AREA-NUMBER unless given); its "
        "select command is registered as CThumbnailItemViewModelBase.Select_AREA_NUMBER",
        {area,
         {"number", EParameterType::Integer, std::nullopt, "the thumbnail's number", {}},
         {"bitmap", EParameterType::Text, Json(""), "the bitmap id", {}}},
        {},
        [this](Json const& arguments, CTimeline&)
        {
            EAreaItems const which = ParseArea(arguments.at("area").get<std::string>()).value();
            int const number = static_cast<int>(
                std::min<std::uint64_t>(arguments.at("number").get<std::uint64_t>(), INT_MAX));
            std::string id = arguments.at("bitmap").get<std::string>();
            if (id.empty())
                id = AreaText(which) + "-" + std::to_string(number);
            m_addThumbnail->Execute(which, number, Widen(id));
        }});
    steps.Add(SStepKind{"select-thumbnail",
                        "the user clicks a thumbnail: the GUI finds it in the area's bar by bitmap id and "
                        "executes its select command (a second click deselects)",
                        {area, bitmap},
                        CheckBitmap,
                        [this](Json const& arguments, CTimeline&)
                        {
                            m_selectThumbnail->Execute(
                                ParseArea(arguments.at("area").get<std::string>()).value(),
                                Widen(arguments.at("bitmap").get<std::string>()));
                        }});
    steps.Add(
        SStepKind{"remove-thumbnail",
                  "the engine removes a thumbnail from an area's bar; its select command's name expires",
                  {area, bitmap},
                  CheckBitmap,
                  [this](Json const& arguments, CTimeline&)
                  {
                      m_removeThumbnail->Execute(ParseArea(arguments.at("area").get<std::string>()).value(),
                                                 Widen(arguments.at("bitmap").get<std::string>()));
                  }});
    steps.Add(
        SStepKind{"activate",
                  "the user clicks an area's tile: the GUI executes the panel's activate command, and the "
                  "host selects the area",
                  {area},
                  {},
                  [this](Json const& arguments, CTimeline&)
                  { m_activate->Execute(ParseArea(arguments.at("area").get<std::string>()).value()); }});
    steps.AddSessionCommand(SSessionCommand{"CThumbnailItemViewModelBase.Select_<area>_<suffix>",
                                            IsSelectCommandName, CCommandSignatures::TextOf<>(), false});
}

void CAreaPanelModule::Render(CScreenCanvas& canvas) const
{
    canvas.Section("THUMBNAILS   #number bitmap id, * selected");
    bool any = false;
    for (EAreaItems const area : RealAreas())
    {
        auto const thumbnails =
            Bar(m_host->GetGuiConfiguration(), area)->GetThumbnailsArrayBindingSource().GetValues();
        if (thumbnails.empty())
            continue;
        any = true;
        constexpr std::size_t kFirstColumn = 20;
        canvas.Line().Text("   ").Cell(AreaText(area), kFirstColumn - 3);
        std::size_t column = kFirstColumn;
        for (ThumbnailPointer const& thumbnail : thumbnails)
        {
            if (!thumbnail)
                continue;
            bool const selected = thumbnail->GetIsSelected().Get();
            std::string const text = "#" + std::to_string(thumbnail->GetNumber().Get()) + " " +
                                     Narrow(thumbnail->GetBitmapID().Get().GetStdString());
            if (column > kFirstColumn && column + text.size() + 3 > CScreenCanvas::kWidth)
            {
                canvas.Line().PadTo(kFirstColumn);
                column = kFirstColumn;
            }
            canvas.Text(selected ? "  *" : "   ", EStyle::Selected)
                .Text(text, selected ? EStyle::Selected : EStyle::Plain);
            column += text.size() + 3;
        }
    }
    if (!any)
        canvas.Line().Text("   (none)", EStyle::Dim);
}
} // namespace Orx2Sim
