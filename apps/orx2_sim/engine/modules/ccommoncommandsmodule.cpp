#include "ccommoncommandsmodule.h"

#include "../describedvalues.h"

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

SSlots ReadSlots(Base::ICommonCommands& set)
{
    SSlots slots;
    Base::ForEachMember<Base::ICommonCommands>(
        [&](auto const& member)
        {
            if constexpr (std::decay_t<decltype(member)>::kKind == Base::EMemberKind::Command)
            {
                ++slots.count;
                if (auto const command = member.Read(set))
                    slots.names.push_back(Narrow(command->GetName()));
            }
        });
    return slots;
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

void CCommonCommandsModule::DeclareToolActions(
    CPropertyCatalog& catalog, std::vector<std::shared_ptr<BusinessLayer::CToolActionViewModelBase>> const& actions)
{
    for (auto const& action : actions)
        AddDescribed<Base::IToolActionViewModel>(
            catalog, "ToolAction." + Narrow(kToolName) + "." + std::to_string(static_cast<int>(action->GetItemType().Get())),
            action);
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
        auto const command = gui.GetCommand().Get();
        canvas.Text(" ").Text(command ? Narrow(command->GetName()) : "(no command)");
    }
}
} // namespace Orx2Sim
