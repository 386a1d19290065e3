#include "engine/base/conductor_formulas.h"

#include "../table_rows.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QSet>
#include <QString>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace kelvane {
namespace {

// Expected texts are UTF-8; nullptr stands for "no value".
constexpr const char* kNoValue = nullptr;

// Appends rather than "\"" + text, over which GCC 12 warns -Wrestrict
// inside libstdc++'s operator+ without cause.
std::string quoted(const std::string& text) {
    std::string out(1, '"');
    out.append(text).push_back('"');
    return out;
}

std::string shown(const std::optional<QString>& result) {
    return result ? quoted(result->toStdString()) : std::string("<no value>");
}

std::string expected(const char* text) {
    return text ? quoted(text) : std::string("<no value>");
}

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// clang-format off

TEST(ConductorMaterialTest, LookupMatchesTheItemTextExactly) {
    struct Row { const char* text; bool found; double resistivity; double density; };
    const Row rows[] = {
        {"铜线", true, 0.0175, 8.95},
        {"铝线", true, 0.029, 2.7},
        {"铜包铝线 10A 10H", true, 0.02743, 3.32},
        {"铜包铝线 15A 15H", true, 0.02676, 3.63},
        {"", false, 0, 0},
        {"铜线 ", false, 0, 0},              // trailing blank
        {" 铝线", false, 0, 0},              // leading blank
        {"铜包铝线 10A", false, 0, 0},       // prefix of an item
        {"铜包铝线  15A 15H", false, 0, 0},  // two blanks
        {"copper", false, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const QString text = QString::fromUtf8(row.text);
        const std::optional<ConductorMaterial> found = findConductorMaterial(text);
        ASSERT_EQ(found.has_value(), row.found);
        const ConductorMaterial material = conductorMaterialOrZero(text);
        EXPECT_EQ(material.item, text);
        EXPECT_DOUBLE_EQ(material.resistivity, row.resistivity);
        EXPECT_DOUBLE_EQ(material.density, row.density);
        if (found) {
            EXPECT_DOUBLE_EQ(found->resistivity, row.resistivity);
            EXPECT_DOUBLE_EQ(found->density, row.density);
        }
    }
}

// clang-format on

// Every row of data/conductor_formulas.tsv: function, arguments, the text
// shown ("-" for no value).
TEST(ConductorFormulasTest, EveryRowOfTheTable) {
    using Args = QList<double>;
    const QHash<QString, std::pair<qsizetype, std::optional<QString> (*)(const Args&)>> formulas = {
        {"wireArea", {1, [](const Args& x) { return wireArea(x[0]); }}},
        {"wireResistance",
         {4, [](const Args& x) { return wireResistance(x[0], x[1], x[2], x[3]); }}},
        {"wireWeight", {4, [](const Args& x) { return wireWeight(x[0], x[1], x[2], x[3]); }}},
        {"litzStrandCount", {2, [](const Args& x) { return litzStrandCount(x[0], x[1]); }}},
        {"litzStrandDiameter", {2, [](const Args& x) { return litzStrandDiameter(x[0], x[1]); }}},
        {"foilSide", {2, [](const Args& x) { return foilSide(x[0], x[1]); }}},
        {"foilWeight", {3, [](const Args& x) { return foilWeight(x[0], x[1], x[2]); }}},
        {"foilResistance", {3, [](const Args& x) { return foilResistance(x[0], x[1], x[2]); }}},
        {"awgToDiameter", {1, [](const Args& x) { return awgToDiameter(x[0]); }}},
        {"diameterToAwg", {1, [](const Args& x) { return diameterToAwg(x[0]); }}},
        {"skinEffectRatio", {2, [](const Args& x) { return skinEffectRatio(x[0], x[1]); }}},
    };
    QSet<QString> tested;
    for (const tables::TableRow& row : tables::tableRows("conductor_formulas.tsv")) {
        const QStringList& columns = row.columns;
        SCOPED_TRACE(row.trace());
        ASSERT_GE(columns.size(), 3);
        ASSERT_TRUE(formulas.contains(columns[0]));
        Args args;
        for (const QString& word : columns[1].split(u' ')) {
            bool ok = word == u"nan" || word == u"inf";
            const double value = word == u"nan" ? kNan : word == u"inf" ? kInf : word.toDouble(&ok);
            ASSERT_TRUE(ok);
            args.append(value);
        }
        const auto& [arity, formula] = formulas[columns[0]];
        ASSERT_EQ(args.size(), arity);
        EXPECT_EQ(shown(formula(args)),
                  columns[2] == u"-" ? expected(kNoValue) : expected(columns[2].toUtf8().data()));
        tested.insert(columns[0]);
    }
    EXPECT_EQ(tested.size(), formulas.size());
}

TEST(ConductorFormulasTest, LitzBundleOfAluminium) {
    // 100 strands of 0.1 mm replace a 1 mm wire; the bundle's equivalent
    // diameter 0.1 × √100 is used with the aluminium constants.
    const std::optional<ConductorMaterial> aluminium =
        findConductorMaterial(QStringLiteral("铝线"));
    ASSERT_TRUE(aluminium.has_value());
    EXPECT_EQ(shown(litzStrandCount(1, 0.1)), expected("100"));
    const double bundle = 0.1 * std::sqrt(100.0);
    EXPECT_EQ(shown(wireArea(bundle)), expected("0.785"));
    EXPECT_EQ(shown(wireResistance(bundle, 1, 1000, aluminium->resistivity)), expected("0.036943"));
    EXPECT_EQ(shown(wireWeight(bundle, 1, 1000, aluminium->density)), expected("2.119500"));
}

TEST(ConductorFormulasTest, UnknownMaterialGivesZeroResistanceAndWeight) {
    const ConductorMaterial none = conductorMaterialOrZero(QStringLiteral("银线"));
    EXPECT_EQ(shown(wireResistance(1, 1, 1000, none.resistivity)), expected("0.000000"));
    EXPECT_EQ(shown(wireWeight(1, 1, 1000, none.density)), expected("0.000000"));
}

TEST(ConductorFormulasTest, NoResultIsEverWrittenAsNanOrInf) {
    const double values[] = {0, -1, 1, 1e-300, 1e300, kNan, kInf, -kInf};
    auto check = [](const std::optional<QString>& result) {
        if (result) {
            EXPECT_FALSE(result->contains(QStringLiteral("nan"), Qt::CaseInsensitive))
                << result->toStdString();
            EXPECT_FALSE(result->contains(QStringLiteral("inf"), Qt::CaseInsensitive))
                << result->toStdString();
        }
    };
    for (double x : values) {
        for (double y : values) {
            SCOPED_TRACE(testing::Message() << x << " " << y);
            check(wireArea(x));
            check(wireResistance(x, 1, y, 0.0175));
            check(wireWeight(x, y, 1, 8.95));
            check(litzStrandCount(x, y));
            check(litzStrandDiameter(x, y));
            check(foilSide(x, y));
            check(foilWeight(8.95, x, y));
            check(foilResistance(0.0175, x, y));
            check(awgToDiameter(x));
            check(diameterToAwg(x));
            check(skinEffectRatio(x, y));
        }
    }
}

}  // namespace
}  // namespace kelvane
