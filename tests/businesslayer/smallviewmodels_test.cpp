// The acquisition button, the capture keys, the GUI lock and the QR code: their properties, the button's
// subscriptions at destruction, and the work indicator counted from many threads.
#include "businesslayer/common/cacquisitionbuttonviewmodelbase.h"
#include "businesslayer/common/ccapturekeysviewmodelbase.h"
#include "businesslayer/common/clockguiviewmodelbase.h"
#include "businesslayer/common/cqrcodeviewmodelbase.h"

#include "base/orx2basepool/tcommand.h"
#include "support/propertychangedcounter.h"
#include "support/propertycontract.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <atomic>

namespace
{
using namespace BusinessLayer;
using Base::CDeviceStateChanged;

template <class... Args> std::shared_ptr<Base::ICommand<Args...>> Command()
{
    return std::make_shared<Base::TCommand<void, Args...>>([](Args...) {}, L"Test", false);
}

/// A button following a device signal, as a host's derived class does.
class CFollowingButton : public CAcquisitionButtonViewModelBase
{
public:
    CFollowingButton(Base::TEventSignal<bool>& locked, std::atomic<int>& calls)
    {
        AddConnection(locked.Connect(Base::MakeEventSignalHandler<bool>(
            [this, &calls](bool value)
            {
                GetIsLocked().Set(value);
                calls.fetch_add(1);
            })));
    }
};
} // namespace

TEST(SmallViewModels, PropertiesKeepTheirContract)
{
    CAcquisitionButtonViewModelBase button;
    using B = CAcquisitionButtonViewModelBase;
    Orx2Test::PropertyContract<B>()
        .Row<CDeviceStateChanged>("CameraDeviceState", &B::GetCameraDeviceState, &B::GetCameraDeviceState, {},
                                  {CDeviceStateChanged::EDeviceState::Connected, L"Cam"})
        .Row<bool>("IsLocked", &B::GetIsLocked, &B::GetIsLocked, false, true)
        .Accessor<bool>(
            "IsEnabled", [](auto& b) -> auto& { return b.IsEnabled(); }, true, false)
        .Check(button);
    Orx2Test::PropertyChangedCounter const gui(button);
    auto const command = Command<>();
    button.SetCameraCommand(command);
    EXPECT_EQ(command, button.GetCameraCommand());
    EXPECT_EQ(0, gui.Count()) << "the camera command is no property";

    CCaptureKeysViewModelBase keys;
    Orx2Test::PropertyContract<CCaptureKeysViewModelBase>()
        .Accessor(
            "KeyPressedCommand", [](auto& k) -> auto& { return k.GetKeyPressedCommand(); },
            CCaptureKeysViewModelBase::KeyCommandPtr(), Command<unsigned, unsigned>())
        .Accessor(
            "KeyReleasedCommand", [](auto& k) -> auto& { return k.GetKeyReleasedCommand(); },
            CCaptureKeysViewModelBase::KeyCommandPtr(), Command<unsigned, unsigned>())
        .Check(keys);

    CLockGUIViewModelBase lock;
    Orx2Test::PropertyContract<CLockGUIViewModelBase>()
        .Custom<unsigned>(
            "LockCount", [](auto const& l) -> auto& {
                return static_cast<Base::ILockGUIViewModel&>(const_cast<CLockGUIViewModelBase&>(l))
                    .GetLockCount();
            },
            [](auto& l) -> auto& { return l.GetLockCount(); }, 0U, 3U)
        .Check(lock);

    CQRCodeViewModelBase qr;
    using Q = CQRCodeViewModelBase;
    auto const area = Command<Base::EAreaItems>();
    auto const text = Command<CStringW>();
    Orx2Test::PropertyContract<Q>()
        .Setter<Q::ActiveAreaCommandPtr>("ActiveAreaCommand", &Q::GetActiveAreaCommand,
                                         &Q::SetActivateAreaCommand, nullptr, area)
        .Setter<Q::QRCodeCommandPtr>("QRCodeCommand", &Q::GetQRCodeCommand, &Q::SetQRCodeCommand, nullptr,
                                     text)
        .Check(qr);
    qr.SetActivateAreaCommand(area);
    qr.SetQRCodeCommand(text);
    Orx2Test::PropertyContract<Q>() // emptied after a command: notifies
        .Setter<Q::ActiveAreaCommandPtr>("ActiveAreaCommand", &Q::GetActiveAreaCommand,
                                         &Q::SetActivateAreaCommand, area, nullptr)
        .Setter<Q::QRCodeCommandPtr>("QRCodeCommand", &Q::GetQRCodeCommand, &Q::SetQRCodeCommand, text,
                                     nullptr)
        .Check(qr);
}

TEST(SmallViewModels, AButtonsSubscriptionNeverRunsAfterItsDestruction)
{
    Base::TEventSignal<bool> locked;
    std::atomic<int> calls{0};
    std::atomic<bool> stop{false};
    auto button = std::make_unique<CFollowingButton>(locked, calls);
    Orx2Test::ScopedThread device(
        [&]
        {
            for (int i = 0; i < 100000 && !stop.load(); ++i)
                locked.Fire(i % 2 == 0);
        });
    ASSERT_TRUE(Orx2Test::Eventually([&] { return calls.load() > 10; }));
    button.reset();
    int const atDestruction = calls.load();
    stop.store(true);
    device.Join();
    locked.Fire(true);
    EXPECT_EQ(atDestruction, calls.load());
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

TEST(SmallViewModels, EightThreadsCountTheWorkIndicatorExactly)
{
    CLockGUIViewModelBase lock;
    std::vector<unsigned> seen{0};
    Base::CScopedEventSignalConnection const observer(
        lock.GetShowAnimatedWorkIndicator().ConnectToValueChanged(
            Base::MakeEventSignalHandler<unsigned const&>([&seen](unsigned value)
                                                          { seen.push_back(value); })));
    {
        std::vector<Orx2Test::ScopedThread> threads;
        for (int t = 0; t < 8; ++t)
            threads.emplace_back(
                [&lock]
                {
                    for (int i = 0; i < 500; ++i)
                    {
                        lock.ShowAnimatedWorkIndicator(true);
                        lock.ShowAnimatedWorkIndicator(false);
                    }
                });
    }
    EXPECT_EQ(0U, lock.GetShowAnimatedWorkIndicator().Get());
    for (std::size_t i = 1; i < seen.size(); ++i)
        ASSERT_EQ(1U, seen[i] > seen[i - 1] ? seen[i] - seen[i - 1] : seen[i - 1] - seen[i]) << "value " << i;
}
