#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // no screen needed, none disturbed
    }
    QApplication app(argc, argv);
    // A test closes windows; the program it tests is not meant to end there.
    QApplication::setQuitOnLastWindowClosed(false);
    // The recent files of a test never reach the engineer's settings.
    QApplication::setOrganizationName(QStringLiteral("KelvaneTests"));
    QApplication::setApplicationName(QStringLiteral("KelvaneGuiTests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
