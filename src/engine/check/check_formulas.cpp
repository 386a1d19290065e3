#include "engine/check/check_formulas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelvane::check {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMu0 = 4e-7 * kPi;
constexpr double kFloorTolerance = 1e-9;

bool positive(double value) noexcept {
    return value > 0.0 && std::isfinite(value);
}

std::optional<double> finite(double value) noexcept {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool present(const std::optional<double>& value) noexcept {
    return value && positive(*value);
}

}  // namespace

std::optional<FlybackPoint> flybackPoint(double vinV, double vorV, double inputPowerW, double lpH,
                                         double frequencyHz) noexcept {
    if (!positive(vinV) || !positive(vorV) || !positive(inputPowerW) || !positive(lpH) ||
        !positive(frequencyHz)) {
        return std::nullopt;
    }
    const double ccmDuty = vorV / (vinV + vorV);
    const double inputA = inputPowerW / vinV;
    const double rippleA = vinV * ccmDuty / (lpH * frequencyHz);
    const double valleyA = inputA / ccmDuty - rippleA / 2.0;
    FlybackPoint point;
    if (valleyA > 0.0) {
        point = {ConductionMode::Continuous, ccmDuty, 1.0 - ccmDuty,
                 inputA / ccmDuty + rippleA / 2.0, valleyA};
    } else {
        const double peakA = std::sqrt(2.0 * inputPowerW / (lpH * frequencyHz));
        const double duty = peakA * lpH * frequencyHz / vinV;
        point = {ConductionMode::Discontinuous, duty, duty * vinV / vorV, peakA, 0.0};
    }
    if (!std::isfinite(point.duty) || !std::isfinite(point.offDuty) ||
        !std::isfinite(point.peakA) || !std::isfinite(point.valleyA)) {
        return std::nullopt;
    }
    return point;
}

std::optional<FlybackPoint> rccPoint(double vinV, double vorV, double inputPowerW) noexcept {
    if (!positive(vinV) || !positive(vorV) || !positive(inputPowerW)) {
        return std::nullopt;
    }
    const double duty = vorV / (vinV + vorV);
    const double peakA = 2.0 * inputPowerW / (vinV * duty);
    if (!std::isfinite(peakA) || !(duty > 0.0)) {
        return std::nullopt;
    }
    return FlybackPoint{ConductionMode::Boundary, duty, 1.0 - duty, peakA, 0.0};
}

std::optional<double> rccFrequencyHz(double vinV, const FlybackPoint& point, double lpH) noexcept {
    if (!positive(lpH) || !positive(point.peakA)) {
        return std::nullopt;
    }
    return finite(vinV * point.duty / (lpH * point.peakA));
}

double trapezoidRms(double fraction, double peak, double valley) noexcept {
    return std::sqrt(fraction * (peak * peak + peak * valley + valley * valley) / 3.0);
}

double copperResistivity100C() noexcept {
    return 0.0175e-6 * (1.0 + 0.00393 * 80.0);
}

std::optional<double> skinDepthM(double frequencyHz) noexcept {
    if (!positive(frequencyHz)) {
        return std::nullopt;
    }
    return finite(std::sqrt(copperResistivity100C() / (kPi * frequencyHz * kMu0)));
}

double dowellPenetration(double diameterM, double skinDepthM) noexcept {
    return std::pow(kPi / 4.0, 0.75) * (diameterM / skinDepthM) * std::sqrt(1.0 / 1.1);
}

std::optional<double> dowellFactor(double penetration, double layers) noexcept {
    if (!(penetration >= 0.0) || !(layers >= 1.0) || !std::isfinite(penetration) ||
        !std::isfinite(layers)) {
        return std::nullopt;
    }
    const double x = penetration;
    const double m2 = layers * layers;
    if (x < 1e-3) {
        // The bracket's expansion: Δ × (1/Δ + Δ³/45 …) + Δ × 2(m² − 1)/3 × Δ³/6 …
        return 1.0 + (5.0 * m2 - 1.0) / 45.0 * x * x * x * x;
    }
    if (x > 20.0) {
        // sinh and cosh overflow far sooner than their ratios change:
        // the first ratio tends to 1, the second to 1.
        return finite(x * (1.0 + 2.0 * (m2 - 1.0) / 3.0));
    }
    // The two ratios depend on Δ alone, and a winding's Δ comes back for
    // every core it is wound on: the last few are kept.
    struct Ratios {
        double penetration = -1.0;
        double first = 0.0;
        double second = 0.0;
    };
    thread_local std::array<Ratios, 8> kept;
    thread_local size_t next = 0;
    const Ratios* ratios = nullptr;
    for (const Ratios& candidate : kept) {
        if (candidate.penetration == x) {
            ratios = &candidate;
            break;
        }
    }
    if (ratios == nullptr) {
        Ratios& fresh = kept[next];
        next = (next + 1) % kept.size();
        fresh = {
            x, (std::sinh(2.0 * x) + std::sin(2.0 * x)) / (std::cosh(2.0 * x) - std::cos(2.0 * x)),
            (std::sinh(x) - std::sin(x)) / (std::cosh(x) + std::cos(x))};
        ratios = &fresh;
    }
    return finite(x * (ratios->first + 2.0 * (m2 - 1.0) / 3.0 * ratios->second));
}

