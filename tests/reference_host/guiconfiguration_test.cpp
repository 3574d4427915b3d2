// Start-up steps 4 and 5 through the reference host, then keys, the foot switch, the GUI lock and a QR
// code as a GUI bound to the configuration sees them.
#include "reference_host/cacquisitionservice.h"
#include "reference_host/cfootswitch.h"
#include "reference_host/cguiconfiguration.h"

#include "base/orx2basepool/icapturekeysviewmodel.h"
#include "base/orx2basepool/iqrcodeviewmodel.h"
#include "base/orx2basepool/makeregisteredcommand.h"
#include "base/orx2basepool/tserializablecommand.h"
#include "businesslayer/common/ccommoncommands.h"
#include "businesslayer/common/ctoolactionviewmodelbase.h"
#include "host/acquisitionbase/replayrecordedcommands.h"
#include "support/callspy.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"

#include <gtest/gtest.h>

namespace
{
using ReferenceHost::CAcquisitionService;
using Call = CAcquisitionService::SKeyCall;
using Kind = CAcquisitionService::EKeyKind;

class CSink : public Base::I3DVisualizationSink
{
};

class GuiStartup : public Orx2Test::CommandEnvironment
{
protected:
    void SetUp() override
    {
        CommandEnvironment::SetUp();
        commands = std::make_unique<BusinessLayer::CCommonCommands>();
        configuration = std::make_unique<ReferenceHost::CGuiConfiguration>();
        configuration->setupKeyboardAndFootControl(service);
        configuration->Set3dVisualizationSink(sink); // once the renderer exists
    }
    void TearDown() override
    {
        configuration.reset();
        commands.reset();
        CommandEnvironment::TearDown();
    }

    std::shared_ptr<CAcquisitionService> const service = std::make_shared<CAcquisitionService>();
    std::shared_ptr<CSink> const sink = std::make_shared<CSink>();
    std::unique_ptr<BusinessLayer::CCommonCommands> commands;
    std::unique_ptr<ReferenceHost::CGuiConfiguration> configuration;
};
} // namespace

TEST_F(GuiStartup, KeysAndTheFootSwitchReachTheServiceInOrder)
{
    Base::IGuiConfiguration const& gui = *configuration;
    EXPECT_EQ(sink, configuration->GetScene()->Get3dVisualizationSink().Get());
    auto const keys = gui.GetCaptureKeysConfiguration().Get();
    Orx2Test::GuiProbe probe;
    for (unsigned const key : {32U, 109U, unsigned{'A'}})
        for (auto const* command : {&keys->GetKeyPressedCommand(), &keys->GetKeyReleasedCommand()})
            command->Get()->Execute(key, 5);
    ReferenceHost::CFootSwitch const footSwitch;
    EXPECT_TRUE(footSwitch.Press() && footSwitch.Release());

    EXPECT_EQ((std::vector<Call>{{Kind::Dedicated, 0, 0, true, 0},
                                 {Kind::Dedicated, 0, 0, false, 0},
                                 {Kind::Generic, 109, 5, true, 0},
                                 {Kind::Dedicated, 0, 0, false, 0},
                                 {Kind::Generic, 'A', 5, true, 0},
                                 {Kind::Generic, 'A', 5, false, 0},
                                 {Kind::Dedicated, 0, 0, true, 0},
                                 {Kind::Dedicated, 0, 0, false, 0}}),
              service->GetCalls());
    std::wstring const pressed = L"CGuiConfigurationBase.KeyPressed",
                       released = L"CGuiConfigurationBase.KeyReleased",
                       generic = L"CGuiConfigurationBase.GenericKeyPressed";
    auto const step = probe.Take();
    EXPECT_EQ((std::vector<std::wstring>{pressed, released, pressed, generic, released, pressed, generic,
                                         released, generic, pressed, released}),
              step.commands);
    EXPECT_EQ(4U, JournalCount(pressed, Base::EJournalRecordKind::Opened));
    EXPECT_EQ(4U, JournalCount(released, Base::EJournalRecordKind::Opened));
    EXPECT_EQ(3U, JournalCount(generic, Base::EJournalRecordKind::Opened));
    EXPECT_TRUE(step.guiLockCounts.empty());
    EXPECT_TRUE(Records().empty()) << "keys are not recorded for replay";
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
    commands->GetEngineActivateSaveCommand()->Execute(L"case");
    EXPECT_EQ((std::vector<std::tuple<unsigned>>{{1}, {0}, {1}, {0}}), counts.Calls());
}

TEST_F(GuiStartup, AQRCodeIsRecordedAndReplayedWithAnEqualText)
{
    Orx2Test::CallSpy<CStringW> texts;
    auto const command = Base::MakeRegisteredCommand<Base::TSerializableCommand<void, CStringW>>(
        texts.Callback(), L"ReferenceHost.QRCode", false);
    configuration->GetQRCode()->SetQRCodeCommand(command);
    CStringW const text(L"Z\u00E4hne \u00DF \U0001F9B7 \u6B6F");
    configuration->GetQRCodeConfiguration().Get()->GetQRCodeCommand().Get()->Execute(text);
    auto const records = Records();
    ASSERT_EQ(1U, records.size());
    EXPECT_EQ(L"ReferenceHost.QRCode", records[0].commandName);
    EXPECT_EQ(1U, Base::ReplayRecordedCommands(records).executedCount);
    EXPECT_EQ((std::vector<std::tuple<CStringW>>{{text}, {text}}), texts.Calls());
}
