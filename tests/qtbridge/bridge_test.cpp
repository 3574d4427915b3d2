// The bridge on a QCoreApplication's main thread (the GUI thread), fed from engine threads: a view model
// bound by its description alone, read and driven from JavaScript as QML reads and drives it.
#include "qtbridge/carraylistmodel.h"
#include "qtbridge/cbridgestatistics.h"
#include "qtbridge/cguilock.h"
#include "qtbridge/cviewmodelmap.h"

#include "support/arraymodel.h"
#include "support/commandenvironment.h"
#include "support/threadhelpers.h"

#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/teventsignal.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QMetaProperty>
#include <QPointer>
#include <QQmlEngine>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <stdexcept>

namespace
{
using namespace Orx2Qt;
using namespace Base;
using Orx2Test::ScopedThread;

// An enumeration of the test's own, bound by the generic rule.
enum class ECorner : std::uint8_t
{
    Near = 0,
    Far = 3
};

struct SOpaque // a type no conversion knows: left out
{
    int x = 0;
    bool operator!=(SOpaque const& other) const { return x != other.x; }
};

// The bridge binds what a description names, whatever the described type: these classes describe their
// own members, so no interface repeats them.
class CChild final : public TNotifyPropertyChangedImpl<INotifyPropertyChanged>
{
public:
    explicit CChild(int initial) : level(initial, *this) {}
    TProperty<int> level;
};
using ChildPtr = std::shared_ptr<CChild>;

class CTestViewModel final : public TNotifyPropertyChangedImpl<INotifyPropertyChanged>
{
    /// A command "Test.<name>" recording each call as "<name> <argument> ..." (arguments as QML shows them).
    template <class... Args> std::shared_ptr<ICommand<Args...>> Recording(QString const& name)
    {
        auto record = [this, name](Args... arguments)
        {
            QString call = name;
            ((call += QChar(' ') + ToQml(arguments).toString()), ...);
            calls.push_back(call.toStdString());
        };
        return std::make_shared<TCommand<void, Args...>>(
            record, (QStringLiteral("Test.") + name).toStdWString(), false);
    }

public:
    int GetHook() const { return hook ? hook() : 0; }
    float GetProgress(EAreaItems where) const { return static_cast<float>(where) / 4.0f; }
    IProperty<ChildPtr> const& GetSlot() const { return slot; }

    TProperty<int> number{0, *this};
    TProperty<bool> flag{false, *this};
    TProperty<CStringW> text{L"h\u00e9llo", *this};
    TProperty<EAreaItems> area{EAreaItems::UpperJaw, *this};
    TProperty<CCalibrationWaitRequest> request{CCalibrationWaitRequest(), *this};
    TProperty<SOpaque> opaque{SOpaque(), *this};
    TProperty<ECorner> corner{ECorner::Far, *this};
    TProperty<CBuccalRegistrationResult> registration{CBuccalRegistrationResult(JbMatrix4Rd::Identity()),
                                                      *this};
    double scale = 1.5;
    std::function<int()> hook;
    CSilentChangeOwner silent; // the counter and the slot notify through their own streams only
    TProperty<int> counter{0, silent};
    Binding::TArrayProperty<int> entries;
    Binding::TArrayProperty<ChildPtr> children;
    std::array<ChildPtr, 2> pair{std::make_shared<CChild>(1), std::make_shared<CChild>(2)};
    ChildPtr child = pair[0];
    TProperty<ChildPtr> slot{std::make_shared<CChild>(7), silent};
    std::vector<std::string> calls; // what the commands ran, GUI thread
    std::shared_ptr<ICommand<int>> add = Recording<int>("Add");
    TProperty<std::shared_ptr<ICommand<CStringW, EAreaItems, bool>>> qrCode{
        Recording<CStringW, EAreaItems, bool>("QRCode"), *this};
    std::shared_ptr<ICommand<unsigned, double, std::wstring const&, ECorner>> measure =
        Recording<unsigned, double, std::wstring const&, ECorner>("Measure");
    TProperty<std::shared_ptr<ICommand<>>> nothing{nullptr, *this};
    std::shared_ptr<ICommand<>> fail =
        std::make_shared<TCommand<void>>([] { throw std::runtime_error("refused"); }, L"Test.Throw", false);
    std::shared_ptr<ICommand<SOpaque>> give =
        std::make_shared<TCommand<void, SOpaque>>([](SOpaque) {}, L"Test.Give", false);
    TEventSignal<void> closed;
};
} // namespace

