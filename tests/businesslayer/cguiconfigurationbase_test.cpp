// The GUI configuration's directory of slots and the 3D scene following the visualization sink; the
// acquisition button, the capture keys, the GUI lock and the QR code it holds.
#include "businesslayer/common/cguiconfigurationbase.h"

#include "base/orx2basepool/tcommand.h"
#include "businesslayer/common/c3dsceneviewmodelbase.h"
#include "businesslayer/common/cacquisitionbuttonviewmodelbase.h"
#include "businesslayer/common/ccapturekeysviewmodelbase.h"
#include "businesslayer/common/clockguiviewmodelbase.h"
#include "businesslayer/common/cqrcodeviewmodelbase.h"
#include "host/contracts/i3dvisualizationsink.h"
#include "support/callspy.h"
#include "support/heldcallback.h"
#include "support/propertychangedcounter.h"
#include "support/propertycontract.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
using namespace BusinessLayer;
using Base::CDeviceStateChanged;
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

template <class... Args> std::shared_ptr<Base::ICommand<Args...>> Command()
{
    return std::make_shared<Base::TCommand<void, Args...>>([](Args...) {}, L"Test", false);
}

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

TEST(GuiConfiguration, EverySlotStartsEmpty)
{
    CGuiConfigurationBase const configuration;
    Base::IGuiConfiguration const& g = configuration;
    // clang-format off
    std::shared_ptr<void> const slots[] = {
        g.GetAcquisitionButtonConfiguration().Get(), g.GetSidePanelConfiguration().Get(),
        g.GetAreaConfiguration().Get(), g.GetStepMenuConfiguration().Get(),
        g.GetObjectListConfiguration().Get(), g.GetLiveOptionsConfiguration().Get(),
        g.GetTrashConfiguration().Get(), g.GetLiveVideoConfiguration().Get(),
        g.Get3DSceneConfiguration().Get(), g.GetMessageBoxConfiguration().Get(),
        g.GetLiveImageConfiguration().Get(), g.GetSoundConfiguration().Get(),
        g.GetCaptureKeysConfiguration().Get(), g.GetCameraCalibrationConfiguration().Get(),
        g.GetLockGUIConfiguration().Get(), g.GetTabManagerConfiguration().Get(),
        g.GetQRCodeConfiguration().Get(), g.GetColorCalibDialogConfiguration().Get(),
        g.GetLiveImageNSPConfiguration().Get(), g.GetProgressBarConfiguration().Get(),
        g.GetDoubleClickToolConfiguration().Get(), g.GetRoiToolConfiguration().Get(),
        g.GetSceneInfoHintConfiguration().Get()};
    // clang-format on
    for (std::size_t i = 0; i < std::size(slots); ++i)
        EXPECT_FALSE(slots[i]) << "slot " << i;
}

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

TEST(SmallViewModels, PropertiesKeepTheirContract)
{
    CAcquisitionButtonViewModelBase button;
    using B = CAcquisitionButtonViewModelBase;
    Orx2Test::PropertyContract<B>()
        .Row<CDeviceStateChanged>("CameraDeviceState", &B::GetCameraDeviceState, &B::GetCameraDeviceState, {},
                                  {CDeviceStateChanged::EDeviceState::Connected, L"Cam"})
        .Row<bool>("IsLocked", &B::GetIsLocked, &B::GetIsLocked, false, true)
        .Accessor<bool>("IsEnabled", ORX2_ACCESSOR(IsEnabled), true, false)
        .Check(button);

    CCaptureKeysViewModelBase keys;
    Orx2Test::PropertyContract<CCaptureKeysViewModelBase>()
        .Accessor("KeyPressedCommand", ORX2_ACCESSOR(GetKeyPressedCommand),
                  CCaptureKeysViewModelBase::KeyCommandPtr(), Command<unsigned, unsigned>())
        .Accessor("KeyReleasedCommand", ORX2_ACCESSOR(GetKeyReleasedCommand),
                  CCaptureKeysViewModelBase::KeyCommandPtr(), Command<unsigned, unsigned>())
        .Check(keys);

    CLockGUIViewModelBase lock;
    Orx2Test::PropertyContract<CLockGUIViewModelBase>()
        .Custom<unsigned>(
            "LockCount",
            [](auto const& l) -> auto& { return const_cast<CLockGUIViewModelBase&>(l).GetLockCount(); },
            ORX2_ACCESSOR(GetLockCount), 0U, 3U)
        .Check(lock);

    CQRCodeViewModelBase qr;
    using Q = CQRCodeViewModelBase;
    auto const area = Command<Base::EAreaItems>();
    auto const text = Command<CStringW>();
    for (bool const set : {false, true}) // empty at first; then emptied after a command
    {
        Orx2Test::PropertyContract<Q>()
            .Setter<Q::ActiveAreaCommandPtr>("ActiveAreaCommand", &Q::GetActiveAreaCommand,
                                             &Q::SetActivateAreaCommand, set ? area : nullptr,
                                             set ? nullptr : area)
            .Setter<Q::QRCodeCommandPtr>("QRCodeCommand", &Q::GetQRCodeCommand, &Q::SetQRCodeCommand,
                                         set ? text : nullptr, set ? nullptr : text)
            .Check(qr);
        qr.SetActivateAreaCommand(area);
        qr.SetQRCodeCommand(text);
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

TEST(SmallViewModels, TheWorkIndicatorCountsRequestsAndNeverGoesBelowZero)
{
    CLockGUIViewModelBase lock;
    Orx2Test::PropertyChangedCounter gui(lock);
    struct SStep
    {
        bool show;
        unsigned count;
        int notifications;
    } const steps[] = {{true, 1, 1}, {true, 2, 1}, {false, 1, 1}, {false, 0, 1}, {false, 0, 0}, {true, 1, 1}};
    for (std::size_t i = 0; i < std::size(steps); ++i)
    {
        lock.ShowAnimatedWorkIndicator(steps[i].show);
        EXPECT_EQ(steps[i].count, lock.GetShowAnimatedWorkIndicator().Get()) << "step " << i;
        EXPECT_EQ(steps[i].notifications, gui.Take()) << "step " << i;
    }
}
