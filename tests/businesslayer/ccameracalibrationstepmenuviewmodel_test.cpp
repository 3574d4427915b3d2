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
using Menu = BusinessLayer::CCameraCalibrationStepMenuViewModel;
using Request = Base::CCalibrationWaitRequest;
using Answer = std::shared_ptr<Base::ICommand<>>;

/// A request in `state` asking `question`; its instruction the text, or the resource `id` when not 0.
Request Make(int state, int question, CStringW text = L"", float progress = 0.0f, CStringW initial = L"",
             unsigned int id = 0)
{
    Request request;
    request.Set(static_cast<Request::ECalibrationState>(state), text,
                static_cast<Request::EQuestionType>(question), Request::EDeviceType::Unknown, initial, false);
    request.Set(id, progress, false, Request::EDeviceType::Unknown);
    return request;
}

std::wstring const kPrefix = L"CCameraCalibrationStepMenuViewModel.";

/// The registered command kPrefix + `name`, as the GUI finds it.
template <class... Args> std::shared_ptr<Base::ICommand<Args...>> Named(std::wstring const& name)
{
    return std::dynamic_pointer_cast<Base::ICommand<Args...>>(
        JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(kPrefix + name));
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

    /// Visibility of the nine entries, then OK and Cancel enabled of entries 1 and 2.
    std::string Shown() const
    {
        std::string shown;
        for (auto const& entry : entries)
            shown += entry->GetVisibility().Get() ? '1' : '0';
        for (std::size_t i : {0, 1})
            shown += std::string(" ") + (entries[i]->OkEnabled().Get() ? '1' : '0') +
                     (entries[i]->CancelEnabled().Get() ? '1' : '0');
        return shown;
    }

    void Apply(Request request) { menu->SetAllProperties(request); }

    std::unique_ptr<Menu> menu;
    std::vector<std::shared_ptr<Menu::Item>> entries;
};

TEST_F(CalibrationStepMenu, NineEntriesTheirCommandsAndTheRegisteredNames)
{
    struct SRow
    {
        int type;
        wchar_t const* group;
        wchar_t const* command; // Command, or OkCancelPressed for entries 1 and 2
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
    EXPECT_EQ("000000000 11 11", Shown());
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        SCOPED_TRACE("entry " + std::to_string(i + 1));
        auto const& entry = *entries[i];
        EXPECT_EQ(static_cast<Menu::EItemTypeStepMenu>(rows[i].type), entry.GetItemType().Get());
        EXPECT_EQ(rows[i].group, entry.GetGroupID().Get());
        EXPECT_FALSE(entry.OkVisible().Get());
        EXPECT_EQ(i == 1, entry.GetTextInserted().Get() != nullptr);
        std::shared_ptr<Base::ICommandBase> const command =
            i < 2 ? std::shared_ptr<Base::ICommandBase>(entry.GetOkCancelPressed().Get())
                  : entry.GetCommand().Get();
        EXPECT_EQ(rows[i].command ? kPrefix + rows[i].command : L"", command ? command->GetName() : L"");
    }
    EXPECT_EQ(entries[0]->GetOkCancelPressed().Get(), Named<bool>(L"OkCancel"))
        << "the registry keeps the first";

    // Eight names while the menu lives; the nine commands serializable and locking the GUI while they run.
    auto& registry = JbSingleton<Base::CCommandRegistry>::GetInstance();
    std::vector<std::wstring> const names = {L"OkCancel", L"TextInserted", L"Ok",    L"Retry",
                                             L"Cancel",   L"Continue",     L"Abort", L"Confirm"};
    for (auto const& name : names)
    {
        ASSERT_NE(nullptr, registry.FindCommand(kPrefix + name));
        EXPECT_TRUE(registry.FindCommand(kPrefix + name)->IsSerializable());
    }
    EXPECT_TRUE(entries[1]->GetOkCancelPressed().Get()->IsSerializable());
    Orx2Test::GuiProbe probe;
    Named<bool>(L"OkCancel")->Execute(true);
    entries[1]->GetOkCancelPressed().Get()->Execute(false);
    Named<CStringW>(L"TextInserted")->Execute(L"x");
    for (std::size_t i = 2; i < names.size(); ++i)
        Named(names[i])->Execute();
    std::vector<unsigned> lockCounts;
    for (int i = 0; i < 9; ++i)
        lockCounts.insert(lockCounts.end(), {1, 0});
    EXPECT_EQ(lockCounts, probe.Take().guiLockCounts);
    menu.reset();
    entries.clear();
    for (auto const& name : names)
        EXPECT_EQ(nullptr, registry.FindCommand(kPrefix + name)) << "still registered after the menu";
}