namespace Base
{
template <> struct TDescription<CChild> : Describe::TMembersOf<CChild>
{
    static constexpr auto Members() { return std::make_tuple(Property<int>("Level", &I::level)); }
};

template <> struct TDescription<CTestViewModel> : Describe::TMembersOf<CTestViewModel>
{
    static constexpr auto Members()
    {
        return std::make_tuple(
            Property<int>("Number", &I::number), Property<bool>("Flag", &I::flag),
            Property<CStringW>("OKText", &I::text), Property<EAreaItems>("Area", &I::area),
            Property<CCalibrationWaitRequest>("Request", &I::request),
            Property<SOpaque>("Opaque", &I::opaque), Property<ECorner>("Corner", &I::corner),
            Property<CBuccalRegistrationResult>("Registration", &I::registration),
            Value<double>("Scale", &I::scale), Value<int>("Hook", &I::GetHook),
            AreaValue<float>("Progress", &I::GetProgress), ValueSource<int>("Counter", &I::counter),
            ArraySource<int>("Entries", &I::entries), ArraySource<ChildPtr>("Children", &I::children),
            ViewModel<CChild>("Child", &I::child), ViewModelGroup<CChild, 2>("Pair", &I::pair),
            Slot<CChild>("Slot", &I::GetSlot), Command<int>("Add", &I::add),
            Command<CStringW, EAreaItems, bool>("QRCode", &I::qrCode),
            Command<unsigned, double, std::wstring const&, ECorner>("Measure", &I::measure),
            Command<>("Nothing", &I::nothing), Command<>("Throw", &I::fail),
            Command<SOpaque>("Give", &I::give), Event<void>("Closed", &I::closed));
    }
};
} // namespace Base

namespace
{
using IntArray = Binding::TArrayProperty<int>;
using MapPtr = std::unique_ptr<CViewModelMap>;

/// Runs the GUI thread's events (deferred deletes included) until `done` holds; false after 10 s.
bool PumpUntil(std::function<bool()> const& done = [] { return true; })
{
    for (auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);;
         std::this_thread::yield())
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (done() || std::chrono::steady_clock::now() > deadline)
            return done();
    }
}

/// The rows as QML reads them: through the role names.
std::vector<int> Rows(CArrayListModel const& model)
{
    std::vector<int> rows;
    for (int i = 0; i < model.rowCount(); ++i)
        rows.push_back(model.data(model.index(i), model.roleNames().key("value")).toInt());
    return rows;
}

/// The warnings the bridge gives, collected while it lives.
struct SWarnings
{
    static inline QStringList seen;
    QtMessageHandler const previous =
        (seen.clear(), qInstallMessageHandler([](QtMsgType, QMessageLogContext const&, QString const& message)
                                              { seen.push_back(message); }));
    ~SWarnings() { qInstallMessageHandler(previous); }
    std::string Text() const { return seen.join('\n').toStdString(); }
};

/// A map as QML sees it: evaluates JavaScript with the map as `vm`.
std::function<std::string(QString const&)> Qml(QObject* map)
{
    auto const engine = std::make_shared<QQmlEngine>();
    QQmlEngine::setObjectOwnership(map, QQmlEngine::CppOwnership);
    engine->globalObject().setProperty("vm", engine->newQObject(map));
    return [engine](QString const& code) { return engine->evaluate(code).toString().toStdString(); };
}

using ViewModelMap = Orx2Test::CommandEnvironment;

