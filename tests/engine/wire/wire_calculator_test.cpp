#include "engine/wire/wire_calculator.h"

#include "../table_rows.h"
#include "engine/script/scripted_prompter.h"

#include <gtest/gtest.h>

#include <QObject>

#include <memory>
#include <string>

namespace kelvane::wire {
namespace {

constexpr int kEnter = 13;

// Counts the emissions of a signal without arguments.
template <typename Signal>
std::shared_ptr<int> counter(WireCalculator& calculator, Signal signal) {
    auto count = std::make_shared<int>(0);
    QObject::connect(&calculator, signal, &calculator, [count] { ++*count; });
    return count;
}

TEST(WireCalculatorTest, LoadsOnce) {
    script::ScriptedPrompter prompter;
    WireCalculator calculator(prompter);
    calculator.load();
    EXPECT_TRUE(calculator.isLoaded());
    EXPECT_EQ(
        calculator.comboItems(QStringLiteral("CmbWire")),
        QStringList({QStringLiteral("铜线"), QStringLiteral("铝线"),
                     QStringLiteral("铜包铝线 10A 10H"), QStringLiteral("铜包铝线 15A 15H")}));
    calculator.type(QStringLiteral("TxtWireD"), QStringLiteral("1"));
    calculator.load();  // a second opening selects nothing
    EXPECT_EQ(calculator.text(QStringLiteral("TxtWireS")), u"0.000");
}

TEST(WireCalculatorTest, ChangeSignalOnlyWhenTheTextDiffers) {
    script::ScriptedPrompter prompter;
    WireCalculator calculator(prompter);
    QStringList changed;
    QObject::connect(&calculator, &WireCalculator::textChanged, &calculator,
                     [&changed](const QString& field) { changed.append(field); });
    calculator.type(QStringLiteral("TxtI"), QStringLiteral("3"));
    calculator.type(QStringLiteral("TxtI"), QStringLiteral("3"));
    EXPECT_EQ(changed, QStringList({QStringLiteral("TxtI")}));
    // Loading: TxtWireS, TxtWireWeig; CmbWire already shows copper and the
    // other results stay empty.
    changed.clear();
    calculator.load();
    EXPECT_EQ(changed, QStringList({QStringLiteral("TxtWireS"), QStringLiteral("TxtWireWeig")}));
}

TEST(WireCalculatorTest, TickCountsAndShowsTheTime) {
    script::ScriptedPrompter prompter;
    WireCalculator calculator(prompter);
    EXPECT_TRUE(calculator.clockCaption().isEmpty());
    calculator.tick(QTime(9, 5, 7));
    EXPECT_EQ(calculator.text(QStringLiteral("Txt1")), u"1");
    EXPECT_TRUE(calculator.clockCaption().startsWith(QStringLiteral("现在是：")));
    EXPECT_TRUE(calculator.clockCaption().contains(QStringLiteral("05:07")))
        << calculator.clockCaption().toStdString();
    for (int i = 0; i < 19; ++i) {
        calculator.tick(QTime(9, 5, 8 + i));
    }
    EXPECT_EQ(calculator.text(QStringLiteral("Txt1")), u"20");
    EXPECT_TRUE(calculator.clockCaption().contains(QStringLiteral("05:26")));
    // The counter reads its own text: a typed 2.5 goes on as 3.5.
    calculator.type(QStringLiteral("Txt1"), QStringLiteral("2.5"));
    calculator.tick(QTime(9, 6, 0));
    EXPECT_EQ(calculator.text(QStringLiteral("Txt1")), u"3.5");
    EXPECT_TRUE(prompter.takeMessages().isEmpty());  // no boxes every 20 ticks
}

// Many ticks at once leave exactly what as many single ticks leave, from
// any text the counter may hold: it can be typed into. The starts cover
// fractions that lose a decimal when the whole part grows, negative
// fractions crossing zero, the largest plain numbers and exponent forms.
TEST(WireCalculatorTest, ManyTicksAtOnceEqualSingleTicks) {
    const char* const starts[] = {"",
                                  "abc",
                                  "12V",
                                  "&H10",
                                  "2.5",
                                  "0.1",
                                  "-0.3",
                                  "-7",
                                  "-1000.125",
                                  "-1.00000000000001",
                                  "-0.000000000000005",
                                  "0.000000000000123",
                                  "99999999999999.5",
                                  "9999999999998.75",
                                  "999999999999990",
                                  "123456789.123456",
                                  "1.5E-16",
                                  "-1E+15",
                                  "1E+15"};
    const qint64 counts[] = {0, 1, 2, 20, 1500, 2500};
    const QTime time(8, 30, 15);
    const QString txt1 = QStringLiteral("Txt1");
    for (const char* start : starts) {
        for (const qint64 count : counts) {
            SCOPED_TRACE(std::string(start) + " + " + std::to_string(count));
            script::ScriptedPrompter prompter;
            WireCalculator single(prompter);
            WireCalculator bulk(prompter);
            single.type(txt1, QString::fromLatin1(start));
            bulk.type(txt1, QString::fromLatin1(start));
            for (qint64 i = 0; i < count; ++i) {
                single.tick(time);
            }
            bulk.tick(time, count);
            EXPECT_EQ(bulk.text(txt1), single.text(txt1));
            EXPECT_EQ(bulk.clockCaption(), single.clockCaption());
        }
    }
}

// A count far beyond what single ticks could run writes the counter a
// bounded number of times.
TEST(WireCalculatorTest, TicksCostTheSameForAnyCount) {
    struct Row {
        const char* start;
        const char* after;
    };
    const Row rows[] = {{"", "2000000000"},
                        {"-1000.125", "1999998999.875"},
                        {"0.1", "2000000000.1"},
                        {"999999999999.999", "1002000000000"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.start);
        script::ScriptedPrompter prompter;
        WireCalculator calculator(prompter);
        calculator.type(QStringLiteral("Txt1"), QString::fromLatin1(row.start));
        int writes = 0;
        QObject::connect(&calculator, &WireCalculator::textChanged, &calculator,
                         [&writes](const QString& field) { writes += field == u"Txt1"; });
        calculator.tick(QTime(8, 0), 2'000'000'000);
        EXPECT_EQ(calculator.text(QStringLiteral("Txt1")), QString::fromLatin1(row.after));
        EXPECT_LE(writes, 1);
    }
}

TEST(WireCalculatorTest, FocusMovesOnlyWithTheEngineer) {
    script::ScriptedPrompter prompter;
    WireCalculator calculator(prompter);
    EXPECT_EQ(calculator.focus(), u"CmbWire");
    calculator.load();
    calculator.type(QStringLiteral("TxtWireD"), QStringLiteral("1"));
    calculator.pick(QStringLiteral("CmbWire"), QStringLiteral("铝线"));
    calculator.click(QStringLiteral("LblBrand(0)"));
    EXPECT_EQ(calculator.focus(), u"CmbWire");
    calculator.keyDown(QStringLiteral("TxtWireD"), kEnter);  // no Enter rule moves it on
    EXPECT_EQ(calculator.focus(), u"TxtWireD");
    calculator.focus(QStringLiteral("TxtFoilS"));
    EXPECT_EQ(calculator.focus(), u"TxtFoilS");
    calculator.focus(QStringLiteral("OP"));  // menu items never hold it
    calculator.keyDown(QStringLiteral("Ab"), kEnter);
    EXPECT_EQ(calculator.focus(), u"TxtFoilS");
}

TEST(WireCalculatorTest, MenuItemsRaiseTheirRequests) {
    for (const tables::TableRow& row : tables::tableRows("wire_menu.tsv")) {
        SCOPED_TRACE(row.trace());
        ASSERT_EQ(row.columns.size(), 6);
        script::ScriptedPrompter prompter;
        WireCalculator calculator(prompter);
        const auto print = counter(calculator, &WireCalculator::printRequested);
        const auto close = counter(calculator, &WireCalculator::closeProgramRequested);
        const auto about = counter(calculator, &WireCalculator::aboutRequested);
        const auto web = counter(calculator, &WireCalculator::webSiteRequested);
        calculator.click(row.columns[0]);
        EXPECT_EQ(*print, row.columns[1].toInt());
        EXPECT_EQ(*close, row.columns[2].toInt());
        EXPECT_EQ(*about, row.columns[3].toInt());
        EXPECT_EQ(*web, row.columns[4].toInt());
        const QStringList expected =
            row.columns[5] == u"yes"
                ? QStringList{QStringLiteral("祝您工作更轻松！谢谢您的使用！再见！")}
                : QStringList{};
        EXPECT_EQ(prompter.takeMessages(), expected);
    }
}

TEST(WireCalculatorTest, OtherKeysAndFieldsHaveNoRules) {
    script::ScriptedPrompter prompter;
    WireCalculator calculator(prompter);
    calculator.load();
    calculator.type(QStringLiteral("TxtWireD"), QStringLiteral("1"));
    calculator.keyDown(QStringLiteral("TxtWireD"), 9);  // Tab
    calculator.keyDown(QStringLiteral("TxtI"), kEnter);
    calculator.keyDown(QStringLiteral("TxtWireS"), kEnter);
    EXPECT_EQ(calculator.text(QStringLiteral("TxtWireS")), u"0.000");
    EXPECT_TRUE(calculator.text(QStringLiteral("TxtFoilS")).isEmpty());
}

}  // namespace
}  // namespace kelvane::wire
