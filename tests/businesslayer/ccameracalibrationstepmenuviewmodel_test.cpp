// The camera calibration step menu: its fixed entries and commands, the forwarding of every button to
// the host's answer slots, and what a wait request shows.
#include "base/orx2basepool/tcommand.h"
#include "businesslayer/common/ccameracalibrationstepmenuviewmodel.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/resources/tvcresmanager.h"
#include "host/values/ccalibrationwaitrequest.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"
#include "support/propertycontract.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
using BusinessLayer::CCameraCalibrationStepMenuViewModel;
using Menu = CCameraCalibrationStepMenuViewModel;
using Item = BusinessLayer::CStepMenuItemViewModelBase;
using Type = Base::IStepMenuItemViewModel::EItemTypeStepMenu;
using Request = Base::CCalibrationWaitRequest;
using State = Request::ECalibrationState;
using Question = Request::EQuestionType;
using Answer = std::shared_ptr<Base::ICommand<>>;

std::wstring const kPrefix = L"CCameraCalibrationStepMenuViewModel.";

/// A request in `state` asking `question`, its instruction the text, or the resource `id` when not 0.
Request Make(int state, int question, CStringW text = L"", float progress = 0.0f, CStringW initial = L"",
             unsigned int id = 0)
{
    Request request;
    request.Set(static_cast<State>(state), text, static_cast<Question>(question),
                Request::EDeviceType::Unknown, initial, false);
    request.Set(id, progress, false, Request::EDeviceType::Unknown);
    return request;
}

Base::ICommandBase* Find(std::wstring const& name)
{
    return JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(kPrefix + name).get();
}

/// The registered command `name`, as the GUI finds it.
template <class... Args>
std::shared_ptr<Base::ICommand<Args...>> Named(std::wstring const& name)
{
    return std::dynamic_pointer_cast<Base::ICommand<Args...>>(
        JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(kPrefix + name));
}

/// What the GUI shows of the menu's entries, apart from texts.
struct SView
{
    std::array<bool, 9> visible{};
    bool infoOk = false, infoCancel = false, inputOk = false, inputCancel = false;
    bool operator!=(SView const& o) const
    {
        return visible != o.visible || infoOk != o.infoOk || infoCancel != o.infoCancel ||
               inputOk != o.inputOk || inputCancel != o.inputCancel;
    }
};

std::string ToString(SView const& v)
{
    std::string text = "visible ";
    for (bool shown : v.visible)
        text += shown ? '1' : '0';
    return text + " info ok/cancel " + std::to_string(v.infoOk) + std::to_string(v.infoCancel) +
           " input ok/cancel " + std::to_string(v.inputOk) + std::to_string(v.inputCancel);
}

class CalibrationStepMenu : public Orx2Test::CommandEnvironment
{
protected:
    void SetUp() override
    {
        CommandEnvironment::SetUp();
        menu = std::make_unique<Menu>();
        entries = menu->GetStepMenuItems().GetValues();
    }

    SView Read() const
    {
        SView view;
        for (std::size_t i = 0; i < 9; ++i)
            view.visible[i] = entries[i]->GetVisibility().Get();
        view.infoOk = entries[0]->OkEnabled().Get();
        view.infoCancel = entries[0]->CancelEnabled().Get();
        view.inputOk = entries[1]->OkEnabled().Get();
        view.inputCancel = entries[1]->CancelEnabled().Get();
        return view;
    }

    void Apply(Request request) { menu->SetAllProperties(request); }

    std::unique_ptr<Menu> menu;
    std::vector<std::shared_ptr<Item>> entries;
};

/// The answer buttons (entries 3 to 9) and the question each stands for.
constexpr std::array<int, 7> kButtonQuestion = {1, 9, 3, 5, 6, 7, 8};

