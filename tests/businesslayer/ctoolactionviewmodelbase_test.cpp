// Tool actions: the registered command a tool action makes for itself, and how long it is reachable.
#include "businesslayer/common/ctoolactionviewmodelbase.h"

#include "base/orx2basepool/tcommand.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"

#include <gtest/gtest.h>

#include <array>

namespace
{
using BusinessLayer::CToolActionViewModelBase;
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
} // namespace

TEST_F(ToolAction, ConstructionNamesItsCommandAndPutsEachArgumentInItsProperty)
{
    struct SRow
    {
        wchar_t const* prefix;
        int type;
        bool visible, enabled, selected; // each flag is the odd one out once, so swapped arguments show
        wchar_t const* commandName;
    } const rows[] = {
        // Visible alone, with a plain name: the property contract's row and the commands scenario.
        {L"ToolB", -3, false, true, false, L"ToolB.CToolActionViewModelBase.Command_-3"},
        {L"", 7, false, false, true, L".CToolActionViewModelBase.Command_7"},
    };
    for (SRow const& row : rows)
    {
        SCOPED_TRACE(row.type);
        CHostToolAction action(row.prefix, static_cast<Type>(row.type), row.visible, row.enabled,
                               row.selected);
        CommandPtr const command = action.GetCommand().Get();
        EXPECT_EQ(row.commandName, command->GetName());
        EXPECT_EQ(command, Find<Base::ICommand<>>(row.commandName)) << "not registered under its name";

        EXPECT_EQ(static_cast<Type>(row.type), action.GetItemType().Get());
        EXPECT_EQ((std::array<bool, 3>{row.visible, row.enabled, row.selected}),
                  (std::array<bool, 3>{action.GetVisibility().Get(), action.GetEnabled().Get(),
                                       action.GetSelected().Get()}));
    }
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

TEST_F(ToolAction, AReplacedDefaultCommandsEntryExpires)
{
    CHostToolAction action(L"Cut", Type::ToolAction0, true, true, true);
    action.GetCommand().Set(std::make_shared<Base::TCommand<void>>([] {}, L"Cut.Real", true));
    EXPECT_EQ(nullptr, Find<Base::ICommand<>>(L"Cut.CToolActionViewModelBase.Command_0"));
}
