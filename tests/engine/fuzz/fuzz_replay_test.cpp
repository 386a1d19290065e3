#include "fuzz_checks.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace kelvane::fuzz {
namespace {

// Every seed and every input that ever made a fuzzer fail runs through its
// check again, so a fixed fault stays fixed in builds without libFuzzer.
class FuzzReplayTest : public ::testing::TestWithParam<const char*> {};

TEST_P(FuzzReplayTest, EveryCorpusFileAndReproducerHoldsItsProperties) {
    const QString name = QString::fromLatin1(GetParam());
    const Check check = checkNamed(name);
    ASSERT_NE(check, nullptr);
    int replayed = 0;
    for (const char* folder : {"corpus", "regressions"}) {
        const QDir dir(QStringLiteral(KELVANE_FUZZ_DIR "/%1/%2").arg(QLatin1String(folder), name));
        for (const QString& file : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
            QFile input(dir.filePath(file));
            ASSERT_TRUE(input.open(QIODevice::ReadOnly)) << qPrintable(input.fileName());
            EXPECT_EQ(check(input.readAll()).toStdString(), "") << qPrintable(input.fileName());
            ++replayed;
        }
    }
    // The seeds are the fuzzer's starting points; an empty corpus is a
    // broken checkout, not a pass.
    EXPECT_GE(replayed, 5);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplayTest,
                         ::testing::Values("design_file", "number_text", "csv_import",
                                           "design_script", "check_input"));

}  // namespace
}  // namespace kelvane::fuzz
