// The button trees of the acquisition screen as the GUI sees them: the side panel with its items and
// tools, the live options bar with its options, sub-options and sliders.
#include "businesslayer/common/cliveoptionsviewmodelbase.h"
#include "businesslayer/common/csidepanelviewmodel.h"

#include "base/orx2basepool/tcommand.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "support/commandenvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace
{
using namespace BusinessLayer;
using Item = Base::ISidePanelItemViewModel;
using Tool = Base::ISidePanelToolItemViewModel;
using OptionType = Base::ILiveOptionsItemViewModel::EItemTypeLiveOptions;
using SubOptionType = Base::ILiveSubOptionsItemViewModel::EItemTypeLiveSubOptions;

template <class Array> int FilledSlots(Array const& slots)
{
    return static_cast<int>(
        std::count_if(slots.begin(), slots.end(), [](auto const& slot) { return slot != nullptr; }));
}

using ButtonTrees = Orx2Test::CommandEnvironment;

TEST_F(ButtonTrees, FilledSlotsAppearAtTheirPositionsInTheGuisView)
{
    using P = CSidePanelViewModel;
    P panel;
    Base::ISidePanelViewModel const& gui = panel;
    auto const filled = [&gui]
    {
        return FilledSlots(gui.GetAcquisitionModeItems()) + FilledSlots(gui.GetAddAreaItems()) +
               FilledSlots(gui.GetToolsItems()) + FilledSlots(gui.GetAcquisitionOptionsItems()) +
               FilledSlots(gui.GetReconstructionOptionsItems()) + (gui.GetUnlockItem() ? 1 : 0);
    };
    EXPECT_EQ(0, filled());
    panel.GetAddAreaItems()[10] =
        std::make_shared<CSidePanelItemViewModelAddArea>(Item::EItemTypeAddAreas::AddArea3, 1, 1, 0);
    panel.GetToolsItems()[2] =
        std::make_shared<CSidePanelItemViewModelTool>(L"Panel.Tool", Tool::EItemTypeTools::Tool2, 1, 1, 0);
    panel.GetAcquisitionOptionsItems()[1] = std::make_shared<CSidePanelItemViewModelAcquisitionOption>(
        Item::EItemTypeAcquisitionOptions::AcquisitionOption1, true, true, false);
    panel.SetUnlockItem(std::make_shared<CSidePanelItemViewModelBase>(true, true, false));
    EXPECT_EQ(panel.GetAddAreaItems()[10], gui.GetAddAreaItems()[10]) << "at its position";
    EXPECT_EQ(4, filled());
}

// The GUI finds a tool action's command by name; the first tool of a name keeps the names until it goes.
TEST_F(ButtonTrees, AToolsCommandsAreNamedWhileItLives)
{
    auto const name = [](std::size_t type)
    { return L"Cut.CToolActionViewModelBase.Command_" + std::to_wstring(type); };
    auto& registry = JbSingleton<Base::CCommandRegistry>::GetInstance();
    auto tool =
        std::make_unique<CSidePanelItemViewModelTool>(L"Cut", Tool::EItemTypeTools::Tool0, true, true, false);
    auto const sameName =
        std::make_unique<CSidePanelItemViewModelTool>(L"Cut", Tool::EItemTypeTools::Tool1, false, true, true);
    for (std::size_t type = 0; type < 8; ++type)
    {
        // Each action in place, with the tool's flags; only the first is selected in a tool not selected.
        auto const& action = *tool->GetItemTypeToolActions()[type];
        auto const& other = *static_cast<Tool const&>(*sameName).GetItemTypeToolActions()[type];
        EXPECT_EQ(action.GetCommand().Get(), registry.FindCommand(name(type))) << "action " << type;
        EXPECT_EQ(int(type), int(action.GetItemType().Get())) << "action " << type;
        EXPECT_EQ(type == 0, action.GetSelected().Get()) << "action " << type;
        EXPECT_TRUE(action.GetVisibility().Get() && action.GetEnabled().Get() &&
                    !other.GetVisibility().Get() && other.GetEnabled().Get() && other.GetSelected().Get())
            << "action " << type;
    }
    tool.reset();
    for (std::size_t type = 0; type < 8; ++type)
        EXPECT_EQ(nullptr, registry.FindCommand(name(type))) << "action " << type;
}

TEST_F(ButtonTrees, LiveOptionsOwnTheirPanelsAndTheGuiSeesTheirFilledSlots)
{
    CLiveOptionsViewModelBase bar;
    Base::ILiveOptionsViewModel const& gui = bar;
    using O = CLiveOptionsItemViewModelBase;
    auto const option = std::make_shared<O>(OptionType::Option3, true, false, true, L"x");
    O const other(OptionType::Option5, false, true, false, L"");
    EXPECT_NE(option->GetLiveSubOptions(), other.GetLiveSubOptions()) << "two options share a panel";

    using S = CLiveSubOptionsItemViewModelBase;
    S const plain(SubOptionType::SubOption4, true, false, true, false);
    EXPECT_EQ(nullptr, plain.GetSlider());
    auto const sliding = std::make_shared<S>(SubOptionType::SubOption0, true, true, false, true);
    ASSERT_NE(nullptr, static_cast<S const&>(*sliding).GetSlider());
    // Filled slots appear at their positions, in the bar's and in the option's panel.
    bar.GetLiveOptionsItems()[6] = option;
    option->GetLiveSubOptions()->GetLiveSubOptionsItems()[0] = sliding;
    EXPECT_EQ(option, gui.GetLiveOptionsItems()[6]);
    auto const subOptions = gui.GetLiveOptionsItems()[6]->GetLiveSubOptions()->GetLiveSubOptionsItems();
    EXPECT_EQ(sliding, subOptions[0]);
    EXPECT_EQ(2, FilledSlots(gui.GetLiveOptionsItems()) + FilledSlots(subOptions));
}
} // namespace
