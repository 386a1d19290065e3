#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kelvane::fuzz {

// A check runs one input through a reader and returns the property that
// failed, or an empty text when every property held. A crash is a failure
// too; the sanitizers report it.
using Check = QString (*)(const QByteArray& input);

// The design-file reader: a file it accepts opens in a fresh window, and
// what that window saves opens and saves again to the same bytes.
[[nodiscard]] QString checkDesignFile(const QByteArray& input);
// Number parsing and formatting: a formatted value parses back to the same
// formatted text, never "nan", "inf" or "-0".
[[nodiscard]] QString checkNumberText(const QByteArray& input);
// The CSV catalogue importer, materials or cores by the first byte: a file
// it accepts exports and imports again to the same rows and the same CSV.
[[nodiscard]] QString checkCsvImport(const QByteArray& input);
// The design-script reader and runner on the engine: exit status 0, or 2
// with "line N: reason" for a line of the script; every dump a JSON object.
[[nodiscard]] QString checkDesignScript(const QByteArray& input);

// The design check on a random input record: the items in their order,
// each with a valid verdict, a value with its text or a reason, and no text
// that says "nan", "inf" or "-0".
[[nodiscard]] QString checkCheckInput(const QByteArray& input);

// The names of the checks: design_file, number_text, csv_import,
// design_script, check_input.
[[nodiscard]] QStringList checkNames();
// The check of that name; nullptr for another name.
[[nodiscard]] Check checkNamed(const QString& name);

}  // namespace kelvane::fuzz
