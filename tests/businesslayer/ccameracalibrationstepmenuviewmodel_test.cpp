// Step menus. The bases: the entry's construction and properties, the list and its interface view, the
// lookup by type, and a concrete menu whose subscriptions end before its own members die. The camera
// calibration step menu: its fixed entries and commands, the forwarding of every button to the host's
// answer slots, and what a wait request shows. Then a calibration end to end as the GUI sees it: a
// scripted engine asks through wait requests, the GUI answers through the step menu's and the colour
// dialog's commands, and the recorded answers replay.
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tcommandslot.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "businesslayer/common/ccameracalibrationstepmenuviewmodel.h"
#include "businesslayer/common/cstepmenuviewmodelbase.h"
#include "host/acquisitionbase/replayrecordedcommands.h"
#include "host/resources/tvcresmanager.h"
#include "host/values/ccalibrationwaitrequest.h"
#include "reference_host/ccalibrationdriver.h"
#include "support/commandenvironment.h"
#include "support/guiprobe.h"
#include "support/heldcallback.h"

#include <gtest/gtest.h>

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

class CalibrationStepMenu : public Orx2Test::CommandEnvironment
{
protected:
    /// The registered command kPrefix + `name`, as the GUI finds it.
    template <class... Args> static auto Named(std::wstring const& name)
    {
        return Find<Base::ICommand<Args...>>(kPrefix + name);
    }
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
    struct SRow
    {
        std::wstring name;
        std::function<void()> press;
        std::wstring ran; // by the filled slots; empty slots run nothing
        bool logs;
    };
    std::vector<SRow> rows = {
        {L"OkCancel true", [] { Named<bool>(L"OkCancel")->Execute(true); }, L"Ok1", false},
        {L"OkCancel false", [] { Named<bool>(L"OkCancel")->Execute(false); }, L"Cancel1", false},
        {L"TextInserted", [] { Named<CStringW>(L"TextInserted")->Execute(L"43"); }, L"431", false}};
    // Each button runs the slot of its own name.
    std::vector<std::pair<Menu::AnswerSlot& (Menu::*)(), std::wstring>> const slots = {
        {&Menu::GetOkPressed, L"Ok"},         {&Menu::GetRetryPressed, L"Retry"},
        {&Menu::GetCancelPressed, L"Cancel"}, {&Menu::GetContinuePressed, L"Continue"},
        {&Menu::GetAbortPressed, L"Abort"},   {&Menu::GetConfirmPressed, L"Confirm"}};
    for (auto const& [slot, name] : slots)
        rows.push_back({name, [button = name] { Named(button)->Execute(); }, name + L"1", true});
    auto const answer = [&ran](std::wstring name)
    {
        return std::make_shared<Base::TCommand<void>>([&ran, name] { ran.push_back(name + Locking()); }, L"A",
                                                      false);
    };
    Orx2Test::GuiProbe probe;
    for (bool const filled : {true, false})
    {
        for (auto const& [slot, name] : slots)
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
            EXPECT_EQ(filled ? std::vector<std::wstring>{row.ran} : std::vector<std::wstring>{}, ran);
            auto const step = probe.Take();
            EXPECT_EQ((std::vector<unsigned>{1, 0}), step.guiLockCounts);
            EXPECT_EQ(row.logs ? 1U : 0U, step.log.size());
        }
    }
    // An answer that throws still lets the GUI go and logs the press.
    menu->GetAbortPressed().Set(
        std::make_shared<Base::TCommand<void>>([] { throw std::runtime_error("gone"); }, L"A", false));
    EXPECT_THROW(Named(L"Abort")->Execute(), std::runtime_error);
    auto const step = probe.Take();
    EXPECT_EQ((std::vector<unsigned>{1, 0}), step.guiLockCounts);
    EXPECT_EQ(1U, step.log.size());
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
    // menu and from a question shown on the seventh entry. The same request again notifies nobody.
    std::vector<std::vector<Request>> const baselines = {
        {Make(7, 2)}, {Make(5, 2), Make(2, 0)}, {Make(0, 0)}, {Make(5, 7)}};
    {
        Orx2Test::GuiProbe probe;
        for (auto const& entry : entries)
            probe.Watch("entries", *entry);
        for (std::size_t baseline = 0; baseline < baselines.size(); ++baseline)
            for (int state = 0; state <= 25; ++state)
                for (int question = 0; question <= 10; ++question)
                {
                    for (Request const& request : baselines[baseline])
                        Apply(request);
                    std::string const expected = Expected(state, question, Shown());
                    Apply(Make(state, question, L"%d", 0.5f, L"7"));
                    EXPECT_EQ(expected, Shown())
                        << "state " << state << ", question " << question << ", baseline " << baseline;
                    probe.Take();
                    Apply(Make(state, question, L"%d", 0.5f, L"7"));
                    EXPECT_EQ(0, probe.Take().Changes("entries"))
                        << "again: state " << state << ", question " << question;
                }
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
    // A resource id and its formatted percentage: the calibration scenario.
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
}

// ---- the bases ----------------------------------------------------------------------------------------

using Item = BusinessLayer::CStepMenuItemViewModelBase;
using MenuBase = BusinessLayer::CStepMenuViewModelBase;
using Type = Base::IStepMenuItemViewModel::EItemTypeStepMenu;
using Items = std::vector<std::shared_ptr<Item>>;

std::shared_ptr<Item> MakeItem(Type type)
{
    return std::make_shared<Item>(type, false, false, false, false, false, false, false, false, L"group",
                                  false);
}

