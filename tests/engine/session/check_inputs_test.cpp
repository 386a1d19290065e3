#include "engine/session/check_inputs.h"

#include <gtest/gtest.h>

namespace kelvane::session {
namespace {

TEST(CheckInputs, TellWhatATypedTextChanged) {
    CheckInputs inputs;
    EXPECT_EQ(inputs.set(QStringLiteral("rating"), QStringLiteral("800")),
              CheckInputs::Set::Changed);
    EXPECT_EQ(inputs.set(QStringLiteral("rating"), QStringLiteral("800")),
              CheckInputs::Set::Unchanged);
    EXPECT_EQ(inputs.checkSettings().switchRatingV, QStringLiteral("800"));
    EXPECT_EQ(inputs.set(QStringLiteral("start(1)"), QStringLiteral("9")),
              CheckInputs::Set::Changed);
    EXPECT_EQ(inputs.value(QStringLiteral("start(1)")), QStringLiteral("9"));
    // An empty text is the default again: nothing kept for the pin.
    EXPECT_EQ(inputs.set(QStringLiteral("start(1)"), QString()), CheckInputs::Set::Changed);
    EXPECT_TRUE(inputs.constructionInputs().isEmpty());
    for (const char* name : {"Rating", "start", "txtudc", ""}) {
        EXPECT_EQ(inputs.set(QString::fromLatin1(name), QStringLiteral("1")),
                  CheckInputs::Set::NotAnInput)
            << name;
        EXPECT_FALSE(CheckInputs::isName(QString::fromLatin1(name))) << name;
    }
}

// Opening a file: its inputs replace every one, those it lacks go back to
// their defaults, and the same file again changes nothing.
TEST(CheckInputs, AFilesInputsReplaceAllOfThem) {
    CheckInputs inputs;
    inputs.set(QStringLiteral("rating"), QStringLiteral("800"));
    inputs.set(QStringLiteral("start(1)"), QStringLiteral("9"));
    const FileInputs file{{QStringLiteral("265")},
                          {{QStringLiteral("kind(2)"), QStringLiteral("三层绝缘线")}}};
    EXPECT_TRUE(inputs.load(file));
    EXPECT_EQ(inputs.value(QStringLiteral("vacmax")), QStringLiteral("265"));
    EXPECT_EQ(inputs.value(QStringLiteral("rating")), QString());
    EXPECT_EQ(inputs.value(QStringLiteral("start(1)")), QString());
    EXPECT_EQ(inputs.constructionInputs().keys(), QStringList{QStringLiteral("kind(2)")});
    EXPECT_FALSE(inputs.load(file));
    const FileInputs saved = inputs.fileInputs();
    EXPECT_EQ(saved.check, (QStringList{QStringLiteral("265"), QString(), QString(), QString()}));
    EXPECT_EQ(saved.construction, file.construction);
}

TEST(CheckInputs, ReadAsTheConstructionChoices) {
    CheckInputs inputs;
    inputs.set(QStringLiteral("start(0)"), QStringLiteral("1"));
    inputs.set(QStringLiteral("finish(0)"), QStringLiteral("3"));
    inputs.set(QStringLiteral("tap(12)"), QStringLiteral("7"));
    inputs.set(QStringLiteral("wire(12)"), QStringLiteral("利兹线"));
    inputs.set(QStringLiteral("lptestf"), QStringLiteral("10"));
    const construction::ConstructionSettings settings = inputs.constructionSettings();
    ASSERT_EQ(settings.windings.count(0) + settings.windings.count(12), 2U);
    EXPECT_EQ(settings.testFrequencyKHz, QStringLiteral("10"));
    EXPECT_EQ(settings.testVoltageV, QString());
    EXPECT_EQ(settings.windings.at(0).startPin, QStringLiteral("1"));
    EXPECT_EQ(settings.windings.at(0).finishPin, QStringLiteral("3"));
    EXPECT_EQ(settings.windings.at(12).tapPin, QStringLiteral("7"));
    EXPECT_EQ(settings.windings.at(12).wire, QStringLiteral("利兹线"));
    EXPECT_EQ(settings.windings.size(), 2U);
}

}  // namespace
}  // namespace kelvane::session
