// What a QML client does with ORX2::QtBridge, in miniature: the reference host's GUI configuration bound
// by its description alone, and a QML file that reads a view model's property and executes commands by
// name, good and bad. Prints what it sees; .ci/package compares it with expected_output.txt.
#include "base/orx2basepool/tcommand.h"
#include "qtbridge/cviewmodelmap.h"
#include "reference_host/cguiconfiguration.h"

#include <QCoreApplication>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>

#include <cstdio>
#include <memory>

namespace
{
void Print(QtMsgType type, QMessageLogContext const&, QString const& message)
{
    std::printf("%s%s\n", type == QtWarningMsg ? "warning: " : "", qUtf8Printable(message));
    std::fflush(stdout);
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
    return 0;
}
