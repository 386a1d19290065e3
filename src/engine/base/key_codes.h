#pragma once

namespace kelvane {

// The key codes of key-down events, which the windows and the design
// scripts pass alike: the desktop's virtual-key codes.
inline constexpr int kEnterKey = 13;

}  // namespace kelvane
