// The common command set: its 34 slots, the twelve "common." commands and how long the registry has them.
#include "businesslayer/common/ccommoncommands.h"

#include "base/orx2basepool/tcommand.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using Base::ICommonCommands;
using BusinessLayer::CCommonCommands;
using CommandPtr = std::shared_ptr<Base::ICommandBase>;

struct SSlot
{
    std::string name;
    CommandPtr (*get)(ICommonCommands const&);
    CommandPtr (*setFresh)(CCommonCommands&); // installs a new, unregistered "Fresh" command
    std::wstring registeredAs;                // empty: the slot starts empty
};

template <class... Args> auto Fresh(Base::ICommand<Args...> const*)
{
    return std::make_shared<Base::TCommand<void, Args...>>([](Args...) {}, L"Fresh", false);
}

// clang-format off
#define ORX2_SLOT_OF(name, Getter, Setter, registeredAs)                                                     \
    SSlot{name, [](ICommonCommands const& c) -> CommandPtr { return c.Getter(); },                           \
          [](CCommonCommands& c) -> CommandPtr { auto const f = Fresh(c.Getter().get()); c.Setter(f); return f; }, \
          registeredAs}
#define ORX2_SLOT(Middle, registeredAs) ORX2_SLOT_OF(#Middle, Get##Middle##Command, Set##Middle##Command, registeredAs)
// clang-format on

// Every slot in the interface's order, written out by hand.
std::vector<SSlot> const kSlots = {
    ORX2_SLOT(EngineReplayMode, L"common.Replay"),
    ORX2_SLOT(EngineActivateSave, L"common.Save"),
    ORX2_SLOT(EngineActivateLoad, L"common.Load"),
    ORX2_SLOT(AccuracyTest, L"common.AccuracyTest"),
    ORX2_SLOT(ExportReconstruction, L""),
    ORX2_SLOT(ExportAreaContent, L""),
    ORX2_SLOT(DebugOptimization, L""),
    ORX2_SLOT(UnlockAreas, L""),
    ORX2_SLOT(AreaSetDoReconstruction, L""),
    ORX2_SLOT(AreasWaitForIdle, L""),
    ORX2_SLOT(SaveAreaEntities, L""),
    ORX2_SLOT(SaveArea, L""),
    ORX2_SLOT(SwitchAreaOptimizationType, L""),
    ORX2_SLOT(TriggerReconstruction, L""),
    ORX2_SLOT(SaveSurfelCollection, L""),
    ORX2_SLOT(ClearEntities, L"common.ClearEntities"),
    ORX2_SLOT(ApplyCutFromFile, L"common.ApplyCutFromFile"),
    ORX2_SLOT(RecomputeOptimization, L"common.RecomputeOptimization"),
    ORX2_SLOT(RecalculateOutlier, L""),
    ORX2_SLOT(ClearLastReentryResult, L"common.ClearLastReentryResult"),
    ORX2_SLOT(GetLastReentryWasSuccessful, L"common.GetLastReentryWasSuccessful"),
    ORX2_SLOT(GetLastReentryDelay, L"common.GetLastReentryDelay"),
    ORX2_SLOT(GetLastReentryTrafo, L"common.GetLastReentryTrafo"),
    ORX2_SLOT(InjectSupportGeometry, L""),
    ORX2_SLOT(InjectReferenceGeometry, L""),
    ORX2_SLOT(InjectReferenceGeometrySC, L""),
    ORX2_SLOT(AddArea, L""),
    ORX2_SLOT(MoveArea, L""),
    ORX2_SLOT(GetGlobalParameterSet, L""),
    ORX2_SLOT(WriteRandomBinFile, L""),
    ORX2_SLOT(ReplaceGeometryAtL0Level, L"common.ReplaceGeometryAtL0Level"),
    ORX2_SLOT(DisturbTransformations, L""),
    ORX2_SLOT(ConnectVisualization, L""),
    ORX2_SLOT_OF("DebugDomainTest", GeDebugDomainTestCommand, SetDebugDomainTestCommand, L""),
};

using CommonCommands = Orx2Test::CommandEnvironment;
} // namespace

TEST_F(CommonCommands, TwelveSlotsHoldTheRegisteredCommandsUntilTheSetGoes)
{
    auto commands = std::make_unique<CCommonCommands>();
    for (SSlot const& slot : kSlots)
    {
        SCOPED_TRACE(slot.name);
        CommandPtr const command = slot.get(*commands);
        EXPECT_EQ(slot.registeredAs, command ? command->GetName() : std::wstring());
        EXPECT_EQ(slot.registeredAs.empty() ? nullptr : command, Find(slot.registeredAs));
    }
    commands.reset();
    for (SSlot const& slot : kSlots)
        EXPECT_EQ(nullptr, Find(slot.registeredAs)) << slot.name << ": the entry outlived the set";
}

TEST_F(CommonCommands, EachSetterChangesOnlyItsSlotAndRegistersNothing)
{
    CCommonCommands commands;
    for (SSlot const& slot : kSlots)
    {
        std::vector<CommandPtr> expected;
        for (SSlot const& other : kSlots)
            expected.push_back(other.get(commands));
        expected[static_cast<std::size_t>(&slot - kSlots.data())] = slot.setFresh(commands);
        for (std::size_t i = 0; i < kSlots.size(); ++i)
            EXPECT_EQ(expected[i], kSlots[i].get(commands))
                << "setting " << slot.name << ", reading " << kSlots[i].name;
    }
    EXPECT_EQ(nullptr, Find(L"Fresh")) << "a setter registered its command";
}

TEST_F(CommonCommands, DefaultCommandsByNameAsTheGuiSeesThem)
{
    CCommonCommands const commands;
    Orx2Test::GuiProbe probe;
    Find<ICommonCommands::EngineActivateSaveCommand>(L"common.Save")->Execute(L"/cases/42");
    EXPECT_EQ((std::vector<unsigned>{1, 0}), probe.Take().guiLockCounts);
    EXPECT_TRUE(Records().empty()) << "a plain command was recorded for replay";
}
