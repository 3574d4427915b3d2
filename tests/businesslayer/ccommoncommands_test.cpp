// The common command set: its 34 slots, the twelve "common." commands it registers, and how long the
// registry reaches them.
#include "businesslayer/common/ccommoncommands.h"

#include "base/orx2basepool/tcommand.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
using Base::ICommandBase;
using Base::ICommonCommands;
using BusinessLayer::CCommonCommands;
using CommandBasePtr = std::shared_ptr<ICommandBase>;

/// One slot: how to read it as the host sees it, how to fill it, and the name it is registered under
/// after construction (nullptr: empty after construction).
struct SSlot
{
    std::string name;
    std::function<CommandBasePtr(ICommonCommands const&)> get;
    std::function<CommandBasePtr(CCommonCommands&, std::wstring const&)> setFresh; // returns what it set
    wchar_t const* registeredAs;
};

/// A new command of the slot's argument list that does nothing and is not registered.
template <class... Args>
std::shared_ptr<Base::TCommand<void, Args...>> Fresh(Base::ICommand<Args...> const*, std::wstring const& name)
{
    return std::make_shared<Base::TCommand<void, Args...>>([](Args...) {}, name, false);
}

template <class Command, class Setter>
SSlot Slot(std::string name, std::shared_ptr<Command> (ICommonCommands::*getter)() const, Setter setter,
           wchar_t const* registeredAs = nullptr)
{
    return {std::move(name),
            [getter](ICommonCommands const& set) -> CommandBasePtr { return (set.*getter)(); },
            [setter](CCommonCommands& set, std::wstring const& commandName) -> CommandBasePtr
            {
                auto command = Fresh(static_cast<Command const*>(nullptr), commandName);
                (set.*setter)(command);
                return command;
            },
            registeredAs};
}

