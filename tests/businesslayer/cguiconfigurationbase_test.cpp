// The GUI configuration's directory of slots, and the 3D scene following the visualization sink.
#include "businesslayer/common/cguiconfigurationbase.h"

#include "businesslayer/common/c3dsceneviewmodelbase.h"
#include "support/callspy.h"
#include "support/propertycontract.h"

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>

namespace
{
using BusinessLayer::CGuiConfigurationBase;
using SinkPtr = CGuiConfigurationBase::SinkPtr;
using Sinks = std::vector<std::tuple<SinkPtr>>;

class CSink : public Base::I3DVisualizationSink
{
};

class CSpyScene : public BusinessLayer::C3DSceneViewModelBase
{
public:
    void Set3dVisualizationSink(SinkPtr const& sink) override { sinks.Record(sink); }
    Orx2Test::CallSpy<SinkPtr> sinks;
};

class CSpyConfiguration : public CGuiConfigurationBase
{
public:
    explicit CSpyConfiguration(Orx2Test::CallSpy<SinkPtr>& hook) : m_hook(hook) {}
    void onVisSinkChange(SinkPtr const& sink) override
    {
        m_hook.Record(sink);
        CGuiConfigurationBase::onVisSinkChange(sink);
    }

private:
    Orx2Test::CallSpy<SinkPtr>& m_hook;
};

/// A value for a slot: a real scene (the configuration calls it), else a pointer that is never followed,
/// as the configuration only passes it through.
template <class I> std::shared_ptr<I> Other()
{
    if constexpr (std::is_same_v<I, Base::I3DSceneViewModel>)
        return std::make_shared<CSpyScene>();
    auto const anchor = std::make_shared<int>(0);
    return std::shared_ptr<I>(anchor, reinterpret_cast<I*>(anchor.get()));
}
} // namespace

#define ORX2_SLOT(Accessor, I)                                                                               \
    Custom<std::shared_ptr<Base::I>>(                                                                        \
        #Accessor, [](auto& c) -> auto& { return c.Accessor(); },                                            \
        [](auto& c) -> auto& { return c.Accessor(); }, nullptr, Other<Base::I>(), false)

TEST(GuiConfiguration, SlotsStartEmptyAndNotifyOnlyTheirOwnObservers)
{
    CGuiConfigurationBase configuration;
    Orx2Test::PropertyContract<CGuiConfigurationBase>()
        .ORX2_SLOT(GetAcquisitionButtonConfiguration, IAcquisitionButtonViewModel)
        .ORX2_SLOT(GetSidePanelConfiguration, ISidePanelViewModel)
        .ORX2_SLOT(GetAreaConfiguration, IAreaViewModel)
        .ORX2_SLOT(GetStepMenuConfiguration, IStepMenuViewModel)
        .ORX2_SLOT(GetObjectListConfiguration, IObjectListViewModel)
        .ORX2_SLOT(GetLiveOptionsConfiguration, ILiveOptionsViewModel)
        .ORX2_SLOT(GetTrashConfiguration, ITrashViewModel)
        .ORX2_SLOT(GetLiveVideoConfiguration, ILiveVideoViewModel)
        .ORX2_SLOT(Get3DSceneConfiguration, I3DSceneViewModel)
        .ORX2_SLOT(GetMessageBoxConfiguration, IMessageBoxViewModel)
        .ORX2_SLOT(GetLiveImageConfiguration, ILiveImageViewModel)
        .ORX2_SLOT(GetSoundConfiguration, ISoundModel)
        .ORX2_SLOT(GetCaptureKeysConfiguration, ICaptureKeysViewModel)
        .ORX2_SLOT(GetCameraCalibrationConfiguration, ICameraCalibrationViewModel)
        .ORX2_SLOT(GetLockGUIConfiguration, ILockGUIViewModel)
        .ORX2_SLOT(GetTabManagerConfiguration, ITabManagerViewModel)
        .ORX2_SLOT(GetQRCodeConfiguration, IQRCodeViewModel)
        .ORX2_SLOT(GetColorCalibDialogConfiguration, IColorCalibDialogViewModel)
        .ORX2_SLOT(GetLiveImageNSPConfiguration, ILiveViewNSPViewModel)
        .ORX2_SLOT(GetProgressBarConfiguration, IProgressBarViewModel)
        .ORX2_SLOT(GetDoubleClickToolConfiguration, IToolModelDoubleClick)
        .ORX2_SLOT(GetRoiToolConfiguration, IToolModelROI)
        .ORX2_SLOT(GetSceneInfoHintConfiguration, ISceneInfoHintModel)
        .Check(configuration);
}

TEST(GuiConfiguration, TheSceneCarriesTheCurrentSinkWhicheverIsSetFirst)
{
    Orx2Test::CallSpy<SinkPtr> hook;
    auto configuration = std::make_unique<CSpyConfiguration>(hook);
    EXPECT_EQ(0U, hook.Count()) << "the constructor's call must reach the base only";
    auto const first = std::make_shared<CSpyScene>(), second = std::make_shared<CSpyScene>();
    SinkPtr const a = std::make_shared<CSink>(), b = std::make_shared<CSink>();
    auto const setScene = [&](std::shared_ptr<CSpyScene> const& scene)
    { return [&, scene] { configuration->Get3DSceneConfiguration().Set(scene); }; };
    auto const setSink = [&](SinkPtr const& sink)
    { return [&, sink] { configuration->Set3dVisualizationSink(sink); }; };
    struct SStep
    {
        char const* name;
        std::function<void()> act;
        Sinks first, second, hook; // what each scene and the subclass's onVisSinkChange receive
    } const steps[] = {
        {"sink without a scene", setSink(a), {}, {}, {{a}}},
        {"then a scene", setScene(first), {{a}}, {}, {}},
        {"the same sink again", setSink(a), {}, {}, {}},
        {"a new sink", setSink(b), {{b}}, {}, {{b}}},
        {"a replacing scene", setScene(second), {}, {{b}}, {}},
        {"an empty sink", setSink(nullptr), {}, {{nullptr}}, {{nullptr}}},
        {"an emptied scene", setScene(nullptr), {}, {}, {}},
        {"a sink after the scene went", setSink(a), {}, {}, {{a}}},
        {"scene set after sink", setScene(first), {{a}}, {}, {}},
        {"destruction", [&] { configuration.reset(); }, {}, {}, {}},
    };
    for (auto const& step : steps)
    {
        step.act();
        EXPECT_EQ(step.first, first->sinks.Calls()) << step.name;
        EXPECT_EQ(step.second, second->sinks.Calls()) << step.name;
        EXPECT_EQ(step.hook, hook.Calls()) << step.name;
        for (auto* spy : {&first->sinks, &second->sinks, &hook})
            spy->Clear();
    }
}
