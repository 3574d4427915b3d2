#include "ccommoncommandsmodule.h"

#include <string>

namespace Orx2Sim
{
namespace
{
using ToolActionType = Base::IToolActionViewModel::ItemTypeToolActionsEnum;

/// The tool the simulator shows: its actions 0 to 2, the first selected, the last disabled.
constexpr wchar_t kToolName[] = L"Sim";
constexpr int kToolActionCount = 3;

/// The names of the commands the slots hold, in slot order, and the number of slots.
struct SSlots
{
    std::vector<std::string> names;
    std::size_t count = 0;
};

template <class... Commands> SSlots Filled(Commands const&... commands)
{
    SSlots slots;
    slots.count = sizeof...(Commands);
    auto const one = [&slots](auto const& command)
    {
        if (command)
            slots.names.push_back(Narrow(command->GetName()));
    };
    (one(commands), ...);
    return slots;
}

/// Every slot of the set, in the order of its interface.
SSlots ReadSlots(Base::ICommonCommands const& set)
{
    return Filled(set.GetEngineReplayModeCommand(), set.GetEngineActivateSaveCommand(),
                  set.GetEngineActivateLoadCommand(), set.GetAccuracyTestCommand(),
                  set.GetExportReconstructionCommand(), set.GetExportAreaContentCommand(),
                  set.GetDebugOptimizationCommand(), set.GetUnlockAreasCommand(),
                  set.GetAreaSetDoReconstructionCommand(), set.GetAreasWaitForIdleCommand(),
                  set.GetSaveAreaEntitiesCommand(), set.GetSaveAreaCommand(),
                  set.GetSwitchAreaOptimizationTypeCommand(), set.GetTriggerReconstructionCommand(),
                  set.GetSaveSurfelCollectionCommand(), set.GetClearEntitiesCommand(),
                  set.GetApplyCutFromFileCommand(), set.GetRecomputeOptimizationCommand(),
                  set.GetRecalculateOutlierCommand(), set.GetClearLastReentryResultCommand(),
                  set.GetGetLastReentryWasSuccessfulCommand(), set.GetGetLastReentryDelayCommand(),
                  set.GetGetLastReentryTrafoCommand(), set.GetInjectSupportGeometryCommand(),
                  set.GetInjectReferenceGeometryCommand(), set.GetInjectReferenceGeometrySCCommand(),
                  set.GetAddAreaCommand(), set.GetMoveAreaCommand(), set.GetGetGlobalParameterSetCommand(),
                  set.GetWriteRandomBinFileCommand(), set.GetReplaceGeometryAtL0LevelCommand(),
                  set.GetDisturbTransformationsCommand(), set.GetConnectVisualizationCommand(),
                  set.GeDebugDomainTestCommand());
}

/// The name of the command a tool action's button executes; null while it has none.
Json CommandName(Base::IToolActionViewModel const& action)
{
    auto const command = action.GetCommand().Get();
    return command ? Json(Narrow(command->GetName())) : Json(nullptr);
}
} // namespace

void CCommonCommandsModule::Start(CSimHost& host)
{
    m_host = &host;
    for (int type = 0; type < kToolActionCount; ++type)
        m_toolActions.push_back(std::make_shared<BusinessLayer::CToolActionViewModelBase>(
            kToolName, static_cast<ToolActionType>(type), true, type + 1 < kToolActionCount, type == 0));
}

void CCommonCommandsModule::Stop()
{
    m_toolActions.clear();
    m_host = nullptr;
}

void CCommonCommandsModule::DeclareProperties(CPropertyCatalog& catalog)
{
    Base::ICommonCommands const& set = m_host->GetCommonCommands();
    // Command slots notify nobody: a GUI sees a replaced command on its next full redraw only.
    std::size_t const slots = catalog.AddSource(
        "CommonCommands", "none", [](CPropertyCatalog::Notify const&) { return std::shared_ptr<void>(); }, &set);
    catalog.AddProperty(
        "CommonCommands.Names", slots, [&set] { return Json(ReadSlots(set).names); },
        "the names of the commands in the common command set's slots, in slot order");
    for (auto const& action : m_toolActions)
    {
        Base::IToolActionViewModel const& gui = *action;
        std::string const prefix = "ToolAction." + Narrow(kToolName) + "." +
                                   std::to_string(static_cast<int>(gui.GetItemType().Get()));
        std::size_t const source = catalog.AddNotifySource(prefix, gui);
        catalog.AddProperty(
            prefix + ".Visible", source, [&gui] { return Json(gui.GetVisibility().Get()); },
            "the tool action's button is visible");
        catalog.AddProperty(
            prefix + ".Enabled", source, [&gui] { return Json(gui.GetEnabled().Get()); },
            "the tool action's button is enabled");
        catalog.AddProperty(
            prefix + ".Selected", source, [&gui] { return Json(gui.GetSelected().Get()); },
            "the tool action is the selected one");
        catalog.AddProperty(
            prefix + ".Command", source, [&gui] { return CommandName(gui); },
            "the name of the command the button executes (null: none)");
    }
}

void CCommonCommandsModule::Render(CScreenCanvas& canvas) const
{
    SSlots const slots = ReadSlots(m_host->GetCommonCommands());
    canvas.Section("COMMON COMMANDS   " + std::to_string(slots.names.size()) + " of " +
                   std::to_string(slots.count) + " slots hold a command");
    canvas.Line();
    std::size_t column = 0;
    for (std::string const& name : slots.names)
    {
        if (column > 0 && 3 + column + name.size() > CScreenCanvas::kWidth)
        {
            canvas.Line();
            column = 0;
        }
        canvas.Text("   ").Text(name);
        column += 3 + name.size();
    }
    canvas.Section("TOOL ACTIONS   tool " + Narrow(kToolName) + "   V visible  E enabled  S selected");
    for (auto const& action : m_toolActions)
    {
        Base::IToolActionViewModel const& gui = *action;
        auto const flag = [&canvas](bool on, char const* letter)
        { canvas.Text(on ? letter : ".", on ? EStyle::Strong : EStyle::Dim).Text(" "); };
        canvas.Line().Text("   ");
        flag(gui.GetVisibility().Get(), "V");
        flag(gui.GetEnabled().Get(), "E");
        flag(gui.GetSelected().Get(), "S");
        Json const name = CommandName(gui);
        canvas.Text(" ").Text(name.is_null() ? "(no command)" : name.get<std::string>());
    }
}
} // namespace Orx2Sim
