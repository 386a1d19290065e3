#include "engine/base/conductor_formulas.h"

#include "engine/base/number_text.h"
#include "engine/base/single_precision.h"

#include <QCoreApplication>

#include <cmath>

namespace kelvane {
namespace {

// A single-precision number written as text (seven significant digits) and
// read back by its leading number. The gauge conversions take their argument
// this way, so 0.812 is read as 0.812, not as the float's binary expansion.
// A non-finite number has no leading number and reads as 0.
double singleThroughText(double value) {
    const float single = toSingle(value);
    if (!std::isfinite(single)) {
        return 0.0;
    }
    return parseNumber(QString::number(double(single), 'g', 7));
}

double squared(double x) {
    return x * x;
}

}  // namespace

const QVector<ConductorMaterial>& conductorMaterials() {
    static const QVector<ConductorMaterial> materials = {
        {QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "铜线")), 0.0175, 8.95},
        {QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "铝线")), 0.029, 2.7},
        {QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "铜包铝线 10A 10H")), 0.02743, 3.32},
        {QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "铜包铝线 15A 15H")), 0.02676, 3.63},
    };
    return materials;
}

std::optional<ConductorMaterial> findConductorMaterial(const QString& item) {
    for (const ConductorMaterial& material : conductorMaterials()) {
        if (material.item == item) {
            return material;
        }
    }
    return std::nullopt;
}

ConductorMaterial conductorMaterialOrZero(const QString& item) {
    return findConductorMaterial(item).value_or(ConductorMaterial{item, 0.0, 0.0});
}

std::optional<QString> wireArea(double diameter) {
    const double d = toSingle(diameter);
    return formatFixed(3.1415 * squared(d / 2.0), 3);
}

std::optional<double> wireResistanceValue(double diameter, double factorA, double factorB,
                                          double resistivity) {
    if (!(diameter > 0.0)) {
        return std::nullopt;
    }
    return 0.001 * resistivity * (factorB * factorA) / (3.14 * squared(diameter / 2.0));
}

std::optional<QString> wireResistance(double diameter, double factorA, double factorB,
                                      double resistivity) {
    const std::optional<double> value =
        wireResistanceValue(diameter, factorA, factorB, resistivity);
    return value ? formatFixed(*value, 6) : std::nullopt;
}

std::optional<QString> wireWeight(double diameter, double factorA, double factorB, double density) {
    const double value = 0.001 * density * 3.14 * squared(diameter / 2.0) * (factorB * factorA);
    return formatFixed(value, 6);
}

std::optional<QString> litzStrandCount(double wireDiameter, double strandDiameter) {
    if (!(strandDiameter > 0.0)) {
        return std::nullopt;
    }
    return formatFixed(squared(wireDiameter / strandDiameter), 0);
}

std::optional<QString> litzStrandDiameter(double wireDiameter, double strandCount) {
    // Nobody checks the count before calling; with 0 (or fewer) strands
    // there is no diameter to write.
    if (!(strandCount > 0.0)) {
        return std::nullopt;
    }
    return formatFixed(wireDiameter / std::sqrt(strandCount), 2);
}

std::optional<QString> foilSide(double crossSection, double knownSide) {
    if (!(knownSide > 0.0)) {
        return std::nullopt;
    }
    return formatFixed(crossSection / knownSide, 3);
}

std::optional<QString> foilWeight(double density, double crossSection, double lengthMm) {
    return formatFixed(crossSection * density * lengthMm * 0.001, 3);
}

std::optional<QString> foilResistance(double resistivity, double crossSection, double lengthMm) {
    if (!(crossSection > 0.0)) {
        return std::nullopt;
    }
    return formatFixed(0.001 * resistivity * lengthMm / crossSection, 6);
}

std::optional<QString> awgToDiameter(double gauge) {
    const double n = singleThroughText(gauge);
    if (!(n > 0.0)) {
        return std::nullopt;
    }
    const double centimetres = std::pow(10.0, -n / 20.0) * (2.54 / 3.1415926);
    // Rounded to 0.001 cm as displayed, then converted to millimetres.
    const std::optional<QString> rounded = formatFixed(centimetres, 3);
    if (!rounded) {
        return std::nullopt;
    }
    const std::optional<QString> millimetres = formatPlain(parseNumber(*rounded) * 10.0);
    if (!millimetres) {
        return std::nullopt;
    }
    return *millimetres + QStringLiteral("mm");
}

std::optional<QString> diameterToAwg(double diameter) {
    const double d = singleThroughText(diameter);
    if (!(d > 0.0)) {
        return std::nullopt;
    }
    const double log10d = std::log(d) / std::log(10.0);
    const double gauge = (1.8277 - (log10d + log10d)) * 9.97;
    const std::optional<QString> text = formatFixed(gauge, 1);
    if (!text) {
        return std::nullopt;
    }
    return *text + QStringLiteral("# ");
}

std::optional<QString> skinEffectRatio(double diameter, double skinDepth) {
    if (!(diameter > 0.0) || !(skinDepth > 0.0)) {
        return std::nullopt;
    }
    const double full = 3.14 * squared(diameter) / 4.0;
    // The inner core carries no current; d − 2δ is squared as it stands, so
    // a skin depth beyond the radius still gives a core.
    const double core = 3.14 * squared(diameter - 2.0 * skinDepth) / 4.0;
    const double ring = full - core;
    if (ring == 0.0) {
        return std::nullopt;  // d = δ: the ring vanishes
    }
    return formatFixed(full / ring, 3);
}

}  // namespace kelvane
