// The work indicator counted from eight threads, and keys pressed while the acquisition service goes.
#include "businesslayer/common/cguiconfigurationbase.h"
#include "businesslayer/common/clockguiviewmodelbase.h"
#include "reference_host/cacquisitionservice.h"
#include "reference_host/cguiconfiguration.h"

#include "base/orx2basepool/interfaces/icapturekeysviewmodel.h"
#include "stress/stresssupport.h"
#include "support/commandenvironment.h"
#include "support/threadhelpers.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Orx2Stress;

TEST(GuiLockStress, EightThreadsCountTheWorkIndicatorExactly)
{
    Watchdog const watchdog("GuiLockStress.EightThreadsCountTheWorkIndicatorExactly");
    BusinessLayer::CLockGUIViewModelBase lock;
    std::vector<unsigned> seen{0}; // written under the view model's mutex only
    Base::CScopedEventSignalConnection const observer(
        lock.GetShowAnimatedWorkIndicator().ConnectToValueChanged(
            Base::MakeEventSignalHandler<unsigned const&>([&seen](unsigned value)
                                                          { seen.push_back(value); })));
    Budget budget(Scaled(200'000, 20'000));
    RunThreads(8,
               [&](unsigned)
               {
                   while (budget.Take())
                       lock.ShowAnimatedWorkIndicator(true), lock.ShowAnimatedWorkIndicator(false);
               });
    ReportBudget("openAndClose", budget);
    EXPECT_EQ(0U, lock.GetShowAnimatedWorkIndicator().Get());
    for (std::size_t i = 1; i < seen.size(); ++i)
        ASSERT_EQ(1U, seen[i] > seen[i - 1] ? seen[i] - seen[i - 1] : seen[i - 1] - seen[i]) << "value " << i;
}

using KeysStress = Orx2Test::CommandEnvironment;

TEST_F(KeysStress, KeysPressedWhileAnotherThreadDestroysTheService)
{
    Watchdog const watchdog("KeysStress.KeysPressedWhileAnotherThreadDestroysTheService");
    ReferenceHost::CGuiConfiguration configuration;
    for (int round = 0; round < static_cast<int>(Scaled(50, 10)); ++round)
    {
        auto service = std::make_shared<ReferenceHost::CAcquisitionService>();
        std::weak_ptr<ReferenceHost::CAcquisitionService> const weak = service;
        configuration.setupKeyboardAndFootControl(service);
        auto const keys = configuration.GetCaptureKeysConfiguration().Get()->GetKeyPressedCommand().Get();
        Orx2Test::Gate started;
        Orx2Test::ScopedThread presser(
            [&]
            {
                for (unsigned i = 0; i < 200; ++i)
                {
                    keys->Execute(i % 2 == 0 ? 32U : 65U, i);
                    if (i == 10)
                        started.Open();
                }
            });
        ASSERT_TRUE(started.Wait());
        service.reset();
        presser.Join();
        EXPECT_TRUE(weak.expired()) << "round " << round;
    }
}
