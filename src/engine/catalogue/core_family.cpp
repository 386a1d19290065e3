#include "engine/catalogue/core_family.h"

namespace kelvane::catalogue {

const QStringList& coreFamilies() {
    static const QStringList families = {
        QStringLiteral("EE"),  QStringLiteral("EC"),  QStringLiteral("ER"),  QStringLiteral("EFD"),
        QStringLiteral("EPC"), QStringLiteral("EP"),  QStringLiteral("ETD"), QStringLiteral("EQ"),
        QStringLiteral("RM"),  QStringLiteral("POT"), QStringLiteral("PM"),  QStringLiteral("PQ"),
        QStringLiteral("UU"),  QStringLiteral("TOR")};
    return families;
}

QString coreFamily(const QString& name) {
    QString longest;
    for (const QString& family : coreFamilies()) {
        if (family.size() > longest.size() && name.startsWith(family, Qt::CaseInsensitive)) {
            longest = family;
        }
    }
    if (!longest.isEmpty()) {
        return longest;
    }
    qsizetype letters = 0;
    while (letters < name.size() && name[letters].isLetter() && name[letters].unicode() < 0x80) {
        ++letters;
    }
    return name.left(letters).toUpper();
}

}  // namespace kelvane::catalogue
