#pragma once

#include "engine/base/result.h"
#include "engine/sheet/design_sheet.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <iterator>

namespace kelvane::files {

// The controls of a record's lines 2 to 8, 10 to 21 and of its closing
// lines, in file order. Opening reads the closing lines of the material
// type (TxtApp(1)) and the core name (TxtCoreSize) into the search fields.
inline constexpr sheet::Check kFileOptions[] = {
    sheet::Check::Option1, sheet::Check::Option2, sheet::Check::Option3, sheet::Check::OptUL,
    sheet::Check::OptIEC,  sheet::Check::OptVDE,  sheet::Check::OptSelf};
inline constexpr sheet::Field kFileFields[] = {
    sheet::Field::TxtUmin,   sheet::Field::txtudc,   sheet::Field::TxtF,
    sheet::Field::txtd,      sheet::Field::Txtts,    sheet::Field::Txtton,
    sheet::Field::TXTTEMP20, sheet::Field::TXTTEMPD, sheet::Field::TxtMargin,
    sheet::Field::TxtHipot,  sheet::Field::Combo1,   sheet::Field::Text13};
inline constexpr sheet::Field kFileClosing[] = {
    sheet::Field::TXTN,      sheet::Field::txtpint, sheet::Field::txtis,
    sheet::Field::txtim,     sheet::Field::txtip1,  sheet::Field::txtipk,
    sheet::Field::txtipkip1, sheet::Field::txtdi,   sheet::Field::TxtApp1,
    sheet::Field::txtbm,     sheet::Field::txtpl,   sheet::Field::TxtCoreSize,
    sheet::Field::TxtJ};
inline constexpr int kClosingMaterialLine = 8;
inline constexpr int kClosingCoreLine = 11;

// The design check's own inputs follow the last record when one of them is
// not its default: a line "[设计校核]", then a line NAME=TEXT for each such
// input, NAME one of these. A reader of the record layout alone reads its
// fixed number of lines and stops before them.
inline constexpr char16_t kCheckInputsMarker[] = u"[设计校核]";
inline constexpr const char16_t* kCheckInputNames[] = {u"vacmax", u"rating", u"bulk", u"linef"};
inline constexpr int kCheckInputCount = int(std::size(kCheckInputNames));

// The construction sheet's inputs follow in the same block, one line
// NAME=TEXT each: per winding, NAME(r) with r its row of MSwin (0 the
// primary, no leading zero, below the outputs table's row limit), and the
// primary inductance's test signal.
inline constexpr const char16_t* kWindingInputNames[] = {u"start", u"tap", u"finish", u"kind",
                                                         u"wire"};
inline constexpr const char16_t* kTestInputNames[] = {u"lptestf", u"lptestv"};

// isConstructionInputName() — whether a name is one of those: "start(0)",
// "kind(12)", "lptestf"; not "start", "start(01)" or "start(10000)".
[[nodiscard]] bool isConstructionInputName(QStringView name);
// windingInputName() — NAME(r).
[[nodiscard]] QString windingInputName(const char16_t* name, int row);

// One record of a design file: the texts of its lines in file order.
struct DesignRecord {
    int tableRows = 1;                           // line 1: rows of MS including the heading row
    QString counter;                             // the text of line 1
    bool options[std::size(kFileOptions)] = {};  // in the order of kFileOptions
    int check = 0;                               // Check1
    QStringList fields;                          // lines 10 to 21
    QVector<QStringList> outputs;                // rows 1..N-1, a cell for each column of MS
    QStringList closing;                         // the thirteen closing lines
    // The check's inputs in the order of kCheckInputNames, as typed; an
    // empty text is the default. Only the last record of a file has any.
    QStringList checkInputs;
    // The construction sheet's inputs by name, as typed.
    QMap<QString, QString> constructionInputs;
};

// designFileLines() — the lines of the design as the file stores them:
// txtno, the seven options as "True"/"False", Check1 as " n ", twelve texts,
// the outputs table row by row, then the thirteen closing texts; then the
// check's inputs (in the order of kCheckInputNames) and the construction
// inputs (in the order of their names) that are not blank.
[[nodiscard]] QStringList designFileLines(const sheet::DesignSheet& sheet,
                                          const QStringList& checkInputs = {},
                                          const QMap<QString, QString>& constructionInputs = {});

// encodeDesignFile() — the lines in GBK, each ended by CR LF; the reason
// instead when a text has a character that GBK cannot hold.
Result<QByteArray> encodeDesignFile(const QStringList& lines);

// parseDesignFile() — every record of a file's bytes, read and checked as a
// whole before anything is applied. Lines end with CR LF (a lone LF is
// accepted too); the text is GBK, and a byte that is no part of a GBK
// character fails at its line. Line 1 of a record must be a whole number
// from 1 to 10000, the option lines "True" or "False", the check-box line an
// integer from 0 to 2; a file that ends inside a record fails at the line
// that is missing. The check's and the construction inputs may follow the last record, each name
// once. Blank lines after the last record are ignored. A failure
// names its line, also in its text "文件格式错误（第N行）".
Result<QVector<DesignRecord>> parseDesignFile(const QByteArray& bytes);

// writeDesignFile() — the bytes written beside `path` and renamed over it,
// so that a failed save leaves the previous file whole; the reason when the
// file could not be written.
Result<void> writeDesignFile(const QString& path, const QByteArray& bytes);

// readDesignFile() — the whole file's bytes; the reason when it cannot be
// read.
Result<QByteArray> readDesignFile(const QString& path);

}  // namespace kelvane::files
