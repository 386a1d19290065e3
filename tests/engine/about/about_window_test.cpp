#include "engine/about/about_window.h"

#include "../table_rows.h"
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
    for (const tables::TableRow& row : tables::tableRows("about_controls.tsv")) {
        SCOPED_TRACE(row.trace());
        ASSERT_GE(row.columns.size(), 5);
        const QString& control = row.columns[0];
        script::ScriptedPrompter prompter;
        AboutWindow window(prompter);
        window.setProgramLookup([] { return std::optional<QString>(); });
        const auto close = counter(window, &AboutWindow::closeRequested);
        const auto web = counter(window, &AboutWindow::webSiteRequested);
        if (row.columns[1] == u"enter") {
            window.keyDown(control, kEnter);
        } else {
            window.click(control);
        }
        EXPECT_EQ(*close, row.columns[2].toInt());
        EXPECT_EQ(*web, row.columns[3].toInt());
        const QStringList expected = row.columns[4] == u"yes"
                                         ? QStringList{QStringLiteral("此时系统信息不可用")}
                                         : QStringList{};
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
