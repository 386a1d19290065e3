#pragma once

#include "engine/results/results_formulas.h"
#include "engine/sheet/design_sheet.h"

#include <QMetaObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

namespace kelvane::results {

// The results page's mark that says the results are out of date: shown
// while they are, and its text.
inline constexpr char16_t kStaleMark[] = u"LblResultsStale";
inline constexpr char16_t kStaleText[] = u"设计结果不是最新的：请点击「变压器设计结果」";

// The fill-factor limit of the safety standard chosen on `sheet`, if any.
[[nodiscard]] std::optional<double> chosenFillLimit(const sheet::DesignSheet& sheet);

// Everything the results read, as it stood when they were asked for.
struct ResultsInputs {
    sheet::Grid outputs;  // MS: voltage, current and drop of each output
    double udc = 0.0;
    double onTimeUs = 0.0;
    QString inputCurrent;  // txtis, also a factor of AbsProduct
    double primaryInductanceMh = 0.0;
    double fluxMt = 0.0;
    double currentDensity = 0.0;
    double ae = 0.0;
    double le = 0.0;
    double aw = 0.0;
    QString awText;  // TxtCoreAw, read by the temperature rise as text
    double turnLengthMm = 0.0;
    double permeability = 0.0;  // TxtApp(2), Ui
    double coreLossW = 0.0;
    bool flyback = false;
    bool rcc = false;
    ChosenStandards standards = {};
};

// The winding design: turns and wire of every winding, their resistance,
// drop, copper loss and weight in MSwin, the fill factor, AL, effective
// permeability, air gap, total loss and temperature rise.
class DesignResults {
public:
    explicit DesignResults(sheet::DesignSheet& sheet);
    ~DesignResults();
    DesignResults(const DesignResults&) = delete;
    DesignResults& operator=(const DesignResults&) = delete;

    void computeDesignResults();
    // Whether a field the results read changed after their last full
    // computation, or they were never computed: the window then says that
    // the results are out of date.
    [[nodiscard]] bool isStale() const { return m_stale; }
    // Change of TxtKwin: green below the chosen standard's limit, else red.
    void colourFillFactor();

    // While a design file is applied the results are asked for again and
    // again. Each time the primary row, AL, standard AL, Ue and gap are
    // computed at once: a run that skips one keeps the text of an earlier
    // run, so every run counts. The output windings and the sums, which
    // every run rewrites whole, are computed once by finishHoldingBack()
    // from the inputs of the last request; the fill factor's colour follows
    // the events the skipped passes would have raised. The texts and the
    // colour end as if every request had run in full.
    void holdBack();
    void finishHoldingBack();

private:
    enum class Scope { PrimaryAndFactors, All };

    [[nodiscard]] ResultsInputs readInputs() const;
    void compute(const ResultsInputs& in, Scope scope);
    void writeFactors(const ResultsInputs& in);
    // The fill factor a full run on these inputs writes, summed from `start`.
    [[nodiscard]] static QString fillFactorText(const ResultsInputs& in);
    // Whether that text is not empty, without summing every output.
    [[nodiscard]] static bool writesFillFactor(const ResultsInputs& in);
    // The colouring events of a run skipped while holding back.
    void replayFillEvents(const ResultsInputs& in);

    void noteOutputsEdited();
    void setStale(bool stale);

    sheet::DesignSheet& m_sheet;
    QVector<QMetaObject::Connection> m_watches;
    bool m_stale = true;
    // The outputs table as last seen: a row chosen is no change of it.
    QVector<QStringList> m_outputsSeen;
    bool m_holdingBack = false;
    // The last request and the one before it, while holding back.
    std::optional<ResultsInputs> m_heldBack;
    std::optional<ResultsInputs> m_beforeLast;
    // The fill factor as the skipped passes would have left it: whether
    // its text is empty, its colour, and the run whose sum coloured it
    // last (summed only if no later event colours it again).
    bool m_heldFillWritten = false;
    std::optional<int> m_heldColour;
    std::optional<ResultsInputs> m_colouringSum;
    // The inputs of the run in progress: its fill factor is coloured by
    // the standard of its own inputs.
    const ResultsInputs* m_running = nullptr;
};

}  // namespace kelvane::results
