// orx2-gui: the acquisition screen over the library's view models, while the simulator's engine plays a
// scan session on a thread of its own. This file reads the command line and, for --screenshot, saves
// the window after a step and exits.
#include "cscreensession.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

#include <chrono>
#include <cstdio>

namespace
{
constexpr int kExitFailed = 1;
constexpr int kExitBadInput = 2;

void Complain(QString const& message)
{
    QTextStream(stderr) << "orx2-gui: " << message << '\n';
}

/// The option's value as a number of at least `minimum`, or -1 when it is not one.
int NumberOption(QCommandLineParser const& parser, QString const& name, int minimum)
{
    bool ok = false;
    int const value = parser.value(name).toInt(&ok);
    return ok && value >= minimum ? value : -1;
}
} // namespace

int main(int argc, char* argv[])
{
    Orx2Gui::PrepareGraphics();
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("orx2-gui"));
    Orx2Gui::UseScreenFont();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The acquisition screen, bound to the view models while the simulator plays a session."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("scenario"),
         QStringLiteral("Play this scenario file instead of the built-in session."), QStringLiteral("FILE")},
        {QStringLiteral("step-delay-ms"), QStringLiteral("The pause after each step (default 600)."),
         QStringLiteral("MS"), QStringLiteral("600")},
        {QStringLiteral("screenshot"),
         QStringLiteral("Save the window as a PNG after the step given with "
                        "--after-step, then exit."),
         QStringLiteral("FILE")},
        {QStringLiteral("after-step"),
         QStringLiteral("The step after which --screenshot saves (0: before the "
                        "first step)."),
         QStringLiteral("N"), QStringLiteral("0")},
    });
    parser.process(app);

    int const delay = NumberOption(parser, QStringLiteral("step-delay-ms"), 0);
    int const afterStep = NumberOption(parser, QStringLiteral("after-step"), 0);
    if (delay < 0 || afterStep < 0 || !parser.positionalArguments().isEmpty())
    {
        Complain(QStringLiteral("--step-delay-ms and --after-step take whole numbers of 0 or more; no other "
                                "arguments (see --help)"));
        return kExitBadInput;
    }
    QString const screenshot = parser.value(QStringLiteral("screenshot"));

    Orx2Gui::CEngineThread::SOptions options;
    options.scenario = parser.value(QStringLiteral("scenario")).toStdString();
    options.stepDelay = std::chrono::milliseconds(delay);
    if (!screenshot.isEmpty())
        options.lastStep = afterStep; // nothing moves while the window is saved
    Orx2Gui::CScreenSession session(options);
    QObject::connect(&session, &Orx2Gui::CScreenSession::failed, &app,
                     [](QString const& message)
                     {
                         Complain(message);
                         QCoreApplication::exit(kExitBadInput);
                     });
    if (!screenshot.isEmpty())
    {
        auto const save = [&session, screenshot]
        {
            bool const saved = session.Grab().save(screenshot, "PNG");
            if (!saved)
                Complain(QStringLiteral("cannot write ") + screenshot);
            QCoreApplication::exit(saved ? 0 : kExitFailed);
        };
        QObject::connect(&session, &Orx2Gui::CScreenSession::shown, &app,
                         [save, afterStep](int number)
                         {
                             if (number == afterStep)
                                 save();
                         });
        QObject::connect(&session, &Orx2Gui::CScreenSession::idle, &app,
                         [&session, afterStep]
                         {
                             if (session.GetEngine().GetStepCount() < afterStep)
                             {
                                 Complain(QStringLiteral("the scenario has only %1 steps")
                                              .arg(session.GetEngine().GetStepCount()));
                                 QCoreApplication::exit(kExitBadInput);
                             }
                         });
    }
    session.Start();
    return QGuiApplication::exec();
}
