#include "engine/catalogue/core_family.h"

#include "../table_rows.h"
#include "engine/base/number_text.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>

namespace kelvane::catalogue {
namespace {

TEST(CoreFamily, LongestKnownPrefixInAnyCase) {
    const struct {
        const char* name;
        const char* family;
    } cases[] = {
        {"EE25/13/7", "EE"},   {"ee30", "EE"},         {"EC35", "EC"},    {"ER35/20/11", "ER"},
        {"EFD20/10/7", "EFD"}, {"efd15", "EFD"},       {"EPC17", "EPC"},  {"EP13", "EP"},
        {"EPO13", "EP"},       {"ETD29/16/10", "ETD"}, {"EQ30/8", "EQ"},  {"RM10", "RM"},
        {"RM10LP", "RM"},      {"POT18/11", "POT"},    {"PM50/39", "PM"}, {"PQ26/25", "PQ"},
        {"UU93/152/30", "UU"}, {"TOR25/15/10", "TOR"}, {"EER28", "EE"},   {"EI25", "EI"},
        {"T25/15/10", "T"},    {"O'Brien20", "O"},     {"9mm", ""},       {"", ""},
        {"磁芯12", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(coreFamily(QString::fromUtf8(c.name)), QString::fromLatin1(c.family)) << c.name;
    }
}

TEST(CoreOrigin, TheThreeKindsAndNothingElse) {
    const struct {
        const char* text;
        std::optional<CoreOrigin> origin;
    } cases[] = {
        {"", CoreOrigin::Unstated},
        {"  ", CoreOrigin::Unstated},
        {"数据手册", CoreOrigin::DataSheet},
        {"数据手册（TDK/EPCOS）", CoreOrigin::DataSheet},
        {" 数据手册（Acme 2024） ", CoreOrigin::DataSheet},
        {"按尺寸计算（已验证 ±3%）", CoreOrigin::Computed},
        {"按尺寸估算（±10%）", CoreOrigin::Estimate},
        {"数据手册（）", std::nullopt},
        {"数据手册(TDK)", std::nullopt},
        {"数据手册TDK", std::nullopt},
        {"按尺寸估算(±10%)", std::nullopt},
        {"按尺寸计算", std::nullopt},
        {"datasheet", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(coreOrigin(QString::fromUtf8(c.text)), c.origin) << c.text;
    }
}

// One core of the bundled catalogue; the dimensions A … F in letter order.
struct BundledCore {
    QString name;
    std::array<std::optional<double>, 6> dims;
    std::optional<double> le, ae, ve, aw, ap;
    QString origin;
};

std::optional<double> number(const QVariant& value) {
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

// The cores of the catalogue the build makes, in stored order.
QVector<BundledCore> bundledCores() {
    const QString connection = QUuid::createUuid().toString();
    QVector<BundledCore> cores;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QStringLiteral(KELVANE_BUNDLED_CATALOGUE));
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(QStringLiteral(
            "SELECT NAME, A, B, C, D, e, f, le, ae, ve, Aw, AP, ORIGIN FROM CORE ORDER BY rowid")));
        while (query.next()) {
            BundledCore core;
            core.name = query.value(0).toString();
            for (int i = 0; i < 6; ++i) {
                core.dims[size_t(i)] = number(query.value(1 + i));
            }
            core.le = number(query.value(7));
            core.ae = number(query.value(8));
            core.ve = number(query.value(9));
            core.aw = number(query.value(10));
            core.ap = number(query.value(11));
            core.origin = query.value(12).toString();
            cores.append(core);
        }
    }
    QSqlDatabase::removeDatabase(connection);
    EXPECT_FALSE(cores.isEmpty());
    return cores;
}

// How a family's dimension letters are drawn, and so which of them a row
// fills and how they must relate.
enum class Outline {
    E,       // E-type with a rectangular centre leg, and RM: A C D E F, F < E < A
    RoundE,  // E-type with a round centre leg: also F ≤ C, the leg fits the depth
    Pot,     // POT, PM: round, C empty
    U,       // UU: no centre leg, F empty
    Toroid,  // TOR: A outer, B inner diameter, C height; D E F empty
};

const std::map<QString, Outline>& outlines() {
    static const std::map<QString, Outline> map = {
        {QStringLiteral("EE"), Outline::E},       {QStringLiteral("EFD"), Outline::E},
        {QStringLiteral("EPC"), Outline::E},      {QStringLiteral("RM"), Outline::E},
        {QStringLiteral("EC"), Outline::RoundE},  {QStringLiteral("ER"), Outline::RoundE},
        {QStringLiteral("ETD"), Outline::RoundE}, {QStringLiteral("EQ"), Outline::RoundE},
        {QStringLiteral("PQ"), Outline::RoundE},  {QStringLiteral("EP"), Outline::RoundE},
        {QStringLiteral("POT"), Outline::Pot},    {QStringLiteral("PM"), Outline::Pot},
        {QStringLiteral("UU"), Outline::U},       {QStringLiteral("TOR"), Outline::Toroid},
    };
    return map;
}

// The letters A … F a row of the outline fills.
QString filledLetters(Outline outline) {
    switch (outline) {
        case Outline::E:
        case Outline::RoundE:
            return QStringLiteral("ABCDEF");
        case Outline::Pot:
            return QStringLiteral("ABDEF");
        case Outline::U:
            return QStringLiteral("ABCDE");
        case Outline::Toroid:
            break;
    }
    return QStringLiteral("ABC");
}

bool within(double value, double reference, double relative) {
    return std::fabs(value - reference) <= relative * std::fabs(reference);
}

TEST(BundledCatalogue, EveryRowIsConsistentAndPlausibleForItsFamily) {
    QSet<QString> names;
    for (const BundledCore& core : bundledCores()) {
        SCOPED_TRACE(core.name.toStdString());
        EXPECT_FALSE(names.contains(core.name.toUpper())) << "name twice";
        names.insert(core.name.toUpper());
        const std::optional<CoreOrigin> origin = coreOrigin(core.origin);
        EXPECT_TRUE(origin && *origin != CoreOrigin::Unstated) << core.origin.toStdString();
        const auto found = outlines().find(coreFamily(core.name));
        ASSERT_NE(found, outlines().end()) << "no family";
        ASSERT_TRUE(core.le && core.ae && core.ve && core.aw && core.ap);
        EXPECT_GT(*core.le, 0.0);
        EXPECT_GT(*core.ae, 0.0);
        EXPECT_GT(*core.aw, 0.0);
        EXPECT_TRUE(within(*core.ve, *core.le * *core.ae, 0.005)) << "ve " << *core.ve;
        EXPECT_TRUE(within(*core.ap, *core.ae * *core.aw, 0.005)) << "AP " << *core.ap;

        const Outline outline = found->second;
        const QString letters = filledLetters(outline);
        for (int i = 0; i < 6; ++i) {
            const QChar letter(u'A' + i);
            EXPECT_EQ(core.dims[size_t(i)].has_value(), letters.contains(letter))
                << "letter " << char(letter.unicode());
            if (core.dims[size_t(i)]) {
                EXPECT_GT(*core.dims[size_t(i)], 0.0) << char(letter.unicode());
            }
        }
        const double a = core.dims[0].value_or(0.0);
        const double b = core.dims[1].value_or(0.0);
        const double c = core.dims[2].value_or(0.0);
        const double d = core.dims[3].value_or(0.0);
        const double e = core.dims[4].value_or(0.0);
        const double f = core.dims[5].value_or(0.0);
        if (outline == Outline::Toroid) {
            EXPECT_LT(b, a) << "inner diameter";
            continue;
        }
        // The window is lower than the half, and the base under it is no
        // thinner than a tenth of the half's height.
        EXPECT_GT(d, 0.2 * b) << "D " << d << " B " << b;
        EXPECT_LT(d, 0.9 * b) << "D " << d << " B " << b;
        EXPECT_LT(e, a) << "E " << e << " A " << a;
        if (outline != Outline::U) {
            EXPECT_LT(f, e) << "F " << f << " E " << e;
        }
        if (outline == Outline::RoundE) {
            EXPECT_LE(f, c) << "F " << f << " C " << c;
        }
    }
}

// Each family of the bundled catalogue has its picture beside the program
// and, in the picture's drawing, exactly the letters its rows fill.
TEST(BundledCatalogue, EveryFamilyHasItsPictureWithItsLetters) {
    QSet<QString> families;
    for (const BundledCore& core : bundledCores()) {
        families.insert(coreFamily(core.name));
    }
    const QDir pictures(QStringLiteral(KELVANE_TEST_DATA "/../../data/pictures"));
    const QRegularExpression letter(QStringLiteral("<text[^>]*>([A-F])</text>"));
    for (const QString& family : families) {
        SCOPED_TRACE(family.toStdString());
        ASSERT_TRUE(coreFamilies().contains(family));
        QFile gif(pictures.filePath(family + QStringLiteral(".GIF")));
        ASSERT_TRUE(gif.open(QIODevice::ReadOnly));
        const QByteArray head = gif.read(10);
        ASSERT_EQ(head.size(), 10);
        EXPECT_TRUE(head.startsWith("GIF8"));
        // The logical screen, little-endian: the size the window fits.
        EXPECT_EQ(uchar(head[6]) | uchar(head[7]) << 8, 300);
        EXPECT_EQ(uchar(head[8]) | uchar(head[9]) << 8, 220);

        QFile svg(pictures.filePath(QStringLiteral("src/") + family + QStringLiteral(".svg")));
        ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
        QString drawn;
        for (const QRegularExpressionMatch& match :
             letter.globalMatch(QString::fromUtf8(svg.readAll()))) {
            drawn += match.captured(1);
        }
        std::sort(drawn.begin(), drawn.end());
        EXPECT_EQ(drawn, filledLetters(outlines().at(family)));
    }
}

// The last printed digit of a published value, halved: what its rounding
// may hide.
double halfLastDigit(const QString& text) {
    const qsizetype point = text.indexOf(u'.');
    return 0.5 * std::pow(10.0, point < 0 ? 0.0 : -double(text.size() - point - 1));
}

// Every core of data/published_cores.tsv: a data-sheet row carries the
// published values, a computed row lies within its tolerance of them.
TEST(BundledCatalogue, RowsAgreeWithPublishedValues) {
    std::map<QString, BundledCore> byName;
    for (const BundledCore& core : bundledCores()) {
        byName.emplace(core.name, core);
    }
    for (const tables::TableRow& row : tables::tableRows("published_cores.tsv")) {
        SCOPED_TRACE(row.trace());
        ASSERT_EQ(row.columns.size(), 5);
        const auto found = byName.find(row.columns[0]);
        ASSERT_NE(found, byName.end()) << "not in the catalogue";
        const BundledCore& core = found->second;
        const std::optional<CoreOrigin> origin = coreOrigin(core.origin);
        ASSERT_TRUE(origin && *origin != CoreOrigin::Unstated);
        const std::pair<std::optional<double>, QString> values[] = {
            {core.le, row.columns[1]}, {core.ae, row.columns[2]}, {core.ve, row.columns[3]}};
        if (*origin == CoreOrigin::DataSheet) {
            const double le = parseNumber(row.columns[1]);
            const double ae = parseNumber(row.columns[2]);
            EXPECT_EQ(core.le, le);
            EXPECT_EQ(core.ae, ae);
            // A sheet whose Ve contradicts its own le × Ae gives way to the
            // product, which the catalogue keeps consistent.
            const double ve = parseNumber(row.columns[3]);
            EXPECT_EQ(core.ve, within(ve, le * ae, 0.005) ? ve : std::round(le * ae));
            continue;
        }
        const double tolerance = *origin == CoreOrigin::Computed ? 0.03 : 0.10;
        for (const auto& [bundled, published] : values) {
            if (published.isEmpty()) {
                continue;
            }
            const double reference = parseNumber(published);
            EXPECT_LE(std::fabs(*bundled - reference),
                      tolerance * reference + halfLastDigit(published))
                << *bundled << " against " << published.toStdString();
        }
    }
}

}  // namespace
}  // namespace kelvane::catalogue
