#include "engine/about/about_info.h"

#include "engine/base/prompter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace kelvane::about {
namespace {

std::optional<QString> findCandidate(const QStringList& directories) {
    for (const QString& candidate : systemInformationCandidates()) {
        const QString path = QStandardPaths::findExecutable(candidate, directories);
        if (!path.isEmpty()) {
            return path;
        }
    }
    return std::nullopt;
}

#ifdef Q_OS_WIN
std::optional<QString> registryProgram() {
    const QSettings msinfo(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
        QSettings::NativeFormat);
    const QString path = msinfo.value(QStringLiteral("PATH")).toString();
    if (!path.isEmpty()) {
        return path;
    }
    const QSettings location(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location"),
        QSettings::NativeFormat);
    const QString directory = location.value(QStringLiteral("MSINFO")).toString();
    if (!directory.isEmpty()) {
        const QString program = directory + QStringLiteral("\\MSINFO32.EXE");
        if (QFileInfo::exists(program)) {
            return program;
        }
    }
    return std::nullopt;
}
#endif

}  // namespace

QString applicationTitle() {
    return QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "Kelvane开关变压器设计程序"));
}

QString windowCaption() {
    return QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "关于 ")) + applicationTitle();
}

QString versionNumber() {
    return QStringLiteral("%1.%2.%3")
        .arg(KELVANE_VERSION_MAJOR)
        .arg(KELVANE_VERSION_MINOR)
        .arg(KELVANE_VERSION_PATCH);
}

QString versionText() {
    return QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "版本 ")) + versionNumber();
}

QString mainWindowTitle() {
    return applicationTitle() + QStringLiteral(" v") + versionNumber();
}

QString descriptionText() {
    return QStringLiteral(QT_TRANSLATE_NOOP(
        "kelvane::messages",
        "用于开关电源高频变压器（反激储能、正激及RCC）的设计：由输出与输入条件推算原边电流与电感，"
        "按面积乘积选择磁芯，计算磁芯损耗、各绕组匝数、线径、铜损、占积率、气隙及温升。"
        "另附导线换算程序，用于漆包线、Litz线、铜箔及趋表效应的换算。"));
}

QString disclaimerText() {
    return QStringLiteral(
        QT_TRANSLATE_NOOP("kelvane::messages",
                          "注意：本程序的计算结果仅供设计参考，所用公式均为工程近似。"
                          "变压器的性能与安全须经样品测试与相关安规标准验证。"));
}

QString footerText() {
    return QStringLiteral(
        QT_TRANSLATE_NOOP("kelvane::messages", "更新与技术支持，请访问我们的网站："));
}

QString webSite() {
    return QStringLiteral("https://kelvane.example/");
}

QString webSiteHost() {
    return QUrl(webSite()).host();
}

QString systemInformationUnavailableMessage() {
    return QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "此时系统信息不可用"));
}

const QStringList& systemInformationCandidates() {
    // Hardware and system summaries first, task monitors as a fallback.
    static const QStringList candidates = {QStringLiteral("hardinfo2"),
                                           QStringLiteral("hardinfo"),
                                           QStringLiteral("kinfocenter"),
                                           QStringLiteral("gnome-system-monitor"),
                                           QStringLiteral("plasma-systemmonitor"),
                                           QStringLiteral("ksysguard"),
                                           QStringLiteral("mate-system-monitor"),
                                           QStringLiteral("xfce4-taskmanager")};
    return candidates;
}

std::optional<QString> systemInformationProgram() {
#ifdef Q_OS_WIN
    return registryProgram();
#else
    return findCandidate(QStringList());  // no directories: the PATH
#endif
}

std::optional<QString> systemInformationProgramIn(const QStringList& directories) {
    if (directories.isEmpty()) {
        return std::nullopt;  // an empty list would mean the PATH
    }
    return findCandidate(directories);
}

bool startSystemInformation(Prompter& prompter, const std::optional<QString>& program,
                            const ProgramStarter& start) {
    if (program) {
        const bool started =
            start ? start(*program) : QProcess::startDetached(*program, QStringList());
        if (started) {
            return true;
        }
    }
    prompter.message(systemInformationUnavailableMessage(), windowCaption());
    return false;
}

}  // namespace kelvane::about
