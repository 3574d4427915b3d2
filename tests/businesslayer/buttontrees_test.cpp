// The button trees of the acquisition screen as the GUI sees them: the side panel with its items and
// tools, the live options bar with its options, sub-options and sliders; and the tool actions, with the
// registered command each makes for itself and how long it is reachable.
#include "businesslayer/common/cliveoptionsviewmodelbase.h"
#include "businesslayer/common/csidepanelviewmodel.h"
#include "businesslayer/common/ctoolactionviewmodelbase.h"

#include "support/commandenvironment.h"
#include "support/guiprobe.h"

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
using Type = CToolActionViewModelBase::ItemTypeToolActionsEnum;
using CommandPtr = CToolActionViewModelBase::CommandPtr;

/// A derived class as the host writes one: it may change the item type after construction.
class CHostToolAction : public CToolActionViewModelBase
{
public:
    using CToolActionViewModelBase::CToolActionViewModelBase;
    using CToolActionViewModelBase::GetItemTypeProperty;
};

std::vector<std::wstring> Logged(Orx2Test::GuiProbe::SStep const& step)
{
    std::vector<std::wstring> texts;
    for (auto const& line : step.log)
        texts.push_back(line.channel + L": " + line.text);
    return texts;
}

using ToolAction = Orx2Test::CommandEnvironment;

TEST_F(ButtonTrees, FilledSlotsAppearAtTheirPositionsInTheGuisView)
{
    // The tools in the GUI's view: the simulator's stored screen.
    CSidePanelViewModel panel;
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
    panel.GetAcquisitionOptionsItems()[1] = std::make_shared<CSidePanelItemViewModelAcquisitionOption>(
        Item::EItemTypeAcquisitionOptions::AcquisitionOption1, true, true, false);
    panel.SetUnlockItem(std::make_shared<CSidePanelItemViewModelBase>(true, true, false));
    EXPECT_EQ(panel.GetAddAreaItems()[10], gui.GetAddAreaItems()[10]) << "at its position";
    EXPECT_EQ(3, filled());
}

// The actions' names, item types and enabled flags, and the default action of a tool not chosen, as the
// GUI sees them: the simulator's stored screen and the live-and-tools scenario.
TEST_F(ButtonTrees, AChosenToolPassesItsFlagsToEveryAction)
{
    for (bool const visible : {false, true})
    {
        CSidePanelItemViewModelTool const tool(L"Cut", Tool::EItemTypeTools::Tool1, visible, !visible, true);
        for (auto const& action : static_cast<Tool const&>(tool).GetItemTypeToolActions())
            EXPECT_TRUE(action->GetVisibility().Get() == visible && action->GetEnabled().Get() == !visible &&
                        action->GetSelected().Get())
                << "visible " << visible << ", action " << int(action->GetItemType().Get());
    }
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

// Each flag in its property and the names of plain types as the GUI sees them: the property contract's
// row and the simulator's stored screen; here the name of a type no tool makes and of an empty prefix.
TEST_F(ToolAction, TheCommandIsRegisteredUnderTheNameOfPrefixAndType)
{
    CHostToolAction const action(L"", static_cast<Type>(-3), false, true, false);
    EXPECT_EQ(L".CToolActionViewModelBase.Command_-3", action.GetCommand().Get()->GetName());
    EXPECT_EQ(action.GetCommand().Get(), Find<Base::ICommand<>>(L".CToolActionViewModelBase.Command_-3"));
}

// That it locks the GUI while it runs: the reference host's GUI start-up, which locks with one.
TEST_F(ToolAction, DefaultCommandLogsTheCurrentTypeAtLevelTwoOnly)
{
    CHostToolAction action(L"Lasso", Type::ToolAction2, true, true, false);
    action.GetItemTypeProperty().Set(Type::ToolAction5);
    Orx2Test::GuiProbe probe;
    probe.Watch("action", action);

    Find<Base::ICommand<>>(L"Lasso.CToolActionViewModelBase.Command_2")->Execute();
    auto const step = probe.Take();
    EXPECT_EQ(std::vector<std::wstring>{L"ORX2.CToolActionViewModelBase: Command  5"}, Logged(step));
    EXPECT_EQ(0, step.Changes("action"));

    Logging::SetLogLevelThreshold(Logging::kLogLevelWarning); // the probe restores it
    action.GetCommand().Get()->Execute();
    EXPECT_EQ(std::vector<std::wstring>{}, Logged(probe.Take())) << "written although level 2 is off";
}

TEST_F(ToolAction, ACommandHeldBeyondItsActionNeverReachesIt)
{
    auto first = std::make_unique<CHostToolAction>(L"Twin", Type::ToolAction1, true, true, false);
    Orx2Test::GuiProbe probe;
    CommandPtr const held = first->GetCommand().Get();
    first.reset();
    held->Execute();
    auto const step = probe.Take();
    EXPECT_EQ((std::vector<unsigned>{1, 0}), step.guiLockCounts);
    EXPECT_EQ(std::vector<std::wstring>{}, Logged(step)) << "the action of a destroyed tool action ran";
}
} // namespace
