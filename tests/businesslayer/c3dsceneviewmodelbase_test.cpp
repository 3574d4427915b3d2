// The 3D scene view model: the sink the scene renders into, the region source and the selection event
// that derived classes drive.
#include "businesslayer/common/c3dsceneviewmodelbase.h"

#include "base/orx2basepool/tvaluechangedobserver.h"
#include "support/callspy.h"
#include "support/guiprobe.h"
#include "support/propertycontract.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>
#include <vector>

namespace
{
using Base::EAreaItems;
using Base::SRegionSelectionInfo;
using BusinessLayer::C3DSceneViewModelBase;
using SinkPtr = std::shared_ptr<Base::I3DVisualizationSink>;

class CSink : public Base::I3DVisualizationSink
{
};

/// A derived class as the host writes one: it sets the region source and fires selections.
class CHostScene : public C3DSceneViewModelBase
{
public:
    using C3DSceneViewModelBase::GetRegionBeingEnteredSource;
    using C3DSceneViewModelBase::GetSelectionEventSignal;
};
} // namespace

TEST(SceneViewModel, SinkPropertyKeepsItsContract)
{
    C3DSceneViewModelBase scene;
    Orx2Test::PropertyContract<C3DSceneViewModelBase>()
        .Row<SinkPtr>("3dVisualizationSink", &C3DSceneViewModelBase::Get3dVisualizationSink,
                      &C3DSceneViewModelBase::Get3dVisualizationSink, nullptr, std::make_shared<CSink>())
        .Check(scene);
}

TEST(SceneViewModel, TheGuiSeesEachNewSinkOnceAndNothingElse)
{
    CHostScene scene;
    Base::I3DSceneViewModel& gui = scene;
    Orx2Test::GuiProbe probe;
    probe.Watch("scene", scene);
    Orx2Test::CallSpy<bool> region;
    Orx2Test::CallSpy<SRegionSelectionInfo> selections;
    Base::Binding::TValueChangedObserver<bool> const regionObserver(gui.GetRegionBeingEnteredProperty(),
                                                                    region.Callback());
    Base::CScopedEventSignalConnection const selectionConnection(gui.GetSelectionEvent().Connect(
        Base::MakeEventSignalHandler<SRegionSelectionInfo const>(selections.Callback())));
    EXPECT_EQ(0, gui.GetRegionBeingEnteredProperty().GetStatus());
    probe.Take();

    auto const sink = std::make_shared<CSink>();
    struct SStepRow
    {
        char const* name;
        std::function<void()> act;
        int sceneChanges;
    };
    std::vector<SStepRow> const steps = {
        {"a new sink", [&] { gui.Set3dVisualizationSink(sink); }, 1},
        {"the same sink again", [&] { gui.Set3dVisualizationSink(sink); }, 0},
        {"a region being entered", [&] { scene.GetRegionBeingEnteredSource().Set(true); }, 0},
        {"a selection",
         [&] {
             scene.GetSelectionEventSignal().Fire({EAreaItems::UpperJaw, true});
         },
         0},
        {"thumbnail rendering", [&] { gui.TriggerThumbnailRendering(); }, 0},
        {"no sink", [&] { gui.Set3dVisualizationSink(nullptr); }, 1},
    };
    for (SStepRow const& row : steps)
    {
        SCOPED_TRACE(row.name);
        row.act();
        auto const step = probe.Take();
        EXPECT_EQ(row.sceneChanges, step.Changes("scene"));
        EXPECT_TRUE(step.commands.empty());
        EXPECT_TRUE(step.log.empty());
    }
    EXPECT_EQ(nullptr, scene.Get3dVisualizationSink().Get());
    EXPECT_EQ((std::vector<std::tuple<bool>>{{false}, {true}}), region.Calls());
    EXPECT_EQ((std::vector<std::tuple<SRegionSelectionInfo>>{{{EAreaItems::UpperJaw, true}}}),
              selections.Calls());
}
