#include <gtest/gtest.h>

#include <QGuiApplication>

// Fonts and painting need the GUI application; the tests run offscreen.
int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
