// A calibration end to end as the GUI sees it: a scripted engine asks through wait requests, the GUI
// answers through the step menu's and the colour dialog's commands, and the recorded answers replay.
#include "host/acquisitionbase/replayrecordedcommands.h"
#include "host/resources/tvcresmanager.h"
#include "reference_host/ccalibrationdriver.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"
#include "support/heldcallback.h"

#include "base/orx2basepool/tcommandslot.h"
#include "base/orx2basepool/tvaluechangedobserver.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
using namespace BusinessLayer;
using Driver = ReferenceHost::CCalibrationDriver;
using Answer = Driver::EAnswer;
using State = Driver::State;
using Question = Driver::Question;

std::vector<Driver::SStep> const kScript = {
    Driver::CameraStep(Driver::AskById(State::WaitingForAnswer, 100U, Question::Ok), Answer::Ok),
    Driver::CameraStep(Driver::Report(L"%d", 0.125f)),
    Driver::CameraStep(Driver::Report(L"%d", 0.5f)),
    Driver::CameraStep(Driver::Ask(State::WaitingForNumber, L"Enter the number", Question::OkCancel, L"42"),
                       Answer::Ok),
    Driver::CameraStep(Driver::Ask(State::Failed, L"", Question::Confirm), Answer::Confirm),
    Driver::CameraEnd(),
    Driver::DialogStep(Driver::Ask(State::WaitingForAnswer, L"Colour target", Question::Ok),
                       Answer::DialogOk),
    Driver::DialogEnd()};

template <class... Args> void ExecuteByName(std::wstring const& name, Args... args)
{
    std::dynamic_pointer_cast<Base::ICommand<Args...>>(
        JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(
            L"CCameraCalibrationStepMenuViewModel." + name))
        ->Execute(args...);
}

using CalibrationRoad = Orx2Test::CommandEnvironment;

TEST_F(CalibrationRoad, AScriptedRunAnsweredByTheGuiThenReplayed)
{
    JbSingleton<TvCResManager>::GetInstance().SetString(100U, L"Place the target");
    auto camera = std::make_shared<CCameraCalibrationViewModelBase>();
    auto const dialog = std::make_shared<CColorCalibDialogViewModelBase>();
    auto menu = std::make_shared<CCameraCalibrationStepMenuViewModel>();
    std::vector<Driver::SAnswer> const menuAnswers = {
        {Answer::Ok, L""}, {Answer::TextInserted, L"43"}, {Answer::Ok, L""}, {Answer::Confirm, L""}};
    {
        // The engine asks from its own thread; what each question shows is the menu's own tests' concern.
        Orx2Test::GuiProbe probe;
        probe.Watch("camera", *camera);
        Driver driver(camera, menu, dialog);
        driver.Play(kScript, Driver::EThread::Engine);
        ASSERT_TRUE(driver.WaitUntilSettled());
        EXPECT_EQ(3, probe.Take().Changes("camera")) << "visibility, state and request";
        ExecuteByName(L"Ok"); // the commands it runs: the menu suite's and the screen's
        ASSERT_TRUE(driver.WaitUntilSettled());
        ExecuteByName<CStringW>(L"TextInserted", L"43");
        ExecuteByName<bool>(L"OkCancel", true);
        ASSERT_TRUE(driver.WaitUntilSettled());
        ExecuteByName(L"Confirm");
        ASSERT_TRUE(driver.WaitUntilSettled());
        dialog->GetOKPressed().Get()->Execute();
        ASSERT_TRUE(driver.WaitUntilSettled());
        // The answers themselves: the replay below and the calibration scenario.
        EXPECT_TRUE(driver.IsFinished() && !dialog->GetVisible().Get());
        EXPECT_EQ(1 + kScript.size() + menuAnswers.size() + 1, driver.GetRevision().Get())
            << "play, steps, the menu's answers and the dialog's";
    }

    // The same session from the patient manager's records, against a fresh menu and driver.
    menu.reset();
    menu = std::make_shared<CCameraCalibrationStepMenuViewModel>();
    camera = std::make_shared<CCameraCalibrationViewModelBase>();
    Driver fresh(camera, menu, nullptr);
    fresh.Play(kScript);
    Base::SReplayReport const report = Base::ReplayRecordedCommands(Records());
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(4U, report.executedCount);
    EXPECT_EQ(menuAnswers, fresh.GetAnswers()) << "the menu's answers again, once each";
    EXPECT_EQ(Answer::DialogOk, fresh.GetAwaited()) << "the dialog's answer is not recorded";
    EXPECT_EQ(1 + (kScript.size() - 1) + menuAnswers.size(), fresh.GetRevision().Get())
        << "play, every step but the one after the dialog's answer, the menu's answers";
    JbSingleton<TvCResManager>::GetInstance().Clear();
}

TEST_F(CalibrationRoad, EveryButtonAnswersTheDriverWhichWaitsForARunningAnswerAsItGoes)
{
    auto const camera = std::make_shared<CCameraCalibrationViewModelBase>();
    auto const dialog = std::make_shared<CColorCalibDialogViewModelBase>();
    auto const menu = std::make_shared<CCameraCalibrationStepMenuViewModel>();
    auto driver = std::make_unique<Driver>(camera, menu, dialog);
    using Button = Base::IProperty<std::shared_ptr<Base::ICommand<>>> const;
    for (Button* button : std::initializer_list<Button*>{
             &menu->GetOkPressed(), &menu->GetCancelPressed(), &menu->GetRetryPressed(),
             &menu->GetContinuePressed(), &menu->GetAbortPressed(), &menu->GetConfirmPressed(),
             &dialog->GetOKPressed(), &dialog->GetCancelPressed(), &dialog->GetCustomPressed()})
        Base::ExecuteIfSet(button->Get());
    Base::ExecuteIfSet(menu->GetTextInserted().Get(), CStringW(L"7"));
    EXPECT_EQ((std::vector<Driver::SAnswer>{{Answer::Ok, L""},
                                            {Answer::Cancel, L""},
                                            {Answer::Retry, L""},
                                            {Answer::Continue, L""},
                                            {Answer::Abort, L""},
                                            {Answer::Confirm, L""},
                                            {Answer::DialogOk, L""},
                                            {Answer::DialogCancel, L""},
                                            {Answer::DialogCustom, L""},
                                            {Answer::TextInserted, L"7"}}),
              driver->GetAnswers());

    Orx2Test::HeldCallback held;
    Base::Binding::TValueChangedObserver<std::size_t> const revisions(driver->GetRevision(),
                                                                      [&](std::size_t) { held.Hold(); });
    std::shared_ptr<Base::ICommand<>> const ok = menu->GetOkPressed().Get();
    held.ExpectDestroyWaits([&] { ok->Execute(); }, [&] { driver.reset(); });
}
} // namespace
