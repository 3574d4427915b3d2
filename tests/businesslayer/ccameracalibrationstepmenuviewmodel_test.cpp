// The camera calibration step menu: its fixed entries and commands, the forwarding of every button to
// the host's answer slots, and what a wait request shows.
#include "base/orx2basepool/tcommand.h"
#include "businesslayer/common/ccameracalibrationstepmenuviewmodel.h"
#include "host/acquisitionbase/ccommandregistry.h"
#include "host/resources/tvcresmanager.h"
#include "host/values/ccalibrationwaitrequest.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"

#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
using Menu = BusinessLayer::CCameraCalibrationStepMenuViewModel;
using Request = Base::CCalibrationWaitRequest;
std::wstring const kPrefix = L"CCameraCalibrationStepMenuViewModel.";

/// A request in `state` asking `question`; its instruction the text, or the resource `id` when not 0.
Request Make(int state, int question, CStringW text = L"", float progress = 0, CStringW initial = L"",
             unsigned int id = 0)
{
    Request request;
    request.Set(Request::ECalibrationState(state), text, Request::EQuestionType(question),
                Request::EDeviceType::Unknown, initial, false);
    request.Set(id, progress, false, Request::EDeviceType::Unknown);
    return request;
}

/// The number of GUI-locking commands running, as text.
std::wstring Locking()
{
    return std::to_wstring(Base::ACommandBase::s_numberOfActiveGUILockingCommands.Get());
}

/// The registered command kPrefix + `name`, as the GUI finds it.
template <class... Args> std::shared_ptr<Base::ICommand<Args...>> Named(std::wstring const& name)
{
    return std::dynamic_pointer_cast<Base::ICommand<Args...>>(
        JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(kPrefix + name));
}

class CalibrationStepMenu : public Orx2Test::CommandEnvironment
{
protected:
    /// Visibility of the nine entries, then OK and Cancel enabled of entries 1 and 2: "000000000 11 11".
    std::string Shown() const
    {
        std::string shown;
        for (auto const& entry : entries)
            shown += entry->GetVisibility().Get() ? '1' : '0';
        for (std::size_t i : {0, 1})
            shown += std::string(" ") + "01"[entries[i]->OkEnabled().Get()] +
                     "01"[entries[i]->CancelEnabled().Get()];
        return shown;
    }
    void Apply(Request request) { menu->SetAllProperties(request); }

    std::unique_ptr<Menu> menu = std::make_unique<Menu>();
    std::vector<std::shared_ptr<Menu::Item>> entries = menu->GetStepMenuItems().GetValues();
};

TEST_F(CalibrationStepMenu, NineEntriesTheirCommandsAndTheRegisteredNames)
{
    std::wstring described;
    for (auto const& entry : entries)
    {
        auto const command = entry->GetCommand().Get() ? entry->GetCommand().Get()->GetName()
                             : entry->GetOkCancelPressed().Get()
                                 ? entry->GetOkCancelPressed().Get()->GetName()
                                 : L"-";
        described += std::to_wstring(int(entry->GetItemType().Get())) + L" " +
                     entry->GetGroupID().Get().GetStdString() + L" " +
                     command.substr(command.find(L'.') + 1) +
                     (entry->GetTextInserted().Get() ? L"+Text" : L"") +
                     (entry->OkVisible().Get() ? L" OkVisible" : L"") + L"|";
    }
    EXPECT_EQ(L"11 eInfoText OkCancel|61 InputText OkCancel+Text|63 eOk Ok|64 eRetry Retry|8 eCancel Cancel|"
              L"7 eContinue Continue|65 eAbort Abort|66 eInfo -|67 eConfirm Confirm|",
              described);
    EXPECT_EQ("000000000 11 11", Shown());
    EXPECT_EQ(entries[0]->GetOkCancelPressed().Get(), Named<bool>(L"OkCancel"))
        << "the registry keeps the first";
    EXPECT_TRUE(entries[1]->GetOkCancelPressed().Get()->IsSerializable());
    std::vector<std::wstring> const names = {L"OkCancel", L"TextInserted", L"Ok",    L"Retry",
                                             L"Cancel",   L"Continue",     L"Abort", L"Confirm"};
    for (auto const& name : names)
        EXPECT_TRUE(Find(kPrefix + name) && Find(kPrefix + name)->IsSerializable()) << name;
    menu.reset();
    entries.clear();
    for (auto const& name : names)
        EXPECT_EQ(nullptr, Find(kPrefix + name)) << name << " still registered after the menu";
}

