#include "engine/session/windows.h"

namespace kelvane::session {

QString windowName(Window window) {
    switch (window) {
        case Window::WireTools:
            return QStringLiteral("FrmWireTools");
        case Window::About:
            return QStringLiteral("frmAbout");
        case Window::Design:
            break;
    }
    return QStringLiteral("FrmFanji");
}

QString controlPrefix(Window window) {
    return window == Window::Design ? QString() : windowName(window) + u'.';
}

Window windowOf(const QString& control) {
    for (const Window window : kSecondaryWindows) {
        if (control.startsWith(controlPrefix(window))) {
            return window;
        }
    }
    return Window::Design;
}

QString nameInWindow(const QString& control) {
    return control.mid(controlPrefix(windowOf(control)).size());
}

QString prefixed(Window window, const QString& control) {
    return controlPrefix(window) + control;
}

std::optional<QString> controlOf(Window window, const QString& control) {
    if (windowOf(control) != window) {
        return std::nullopt;
    }
    return nameInWindow(control);
}

bool WindowTracker::isOpen(Window window) const {
    if (window == Window::Design) {
        return !m_ended;
    }
    return m_open.contains(window);
}

void WindowTracker::setOpen(Window window, bool open) {
    if (m_ended) {
        return;
    }
    m_open.removeAll(window);
    if (open) {
        m_open.append(window);
    } else {
        // A closed window hands the focus back to the one acted in before.
        m_acted.removeAll(window);
    }
}

void WindowTracker::actIn(Window window) {
    if (m_ended) {
        return;
    }
    m_acted.removeAll(window);
    if (window != Window::Design) {
        m_acted.append(window);
    } else {
        m_acted.clear();  // the design window is on top again
    }
}

Window WindowTracker::acted() const {
    return m_acted.isEmpty() ? Window::Design : m_acted.last();
}

void WindowTracker::endProgram() {
    m_open.clear();
    m_ended = true;
}

}  // namespace kelvane::session
