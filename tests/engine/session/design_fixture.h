#pragma once

#include "engine/base/key_codes.h"
#include "engine/script/scripted_prompter.h"
#include "engine/session/design_session.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace kelvane::session {

// An opened design window driven by control names, as a design script does.
class DesignFixture : public ::testing::Test {
protected:
    DesignFixture() : window(prompter, copyOfTestCatalogue(), QStringLiteral("/pictures")) {
        window.open();
    }

    // Each test works on its own copy of the fixture catalogue.
    QString copyOfTestCatalogue() {
        const QString path = directory.filePath(QStringLiteral("fixture.db"));
        QFile::copy(QStringLiteral(KELVANE_TEST_CATALOGUE), path);
        return path;
    }

    void type(const char* field, const QString& text) {
        window.type(*sheet::fieldByName(field), text);
    }
    void click(const char* control) { window.click(named(control)); }
    void enter(const char* control) { window.keyDown(named(control), kEnterKey); }
    // The control a script would name so; an unknown name fails the test.
    static sheet::Control named(const char* control) {
        const std::optional<sheet::Control> known =
            sheet::controlByName(QString::fromLatin1(control));
        EXPECT_TRUE(known.has_value()) << control;
        return known.value_or(sheet::Control{});
    }
    [[nodiscard]] QString text(const char* field) const {
        return window.sheet().text(*sheet::fieldByName(field));
    }
    [[nodiscard]] QStringList row(int r) const {
        return window.sheet().grid(sheet::Table::MS).rows[r];
    }
    [[nodiscard]] bool checked(const char* check) const {
        return window.sheet().isChecked(*sheet::checkByName(check));
    }
    void addOutput(const QString& volts, const QString& amps) {
        type("txtuoutput", volts);
        type("TxtIoutput", amps);
        click("Command1");
    }

    QTemporaryDir directory;
    script::ScriptedPrompter prompter;
    DesignSession window;
};

}  // namespace kelvane::session
