#include "engine/results/design_results.h"

#include "engine/base/conductor_formulas.h"
#include "engine/base/number_text.h"
#include "engine/results/results_formulas.h"
#include "engine/sheet/design_sheet.h"

#include <cmath>
#include <optional>

namespace kelvane::results {

using design::Check;
using design::Field;
using design::Table;

namespace {

constexpr int kGreen = 65280;
constexpr int kRed = 255;

enum Column { kName, kTurns, kDiameter, kResistance, kDrop, kLoss, kWeight };

struct FillLimit {
    Check standard;
    double limit;
};

constexpr FillLimit kFillLimits[] = {
    {Check::OptIEC, 0.15}, {Check::OptVDE, 0.12}, {Check::OptUL, 0.25}, {Check::OptSelf, 0.3}};

}  // namespace

void DesignResults::computeDesignResults() {
    for (Field field : {Field::TxtWinLost, Field::TxtCuWeigh, Field::TxtTranLost, Field::TxtTempUp,
                        Field::TxtKwin}) {
        m_sheet.setText(field, QString());
    }
    const design::Grid& outputs = m_sheet.grid(Table::MS);
    design::Grid& windings = m_sheet.editGrid(Table::MSwin);
    windings.setRowCount(outputs.rowCount());

    const double udc = m_sheet.number(Field::txtudc);
    const double onTimeUs = m_sheet.number(Field::Txtton);
    const QString& inputCurrent = m_sheet.text(Field::txtis);
    const double fluxMt = m_sheet.number(Field::txtbm);
    const double currentDensity = m_sheet.number(Field::TxtJ);
    const double ae = m_sheet.number(Field::TxtCoreAe);
    const double le = m_sheet.number(Field::TxtCoreLe);
    const double aw = m_sheet.number(Field::TxtCoreAw);
    const double turnLengthMm = m_sheet.number(Field::TxtBZC);
    const auto cellNumber = [&windings](int row, int column) {
        return parseNumber(windings.cell(row, column));
    };
    const auto writeConductor = [&](int row) {
        // Conductor length: turns × mean turn length, in mm.
        windings.setCell(row, kResistance,
                         wire::wireResistance(cellNumber(row, kDiameter), cellNumber(row, kTurns),
                                              turnLengthMm, wire::kCopperResistivity)
                             .value_or(QString()));
    };
    const auto writeWeight = [&](int row) {
        windings.setCell(row, kWeight,
                         wire::wireWeight(cellNumber(row, kDiameter), cellNumber(row, kTurns),
                                          turnLengthMm, wire::kCopperDensity)
                             .value_or(QString()));
    };

    if (outputs.rowCount() > 1) {
        // The primary row depends on no output: every pass over the outputs
        // would write it the same.
        windings.setCell(0, kTurns,
                         turnsFromVoltSeconds(udc, onTimeUs, fluxMt, ae).value_or(QString()));
        windings.setCell(
            0, kDiameter,
            wireDiameterFromCurrent(parseNumber(inputCurrent), currentDensity).value_or(QString()));
        writeConductor(0);
        windings.setCell(0, kDrop, absProduct(inputCurrent, windings.cell(0, kResistance)));
        windings.setCell(0, kLoss, absProduct(inputCurrent, windings.cell(0, kDrop)));
        writeWeight(0);
    }
    // The sums grow row by row through the texts the fields show (a sum
    // that is not finite keeps the text before it) and are written once.
    QString winLoss = m_sheet.text(Field::TxtWinLost);
    QString copperWeight = m_sheet.text(Field::TxtCuWeigh);
    QString fillFactor = m_sheet.text(Field::TxtKwin);
    const auto addTo = [](QString& sum, const std::optional<QString>& text) {
        if (text) {
            sum = *text;
        }
    };
    for (int r = 1; r < outputs.rowCount(); ++r) {
        const QString amps = outputs.cell(r, 2);
        windings.setCell(r, kName, QStringLiteral("N%1").arg(r + 1));
        windings.setCell(
            r, kTurns,
            turnsFromVoltSeconds(parseNumber(outputs.cell(r, 1)) + parseNumber(outputs.cell(r, 3)),
                                 onTimeUs, fluxMt, ae)
                .value_or(QString()));
        windings.setCell(
            r, kDiameter,
            wireDiameterFromCurrent(parseNumber(amps), currentDensity).value_or(QString()));
        writeConductor(r);
        windings.setCell(r, kDrop, absProduct(amps, windings.cell(r, kResistance)));
        windings.setCell(r, kLoss, absProduct(windings.cell(r, kDrop), amps));
        writeWeight(r);
        addTo(winLoss, formatPlain(parseNumber(winLoss) + cellNumber(r, kLoss)));
        addTo(copperWeight, formatPlain(parseNumber(copperWeight) + cellNumber(r, kWeight)));
        if (aw > 0.0) {
            const double area =
                parseNumber(wire::wireArea(cellNumber(r, kDiameter)).value_or(QString()));
            addTo(
                fillFactor,
                formatFixed(parseNumber(fillFactor) + 1.2 * cellNumber(r, kTurns) * area / aw, 2));
        }
    }
    m_sheet.setText(Field::TxtWinLost, winLoss);
    m_sheet.setText(Field::TxtCuWeigh, copperWeight);
    m_sheet.setText(Field::TxtKwin, fillFactor);
    m_sheet.gridEdited(Table::MSwin);

    const double primaryTurns = cellNumber(0, kTurns);
    if (primaryTurns > 0.0) {
        if (const std::optional<QString> al = formatFixed(
                m_sheet.number(Field::txtlp) * 1e6 / (primaryTurns * primaryTurns), 1)) {
            m_sheet.setText(Field::TxtAl, *al + QStringLiteral("nH/N2"));
        }
        const double permeability = std::nearbyint(m_sheet.number(design::materialField(2)));
        m_sheet.setText(Field::TxtSAl,
                        standardInductanceFactor(permeability, ae, le).value_or(QString()) +
                            QStringLiteral("nH/N2"));
    }
    if (ae > 0.0) {
        m_sheet.setPlain(Field::TxtUe, std::trunc(m_sheet.number(Field::TxtAl) * le / ae / 1.257));
    }
    // The forward converter stores no energy in the core: no gap.
    for (Check circuit : {Check::Option1, Check::Option3}) {
        if (!m_sheet.isChecked(circuit)) {
            continue;
        }
        const double ue = m_sheet.number(Field::TxtUe);
        const double ui = m_sheet.number(design::materialField(2));
        if (ui * ue > 0.0) {
            if (const std::optional<QString> gap = formatFixed((ui - ue) * le / (ue * ui), 3)) {
                m_sheet.setText(Field::TxtGap, *gap + QStringLiteral("mm"));
            }
        }
    }
    if (const std::optional<QString> total =
            formatPlain(m_sheet.number(Field::TxtCorePl) + m_sheet.number(Field::TxtWinLost))) {
        m_sheet.setText(Field::TxtTranLost, *total + u'W');
    }
    m_sheet.setText(Field::TxtTempUp, temperatureRise(m_sheet.text(Field::TxtCoreAw),
                                                      m_sheet.text(Field::TxtTranLost))
                                              .value_or(QString()) +
                                          QStringLiteral("℃"));
}

void DesignResults::colourFillFactor() {
    for (const FillLimit& limit : kFillLimits) {
        if (m_sheet.isChecked(limit.standard)) {
            m_sheet.setColor(Field::TxtKwin,
                             m_sheet.number(Field::TxtKwin) < limit.limit ? kGreen : kRed);
        }
    }
}

}  // namespace kelvane::results
