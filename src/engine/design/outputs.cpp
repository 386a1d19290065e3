#include "engine/design/outputs.h"

#include "engine/base/number_text.h"
#include "engine/base/prompter.h"
#include "engine/sheet/design_sheet.h"

#include <QCoreApplication>

#include <cmath>
#include <optional>

namespace kelvane::design {

using sheet::Field;
using sheet::Grid;
using sheet::Table;
using enum sheet::OutputColumn;

namespace {

// The total after adding one row's power cell to it, as txtp shows it; no
// value when the sum is not finite, and txtp then keeps its text. A power
// cell is converted strictly: empty or non-numeric counts 0.
std::optional<QString> addPower(const QString& total, const QString& powerCell) {
    return formatPlain(strictNumberOr0(powerCell) + parseNumber(total));
}

}  // namespace

void Outputs::writeHeader() {
    Grid& ms = m_sheet.editGrid(Table::MS);
    const QStringList headers = {
        QStringLiteral("NO."), QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "输出电压V")),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "工作电流A")),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "线路压降V")),
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "功率W"))};
    for (int column = 0; column < headers.size(); ++column) {
        ms.setCell(0, column, headers[column]);
    }
    m_sheet.gridEdited(Table::MS);
}

void Outputs::recalcEntryPower() {
    const double volts = m_sheet.number(Field::txtuoutput);
    const double amps = m_sheet.number(Field::TxtIoutput);
    m_sheet.setPlain(Field::Txtpout, std::fabs(volts) * amps);
}

void Outputs::addOutput() {
    if (m_sheet.text(Field::txtuoutput).isEmpty() || m_sheet.text(Field::TxtIoutput).isEmpty()) {
        m_prompter.message(
            QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "输出电压、电流不能为空")),
            QString());
        m_sheet.setFocus(QStringLiteral("txtuoutput"));
        return;
    }
    m_sheet.setText(Field::txtp, QString());
    m_sheet.setPlain(Field::txtno, m_sheet.number(Field::txtno) + 1);
    const int rows = int(std::lround(m_sheet.number(Field::txtno)));
    Grid& ms = m_sheet.editGrid(Table::MS);
    ms.setRowCount(rows);
    const int row = rows - 1;
    ms.setCell(row, kOutputNumber, QString::number(row));
    ms.setCell(row, kOutputVolts, m_sheet.text(Field::txtuoutput));
    ms.setCell(row, kOutputAmps, m_sheet.text(Field::TxtIoutput));
    ms.setCell(row, kOutputDropVolts, m_sheet.text(Field::TXTDIO));
    ms.setCell(row, kOutputPowerW, m_sheet.text(Field::Txtpout));
    m_sheet.gridEdited(Table::MS);
    rebuildTotal(ms.rowCount() - 1);
    m_sheet.setText(Field::txtuoutput, QString());
    m_sheet.setText(Field::TxtIoutput, QString());
    m_sheet.setText(Field::Txtpout, QString());
    m_sheet.setFocus(QStringLiteral("txtuoutput"));
}

void Outputs::deleteOutput() {
    Grid& ms = m_sheet.editGrid(Table::MS);
    if (ms.rowCount() <= 2 || ms.currentRow < 1) {
        return;
    }
    m_sheet.setText(Field::txtp, QString());
    ms.removeRow(ms.currentRow);
    if (ms.currentRow < 1) {
        ms.currentRow = 1;
    }
    m_sheet.setPlain(Field::txtno, m_sheet.number(Field::txtno) - 1);
    for (int row = 1; row < ms.rowCount(); ++row) {
        ms.setCell(row, kOutputNumber, QString::number(row));
    }
    m_sheet.gridEdited(Table::MS);
    rebuildTotal(ms.rowCount() - 1);
}

void Outputs::modifyOutput() {
    Grid& ms = m_sheet.editGrid(Table::MS);
    const int row = ms.currentRow;
    if (row < 1) {
        return;  // the header row is not an output
    }
    ms.setCell(row, kOutputVolts, m_sheet.text(Field::txtuoutput));
    ms.setCell(row, kOutputAmps, m_sheet.text(Field::TxtIoutput));
    ms.setCell(row, kOutputDropVolts, m_sheet.text(Field::TXTDIO));
    ms.setCell(row, kOutputPowerW, m_sheet.text(Field::Txtpout));
    m_sheet.gridEdited(Table::MS);
    m_sheet.setText(Field::txtp, QString());
    rebuildTotal(int(std::lround(m_sheet.number(Field::txtno))) - 1);
}

void Outputs::selectRow(int row) {
    Grid& ms = m_sheet.editGrid(Table::MS);
    if (row < 1 || row >= ms.rowCount()) {
        return;
    }
    ms.currentRow = row;
    m_sheet.gridEdited(Table::MS);
    m_sheet.setText(Field::txtuoutput, QString());
    m_sheet.setText(Field::TxtIoutput, QString());
    m_sheet.setText(Field::TXTDIO, QString());
    m_sheet.setText(Field::Txtpout, QString());
    m_sheet.setText(Field::txtuoutput, ms.cell(row, kOutputVolts));
    m_sheet.setText(Field::TxtIoutput, ms.cell(row, kOutputAmps));
    m_sheet.setText(Field::TXTDIO, ms.cell(row, kOutputDropVolts));
    m_sheet.setText(Field::Txtpout, ms.cell(row, kOutputPowerW));
}

void Outputs::rebuildTotal(int lastRow) {
    for (int row = 1; row <= lastRow; ++row) {
        const std::optional<QString> total =
            addPower(m_sheet.text(Field::txtp), m_sheet.grid(Table::MS).cell(row, kOutputPowerW));
        if (total) {
            m_sheet.setText(Field::txtp, *total);
        }
    }
}

void Outputs::loadTotal(int lastRow) {
    const Grid& ms = m_sheet.grid(Table::MS);
    QString total = m_sheet.text(Field::txtp);
    for (int row = 1; row <= lastRow; ++row) {
        if (std::optional<QString> sum = addPower(total, ms.cell(row, kOutputPowerW))) {
            total = std::move(*sum);
        }
    }
    m_sheet.setText(Field::txtp, total);
}

}  // namespace kelvane::design
