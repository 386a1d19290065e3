#include "engine/session/design_files.h"

#include "engine/base/prompter.h"
#include "engine/catalogue/core_selection.h"
#include "engine/design/outputs.h"
#include "engine/files/design_file.h"
#include "engine/results/design_results.h"
#include "engine/session/design_document.h"
#include "engine/sheet/design_sheet.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

namespace kelvane::session {

using sheet::Check;
using sheet::Field;
using sheet::Grid;
using sheet::Table;

DesignFiles::DesignFiles(Prompter& prompter, sheet::DesignSheet& sheet, design::Outputs& outputs,
                         catalogue::CoreSelection& cores, results::DesignResults& results,
                         DesignDocument& document)
    : m_prompter(prompter),
      m_sheet(sheet),
      m_outputs(outputs),
      m_cores(cores),
      m_results(results),
      m_document(document) {}

bool DesignFiles::save(const QString& path, const FileInputs& inputs) {
    if (path.isEmpty()) {
        return false;
    }
    const QString title = QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "保存"));
    const Result<QByteArray> encoded =
        files::encodeDesignFile(files::designFileLines(m_sheet, inputs.check, inputs.construction));
    if (!encoded) {
        m_prompter.message(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "保存失败：")) +
                               encoded.failure().text,
                           title);
        return false;
    }
    if (const Result<void> written = files::writeDesignFile(path, encoded.value()); !written) {
        m_prompter.message(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "保存失败：")) +
                               written.failure().text,
                           title);
        return false;
    }
    m_document.setSaved(path);
    m_prompter.message(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "保存操作成功！")),
                       title);
    return true;
}

std::optional<FileInputs> DesignFiles::open(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    const QString title = QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "打开"));
    const Result<QByteArray> bytes = files::readDesignFile(path);
    if (!bytes) {
        m_prompter.message(QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "打开失败：")) +
                               bytes.failure().text,
                           title);
        return std::nullopt;
    }
    const Result<QVector<files::DesignRecord>> parsed = files::parseDesignFile(bytes.value());
    if (!parsed) {
        m_prompter.message(parsed.failure().text, title);
        return std::nullopt;
    }
    for (const files::DesignRecord& record : parsed.value()) {
        applyRecord(record);
    }
    const files::DesignRecord& last = parsed.value().last();
    return FileInputs{last.checkInputs, last.constructionInputs};
}

void DesignFiles::applyRecord(const files::DesignRecord& record) {
    // Each write raises the written field's handling, in file order; a later
    // line overwrites what an earlier line's handling computed.
    // The results that core changes ask for meanwhile pass over the outputs
    // once, at the end.
    m_results.holdBack();
    m_sheet.setText(Field::txtno, record.counter);
    Grid& outputs = m_sheet.editGrid(Table::MS);
    outputs.setRowCount(1);
    outputs.setRowCount(std::max(record.tableRows, 2));  // one data row at least
    m_sheet.gridEdited(Table::MS);
    for (int i = 0; i < int(std::size(files::kFileOptions)); ++i) {
        m_sheet.setChecked(files::kFileOptions[i], record.options[i] ? 1 : 0);
    }
    m_sheet.setChecked(Check::Check1, record.check);
    for (int i = 0; i < int(std::size(files::kFileFields)); ++i) {
        m_sheet.setText(files::kFileFields[i], record.fields[i]);
    }
    for (int row = 1; row < record.tableRows; ++row) {
        for (int column = 0; column < sheet::kOutputColumnCount; ++column) {
            outputs.setCell(row, column, record.outputs[row - 1][column]);
        }
    }
    m_sheet.gridEdited(Table::MS);
    // The file holds no total: it follows the loaded table, as after an add,
    // but is written once.
    m_sheet.setText(Field::txtp, QString());
    m_outputs.loadTotal(record.tableRows - 1);
    for (int i = 0; i < int(std::size(files::kFileClosing)); ++i) {
        Field field = files::kFileClosing[i];
        if (i == files::kClosingMaterialLine) {
            field = Field::Text1;  // the material is looked up by its type
        } else if (i == files::kClosingCoreLine) {
            field = Field::TXTCORE;  // the core by its name
        }
        const bool unchanged = m_sheet.text(field) == record.closing[i];
        m_sheet.setText(field, record.closing[i]);
        // The search runs even when the box already holds the text, so the
        // file's material and core are current whatever came before.
        if (unchanged && field == Field::Text1) {
            m_cores.searchMaterials();
        } else if (unchanged && field == Field::TXTCORE) {
            m_cores.searchCores();
        }
    }
    m_results.finishHoldingBack();
    // The closing lines rewrite the core loss after the results ran: the
    // reopened design's totals must add up.
    m_results.computeDesignResults();
}

}  // namespace kelvane::session