TEST_F(CalibrationStepMenu, AnswerSlotsKeepTheirContract)
{
    Answer const answer = std::make_shared<Base::TCommand<void>>([] {}, L"Answer", false);
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
    contract.Accessor<std::shared_ptr<Base::ICommand<CStringW>>>(
        "TextInserted", [](auto& m) -> auto& { return m.GetTextInserted(); }, nullptr,
        std::make_shared<Base::TCommand<void, CStringW>>([](CStringW) {}, L"Text", false));
    contract.Check(*menu);
}

TEST_F(CalibrationStepMenu, EachButtonRunsItsOwnSlotThenLogsEvenWhenEmptyOrThrowing)
{
    struct SRow
    {
        wchar_t const* button;
        Menu::AnswerSlot& (Menu::*slot)();
        wchar_t const* log;
    };
    std::vector<SRow> const rows = {{L"Ok", &Menu::GetOkPressed, L"OK pressed"},
                                    {L"Retry", &Menu::GetRetryPressed, L"Retry pressed"},
                                    {L"Cancel", &Menu::GetCancelPressed, L"Cancel pressed"},
                                    {L"Continue", &Menu::GetContinuePressed, L"Continue pressed"},
                                    {L"Abort", &Menu::GetAbortPressed, L"Abort pressed"},
                                    {L"Confirm", &Menu::GetConfirmPressed, L"Confirm pressed"}};
    std::vector<std::wstring> ran; // each answer with the GUI-locking count it saw
    for (SRow const& row : rows)
        (menu.get()->*row.slot)().Set(std::make_shared<Base::TCommand<void>>(
            [&ran, &row]
            {
                ran.push_back(row.button +
                              std::to_wstring(Base::ACommandBase::s_numberOfActiveGUILockingCommands.Get()));
                if (std::wstring(row.button) == L"Abort")
                    throw std::runtime_error("engine gone");
            },
            L"Answer", false));
    Orx2Test::GuiProbe probe;
    for (SRow const& row : rows)
        for (bool const empty : {false, true})
        {
            SCOPED_TRACE(std::string(empty ? "empty " : "") + "slot of " + std::string(row.log, row.log + 2));
            ran.clear();
            if (empty)
                (menu.get()->*row.slot)().Set(nullptr);
            if (!empty && std::wstring(row.button) == L"Abort")
                EXPECT_THROW(Named(row.button)->Execute(), std::runtime_error);
            else
                Named(row.button)->Execute();
            EXPECT_EQ(empty ? std::vector<std::wstring>{}
                            : std::vector<std::wstring>{row.button + std::wstring(L"1")},
                      ran);
            auto const step = probe.Take();
            EXPECT_EQ((std::vector<unsigned>{1, 0}), step.guiLockCounts);
            ASSERT_EQ(1U, step.log.size());
            EXPECT_EQ(row.log, step.log[0].text);
        }
}

TEST_F(CalibrationStepMenu, OkCancelAndTextReachTheirSlotsReadAfreshWithoutLogging)
{
    std::vector<std::wstring> ran;
    auto const answer = [&ran](wchar_t const* name)
    { return std::make_shared<Base::TCommand<void>>([&ran, name] { ran.push_back(name); }, name, false); };
    menu->GetOkPressed().Set(answer(L"ok"));
    menu->GetCancelPressed().Set(answer(L"cancel"));
    menu->GetTextInserted().Set(std::make_shared<Base::TCommand<void, CStringW>>(
        [&ran](CStringW text) { ran.push_back(text.GetStdString()); }, L"text", false));
    Orx2Test::GuiProbe probe;
    Named<bool>(L"OkCancel")->Execute(true);
    Named<bool>(L"OkCancel")->Execute(false);
    entries[1]->GetOkCancelPressed().Get()->Execute(true);
    Named<CStringW>(L"TextInserted")->Execute(L"43");
    menu->GetOkPressed().Set(answer(L"replaced ok"));
    Named<bool>(L"OkCancel")->Execute(true);
    EXPECT_EQ((std::vector<std::wstring>{L"ok", L"cancel", L"ok", L"43", L"replaced ok"}), ran);
    EXPECT_TRUE(probe.Take().log.empty());
}

