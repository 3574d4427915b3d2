#include "businesslayer/common/csidepanelitemviewmodeltool.h"

#include "base/orx2basepool/interfacearrays.h"

namespace BusinessLayer
{
namespace
{
using ToolActionType = Base::IToolActionViewModel::ItemTypeToolActionsEnum;

/// The eight actions of a tool, action `i` at position `i`, made (and their commands registered) in the
/// order 0, 6, 1, 2, 5, 4, 3, 7; only the positions are visible to the GUI.
CSidePanelItemViewModelTool::ToolActions MakeToolActions(std::wstring const& name, bool visibility,
                                                         bool enabled, bool selected)
{
    constexpr int kCreationOrder[] = {0, 6, 1, 2, 5, 4, 3, 7};
    CSidePanelItemViewModelTool::ToolActions actions;
    for (int const type : kCreationOrder)
    {
        bool const actionSelected = type == 0 || selected; // the first action is the tool's default
        actions[static_cast<std::size_t>(type)] = std::make_shared<CToolActionViewModelBase>(
            name, static_cast<ToolActionType>(type), visibility, enabled, actionSelected);
    }
    return actions;
}
} // namespace

Logging::CLogger const CSidePanelItemViewModelTool::s_logger(L"ORX2.CSidePanelItemViewModelTool");

CSidePanelItemViewModelTool::CSidePanelItemViewModelTool(std::wstring const& name, EItemTypeTools type,
                                                         bool visibility, bool enabled, bool selected)
    : m_itemType(type, *this), m_toolActions(MakeToolActions(name, visibility, enabled, selected)),
      m_visibility(visibility, *this), m_enabled(enabled, *this), m_selected(selected, *this)
{
}

CSidePanelItemViewModelTool::~CSidePanelItemViewModelTool() = default;

std::array<std::shared_ptr<Base::IToolActionViewModel>, CSidePanelItemViewModelTool::kToolActionCount>
CSidePanelItemViewModelTool::GetItemTypeToolActions() const
{
    return Base::CopyAsInterfaces<Base::IToolActionViewModel>(m_toolActions);
}
} // namespace BusinessLayer
