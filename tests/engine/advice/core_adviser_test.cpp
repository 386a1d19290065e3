#include "engine/advice/core_adviser.h"

#include "engine/advice/advice_order.h"
#include "engine/base/key_codes.h"
#include "engine/base/number_text.h"
#include "engine/script/scripted_prompter.h"
#include "engine/script/snapshot.h"
#include "engine/session/design_session.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <functional>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>

namespace kelvane::advice {
namespace {

using sheet::Field;

// A design as the engineer types it: each step is a verb on the window.
struct DesignCase {
    const char* name;
    std::function<void(session::DesignSession&)> enter;
};

void type(session::DesignSession& w, const char* field, const QString& text) {
    w.type(*sheet::fieldByName(QString::fromLatin1(field)), text);
}

void addOutput(session::DesignSession& w, const char* volts, const char* amps, const char* drop) {
    type(w, "txtuoutput", QString::fromLatin1(volts));
    type(w, "TxtIoutput", QString::fromLatin1(amps));
    type(w, "TXTDIO", QString::fromLatin1(drop));
    w.click(sheet::Command::Command1);
}

void primary(session::DesignSession& w, const char* umin, const char* f, const char* d) {
    type(w, "TxtUmin", QString::fromLatin1(umin));
    type(w, "TxtF", QString::fromLatin1(f));
    type(w, "txtd", QString::fromLatin1(d));
    w.keyDown(sheet::Field::txtd, kEnterKey);
}

const DesignCase kDesigns[] = {
    {"flyback two outputs 65 kHz IEC",
     [](session::DesignSession& w) {
         w.click(sheet::Check::Option1);
         primary(w, "85", "65", "0.45");
         addOutput(w, "12", "4", "0.5");
         addOutput(w, "5", "2", "0.4");
     }},
    {"forward one output 100 kHz VDE",
     [](session::DesignSession& w) {
         w.click(sheet::Check::Option2);
         w.click(sheet::Check::OptVDE);
         primary(w, "180", "100", "0.4");
         addOutput(w, "24", "2", "0.7");
     }},
    {"RCC three outputs 20 kHz UL",
     [](session::DesignSession& w) {
         w.click(sheet::Check::Option3);
         w.click(sheet::Check::OptUL);
         primary(w, "90", "20", "0.5");
         addOutput(w, "5", "1", "0.3");
         addOutput(w, "12", "0.5", "0.5");
         addOutput(w, "15", "0.2", "0.5");
     }},
    {"flyback 500 kHz own standard, typed Bm and J",
     [](session::DesignSession& w) {
         w.click(sheet::Check::Option1);
         w.click(sheet::Check::OptSelf);
         primary(w, "100", "500", "0.3");
         addOutput(w, "19", "3.4", "0.6");
         type(w, "TxtJ", QStringLiteral("6"));
         type(w, "txtbm", QStringLiteral("150"));
         type(w, "TXTTEMPD", QStringLiteral("80"));
     }},
    {"flyback 10 kHz after a chosen material and core",
     [](session::DesignSession& w) {
         w.click(sheet::Check::Option1);
         primary(w, "85", "10", "0.45");
         addOutput(w, "12", "1", "0.5");
         type(w, "Text1", QStringLiteral("M2000"));
         type(w, "TXTCORE", QStringLiteral("EE25"));
         w.click(sheet::Command::Command10);
     }},
};

// A design window on its own copy of a catalogue.
struct Window {
    explicit Window(const QString& catalogue = QStringLiteral(KELVANE_TEST_CATALOGUE))
        : window(prompter, copy(catalogue), QStringLiteral("/pictures")) {
        window.open();
    }
    QString copy(const QString& catalogue) {
        const QString path = directory.filePath(QStringLiteral("catalogue.db"));
        QFile::copy(catalogue, path);
        return path;
    }
    [[nodiscard]] QString text(Field field) const { return window.sheet().text(field); }

