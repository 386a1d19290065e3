#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    // The engineer's environment may ask for a German locale, and
    // QCoreApplication then sets the C library's locale from it: every test
    // runs that way, with a comma as decimal separator.
    qputenv("LOCPATH", KELVANE_TEST_LOCALES);
    qputenv("LC_ALL", KELVANE_TEST_LOCALE);
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
