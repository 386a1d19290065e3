#include "engine/session/windows.h"

#include <gtest/gtest.h>

namespace kelvane::session {
namespace {

struct PrefixCase {
    const char* control;
    Window window;
    const char* name;
};

class WindowPrefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(WindowPrefix, NamesTheWindowAndTheControlInIt) {
    const QString control = QString::fromUtf8(GetParam().control);
    EXPECT_EQ(windowOf(control), GetParam().window);
    EXPECT_EQ(nameInWindow(control), QString::fromUtf8(GetParam().name));
    EXPECT_EQ(prefixed(GetParam().window, nameInWindow(control)), control);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Controls, WindowPrefix, ::testing::Values(
    PrefixCase{"FrmWireTools.TxtF", Window::WireTools, "TxtF"},
    PrefixCase{"frmAbout.cmdOK", Window::About, "cmdOK"},
    PrefixCase{"TxtF", Window::Design, "TxtF"},
    PrefixCase{"FrmWireToolsTxtF", Window::Design, "FrmWireToolsTxtF"},     // no dot: no prefix
    PrefixCase{"frmwiretools.TxtF", Window::Design, "frmwiretools.TxtF"},   // names keep their case
    PrefixCase{"FrmFanji.TxtF", Window::Design, "FrmFanji.TxtF"}));         // the design window has none
// clang-format on

TEST(WindowTracker, ClosingHandsTheFocusBackAndTheEndIsFinal) {
    WindowTracker windows;
    EXPECT_TRUE(windows.isOpen(Window::Design));
    EXPECT_FALSE(windows.isOpen(Window::WireTools));
    windows.setOpen(Window::WireTools, true);
    windows.setOpen(Window::About, true);
    windows.actIn(Window::WireTools);
    windows.actIn(Window::About);
    windows.setOpen(Window::About, false);
    EXPECT_EQ(windows.acted(), Window::WireTools);
    windows.endProgram();
    windows.setOpen(Window::About, true);
    windows.actIn(Window::Design);
    EXPECT_FALSE(windows.isOpen(Window::About));
    EXPECT_FALSE(windows.isOpen(Window::Design));
    EXPECT_EQ(windows.acted(), Window::WireTools);
}

}  // namespace
}  // namespace kelvane::session
