#include "engine/safety/safety_formulas.h"

#include "engine/base/number_text.h"

namespace kelvane::safety {

double creepageMm(double testVolts) noexcept {
    return testVolts / 468.75;
}

double marginFactor(const QString& standard, double creepageMm) {
    if (standard == u"VDE") {
        return 2.0;
    }
    if (standard == u"IEC") {
        return 1.8;
    }
    if (standard == u"UL") {
        return 1.27;
    }
    if (standard == u"Self") {
        const std::optional<QString> rounded = formatFixed(creepageMm / 8.0 * 2.0 + 1.0, 2);
        return double(float(rounded ? parseNumber(*rounded) : 0.0));
    }
    return 0.0;
}

}  // namespace kelvane::safety