TEST_F(CalibrationStepMenu, NineEntriesTheirCommandsAndTheRegisteredNames)
{
    struct SRow
    {
        int type;
        wchar_t const* group;
        wchar_t const* command; // the entry's Command, or its OkCancelPressed for the first two
    };
    std::array<SRow, 9> const rows = {{{11, L"eInfoText", L"OkCancel"},
                                       {61, L"InputText", L"OkCancel"},
                                       {63, L"eOk", L"Ok"},
                                       {64, L"eRetry", L"Retry"},
                                       {8, L"eCancel", L"Cancel"},
                                       {7, L"eContinue", L"Continue"},
                                       {65, L"eAbort", L"Abort"},
                                       {66, L"eInfo", nullptr},
                                       {67, L"eConfirm", L"Confirm"}}};
    ASSERT_EQ(9U, entries.size());
    Orx2Test::GuiProbe probe;
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        SCOPED_TRACE("entry " + std::to_string(i + 1));
        Item const& entry = *entries[i];
        EXPECT_EQ(static_cast<Type>(rows[i].type), entry.GetItemType().Get());
        EXPECT_EQ(rows[i].group, entry.GetGroupID().Get());
        EXPECT_FALSE(entry.GetVisibility().Get());
        EXPECT_FALSE(entry.OkVisible().Get());
        EXPECT_EQ(i < 2, entry.OkEnabled().Get());
        EXPECT_EQ(i < 2, entry.CancelEnabled().Get());
        EXPECT_EQ(i == 1, entry.GetTextInserted().Get() != nullptr);
        Base::ICommandBase* const command =
            i < 2 ? static_cast<Base::ICommandBase*>(entry.GetOkCancelPressed().Get().get())
                  : entry.GetCommand().Get().get();
        if (rows[i].command == nullptr)
        {
            EXPECT_EQ(nullptr, command);
            continue;
        }
        ASSERT_NE(nullptr, command);
        EXPECT_EQ(kPrefix + rows[i].command, command->GetName());
        EXPECT_TRUE(command->IsSerializable());
        if (i >= 2) // GUI-locking: the count rises while it runs
        {
            entry.GetCommand().Get()->Execute();
            EXPECT_EQ((std::vector<unsigned>{1, 0}), probe.Take().guiLockCounts);
        }
    }
    entries[0]->GetOkCancelPressed().Get()->Execute(true);
    entries[1]->GetOkCancelPressed().Get()->Execute(true);
    entries[1]->GetTextInserted().Get()->Execute(L"x");
    EXPECT_EQ((std::vector<unsigned>{1, 0, 1, 0, 1, 0}), probe.Take().guiLockCounts);
    EXPECT_TRUE(entries[1]->GetTextInserted().Get()->IsSerializable());
    EXPECT_EQ(entries[0]->GetOkCancelPressed().Get().get(), Find(L"OkCancel"))
        << "the registry keeps the first";

    std::vector<std::wstring> const names = {L"OkCancel", L"TextInserted", L"Ok",    L"Retry",
                                             L"Cancel",   L"Continue",     L"Abort", L"Confirm"};
    for (auto const& name : names)
        EXPECT_NE(nullptr, Find(name)) << "missing while the menu lives";
    menu.reset();
    entries.clear();
    for (auto const& name : names)
        EXPECT_EQ(nullptr, Find(name)) << "still registered after the menu";
}

TEST_F(CalibrationStepMenu, AnswerSlotsKeepTheirContract)
{
    Answer const answer = std::make_shared<Base::TCommand<void>>([] {}, L"Answer", false);
    auto const text = std::make_shared<Base::TCommand<void, CStringW>>([](CStringW) {}, L"Text", false);
    struct SRow
    {
        char const* name;
        Menu::AnswerSlot const& (Menu::*constGetter)() const;
        Menu::AnswerSlot& (Menu::*getter)();
    };
    std::vector<SRow> const rows = {{"OkPressed", &Menu::GetOkPressed, &Menu::GetOkPressed},
                                    {"CancelPressed", &Menu::GetCancelPressed, &Menu::GetCancelPressed},
                                    {"RetryPressed", &Menu::GetRetryPressed, &Menu::GetRetryPressed},
                                    {"ContinuePressed", &Menu::GetContinuePressed, &Menu::GetContinuePressed},
                                    {"AbortPressed", &Menu::GetAbortPressed, &Menu::GetAbortPressed},
                                    {"ConfirmPressed", &Menu::GetConfirmPressed, &Menu::GetConfirmPressed}};
    Orx2Test::PropertyContract<Menu> contract;
    for (SRow const& row : rows)
        contract.Custom<Answer>(
            row.name, [row](Menu const& m) -> auto const& { return (m.*row.constGetter)(); },
            [row](Menu & m) -> auto& { return (m.*row.getter)(); }, nullptr, answer);
    contract.Custom<std::shared_ptr<Base::ICommand<CStringW>>>(
        "TextInserted", [](Menu const& m) -> auto const& { return m.GetTextInserted(); },
        [](Menu & m) -> auto& { return m.GetTextInserted(); }, nullptr, text);
    contract.Check(*menu);
}

