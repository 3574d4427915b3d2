// A calibration end to end as the GUI sees it: a scripted engine asks through wait requests, the GUI
// answers through the step menu's and the colour dialog's commands, and the recorded answers replay.
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "host/acquisitionbase/replayrecordedcommands.h"
#include "host/resources/tvcresmanager.h"
#include "reference_host/ccalibrationdriver.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace
{
using namespace BusinessLayer;
using ReferenceHost::CCalibrationDriver;
using Driver = CCalibrationDriver;
using Answer = Driver::EAnswer;
using State = Driver::State;
using Question = Driver::Question;
using Device = Base::ICalibrationWaitRequest::EDeviceType;

constexpr unsigned int kPlaceTarget = 100;

Driver::Request Ask(State state, CStringW text, Question question, CStringW initial = L"",
                    float progress = 0.0f)
{
    Driver::Request request;
    request.Set(state, std::move(text), question, Device::Unknown, std::move(initial), false);
    request.Set(0U, progress, false, Device::Unknown);
    return request;
}

std::vector<Driver::SStep> Script()
{
    Driver::Request byResource;
    byResource.Set(State::WaitingForAnswer, kPlaceTarget, Question::Ok, Device::Unknown, L"", false);
    using T = Driver::ETarget;
    return {
        {T::Camera, true, State::WaitingForAnswer, byResource, Answer::Ok, {}},
        {T::Camera,
         true,
         State::InProgress,
         Ask(State::InProgress, L"%d", Question::None, L"", 0.125f),
         {},
         {}},
        {T::Camera,
         true,
         State::InProgress,
         Ask(State::InProgress, L"%d", Question::None, L"", 0.5f),
         {},
         {}},
        {T::Camera,
         true,
         State::WaitingForNumber,
         Ask(State::WaitingForNumber, L"Enter the number", Question::OkCancel, L"42"),
         Answer::Ok,
         {}},
        {T::Camera, true, State::Failed, Ask(State::Failed, L"", Question::Confirm), Answer::Confirm, {}},
        {T::Camera, false, State::NotRunning, Driver::Request(), {}, {}},
        {T::ColorDialog,
         true,
         State::NotRunning,
         Ask(State::WaitingForAnswer, L"Colour target", Question::Ok),
         Answer::DialogOk,
         {}},
        {T::ColorDialog, false, State::NotRunning, Driver::Request(), {}, {}},
    };
}

template <class... Args> void ExecuteByName(std::wstring const& name, Args... args)
{
    auto const command = JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(
        L"CCameraCalibrationStepMenuViewModel." + name);
    ASSERT_NE(nullptr, command) << "no command " << std::string(name.begin(), name.end());
    std::dynamic_pointer_cast<Base::ICommand<Args...>>(command)->Execute(args...);
}

class CalibrationRoad : public Orx2Test::CommandEnvironment
{
protected:
    void SetUp() override
    {
        CommandEnvironment::SetUp();
        JbSingleton<TvCResManager>::GetInstance().SetString(kPlaceTarget, L"Place the target");
    }
    void TearDown() override
    {
        JbSingleton<TvCResManager>::GetInstance().Clear();
        CommandEnvironment::TearDown();
    }

    std::shared_ptr<CCameraCalibrationViewModelBase> camera =
        std::make_shared<CCameraCalibrationViewModelBase>();
    std::shared_ptr<CColorCalibDialogViewModelBase> dialog =
        std::make_shared<CColorCalibDialogViewModelBase>();
};

TEST_F(CalibrationRoad, AScriptedRunAnsweredByTheGuiThenReplayed)
{
    auto menu = std::make_shared<CCameraCalibrationStepMenuViewModel>();
    std::vector<Driver::SAnswer> const menuAnswers = {
        {Answer::Ok, L""}, {Answer::TextInserted, L"43"}, {Answer::Ok, L""}, {Answer::Confirm, L""}};
    {
        auto const entries = menu->GetStepMenuItems().GetValues();
        auto const shown = [&entries]
        {
            std::string visible;
            for (auto const& entry : entries)
                visible += entry->GetVisibility().Get() ? '1' : '0';
            return visible;
        };
        std::mutex textsMutex;
        std::vector<std::wstring> texts; // every text the info entry showed, on whichever thread
        auto const textConnection =
            entries[0]->GetInfoText().ConnectToValueChanged(Base::MakeEventSignalHandler<CStringW const&>(
                [&](CStringW const& text)
                {
                    std::lock_guard<std::mutex> const lock(textsMutex);
                    texts.push_back(text.GetStdString());
                }));
        Orx2Test::GuiProbe probe;
        probe.Watch("camera", *camera)
            .Watch("dialog", *dialog)
            .Watch("info", *entries[0])
            .Watch("ok", *entries[2]);
        auto const driver = std::make_unique<Driver>(camera, menu, dialog);
        driver->Play(Script(), Driver::EThread::Engine);

        ASSERT_TRUE(driver->WaitUntilSettled());
        EXPECT_EQ(L"Place the target", entries[0]->GetInfoText().Get());
        EXPECT_EQ("101000000", shown());
        auto step = probe.Take();
        EXPECT_GT(step.Changes("camera"), 0);
        EXPECT_EQ(1, step.Changes("ok")) << "the OK button appeared once";

        ExecuteByName(L"Ok");
        step = probe.Take();
        EXPECT_EQ(
            (std::vector<std::wstring>{L"CCameraCalibrationStepMenuViewModel.Ok", L"CCalibrationDriver.Ok"}),
            step.commands);
        EXPECT_EQ(L"OK pressed", step.log.at(0).text);
        ASSERT_TRUE(driver->WaitUntilSettled());
        {
            std::lock_guard<std::mutex> const lock(textsMutex);
            EXPECT_EQ((std::vector<std::wstring>{L"Place the target", L"13", L"50", L"Enter the number"}),
                      texts);
        }
        EXPECT_EQ("110000000", shown());
        EXPECT_EQ(L"42##CTRL##asc", entries[1]->GetInfoText().Get());

        ExecuteByName<CStringW>(L"TextInserted", L"43");
        EXPECT_EQ(Answer::Ok, driver->GetAwaited()) << "a typed number is no answer yet";
        ExecuteByName<bool>(L"OkCancel", true);
        ASSERT_TRUE(driver->WaitUntilSettled());
        EXPECT_EQ("100000001", shown()) << "a failed run asks for confirmation";

        ExecuteByName(L"Confirm");
        ASSERT_TRUE(driver->WaitUntilSettled());
        EXPECT_EQ("000000000", shown());
        EXPECT_FALSE(camera->GetVisibility().Get());
        EXPECT_TRUE(dialog->GetVisible().Get());
        EXPECT_EQ(L"Colour target", dialog->GetCalibrationWaitRequest().Get().GetInstructionText());
        dialog->GetOKPressed().Get()->Execute();
        ASSERT_TRUE(driver->WaitUntilSettled());
        EXPECT_TRUE(driver->IsFinished());
        EXPECT_FALSE(dialog->GetVisible().Get());

        std::vector<Driver::SAnswer> answers = menuAnswers;
        answers.push_back({Answer::DialogOk, L""});
        EXPECT_EQ(answers, driver->GetAnswers());
    }

    // The same session again from the patient manager's records, against a fresh menu and driver (the
    // old menu's commands go with it).
    auto const records = Records();
    menu.reset();
    auto freshCamera = std::make_shared<CCameraCalibrationViewModelBase>();
    auto freshMenu = std::make_shared<CCameraCalibrationStepMenuViewModel>();
    Driver fresh(freshCamera, freshMenu, nullptr);
    fresh.Play(Script());
    Base::SReplayReport const report = Base::ReplayRecordedCommands(records);
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(4U, report.executedCount);
    EXPECT_EQ(menuAnswers, fresh.GetAnswers());
    EXPECT_EQ(Answer::DialogOk, fresh.GetAwaited()) << "the dialog's answer is not replayed";
}
} // namespace
