#include "gui/base/language_setting.h"

#include <QSettings>

namespace kelvane::gui {
namespace {

const QString kLanguageSetting = QStringLiteral("language");

}  // namespace

Language savedLanguage() {
    return languageNamed(QSettings().value(kLanguageSetting).toString())
        .value_or(Language::Chinese);
}

void saveLanguage(Language language) {
    QSettings().setValue(kLanguageSetting, languageName(language));
}

}  // namespace kelvane::gui
