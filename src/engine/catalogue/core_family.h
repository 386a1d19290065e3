#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane::catalogue {

// The core families the program draws: each has its picture FAMILY.GIF
// beside the program (EE, EC, ER, EFD, EPC, EP, ETD, EQ, RM, POT, PM, PQ,
// UU, TOR).
[[nodiscard]] const QStringList& coreFamilies();

// coreFamily() — the family of a core name: the longest family of
// coreFamilies() that begins it, in any letter case ("EFD20/10/7" EFD,
// "EPC17" EPC, "EP13" EP, "ETD29/16/10" ETD, "ee30" EE, "RM10LP" RM). A name
// that begins with none of them gives its leading letters in capitals
// ("EI25" EI, "T25/15/10" T; letters A to Z only), one that begins with no
// such letter "".
[[nodiscard]] QString coreFamily(const QString& name);

// Where a core row's effective parameters come from, as its ORIGIN column
// says.
enum class CoreOrigin {
    Unstated,   // empty: the row says nothing
    DataSheet,  // "数据手册" or "数据手册（MAKER）": the maker's data sheet
    Computed,  // "按尺寸计算（已验证 ±3%）": from the dimensions by a method checked on the family
    Estimate,  // "按尺寸估算（±10%）": from the dimensions, not checked
};

// coreOrigin() — the kind of an ORIGIN text (blanks around it ignored); no
// value for a text that is none of the above.
[[nodiscard]] std::optional<CoreOrigin> coreOrigin(const QString& text);

// The texts an ORIGIN cell may hold, for messages and examples.
[[nodiscard]] QString originChoices();

}  // namespace kelvane::catalogue
