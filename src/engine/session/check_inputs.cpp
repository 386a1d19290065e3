#include "engine/session/check_inputs.h"

#include "engine/files/design_file.h"

#include <iterator>

namespace kelvane::session {
namespace {

// The setting of the check that an input's name names, in the order of
// checkNames().
template <typename Settings>
auto* checkSetting(Settings& settings, const QString& name) {
    decltype(&settings.acMaxV) const fields[] = {&settings.acMaxV, &settings.switchRatingV,
                                                 &settings.bulkUf, &settings.lineHz};
    static_assert(std::size(fields) == files::kCheckInputCount);
    static_assert(std::size(check::kCheckSettingTexts) == files::kCheckInputCount);
    const qsizetype index = CheckInputs::checkNames().indexOf(name);
    return index >= 0 ? fields[index] : nullptr;
}

}  // namespace

const QStringList& CheckInputs::checkNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const char16_t* name : files::kCheckInputNames) {
            list.append(QString::fromUtf16(name));
        }
        return list;
    }();
    return names;
}

bool CheckInputs::isName(const QString& name) {
    return checkNames().contains(name) || files::isConstructionInputName(name);
}

QString CheckInputs::value(const QString& name) const {
    if (files::isConstructionInputName(name)) {
        return m_construction.value(name);
    }
    const QString* setting = checkSetting(m_check, name);
    return setting != nullptr ? *setting : QString();
}

CheckInputs::Set CheckInputs::set(const QString& name, const QString& text) {
    if (files::isConstructionInputName(name)) {
        if (m_construction.value(name) == text) {
            return Set::Unchanged;
        }
        if (text.isEmpty()) {
            m_construction.remove(name);
        } else {
            m_construction.insert(name, text);
        }
        return Set::Changed;
    }
    QString* setting = checkSetting(m_check, name);
    if (setting == nullptr) {
        return Set::NotAnInput;
    }
    if (*setting == text) {
        return Set::Unchanged;
    }
    *setting = text;
    return Set::Changed;
}

construction::ConstructionSettings CheckInputs::constructionSettings() const {
    construction::ConstructionSettings settings;
    settings.testFrequencyKHz = m_construction.value(QStringLiteral("lptestf"));
    settings.testVoltageV = m_construction.value(QStringLiteral("lptestv"));
    for (auto input = m_construction.begin(); input != m_construction.end(); ++input) {
        const QString& name = input.key();
        const qsizetype open = name.indexOf(u'(');
        if (open < 0) {
            continue;
        }
        construction::WindingChoice& choice =
            settings.windings[name.sliced(open + 1, name.size() - open - 2).toInt()];
        const QStringView base = QStringView(name).first(open);
        QString* const fields[] = {&choice.startPin, &choice.tapPin, &choice.finishPin,
                                   &choice.kind, &choice.wire};
        static_assert(std::size(fields) == std::size(files::kWindingInputNames));
        for (size_t i = 0; i < std::size(fields); ++i) {
            if (base == files::kWindingInputNames[i]) {
                *fields[i] = input.value();
            }
        }
    }
    return settings;
}

FileInputs CheckInputs::fileInputs() const {
    FileInputs inputs;
    for (const QString& name : checkNames()) {
        inputs.check.append(value(name));
    }
    inputs.construction = m_construction;
    return inputs;
}

bool CheckInputs::load(const FileInputs& inputs) {
    bool changed = false;
    for (int i = 0; i < checkNames().size(); ++i) {
        changed |= set(checkNames()[i], inputs.check.value(i)) == Set::Changed;
    }
    for (const QString& name : m_construction.keys()) {
        if (!inputs.construction.contains(name)) {
            changed |= set(name, QString()) == Set::Changed;
        }
    }
    for (auto input = inputs.construction.begin(); input != inputs.construction.end(); ++input) {
        changed |= set(input.key(), input.value()) == Set::Changed;
    }
    return changed;
}

}  // namespace kelvane::session
