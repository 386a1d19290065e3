#include "engine/wire/wire_calculator.h"

#include "engine/base/conductor_formulas.h"
#include "engine/base/key_codes.h"
#include "engine/base/number_text.h"
#include "engine/base/prompter.h"
#include "engine/wire/wire_field_list.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <cassert>
#include <cmath>
#include <optional>

namespace kelvane::wire {
namespace {

// Field indexes, in layout order.
enum FieldIndex : int {
#define KELVANE_ENUM(id, name, text) id,
    KELVANE_WIRE_FIELDS(KELVANE_ENUM)
#undef KELVANE_ENUM
        FieldCount
};

struct FieldLayout {
    const char* name;
    const char* text;  // UTF-8
};

constexpr FieldLayout kLayout[] = {
#define KELVANE_LAYOUT(id, name, text) {name, text},
    KELVANE_WIRE_FIELDS(KELVANE_LAYOUT)
#undef KELVANE_LAYOUT
};

const QHash<QString, int>& fieldIndexes() {
    static const QHash<QString, int> indexes = [] {
        QHash<QString, int> map;
        for (int i = 0; i < FieldCount; ++i) {
            map.insert(QString::fromLatin1(kLayout[i].name), i);
        }
        return map;
    }();
    return indexes;
}

std::optional<int> indexOf(const QString& name) {
    const auto found = fieldIndexes().constFind(name);
    if (found == fieldIndexes().constEnd()) {
        return std::nullopt;
    }
    return *found;
}

// A formula that yields no value is written as an empty text.
QString orEmpty(const std::optional<QString>& text) {
    return text.value_or(QString());
}

// A result formatted once more with fewer decimals; no value stays empty.
QString reformatted(const std::optional<QString>& text, int decimals) {
    return text ? formatTextFixed(*text, decimals) : QString();
}

// The time of day in the system's long time format, less any time zone:
// a clock on the wall has none.
QString timeOfDay(const QTime& time) {
    const QLocale locale = QLocale::system();
    QString format = locale.timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    format.replace(zone, QStringLiteral(" "));
    return locale.toString(time, format.trimmed());
}

// The counter's text after one tick: its number plus one in the general
// number form. A sum that cannot be written leaves the text as it was.
QString countedOnce(const QString& text) {
    return formatPlain(parseNumber(text) + 1.0).value_or(text);
}

// A number text in plain decimal form ("-12.25"): its digits without the
// point, as a whole number, and how many of them are decimals.
struct PlainDecimal {
    qint64 digits;
    int decimals;
};

constexpr qint64 kFifteenDigits = 1'000'000'000'000'000;  // 10^15

// No value for any other text (an exponent, more than 15 decimals or digits).
std::optional<PlainDecimal> plainDecimal(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(-?)(\\d+)(?:\\.(\\d+))?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QString decimals = match.captured(3);
    const QString digits = match.captured(2) + decimals;
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    if (!ok || decimals.size() > 15 || value >= kFifteenDigits) {
        return std::nullopt;
    }
    return PlainDecimal{match.captured(1).isEmpty() ? value : -value, int(decimals.size())};
}

// 10^decimals, the step of one in the digits of a plain decimal.
qint64 unitOf(const PlainDecimal& number) {
    qint64 unit = 1;
    for (int i = 0; i < number.decimals; ++i) {
        unit *= 10;
    }
    return unit;
}

QString plainDecimalText(const PlainDecimal& number) {
    QString digits = QString::number(number.digits < 0 ? -number.digits : number.digits);
    if (number.decimals > 0) {
        digits = digits.rightJustified(number.decimals + 1, u'0');
        digits.insert(digits.size() - number.decimals, u'.');
    }
    return number.digits < 0 ? u'-' + digits : digits;
}

// How many further ticks add exactly one each to `number`, so that their
// result is the exact decimal sum. That holds while the sum keeps at most 15
// significant digits and the number read back from the text is close enough
// to it: a whole number is read exactly; a negative fraction approaching
// zero loses digits to cancellation, so it goes only a quarter of the way to
// zero at a time.
qint64 exactTicks(const PlainDecimal& number) {
    const qint64 unit = unitOf(number);
    const qint64 belowLimit = (kFifteenDigits - 1 - number.digits) / unit;
    if (number.digits >= 0 || number.decimals == 0) {
        return belowLimit;
    }
    return std::min(belowLimit, -number.digits / (4 * unit));
}

// The counter's text after `count` ticks. Runs of exact ticks are added at
// once; the tick that ends a run (its sum rounds away a decimal, or no longer
// changes the text) runs as a single tick. A run ends at most a few hundred
// times on the way from any text, so the cost does not depend on `count`.
QString countedUp(QString text, qint64 count) {
    while (count > 0) {
        const QString next = countedOnce(text);
        --count;
        if (next == text) {
            break;  // the counter stands still from here on
        }
        text = next;
        const std::optional<PlainDecimal> number = plainDecimal(text);
        if (!number) {
            continue;
        }
        const qint64 run = std::min(count, exactTicks(*number));
        if (run > 0) {
            const QString sum =
                plainDecimalText({number->digits + run * unitOf(*number), number->decimals});
            // Written as a tick writes it, in the general number form.
            text = formatPlain(parseNumber(sum)).value_or(sum);
            count -= run;
        }
    }
    return text;
}

}  // namespace

WireCalculator::WireCalculator(Prompter& prompter, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_focus(QStringLiteral("CmbWire")) {
    m_texts.reserve(FieldCount);
    for (const FieldLayout& field : kLayout) {
        m_texts.append(QString::fromUtf8(field.text));
    }
}

const QStringList& WireCalculator::fieldNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const FieldLayout& field : kLayout) {
            list.append(QString::fromLatin1(field.name));
        }
        return list;
    }();
    return names;
}

