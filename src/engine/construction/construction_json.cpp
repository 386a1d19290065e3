#include "engine/construction/construction_json.h"

#include "engine/base/number_text.h"
#include "engine/check/check_text.h"
#include "engine/construction/construction_formulas.h"

#include <QJsonArray>

namespace kelvane::construction {

namespace {

// A number without the noise of its last bits: what the sheet could print.
QJsonValue number(double value, int decimals = 4) {
    const std::optional<double> rounded = roundFixed(value, decimals);
    return rounded ? QJsonValue(*rounded) : QJsonValue(QJsonValue::Null);
}

// A number as the sheet prints it, with three significant digits.
QJsonValue printed(double value) {
    return number(parseNumber(check::significantText(value)), 9);
}

QJsonValue optionalNumber(const std::optional<double>& value, int decimals = 4) {
    return value ? number(*value, decimals) : QJsonValue(QJsonValue::Null);
}

QString circuitName(sheet::Circuit circuit) {
    switch (circuit) {
        case sheet::Circuit::Forward:
            return QStringLiteral("forward");
        case sheet::Circuit::Rcc:
            return QStringLiteral("rcc");
        case sheet::Circuit::Flyback:
            break;
    }
    return QStringLiteral("flyback");
}

QString kindName(WindingKind kind) {
    switch (kind) {
        case WindingKind::Primary:
            return QStringLiteral("primary");
        case WindingKind::Bias:
            return QStringLiteral("bias");
        case WindingKind::Secondary:
            break;
    }
    return QStringLiteral("secondary");
}

QJsonObject windingJson(const Winding& w) {
    return QJsonObject{
        {QStringLiteral("name"), w.name},
        {QStringLiteral("row"), w.row},
        {QStringLiteral("kind"), kindName(w.kind)},
        {QStringLiteral("group"),
         w.primarySide ? QStringLiteral("primary") : QStringLiteral("secondary")},
        {QStringLiteral("turns"), number(w.turns)},
        {QStringLiteral("centreTapped"), w.centreTapped},
        {QStringLiteral("wire"),
         QJsonObject{{QStringLiteral("type"), w.tripleInsulated ? QStringLiteral("triple-insulated")
                                                                : QStringLiteral("enamelled")},
                     {QStringLiteral("diameterMm"), number(w.diameterMm)},
                     {QStringLiteral("strands"), w.strands},
                     {QStringLiteral("strandDiameterMm"), number(w.strandMm)},
                     {QStringLiteral("outerDiameterMm"), number(w.outerMm)}}},
        {QStringLiteral("pins"),
         QJsonObject{{QStringLiteral("start"), w.startPin},
                     {QStringLiteral("tap"), w.hasTap ? QJsonValue(w.tapPin) : QJsonValue()},
                     {QStringLiteral("finish"), w.finishPin}}},
        {QStringLiteral("dcrOhm"),
         w.resistanceOhm ? printed(*w.resistanceOhm) : QJsonValue(QJsonValue::Null)}};
}

QString partName(int part) {
    return part == 1   ? QStringLiteral("first-half")
           : part == 2 ? QStringLiteral("second-half")
                       : QStringLiteral("whole");
}

QJsonArray orderJson(const Construction& c) {
    QJsonArray order;
    for (size_t k = 0; k < c.steps.size(); ++k) {
        const Step& step = c.steps[k];
        order.append(
            QJsonObject{{QStringLiteral("step"), QStringLiteral("W%1").arg(k + 1)},
                        {QStringLiteral("winding"), c.windings[size_t(step.winding)].name},
                        {QStringLiteral("part"), partName(step.part)},
                        {QStringLiteral("startPin"), step.startPin},
                        {QStringLiteral("finishPin"), step.finishPin},
                        {QStringLiteral("turns"), number(step.turns)},
                        {QStringLiteral("turnsPerLayer"), number(step.turnsPerLayer)},
                        {QStringLiteral("layers"), number(step.layers)},
                        {QStringLiteral("marginMm"), number(step.marginMm)},
                        {QStringLiteral("layerLengthMm"), number(step.layerLengthMm)},
                        {QStringLiteral("depthMm"), number(step.depthMm)},
                        {QStringLiteral("tapeAfter"),
                         QJsonObject{{QStringLiteral("layers"), step.tapeLayers},
                                     {QStringLiteral("reinforced"), step.reinforcedTape},
                                     {QStringLiteral("outerWrap"), k + 1 == c.steps.size()}}}});
    }
    return order;
}

QJsonObject gappingJson(const Construction& c) {
    QJsonObject gapping{{QStringLiteral("gapped"), c.storesEnergy},
                        {QStringLiteral("alNhPerN2"), c.alNh ? printed(*c.alNh) : QJsonValue()}};
    if (c.storesEnergy && c.alNh) {
        const Band band = *c.alBand();
        gapping.insert(QStringLiteral("tolerancePercent"), kAlTolerancePercent);
        gapping.insert(QStringLiteral("alMinNhPerN2"), printed(band.low));
        gapping.insert(QStringLiteral("alMaxNhPerN2"), printed(band.high));
    }
    gapping.insert(QStringLiteral("gapReference"),
                   c.gapText.isEmpty() ? QJsonValue() : QJsonValue(c.gapText));
    return gapping;
}

QJsonObject testsJson(const Construction& c) {
    const Band band = c.inductanceBand();
    QJsonObject inductance{{QStringLiteral("pins"), c.inductancePins},
                           {QStringLiteral("frequencyKHz"), c.testFrequencyKHz},
                           {QStringLiteral("voltageV"), c.testVoltageV},
                           {QStringLiteral("nominalMh"), number(c.inductanceMh, 3)}};
    if (c.storesEnergy) {
        inductance.insert(QStringLiteral("tolerancePercent"), kInductanceTolerancePercent);
        inductance.insert(QStringLiteral("minMh"), number(band.low, 3));
        inductance.insert(QStringLiteral("maxMh"), number(band.high, 3));
    } else {
        inductance.insert(QStringLiteral("minMh"), number(c.inductanceMh, 3));
        inductance.insert(QStringLiteral("maxMh"), QJsonValue());
    }
    QJsonValue leakage;
    if (c.leakageUh) {
        leakage =
            QJsonObject{{QStringLiteral("pins"), c.inductancePins},
                        {QStringLiteral("shorted"), QJsonArray::fromStringList(c.shortedPins)},
                        {QStringLiteral("breadthMm"), number(c.leakageBreadthMm)},
                        {QStringLiteral("estimateUh"), printed(*c.leakageUh)},
                        {QStringLiteral("maxUh"), optionalNumber(c.leakageMaxUh(), 6)},
                        {QStringLiteral("accuracyPercent"), kLeakageAccuracyPercent},
                        {QStringLiteral("method"), QStringLiteral("one-dimensional")}};
    }
    QJsonArray hipot;
    for (const HipotTest& test : c.hipot) {
        hipot.append(QJsonObject{{QStringLiteral("pair"), test.pair},
                                 {QStringLiteral("between"), test.between},
                                 {QStringLiteral("pins"), test.pins},
                                 {QStringLiteral("requirement"), test.requirement},
                                 {QStringLiteral("voltageV"), number(test.volts, 1)}});
    }
    QJsonArray dcr;
    for (const ResistanceTest& test : c.resistance) {
        dcr.append(QJsonObject{{QStringLiteral("winding"), test.winding},
                               {QStringLiteral("pins"), test.pins},
                               {QStringLiteral("nominalOhm"), printed(test.nominalOhm)},
                               {QStringLiteral("maxOhm"), printed(test.maxOhm)},
                               {QStringLiteral("temperatureC"), 20}});
    }
    return QJsonObject{{QStringLiteral("inductance"), inductance},
                       {QStringLiteral("leakage"), leakage},
                       {QStringLiteral("hipot"), hipot},
                       {QStringLiteral("dcr"), dcr}};
}

}  // namespace

QJsonObject constructionJson(const Construction& c, const check::CheckResult& check) {
    QJsonArray windings;
    for (const Winding& w : c.windings) {
        windings.append(windingJson(w));
    }
    QJsonArray failing;
    for (const check::CheckItem& item : check.items) {
        if (item.verdict == check::Verdict::Fail) {
            failing.append(item.id);
        }
    }
    QJsonObject object{{QStringLiteral("complete"), c.complete()},
                       {QStringLiteral("missing"), c.missing},
                       {QStringLiteral("circuit"), circuitName(c.circuit)},
                       {QStringLiteral("pushPull"), c.pushPull},
                       {QStringLiteral("core"), c.coreName},
                       {QStringLiteral("windings"), windings},
                       {QStringLiteral("notes"), QJsonArray::fromStringList(c.notes)},
                       {QStringLiteral("check"),
                        QJsonObject{{QStringLiteral("summary"), check::verdictName(check.summary)},
                                    {QStringLiteral("failing"), failing}}}};
    if (!c.complete()) {
        return object;
    }
    object.insert(QStringLiteral("window"),
                  QJsonObject{{QStringLiteral("lengthMm"), number(c.windowLengthMm)},
                              {QStringLiteral("depthMm"), number(c.windowDepthMm)}});
    object.insert(QStringLiteral("creepageMm"), number(c.creepageMm));
    object.insert(QStringLiteral("sandwich"), c.sandwich);
    object.insert(QStringLiteral("order"), orderJson(c));
    object.insert(QStringLiteral("tape"), QJsonObject{{QStringLiteral("filmMm"), kTapeFilmMm},
                                                      {QStringLiteral("layerMm"), kTapeLayerMm}});
    object.insert(QStringLiteral("buildMm"), number(c.buildMm));
    object.insert(QStringLiteral("fits"), c.fits);
    object.insert(QStringLiteral("gapping"), gappingJson(c));
    object.insert(QStringLiteral("tests"), testsJson(c));
    return object;
}

}  // namespace kelvane::construction
