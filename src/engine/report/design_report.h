#pragma once

#include "engine/report/waveform.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

namespace kelvane::design {
class DesignSheet;
}

namespace kelvane::report {

// The text every section shows for a core, material or standard the design
// has not chosen.
inline constexpr char16_t kNotChosen[] = u"未选择";

// The tolerance of the primary inductance in the electrical test table, in
// percent: what a gapped ferrite inductance is commonly wound and measured
// to.
inline constexpr int kInductanceTolerancePercent = 10;

struct ReportRow {
    QString label;
    QString value;
    QString unit;
};

struct ReportTable {
    QStringList headings;
    QVector<QStringList> rows;
};

// One block of a section, drawn in order: rows of label, value and unit, a
// table, the family picture, the waveform, a line of text, or a chart drawn
// across the page from an image file.
struct ReportBlock {
    enum class Kind { Rows, Table, Picture, Waveform, Text, Chart };
    Kind kind = Kind::Rows;
    QString heading;
    QVector<ReportRow> rows;
    ReportTable table;
    // Picture and Chart: the file; Text: the line.
    QString text;
};

struct ReportSection {
    QString title;
    QVector<ReportBlock> blocks;

    // The first row with this label, or null when there is none.
    [[nodiscard]] const ReportRow* row(const QString& label) const;
    [[nodiscard]] const ReportBlock* block(ReportBlock::Kind kind) const;
    // Every text line of the section.
    [[nodiscard]] QStringList texts() const;
};

// What the report needs beyond the sheet: the design file's name, the date
// printed, and from the catalogue the current core's area product.
struct ReportContext {
    QString designFileName;
    QDate date;
    QString coreAreaProductMm4;
    // The fill-factor limit of the chosen safety standard, as plain text.
    QString fillLimit;
    // Said at the head of the results' sections when the results are out
    // of date; empty when they are not.
    QString staleNotice;
    // Where the core's Ae, Le and Ve come from (the catalogue's ORIGIN).
    QString coreOrigin;
};

// The design report: its sections in order and the waveform it draws. Every
// number is a field's text as the window shows it.
struct DesignReport {
    QString title;
    QString designFileName;
    QString dateText;
    QVector<ReportSection> sections;
    Waveform waveform;

    [[nodiscard]] const ReportSection* section(const QString& title) const;
};

[[nodiscard]] DesignReport buildDesignReport(const design::DesignSheet& sheet,
                                             const ReportContext& context);

}  // namespace kelvane::report
