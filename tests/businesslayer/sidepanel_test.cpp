#include "businesslayer/common/csidepanelviewmodel.h"

#include "base/orx2basepool/tcommand.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "support/commandenvironment.h"
#include "support/propertychangedcounter.h"
#include "support/propertycontract.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace
{
using namespace BusinessLayer;
using Item = Base::ISidePanelItemViewModel;
using Tool = Base::ISidePanelToolItemViewModel;
using CommandPointer = std::shared_ptr<Base::ICommand<>>;

CommandPointer SomeCommand()
{
    return std::make_shared<Base::TCommand<void>>([] {}, L"test.SidePanel", false);
}

template <class Array> int FilledSlots(Array const& slots)
{
    return static_cast<int>(
        std::count_if(slots.begin(), slots.end(), [](auto const& slot) { return slot != nullptr; }));
}

class SidePanel : public Orx2Test::CommandEnvironment
{
};

TEST_F(SidePanel, ItemsKeepTheirArgumentsAndContract)
{
    using I = CSidePanelItemViewModelBase;
    I item(true, false, true);
    Orx2Test::PropertyContract<I>()
        .Row<bool>("Visibility", &I::GetVisibility, &I::GetVisibility, true, false)
        .Row<bool>("Enabled", &I::GetEnabled, &I::GetEnabled, false, true)
        .Row<bool>("Selected", &I::GetSelected, &I::GetSelected, true, false)
        .Row<CommandPointer>("Command", &I::GetCommand, &I::GetCommand, nullptr, SomeCommand())
        .Row<CommandPointer>("UnlockCommand", &I::GetUnlockCommand, &I::GetUnlockCommand, nullptr,
                             SomeCommand())
        .Check(item);
    I const hidden;
    EXPECT_FALSE(hidden.GetVisibility().Get() || hidden.GetEnabled().Get() || hidden.GetSelected().Get());

    CSidePanelItemViewModelAddArea const area(Item::EItemTypeAddAreas::AddArea10, false, true, false);
    EXPECT_EQ(Item::EItemTypeAddAreas::AddArea10, area.GetItemType().Get());
    EXPECT_TRUE(area.GetEnabled().Get() && !area.GetVisibility().Get() && !area.GetSelected().Get());
}

TEST_F(SidePanel, ANewPanelIsEmptyAndFilledSlotsAppearAtTheirPositionsNotifyingNobody)
{
    using P = CSidePanelViewModel;
    P panel;
    Orx2Test::PropertyContract<P>()
        .Row<bool>("AcquisitionModeVisibility", &P::GetAcquisitionModeVisibility,
                   &P::GetAcquisitionModeVisibility, false, true)
        .Row<bool>("AddAreaVisibility", &P::GetAddAreaVisibility, &P::GetAddAreaVisibility, false, true)
        .Row<bool>("ToolsVisibility", &P::GetToolsVisibility, &P::GetToolsVisibility, false, true)
        .Row<bool>("AcquisitionOptionsVisibility", &P::GetAcquisitionOptionsVisibility,
                   &P::GetAcquisitionOptionsVisibility, false, true)
        .Row<bool>("ReconstructionOptionsVisibility", &P::GetReconstructionOptionsVisibility,
                   &P::GetReconstructionOptionsVisibility, false, true)
        .Row<bool>("BagelToolDisabled", &P::GetBagelToolDisabled, &P::GetBagelToolDisabled, false, true)
        .Check(panel);
    Base::ISidePanelViewModel const& gui = panel;
    auto const filled = [&gui]
    {
        return FilledSlots(gui.GetAcquisitionModeItems()) + FilledSlots(gui.GetAddAreaItems()) +
               FilledSlots(gui.GetToolsItems()) + FilledSlots(gui.GetAcquisitionOptionsItems()) +
               FilledSlots(gui.GetReconstructionOptionsItems()) + (gui.GetUnlockItem() ? 1 : 0);
    };
    EXPECT_EQ(0, filled());
    static_assert(std::tuple_size_v<decltype(gui.GetAddAreaItems())> == 11);

    Orx2Test::PropertyChangedCounter changes(panel);
    auto const mode = std::make_shared<CSidePanelItemViewModelAcquisitionMode>(
        Item::EItemTypeAcquisitionModes::AcquisitionMode4, true, true, false);
    auto const area =
        std::make_shared<CSidePanelItemViewModelAddArea>(Item::EItemTypeAddAreas::AddArea3, 1, 1, 0);
    auto const tool = std::make_shared<CSidePanelItemViewModelTool>(
        L"Panel.Tool", Tool::EItemTypeTools::Tool2, true, true, false);
    auto const acquisitionOption = std::make_shared<CSidePanelItemViewModelAcquisitionOption>(
        Item::EItemTypeAcquisitionOptions::AcquisitionOption1, true, true, false);
    auto const reconstructionOption = std::make_shared<CSidePanelItemViewModelReconstructionOption>(
        Item::EItemTypeReconstructionOptions::ReconstructionOption0, true, true, false);
    auto const unlock = std::make_shared<CSidePanelItemViewModelBase>(true, true, false);
    panel.GetAcquisitionModeItems()[8] = mode;
    panel.GetAddAreaItems()[10] = area;
    panel.GetToolsItems()[2] = tool;
    panel.GetAcquisitionOptionsItems()[1] = acquisitionOption;
    panel.GetReconstructionOptionsItems()[0] = reconstructionOption;
    panel.SetUnlockItem(unlock);
    EXPECT_EQ(mode, gui.GetAcquisitionModeItems()[8]);
    EXPECT_EQ(area, gui.GetAddAreaItems()[10]);
    EXPECT_EQ(tool, gui.GetToolsItems()[2]);
    EXPECT_EQ(acquisitionOption, gui.GetAcquisitionOptionsItems()[1]);
    EXPECT_EQ(reconstructionOption, gui.GetReconstructionOptionsItems()[0]);
    EXPECT_EQ(unlock, gui.GetUnlockItem());
    EXPECT_EQ(unlock, panel.GetUnlockItem());
    EXPECT_EQ(6, filled());
    EXPECT_EQ(0, changes.Count());
}

TEST_F(SidePanel, AToolMakesItsEightActionsInPlace)
{
    for (bool const selected : {false, true})
    {
        SCOPED_TRACE(selected ? "selected tool" : "tool not selected");
        CSidePanelItemViewModelTool tool(L"Tool", Tool::EItemTypeTools::Tool1, !selected, selected, selected);
        auto const actions = static_cast<Tool const&>(tool).GetItemTypeToolActions();
        for (std::size_t i = 0; i < actions.size(); ++i)
        {
            ASSERT_NE(nullptr, actions[i]) << "action " << i;
            EXPECT_EQ(tool.GetItemTypeToolActions()[i], actions[i]) << "action " << i;
            EXPECT_EQ(static_cast<int>(i), static_cast<int>(actions[i]->GetItemType().Get()))
                << "action " << i;
            EXPECT_EQ(i == 0 || selected, actions[i]->GetSelected().Get()) << "action " << i;
            EXPECT_EQ(!selected, actions[i]->GetVisibility().Get()) << "action " << i;
            EXPECT_EQ(selected, actions[i]->GetEnabled().Get()) << "action " << i;
        }
    }
}

TEST_F(SidePanel, AToolsCommandsAreNamedWhileItLives)
{
    auto const name = [](int type)
    { return L"Cut.CToolActionViewModelBase.Command_" + std::to_wstring(type); };
    auto& registry = JbSingleton<Base::CCommandRegistry>::GetInstance();
    auto tool =
        std::make_unique<CSidePanelItemViewModelTool>(L"Cut", Tool::EItemTypeTools::Tool0, true, true, false);
    auto const sameName =
        std::make_unique<CSidePanelItemViewModelTool>(L"Cut", Tool::EItemTypeTools::Tool1, true, true, false);
    for (std::size_t type = 0; type < 8; ++type)
        EXPECT_EQ(tool->GetItemTypeToolActions()[type]->GetCommand().Get(),
                  registry.FindCommand(name(int(type))))
            << "action " << type << ": the first tool of a name keeps it";
    tool.reset();
    for (int type = 0; type < 8; ++type)
        EXPECT_EQ(nullptr, registry.FindCommand(name(type))) << "action " << type;
}

TEST_F(SidePanel, AToolKeepsItsContractAndItsSortIndexNotifiesNobody)
{
    using T = CSidePanelItemViewModelTool;
    T tool(L"Tool", Tool::EItemTypeTools::Tool2, true, false, true);
    Orx2Test::PropertyContract<T>()
        .Row<Tool::EItemTypeTools>("ItemType", &T::GetItemType, &T::GetItemType, Tool::EItemTypeTools::Tool2,
                                   Tool::EItemTypeTools::Tool0)
        .Row<CommandPointer>("Command", &T::GetCommand, &T::GetCommand, nullptr, SomeCommand())
        .Row<CommandPointer>("UnlockCommand", &T::GetUnlockCommand, &T::GetUnlockCommand, nullptr,
                             SomeCommand())
        .Row<bool>("Visibility", &T::GetVisibility, &T::GetVisibility, true, false)
        .Row<bool>("Enabled", &T::GetEnabled, &T::GetEnabled, false, true)
        .Row<bool>("Selected", &T::GetSelected, &T::GetSelected, true, false)
        .Check(tool);
    Orx2Test::PropertyChangedCounter changes(tool);
    EXPECT_EQ(0u, tool.GetSortIndex());
    tool.SetSortIndex(0xFFFFFFFFFFull);
    EXPECT_EQ(0xFFFFFFFFFFull, tool.GetSortIndex());
    EXPECT_EQ(0, changes.Count());
}
} // namespace
