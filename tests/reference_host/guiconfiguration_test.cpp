// Start-up steps 4 and 5 through the reference host, then keys, the foot switch and the GUI lock as a
// GUI bound to the configuration sees them.
#include "reference_host/cacquisitionservice.h"
#include "reference_host/cfootswitch.h"
#include "reference_host/cguiconfiguration.h"

#include "base/orx2basepool/interfaces/icapturekeysviewmodel.h"
#include "businesslayer/common/ctoolactionviewmodelbase.h"
#include "support/callspy.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"

#include <gtest/gtest.h>

namespace
{
using ReferenceHost::CAcquisitionService;
using Call = CAcquisitionService::SKeyCall;
using Kind = CAcquisitionService::EKeyKind;
constexpr unsigned kData = 0xFFFFFFFFU;
std::wstring const kPressed = L"CGuiConfigurationBase.KeyPressed",
                   kReleased = L"CGuiConfigurationBase.KeyReleased",
                   kGeneric = L"CGuiConfigurationBase.GenericKeyPressed";

class GuiStartup : public Orx2Test::CommandEnvironment
{
protected:
    void SetUp() override
    {
        CommandEnvironment::SetUp();
        configuration = std::make_unique<ReferenceHost::CGuiConfiguration>();
        configuration->setupKeyboardAndFootControl(service);
        configuration->Set3dVisualizationSink(sink); // once the renderer exists
    }
    void TearDown() override
    {
        configuration.reset();
        CommandEnvironment::TearDown();
    }
    /// A key as the GUI hands it over: through the capture-keys slot.
    void Key(bool pressed, unsigned key)
    {
        auto const keys = configuration->GetCaptureKeysConfiguration().Get();
        (pressed ? keys->GetKeyPressedCommand() : keys->GetKeyReleasedCommand()).Get()->Execute(key, kData);
    }

    std::shared_ptr<CAcquisitionService> service = std::make_shared<CAcquisitionService>();
    std::shared_ptr<Base::I3DVisualizationSink> const sink = std::make_shared<Base::I3DVisualizationSink>();
    std::unique_ptr<ReferenceHost::CGuiConfiguration> configuration;
};
} // namespace

TEST_F(GuiStartup, EveryKeyAndTheFootSwitchReachTheServiceAsTheKeyTableSays)
{
    EXPECT_EQ(sink, configuration->GetScene()->Get3dVisualizationSink().Get());
    // The space bar, A, NumPlus, F7 and the minus key are the keys scenario's; here the keys around them.
    // Each key command's execution is journalled as every command's is (the command suite's concern).
    struct SKey
    {
        unsigned key;
        char press, release; // 'D' dedicated, 'G' generic, '-' nothing
    } const keys[] = {{0, 'G', 'G'},   {31, 'G', 'G'},   {33, 'G', 'G'},  {106, 'G', 'G'}, {108, 'G', 'G'},
                      {109, 'G', 'D'}, {110, 'G', 'G'},  {116, 'G', 'G'}, {117, '-', '-'}, {119, '-', '-'},
                      {120, '-', '-'}, {121, 'G', 'G'},  {186, 'G', 'G'}, {187, 'D', 'G'}, {188, 'G', 'G'},
                      {190, 'G', 'G'}, {kData, 'G', 'G'}};
    Orx2Test::GuiProbe probe;
    for (SKey const& row : keys)
        for (bool const pressed : {true, false})
        {
            SCOPED_TRACE(std::to_string(row.key) + (pressed ? " pressed" : " released"));
            char const what = pressed ? row.press : row.release;
            Key(pressed, row.key);
            std::vector<Call> calls;
            if (what != '-')
                calls.push_back(what == 'D' ? Call{Kind::Dedicated, 0, 0, pressed, 0}
                                            : Call{Kind::Generic, row.key, kData, pressed, 0});
            EXPECT_EQ(calls, service->TakeCalls());
            std::vector<std::wstring> commands{pressed ? kPressed : kReleased};
            if (what == 'G')
                commands.push_back(kGeneric);
            auto const step = probe.Take();
            EXPECT_EQ(commands, step.commands);
            EXPECT_TRUE(step.guiLockCounts.empty());
        }
    ReferenceHost::CFootSwitch const footSwitch;
    EXPECT_TRUE(footSwitch.Press() && footSwitch.Release());
    EXPECT_EQ((std::vector<Call>{{Kind::Dedicated, 0, 0, true, 0}, {Kind::Dedicated, 0, 0, false, 0}}),
              service->TakeCalls());
    EXPECT_EQ((std::vector<std::wstring>{kPressed, kReleased}), probe.Take().commands);
    EXPECT_TRUE(Records().empty()) << "keys are not recorded for replay";
    auto const counts = service->GetResultCounts();
    EXPECT_EQ((CAcquisitionService::SResultCounts{counts.made, counts.made, 0, 0}), counts)
        << "results must be released at once and never waited on";
}

TEST_F(GuiStartup, ASecondSetupTakesOverAndAGoneServiceIsNeitherCalledNorKept)
{
    auto second = std::make_shared<CAcquisitionService>();
    configuration->setupKeyboardAndFootControl(second);
    ReferenceHost::CFootSwitch const footSwitch;
    EXPECT_TRUE(footSwitch.Press());
    EXPECT_EQ((std::vector<Call>{{Kind::Dedicated, 0, 0, true, 0}}), second->TakeCalls());
    EXPECT_TRUE(service->GetCalls().empty());

    std::weak_ptr<CAcquisitionService> const gone = second;
    second.reset();
    EXPECT_TRUE(gone.expired()) << "the key commands keep the service alive";
    EXPECT_NO_THROW(Key(true, 'A'));
    EXPECT_NO_THROW(footSwitch.Release());
}

TEST_F(GuiStartup, GuiLockingCommandsLockTheGuiWhileTheyRun)
{
    auto const lockGui = configuration->GetLockGUIConfiguration().Get();
    Orx2Test::CallSpy<unsigned> counts;
    Base::CScopedEventSignalConnection const connection(lockGui->GetLockCount().ConnectToValueChanged(
        Base::MakeEventSignalHandler<unsigned const&>(counts.Callback())));
    BusinessLayer::CToolActionViewModelBase const action(
        L"Lasso", Base::IToolActionViewModel::ItemTypeToolActionsEnum::ToolAction1, true, true, false);
    action.GetCommand().Get()->Execute();
    EXPECT_EQ((std::vector<std::tuple<unsigned>>{{1}, {0}}), counts.Calls());
}