    QTemporaryDir directory;
    script::ScriptedPrompter prompter;
    session::DesignSession window;
};

QString withoutUnit(QString text, const QString& unit) {
    if (text.endsWith(unit)) {
        text.chop(unit.size());
    }
    return text;
}

// The design check's items that depend on the pair, as the check page of
// the applied design shows them: the worst verdict (info as ok) and the
// caption of the first item with it.
std::pair<QString, QString> pairItemsOfTheCheck(const check::CheckResult& result) {
    static const QStringList kPairIds = {QStringLiteral("b_peak"), QStringLiteral("loss_share"),
                                         QStringLiteral("build"), QStringLiteral("temp_rise"),
                                         QStringLiteral("gap")};
    const auto rank = [](check::Verdict v) {
        return v == check::Verdict::Fail ? 2 : v == check::Verdict::Warn ? 1 : 0;
    };
    const check::CheckItem* worst = nullptr;
    for (const check::CheckItem& item : result.items) {
        if ((kPairIds.contains(item.id) || item.id.startsWith(u"uo(")) &&
            (worst == nullptr || rank(item.verdict) > rank(worst->verdict))) {
            worst = &item;
        }
    }
    if (worst == nullptr || rank(worst->verdict) == 0) {
        return {QStringLiteral("ok"), QString()};
    }
    return {check::verdictName(worst->verdict), worst->caption};
}

// Applies the pair in a fresh window with the design entered, and compares
// what the window then shows with the adviser's row (none: the pair is no
// candidate). Returns whether the pair is a candidate.
bool checkPair(const QString& catalogueFile, const DesignCase& design,
               const CatalogueSnapshot& catalogue, const Advice& rows, int c, int m) {
    SCOPED_TRACE((catalogue.cores[c].name + u' ' + catalogue.materials[m].texts[1]).toStdString());
    Window applied(catalogueFile);
    design.enter(applied.window);
    AdviceRow pair;
    pair.core = c;
    pair.material = m;
    applied.window.applyAdvice(pair, catalogue);
    const auto found = std::find_if(rows.begin(), rows.end(), [&](const AdviceRow& r) {
        return r.core == c && r.material == m;
    });
    const bool chosen =
        applied.window.catalogue().cores().currentRowid() == catalogue.cores[c].rowid &&
        applied.window.catalogue().materials().currentRowid() == catalogue.materials[m].rowid;
    const bool candidate = chosen && parseNumber(applied.text(Field::txtpl)) > 0.0;
    EXPECT_EQ(found != rows.end(), candidate);
    if (!candidate || found == rows.end()) {
        return candidate;
    }
    const QStringList shown = {
        applied.text(Field::TxtCoreSize),
        applied.text(sheet::materialField(1)),
        applied.text(Field::TxtCoreFactory),
        applied.window.sheet().grid(sheet::Table::MSwin).cell(0, 1),
        applied.text(Field::txtbm),
    };
    const QStringList row = rows.texts(*found);
    EXPECT_EQ(row.mid(0, 5), shown);
    // Every column is the text the window shows after the pair is applied.
    EXPECT_EQ(row[int(AdviceColumn::CoreLoss)], applied.text(Field::TxtCorePl));
    EXPECT_EQ(row[int(AdviceColumn::CopperLoss)], applied.text(Field::TxtWinLost));
    EXPECT_EQ(row[int(AdviceColumn::TotalLoss)],
              withoutUnit(applied.text(Field::TxtTranLost), QStringLiteral("W")));
    EXPECT_EQ(row[int(AdviceColumn::FillFactor)], applied.text(Field::TxtKwin));
    EXPECT_EQ(row[int(AdviceColumn::InductanceFactor)], applied.text(Field::TxtAl));
    EXPECT_EQ(row[int(AdviceColumn::Gap)], applied.text(Field::TxtGap));
    const QString rise = withoutUnit(applied.text(Field::TxtTempUp), QStringLiteral("℃"));
    EXPECT_EQ(row[int(AdviceColumn::TemperatureRise)], rise);
    // The numbers the rows are ranked and filtered by read as their texts.
    const QString total = row[int(AdviceColumn::TotalLoss)];
    EXPECT_EQ(found->totalLoss, parseNumber(total));
    EXPECT_EQ(found->hasTemperatureRise, !rise.isEmpty());
    EXPECT_EQ(found->temperatureRise, found->hasTemperatureRise ? parseNumber(rise) : 0.0);
    // The check's verdict on the pair is the check of the applied design.
    const auto [verdict, reason] = pairItemsOfTheCheck(applied.window.designCheck());
    EXPECT_EQ(row[int(AdviceColumn::CheckVerdict)], verdict);
    EXPECT_EQ(row[int(AdviceColumn::CheckReason)], reason);
    const bool feasible =
        applied.window.sheet().color(Field::TxtKwin) == sheet::kGreen && !rise.isEmpty() &&
        parseNumber(rise) <= parseNumber(applied.text(Field::TXTTEMPD)) && verdict != u"fail";
    EXPECT_EQ(found->feasible, feasible);
    return candidate;
}

// All rows of a design, and the proof that advise changed nothing else.
Advice adviseAll(Window& adviser) {
    const QJsonObject before = script::engineSnapshot(adviser.window);
    AdviceOptions all;
    all.feasibleOnly = false;
    const Advice rows = adviser.window.advise(all);
    QJsonObject after = script::engineSnapshot(adviser.window);
    after.insert(QStringLiteral("advice"), before.value(QStringLiteral("advice")));
    EXPECT_EQ(before, after) << "advise changed the design";
    return rows;
}

// Each row of the adviser equals what the design window shows after its
// pair is applied, for every pair of the catalogue `file` (`cores` cores,
// five materials) and every design; the pairs without a row are exactly
// those without a loss estimate.
void checkEveryPair(const QString& file, int cores) {
    for (const DesignCase& design : kDesigns) {
        SCOPED_TRACE(design.name);
        Window adviser(file);
        design.enter(adviser.window);
        const Advice rows = adviseAll(adviser);
        const std::shared_ptr<const CatalogueSnapshot> catalogue =
            adviser.window.catalogueSnapshot();
        ASSERT_EQ(catalogue->cores.size(), cores);
        ASSERT_EQ(catalogue->materials.size(), 5);
        int candidates = 0;
        for (int c = 0; c < catalogue->cores.size(); ++c) {
            for (int m = 0; m < catalogue->materials.size(); ++m) {
                candidates += checkPair(file, design, *catalogue, rows, c, m) ? 1 : 0;
            }
        }
        EXPECT_EQ(candidates, rows.size());
        EXPECT_GT(candidates, 0);
    }
}

TEST(CoreAdviser, RowsEqualTheDesignWindowAfterApplyingTheirPair) {
    checkEveryPair(QStringLiteral(KELVANE_TEST_CATALOGUE), 8);
}

// The same on the bundled catalogue: the 20 rows a script sees and a spread
// of the other pairs.
TEST(CoreAdviser, RowsEqualTheDesignWindowOnTheBundledCatalogue) {
    const QString file = QStringLiteral(KELVANE_BUNDLED_CATALOGUE);
    QSet<QString> verdicts;
    for (const DesignCase& design : kDesigns) {
        SCOPED_TRACE(design.name);
        Window adviser(file);
        design.enter(adviser.window);
        const Advice rows = adviseAll(adviser);
        const std::shared_ptr<const CatalogueSnapshot> catalogue =
            adviser.window.catalogueSnapshot();
        ASSERT_GT(catalogue->cores.size(), 100);
        ASSERT_GT(catalogue->materials.size(), 20);
        const Advice feasible = adviser.window.advise();
        ASSERT_FALSE(feasible.isEmpty());
        for (qsizetype i = 0; i < std::min<qsizetype>(feasible.size(), 20); ++i) {
            EXPECT_TRUE(
                checkPair(file, design, *catalogue, rows, feasible[i].core, feasible[i].material));
        }
        const int materials = int(catalogue->materials.size());
        const int pairs = int(catalogue->cores.size()) * materials;
        for (int pair = 0; pair < pairs; pair += 97) {
            checkPair(file, design, *catalogue, rows, pair / materials, pair % materials);
            for (const AdviceRow& row : rows) {
                if (row.core == pair / materials && row.material == pair % materials) {
                    verdicts.insert(rows.text(row, AdviceColumn::CheckVerdict));
                }
            }
        }
    }
    // The spread holds pairs the check passes, warns of and fails.
    EXPECT_EQ(verdicts, (QSet<QString>{QStringLiteral("ok"), QStringLiteral("warn"),
                                       QStringLiteral("fail")}));
}

// The fixture with cores whose names repeat or extend an earlier name: the
// core search then lists another core first, and a refill may change Ae
// or the volume but not the name. The core loss shown follows the last
// refill that wrote it.
QString catalogueWithRepeatedNames(const QTemporaryDir& directory) {
    const QString path = directory.filePath(QStringLiteral("repeated.db"));
    QFile::copy(QStringLiteral(KELVANE_TEST_CATALOGUE), path);
    const QString connection = QStringLiteral("repeated names");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        // EE25 again with another Ae; EE25 again with its Ae but a longer
        // path; EE2, which the search for EE25 does not list but whose own
        // search lists EE25 first.
        for (const char* row : {"'EE25',70,80,60,5200,5000,'Again Co',60",
                                "'EE25',52.5,78,70,4095,4095,'Longer Co',52.5",
                                "'EE2',40,60,50,2400,2400,'Short Co',45"}) {
            EXPECT_TRUE(query.exec(
                QStringLiteral("INSERT INTO CORE (NAME, ae, Aw, le, AP, ve, FACTORY, lW) "
                               "VALUES (%1)")
                    .arg(QString::fromLatin1(row))))
                << query.lastError().text().toStdString();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return path;
}

TEST(CoreAdviser, RowsEqualTheDesignWindowWhenCoreNamesRepeat) {
    const QTemporaryDir directory;
    checkEveryPair(catalogueWithRepeatedNames(directory), 11);
}

// Without outputs, input voltage, frequency or on-time there is nothing to
// rank: no rows, and the adviser says what it needs.
TEST(CoreAdviser, AnIncompleteDesignGetsNoRowsAndItsMessage) {
    const std::function<void(session::DesignSession&)> designs[] = {
        [](session::DesignSession&) {},
        [](session::DesignSession& w) {
            primary(w, "85", "65", "0.45");  // no output
        },
        [](session::DesignSession& w) {
            primary(w, "85", "65", "0.45");
            addOutput(w, "12", "0", "0.5");  // an output that draws nothing
        },
        [](session::DesignSession& w) {
            addOutput(w, "12", "1", "0.5");
            type(w, "txtudc", QStringLiteral("0"));
        },
    };
    for (const auto& enter : designs) {
        Window w;
        w.window.click(sheet::Check::Option1);
        enter(w.window);
        w.prompter.takeMessages();
        EXPECT_TRUE(w.window.advise().isEmpty());
        EXPECT_EQ(w.prompter.takeMessages(), QStringList{incompleteDesignMessage()});
    }
    Window complete;
    kDesigns[0].enter(complete.window);
    complete.prompter.takeMessages();
    EXPECT_FALSE(complete.window.advise().isEmpty());
    EXPECT_TRUE(complete.prompter.takeMessages().isEmpty());
}

// Runs `check` for every design on both catalogues (the bundled one's losses
// and rises spread wider than the fixture's), with each order.
void forEachDesignAndOrder(const std::function<void(Window&, AdviceOrder)>& check) {
    for (const QString& file :
         {QStringLiteral(KELVANE_TEST_CATALOGUE), QStringLiteral(KELVANE_BUNDLED_CATALOGUE)}) {
        for (const DesignCase& design : kDesigns) {
            SCOPED_TRACE(design.name);
            Window w(file);
            design.enter(w.window);
            for (const AdviceOrder order :
                 {AdviceOrder::TotalLoss, AdviceOrder::TemperatureRise, AdviceOrder::Volume}) {
                SCOPED_TRACE(int(order));
                check(w, order);
            }
        }
    }
}

// The rows are sorted by the order's key, ties in catalogue order of core,
// then material.
TEST(CoreAdviser, OrdersRowsByKeyThenCatalogueOrder) {
    forEachDesignAndOrder([](Window& w, AdviceOrder order) {
        AdviceOptions all;
        all.feasibleOnly = false;
        all.order = order;
        const Advice rows = w.window.advise(all);
        ASSERT_FALSE(rows.isEmpty());
        const CatalogueSnapshot& catalogue = *rows.catalogue();
        const auto key = [order, &catalogue](const AdviceRow& row) {
            return order == AdviceOrder::TotalLoss ? row.totalLoss
                   : order == AdviceOrder::Volume  ? catalogue.cores[row.core].volume
                   : row.hasTemperatureRise        ? row.temperatureRise
                                                   : std::numeric_limits<double>::infinity();
        };
        for (int i = 1; i < rows.size(); ++i) {
            const AdviceRow& a = rows[i - 1];
            const AdviceRow& b = rows[i];
            ASSERT_LE(key(a), key(b));
            if (key(a) == key(b)) {
                ASSERT_TRUE(a.core < b.core || (a.core == b.core && a.material < b.material));
            }
        }
    });
}

// Two workers over halves of the catalogue give the rows of one; a limit
// gives the first rows of the unlimited run; the power filter keeps the
// rows of power materials only.
TEST(CoreAdviser, ThreadsLimitAndPowerFilterKeepTheRowsOfOneRun) {
    const auto same = [](const Advice& a, const Advice& b, qsizetype count) {
        ASSERT_GE(a.size(), count);
        ASSERT_GE(b.size(), count);
        for (qsizetype i = 0; i < count; ++i) {
            ASSERT_EQ(a.texts(a[i]), b.texts(b[i])) << "row " << i;
            ASSERT_EQ(a[i].feasible, b[i].feasible) << "row " << i;
        }
    };
    forEachDesignAndOrder([&same](Window& w, AdviceOrder order) {
        for (const bool feasibleOnly : {true, false}) {
            AdviceOptions options;
            options.feasibleOnly = feasibleOnly;
            options.order = order;
            const Advice one = w.window.advise(options);
            options.threads = 2;
            const Advice two = w.window.advise(options);
            ASSERT_EQ(one.size(), two.size());
            same(one, two, one.size());
            options.limit = 7;
            const Advice first = w.window.advise(options);
            ASSERT_EQ(first.size(), std::min<qsizetype>(7, one.size()));
            same(one, first, first.size());
            options.limit = 0;
            options.powerOnly = true;
            const Advice power = w.window.advise(options);
            std::vector<AdviceRow> kept;
            std::copy_if(one.begin(), one.end(), std::back_inserter(kept),
                         [&one](const AdviceRow& row) {
                             return one.catalogue()->materials[row.material].power;
                         });
            ASSERT_EQ(power.size(), qsizetype(kept.size()));
            for (size_t i = 0; i < kept.size(); ++i) {
                ASSERT_EQ(power.texts(power[qsizetype(i)]), one.texts(kept[i]));
            }
        }
    });
}

// The front holds exactly the feasible rows that no other feasible row
// beats on volume and loss, and each filter keeps exactly the rows it says.
TEST(CoreAdviser, ParetoFrontAndFiltersHoldTheirRule) {
    forEachDesignAndOrder([](Window& w, AdviceOrder order) {
        if (order != AdviceOrder::TotalLoss) {
            return;
        }
        AdviceOptions all;
        all.feasibleOnly = false;
        const Advice rows = w.window.advise(all);
        const CatalogueSnapshot& catalogue = *rows.catalogue();
        const auto volume = [&](int i) { return catalogue.cores[rows[i].core].volumeCm3; };
        const std::vector<int> front = paretoFront(rows);
        ASSERT_FALSE(front.empty());
        for (int i = 0; i < int(rows.size()); ++i) {
            if (!rows[i].feasible || !(volume(i) > 0.0)) {
                ASSERT_EQ(std::count(front.begin(), front.end(), i), 0);
                continue;
            }
            bool beaten = false;
            for (int j = 0; j < int(rows.size()) && !beaten; ++j) {
                if (j == i || !rows[j].feasible || !(volume(j) > 0.0)) {
                    continue;
                }
                const double vi = volume(i), vj = volume(j);
                const double li = rows[i].totalLoss, lj = rows[j].totalLoss;
                // An equal pair beats a later one: the front shows each point once.
                beaten = (vj <= vi && lj < li) || (vj < vi && lj <= li) ||
                         (vj == vi && lj == li && j < i);
            }
            ASSERT_EQ(std::count(front.begin(), front.end(), i), beaten ? 0 : 1)
                << rows.texts(rows[i]).join(u',').toStdString();
        }
        ASSERT_TRUE(std::is_sorted(front.begin(), front.end(),
                                   [&](int a, int b) { return volume(a) < volume(b); }));

        const struct {
            AdviceFilter filter;
            std::function<bool(const AdviceRow&)> keeps;
        } filters[] = {
            {{QString(), QString(), false, false, 0.0}, [](const AdviceRow&) { return true; }},
            {{QString(), QString(), true, false, 0.0},
             [](const AdviceRow& row) { return row.feasible; }},
            {{QStringLiteral("PQ"), QString(), false, false, 0.0},
             [&](const AdviceRow& row) {
                 return catalogue.cores[row.core].name.startsWith(u"PQ");
             }},
            {{QString(), QString(), false, true, 0.0},
             [&](const AdviceRow& row) { return catalogue.materials[row.material].power; }},
            {{QString(), QString(), false, false, 40.0},
             [](const AdviceRow& row) {
                 return row.hasTemperatureRise && row.temperatureRise <= 40.0;
             }},
        };
        for (const auto& [filter, keeps] : filters) {
            for (const AdviceRow& row : rows) {
                ASSERT_EQ(passes(rows, row, filter), keeps(row));
            }
        }
    });
}

// The default run, which decides feasibility in numbers before it writes any
// text, lists exactly the feasible rows of all pairs, with the same texts
// and in the same order, for every design, catalogue and order.
TEST(CoreAdviser, FeasibleRowsAreTheFeasibleRowsOfAllPairs) {
    forEachDesignAndOrder([](Window& w, AdviceOrder order) {
        AdviceOptions all;
        all.feasibleOnly = false;
        all.order = order;
        const Advice every = w.window.advise(all);
        std::vector<AdviceRow> expected;
        std::copy_if(every.begin(), every.end(), std::back_inserter(expected),
                     [](const AdviceRow& row) { return row.feasible; });
        AdviceOptions feasibleOnly;
        feasibleOnly.order = order;
        const Advice rows = w.window.advise(feasibleOnly);
        ASSERT_EQ(size_t(rows.size()), expected.size());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].core, expected[size_t(i)].core);
            EXPECT_EQ(rows[i].material, expected[size_t(i)].material);
            EXPECT_EQ(rows.texts(rows[i]), every.texts(expected[size_t(i)]));
        }
    });
}