TEST_F(CalibrationStepMenu, EachButtonRunsItsOwnSlotThenLogs)
{
    struct SRow
    {
        wchar_t const* command;
        Menu::AnswerSlot& (Menu::*slot)();
        wchar_t const* log;
    };
    std::vector<SRow> const rows = {{L"Ok", &Menu::GetOkPressed, L"OK pressed"},
                                    {L"Retry", &Menu::GetRetryPressed, L"Retry pressed"},
                                    {L"Cancel", &Menu::GetCancelPressed, L"Cancel pressed"},
                                    {L"Continue", &Menu::GetContinuePressed, L"Continue pressed"},
                                    {L"Abort", &Menu::GetAbortPressed, L"Abort pressed"},
                                    {L"Confirm", &Menu::GetConfirmPressed, L"Confirm pressed"}};
    std::vector<int> runs(rows.size());
    std::vector<unsigned> lockedWhileRunning;
    for (std::size_t i = 0; i < rows.size(); ++i)
        (menu.get()->*rows[i].slot)().Set(std::make_shared<Base::TCommand<void>>(
            [&runs, &lockedWhileRunning, i]
            {
                ++runs[i];
                lockedWhileRunning.push_back(Base::ACommandBase::s_numberOfActiveGUILockingCommands.Get());
            },
            L"Answer", false));
    Orx2Test::GuiProbe probe;
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        SCOPED_TRACE(rows[i].log);
        Named(rows[i].command)->Execute();
        std::vector<int> expected(rows.size());
        expected[i] = 1;
        EXPECT_EQ(expected, runs);
        auto const step = probe.Take();
        ASSERT_EQ(1U, step.log.size());
        EXPECT_EQ(rows[i].log, step.log[0].text);
        EXPECT_EQ(L"ORX2.CCameraCalibrationStepMenuViewModel", step.log[0].channel);
        EXPECT_EQ((std::vector<unsigned>{1}), lockedWhileRunning);
        EXPECT_EQ((std::vector<unsigned>{1, 0}), step.guiLockCounts);
        runs.assign(rows.size(), 0);
        lockedWhileRunning.clear();

        (menu.get()->*rows[i].slot)().Set(nullptr);
        Named(rows[i].command)->Execute();
        auto const empty = probe.Take();
        ASSERT_EQ(1U, empty.log.size()) << "an empty slot must still log";
        EXPECT_EQ(rows[i].log, empty.log[0].text);
    }
}

TEST_F(CalibrationStepMenu, OkCancelAndTextReachTheirSlotsFreshlyRead)
{
    std::vector<std::wstring> calls;
    auto const answer = [&calls](wchar_t const* name) {
        return std::make_shared<Base::TCommand<void>>([&calls, name] { calls.push_back(name); }, name, false);
    };
    menu->GetOkPressed().Set(answer(L"ok"));
    menu->GetCancelPressed().Set(answer(L"cancel"));
    menu->GetTextInserted().Set(std::make_shared<Base::TCommand<void, CStringW>>(
        [&calls](CStringW text) { calls.push_back(text.GetStdString()); }, L"text", false));
    Orx2Test::GuiProbe probe;
    auto const okCancel = Named<bool>(L"OkCancel");
    okCancel->Execute(true);
    okCancel->Execute(false);
    entries[1]->GetOkCancelPressed().Get()->Execute(true);
    Named<CStringW>(L"TextInserted")->Execute(L"43");
    menu->GetOkPressed().Set(answer(L"replaced ok"));
    okCancel->Execute(true);
    EXPECT_EQ((std::vector<std::wstring>{L"ok", L"cancel", L"ok", L"43", L"replaced ok"}), calls);
    EXPECT_TRUE(probe.Take().log.empty()) << "OkCancel and TextInserted log nothing";
}

