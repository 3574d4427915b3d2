// The acquisition screen as its user meets it: what QML shows against what the library publishes, step
// by step; clicks that execute the named command once; input disabled while a GUI-locking command runs;
// the stored picture (thumbnails added and selected after the window opened among it) and the colours of
// tiles and progress bar; the window closed while the engine still plays. How a list model follows each
// array edit is the bridge suite's.
#include "cscreensession.h"

#include "engine/cpropertycatalog.h"
#include "engine/csimulator.h"

#include "base/orx2basepool/tcommand.h"
#include "base/orx2basepool/tvaluestreamobserver.h"
#include "host/acquisitionbase/acommandbase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <future>

namespace
{
using namespace Orx2Gui;
using Orx2Sim::Json;

std::string const kScenarios = ORX2_SIM_SCENARIOS "/";
std::string const kTests = ORX2_SCREEN_TESTS "/";

/// Runs the GUI thread's events until `done`, for at most 10 s. False on time-out.
template <class Done> bool WaitUntil(Done done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done())
    {
        if (timer.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

/// The names of the commands executed, on any thread, while it lives.
class CCommandLog
{
public:
    int Count(std::wstring const& name) const
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        return static_cast<int>(std::count(m_names.begin(), m_names.end(), name));
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::wstring> m_names;
    Base::Binding::TValueStreamObserver<Base::ICommandBase*> m_observer{
        Base::ACommandBase::ms_EventCommandStream, [this](Base::ICommandBase* const& command)
        {
            std::lock_guard<std::mutex> const lock(m_mutex);
            if (command != nullptr)
                m_names.push_back(command->GetName());
        }};
};

/// The QML value equals the library's named value (numbers as shown, to one decimal).
bool Same(QVariant const& shown, Json const& published)
{
    if (published.is_number())
        return std::fabs(shown.toDouble() - published.get<double>()) <= 0.05;
    if (published.is_boolean())
        return shown.toBool() == published.get<bool>();
    return shown.toString().toStdString() ==
           (published.is_string() ? published.get<std::string>() : published.dump());
}

class Screen_ : public ::testing::Test
{
protected:
    /// Opens the window on `scenario` ("" the built-in session) and waits until step `lastStep` shows.
    void Open(std::string const& scenario, int lastStep, int delayMs = 0)
    {
        CEngineThread::SOptions options;
        options.scenario = scenario;
        options.stepDelay = std::chrono::milliseconds(delayMs);
        options.lastStep = lastStep;
        m_shown = -1;
        m_session = std::make_unique<CScreenSession>(options);
        QObject::connect(m_session.get(), &CScreenSession::shown, [this](int step) { m_shown = step; });
        QObject::connect(m_session.get(), &CScreenSession::idle, [this] { m_idle = true; });
        m_session->Start();
        ASSERT_TRUE(WaitUntil([&] { return lastStep < 0 ? m_shown >= 0 : m_shown == lastStep; })) << scenario;
        m_session->GetWindow()->requestActivate(); // keys go to the focused item of the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_session->GetWindow()));
    }
    /// Lets the engine play up to `step`; waits until the screen shows it and the engine says it waits.
    void PlayTo(int step)
    {
        m_idle = false;
        m_session->GetEngine().SetLastStep(step);
        ASSERT_TRUE(WaitUntil([&] { return m_idle && m_shown == step; })) << "step " << step;
    }
    /// The item named `name` (laid out: the window is rendered first).
    QQuickItem* Item(QString const& name) const
    {
        static_cast<void>(m_session->Grab());
        std::vector<QQuickItem*> open{m_session->GetWindow()->contentItem()};
        while (!open.empty())
        {
            QQuickItem* const item = open.back();
            open.pop_back();
            if (item->objectName() == name)
                return item;
            for (QQuickItem* const child : item->childItems())
                open.push_back(child);
        }
        ADD_FAILURE() << "no item " << name.toStdString();
        return nullptr;
    }
    QVariant Qml(QString const& name, char const* property) const
    {
        QQuickItem* const item = Item(name);
        return item ? item->property(property) : QVariant();
    }
    void Click(QString const& name) const
    {
        if (QQuickItem* const item = Item(name))
            QTest::mouseClick(m_session->GetWindow(), Qt::LeftButton, Qt::NoModifier,
                              item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint());
    }
    Json Sim(std::string const& name) const
    {
        return m_session->GetEngine().GetSimulator()->GetProperties().Find(name)->read();
    }

    std::unique_ptr<CScreenSession> m_session;
    int m_shown = -1;
    bool m_idle = false;
};

// Before the session plays: a click on a tool action is lost while a GUI-locking command runs, and
// executes the action once the lock is gone.
TEST_F(Screen_, InputIsDisabledWhileAGuiLockingCommandRunsAndQmlShowsWhatTheLibraryPublishesAtEveryStep)
{
    Open("", 0);
    CCommandLog const log;
    std::future<void> engine; // joined last: once `release` is set or gone, the command returns
    std::promise<void> release;
    auto const busy = std::make_shared<Base::TCommand<void>>(
        [done = release.get_future().share()] { done.wait(); }, L"Test.Busy", true);
    engine = std::async(std::launch::async, [busy] { busy->Execute(); });
    ASSERT_TRUE(WaitUntil([&] { return !Qml("input", "enabled").toBool(); }));
    EXPECT_TRUE(Qml("lockIndicator", "visible").toBool());
    Click("action_Trim_1");
    EXPECT_EQ(log.Count(L"Trim.CToolActionViewModelBase.Command_1"), 0);
    release.set_value();
    ASSERT_TRUE(WaitUntil([&] { return Qml("input", "enabled").toBool(); }));
    Click("action_Trim_1");
    EXPECT_EQ(log.Count(L"Trim.CToolActionViewModelBase.Command_1"), 1);

    // clang-format off
    struct SRow { char const* object; char const* property; std::string published; } const rows[] = {
        {"tile_UpperJaw", "obligatory",  "Area.UpperJaw.IsObligatory"},
        {"tile_UpperJaw", "selected",    "Area.UpperJaw.Selected"},
        {"tile_LowerJaw", "selected",    "Area.LowerJaw.Selected"},
        {"tile_LowerJaw", "hasData",     "Area.LowerJaw.ReconstructionArea"},
        {"tile_UpperJaw", "percent",     "Area.UpperJaw.Progress"},
        {"progressBar",   "percent",     "ReconstructionProgressBar.ReconstructionProgress"},
        {"progressBar",   "processing",  "ReconstructionProgressBar.ReconstructionProgressState"},
        {"progressBar",   "resultState", "ReconstructionResult.ReconstructionState"},
        {"liveImage",     "crosshair",   "LiveImage.CrossHair"},
        {"liveImage",     "shown",       "LiveImage.Visibility"},
    };
    // clang-format on
    int const steps = m_session->GetEngine().GetStepCount();
    for (int step = 1; step <= steps; ++step)
    {
        PlayTo(step);
        for (SRow const& row : rows)
            EXPECT_TRUE(Same(Qml(row.object, row.property), Sim(row.published)))
                << "step " << step << ": " << row.object << "." << row.property << " shows "
                << Qml(row.object, row.property).toString().toStdString() << ", the library "
                << Sim(row.published).dump();
    }
}

TEST_F(Screen_, AClickExecutesTheNamedCommandOnce)
{
    // clang-format off
    // The entry `input` is typed into first, with `typed`; then `button` is clicked.
    struct SRow { char const* name; std::string scenario; int step; char const* input; char const* typed;
                  char const* button; std::vector<std::wstring> commands; char const* published; Json expected; };
    SRow const rows[] = {
        {"thumbnail", kScenarios + "area_panel.json", 2, nullptr, nullptr, "thumbnail_LowerJaw-1",
         {L"CThumbnailItemViewModelBase.Select_LowerJaw_1"}, "Area.LowerJaw.SelectedThumbnails", {"LowerJaw-1"}},
        {"calibration answer", kScenarios + "calibration.json", 1, nullptr, nullptr, "answer_eOk",
         {L"CCameraCalibrationStepMenuViewModel.Ok", L"CCalibrationDriver.Ok"}, "Calibration.Answers", {"Ok"}},
        {"number entry", kScenarios + "calibration.json", 5, "numberInput", "43", "inlineOk_InputText",
         {L"CCameraCalibrationStepMenuViewModel.TextInserted", L"CCameraCalibrationStepMenuViewModel.OkCancel"},
         "Calibration.Answers", {"Ok", "TextInserted 43", "Ok"}},
        {"colour dialog", kScenarios + "calibration.json", 11, nullptr, nullptr, "colourOk",
         {L"CCalibrationDriver.DialogOk"}, "ColorCalibDialog.Visible", false},
        {"QR code", "", 0, "qrInput", "ORX7", "qrSend", {L"Simulator.QRCode"}, "QRCode.Text", "ORX7"},
        {"QR code's area", "", 0, "qrInput", "LowerJaw", "qrArea", {L"Simulator.QRCodeArea"}, "Case.SelectedArea",
         "LowerJaw"},
    };
    // clang-format on
    // A tool action's click is the GUI lock's test.
    for (SRow const& row : rows)
    {
        SCOPED_TRACE(row.name);
        Open(row.scenario, row.step);
        if (row.typed != nullptr)
        {
            QQuickItem* const entry = Item(row.input);
            ASSERT_NE(entry, nullptr);
            entry->forceActiveFocus();
            QMetaObject::invokeMethod(entry, "selectAll");
            for (char const* key = row.typed; *key != '\0'; ++key)
                QTest::keyClick(m_session->GetWindow(), *key);
        }
        CCommandLog const log;
        Click(row.button);
        for (std::wstring const& command : row.commands)
            EXPECT_EQ(log.Count(command), 1) << std::string(command.begin(), command.end());
        EXPECT_EQ(Sim(row.published), row.expected);
        m_session.reset();
    }
}

TEST_F(Screen_, StoredPictureTileColoursAndProgressEdge)
{
    Open(kTests + "screen_step.json", 10);
    QImage const shot = m_session->Grab().convertToFormat(QImage::Format_RGB32);
    QString const golden = QString::fromStdString(kTests + "screen_step.png");
    if (std::getenv("ORX2_UPDATE_GOLDEN") != nullptr)
    {
        ASSERT_TRUE(shot.save(golden)) << "cannot write " << golden.toStdString();
    }
    QImage const stored = QImage(golden).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), stored.size()) << "run with ORX2_UPDATE_GOLDEN=1 to store the picture";
    int differing = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            differing += shot.pixel(x, y) != stored.pixel(x, y) ? 1 : 0;
    if (differing > 0)
        shot.save(QDir::temp().filePath("orx2_gui_screen_step.png"));
    EXPECT_EQ(differing, 0) << "pixels differ; the picture taken is in the temporary folder";

    // clang-format off
    // A negative x or y counts from the right or bottom edge.
    struct SRow { char const* name; char const* object; int x, y; char const* colour; } const rows[] = {
        {"selected tile",              "tile_UpperJaw",   -8, -8, "#1f6fb2"},
        {"obligatory tile",            "tile_LowerJaw",   -8, -8, "#8a6d1f"},
        {"plain tile",                 "tile_PreOpUpper", -8, -8, "#39424e"},
        {"data stripe",                "tile_LowerJaw",    2, 34, "#3fa34d"},
        {"no data",                    "tile_UpperJaw",    2, 34, "#1f6fb2"},
        {"last filled column at 40 %", "progressBar",    135,  9, "#3fa34d"},
        {"first empty column",         "progressBar",    136,  9, "#2a2f36"},
    };
    // clang-format on
    for (SRow const& row : rows)
    {
        QQuickItem* const item = Item(row.object);
        ASSERT_NE(item, nullptr) << row.name;
        QPointF const at(row.x < 0 ? item->width() + row.x : row.x,
                         row.y < 0 ? item->height() + row.y : row.y);
        QPoint const pixel = item->mapToScene(at).toPoint();
        EXPECT_EQ(QColor(shot.pixel(pixel)).name().toStdString(), row.colour) << row.name;
    }
}

// Ending the session once the engine idles is every other test's end; the step-by-step test waits for
// each idle.
TEST_F(Screen_, ClosingTheWindowEndsCleanlyWhileTheEnginePlays)
{
    for (int const closeAfter : {0, 3}) // the step shown
    {
        Open("", -1, 20);
        ASSERT_TRUE(WaitUntil([&] { return m_shown >= closeAfter; }));
        m_session->GetWindow()->close();
        m_session.reset(); // a delay of 20 ms: the engine is still publishing
    }
}
} // namespace