// With the allowed rise set to the rise rows show, the rows at exactly that
// rise are feasible and those just above it are not, however near.
TEST(CoreAdviser, AllowedRiseIsTheLastFeasibleRise) {
    Window w(QStringLiteral(KELVANE_BUNDLED_CATALOGUE));
    kDesigns[0].enter(w.window);
    AdviceOptions all;
    all.feasibleOnly = false;
    all.order = AdviceOrder::TemperatureRise;
    const Advice byRise = w.window.advise(all);
    ASSERT_GT(byRise.size(), 100);
    for (const qsizetype at : {byRise.size() / 10, byRise.size() / 3, byRise.size() / 2}) {
        const QString allowed = byRise.text(byRise[at], AdviceColumn::TemperatureRise);
        SCOPED_TRACE(allowed.toStdString());
        ASSERT_FALSE(allowed.isEmpty());
        type(w.window, "TXTTEMPD", allowed);
        const Advice every = w.window.advise(all);
        const Advice feasible = w.window.advise();
        int atLimit = 0;
        qsizetype expected = 0;
        for (const AdviceRow& row : every) {
            expected += row.feasible ? 1 : 0;
            if (row.feasible && every.text(row, AdviceColumn::TemperatureRise) == allowed) {
                ++atLimit;
            }
        }
        EXPECT_GT(atLimit, 0);
        EXPECT_EQ(feasible.size(), expected);
        for (const AdviceRow& row : feasible) {
            EXPECT_LE(row.temperatureRise, parseNumber(allowed));
        }
    }
}

