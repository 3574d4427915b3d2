// The GUI configuration's directory of slots and the 3D scene following the visualization sink; the
// acquisition button, the capture keys, the GUI lock and the QR code it holds.
#include "businesslayer/common/cguiconfigurationbase.h"

#include "businesslayer/common/c3dsceneviewmodelbase.h"
#include "businesslayer/common/cacquisitionbuttonviewmodelbase.h"

#include "host/contracts/i3dvisualizationsink.h"
#include "support/callspy.h"
#include "support/heldcallback.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace
{
using namespace BusinessLayer;
using SinkPtr = CGuiConfigurationBase::SinkPtr;
using Sinks = std::vector<std::tuple<SinkPtr>>;

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


/// A button following a device signal, as a host's derived class does.
class CFollowingButton : public CAcquisitionButtonViewModelBase
{
public:
    CFollowingButton(Base::TEventSignal<bool>& locked, Orx2Test::HeldCallback& held)
    {
        AddConnection(locked.Connect(Base::MakeEventSignalHandler<bool>(
            [this, &held](bool value)
            {
                held.Hold();
                GetIsLocked().Set(value);
            })));
    }
};
} // namespace

TEST(GuiConfiguration, TheSceneCarriesTheCurrentSinkWhicheverIsSetFirst)
{
    Orx2Test::CallSpy<SinkPtr> hook;
    auto configuration = std::make_unique<CSpyConfiguration>(hook);
    EXPECT_EQ(0U, hook.Count()) << "the constructor's call must reach the base only";
    auto const first = std::make_shared<CSpyScene>(), second = std::make_shared<CSpyScene>();
    SinkPtr const a = std::make_shared<Base::I3DVisualizationSink>(),
                  b = std::make_shared<Base::I3DVisualizationSink>();
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


TEST(SmallViewModels, AButtonsSubscriptionNeverRunsAfterItsDestruction)
{
    Base::TEventSignal<bool> locked;
    Orx2Test::HeldCallback held;
    auto button = std::make_unique<CFollowingButton>(locked, held);
    held.ExpectDestroyWaits([&] { locked.Fire(true); }, [&] { button.reset(); });
    int const atDestruction = held.Calls();
    locked.Fire(false);
    EXPECT_EQ(atDestruction, held.Calls());
}
