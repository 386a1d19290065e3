#pragma once

#include "engine/check/check_input.h"
#include "engine/construction/construction.h"
#include "engine/session/design_files.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace kelvane::session {

// What the engineer types on the check's page and the design file keeps
// with the design: the check's own inputs (vacmax, rating, bulk, linef)
// and the construction sheet's (the pins, kind and wire of each winding,
// the inductance's test signal).
class CheckInputs {
public:
    // The check's own inputs, in the file's order.
    [[nodiscard]] static const QStringList& checkNames();
    // Whether a name is one of those or an input of the construction sheet.
    [[nodiscard]] static bool isName(const QString& name);

    [[nodiscard]] QString value(const QString& name) const;
    enum class Set { NotAnInput, Unchanged, Changed };
    // As the engineer types it; an empty text restores the default.
    Set set(const QString& name, const QString& text);

    [[nodiscard]] const check::CheckSettings& checkSettings() const { return m_check; }
    [[nodiscard]] const QMap<QString, QString>& constructionInputs() const {
        return m_construction;
    }
    // The construction inputs read as the engineer's choices.
    [[nodiscard]] construction::ConstructionSettings constructionSettings() const;

    [[nodiscard]] FileInputs fileInputs() const;
    // The file's inputs replace all of these: an input the file does not
    // hold is back at its default. Returns whether any changed.
    bool load(const FileInputs& inputs);

private:
    check::CheckSettings m_check;
    QMap<QString, QString> m_construction;
};

}  // namespace kelvane::session