/// What the menu's summary table shows for `state` and `question`, given what was shown before (see
/// Shown()). The answer buttons stand for the questions 1, 9, 3, 5, 6, 7, 8 in entry order.
std::string Expected(int state, int question, std::string shown)
{
    std::array<int, 7> const buttonQuestion = {1, 9, 3, 5, 6, 7, 8};
    bool const waiting = state == 5 || (state >= 7 && state <= 23);
    bool const number = state == 7 || state == 13;
    if (state == 6 || state > 23)
        return shown;
    for (std::size_t b = 0; b < buttonQuestion.size(); ++b)
    {
        int const q = buttonQuestion[b];
        bool const visible = state == 1   ? q == question
                             : state == 2 ? q == 1
                             : state <= 4 ? q == 8
                                          : q == question && q != 9;
        shown[2 + b] = state != 0 && visible ? '1' : '0';
    }
    shown[0] = state != 0 ? '1' : '0';
    shown[1] = waiting && number ? '1' : '0';
    if (state == 1 || waiting)
        shown.replace(10, 2, question == 2 && waiting && !number ? "11" : "00");
    if (waiting)
        shown.replace(13, 2, number ? "11" : "00");
    return shown;
}

TEST_F(CalibrationStepMenu, EveryStateAndQuestionShowsWhatTheSummaryTableSays)
{
    // From the number input up, and from a finished run after the info text's own OK/Cancel.
    std::vector<std::vector<Request>> const baselines = {{Make(7, 2)}, {Make(5, 2), Make(2, 0)}};
    for (std::size_t baseline = 0; baseline < baselines.size(); ++baseline)
        for (int state = 0; state <= 25; ++state)
            for (int question = 0; question <= 10; ++question)
            {
                for (Request const& request : baselines[baseline])
                    Apply(request);
                std::string const expected = Expected(state, question, Shown());
                Apply(Make(state, question));
                EXPECT_EQ(expected, Shown())
                    << "state " << state << ", question " << question << ", baseline " << baseline;
            }
}

TEST_F(CalibrationStepMenu, ButtonPropertiesTouchTheAnswerButtonsOnly)
{
    for (int state : {1, 5, 7, 13})
        for (int question = 0; question <= 10; ++question)
        {
            Apply(Make(7, 2, L"Type", 0.0f, L"1"));
            std::string expected = Shown();
            Orx2Test::GuiProbe probe;
            probe.Watch("info", *entries[0]).Watch("input", *entries[1]);
            Request request = Make(state, question, L"Other", 0.5f, L"2");
            menu->SetButtonProperties(request);
            int const q = state == 7 || state == 13 ? 0 : question;
            std::array<bool, 7> const visible = {q == 1 || q == 2, q == 9, q == 2 || q == 3, q == 5, q == 6,
                                                 q == 7,           q == 8};
            for (std::size_t b = 0; b < visible.size(); ++b)
                expected[2 + b] = visible[b] ? '1' : '0';
            EXPECT_EQ(expected, Shown()) << "state " << state << ", question " << question;
            EXPECT_TRUE(probe.Take().changes.empty()) << "entries 1 and 2 changed";
        }
}

TEST_F(CalibrationStepMenu, TextsOfProgressWaitingAndFinishedStates)
{
    JbSingleton<TvCResManager>::GetInstance().SetString(4711U, L"Resource %d");
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
        {"NaN", {Make(1, 0, L"%d", std::numeric_limits<float>::quiet_NaN())}, 0, L"0"},
        {"words around", {Make(1, 0, L"Step %d%% done", 0.5f)}, 0, L"Step 50% done"},
        {"flags and width, first only", {Make(1, 0, L"[%05d|%-4u|%+i]", 0.125f)}, 0, L"[00013|%-4u|%+i]"},
        {"no placeholder", {Make(1, 0, L"Hold still", 0.5f)}, 0, L"Hold still"},
        {"hostile %s", {Make(1, 0, L"%s", 0.125f)}, 0, L"%s"},
        {"hostile %n", {Make(1, 0, L"%n%i", 0.125f)}, 0, L"%n13"},
        {"two integers", {Make(1, 0, L"%d %d", 0.125f)}, 0, L"13 %d"},
        {"escaped percent", {Make(1, 0, L"100%%", 0.125f)}, 0, L"100%"},
        {"star, length, lone", {Make(1, 0, L"%*d %ld %", 0.125f)}, 0, L"%*d %ld %"},
        {"resource id", {Make(1, 0, L"text %d", 0.125f, L"", 4711U)}, 0, L"Resource 13"},
        {"unknown resource id", {Make(5, 1, L"text", 0.0f, L"", 4712U)}, 0, L""},
        {"waiting: the text unformatted", {Make(5, 1, L"%d %%")}, 0, L"%d %%"},
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
        for (auto const& entry : entries)
            probe.Watch("entries", *entry);
        Apply(request);
        EXPECT_EQ(0, probe.Take().Changes("entries"))
            << "state " << static_cast<int>(request.GetCalibState());
    }
}

} // namespace
