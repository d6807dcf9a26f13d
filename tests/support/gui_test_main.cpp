// GoogleTest entry point with a widget application, for tests that drive windows on Qt's
// offscreen platform.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Also when the build lists the tests, which happens outside CTest's environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
