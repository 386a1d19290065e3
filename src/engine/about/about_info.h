#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kelvane {
class Prompter;
}

// The texts of the About window and the system information program it can
// start.
namespace kelvane::about {

// "Kelvane开关变压器设计程序".
[[nodiscard]] QString applicationTitle();
// "关于 " followed by the application title.
[[nodiscard]] QString windowCaption();
// major.minor.patch of this build, each a whole number ("0.1.0").
[[nodiscard]] QString versionNumber();
// "版本 " followed by the version number ("版本 0.1.0").
[[nodiscard]] QString versionText();
// The design window's title: the application title, " v" and the version
// number.
[[nodiscard]] QString mainWindowTitle();
[[nodiscard]] QString descriptionText();
[[nodiscard]] QString disclaimerText();
// The further line under the notice, which leads to the web address of the
// brand labels below it.
[[nodiscard]] QString footerText();
// The web address the brand labels open, and its host name, which they show.
[[nodiscard]] QString webSite();
[[nodiscard]] QString webSiteHost();

// The message shown when no system information program can be started.
[[nodiscard]] QString systemInformationUnavailableMessage();

// The programs looked for, in order of preference, on systems without the
// Windows system information tool.
[[nodiscard]] const QStringList& systemInformationCandidates();

// systemInformationProgram() — the full path of the system information
// program: on Windows the one the registry names (MSINFO's PATH value, else
// MSINFO32.EXE in the "Shared Tools Location"), elsewhere the first of
// systemInformationCandidates() found on PATH. No value when there is none.
[[nodiscard]] std::optional<QString> systemInformationProgram();

// As above, but looking only in `directories`, in order, for the first
// candidate (the candidate order wins over the directory order).
[[nodiscard]] std::optional<QString> systemInformationProgramIn(const QStringList& directories);

// startSystemInformation() — the About window's system information button:
// starts `program` with `start` (by default a detached process) and returns
// true; when there is no program or it does not start, shows
// systemInformationUnavailableMessage() through the prompter and returns
// false.
using ProgramStarter = std::function<bool(const QString& program)>;
bool startSystemInformation(Prompter& prompter, const std::optional<QString>& program,
                            const ProgramStarter& start = {});

}  // namespace kelvane::about
