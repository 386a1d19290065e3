#include "engine/about/about_window.h"

#include "engine/script/scripted_prompter.h"

#include <gtest/gtest.h>

#include <memory>

namespace kelvane::about {
namespace {

constexpr int kEnter = 13;

// How often a signal of the window was raised.
template <typename Signal>
std::shared_ptr<int> counter(AboutWindow& window, Signal signal) {
    auto count = std::make_shared<int>(0);
    QObject::connect(&window, signal, &window, [count] { ++*count; });
    return count;
}

TEST(AboutWindowTest, ClicksAndEnterDoWhatEachControlDoes) {
    struct Row {
        const char* control;
        bool enter;  // Enter with the focus on it instead of a click
        int close;
        int web;
        bool unavailable;  // the system information message
    };
    // clang-format off
    const Row rows[] = {
        {"cmdOK",          false, 1, 0, false},
        {"cmdOK",          true,  1, 0, false},
        {"cmdSysInfo",     false, 0, 0, true},
        {"cmdSysInfo",     true,  0, 0, true},
        {"picIcon",        false, 0, 1, false},
        {"lblTitle",       false, 0, 1, false},
        {"lblDisclaimer",  false, 0, 1, false},
        {"Label1",         false, 0, 1, false},
        {"LblBrand(0)",    false, 0, 1, false},
        {"LblBrand(1)",    false, 0, 1, false},
        {"lblVersion",     false, 0, 0, false},
        {"lblDescription", false, 0, 0, false},
        {"lblTitle",       true,  0, 0, false},  // Enter presses buttons only
    };
    // clang-format on
    for (const Row& row : rows) {
        const QString control = QString::fromLatin1(row.control);
        SCOPED_TRACE(row.control + std::string(row.enter ? " enter" : " click"));
        script::ScriptedPrompter prompter;
        AboutWindow window(prompter);
        window.setProgramLookup([] { return std::optional<QString>(); });
        const auto close = counter(window, &AboutWindow::closeRequested);
        const auto web = counter(window, &AboutWindow::webSiteRequested);
        if (row.enter) {
            window.keyDown(control, kEnter);
        } else {
            window.click(control);
        }
        EXPECT_EQ(*close, row.close);
        EXPECT_EQ(*web, row.web);
        const QStringList expected =
            row.unavailable ? QStringList{QStringLiteral("此时系统信息不可用")} : QStringList{};
        EXPECT_EQ(prompter.takeMessages(), expected);
    }
}

TEST(AboutWindowTest, SystemInformationThatDoesNotStartIsUnavailable) {
    script::ScriptedPrompter prompter;
    AboutWindow window(prompter);
    window.setProgramLookup(
        [] { return std::optional<QString>(QStringLiteral("/nonexistent/msinfo32")); });
    window.click(QStringLiteral("cmdSysInfo"));
    EXPECT_EQ(prompter.takeMessages(), QStringList{QStringLiteral("此时系统信息不可用")});
}

TEST(AboutWindowTest, FocusStartsOnOkAtEachLoading) {
    script::ScriptedPrompter prompter;
    AboutWindow window(prompter);
    EXPECT_EQ(window.focus(), u"cmdOK");
    window.focus(QStringLiteral("cmdSysInfo"));
    EXPECT_EQ(window.focus(), u"cmdSysInfo");
    window.click(QStringLiteral("cmdOK"));  // a click leaves the focus where it was
    EXPECT_EQ(window.focus(), u"cmdSysInfo");
    window.keyDown(QStringLiteral("cmdOK"), 65);  // a key first puts the focus in
    EXPECT_EQ(window.focus(), u"cmdOK");
    window.focus(QStringLiteral("cmdSysInfo"));
    window.load();
    EXPECT_EQ(window.focus(), u"cmdOK");
}

}  // namespace
}  // namespace kelvane::about
