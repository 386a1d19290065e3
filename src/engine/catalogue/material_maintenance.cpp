#include "catalogue/material_maintenance.h"

#include "base/number_text.h"
#include "base/prompter.h"
#include "catalogue/catalogue.h"
#include "catalogue/catalogue_schema.h"
#include "design/design_sheet.h"

#include <QHash>
#include <QVariant>

namespace kelvane::catalogue {

using design::Field;

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

void MaterialMaintenance::modify() {
    m_pending = Pending::Edit;
    m_editedRow = m_catalogue.materials().currentRowid();
    setStates(true, std::nullopt, false, true, true, false, false);
}

void MaterialMaintenance::add() {
    m_pending = Pending::New;
    // A new row starts empty: each emptied field runs the material rules.
    for (int index = 0; index <= 25; ++index) {
        m_sheet.setText(design::materialField(index), QString());
    }
    setStates(true, false, false, true, true, std::nullopt, false);
    m_sheet.setFocus(design::fieldName(design::materialField(0)));
}

void MaterialMaintenance::save() {
    if (m_pending != Pending::None && !writePending()) {
        return;  // refused: the edit stays pending and the fields open
    }
    m_pending = Pending::None;
    setStates(false, true, true, false, false, true, true);
    m_sheet.setFocus(QStringLiteral("Command7"));
}

void MaterialMaintenance::cancel() {
    m_pending = Pending::None;
    // The pending edit is dropped: the fields show the current row again.
    DataSource& materials = m_catalogue.materials();
    if (materials.position() > 0) {
        materials.moveTo(materials.position());
    }
    setStates(true, false, true, false, std::nullopt, true, true);
}

void MaterialMaintenance::deleteRecord() {
    if (!m_prompter.question(QStringLiteral("确定删除记录吗?"), QStringLiteral("删除记录"))) {
        return;
    }
    const QString error = m_catalogue.materials().deleteCurrent();
    if (!error.isEmpty()) {
        m_prompter.message(QStringLiteral("删除失败：") + error, QStringLiteral("删除记录"));
        return;
    }
    m_pending = Pending::None;
    setStates(std::nullopt, std::nullopt, std::nullopt, std::nullopt, true, std::nullopt,
              std::nullopt);
}

void MaterialMaintenance::find() {
    const std::optional<QString> answer =
        m_prompter.input(QStringLiteral("请输入胶带型号"), QStringLiteral("按型号搜索"));
    if (!answer || answer->isEmpty()) {
        return;
    }
    DataSource& materials = m_catalogue.materials();
    const int typeColumn = int(materials.columns().indexOf(QStringLiteral("Type")));
    for (int row = 0; row < materials.count(); ++row) {
        if (materials.cellText(row, typeColumn) == *answer) {
            materials.moveTo(row + 1);
            return;
        }
    }
    m_prompter.message(QStringLiteral("没有相应的型号"), QStringLiteral("信息"));
}

bool MaterialMaintenance::leaveRow() {
    if (m_pending == Pending::None) {
        return true;
    }
    if (!writePending()) {
        return false;
    }
    m_pending = Pending::None;
    return true;
}

bool MaterialMaintenance::writePending() {
    const QVector<Column>& columns = materialColumns();
    QHash<QString, QVariant> values;
    for (int index = 0; index <= 25; ++index) {
        const QString column = materialColumnOfField(index);
        const QString text = trimBlanks(m_sheet.text(design::materialField(index)));
        const std::optional<Column> definition = findColumn(columns, column);
        if (!m_catalogue.materials().hasColumn(column)) {
            continue;  // a catalogue without this column keeps no value for it
        }
        if (text.isEmpty()) {
            values.insert(column, QVariant());
        } else if (definition && definition->type == ColumnType::Number) {
            if (!isStrictNumber(text)) {
                m_prompter.message(QStringLiteral("保存失败：“%1”不是数字（%2）").arg(text, column),
                                   QStringLiteral("保存"));
                return false;
            }
            values.insert(column, parseNumber(text));
        } else {
            values.insert(column, m_sheet.text(design::materialField(index)));
        }
    }
    const std::optional<qint64> row = m_pending == Pending::Edit && m_editedRow >= 0
                                          ? std::optional<qint64>(m_editedRow)
                                          : std::nullopt;
    const QString error = m_catalogue.materials().writeRecord(row, values);
    if (!error.isEmpty()) {
        m_prompter.message(QStringLiteral("保存失败：") + error, QStringLiteral("保存"));
        return false;
    }
    return true;
}

}  // namespace kelvane::catalogue
