#include "engine/catalogue/material_maintenance.h"

#include "engine/base/number_text.h"
#include "engine/base/prompter.h"
#include "engine/catalogue/catalogue.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/sheet/design_sheet.h"

#include <QCoreApplication>
#include <QHash>
#include <QVariant>

#include <cmath>

namespace kelvane::catalogue {
namespace {

// Equal but for the case of A to Z: SQLite's LIKE, which the searches use,
// folds no other letters.
bool sameIgnoringCase(const QString& a, const QString& b) {
    if (a.size() != b.size()) {
        return false;
    }
    const auto fold = [](QChar c) {
        return c >= u'a' && c <= u'z' ? QChar(c.unicode() - u'a' + u'A') : c;
    };
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

// The value a text stores in a number column: a finite strict number,
// "&H" and "&O" integers included. No value for any other text.
std::optional<double> storableNumber(const QString& text) {
    if (!isStrictNumber(text)) {
        return std::nullopt;
    }
    const double value = parseNumber(text);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

MaterialMaintenance::MaterialMaintenance(sheet::DesignSheet& sheet, Catalogue& catalogue,
                                         Prompter& prompter)
    : m_sheet(sheet), m_catalogue(catalogue), m_prompter(prompter) {
    m_catalogue.materials().setLeaveGuard([this] { return leaveRow(); });
}

MaterialMaintenance::~MaterialMaintenance() {
    m_catalogue.materials().setLeaveGuard({});
}

void MaterialMaintenance::setStates(std::optional<bool> fields, std::optional<bool> modify,
                                    std::optional<bool> remove, std::optional<bool> save,
                                    std::optional<bool> cancel, std::optional<bool> find,
                                    std::optional<bool> add) {
    const std::pair<const char*, std::optional<bool>> states[] = {
        {"TxtApp", fields},   {"Command3", modify}, {"Command4", remove}, {"Command5", save},
        {"Command6", cancel}, {"Command7", find},   {"Command8", add}};
    for (const auto& [control, enabled] : states) {
        if (enabled) {
            m_sheet.setEnabled(QString::fromLatin1(control), *enabled);
        }
    }
}

bool MaterialMaintenance::isEditing() const {
    return m_sheet.isEnabled(QStringLiteral("Command5"));
}

void MaterialMaintenance::modify() {
    setStates(true, std::nullopt, false, true, true, false, false);
}

void MaterialMaintenance::add() {
    m_newRow = true;
    // A new row starts empty: each emptied field runs the material rules.
    for (int index = 0; index < sheet::kMaterialFieldCount; ++index) {
        m_sheet.setText(sheet::materialField(index), QString());
    }
    setStates(true, false, false, true, true, std::nullopt, false);
    m_sheet.setFocus(sheet::fieldName(sheet::materialField(sheet::MaterialColumn::Application)));
}

void MaterialMaintenance::save() {
    if (!writeFields()) {
        return;  // refused: the edit stays pending and the fields open
    }
    m_newRow = false;
    setStates(false, true, true, false, false, true, true);
    // The fields show what was stored ("&H10" as 16).
    m_catalogue.materials().reread();
    m_sheet.setFocus(QStringLiteral("Command7"));
}

void MaterialMaintenance::cancel() {
    m_newRow = false;
    m_catalogue.materials().reread();
    setStates(true, false, true, false, std::nullopt, true, true);
}

void MaterialMaintenance::deleteRecord() {
    if (!m_prompter.question(
            QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "确定删除记录吗?")),
            QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "删除记录")))) {
        return;
    }
    if (const Result<void> deleted = m_catalogue.materials().deleteCurrent(); !deleted) {
        m_prompter.message(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "删除失败：")) +
                               deleted.failure().text,
                           QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "删除记录")));
        return;
    }
    setStates(std::nullopt, std::nullopt, std::nullopt, std::nullopt, true, std::nullopt,
              std::nullopt);
}

void MaterialMaintenance::find() {
    const std::optional<QString> answer =
        m_prompter.input(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "请输入胶带型号")),
                         QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "按型号搜索")));
    if (!answer || answer->isEmpty()) {
        return;
    }
    DataSource& materials = m_catalogue.materials();
    const int typeColumn = int(materials.columns().indexOf(QStringLiteral("Type")));
    for (int row = 0; row < materials.count(); ++row) {
        if (sameIgnoringCase(materials.cellText(row, typeColumn), *answer)) {
            // While a row is added the fields show it, not the record that
            // stays current: finding that record moves to it as well.
            const bool shownByTheNewRow = m_newRow && row + 1 == materials.position();
            if (!shownByTheNewRow || leaveRow()) {
                materials.moveTo(row + 1);
            }
            return;
        }
    }
    m_prompter.message(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "没有相应的型号")),
                       QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "信息")));
}

bool MaterialMaintenance::leaveRow() {
    if (!isEditing()) {
        return true;
    }
    if (!writeFields()) {
        return false;
    }
    m_newRow = false;
    return true;
}

bool MaterialMaintenance::writeFields() {
    DataSource& materials = m_catalogue.materials();
    if (!m_newRow && materials.position() == 0) {
        return true;  // an empty record set: no row to write into
    }
    const QVector<Column>& columns = materialColumns();
    QHash<QString, QVariant> values;
    for (int index = 0; index < sheet::kMaterialFieldCount; ++index) {
        const QString column = materialColumnOfField(index);
        if (!materials.hasColumn(column)) {
            continue;  // a catalogue without this column keeps no value for it
        }
        const QString& text = m_sheet.text(sheet::materialField(index));
        const std::optional<Column> definition = findColumn(columns, column);
        if (text.isEmpty()) {
            values.insert(column, QVariant());
        } else if (definition && definition->type == ColumnType::Number) {
            const std::optional<double> value = storableNumber(text);
            if (!value) {
                m_prompter.message(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages",
                                                                    "保存失败：“%1”不是数字（%2）"))
                                       .arg(text, column),
                                   QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "保存")));
                return false;
            }
            values.insert(column, *value);
        } else {
            values.insert(column, text);
        }
    }
    const std::optional<qint64> row =
        m_newRow ? std::nullopt : std::optional<qint64>(materials.currentRowid());
    if (const Result<void> written = materials.writeRecord(row, values); !written) {
        m_prompter.message(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "保存失败：")) +
                               written.failure().text,
                           QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "保存")));
        return false;
    }
    return true;
}

}  // namespace kelvane::catalogue
