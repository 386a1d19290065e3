#pragma once

#include <optional>

namespace kelvane::design {

// periodUs() — switching period in µs from the frequency in kHz,
// (1 / F) × 1000. No value when F is not positive: nothing is divided.
[[nodiscard]] std::optional<double> periodUs(double frequencyKHz) noexcept;

// dcInputVoltage() — lowest DC input from the lowest AC mains voltage:
// (2^0.5 × U) × 0.91, the sine peak less 9 %, in that order of evaluation.
[[nodiscard]] double dcInputVoltage(double acVolts) noexcept;

}  // namespace kelvane::design
