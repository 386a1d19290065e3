#pragma once

#include <QString>

#include <optional>

namespace kelvane {

// The languages of the windows, the report and the command line's texts for
// a person. Chinese is the source every text is written in; English is its
// translation, kept in i18n/kelvane_en.ts and built into the programs.
enum class Language { Chinese, English };

// languageNamed() — "zh" or "en" as --lang takes them; nothing for others.
[[nodiscard]] std::optional<Language> languageNamed(QStringView name);
// languageName() — "zh" or "en".
[[nodiscard]] QString languageName(Language language);

// useLanguage() — installs the translation of `language` into the running
// application (Chinese removes it, so every text is its source again).
// False when the English translation cannot be loaded.
bool useLanguage(Language language);
// currentLanguage() — what useLanguage() last installed; Chinese at start.
[[nodiscard]] Language currentLanguage();

// humanText() — a text the engine wrote for a person (a message box, an
// error on stderr) in the current language. The engine keeps writing its
// Chinese texts, which scripts and snapshots see; only what is shown is
// translated. A text built from a translated pattern and values ("保存失败：
// …", "“%1”不是数字（%2）") is matched against the patterns and its values
// put into the translated one; a text no pattern explains stays as it is.
[[nodiscard]] QString humanText(const QString& text);

}  // namespace kelvane