TEST_F(ViewModelMap, BindsEachDescribedMemberUnderItsQmlNameAndFollowsItsSources)
{
    auto const vm = std::make_shared<CTestViewModel>();
    vm->entries.Set({4, 5, 6});
    vm->children.Set({std::make_shared<CChild>(3), std::make_shared<CChild>(4)});
    CCalibrationWaitRequest request;
    request.Set(ICalibrationWaitRequest::ECalibrationState::InProgress, CStringW(L"hold still"),
                ICalibrationWaitRequest::EQuestionType::None, ICalibrationWaitRequest::EDeviceType(),
                CStringW(), false);
    vm->request.Set(request);
    MapPtr const map(MakeViewModelMap(vm, nullptr));
    auto const qml = Qml(map.get());
    // clang-format off
    std::pair<char const*, char const*> const rows[] = {
        {"vm.keys().sort().join(' ')",       "area child children corner counter entries flag hook number okText pair progress registration request scale slot"},
        {"[vm.number, vm.flag, vm.okText, vm.area, vm.scale, vm.corner].join(' ')", "0 false h\u00e9llo 1 1.5 3"},
        {"vm.request.instructionText + ' ' + vm.request.calibState", "hold still 1"},
        {"vm.registration.valid + ' ' + vm.registration.transformation", "true 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1"},
        {"vm.progress.length + ' ' + vm.progress[2]", "14 0.5"},
        {"[vm.entries.count, vm.entries.get(1).value, vm.children.get(0).item.level].join(' ')", "3 5 3"},
        {"[vm.child.level, vm.pair[1].level, vm.slot.level].join(' ')", "1 2 7"},
    };
    // clang-format on
    for (auto const& [code, shown] : rows)
        EXPECT_EQ(qml(code), shown) << code;

    // An engine thread changes the sources: the map follows on the GUI thread only. The maps of the slot's
    // former view model and of a replaced or removed element go then; an element's map is its row's.
    auto* const children = qobject_cast<CArrayListModel*>(map->value("children").value<QObject*>());
    ASSERT_NE(children, nullptr);
    QPointer<QObject> const formerSlot = map->value("slot").value<QObject*>(),
                            replaced = children->get(0).value("item").value<QObject*>(),
                            removed = children->get(1).value("item").value<QObject*>();
    ASSERT_TRUE(replaced && removed);
    EXPECT_EQ(replaced->parent(), children);
    ScopedThread(
        [&]
        {
            vm->counter.Set(9), vm->slot.Set(std::make_shared<CChild>(8)), vm->entries.Add(7);
            vm->children.SetAt(0, std::make_shared<CChild>(5)), vm->children.RemoveAt(1);
        })
        .Join();
    QString const followed = "[vm.counter, vm.slot.level, vm.entries.count, vm.children.count, "
                             "vm.children.get(0).item.level].join(' ')";
    EXPECT_EQ(qml(followed), "0 7 3 2 3");
    PumpUntil();
    EXPECT_EQ(qml(followed), "9 8 4 1 5");
    EXPECT_EQ((std::vector<QObject*>{formerSlot, replaced, removed}), std::vector<QObject*>(3))
        << "the maps of the slot's former view model, of the replaced and of the removed element are deleted";
    ScopedThread([&] { vm->slot.Set(nullptr); }).Join();
    PumpUntil();
    EXPECT_EQ(qml("vm.slot"), "null");
}

TEST_F(ViewModelMap, NotifiesEachKeyOncePerRealChange)
{
    auto const vm = std::make_shared<CTestViewModel>();
    MapPtr const map(MakeViewModelMap(vm, nullptr));
    PumpUntil(); // the value source's first notification
    auto notifySignal = [&](char const* key)
    { return map->metaObject()->property(map->metaObject()->indexOfProperty(key)).notifySignal(); };
    QSignalSpy numberSpy(map.get(), notifySignal("number")), flagSpy(map.get(), notifySignal("flag"));
    // Each step sets (number, flag) pairs in order, from where the step before left them; then the GUI runs.
    // clang-format off
    struct SStep { char const* name; std::vector<std::pair<int, bool>> sets; int numberNotifies, flagNotifies; quint64 posts; };
    for (SStep const& step : {SStep{"equal set",                          {{0, false}},            0, 0, 0},
                              SStep{"two keys",                           {{1, true}},             1, 1, 1},
                              SStep{"there and back before the GUI runs", {{2, false}, {1, true}}, 0, 0, 1},
                              SStep{"one key",                            {{2, true}},             1, 0, 1}})
    // clang-format on
    {
        SCOPED_TRACE(step.name);
        auto const start = CBridgeStatistics::Get();
        for (auto const& [number, flag] : step.sets)
            vm->number.Set(number), vm->flag.Set(flag);
        PumpUntil();
        EXPECT_EQ(map->value("number"), QVariant(vm->number.Get()));
        EXPECT_EQ(map->value("flag"), QVariant(vm->flag.Get()));
        EXPECT_EQ(numberSpy.count(), step.numberNotifies);
        EXPECT_EQ(flagSpy.count(), step.flagNotifies);
        SBridgeCounts const counts = CBridgeStatistics::Get() - start;
        EXPECT_EQ(counts.valuesChanged, static_cast<quint64>(step.numberNotifies + step.flagNotifies));
        EXPECT_EQ(counts.postsQueued, step.posts) << "the changes of one step share one post";
        numberSpy.clear(), flagSpy.clear();
    }
}

