#include "engine/design/primary_formulas.h"

#include <cmath>

namespace kelvane::design {

std::optional<double> periodUs(double frequencyKHz) noexcept {
    if (!(frequencyKHz > 0.0)) {
        return std::nullopt;
    }
    return (1.0 / frequencyKHz) * 1000.0;
}

double dcInputVoltage(double acVolts) noexcept {
    return std::pow(2.0, 0.5) * acVolts * 0.91;
}

}  // namespace kelvane::design
