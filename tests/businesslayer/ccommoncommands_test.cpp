// The common command set: each of its 34 slots has a setter of its own, and a default command runs by
// name as the GUI runs it. Which slots hold which registered "common." command the simulator's stored
// screen shows, in slot order, read through every getter.
#include "businesslayer/common/ccommoncommands.h"

#include "base/orx2basepool/tcommand.h"
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
};

template <class... Args> auto Fresh(Base::ICommand<Args...> const*)
{
    return std::make_shared<Base::TCommand<void, Args...>>([](Args...) {}, L"Fresh", false);
}

// clang-format off
#define ORX2_SLOT_OF(name, Getter, Setter)                                                                   \
    SSlot{name, [](ICommonCommands const& c) -> CommandPtr { return c.Getter(); },                           \
          [](CCommonCommands& c) -> CommandPtr { auto const f = Fresh(c.Getter().get()); c.Setter(f); return f; }}
#define ORX2_SLOT(Middle) ORX2_SLOT_OF(#Middle, Get##Middle##Command, Set##Middle##Command)

// Every slot in the interface's order, written out by hand.
std::vector<SSlot> const kSlots = {
    ORX2_SLOT(EngineReplayMode), ORX2_SLOT(EngineActivateSave), ORX2_SLOT(EngineActivateLoad),
    ORX2_SLOT(AccuracyTest), ORX2_SLOT(ExportReconstruction), ORX2_SLOT(ExportAreaContent),
    ORX2_SLOT(DebugOptimization), ORX2_SLOT(UnlockAreas), ORX2_SLOT(AreaSetDoReconstruction),
    ORX2_SLOT(AreasWaitForIdle), ORX2_SLOT(SaveAreaEntities), ORX2_SLOT(SaveArea),
    ORX2_SLOT(SwitchAreaOptimizationType), ORX2_SLOT(TriggerReconstruction), ORX2_SLOT(SaveSurfelCollection),
    ORX2_SLOT(ClearEntities), ORX2_SLOT(ApplyCutFromFile), ORX2_SLOT(RecomputeOptimization),
    ORX2_SLOT(RecalculateOutlier), ORX2_SLOT(ClearLastReentryResult), ORX2_SLOT(GetLastReentryWasSuccessful),
    ORX2_SLOT(GetLastReentryDelay), ORX2_SLOT(GetLastReentryTrafo), ORX2_SLOT(InjectSupportGeometry),
    ORX2_SLOT(InjectReferenceGeometry), ORX2_SLOT(InjectReferenceGeometrySC), ORX2_SLOT(AddArea),
    ORX2_SLOT(MoveArea), ORX2_SLOT(GetGlobalParameterSet), ORX2_SLOT(WriteRandomBinFile),
    ORX2_SLOT(ReplaceGeometryAtL0Level), ORX2_SLOT(DisturbTransformations), ORX2_SLOT(ConnectVisualization),
    ORX2_SLOT_OF("DebugDomainTest", GeDebugDomainTestCommand, SetDebugDomainTestCommand),
};
// clang-format on

using CommonCommands = Orx2Test::CommandEnvironment;
} // namespace

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
