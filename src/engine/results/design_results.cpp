#include "engine/results/design_results.h"

#include "engine/base/number_text.h"
#include "engine/results/results_formulas.h"
#include "engine/sheet/design_sheet.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <utility>

namespace kelvane::results {

using sheet::Check;
using sheet::Field;
using sheet::Table;
using enum sheet::OutputColumn;
using enum sheet::WindingColumn;

namespace {

// Turns and wire diameter of output row r, as MSwin shows them.
struct OutputWinding {
    QString turns;
    QString diameter;
};

OutputWinding outputWinding(const ResultsInputs& in, int r) {
    const sheet::Grid& outputs = in.outputs;
    return {turnsFromVoltSeconds(parseNumber(outputs.cell(r, kOutputVolts)) +
                                     parseNumber(outputs.cell(r, kOutputDropVolts)),
                                 in.onTimeUs, in.fluxMt, in.ae)
                .value_or(QString()),
            wireDiameterFromCurrent(parseNumber(outputs.cell(r, kOutputAmps)), in.currentDensity)
                .value_or(QString())};
}

// Whether the results read the field.
bool isResultsInput(Field field) {
    switch (field) {
        case Field::txtudc:
        case Field::Txtton:
        case Field::txtis:
        case Field::txtlp:
        case Field::txtbm:
        case Field::TxtJ:
        case Field::TxtCoreAe:
        case Field::TxtCoreLe:
        case Field::TxtCoreAw:
        case Field::TxtBZC:
        case Field::TxtCorePl:
            return true;
        default:
            return field == sheet::materialField(sheet::MaterialColumn::InitialPermeability);
    }
}

}  // namespace

std::optional<double> chosenFillLimit(const sheet::DesignSheet& sheet) {
    std::optional<double> limit;
    for (int i = 0; i < int(std::size(kFillStandards)); ++i) {
        if (sheet.isChecked(kFillStandards[i])) {
            limit = kFillLimits[i];
        }
    }
    return limit;
}

DesignResults::DesignResults(sheet::DesignSheet& sheet)
    : m_sheet(sheet), m_outputsSeen(sheet.grid(Table::MS).rows) {
    m_watches.append(
        QObject::connect(&m_sheet, &sheet::DesignSheet::textChanged, [this](Field field) {
            if (isResultsInput(field)) {
                setStale(true);
            }
        }));
    m_watches.append(
        QObject::connect(&m_sheet, &sheet::DesignSheet::checkChanged, [this](Check check) {
            if (check == Check::Option1 || check == Check::Option3) {
                setStale(true);
            }
        }));
    m_watches.append(
        QObject::connect(&m_sheet, &sheet::DesignSheet::gridChanged, [this](Table table) {
            if (table == Table::MS) {
                noteOutputsEdited();
            }
        }));
}

DesignResults::~DesignResults() {
    for (const QMetaObject::Connection& watch : m_watches) {
        QObject::disconnect(watch);
    }
}

void DesignResults::setStale(bool stale) {
    m_stale = stale;
    m_sheet.setVisible(QString::fromUtf16(kStaleMark), stale);
}

void DesignResults::noteOutputsEdited() {
    const QVector<QStringList>& rows = m_sheet.grid(Table::MS).rows;
    if (rows != m_outputsSeen) {
        m_outputsSeen = rows;
        setStale(true);
    }
}

QString DesignResults::fillFactorText(const ResultsInputs& in) {
    QString fillFactor;
    if (in.aw > 0.0) {
        for (int r = 1; r < in.outputs.rowCount(); ++r) {
            const OutputWinding winding = outputWinding(in, r);
            addFillTerm(fillFactor, winding.turns, winding.diameter, in.aw);
        }
    }
    return fillFactor;
}

bool DesignResults::writesFillFactor(const ResultsInputs& in) {
    if (in.aw <= 0.0) {
        return false;
    }
    // The first finite term writes a text; one is almost always the first.
    for (int r = 1; r < in.outputs.rowCount(); ++r) {
        QString fillFactor;
        const OutputWinding winding = outputWinding(in, r);
        addFillTerm(fillFactor, winding.turns, winding.diameter, in.aw);
        if (!fillFactor.isEmpty()) {
            return true;
        }
    }
    return false;
}

ResultsInputs DesignResults::readInputs() const {
    ResultsInputs in;
    in.outputs = m_sheet.grid(Table::MS);
    in.udc = m_sheet.number(Field::txtudc);
    in.onTimeUs = m_sheet.number(Field::Txtton);
    in.inputCurrent = m_sheet.text(Field::txtis);
    in.primaryInductanceMh = m_sheet.number(Field::txtlp);
    in.fluxMt = m_sheet.number(Field::txtbm);
    in.currentDensity = m_sheet.number(Field::TxtJ);
    in.ae = m_sheet.number(Field::TxtCoreAe);
    in.le = m_sheet.number(Field::TxtCoreLe);
    in.aw = m_sheet.number(Field::TxtCoreAw);
    in.awText = m_sheet.text(Field::TxtCoreAw);
    in.turnLengthMm = m_sheet.number(Field::TxtBZC);
    in.permeability =
        m_sheet.number(sheet::materialField(sheet::MaterialColumn::InitialPermeability));
    in.coreLossW = m_sheet.number(Field::TxtCorePl);
    in.flyback = m_sheet.isChecked(Check::Option1);
    in.rcc = m_sheet.isChecked(Check::Option3);
    for (int i = 0; i < 4; ++i) {
        in.standards[i] = m_sheet.isChecked(kFillStandards[i]);
    }
    return in;
}

void DesignResults::computeDesignResults() {
    if (m_holdingBack) {
        if (m_heldBack) {
            replayFillEvents(*m_heldBack);
            m_beforeLast = std::move(m_heldBack);
        }
        m_heldBack = readInputs();
        compute(*m_heldBack, Scope::PrimaryAndFactors);
        return;
    }
    compute(readInputs(), Scope::All);
}

void DesignResults::holdBack() {
    m_holdingBack = true;
    m_heldFillWritten = !m_sheet.text(Field::TxtKwin).isEmpty();
    m_heldColour = m_sheet.color(Field::TxtKwin);
    m_colouringSum.reset();
}

void DesignResults::replayFillEvents(const ResultsInputs& in) {
    const bool chosen = std::any_of(std::begin(in.standards), std::end(in.standards),
                                    [](bool checked) { return checked; });
    // A run clears the fill factor (an event when it held a text), then
    // writes its sum (an event when there is one).
    if (m_heldFillWritten && chosen) {
        m_heldColour = fillFactorColour(0.0, in.standards);
        m_colouringSum.reset();
    }
    m_heldFillWritten = writesFillFactor(in);
    if (m_heldFillWritten && chosen) {
        m_colouringSum = in;
    }
}

void DesignResults::finishHoldingBack() {
    m_holdingBack = false;
    const std::optional<ResultsInputs> last = std::exchange(m_heldBack, std::nullopt);
    const std::optional<ResultsInputs> beforeLast = std::exchange(m_beforeLast, std::nullopt);
    if (!last) {
        return;
    }
    // The last run starts from the fill factor the run before it left.
    if (const std::optional<ResultsInputs> sum = std::exchange(m_colouringSum, std::nullopt)) {
        m_heldColour = fillFactorColour(parseNumber(fillFactorText(*sum)), sum->standards);
    }
    if (beforeLast) {
        m_sheet.storeText(Field::TxtKwin, fillFactorText(*beforeLast));
        if (m_heldColour) {
            m_sheet.setColor(Field::TxtKwin, *m_heldColour);
        }
    }
    compute(*last, Scope::All);
}

void DesignResults::compute(const ResultsInputs& in, Scope scope) {
    const ResultsInputs* const outer = std::exchange(m_running, &in);
    if (scope == Scope::All) {
        for (Field field : {Field::TxtWinLost, Field::TxtCuWeigh, Field::TxtTranLost,
                            Field::TxtTempUp, Field::TxtKwin}) {
            m_sheet.setText(field, QString());
        }
    }
    const sheet::Grid& outputs = in.outputs;
    sheet::Grid& windings = m_sheet.editGrid(Table::MSwin);
    windings.setRowCount(outputs.rowCount());

    const auto writeConductor = [&windings, &in](int row, const QString& amps) {
        const WindingConductor conductor =
            windingConductor(windings.cell(row, kWindingTurns),
                             windings.cell(row, kWindingDiameter), amps, in.turnLengthMm);
        windings.setCell(row, kWindingResistance, conductor.resistance);
        windings.setCell(row, kWindingDrop, conductor.drop);
        windings.setCell(row, kWindingLoss, conductor.loss);
        windings.setCell(row, kWindingWeight, conductor.weight);
    };

    if (outputs.rowCount() > 1) {
        // The primary row depends on no output: every pass over the outputs
        // would write it the same.
        windings.setCell(
            0, kWindingTurns,
            turnsFromVoltSeconds(in.udc, in.onTimeUs, in.fluxMt, in.ae).value_or(QString()));
        windings.setCell(0, kWindingDiameter,
                         wireDiameterFromCurrent(parseNumber(in.inputCurrent), in.currentDensity)
                             .value_or(QString()));
        writeConductor(0, in.inputCurrent);
    }
    if (scope == Scope::PrimaryAndFactors) {
        m_sheet.gridEdited(Table::MSwin);
        writeFactors(in);
        m_running = outer;
        return;
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
    const auto addWinding = [&](int row) {
        addTo(winLoss,
              formatPlain(parseNumber(winLoss) + parseNumber(windings.cell(row, kWindingLoss))));
        addTo(copperWeight, formatPlain(parseNumber(copperWeight) +
                                        parseNumber(windings.cell(row, kWindingWeight))));
    };
    for (int r = 1; r < outputs.rowCount(); ++r) {
        const QString amps = outputs.cell(r, kOutputAmps);
        const OutputWinding winding = outputWinding(in, r);
        windings.setCell(r, kWindingName, QStringLiteral("N%1").arg(r + 1));
        windings.setCell(r, kWindingTurns, winding.turns);
        windings.setCell(r, kWindingDiameter, winding.diameter);
        writeConductor(r, amps);
        addWinding(r);
        if (in.aw > 0.0) {
            addFillTerm(fillFactor, winding.turns, winding.diameter, in.aw);
        }
    }
    // The primary carries copper loss and weight too; the fill factor keeps
    // the output windings only, as the standards' limits are set for them.
    if (outputs.rowCount() > 1) {
        addWinding(0);
    }
    m_sheet.setText(Field::TxtWinLost, winLoss);
    m_sheet.setText(Field::TxtCuWeigh, copperWeight);
    m_sheet.setText(Field::TxtKwin, fillFactor);
    m_sheet.gridEdited(Table::MSwin);

    writeFactors(in);
    if (const std::optional<QString> total =
            formatPlain(in.coreLossW + m_sheet.number(Field::TxtWinLost))) {
        m_sheet.setText(Field::TxtTranLost, *total + u'W');
    }
    m_sheet.setText(
        Field::TxtTempUp,
        temperatureRise(in.awText, m_sheet.text(Field::TxtTranLost)).value_or(QString()) +
            QStringLiteral("℃"));
    setStale(false);
    m_running = outer;
}

void DesignResults::writeFactors(const ResultsInputs& in) {
    const double primaryTurns = parseNumber(m_sheet.grid(Table::MSwin).cell(0, kWindingTurns));
    if (primaryTurns > 0.0) {
        if (const std::optional<QString> al =
                inductanceFactorText(in.primaryInductanceMh, primaryTurns)) {
            m_sheet.setText(Field::TxtAl, *al + QStringLiteral("nH/N2"));
        }
        m_sheet.setText(Field::TxtSAl,
                        standardInductanceFactor(std::nearbyint(in.permeability), in.ae, in.le)
                                .value_or(QString()) +
                            QStringLiteral("nH/N2"));
    }
    if (const std::optional<QString> ue =
            effectivePermeabilityText(m_sheet.number(Field::TxtAl), in.le, in.ae)) {
        m_sheet.setText(Field::TxtUe, *ue);
    }
    // The forward converter stores no energy in the core: no gap.
    for (bool stored : {in.flyback, in.rcc}) {
        if (!stored) {
            continue;
        }
        if (const std::optional<QString> gap =
                airGapText(in.permeability, m_sheet.number(Field::TxtUe), in.le)) {
            m_sheet.setText(Field::TxtGap, *gap + QStringLiteral("mm"));
        }
    }
}

void DesignResults::colourFillFactor() {
    ChosenStandards standards;
    for (int i = 0; i < kFillStandardCount; ++i) {
        standards[i] =
            m_running != nullptr ? m_running->standards[i] : m_sheet.isChecked(kFillStandards[i]);
    }
    if (const std::optional<int> colour =
            fillFactorColour(m_sheet.number(Field::TxtKwin), standards)) {
        m_sheet.setColor(Field::TxtKwin, *colour);
    }
}

}  // namespace kelvane::results