QString WireCalculator::defaultText(const QString& field) {
    const std::optional<int> index = indexOf(field);
    return index ? QString::fromUtf8(kLayout[*index].text) : QString();
}

bool WireCalculator::isField(const QString& name) {
    return indexOf(name).has_value();
}

bool WireCalculator::isControl(const QString& name) {
    return isField(name) || brandLabels().contains(name) || name == u"Lbt" || name == u"P" ||
           name == u"OP" || name == u"Ab";
}

const QStringList& WireCalculator::brandLabels() {
    static const QStringList labels = {QStringLiteral("LblBrand(0)"),
                                       QStringLiteral("LblBrand(1)")};
    return labels;
}

QStringList WireCalculator::materialItems() {
    QStringList items;
    for (const ConductorMaterial& material : conductorMaterials()) {
        items.append(material.item);
    }
    return items;
}

QString WireCalculator::text(const QString& field) const {
    const std::optional<int> index = indexOf(field);
    assert(index && "not a field of the wire calculator");
    return index ? textAt(*index) : QString();
}

double WireCalculator::number(const QString& field) const {
    return parseNumber(text(field));
}

void WireCalculator::setText(const QString& field, const QString& text) {
    const std::optional<int> index = indexOf(field);
    assert(index && "not a field of the wire calculator");
    if (index) {
        setTextAt(*index, text);
    }
}

QStringList WireCalculator::comboItems(const QString& name) const {
    return name == u"CmbWire" ? m_materialItems : QStringList();
}

double WireCalculator::numberAt(int field) const {
    return parseNumber(textAt(field));
}

void WireCalculator::setTextAt(int field, const QString& text) {
    if (m_texts[field] == text) {
        return;
    }
    m_texts[field] = text;
    Q_EMIT textChanged(QString::fromLatin1(kLayout[field].name));
    onTextChange(field);
}

void WireCalculator::onTextChange(int field) {
    switch (field) {
        case CmbWire:
            recalcRoundWire();
            break;
        case TxtLitzD:
            recalcLitz();
            break;
        case TxtRac:
            recalcAcResistance();
            break;
        default:
            // Txt1 counts the clock's ticks; nothing follows from it.
            break;
    }
}

void WireCalculator::load() {
    if (m_loaded) {
        return;
    }
    m_loaded = true;
    m_materialItems = materialItems();
    Q_EMIT comboItemsChanged(QStringLiteral("CmbWire"));
    // Selecting the first item is a click on the list: it recomputes even
    // when the box already shows that text.
    pick(QStringLiteral("CmbWire"), m_materialItems.first());
}

void WireCalculator::type(const QString& field, const QString& text) {
    setText(field, text);
}