TEST_F(ViewModelMap, EngineChangesReachTheMapOnlyOnTheGuiThreadAndEndInTheLastValues)
{
    constexpr int kChanges = 300, kEdits = 400;
    auto const vm = std::make_shared<CTestViewModel>();
    MapPtr const map(MakeViewModelMap(vm, nullptr));
    auto* const entries = qobject_cast<CArrayListModel*>(map->value("entries").value<QObject*>());
    QAbstractItemModelTester const tester(entries, QAbstractItemModelTester::FailureReportingMode::Fatal);
    PumpUntil();
    auto const start = CBridgeStatistics::Get();
    std::atomic<int> running{3};
    // Two engine threads change two properties while the GUI runs: the newest values win, whichever
    // thread posts last. A third edits a list at random: its rows follow every edit, in order.
    auto burst = [&](bool numbers)
    {
        for (int i = 1; i <= kChanges; ++i)
            numbers ? vm->number.Set(i) : vm->flag.Set(i % 2);
        --running;
    };
    auto edit = [&]
    {
        std::mt19937 random(19);
        for (int i = 0; i < kEdits; ++i)
            Orx2Test::RandomArrayEdit(random, vm->entries.GetSize()).ApplyTo(vm->entries);
        --running;
    };
    ScopedThread numbers([&] { burst(true); }), flags([&] { burst(false); }), edits(edit);
    ASSERT_TRUE(PumpUntil([&] { return running == 0; }));
    PumpUntil();
    EXPECT_EQ(map->value("number"), QVariant(kChanges));
    EXPECT_EQ(map->value("flag"), QVariant(false));
    EXPECT_EQ(Rows(*entries), vm->entries.GetValues());
    SBridgeCounts const counts = CBridgeStatistics::Get() - start;
    EXPECT_EQ(counts.offThreadCalls, 0u);
    EXPECT_EQ(counts.snapshotsRead, 2u * kChanges) << "one snapshot per notification";
    EXPECT_GE(counts.postsQueued, counts.updatesApplied);
    EXPECT_LE(counts.postsQueued, 2u * kChanges + kEdits);
}

