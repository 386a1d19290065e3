#pragma once

#include <cmath>
#include <limits>

namespace kelvane {

// toSingle() — the value reduced to single precision (32-bit float), as the
// formulas that work in single precision take their arguments. Magnitudes
// beyond the float range become infinite rather than relying on an
// out-of-range conversion.
[[nodiscard]] inline float toSingle(double value) noexcept {
    if (std::isnan(value)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    if (std::fabs(value) > double(std::numeric_limits<float>::max())) {
        const float infinity = std::numeric_limits<float>::infinity();
        return value > 0.0 ? infinity : -infinity;
    }
    return static_cast<float>(value);
}

}  // namespace kelvane