bool LossPoints::any() const noexcept {
    for (const auto& byTemperature : mwPerCm3) {
        for (const std::optional<double>& point : byTemperature) {
            if (present(point)) {
                return true;
            }
        }
    }
    return false;
}

std::optional<SteinmetzFit> steinmetzFit(const LossPoints& points, double frequencyKHz,
                                         std::optional<double> classicX,
                                         std::optional<double> classicY) noexcept {
    if (!positive(frequencyKHz) || !classicY || !std::isfinite(*classicY)) {
        return std::nullopt;
    }
    // Temperature columns by index into kTemperaturesC, nearest 100 °C first.
    constexpr int kColumnOrder[] = {2, 3, 1, 0};
    for (const int column : kColumnOrder) {
        int have[3];
        int count = 0;
        for (int f = 0; f < 3; ++f) {
            if (present(points.mwPerCm3[f][column])) {
                have[count++] = f;
            }
        }
        if (count == 0) {
            continue;
        }
        const double temperatureC = LossPoints::kTemperaturesC[column];
        if (count == 1) {
            if (!classicX || !std::isfinite(*classicX)) {
                return std::nullopt;
            }
            const int f1 = have[0];
            const double pl = *points.mwPerCm3[f1][column] *
                              std::pow(frequencyKHz / LossPoints::kFrequenciesKHz[f1], *classicX);
            if (!std::isfinite(pl)) {
                return std::nullopt;
            }
            return SteinmetzFit{pl,           *classicX, *classicY,
                                temperatureC, 1,         igseConstants(*classicX)};
        }
        // The pair around f: the last pair whose lower point lies below f,
        // the first pair when f lies below every point.
        int lower = 0;
        for (int i = 0; i + 1 < count; ++i) {
            if (LossPoints::kFrequenciesKHz[have[i]] < frequencyKHz) {
                lower = i;
            }
        }
        const int f1 = have[lower];
        const int f2 = have[lower + 1];
        const double p1 = *points.mwPerCm3[f1][column];
        const double p2 = *points.mwPerCm3[f2][column];
        const double k1 = LossPoints::kFrequenciesKHz[f1];
        const double k2 = LossPoints::kFrequenciesKHz[f2];
        const double alpha = std::log(p2 / p1) / std::log(k2 / k1);
        const double pl = p1 * std::pow(frequencyKHz / k1, alpha);
        if (!std::isfinite(alpha) || !std::isfinite(pl)) {
            return std::nullopt;
        }
        return SteinmetzFit{pl, alpha, *classicY, temperatureC, 2, igseConstants(alpha)};
    }
    return std::nullopt;
}

double cosinePowerIntegral(double alpha) noexcept {
    return 2.0 * std::sqrt(kPi) * std::tgamma((alpha + 1.0) / 2.0) / std::tgamma(alpha / 2.0 + 1.0);
}

IgseConstants igseConstants(double alpha) noexcept {
    return {std::pow(2.0, alpha), std::pow(2.0 * kPi, alpha - 1.0) * cosinePowerIntegral(alpha)};
}

std::optional<double> igseFactor(double alpha, double rise, double fall) noexcept {
    return igseFactor(alpha, igseConstants(alpha), rise, fall);
}

std::optional<double> igseFactor(double alpha, const IgseConstants& constants, double rise,
                                 double fall) noexcept {
    if (!positive(rise) || !positive(fall) || !(alpha > 0.0) || !std::isfinite(alpha)) {
        return std::nullopt;
    }
    const double factor = constants.twoToAlpha *
                          (std::pow(rise, 1.0 - alpha) + std::pow(fall, 1.0 - alpha)) /
                          constants.denominator;
    if (!(factor > 0.0)) {
        return std::nullopt;
    }
    return finite(factor);
}

std::optional<double> bulkMinimumVoltage(double acV, double powerW, double capacitanceF,
                                         double lineHz) noexcept {
    if (!positive(capacitanceF) || !positive(lineHz) || !(acV >= 0.0) || !(powerW >= 0.0)) {
        return std::nullopt;
    }
    // The capacitor feeds the load alone between the conduction angles; a
    // line so fast that 3 ms cover the half period leaves no such time.
    const double dischargeS = std::max(0.0, 1.0 / (2.0 * lineHz) - 0.003);
    const double square = 2.0 * acV * acV - 2.0 * powerW * dischargeS / capacitanceF;
    if (!(square >= 0.0) || !std::isfinite(square)) {
        return std::nullopt;
    }
    return std::sqrt(square);
}