TEST_F(ViewModelMap, ExecuteConvertsQmlArgumentsOrRefusesWithAWarningAndChangesNothing)
{
    // clang-format off
    // Several calls of one row are refused for the same reason; the warning of the first is checked.
    struct SCase { char const* code; bool gone; char const* result; char const* warning; std::vector<std::string> ran; };
    SCase const rows[] = {
        {"vm.execute('add', [5])",                       false, "true",  "",                                   {"Add 5"}},
        {"vm.execute('qrCode', ['AB', 'UpperJaw', true])", false, "true", "",                                  {"QRCode AB 1 true"}},
        {"vm.execute('qrCode', ['', 13, false])",        false, "true",  "",                                   {"QRCode  13 false"}},
        {"vm.execute('measure', [4294967295, 0.25, 'mm', 3])", false, "true", "",                                 {"Measure 4294967295 0.25 mm 3"}},
        {"vm.execute('nothing')",                        false, "false", "",                                   {}},
        {"vm.commandName('add') + vm.commandName('nothing')", false, "Test.Add", "",                           {}},
        {"vm.execute('Add', [1])",                       false, "false", "has no command \"Add\"",             {}},
        {"vm.commandName('subtract')",                   false, "",      "has no command \"subtract\"",        {}},
        {"[vm.execute('add'), vm.execute('add', [1, 2])]", false, "false,false", "takes 1 argument(s), 0 given", {}},
        {"[vm.execute('add', ['5']), vm.execute('add', [1.5]), vm.execute('add', [true]), vm.execute('add', [4294967296])]",
                                                         false, "false,false,false,false", "argument 1 is 5 (QString), not an integer", {}},
        {"vm.execute('measure', [-1, 0.25, 'mm', 0])",      false, "false", "argument 1 is -1 (int), not an integer of at least 0", {}},
        {"vm.execute('measure', [1, 'x', 'mm', 0])",        false, "false", "argument 2 is x (QString), not a number", {}},
        {"vm.execute('measure', [1, 1, 'mm', 256])",     false, "false", "argument 4 is 256 (int), not an integer (an enumerator's value)", {}},
        {"vm.execute('qrCode', [7, 1, true])",           false, "false", "argument 1 is 7 (int), not a string", {}},
        {"[vm.execute('qrCode', ['A', 14, true]), vm.execute('qrCode', ['A', 'Chin', true]), vm.execute('qrCode', ['A', -2, true])]",
                                                         false, "false,false,false", "argument 2 is 14 (int), not a scan area", {}},
        {"vm.execute('qrCode', ['A', 1, 1])",            false, "false", "argument 3 is 1 (int), not a boolean", {}},
        {"vm.execute('give', [{}])",                     false, "false", "takes arguments QML cannot give",    {}},
        {"vm.execute('throw')",                          false, "false", "\"throw\" threw: refused",           {}},
        {"vm.number = 9; vm.number",                     false, "0",     "number is read-only in QML",         {}},
        {"vm.execute('add', [1])",                       true,  "false", "CTestViewModel of this map is gone; \"add\" not executed", {}},
        {"vm.commandName('add')",                        true,  "",      "",                                   {}},
    };
    // clang-format on
    for (SCase const& row : rows)
    {
        SCOPED_TRACE(row.code);
        auto vm = std::make_shared<CTestViewModel>();
        MapPtr const map(MakeViewModelMap(vm, nullptr));
        auto const qml = Qml(map.get());
        std::shared_ptr<CTestViewModel> const kept = row.gone ? nullptr : vm;
        vm.reset();
        SWarnings const warnings;
        EXPECT_EQ(qml(row.code), row.result);
        EXPECT_TRUE(*row.warning ? warnings.Text().find(row.warning) != std::string::npos
                                 : warnings.Text().empty())
            << warnings.Text();
        EXPECT_EQ(kept ? kept->calls : std::vector<std::string>(), row.ran) << "a refused call runs nothing";
    }
}

// The map may go while an engine thread publishes; the view model may go while its last snapshot is
// posted, even inside its own notification, where a reader must never hold its last reference.
TEST_F(ViewModelMap, SurvivesEitherSideGoingWhileAnEngineThreadPublishesAndAReaderNeverHoldsTheLastReference)
{
    auto vm = std::make_shared<CTestViewModel>();
    std::atomic<bool> stop{false};
    ScopedThread engine(
        [&, publisher = vm]
        {
            for (int i = 0; !stop; ++i, std::this_thread::yield())
                publisher->number.Set(i), i % 8 == 7 ? publisher->entries.Clear() : publisher->entries.Add(i);
        });
    for (int round = 0; round < 50; ++round)
    {
        // The map goes at the end of the round, whatever is still posted to it.
        auto const start = CBridgeStatistics::Get();
        MapPtr const map(MakeViewModelMap(vm, nullptr));
        auto const since = [&] { return CBridgeStatistics::Get() - start; };
        PumpUntil([&] { return since().rowChanges > 1 && since().updatesApplied > 0; });
    }
    MapPtr const map(MakeViewModelMap(vm, nullptr));
    stop = true;
    engine.Join();
    CTestViewModel* const last = vm.get();
    std::weak_ptr<CTestViewModel> const watch = vm;
    // The map's reader drops the last outside reference: the reader's own hold is then the last.
    last->hook = [&vm, last] { return last->number.Get() == -1 ? (vm.reset(), 0) : 0; };
    Orx2Test::RunBounded("a change whose reader drops the last outside reference",
                         [last] { last->number.Set(-1); });
    EXPECT_TRUE(watch.expired());
    PumpUntil(); // the view model's last snapshot was still posted
    EXPECT_EQ(map->value("number"), QVariant(-1));
}