TEST_F(CalibrationStepMenu, EachPressRunsItsOwnSlotReadAfreshAndLogsButtonsOnly)
{
    std::vector<std::wstring> ran; // each answer with the GUI-locking count it saw
    auto const answer = [&ran](std::wstring name)
    {
        return std::make_shared<Base::TCommand<void>>([&ran, name] { ran.push_back(name + Locking()); }, L"A",
                                                      false);
    };
    std::vector<std::pair<Menu::AnswerSlot& (Menu::*)(), wchar_t const*>> const slots = {
        {&Menu::GetOkPressed, L"ok"},         {&Menu::GetRetryPressed, L"retry"},
        {&Menu::GetCancelPressed, L"cancel"}, {&Menu::GetContinuePressed, L"continue"},
        {&Menu::GetAbortPressed, L"abort"},   {&Menu::GetConfirmPressed, L"confirm"}};
    menu->GetAbortPressed().Set(
        std::make_shared<Base::TCommand<void>>([] { throw std::runtime_error("gone"); }, L"A", false));
    struct SRow
    {
        wchar_t const* name;
        std::function<void()> press;
        std::wstring ran; // by the filled slots; empty slots run nothing
        bool logs;
    };
    std::vector<SRow> const rows = {
        {L"Ok", [] { Named(L"Ok")->Execute(); }, L"ok1", true},
        {L"Retry", [] { Named(L"Retry")->Execute(); }, L"retry1", true},
        {L"Cancel", [] { Named(L"Cancel")->Execute(); }, L"cancel1", true},
        {L"Continue", [] { Named(L"Continue")->Execute(); }, L"continue1", true},
        {L"Abort (the answer throws)",
         [this]
         {
             if (menu->GetAbortPressed().Get())
                 EXPECT_THROW(Named(L"Abort")->Execute(), std::runtime_error);
             else
                 Named(L"Abort")->Execute();
         },
         L"", true},
        {L"Confirm", [] { Named(L"Confirm")->Execute(); }, L"confirm1", true},
        {L"OkCancel true", [] { Named<bool>(L"OkCancel")->Execute(true); }, L"ok1", false},
        {L"OkCancel false", [] { Named<bool>(L"OkCancel")->Execute(false); }, L"cancel1", false},
        {L"input's OkCancel", [this] { entries[1]->GetOkCancelPressed().Get()->Execute(true); }, L"ok1",
         false},
        {L"TextInserted", [] { Named<CStringW>(L"TextInserted")->Execute(L"43"); }, L"431", false},
    };
    Orx2Test::GuiProbe probe;
    for (bool const filled : {true, false})
    {
        for (auto const& [slot, name] : slots)
            if (name != std::wstring(L"abort") || !filled)
                (menu.get()->*slot)().Set(filled ? answer(name) : nullptr);
        menu->GetTextInserted().Set(
            filled
                ? std::make_shared<Base::TCommand<void, CStringW>>(
                      [&ran](CStringW text) { ran.push_back(text.GetStdString() + Locking()); }, L"T", false)
                : nullptr);
        for (SRow const& row : rows)
        {
            SCOPED_TRACE(std::wstring(filled ? L"" : L"empty slot: ") + row.name);
            ran.clear();
            probe.Take();
            row.press();
            EXPECT_EQ(filled && !row.ran.empty() ? std::vector<std::wstring>{row.ran}
                                                 : std::vector<std::wstring>{},
                      ran);
            auto const step = probe.Take();
            EXPECT_EQ((std::vector<unsigned>{1, 0}), step.guiLockCounts);
            EXPECT_EQ(row.logs ? 1U : 0U, step.log.size());
        }
    }
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
    // From the number input up, from a finished run after the info text's own OK/Cancel, from a hidden
    // menu and from a question shown on the seventh entry.
    std::vector<std::vector<Request>> const baselines = {
        {Make(7, 2)}, {Make(5, 2), Make(2, 0)}, {Make(0, 0)}, {Make(5, 7)}};
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
    // SetButtonProperties touches the answer buttons only.
    for (int state : {1, 5, 7, 13})
        for (int question = 0; question <= 10; ++question)
        {
            Apply(Make(7, 2, L"Type", 0, L"1"));
            std::string expected = Shown();
            Orx2Test::GuiProbe probe;
            probe.Watch("info", *entries[0]).Watch("input", *entries[1]);
            Request request = Make(state, question, L"Other", 0.5f, L"2");
            menu->SetButtonProperties(request);
            int const q = state == 7 || state == 13 ? 0 : question;
            std::array<bool, 7> const visible = {q == 1 || q == 2, q == 9, q == 2 || q == 3, q == 5, q == 6,
                                                 q == 7,           q == 8};
            for (std::size_t b = 0; b < visible.size(); ++b)
                expected[2 + b] = "01"[visible[b]];
            EXPECT_EQ(expected, Shown()) << "buttons of state " << state << ", question " << question;
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
        {"k/200 rounds its half up", {Make(1, 0, L"%d", 0.285f)}, 0, L"29"},
        {"above 1", {Make(1, 0, L"%d", 1.5f)}, 0, L"0"},
        {"NaN", {Make(1, 0, L"%d", std::numeric_limits<float>::quiet_NaN())}, 0, L"0"},
        {"flags and width, first only", {Make(1, 0, L"[%05d|%-4u|%+i]", 0.125f)}, 0, L"[00013|%-4u|%+i]"},
        {"hostile %s", {Make(1, 0, L"%s", 0.125f)}, 0, L"%s"},
        {"hostile %n", {Make(1, 0, L"%n%i", 0.125f)}, 0, L"%n13"},
        {"star, length, lone", {Make(1, 0, L"%*d %ld %", 0.125f)}, 0, L"%*d %ld %"},
        {"resource id", {Make(1, 0, L"text %d", 0.125f, L"", 4711U)}, 0, L"Resource 13"},
        {"unknown resource id", {Make(5, 1, L"text", 0, L"", 4712U)}, 0, L""},
        {"waiting: the text unformatted", {Make(5, 1, L"%d %%")}, 0, L"%d %%"},
        {"number written while hidden", {Make(5, 1, L"", 0, L"7")}, 1, L"7##CTRL##asc"},
        {"success keeps the text", {Make(5, 1, L"Keep"), Make(2, 0, L"Other")}, 0, L"Keep"},
    };
    for (SRow const& row : rows)
    {
        for (Request const& request : row.requests)
            Apply(request);
        EXPECT_EQ(row.shown, entries[row.entry]->GetInfoText().Get().GetStdString()) << row.name;
    }
    JbSingleton<TvCResManager>::GetInstance().Clear();

    // The same request twice notifies nobody.
    for (Request const& request : {Make(1, 9, L"%d", 0.5f), Make(7, 2, L"Type", 0, L"42"), Make(3, 0)})
    {
        Apply(request);
        Orx2Test::GuiProbe probe;
        for (auto const& entry : entries)
            probe.Watch("entries", *entry);
        Apply(request);
        EXPECT_EQ(0, probe.Take().Changes("entries")) << "state " << int(request.GetCalibState());
    }
}
} // namespace
