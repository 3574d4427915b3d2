// The screen's tests run on the main thread of a QGuiApplication, headless, with the software scene graph
// and the screen's font: the same pixels as the program's screenshots.
#include "cscreensession.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // listing the tests needs no display either
    Orx2Gui::PrepareGraphics();
    QGuiApplication application(argc, argv);
    Orx2Gui::UseScreenFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