// A table ordered by any column: numbers by value with an empty text after
// every number, names by text, either way round; ties keep the run's order.
TEST(CoreAdviser, OrdersRowsByAnyColumn) {
    Window w(QStringLiteral(KELVANE_BUNDLED_CATALOGUE));
    kDesigns[0].enter(w.window);
    AdviceOptions all;
    all.feasibleOnly = false;
    const Advice rows = w.window.advise(all);
    ASSERT_GT(rows.size(), 1000);
    for (int c = 0; c < kAdviceColumnCount; ++c) {
        const auto column = AdviceColumn(c);
        for (const bool descending : {false, true}) {
            SCOPED_TRACE(adviceColumnNames()[c].toStdString() + (descending ? " down" : " up"));
            const std::vector<int> order = rows.orderBy(column, descending);
            ASSERT_EQ(qsizetype(order.size()), rows.size());
            std::vector<int> seen = order;
            std::sort(seen.begin(), seen.end());
            ASSERT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
            const auto text = [&](size_t i) { return rows.text(rows[order[i]], column); };
            // Compares two places as the order sees them: -1, 0 or 1.
            const auto compare = [&](size_t a, size_t b) {
                if (isNumericColumn(column)) {
                    const auto number = [](const QString& t) {
                        return t.isEmpty() ? std::numeric_limits<double>::infinity()
                                           : parseNumber(t);
                    };
                    const double x = number(text(a));
                    const double y = number(text(b));
                    return x < y ? -1 : y < x ? 1 : 0;
                }
                return text(a) < text(b) ? -1 : text(b) < text(a) ? 1 : 0;
            };
            int changes = 0;
            for (size_t i = 1; i < order.size(); ++i) {
                const int step = compare(i - 1, i);
                ASSERT_NE(step, descending ? -1 : 1)
                    << text(i - 1).toStdString() << " then " << text(i).toStdString();
                if (step == 0) {
                    ASSERT_LT(order[i - 1], order[i]);
                }
                changes += step != 0 ? 1 : 0;
            }
            EXPECT_GT(changes, 0);
        }
    }
    std::atomic<bool> cancel = true;
    EXPECT_TRUE(rows.orderBy(AdviceColumn::PrimaryTurns, false, &cancel).empty());
}

}  // namespace
}  // namespace kelvane::advice