// Every slot of the interface, in its order. Kept by hand, not derived from the class.
std::vector<SSlot> const& Slots()
{
    using C = CCommonCommands;
    using I = ICommonCommands;
    static std::vector<SSlot> const slots = {
        Slot("EngineReplayMode", &I::GetEngineReplayModeCommand, &C::SetEngineReplayModeCommand,
             L"common.Replay"),
        Slot("EngineActivateSave", &I::GetEngineActivateSaveCommand, &C::SetEngineActivateSaveCommand,
             L"common.Save"),
        Slot("EngineActivateLoad", &I::GetEngineActivateLoadCommand, &C::SetEngineActivateLoadCommand,
             L"common.Load"),
        Slot("AccuracyTest", &I::GetAccuracyTestCommand, &C::SetAccuracyTestCommand, L"common.AccuracyTest"),
        Slot("ExportReconstruction", &I::GetExportReconstructionCommand, &C::SetExportReconstructionCommand),
        Slot("ExportAreaContent", &I::GetExportAreaContentCommand, &C::SetExportAreaContentCommand),
        Slot("DebugOptimization", &I::GetDebugOptimizationCommand, &C::SetDebugOptimizationCommand),
        Slot("UnlockAreas", &I::GetUnlockAreasCommand, &C::SetUnlockAreasCommand),
        Slot("AreaSetDoReconstruction", &I::GetAreaSetDoReconstructionCommand,
             &C::SetAreaSetDoReconstructionCommand),
        Slot("AreasWaitForIdle", &I::GetAreasWaitForIdleCommand, &C::SetAreasWaitForIdleCommand),
        Slot("SaveAreaEntities", &I::GetSaveAreaEntitiesCommand, &C::SetSaveAreaEntitiesCommand),
        Slot("SaveArea", &I::GetSaveAreaCommand, &C::SetSaveAreaCommand),
        Slot("SwitchAreaOptimizationType", &I::GetSwitchAreaOptimizationTypeCommand,
             &C::SetSwitchAreaOptimizationTypeCommand),
        Slot("TriggerReconstruction", &I::GetTriggerReconstructionCommand,
             &C::SetTriggerReconstructionCommand),
        Slot("SaveSurfelCollection", &I::GetSaveSurfelCollectionCommand, &C::SetSaveSurfelCollectionCommand),
        Slot("ClearEntities", &I::GetClearEntitiesCommand, &C::SetClearEntitiesCommand,
             L"common.ClearEntities"),
        Slot("ApplyCutFromFile", &I::GetApplyCutFromFileCommand, &C::SetApplyCutFromFileCommand,
             L"common.ApplyCutFromFile"),
        Slot("RecomputeOptimization", &I::GetRecomputeOptimizationCommand,
             &C::SetRecomputeOptimizationCommand, L"common.RecomputeOptimization"),
        Slot("RecalculateOutlier", &I::GetRecalculateOutlierCommand, &C::SetRecalculateOutlierCommand),
        Slot("ClearLastReentryResult", &I::GetClearLastReentryResultCommand,
             &C::SetClearLastReentryResultCommand, L"common.ClearLastReentryResult"),
        Slot("GetLastReentryWasSuccessful", &I::GetGetLastReentryWasSuccessfulCommand,
             &C::SetGetLastReentryWasSuccessfulCommand, L"common.GetLastReentryWasSuccessful"),
        Slot("GetLastReentryDelay", &I::GetGetLastReentryDelayCommand, &C::SetGetLastReentryDelayCommand,
             L"common.GetLastReentryDelay"),
        Slot("GetLastReentryTrafo", &I::GetGetLastReentryTrafoCommand, &C::SetGetLastReentryTrafoCommand,
             L"common.GetLastReentryTrafo"),
        Slot("InjectSupportGeometry", &I::GetInjectSupportGeometryCommand,
             &C::SetInjectSupportGeometryCommand),
        Slot("InjectReferenceGeometry", &I::GetInjectReferenceGeometryCommand,
             &C::SetInjectReferenceGeometryCommand),
        Slot("InjectReferenceGeometrySC", &I::GetInjectReferenceGeometrySCCommand,
             &C::SetInjectReferenceGeometrySCCommand),
        Slot("AddArea", &I::GetAddAreaCommand, &C::SetAddAreaCommand),
        Slot("MoveArea", &I::GetMoveAreaCommand, &C::SetMoveAreaCommand),
        Slot("GetGlobalParameterSet", &I::GetGetGlobalParameterSetCommand,
             &C::SetGetGlobalParameterSetCommand),
        Slot("WriteRandomBinFile", &I::GetWriteRandomBinFileCommand, &C::SetWriteRandomBinFileCommand),
        Slot("ReplaceGeometryAtL0Level", &I::GetReplaceGeometryAtL0LevelCommand,
             &C::SetReplaceGeometryAtL0LevelCommand, L"common.ReplaceGeometryAtL0Level"),
        Slot("DisturbTransformations", &I::GetDisturbTransformationsCommand,
             &C::SetDisturbTransformationsCommand),
        Slot("ConnectVisualization", &I::GetConnectVisualizationCommand, &C::SetConnectVisualizationCommand),
        Slot("DebugDomainTest", &I::GeDebugDomainTestCommand, &C::SetDebugDomainTestCommand),
    };
    return slots;
}

CommandBasePtr Find(std::wstring const& name)
{
    return JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(name);
}

class CommonCommands : public Orx2Test::CommandEnvironment
{
};
} // namespace

TEST_F(CommonCommands, TwelveSlotsHoldTheRegisteredCommandsUntilTheSetGoes)
{
    ASSERT_EQ(34U, Slots().size());
    auto commands = std::make_unique<CCommonCommands>();
    std::size_t named = 0;
    for (SSlot const& slot : Slots())
    {
        SCOPED_TRACE(slot.name);
        CommandBasePtr const command = slot.get(*commands);
        if (slot.registeredAs == nullptr)
        {
            EXPECT_EQ(nullptr, command);
            continue;
        }
        ASSERT_NE(nullptr, command);
        EXPECT_EQ(slot.registeredAs, command->GetName());
        EXPECT_EQ(command, Find(slot.registeredAs)) << "the registry holds another object";
        ++named;
    }
    EXPECT_EQ(12U, named);

    commands.reset();
    for (SSlot const& slot : Slots())
    {
        if (slot.registeredAs != nullptr)
        {
            EXPECT_EQ(nullptr, Find(slot.registeredAs)) << slot.name << ": the entry outlived the set";
        }
    }
}