void WireCalculator::pick(const QString& combo, const QString& item) {
    if (combo != u"CmbWire") {
        return;
    }
    if (m_texts[CmbWire] != item) {
        m_texts[CmbWire] = item;
        Q_EMIT textChanged(combo);
    }
    recalcRoundWire();
}

void WireCalculator::keyDown(const QString& field, int keyCode) {
    focus(field);
    if (keyCode != kEnterKey) {
        return;
    }
    const std::optional<int> index = indexOf(field);
    if (!index) {
        return;
    }
    switch (*index) {
        case TxtWireD:
            onTxtWireDEnter();
            break;
        case TxtWireLeng:
            recalcRoundWire();
            break;
        case TxtAwg:
            onTxtAwgEnter();
            break;
        case TxtLitzD:
        case TxtLitzLeng:
            recalcLitz();
            break;
        case TxtLitzP:
            onTxtLitzPEnter();
            break;
        case TxtFoilTh:
            onTxtFoilThEnter();
            break;
        case TxtFoilWd:
            onTxtFoilWdEnter();
            break;
        case TxtFoilLeng:
            onTxtFoilLengEnter();
            break;
        case TxtF:
            onTxtFEnter();
            break;
        default:
            break;
    }
}

void WireCalculator::focus(const QString& control) {
    if (control == u"P" || control == u"OP" || control == u"Ab") {
        return;  // menu items never hold the focus
    }
    m_focus = control;
}

void WireCalculator::click(const QString& control) {
    if (control == u"P") {
        Q_EMIT printRequested();
    } else if (control == u"OP") {
        Q_EMIT closeProgramRequested();
    } else if (control == u"Ab") {
        Q_EMIT aboutRequested();
    } else if (brandLabels().contains(control)) {
        Q_EMIT webSiteRequested();
    }
}

void WireCalculator::tick(const QTime& time) {
    tick(time, 1);
}

void WireCalculator::tick(const QTime& time, qint64 count) {
    if (count <= 0) {
        return;
    }
    m_clockCaption =
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "现在是：")) + timeOfDay(time);
    Q_EMIT clockCaptionChanged(m_clockCaption);
    setTextAt(Txt1, countedUp(textAt(Txt1), count));
}

QString WireCalculator::farewellMessage() {
    return QStringLiteral(
        QT_TRANSLATE_NOOP("kelvane::messages", "祝您工作更轻松！谢谢您的使用！再见！"));
}

void WireCalculator::sayFarewell() {
    m_prompter.message(farewellMessage(),
                       QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "导线换算程序")));
}

// Resistance per metre, resistance and weight of the length, and the gauge
// of the round wire; the material comes from the list's text as shown, and a
// text that names no material counts as resistivity and density 0.
void WireCalculator::recalcRoundWire() {
    const double diameterMm = numberAt(TxtWireD);
    setTextAt(TxtWireS, orEmpty(wireArea(diameterMm)));
    const ConductorMaterial material = conductorMaterialOrZero(textAt(CmbWire));
    setTextAt(TxtWireOM, orEmpty(wireResistance(diameterMm, 1.0, 1000.0, material.resistivity)));
    const double lengthMm = numberAt(TxtWireLeng) * 1000.0;
    setTextAt(TxtWireWeig, orEmpty(wireWeight(diameterMm, 1.0, lengthMm, material.density)));
    setTextAt(TxtWireDCR, orEmpty(wireResistance(diameterMm, 1.0, lengthMm, material.resistivity)));
    setTextAt(TxtAwg, orEmpty(diameterToAwg(diameterMm)));
}

void WireCalculator::onTxtWireDEnter() {
    recalcRoundWire();
    // The foil starts from the round wire's cross-section as shown.
    setTextAt(TxtFoilS, textAt(TxtWireS));
    // Writing TxtRac runs its own handling, which computes TxtR.
    setTextAt(TxtRac, reformatted(skinEffectRatio(numberAt(TxtWireD), numberAt(TxtHfT)), 2));
}

// TxtR recomputes the ratio at full three decimals rather than reading the
// two shown by TxtRac; no ratio (no diameter or skin depth) counts as 0.
void WireCalculator::recalcAcResistance() {
    const std::optional<QString> ratio = skinEffectRatio(numberAt(TxtWireD), numberAt(TxtHfT));
    const double ratioValue = ratio ? parseNumber(*ratio) : 0.0;
    if (const std::optional<QString> ohms = formatFixed(ratioValue * numberAt(TxtWireDCR), 6)) {
        setTextAt(TxtR, *ohms);
    }
}

