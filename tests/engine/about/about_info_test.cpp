#include "engine/about/about_info.h"

#include "engine/script/scripted_prompter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace kelvane::about {
namespace {

TEST(AboutInfoTest, CaptionTitleAndVersion) {
    EXPECT_EQ(applicationTitle(), u"Kelvane开关变压器设计程序");
    EXPECT_EQ(windowCaption(), u"关于 Kelvane开关变压器设计程序");
    // Whole numbers joined by points, after "版本" and one blank.
    const QString expected = QStringLiteral("版本 %1.%2.%3")
                                 .arg(KELVANE_VERSION_MAJOR)
                                 .arg(KELVANE_VERSION_MINOR)
                                 .arg(KELVANE_VERSION_PATCH);
    EXPECT_EQ(versionText(), expected);
    EXPECT_TRUE(
        versionText().contains(QRegularExpression(QStringLiteral("^版本 \\d+\\.\\d+\\.\\d+$"))));
    EXPECT_EQ(systemInformationUnavailableMessage(), u"此时系统信息不可用");
    // The design window's title carries the same version, after " v".
    EXPECT_TRUE(mainWindowTitle().contains(
        QRegularExpression(QStringLiteral("^Kelvane开关变压器设计程序 v\\d+\\.\\d+\\.\\d+$"))));
    EXPECT_TRUE(mainWindowTitle().endsWith(versionText().mid(3)));
}

TEST(AboutInfoTest, BrandLabelsShowTheHostOfTheWebAddress) {
    EXPECT_EQ(webSite(), u"https://kelvane.example/");
    EXPECT_EQ(webSiteHost(), u"kelvane.example");
}

// Writes an executable file `name` into `directory`.
void makeProgram(const QString& directory, const QString& name) {
    QFile file(QDir(directory).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(AboutInfoTest, FindsTheFirstCandidateInTheDirectories) {
    struct Row {
        const char* label;
        QStringList inFirst;
        QStringList inSecond;
        const char* expectedName;  // nullptr: none found
        int expectedDirectory;     // 1 or 2
    };
    // clang-format off
    const Row rows[] = {
        {"none", {}, {}, nullptr, 0},
        {"not a candidate", {QStringLiteral("top")}, {}, nullptr, 0},
        {"only one", {}, {QStringLiteral("gnome-system-monitor")}, "gnome-system-monitor", 2},
        // hardinfo is preferred to a monitor, wherever it lies.
        {"preference", {QStringLiteral("ksysguard")}, {QStringLiteral("hardinfo")}, "hardinfo", 2},
        {"first directory for the same program", {QStringLiteral("hardinfo")},
         {QStringLiteral("hardinfo")}, "hardinfo", 1},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        QTemporaryDir one;
        QTemporaryDir two;
        for (const QString& name : row.inFirst) {
            makeProgram(one.path(), name);
        }
        for (const QString& name : row.inSecond) {
            makeProgram(two.path(), name);
        }
        const std::optional<QString> found = systemInformationProgramIn({one.path(), two.path()});
        if (row.expectedName == nullptr) {
            EXPECT_FALSE(found.has_value());
            continue;
        }
        ASSERT_TRUE(found.has_value());
        const QString directory = row.expectedDirectory == 1 ? one.path() : two.path();
        EXPECT_EQ(*found, QDir(directory).filePath(QString::fromLatin1(row.expectedName)));
    }
}

TEST(AboutInfoTest, AFileThatIsNotExecutableIsNoProgram) {
    QTemporaryDir dir;
    QFile file(QDir(dir.path()).filePath(QStringLiteral("hardinfo")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(systemInformationProgramIn({dir.path()}).has_value());
    EXPECT_FALSE(systemInformationProgramIn({}).has_value());
}

TEST(AboutInfoTest, SystemInformationStartsOrSaysItIsUnavailable) {
    struct Row {
        const char* label;
        std::optional<QString> program;
        bool starts;
        bool expectStarted;
        int expectedAttempts;
    };
    // clang-format off
    const Row rows[] = {
        {"no program", std::nullopt, true, false, 0},
        {"program fails to start", QStringLiteral("/usr/bin/hardinfo"), false, false, 1},
        {"program starts", QStringLiteral("/usr/bin/hardinfo"), true, true, 1},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        script::ScriptedPrompter prompter;
        QStringList attempts;
        const bool started =
            startSystemInformation(prompter, row.program, [&](const QString& program) {
                attempts.append(program);
                return row.starts;
            });
        EXPECT_EQ(started, row.expectStarted);
        EXPECT_EQ(attempts.size(), row.expectedAttempts);
        if (row.expectedAttempts > 0) {
            EXPECT_EQ(attempts.first(), *row.program);
        }
        const QStringList expected =
            row.expectStarted ? QStringList{} : QStringList{QStringLiteral("此时系统信息不可用")};
        EXPECT_EQ(prompter.takeMessages(), expected);
    }
}

}  // namespace
}  // namespace kelvane::about