TEST_F(CalibrationStepMenu, AThrowingAnswerReachesThePresserAndUnlocksTheGui)
{
    menu->GetAbortPressed().Set(std::make_shared<Base::TCommand<void>>(
        [] { throw std::runtime_error("engine gone"); }, L"Answer", false));
    Orx2Test::GuiProbe probe;
    EXPECT_THROW(Named(L"Abort")->Execute(), std::runtime_error);
    auto const step = probe.Take();
    EXPECT_EQ((std::vector<unsigned>{1, 0}), step.guiLockCounts);
    ASSERT_EQ(1U, step.log.size());
    EXPECT_EQ(L"Abort pressed", step.log[0].text);
}

/// The summary table of what a request shows, applied to what was shown before.
SView Expected(int state, int question, SView view)
{
    bool const waiting = state == 5 || (state >= 7 && state <= 23);
    if (state == 0)
    {
        view.visible = {};
        return view;
    }
    if (state == 6 || state > 23)
        return view;
    view.visible[0] = true;
    view.visible[1] = waiting && (state == 7 || state == 13);
    for (std::size_t b = 0; b < kButtonQuestion.size(); ++b)
    {
        int const q = kButtonQuestion[b];
        view.visible[2 + b] = state == 1   ? q == question
                              : state == 2 ? q == 1
                              : state <= 4 ? q == 8
                                           : q == question && q != 9;
    }
    if (state == 1)
        view.infoOk = view.infoCancel = false;
    if (waiting)
    {
        view.infoOk = view.infoCancel = question == 2 && !view.visible[1];
        view.inputOk = view.inputCancel = view.visible[1];
    }
    return view;
}

TEST_F(CalibrationStepMenu, EveryStateAndQuestionShowsWhatTheTableSays)
{
    struct SBaseline
    {
        char const* name;
        std::vector<Request> requests;
    };
    // One baseline with the number input up, one with the info text's OK/Cancel and the OK button.
    std::vector<SBaseline> const baselines = {{"number asked", {Make(7, 2)}},
                                              {"finished after OK/Cancel", {Make(5, 2), Make(2, 0)}}};
    for (SBaseline const& baseline : baselines)
        for (int state = 0; state <= 25; ++state)
            for (int question = 0; question <= 10; ++question)
            {
                for (Request const& request : baseline.requests)
                    Apply(request);
                SView const before = Read();
                Apply(Make(state, question));
                SView const expected = Expected(state, question, before);
                SView const shown = Read();
                EXPECT_FALSE(shown != expected)
                    << "state " << state << ", question " << question << ", after " << baseline.name
                    << ": shows " << ToString(shown) << ", expected " << ToString(expected);
            }
}

