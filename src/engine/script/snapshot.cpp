#include "engine/script/snapshot.h"

#include "engine/session/design_session.h"
#include "engine/wire/wire_calculator.h"

#include <QJsonArray>

#include <algorithm>

namespace kelvane::script {
namespace {

using sheet::Check;
using sheet::DesignSheet;
using sheet::Field;

QJsonArray gridRows(const sheet::Grid& grid) {
    QJsonArray rows;
    for (const QStringList& row : grid.rows) {
        rows.append(QJsonArray::fromStringList(row));
    }
    return rows;
}

}  // namespace

QJsonValue checkJson(const std::optional<check::CheckResult>& result) {
    if (!result) {
        return QJsonValue();
    }
    QJsonArray items;
    for (const check::CheckItem& item : result->items) {
        items.append(QJsonArray{item.id, item.valueText, check::verdictName(item.verdict)});
    }
    return QJsonObject{{QStringLiteral("summary"), check::verdictName(result->summary)},
                       {QStringLiteral("items"), items}};
}

QStringList snapshotEnabledControls() {
    return {QStringLiteral("Check1"),   QStringLiteral("Command3"), QStringLiteral("Command4"),
            QStringLiteral("Command5"), QStringLiteral("Command6"), QStringLiteral("Command7"),
            QStringLiteral("Command8"), QStringLiteral("TxtApp")};
}

QJsonObject engineSnapshot(const session::DesignSession& window) {
    const DesignSheet& sheet = window.sheet();
    QJsonObject fields;
    for (int i = 0; i < sheet::kFieldCount; ++i) {
        fields.insert(sheet::fieldName(Field(i)), sheet.text(Field(i)));
    }
    for (const QString& name : wire::WireCalculator::fieldNames()) {
        fields.insert(session::prefixed(session::Window::WireTools, name),
                      window.wireTools().text(name));
    }
    QJsonObject checked;
    for (int i = 0; i < sheet::kCheckCount; ++i) {
        const Check check = Check(i);
        if (check == Check::Check1) {
            checked.insert(sheet::checkName(check), sheet.checkValue(check));
        } else {
            checked.insert(sheet::checkName(check), sheet.isChecked(check));
        }
    }
    QJsonObject enabled;
    for (const QString& control : snapshotEnabledControls()) {
        enabled.insert(control, sheet.isEnabled(control));
    }
    const std::optional<int> fillColor = sheet.color(Field::TxtKwin);
    QJsonObject snapshot;
    snapshot.insert(QStringLiteral("fields"), fields);
    snapshot.insert(QStringLiteral("checked"), checked);
    snapshot.insert(QStringLiteral("MS"), gridRows(sheet.grid(sheet::Table::MS)));
    snapshot.insert(QStringLiteral("MSwin"), gridRows(sheet.grid(sheet::Table::MSwin)));
    snapshot.insert(QStringLiteral("AreaProductText"), sheet.areaProductText());
    QJsonArray advice;
    const advice::Advice& rows = window.advice();
    for (qsizetype i = 0; i < std::min<qsizetype>(rows.size(), 20); ++i) {
        advice.append(
            QJsonArray::fromStringList(rows.texts(rows[i]).mid(0, advice::kScriptColumnCount)));
    }
    snapshot.insert(QStringLiteral("advice"), advice);
    const catalogue::DataSource& materials = window.catalogue().materials();
    const catalogue::DataSource& cores = window.catalogue().cores();
    snapshot.insert(QStringLiteral("Data1"),
                    QJsonObject{{QStringLiteral("recordSource"), materials.recordSource()},
                                {QStringLiteral("count"), materials.count()},
                                {QStringLiteral("position"), materials.position()}});
    snapshot.insert(QStringLiteral("Data2"),
                    QJsonObject{{QStringLiteral("recordSource"), cores.recordSource()},
                                {QStringLiteral("caption"), sheet.caption(QStringLiteral("Data2"))},
                                {QStringLiteral("count"), cores.count()},
                                {QStringLiteral("position"), cores.position()}});
    snapshot.insert(QStringLiteral("colors"),
                    QJsonObject{{QStringLiteral("TxtKwin"),
                                 fillColor ? QJsonValue(*fillColor) : QJsonValue()}});
    snapshot.insert(
        QStringLiteral("captions"),
        QJsonObject{{QStringLiteral("Check1"), sheet.caption(QStringLiteral("Check1"))}});
    snapshot.insert(QStringLiteral("enabled"), enabled);
    snapshot.insert(
        QStringLiteral("visible"),
        QJsonObject{{QStringLiteral("Frmele"), sheet.isVisible(QStringLiteral("Frmele"))}});
    snapshot.insert(QStringLiteral("page"), sheet.page());
    snapshot.insert(QStringLiteral("results_stale"), window.resultsStale());
    snapshot.insert(QStringLiteral("check"), checkJson(window.lastCheck()));
    snapshot.insert(QStringLiteral("focus"), window.focusedControl());
    QJsonObject windows;
    for (const session::Window secondary : session::kSecondaryWindows) {
        windows.insert(session::windowName(secondary), window.windows().isOpen(secondary));
    }
    snapshot.insert(QStringLiteral("windows"), windows);
    return snapshot;
}

}  // namespace kelvane::script
