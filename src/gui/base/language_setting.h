#pragma once

#include "engine/base/language.h"

namespace kelvane::gui {

// The language the engineer chose in the Help menu, kept in the settings;
// Chinese when none was chosen.
[[nodiscard]] Language savedLanguage();
void saveLanguage(Language language);

}  // namespace kelvane::gui