TEST_F(CommonCommands, EachSetterChangesOnlyItsSlotAndRegistersNothing)
{
    CCommonCommands commands;
    for (SSlot const& slot : Slots())
    {
        SCOPED_TRACE(slot.name);
        std::vector<CommandBasePtr> before;
        for (SSlot const& other : Slots())
            before.push_back(other.get(commands));

        std::wstring const freshName(L"Fresh." + std::wstring(slot.name.begin(), slot.name.end()));
        CommandBasePtr const fresh = slot.setFresh(commands, freshName);
        EXPECT_EQ(nullptr, Find(freshName)) << "a setter registered its command";
        for (std::size_t i = 0; i < Slots().size(); ++i)
        {
            CommandBasePtr const now = Slots()[i].get(commands);
            if (&Slots()[i] == &slot)
            {
                EXPECT_EQ(fresh, now) << "the getter does not return what its setter set";
            }
            else
            {
                EXPECT_EQ(before[i], now) << "the setter also changed " << Slots()[i].name;
            }
        }
    }
}

TEST_F(CommonCommands, ReplacingADefaultCommandExpiresItsEntryAndASecondSetKeepsTheFirstRegistered)
{
    auto const first = std::make_unique<CCommonCommands>();
    auto const second = std::make_unique<CCommonCommands>();
    EXPECT_NE(first->GetEngineActivateLoadCommand(), second->GetEngineActivateLoadCommand());
    EXPECT_EQ(first->GetEngineActivateLoadCommand(), Find(L"common.Load"))
        << "the first set must keep its names";

    auto const load = std::make_shared<Base::TCommand<void, std::wstring const&>>([](std::wstring const&) {},
                                                                                  L"common.Load", true);
    first->SetEngineActivateLoadCommand(load);
    EXPECT_EQ(load, first->GetEngineActivateLoadCommand());
    EXPECT_EQ(nullptr, Find(L"common.Load")) << "the replaced command's entry did not expire";
    EXPECT_EQ(first->GetEngineActivateSaveCommand(), Find(L"common.Save")) << "another entry went with it";
}

TEST_F(CommonCommands, DefaultQueriesLeaveTheCallersVariablesAsPassed)
{
    CCommonCommands const commands;
    bool successful = true;
    int delay = 5;
    JbMatrix4Rd trafo = JbMatrix4Rd::Identity();
    trafo(0, 3) = 2.5;
    JbMatrix4Rd const passed = trafo;

    commands.GetGetLastReentryWasSuccessfulCommand()->Execute(successful);
    commands.GetGetLastReentryDelayCommand()->Execute(delay);
    commands.GetGetLastReentryTrafoCommand()->Execute(trafo);
    EXPECT_TRUE(successful);
    EXPECT_EQ(5, delay);
    EXPECT_EQ(passed, trafo);
}

TEST_F(CommonCommands, SaveByNameAsTheGuiSeesIt)
{
    CCommonCommands const commands;
    Orx2Test::GuiProbe probe;

    auto const save =
        std::dynamic_pointer_cast<ICommonCommands::EngineActivateSaveCommand>(Find(L"common.Save"));
    ASSERT_NE(nullptr, save);
    auto const result = save->Execute(L"/cases/42");
    result->Wait();

    auto const step = probe.Take();
    EXPECT_EQ(std::vector<std::wstring>{L"common.Save"}, step.commands);
    EXPECT_EQ((std::vector<unsigned>{1, 0}), step.guiLockCounts);
    EXPECT_TRUE(step.log.empty());
    EXPECT_EQ(1U, JournalCount(L"common.Save", Base::EJournalRecordKind::Opened));
    EXPECT_TRUE(Records().empty()) << "a plain command was recorded for replay";
}
