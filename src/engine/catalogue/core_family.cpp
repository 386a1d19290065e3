#include "engine/catalogue/core_family.h"

#include "engine/base/number_text.h"

#include <QCoreApplication>

namespace kelvane::catalogue {
namespace {

const QString kDataSheet = QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "数据手册"));
const QString kComputed =
    QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "按尺寸计算（已验证 ±3%）"));
const QString kEstimate =
    QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "按尺寸估算（±10%）"));

}  // namespace

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

std::optional<CoreOrigin> coreOrigin(const QString& text) {
    const QString origin = trimBlanks(text);
    if (origin.isEmpty()) {
        return CoreOrigin::Unstated;
    }
    if (origin == kComputed) {
        return CoreOrigin::Computed;
    }
    if (origin == kEstimate) {
        return CoreOrigin::Estimate;
    }
    if (origin.startsWith(kDataSheet)) {
        const QString maker = origin.mid(kDataSheet.size());
        // The maker, when named, stands in full-width brackets.
        if (maker.isEmpty() ||
            (maker.size() > 2 && maker.startsWith(u'（') && maker.endsWith(u'）') &&
             !trimBlanks(maker.mid(1, maker.size() - 2)).isEmpty())) {
            return CoreOrigin::DataSheet;
        }
    }
    return std::nullopt;
}

QString originChoices() {
    return kDataSheet + QStringLiteral("（MAKER）, ") + kComputed + QStringLiteral(", ") +
           kEstimate;
}

}  // namespace kelvane::catalogue
