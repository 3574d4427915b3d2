// What a QML client does with ORX2::QtBridge, in miniature: the reference host's GUI configuration bound
// by its description alone, a QML file that reads a view model's property and executes a command by
// name, and a GUI-locking command on another thread whose count reaches QML on the GUI thread. Prints
// what it sees; .ci/package compares it with expected_output.txt.
#include "base/orx2basepool/tcommand.h"
#include "qtbridge/cviewmodelmap.h"
#include "reference_host/cguiconfiguration.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>

#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

namespace
{
void Print(QtMsgType type, QMessageLogContext const&, QString const& message)
{
    std::printf("%s%s\n", type == QtWarningMsg ? "warning: " : "", qUtf8Printable(message));
    std::fflush(stdout);
}

/// Runs the event loop until the QML object's lock count is `count`; false after 10 s.
bool WaitForLockCount(QObject const& root, int count)
{
    QElapsedTimer timer;
    timer.start();
    while (root.property("lockCount").toInt() != count && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return root.property("lockCount").toInt() == count;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    qInstallMessageHandler(Print);

    ReferenceHost::CGuiConfiguration gui; // fills the lock-GUI and QR-code slots, among others
    gui.GetQRCode()->SetQRCodeCommand(std::make_shared<Base::TCommand<void, CStringW>>(
        [](CStringW const& code) { std::printf("host: QR code %ls\n", code.GetString()); },
        L"Consumer.QRCode", false));

    QQmlEngine engine;
    engine.rootContext()->setContextProperty(
        QStringLiteral("gui"), Orx2Qt::MakeConfigurationMap<Base::IGuiConfiguration>(gui, &engine));
    QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/consumer/consumer.qml")));
    std::unique_ptr<QObject> const root(component.create());
    if (!root)
    {
        std::printf("the QML file does not load: %s\n", qUtf8Printable(component.errorString()));
        return 1;
    }

    // A GUI-locking command runs on an engine thread until it is released.
    std::mutex mutex;
    std::condition_variable wake;
    bool released = false;
    auto const work = std::make_shared<Base::TCommand<void>>(
        [&]
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [&] { return released; });
        },
        L"Consumer.Work", true);
    std::thread engineThread([&] { work->Execute(); });
    bool const locked = WaitForLockCount(*root, 1);
    {
        std::lock_guard<std::mutex> const lock(mutex);
        released = true;
    }
    wake.notify_all();
    engineThread.join();
    bool const unlocked = WaitForLockCount(*root, 0);
    std::printf("GUI lock seen %s\n", locked && unlocked ? "and released" : "wrongly");
    return locked && unlocked ? 0 : 1;
}