// Only the diameter is written; the rest waits for Enter in TxtWireD.
void WireCalculator::onTxtAwgEnter() {
    setTextAt(TxtWireD, orEmpty(awgToDiameter(numberAt(TxtAwg))));
}

// The bundle replaces the round wire of TxtWireD: the strand count comes
// first, and the bundle's data use that count as shown (a whole number).
void WireCalculator::recalcLitz() {
    setTextAt(TxtLitzP, orEmpty(litzStrandCount(numberAt(TxtWireD), numberAt(TxtLitzD))));
    const ConductorMaterial material = conductorMaterialOrZero(textAt(CmbWire));
    // The count was just written as a whole number or as empty text, so it
    // is never negative; the guard keeps the square root defined all the same.
    const double strandCount = numberAt(TxtLitzP);
    const double bundleDiameterMm =
        strandCount > 0.0 ? numberAt(TxtLitzD) * std::sqrt(strandCount) : 0.0;
    setTextAt(TxtLitzS, orEmpty(wireArea(bundleDiameterMm)));
    const double lengthMm = numberAt(TxtLitzLeng) * 1000.0;
    setTextAt(TxtLitzDCR,
              orEmpty(wireResistance(bundleDiameterMm, 1.0, lengthMm, material.resistivity)));
    setTextAt(TxtLitzWeig, orEmpty(wireWeight(bundleDiameterMm, 1.0, lengthMm, material.density)));
}

// Writing TxtLitzD runs the litz recomputation, which counts the strands
// again from the rounded diameter.
void WireCalculator::onTxtLitzPEnter() {
    setTextAt(TxtLitzD, orEmpty(litzStrandDiameter(numberAt(TxtWireD), numberAt(TxtLitzP))));
}

void WireCalculator::onTxtFoilThEnter() {
    setTextAt(TxtFoilWd, reformatted(foilSide(numberAt(TxtFoilS), numberAt(TxtFoilTh)), 1));
    recalcFoilWeightAndResistance();
}

void WireCalculator::onTxtFoilWdEnter() {
    setTextAt(TxtFoilTh, reformatted(foilSide(numberAt(TxtFoilS), numberAt(TxtFoilWd)), 1));
    recalcFoilWeightAndResistance();
}

// A new length first rounds the width to one decimal and takes the
// cross-section from the rounded sides, so S may move (10 / 0.3 gives a
// width of 33.3 and S 9.990).
void WireCalculator::onTxtFoilLengEnter() {
    setTextAt(TxtFoilWd, reformatted(foilSide(numberAt(TxtFoilS), numberAt(TxtFoilTh)), 1));
    if (const std::optional<QString> area =
            formatFixed(numberAt(TxtFoilWd) * numberAt(TxtFoilTh), 3)) {
        setTextAt(TxtFoilS, *area);
    }
    recalcFoilWeightAndResistance();
}

// Foil is always copper.
void WireCalculator::recalcFoilWeightAndResistance() {
    const double areaMm2 = numberAt(TxtFoilS);
    const double lengthMm = numberAt(TxtFoilLeng) * 1000.0;
    setTextAt(TxtFoilWeig, reformatted(foilWeight(kCopperDensity, areaMm2, lengthMm), 3));
    setTextAt(TxtFoilDCR, orEmpty(foilResistance(kCopperResistivity, areaMm2, lengthMm)));
}

// Skin depth of copper, δ = 66.1 ÷ √f mm with f in Hz. Without a positive
// frequency the skin depth keeps its text (it may have been typed) and the
// largest useful diameter follows from it all the same.
void WireCalculator::onTxtFEnter() {
    const double frequencyKHz = numberAt(TxtF);
    if (frequencyKHz > 0.0) {
        if (const std::optional<QString> depth =
                formatFixed(66.1 / std::sqrt(frequencyKHz * 1000.0), 3)) {
            setTextAt(TxtHfT, *depth);
        }
    }
    if (const std::optional<QString> largest = formatFixed(2.0 * numberAt(TxtHfT), 3)) {
        setTextAt(TxtHftMax, *largest);
    }
}

}  // namespace kelvane::wire
