#pragma once

#include <QString>
#include <QStringList>

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

}  // namespace kelvane::catalogue
