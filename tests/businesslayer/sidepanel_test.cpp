#include "businesslayer/common/csidepanelitemviewmodelacquisitionmode.h"
#include "businesslayer/common/csidepanelitemviewmodelacquisitionoption.h"
#include "businesslayer/common/csidepanelitemviewmodeladdarea.h"
#include "businesslayer/common/csidepanelitemviewmodelreconstructionoption.h"
#include "businesslayer/common/csidepanelviewmodel.h"

#include "base/orx2basepool/tcommand.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "support/commandenvironment.h"
#include "support/propertychangedcounter.h"
#include "support/propertycontract.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

namespace
{
using BusinessLayer::CSidePanelItemViewModelBase;
using BusinessLayer::CSidePanelItemViewModelTool;
using BusinessLayer::CSidePanelViewModel;
using Tool = Base::ISidePanelToolItemViewModel;
using Item = Base::ISidePanelItemViewModel;
using CommandPointer = std::shared_ptr<Base::ICommand<>>;

CommandPointer SomeCommand()
{
    return std::make_shared<Base::TCommand<void>>([] {}, L"test.SidePanel", false);
}

TEST(SidePanelItem, PropertiesKeepTheirContract)
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
}

// Each typed kind: its type from the first argument, the flags from the others.
template <class Kind, class Type> void CheckKind(char const* name, Type type, Type other)
{
    SCOPED_TRACE(name);
    Kind item(type, false, true, false);
    EXPECT_EQ(
        (std::vector<bool>{false, true, false}),
        (std::vector<bool>{item.GetVisibility().Get(), item.GetEnabled().Get(), item.GetSelected().Get()}));
    Orx2Test::PropertyContract<Kind>()
        .template Row<Type>("ItemType", &Kind::GetItemType, &Kind::GetItemType, type, other)
        .Check(item);
}

TEST(SidePanelItem, TypedKindsKeepTheirType)
{
    CheckKind<BusinessLayer::CSidePanelItemViewModelAcquisitionMode>(
        "acquisition mode", Item::EItemTypeAcquisitionModes::AcquisitionMode8,
        Item::EItemTypeAcquisitionModes::AcquisitionMode1);
    CheckKind<BusinessLayer::CSidePanelItemViewModelAddArea>("add area", Item::EItemTypeAddAreas::AddArea10,
                                                             Item::EItemTypeAddAreas::AddArea0);
    CheckKind<BusinessLayer::CSidePanelItemViewModelAcquisitionOption>(
        "acquisition option", Item::EItemTypeAcquisitionOptions::AcquisitionOption1,
        Item::EItemTypeAcquisitionOptions::AcquisitionOption0);
    CheckKind<BusinessLayer::CSidePanelItemViewModelReconstructionOption>(
        "reconstruction option", Item::EItemTypeReconstructionOptions::ReconstructionOption1,
        Item::EItemTypeReconstructionOptions::ReconstructionOption0);
}

// --- the panel -------------------------------------------------------------------------------------------

template <class Array> int FilledSlots(Array const& slots)
{
    int filled = 0;
    for (auto const& slot : slots)
        filled += slot ? 1 : 0;
    return filled;
}

class SidePanel : public Orx2Test::CommandEnvironment
{
};

TEST_F(SidePanel, ANewPanelHasItsFlagsFalseAndEverySlotEmpty)
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
    EXPECT_EQ(9u, gui.GetAcquisitionModeItems().size());
    EXPECT_EQ(11u, gui.GetAddAreaItems().size());
    EXPECT_EQ(3u, gui.GetToolsItems().size());
    EXPECT_EQ(2u, gui.GetAcquisitionOptionsItems().size());
    EXPECT_EQ(2u, gui.GetReconstructionOptionsItems().size());
    EXPECT_EQ(0, FilledSlots(gui.GetAcquisitionModeItems()) + FilledSlots(gui.GetAddAreaItems()) +
                     FilledSlots(gui.GetToolsItems()) + FilledSlots(gui.GetAcquisitionOptionsItems()) +
                     FilledSlots(gui.GetReconstructionOptionsItems()));
    EXPECT_EQ(nullptr, gui.GetUnlockItem());
    EXPECT_NO_THROW(panel.AcquisitionRunningEvent().Fire()) << "fired without handlers";
}

