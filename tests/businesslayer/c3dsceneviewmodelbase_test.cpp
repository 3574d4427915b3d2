// The 3D scene view model: the sink property, and the region source and selection event that derived
// classes drive without notifying the view model's PropertyChanged.
#include "businesslayer/common/c3dsceneviewmodelbase.h"

#include "base/orx2basepool/tvaluechangedobserver.h"
#include "support/callspy.h"
#include "support/guiprobe.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace
{
using Base::SRegionSelectionInfo;
using BusinessLayer::C3DSceneViewModelBase;

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

TEST(SceneViewModel, OnlyANewSinkNotifiesTheGui)
{
    CHostScene scene;
    Base::I3DSceneViewModel& gui = scene;
    Orx2Test::GuiProbe probe;
    probe.Watch("scene", scene);
    Orx2Test::CallSpy<bool> region;
    Orx2Test::CallSpy<SRegionSelectionInfo> selections;
    Base::Binding::TValueChangedObserver<bool> const observer(gui.GetRegionBeingEnteredProperty(),
                                                              region.Callback());
    Base::CScopedEventSignalConnection const connection(gui.GetSelectionEvent().Connect(
        Base::MakeEventSignalHandler<SRegionSelectionInfo const>(selections.Callback())));
    auto const sink = std::make_shared<CSink>();
    struct SStep
    {
        char const* name;
        std::function<void()> act;
        int changes;
    } const steps[] = {
        {"a new sink", [&] { gui.Set3dVisualizationSink(sink); }, 1},
        {"the same sink again", [&] { gui.Set3dVisualizationSink(sink); }, 0},
        {"a region being entered", [&] { scene.GetRegionBeingEnteredSource().Set(true); }, 0},
        {"a selection",
         [&] {
             scene.GetSelectionEventSignal().Fire({Base::EAreaItems::UpperJaw, true});
         },
         0},
        {"thumbnail rendering", [&] { gui.TriggerThumbnailRendering(); }, 0},
    };
    for (auto const& step : steps)
    {
        step.act();
        auto const seen = probe.Take();
        EXPECT_EQ(step.changes, seen.Changes("scene")) << step.name;
        EXPECT_TRUE(seen.commands.empty() && seen.log.empty()) << step.name;
    }
    EXPECT_EQ(sink, scene.Get3dVisualizationSink().Get());
    EXPECT_EQ(0, gui.GetRegionBeingEnteredProperty().GetStatus());
    EXPECT_EQ((std::vector<std::tuple<bool>>{{false}, {true}}), region.Calls());
    EXPECT_EQ((std::vector<std::tuple<SRegionSelectionInfo>>{{{Base::EAreaItems::UpperJaw, true}}}),
              selections.Calls());
}
