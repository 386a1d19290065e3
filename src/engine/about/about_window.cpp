#include "engine/about/about_window.h"

#include "engine/base/key_codes.h"

namespace kelvane::about {
namespace {

const QString kOk = QStringLiteral("cmdOK");
const QString kSystemInformation = QStringLiteral("cmdSysInfo");

}  // namespace

AboutWindow::AboutWindow(Prompter& prompter, QObject* parent)
    : QObject(parent),
      m_prompter(prompter),
      m_focus(kOk),
      m_programLookup(systemInformationProgram) {}

const QStringList& AboutWindow::controlNames() {
    static const QStringList names = {QStringLiteral("picIcon"),
                                      QStringLiteral("lblTitle"),
                                      QStringLiteral("lblVersion"),
                                      QStringLiteral("lblDescription"),
                                      QStringLiteral("lblDisclaimer"),
                                      QStringLiteral("Label1"),
                                      QStringLiteral("LblBrand(0)"),
                                      QStringLiteral("LblBrand(1)"),
                                      kOk,
                                      kSystemInformation};
    return names;
}

bool AboutWindow::isControl(const QString& name) {
    return controlNames().contains(name);
}

bool AboutWindow::opensWebSite(const QString& name) {
    return name == u"picIcon" || name == u"lblTitle" || name == u"lblDisclaimer" ||
           name == u"Label1" || name == u"LblBrand(0)" || name == u"LblBrand(1)";
}

void AboutWindow::load() {
    m_focus = kOk;
}

void AboutWindow::focus(const QString& control) {
    m_focus = control;
}

void AboutWindow::keyDown(const QString& control, int keyCode) {
    focus(control);
    if (keyCode == kEnterKey && (control == kOk || control == kSystemInformation)) {
        click(control);
    }
}

void AboutWindow::click(const QString& control) {
    if (control == kOk) {
        Q_EMIT closeRequested();
    } else if (control == kSystemInformation) {
        startSystemInformation(m_prompter, m_programLookup());
    } else if (opensWebSite(control)) {
        Q_EMIT webSiteRequested();
    }
}

void AboutWindow::setProgramLookup(std::function<std::optional<QString>()> lookup) {
    m_programLookup = std::move(lookup);
}

}  // namespace kelvane::about
