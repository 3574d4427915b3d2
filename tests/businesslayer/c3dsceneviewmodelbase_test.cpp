// The 3D scene view model: the sink property, and the region source and selection event that derived
// classes drive without notifying the view model's PropertyChanged.
#include "businesslayer/common/c3dsceneviewmodelbase.h"

#include "base/orx2basepool/tvaluechangedobserver.h"
#include "host/contracts/i3dvisualizationsink.h"
#include "support/callspy.h"
#include "support/propertychangedcounter.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

namespace
{
using BusinessLayer::C3DSceneViewModelBase;
using SinkPtr = std::shared_ptr<Base::I3DVisualizationSink>;

/// A scene as the host writes one: it sets the region source and fires selections.
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
    Orx2Test::PropertyChangedCounter changes(scene);
    Orx2Test::CallSpy<bool> region;
    Orx2Test::CallSpy<Base::SRegionSelectionInfo> selections;
    Base::Binding::TValueChangedObserver<bool> const observer(gui.GetRegionBeingEnteredProperty(),
                                                              region.Callback());
    Base::CScopedEventSignalConnection const connection(gui.GetSelectionEvent().Connect(
        Base::MakeEventSignalHandler<Base::SRegionSelectionInfo const>(selections.Callback())));
    SinkPtr const sink = std::make_shared<Base::I3DVisualizationSink>();
    gui.Set3dVisualizationSink(sink);
    EXPECT_EQ(1, changes.Take()) << "a new sink";
    gui.Set3dVisualizationSink(sink);
    EXPECT_EQ(0, changes.Take()) << "the same sink again";
    scene.GetRegionBeingEnteredSource().Set(true);
    scene.GetSelectionEventSignal().Fire({Base::EAreaItems::UpperJaw, true});
    gui.TriggerThumbnailRendering();
    EXPECT_EQ(0, changes.Take()) << "a region being entered, a selection or a rendering request notified";

    EXPECT_EQ(sink, scene.Get3dVisualizationSink().Get());
    EXPECT_EQ(0, gui.GetRegionBeingEnteredProperty().GetStatus());
    EXPECT_EQ((std::vector<std::tuple<bool>>{{false}, {true}}), region.Calls());
    EXPECT_EQ((std::vector<std::tuple<Base::SRegionSelectionInfo>>{{{Base::EAreaItems::UpperJaw, true}}}),
              selections.Calls());
}
