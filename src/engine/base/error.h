#pragma once

#include <QString>

#include <stdexcept>

namespace kelvane {

// A platform failure (catalogue, file) or a script error, with a text for the
// engineer. User input never throws.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    [[nodiscard]] const QString& text() const noexcept { return m_text; }

private:
    QString m_text;
};

}  // namespace kelvane