TEST_F(CalibrationStepMenu, TextsOfProgressWaitingAndFinishedStates)
{
    JbSingleton<TvCResManager>::GetInstance().SetString(4711U, L"Resource %d");
    float const nan = std::numeric_limits<float>::quiet_NaN();
    struct SRow
    {
        char const* name;
        std::vector<Request> requests;
        std::size_t entry;
        std::wstring shown;
    };
    std::vector<SRow> const rows = {
        {"0.125 rounds up", {Make(1, 0, L"%d", 0.125f)}, 0, L"13"},
        {"1 is 100", {Make(1, 0, L"%d", 1.0f)}, 0, L"100"},
        {"k/200 rounds its half up", {Make(1, 0, L"%d", 0.285f)}, 0, L"29"},
        {"above 1", {Make(1, 0, L"%d", 1.5f)}, 0, L"0"},
        {"below 0", {Make(1, 0, L"%d", -0.1f)}, 0, L"0"},
        {"NaN", {Make(1, 0, L"%d", nan)}, 0, L"0"},
        {"words around", {Make(1, 0, L"Step %d%% done", 0.5f)}, 0, L"Step 50% done"},
        {"flags and width", {Make(1, 0, L"[%05d|%-4u|%+i]", 0.125f)}, 0, L"[00013|%-4u|%+i]"},
        {"no placeholder", {Make(1, 0, L"Hold still", 0.5f)}, 0, L"Hold still"},
        {"hostile %s", {Make(1, 0, L"%s", 0.125f)}, 0, L"%s"},
        {"hostile %n", {Make(1, 0, L"%n%d", 0.125f)}, 0, L"%n13"},
        {"two integers", {Make(1, 0, L"%d %d", 0.125f)}, 0, L"13 %d"},
        {"escaped percent", {Make(1, 0, L"100%%", 0.125f)}, 0, L"100%"},
        {"lone and star", {Make(1, 0, L"%*d %l %", 0.125f)}, 0, L"%*d %l %"},
        {"resource id", {Make(1, 0, L"text %d", 0.125f, L"", 4711U)}, 0, L"Resource 13"},
        {"unknown resource id", {Make(5, 1, L"text", 0.0f, L"", 4712U)}, 0, L""},
        {"waiting shows the text unformatted", {Make(5, 1, L"%d %%")}, 0, L"%d %%"},
        {"number with a proposal", {Make(7, 2, L"", 0.0f, L"42")}, 1, L"42##CTRL##asc"},
        {"number without a proposal", {Make(13, 2)}, 1, L"##CTRL##asc"},
        {"number entry written while hidden", {Make(5, 1, L"", 0.0f, L"7")}, 1, L"7##CTRL##asc"},
        {"success keeps the text", {Make(5, 1, L"Keep"), Make(2, 0, L"Other")}, 0, L"Keep"},
        {"failure keeps the text", {Make(5, 1, L"Keep"), Make(4, 0, L"Other")}, 0, L"Keep"},
    };
    for (SRow const& row : rows)
    {
        for (Request const& request : row.requests)
            Apply(request);
        EXPECT_EQ(row.shown, entries[row.entry]->GetInfoText().Get().GetStdString()) << row.name;
    }
    JbSingleton<TvCResManager>::GetInstance().Clear();
}

TEST_F(CalibrationStepMenu, TheSameRequestTwiceNotifiesNobody)
{
    for (Request const& request : {Make(1, 9, L"%d", 0.5f), Make(7, 2, L"Type", 0.0f, L"42"), Make(3, 0)})
    {
        Apply(request);
        Orx2Test::GuiProbe probe;
        for (std::size_t i = 0; i < entries.size(); ++i)
            probe.Watch("entry " + std::to_string(i + 1), *entries[i]);
        probe.Watch("menu", *menu);
        Apply(request);
        EXPECT_TRUE(probe.Take().changes.empty()) << "state " << static_cast<int>(request.GetCalibState());
    }
}

TEST_F(CalibrationStepMenu, ButtonPropertiesTouchTheAnswerButtonsOnly)
{
    for (int state : {1, 5, 7, 13})
        for (int question = 0; question <= 10; ++question)
        {
            Apply(Make(7, 2, L"Type", 0.0f, L"1"));
            SView const before = Read();
            Orx2Test::GuiProbe probe;
            probe.Watch("info", *entries[0]).Watch("input", *entries[1]);
            Request request = Make(state, question, L"Other", 0.5f, L"2");
            menu->SetButtonProperties(request);
            int const q = state == 7 || state == 13 ? 0 : question;
            SView expected = before;
            expected.visible[2] = q == 1 || q == 2;
            expected.visible[3] = q == 9;
            expected.visible[4] = q == 2 || q == 3;
            for (std::size_t b = 3; b < kButtonQuestion.size(); ++b)
                expected.visible[2 + b] = q == kButtonQuestion[b];
            SView const shown = Read();
            EXPECT_FALSE(shown != expected) << "state " << state << ", question " << question << ": shows "
                                            << ToString(shown) << ", expected " << ToString(expected);
            EXPECT_TRUE(probe.Take().changes.empty()) << "entries 1 and 2 changed";
        }
}
} // namespace
