#pragma once

#include <QString>
#include <QVector>

#include <optional>

namespace kelvane::session {

// The program's windows: the design window FrmFanji, the wire calculator
// FrmWireTools and the About window frmAbout.
enum class Window { Design, WireTools, About };

// The secondary windows, which open and close.
inline constexpr Window kSecondaryWindows[] = {Window::WireTools, Window::About};

// The window's form name ("FrmWireTools"), as scripts and snapshots spell it.
[[nodiscard]] QString windowName(Window window);
// A secondary window's controls are named with its form name and a dot
// ("FrmWireTools.TxtFoilS"); the design window's controls have no prefix.
[[nodiscard]] QString controlPrefix(Window window);
// The window a control belongs to by its prefix.
[[nodiscard]] Window windowOf(const QString& control);
// The control's name within its window: the prefix taken off.
[[nodiscard]] QString nameInWindow(const QString& control);
// The name of `control` of `window` with the window's prefix.
[[nodiscard]] QString prefixed(Window window, const QString& control);
// The control's name within `window`, or no value when it belongs to
// another window.
[[nodiscard]] std::optional<QString> controlOf(Window window, const QString& control);

// Which windows are open and which one the engineer acted in last. The
// design window is open until the program ends; once it has ended, nothing
// opens or closes any more and the window acted in stays as it was.
class WindowTracker {
public:
    [[nodiscard]] bool isOpen(Window window) const;
    // A secondary window was opened, or closed by its own frame or button.
    void setOpen(Window window, bool open);
    // The engineer acts in a window: a command aimed at one of its
    // controls, or a menu item of its menu.
    void actIn(Window window);
    // The window acted in last that is still open (the design window when
    // there is none).
    [[nodiscard]] Window acted() const;
    // The wire calculator's OP: every window is closed from then on.
    void endProgram();
    [[nodiscard]] bool hasEnded() const { return m_ended; }

private:
    QVector<Window> m_open;
    // The secondary windows acted in, the latest last.
    QVector<Window> m_acted;
    bool m_ended = false;
};

}  // namespace kelvane::session
