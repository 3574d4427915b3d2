// Tool actions: the registered command a tool action makes for itself, and how long it is reachable.
#include "businesslayer/common/ctoolactionviewmodelbase.h"

#include "base/orx2basepool/tcommand.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"
#include "support/propertycontract.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using BusinessLayer::CToolActionViewModelBase;
using ItemType = CToolActionViewModelBase::ItemTypeToolActionsEnum;
using CommandPtr = std::shared_ptr<Base::ICommand<>>;

constexpr wchar_t const* kChannel = L"ORX2.CToolActionViewModelBase";

/// A derived class as the host writes one: it changes the item type after construction.
class CHostToolAction : public CToolActionViewModelBase
{
public:
    using CToolActionViewModelBase::CToolActionViewModelBase;
    using CToolActionViewModelBase::GetItemTypeProperty;
};

class ToolAction : public Orx2Test::CommandEnvironment
{
protected:
    static std::shared_ptr<Base::ICommandBase> Find(std::wstring const& name)
    {
        return JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(name);
    }
    static CommandPtr FindCommand(std::wstring const& name)
    {
        return std::dynamic_pointer_cast<Base::ICommand<>>(Find(name));
    }
};

std::vector<std::wstring> LogTexts(Orx2Test::GuiProbe::SStep const& step)
{
    std::vector<std::wstring> texts;
    for (auto const& line : step.log)
        if (line.channel == kChannel)
            texts.push_back(line.text);
    return texts;
}
} // namespace

TEST_F(ToolAction, ConstructionNamesItsCommandAndSetsItsPropertiesFromTheArguments)
{
    struct SRow
    {
        char const* name;
        wchar_t const* prefix;
        int type;
        bool visible, enabled, selected;
        wchar_t const* commandName;
    };
    // Each flag is the odd one out once, so swapped constructor arguments show.
    SRow const rows[] = {
        {"type 2, visible only", L"ToolA", 2, true, false, false,
         L"ToolA.CToolActionViewModelBase.Command_2"},
        {"negative type, enabled only", L"ToolB", -3, false, true, false,
         L"ToolB.CToolActionViewModelBase.Command_-3"},
        {"type 7, selected only, no prefix", L"", 7, false, false, true,
         L".CToolActionViewModelBase.Command_7"},
    };
    for (SRow const& row : rows)
    {
        SCOPED_TRACE(row.name);
        auto const type = static_cast<ItemType>(row.type);
        CHostToolAction action(row.prefix, type, row.visible, row.enabled, row.selected);
        CommandPtr const command = action.GetCommand().Get();
        ASSERT_NE(nullptr, command);
        EXPECT_EQ(row.commandName, command->GetName());
        EXPECT_EQ(command, FindCommand(row.commandName)) << "not registered under its name";

        auto const other = std::make_shared<Base::TCommand<void>>([] {}, L"Other", false);
        auto const otherType = static_cast<ItemType>(row.type + 1);
        Orx2Test::PropertyContract<CToolActionViewModelBase>()
            .Row<bool>("Visibility", &CToolActionViewModelBase::GetVisibility,
                       &CToolActionViewModelBase::GetVisibility, row.visible, !row.visible)
            .Row<bool>("Enabled", &CToolActionViewModelBase::GetEnabled,
                       &CToolActionViewModelBase::GetEnabled, row.enabled, !row.enabled)
            .Row<bool>("Selected", &CToolActionViewModelBase::GetSelected,
                       &CToolActionViewModelBase::GetSelected, row.selected, !row.selected)
            .Row<CommandPtr>("Command", &CToolActionViewModelBase::GetCommand,
                             &CToolActionViewModelBase::GetCommand, command, other)
            .Custom<ItemType>(
                "ItemType", [](CToolActionViewModelBase const& a) -> auto& { return a.GetItemType(); },
                [](CToolActionViewModelBase & a) -> auto& {
                    return static_cast<CHostToolAction&>(a).GetItemTypeProperty();
                },
                type, otherType)
            .Check(action);
    }
}

TEST_F(ToolAction, DefaultCommandLocksTheGuiAndLogsTheCurrentTypeAtLevelTwoOnly)
{
    CHostToolAction action(L"Lasso", ItemType::ToolAction2, true, true, false);
    action.GetItemTypeProperty().Set(ItemType::ToolAction5);
    Orx2Test::GuiProbe probe;
    probe.Watch("action", action);

    FindCommand(L"Lasso.CToolActionViewModelBase.Command_2")->Execute();
    auto const step = probe.Take();
    EXPECT_EQ(std::vector<std::wstring>{L"Lasso.CToolActionViewModelBase.Command_2"}, step.commands);
    EXPECT_EQ((std::vector<unsigned>{1, 0}), step.guiLockCounts);
    EXPECT_EQ(std::vector<std::wstring>{L"Command  5"}, LogTexts(step));
    EXPECT_EQ(0, step.Changes("action"));
    EXPECT_EQ(1U,
              JournalCount(L"Lasso.CToolActionViewModelBase.Command_2", Base::EJournalRecordKind::Opened));

    Logging::SetLogLevelThreshold(Logging::kLogLevelWarning); // the probe restores it
    action.GetCommand().Get()->Execute();
    EXPECT_TRUE(probe.Take().log.empty()) << "written although level 2 is off";
}

TEST_F(ToolAction, SecondActionOfTheSameNameWorksThroughItsPropertyOnly)
{
    CHostToolAction first(L"Twin", ItemType::ToolAction1, true, true, false);
    CHostToolAction second(L"Twin", ItemType::ToolAction1, true, true, false);
    second.GetItemTypeProperty().Set(ItemType::ToolAction6);
    Orx2Test::GuiProbe probe;

    EXPECT_EQ(first.GetCommand().Get(), FindCommand(L"Twin.CToolActionViewModelBase.Command_1"))
        << "first must win";
    second.GetCommand().Get()->Execute();
    EXPECT_EQ(std::vector<std::wstring>{L"Command  6"}, LogTexts(probe.Take()));
}

TEST_F(ToolAction, RegistryEntryLastsAsLongAsTheCommandAndReachesTheActionOnlyWhileItLives)
{
    constexpr wchar_t const* kName = L"Cut.CToolActionViewModelBase.Command_0";
    auto action = std::make_unique<CHostToolAction>(L"Cut", ItemType::ToolAction0, true, true, true);

    // Replaced by the owner's own command: the default one goes, and with it its entry.
    action->GetCommand().Set(std::make_shared<Base::TCommand<void>>([] {}, L"Cut.Real", true));
    EXPECT_EQ(nullptr, Find(kName)) << "the replaced command's entry did not expire";

    // A command held from the registry outlives its action: executing it reaches nothing.
    action = std::make_unique<CHostToolAction>(L"Cut", ItemType::ToolAction0, true, true, true);
    CommandPtr const held = FindCommand(kName);
    ASSERT_NE(nullptr, held);
    action.reset();
    Orx2Test::GuiProbe probe;
    held->Execute();
    auto const step = probe.Take();
    EXPECT_EQ((std::vector<unsigned>{1, 0}), step.guiLockCounts);
    EXPECT_TRUE(LogTexts(step).empty()) << "the action of a destroyed tool action ran";
}
