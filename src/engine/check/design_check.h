#pragma once

#include "engine/check/check_input.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace kelvane::check {

enum class Verdict { Ok, Warn, Fail, Info };

// verdictName() — "ok", "warn", "fail", "info".
[[nodiscard]] QString verdictName(Verdict verdict);
// verdictCaption() — the word the page and the report show: 合格, 警告,
// 不合格, 参考.
[[nodiscard]] QString verdictCaption(Verdict verdict);

// One item of the check: how one quantity of the transformer as designed
// comes out, against its limit.
struct CheckItem {
    QString id;       // vor, mode, duty, …, "is_rms(1)", "uo(2)", …, gap
    QString caption;  // 反射电压Vor, 次级1有效值电流, …
    // The number VALUE shows, in its unit, unrounded; no value for an item
    // whose inputs are missing, and for `mode`.
    std::optional<double> value;
    // Three significant digits and the unit ("2.30 A", "0.506", "22.2 ℃");
    // the mode's name (CCM, DCM, BCM); "" for no value.
    QString valueText;
    Verdict verdict = Verdict::Info;
    QString limitText;    // "≤ 0.45", "" for an item without a limit
    QString sentence;     // one plain sentence; says what is missing
    QString formulaText;  // the formula with the numbers put in
    QString classicText;  // the classic method's figure beside it, or ""
};

struct CheckResult {
    std::vector<CheckItem> items;
    Verdict summary = Verdict::Ok;  // the worst verdict; info counts as ok
    int failCount = 0;
    int warnCount = 0;
    QString summaryText;  // "校核：2 项不合格，1 项警告", "校核：全部合格"
};

// itemById() — the item of `result` with the id, or null.
[[nodiscard]] const CheckItem* itemById(const CheckResult& result, QStringView id);

// An output's voltage against its design value, as uo(r) judges it: ok
// within this share of the design value, a warning within the second, a
// failure beyond.
inline constexpr double kOutputOkShare = 0.05;
inline constexpr double kOutputWarnShare = 0.10;

// outputDeviationVerdict() — `volts` against the design value `designV` by
// those shares; info when the design value is 0 or either is not finite.
[[nodiscard]] Verdict outputDeviationVerdict(double volts, double designV);

// runCheck() — every item of the check, in this order. Flyback and RCC:
// vor, mode, duty, frequency (RCC only), ip_peak, ip_valley, ip_rms,
// is_rms(r) and then uo(r) for each output r, b_peak, b_swing, vin_min,
// vds_max. Forward: duty, b_peak, b_swing, ip_rms, is_rms(r), uo(r),
// vds_max. Then for every circuit: core_loss, copper_loss, loss_share,
// skin, build, temp_rise, gap. No circuit chosen lists the flyback items.
// An input that is not a finite number counts as missing; no text holds a
// number that is not finite. For an estimated core (coreEstimate) the items
// that rest on Ae, Le or Ve (b_peak, b_swing, core_loss, loss_share,
// temp_rise) end their sentence with "磁芯参数为估算值（±10%）".
[[nodiscard]] CheckResult runCheck(const CheckInput& input);

// A material as the items that depend on it read it: its saturation, and
// its loss law at the design's frequency or why it has none.
struct CheckMaterial {
    bool chosen = false;
    std::optional<double> saturationMt;
    std::optional<SteinmetzFit> fit;
    QString pointsMissing;  // why there are no loss points, "" when there are
    QString lawMissing;     // why the points give no law, "" with one
};

// checkMaterial() — the material fields of `input` at its frequency.
[[nodiscard]] CheckMaterial checkMaterial(const CheckInput& input);

// The items that change with the core and the material, for ranking pairs
// of them; the others are the same for every pair.
enum class PairItem : quint8 { OutputVoltage, FluxPeak, LossShare, Build, TemperatureRise, Gap };

// The worst verdict of the pair items (info counts as ok, so it is never
// info) and the first item in the check's order that has it.
struct PairVerdict {
    Verdict verdict = Verdict::Ok;
    PairItem item = PairItem::OutputVoltage;
    int output = 0;  // of uo(r): r − 1
};

// pairItemCaption() — the caption of the item a verdict names; "" for ok.
[[nodiscard]] QString pairItemCaption(const PairVerdict& verdict);

// The transformer as wound on one core: what every material on it shares,
// worked out once. The pair items of a material then cost a few numbers.
class WoundCore {
public:
    // `input` without its material fields, which verdict() takes instead.
    explicit WoundCore(CheckInput input);
    ~WoundCore();
    WoundCore(WoundCore&&) noexcept;
    WoundCore& operator=(WoundCore&&) noexcept;

    // The pair items with `material` and the gap the pair's design shows,
    // as runCheck() judges them on the same design.
    [[nodiscard]] PairVerdict verdict(const CheckMaterial& material,
                                      std::optional<double> gapMm) const;

    // Whether every pair on these windings fails, whatever its material and
    // gap: an output's voltage or the build fails.
    [[nodiscard]] bool failsWhateverMaterial() const;
    // Whether an output's voltage fails: it follows from the turns alone.
    [[nodiscard]] bool outputVoltageFails() const;

private:
    struct Wound;
    std::unique_ptr<Wound> m_wound;
};

}  // namespace kelvane::check