double defaultBulkMicrofarads(double acMinV, double inputPowerW) noexcept {
    const double perWatt = acMinV < 150.0 ? 3.0 : 1.0;
    return std::ceil(perWatt * inputPowerW - kFloorTolerance);
}

double turnsPerLayer(double lengthMm, double pitchMm) noexcept {
    if (!positive(pitchMm) || !(lengthMm > 0.0)) {
        return 0.0;
    }
    const double turns = std::floor(lengthMm / pitchMm + kFloorTolerance);
    return std::isfinite(turns) ? turns : 0.0;
}

std::optional<WindingLayers> windingLayers(double turns, double lengthMm, double pitchMm) noexcept {
    const double perLayer = turnsPerLayer(lengthMm, pitchMm);
    if (perLayer < 1.0 || !(turns > 0.0) || !std::isfinite(turns)) {
        return std::nullopt;
    }
    return WindingLayers{perLayer, std::ceil(turns / perLayer - kFloorTolerance)};
}

std::optional<CoreShape> coreShapeOf(std::u16string_view code) noexcept {
    struct Family {
        std::u16string_view code;
        CoreShape shape;
    };
    static constexpr Family kFamilies[] = {
        {u"EE", CoreShape::E},       {u"EI", CoreShape::E},     {u"EC", CoreShape::E},
        {u"ER", CoreShape::E},       {u"EFD", CoreShape::E},    {u"EPC", CoreShape::E},
        {u"ETD", CoreShape::E},      {u"EQ", CoreShape::E},     {u"PQ", CoreShape::E},
        {u"EP", CoreShape::E},       {u"RM", CoreShape::Rm},    {u"POT", CoreShape::Pot},
        {u"PM", CoreShape::Pot},     {u"UU", CoreShape::U},     {u"UI", CoreShape::U},
        {u"TOR", CoreShape::Toroid}, {u"T", CoreShape::Toroid},
    };
    for (const Family& family : kFamilies) {
        if (family.code == code) {
            return family.shape;
        }
    }
    return std::nullopt;
}

std::optional<WindingWindow> windingWindow(CoreShape shape, const CoreDimensions& dims) noexcept {
    std::optional<WindingWindow> window;
    switch (shape) {
        case CoreShape::E:
        case CoreShape::Rm:
        case CoreShape::Pot:
            if (present(dims.d) && present(dims.e) && present(dims.f)) {
                window = WindingWindow{2.0 * *dims.d, (*dims.e - *dims.f) / 2.0};
            }
            break;
        case CoreShape::U:
            if (present(dims.d) && present(dims.e)) {
                window = WindingWindow{2.0 * *dims.d, *dims.e};
            }
            break;
        case CoreShape::Toroid:
            if (present(dims.b)) {
                window = WindingWindow{kPi * *dims.b, *dims.b / 2.0};
            }
            break;
    }
    if (window && (!positive(window->depthMm) || !positive(window->lengthMm))) {
        return std::nullopt;
    }
    return window;
}

std::optional<double> coreSurfaceMm2(CoreShape shape, const CoreDimensions& dims) noexcept {
    switch (shape) {
        case CoreShape::E:
        case CoreShape::U:
            if (present(dims.a) && present(dims.b) && present(dims.c)) {
                const double height = 2.0 * *dims.b;
                return finite(2.0 * (*dims.a * height + *dims.a * *dims.c + height * *dims.c));
            }
            break;
        case CoreShape::Rm:
            if (present(dims.a) && present(dims.b)) {
                return finite(2.0 * *dims.a * *dims.a + 4.0 * *dims.a * 2.0 * *dims.b);
            }
            break;
        case CoreShape::Pot:
            if (present(dims.a) && present(dims.b)) {
                return finite(2.0 * kPi * *dims.a * *dims.a / 4.0 + kPi * *dims.a * 2.0 * *dims.b);
            }
            break;
        case CoreShape::Toroid:
            if (present(dims.a) && present(dims.b) && present(dims.c) && *dims.a > *dims.b) {
                return finite(2.0 * kPi * (*dims.a * *dims.a - *dims.b * *dims.b) / 4.0 +
                              kPi * (*dims.a + *dims.b) * *dims.c);
            }
            break;
    }
    return std::nullopt;
}

std::optional<double> surfaceTemperatureRise(double lossW, double areaCm2) noexcept {
    if (!positive(areaCm2) || !(lossW >= 0.0) || !std::isfinite(lossW)) {
        return std::nullopt;
    }
    return finite(std::pow(lossW * 1000.0 / areaCm2, 0.833));
}

}  // namespace kelvane::check
