#pragma once

#include "engine/report/waveform.h"

#include <QCoreApplication>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

namespace kelvane::sheet {
class DesignSheet;
}

namespace kelvane::report {

// The text every section shows for a core, material or standard the design
// has not chosen.
inline constexpr char kNotChosen[] = QT_TRANSLATE_NOOP("kelvane::report", "未选择");

struct ReportRow {
    QString label;
    QString value;
    QString unit;
};

struct ReportTable {
    QStringList headings;
    QVector<QStringList> rows;
};

// One winding of the electrical diagram: a coil between its pins, its
// start marked with the dot (every winding is wound the same way round).
struct DiagramWinding {
    QString name;   // N1, N2, …
    QString turns;  // "40T"
    QString startPin;
    QString tapPin;  // empty: no middle pin
    QString finishPin;
    bool primarySide = true;  // drawn left of the core
};

// One band of the build across the window, from the centre leg outwards:
// a winding step with its margins at both ends, or tape.
struct SectionBand {
    enum class Kind { Primary, Secondary, Bias, Tape };
    Kind kind = Kind::Tape;
    QString label;          // "W1 N1（前半）" for a winding step
    double depthMm = 0.0;   // across the window
    double marginMm = 0.0;  // at each end of the layer
    double wireMm = 0.0;    // a strand with its insulation
    int strands = 1;
    double turns = 0.0;
    double turnsPerLayer = 0.0;
    double layers = 0.0;
};

// The window cut across, to scale: the layer runs along its length, the
// build grows across its depth.
struct WindowSection {
    double lengthMm = 0.0;
    double depthMm = 0.0;
    QVector<SectionBand> bands;
    [[nodiscard]] bool isEmpty() const { return bands.isEmpty() || !(lengthMm > 0.0); }
};

// One block of a section, drawn in order: rows of label, value and unit, a
// table, the family picture, the waveform, a line of text, the electrical
// diagram, the window's cross-section, or a chart drawn across the page
// from an image file.
struct ReportBlock {
    enum class Kind { Rows, Table, Picture, Waveform, Text, Diagram, CrossSection, Chart };
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
    bool startsPage = false;  // the construction sheet starts on a page of its own

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

// The design report: its sections in order and the drawings they hold.
// Every number of the design's sections is a field's text as the window
// shows it.
struct DesignReport {
    QString title;
    QString designFileName;
    QString dateText;
    // Printed in red on the first page, when the design check fails an
    // item; empty otherwise.
    QString banner;
    QVector<ReportSection> sections;
    Waveform waveform;
    QVector<DiagramWinding> diagram;
    WindowSection window;

    [[nodiscard]] const ReportSection* section(const QString& title) const;
};

[[nodiscard]] DesignReport buildDesignReport(const sheet::DesignSheet& sheet,
                                             const ReportContext& context);

}  // namespace kelvane::report