TEST(ArrayListModel, EachEditBecomesTheMatchingRowSignals)
{
    using Edit = std::function<void(std::shared_ptr<IntArray>&)>;
    // clang-format off
    struct SCase { char const* name; std::vector<int> initial; Edit edit; std::vector<qsizetype> signalCounts; };
    for (SCase const& row : {SCase{"Set replaces one",   {1, 2, 3},    [](auto& a) { a->Set({1, 9, 3}); },    {1, 0, 0, 0, 0}},
                             SCase{"Set shorter",        {1, 2, 3},    [](auto& a) { a->Set({1, 9}); },       {1, 0, 1, 0, 1}},
                             SCase{"SetAt past the end", {1, 2},       [](auto& a) { a->SetAt(5, 7); },       {0, 1, 0, 0, 1}},
                             SCase{"Insert",             {1, 2, 3},    [](auto& a) { a->Insert(1, 8); },      {0, 1, 0, 0, 1}},
                             SCase{"RemoveRange",        {1, 2, 3, 4}, [](auto& a) { a->RemoveRange(1, 3); }, {0, 0, 1, 0, 1}},
                             SCase{"Clear",              {1, 2},       [](auto& a) { a->Clear(); },           {0, 0, 0, 1, 1}},
                             SCase{"source destroyed",   {1, 2},       [](auto& a) { a.reset(); },            {0, 0, 0, 1, 1}}})
    // clang-format on
    {
        SCOPED_TRACE(row.name);
        auto array = std::make_shared<IntArray>();
        array->Set(row.initial);
        auto const toRow = [](int const& value) { return QVariantMap{{"value", value}}; };
        std::unique_ptr<CArrayListModel> const model(
            MakeArrayListModel<int>(*array, array, {"value"}, toRow, nullptr));
        QAbstractItemModelTester const tester(model.get(),
                                              QAbstractItemModelTester::FailureReportingMode::Fatal);
        QSignalSpy const changed(model.get(), &QAbstractItemModel::dataChanged),
            inserted(model.get(), &QAbstractItemModel::rowsInserted),
            removed(model.get(), &QAbstractItemModel::rowsRemoved),
            reset(model.get(), &QAbstractItemModel::modelReset),
            counted(model.get(), &CArrayListModel::countChanged);
        ScopedThread([&] { row.edit(array); }).Join();
        EXPECT_EQ(Rows(*model), row.initial) << "changed off the GUI thread";
        PumpUntil();
        EXPECT_EQ(Rows(*model), array ? array->GetValues() : std::vector<int>());
        EXPECT_EQ((std::vector<qsizetype>{changed.count(), inserted.count(), removed.count(), reset.count(),
                                          counted.count()}),
                  row.signalCounts)
            << "changed, inserted, removed, reset, count changed";
    }
}

using GuiLockTest = Orx2Test::CommandEnvironment;

TEST_F(GuiLockTest, LockedWhileAGuiLockingCommandRunsOnAnotherThread)
{
    CGuiLock lock;
    QSignalSpy const lockedChanges(&lock, &CGuiLock::lockedChanged);
    Orx2Test::Gate running, release;
    auto const command =
        std::make_shared<TCommand<void>>([&] { running.Open(), release.Wait(); }, L"Test.Lock", true);
    ScopedThread engine([&] { command->Execute(); });
    ASSERT_TRUE(running.Wait());
    EXPECT_TRUE(PumpUntil([&] { return lock.locked() && lock.count() == 1; }));
    release.Open();
    engine.Join();
    EXPECT_TRUE(PumpUntil([&] { return !lock.locked(); }));
    EXPECT_EQ(lockedChanges.count(), 2);
}
} // namespace
