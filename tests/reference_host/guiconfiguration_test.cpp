// The reference host's GUI configuration as a host starts it (keyboard and foot control once the service
// exists, the renderer's sink), then keys, the foot switch and the GUI lock as a GUI bound to it sees them.
#include "reference_host/cacquisitionservice.h"
#include "reference_host/cfootswitch.h"
#include "reference_host/cguiconfiguration.h"

#include "base/orx2basepool/interfaces/icapturekeysviewmodel.h"
#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"

#include <gtest/gtest.h>

namespace
{
using ReferenceHost::CAcquisitionService;
using Call = CAcquisitionService::SKeyCall;
using Kind = CAcquisitionService::EKeyKind;
using GuiStartup = Orx2Test::CommandEnvironment;
constexpr unsigned kData = 0xFFFFFFFFU;
std::wstring const kPressed = L"CGuiConfigurationBase.KeyPressed",
                   kReleased = L"CGuiConfigurationBase.KeyReleased",
                   kGeneric = L"CGuiConfigurationBase.GenericKeyPressed";

// One configuration through its life: set up for a service, keys and the foot switch, a second setup for
// another service that then goes, and GUI-locking commands.
TEST_F(GuiStartup, KeysAndTheFootSwitchReachTheCurrentServiceAsTheKeyTableSaysAndTheLockCountFollows)
{
    auto const service = std::make_shared<CAcquisitionService>();
    auto const sink = std::make_shared<Base::I3DVisualizationSink>();
    ReferenceHost::CGuiConfiguration configuration;
    configuration.setupKeyboardAndFootControl(service);
    configuration.Set3dVisualizationSink(sink); // once the renderer exists
    EXPECT_EQ(sink, configuration.GetScene()->Get3dVisualizationSink().Get());
    auto keys = configuration.GetCaptureKeysConfiguration().Get(); // the GUI hands keys over to it

    // The space bar, A, NumPlus, F7 and the minus key are the keys scenario's; here the keys around them.
    // Each key command's execution is journalled as every command's is (the command suite's concern). A
    // key command that locked the GUI would show in the count each call records.
    // clang-format off
    struct SKey { unsigned key; char press, release; /* 'D' dedicated, 'G' generic, '-' nothing */ } const rows[] = {
        {0, 'G', 'G'},   {31, 'G', 'G'},  {33, 'G', 'G'},  {106, 'G', 'G'}, {108, 'G', 'G'}, {109, 'G', 'D'},
        {110, 'G', 'G'}, {116, 'G', 'G'}, {117, '-', '-'}, {119, '-', '-'}, {120, '-', '-'}, {121, 'G', 'G'},
        {186, 'G', 'G'}, {187, 'D', 'G'}, {188, 'G', 'G'}, {190, 'G', 'G'}, {kData, 'G', 'G'}};
    // clang-format on
    Orx2Test::GuiProbe probe;
    for (SKey const& row : rows)
        for (bool const pressed : {true, false})
        {
            SCOPED_TRACE(std::to_string(row.key) + (pressed ? " pressed" : " released"));
            char const what = pressed ? row.press : row.release;
            auto const& command = pressed ? keys->GetKeyPressedCommand() : keys->GetKeyReleasedCommand();
            command.Get()->Execute(row.key, kData);
            std::vector<Call> calls;
            if (what != '-')
                calls.push_back(what == 'D' ? Call{Kind::Dedicated, 0, 0, pressed, 0}
                                            : Call{Kind::Generic, row.key, kData, pressed, 0});
            EXPECT_EQ(calls, service->TakeCalls());
            std::vector<std::wstring> commands{pressed ? kPressed : kReleased};
            if (what == 'G')
                commands.push_back(kGeneric);
            EXPECT_EQ(commands, probe.Take().commands);
        }
    EXPECT_TRUE(Records().empty()) << "keys are not recorded for replay";
    auto const counts = service->GetResultCounts();
    EXPECT_EQ((CAcquisitionService::SResultCounts{counts.made, counts.made, 0, 0}), counts)
        << "results must be released at once and never waited on";

    // A second setup takes over: the foot switch, which the keys scenario drives, finds the new commands
    // by name once the GUI let the first keys go. A gone service is neither called nor kept.
    keys.reset();
    auto second = std::make_shared<CAcquisitionService>();
    configuration.setupKeyboardAndFootControl(second);
    ReferenceHost::CFootSwitch const footSwitch;
    EXPECT_TRUE(footSwitch.Press());
    EXPECT_EQ((std::vector<Call>{{Kind::Dedicated, 0, 0, true, 0}}), second->TakeCalls());
    EXPECT_TRUE(service->GetCalls().empty());
    std::weak_ptr<CAcquisitionService> const gone = second;
    second.reset();
    EXPECT_TRUE(gone.expired()) << "the key commands keep the service alive";
    EXPECT_NO_THROW(footSwitch.Release());

    // The lock-GUI view model counts the GUI-locking commands running.
    std::vector<unsigned> lockCounts; // at binding, then as the command starts and ends
    Base::Binding::TValueChangedObserver<unsigned> const lockObserver(
        configuration.GetLockGUIConfiguration().Get()->GetLockCount(),
        [&lockCounts](unsigned count) { lockCounts.push_back(count); });
    std::make_shared<Base::TCommand<void>>([] {}, L"Test.GuiLocking", true)->Execute();
    EXPECT_EQ((std::vector<unsigned>{0, 1, 0}), lockCounts);
}
} // namespace