TEST_F(SidePanel, FilledSlotsAppearAtTheirPositionsAndNotifyNobody)
{
    CSidePanelViewModel panel;
    Orx2Test::PropertyChangedCounter gui(panel);
    auto const mode = std::make_shared<BusinessLayer::CSidePanelItemViewModelAcquisitionMode>(
        Item::EItemTypeAcquisitionModes::AcquisitionMode4, true, true, false);
    auto const area = std::make_shared<BusinessLayer::CSidePanelItemViewModelAddArea>(
        Item::EItemTypeAddAreas::AddArea10, true, true, false);
    auto const tool = std::make_shared<CSidePanelItemViewModelTool>(
        L"Panel.Tool", Tool::EItemTypeTools::Tool2, true, true, false);
    auto const acquisitionOption = std::make_shared<BusinessLayer::CSidePanelItemViewModelAcquisitionOption>(
        Item::EItemTypeAcquisitionOptions::AcquisitionOption1, true, true, false);
    auto const reconstructionOption =
        std::make_shared<BusinessLayer::CSidePanelItemViewModelReconstructionOption>(
            Item::EItemTypeReconstructionOptions::ReconstructionOption0, true, true, false);
    auto const unlock = std::make_shared<CSidePanelItemViewModelBase>(true, true, false);
    panel.GetAcquisitionModeItems()[8] = mode;
    panel.GetAddAreaItems()[10] = area;
    panel.GetToolsItems()[2] = tool;
    panel.GetAcquisitionOptionsItems()[1] = acquisitionOption;
    panel.GetReconstructionOptionsItems()[0] = reconstructionOption;
    panel.SetUnlockItem(unlock);

    Base::ISidePanelViewModel const& view = panel;
    EXPECT_EQ(mode, view.GetAcquisitionModeItems()[8]);
    EXPECT_EQ(area, view.GetAddAreaItems()[10]);
    EXPECT_EQ(tool, view.GetToolsItems()[2]);
    EXPECT_EQ(acquisitionOption, view.GetAcquisitionOptionsItems()[1]);
    EXPECT_EQ(reconstructionOption, view.GetReconstructionOptionsItems()[0]);
    EXPECT_EQ(unlock, view.GetUnlockItem());
    EXPECT_EQ(unlock, panel.GetUnlockItem());
    EXPECT_EQ(5, FilledSlots(view.GetAcquisitionModeItems()) + FilledSlots(view.GetAddAreaItems()) +
                     FilledSlots(view.GetToolsItems()) + FilledSlots(view.GetAcquisitionOptionsItems()) +
                     FilledSlots(view.GetReconstructionOptionsItems()));
    EXPECT_EQ(0, gui.Count());
}

TEST_F(SidePanel, TheRunningEventReachesHandlersConnectedThroughTheInterface)
{
    CSidePanelViewModel panel;
    Base::ISidePanelViewModel const& gui = panel;
    std::atomic<int> calls{0};
    Base::CScopedEventSignalConnection const connection(gui.AcquisitionRunningEvent().Connect(
        Base::MakeEventSignalHandler<void>([&calls] { calls.fetch_add(1); })));
    Orx2Test::ScopedThread([&panel] { panel.AcquisitionRunningEvent().Fire(); }).Join();
    EXPECT_EQ(1, calls.load());
}

// --- the tool item ---------------------------------------------------------------------------------------

std::wstring ActionCommandName(std::wstring const& tool, int type)
{
    return tool + L".CToolActionViewModelBase.Command_" + std::to_wstring(type);
}

TEST_F(SidePanel, AToolMakesItsEightActionsInPlace)
{
    struct SRow
    {
        char const* name;
        bool visibility;
        bool enabled;
        bool selected;
    };
    SRow const rows[] = {{"not selected", true, false, false}, {"selected", false, true, true}};
    for (SRow const& row : rows)
    {
        SCOPED_TRACE(row.name);
        CSidePanelItemViewModelTool tool(L"Tool", Tool::EItemTypeTools::Tool1, row.visibility, row.enabled,
                                         row.selected);
        Tool const& gui = tool;
        auto const actions = gui.GetItemTypeToolActions();
        for (std::size_t i = 0; i < actions.size(); ++i)
        {
            SCOPED_TRACE("action " + std::to_string(i));
            ASSERT_NE(nullptr, actions[i]);
            EXPECT_EQ(tool.GetItemTypeToolActions()[i], actions[i]);
            EXPECT_EQ(static_cast<int>(i), static_cast<int>(actions[i]->GetItemType().Get()));
            EXPECT_EQ(i == 0 || row.selected, actions[i]->GetSelected().Get());
            EXPECT_EQ(row.visibility, actions[i]->GetVisibility().Get());
            EXPECT_EQ(row.enabled, actions[i]->GetEnabled().Get());
        }
    }
}

TEST_F(SidePanel, AToolsCommandsAreNamedWhileItLives)
{
    auto& registry = JbSingleton<Base::CCommandRegistry>::GetInstance();
    auto tool =
        std::make_unique<CSidePanelItemViewModelTool>(L"Cut", Tool::EItemTypeTools::Tool0, true, true, false);
    auto const sameName =
        std::make_unique<CSidePanelItemViewModelTool>(L"Cut", Tool::EItemTypeTools::Tool1, true, true, false);
    for (int type = 0; type < 8; ++type)
    {
        auto const found = registry.FindCommand(ActionCommandName(L"Cut", type));
        EXPECT_EQ(tool->GetItemTypeToolActions()[static_cast<std::size_t>(type)]->GetCommand().Get(), found)
            << "action " << type << " (the first tool of a name keeps it)";
    }
    tool.reset();
    for (int type = 0; type < 8; ++type)
        EXPECT_EQ(nullptr, registry.FindCommand(ActionCommandName(L"Cut", type))) << "action " << type;
}

TEST_F(SidePanel, ToolPropertiesKeepTheirContractAndTheSortIndexNotifiesNobody)
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

    Orx2Test::PropertyChangedCounter gui(tool);
    EXPECT_EQ(0u, tool.GetSortIndex());
    tool.SetSortIndex(0xFFFFFFFFFFull);
    EXPECT_EQ(0xFFFFFFFFFFull, static_cast<Tool&>(tool).GetSortIndex());
    EXPECT_EQ(0, gui.Count());
}
} // namespace