/// A concrete menu that publishes entries and follows an outside signal into a member of its own.
class CTestMenu : public MenuBase
{
public:
    using MenuBase::ResetItems;
    using MenuBase::setNewItems;
    CTestMenu() = default;
    CTestMenu(Base::IEventSignal<void> const& signal, Orx2Test::HeldCallback& held)
    {
        AddConnection(signal.Connect(Base::MakeEventSignalHandler<void>([this, &held] {
            held.Hold();
            m_seen.assign(64, 1);
        })));
    }
    ~CTestMenu() override { DisconnectConnections(); }

private:
    std::vector<int> m_seen;
};

/// Entries as identities of the interface, comparable between the two views.
template <class Pointers> std::vector<void const*> Seen(Pointers const& items)
{
    std::vector<void const*> seen;
    for (auto const& item : items)
        seen.push_back(static_cast<Base::IStepMenuItemViewModel const*>(item.get()));
    return seen;
}

using StepMenu = Orx2Test::CommandEnvironment;

TEST_F(StepMenu, EachConstructorArgumentLandsInItsOwnProperty)
{
    // One argument true at a time, so that two arguments swapped show as a wrong property.
    char const* const names[] = {"visibility",    "enabled",   "selected",      "isDone",   "collapsed",
                                 "showStatusBar", "okEnabled", "cancelEnabled", "okVisible"};
    for (int set = 0; set < 9; ++set)
    {
        SCOPED_TRACE(names[set]);
        std::array<bool, 9> a{};
        a[set] = true;
        Item const item(Type{set + 60}, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7],
                        CStringW(L"g") + wchar_t(L'a' + set), a[8]);
        std::array<bool, 9> const read = {
            item.GetVisibility().Get(), item.GetEnabled().Get(),    item.GetSelected().Get(),
            item.GetIsDone().Get(),     item.GetCollapsed().Get(),  item.ShowStatusBar().Get(),
            item.OkEnabled().Get(),     item.CancelEnabled().Get(), item.OkVisible().Get()};
        EXPECT_EQ(a, read);
        EXPECT_EQ(Type{set + 60}, item.GetItemType().Get());
        EXPECT_TRUE(CStringW(L"g") + wchar_t(L'a' + set) == item.GetGroupID().Get());
    }
}

TEST_F(StepMenu, EntriesReachBothViewsInOrderResetIsSilentWhenEmptyAndLookupFindsTheFirstOfAType)
{
    CTestMenu menu;
    std::atomic<int> notes{0};
    auto const view = Base::Binding::MakeArrayChangeObserver(
        static_cast<Base::IStepMenuViewModel const&>(menu).GetStepMenuItems(),
        [&notes](auto const&) { notes.fetch_add(1); });
    notes = 0;
    auto const a = MakeItem(Type{5}), b = MakeItem(Type{5}), c = MakeItem(Type{-1});
    struct SRow
    {
        char const* name;
        bool reset;
        Items items;
        int notifications;
        Type type;
        std::shared_ptr<Item> found;
    };
    for (SRow const& row : std::vector<SRow>{{"reset when empty", true, {}, 0, Type{5}, nullptr},
                                             {"three, two of a type", false, {c, a, b}, 1, Type{5}, a},
                                             {"reordered, shorter", false, {a, c}, 1, Type{-1}, c},
                                             {"an empty slot first", false, {nullptr, b, a}, 1, Type{5}, b},
                                             {"reset when filled", true, {}, 1, Type{5}, nullptr}})
    {
        SCOPED_TRACE(row.name);
        row.reset ? menu.ResetItems() : menu.setNewItems(row.items);
        Base::IStepMenuViewModel const& gui = menu;
        EXPECT_EQ(Seen(row.items), Seen(menu.GetStepMenuItems().GetValues()));
        EXPECT_EQ(Seen(row.items), Seen(gui.GetStepMenuItems().GetValues()));
        EXPECT_EQ(row.notifications, notes.exchange(0));
        EXPECT_EQ(row.found, menu.GetStepMenuItem(row.type));
        EXPECT_EQ(row.found, static_cast<MenuBase const&>(menu).getStepMenuItem(row.type));
        EXPECT_EQ(static_cast<Base::IStepMenuItemViewModel*>(row.found.get()),
                  gui.GetStepMenuItem(row.type).get());
        EXPECT_EQ(nullptr, menu.GetStepMenuItem(Type{6})) << "a type not in the menu";
    }
}

TEST_F(StepMenu, AConcreteMenuDestroyedWhileItsSignalFiresOnAnotherThread)
{
    Base::TEventSignal<void> signal;
    Orx2Test::HeldCallback held;
    auto menu = std::make_unique<CTestMenu>(signal, held);
    held.ExpectDestroyWaits([&] { signal.Fire(); }, [&] { menu.reset(); });
}

// ---- a calibration end to end ---------------------------------------------------------------------------

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
        JbSingleton<Base::CCommandRegistry>::GetInstance().FindCommand(kPrefix + name))
        ->Execute(args...);
}

using CalibrationRoad = Orx2Test::CommandEnvironment;

TEST_F(CalibrationRoad, AScriptedRunAnsweredByTheGuiThenReplayed)
{
    JbSingleton<TvCResManager>::GetInstance().SetString(100U, L"Place the target");
    auto camera = std::make_shared<BusinessLayer::CCameraCalibrationViewModelBase>();
    auto const dialog = std::make_shared<BusinessLayer::CColorCalibDialogViewModelBase>();
    auto menu = std::make_shared<Menu>();
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
    menu = std::make_shared<Menu>();
    camera = std::make_shared<BusinessLayer::CCameraCalibrationViewModelBase>();
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
    auto const camera = std::make_shared<BusinessLayer::CCameraCalibrationViewModelBase>();
    auto const dialog = std::make_shared<BusinessLayer::CColorCalibDialogViewModelBase>();
    auto const menu = std::make_shared<Menu>();
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
