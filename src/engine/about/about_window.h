#pragma once

#include "engine/about/about_info.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kelvane {
class Prompter;
}

namespace kelvane::about {

// The behaviour of the About window frmAbout without its pixels: which
// control has the focus, the OK button that unloads the window, the system
// information button and the labels that lead to the web site. The window
// and the design scripts call the same verbs (focus, keyDown, click).
class AboutWindow : public QObject {
    Q_OBJECT

public:
    explicit AboutWindow(Prompter& prompter, QObject* parent = nullptr);

    // picIcon, lblTitle, lblVersion, lblDescription, lblDisclaimer, Label1,
    // LblBrand(0), LblBrand(1), cmdOK, cmdSysInfo.
    [[nodiscard]] static const QStringList& controlNames();
    [[nodiscard]] static bool isControl(const QString& name);
    // The controls whose click asks for the web site.
    [[nodiscard]] static bool opensWebSite(const QString& name);

    // The loading steps of each opening: the focus starts on cmdOK.
    void load();

    // The control that has the focus in this window.
    [[nodiscard]] const QString& focus() const { return m_focus; }
    void focus(const QString& control);
    // Key-down with the focus first put in the control; Enter presses a
    // button.
    void keyDown(const QString& control, int keyCode);
    void click(const QString& control);

    // Where cmdSysInfo looks for the system information program; by default
    // systemInformationProgram(). A design script finds none, so its result
    // never depends on the machine it runs on.
    void setProgramLookup(std::function<std::optional<QString>()> lookup);

Q_SIGNALS:
    // cmdOK: the window unloads.
    void closeRequested();
    void webSiteRequested();

private:
    Prompter& m_prompter;
    QString m_focus;
    std::function<std::optional<QString>()> m_programLookup;
};

}  // namespace kelvane::about
