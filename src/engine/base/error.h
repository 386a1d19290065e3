#pragma once

#include <QString>

#include <stdexcept>

namespace kelvane {

// An error in a design script, with a text for the engineer: the runner
// stops at its line. Platform failures (catalogue, file, printer) come back
// as a Result instead; user input never fails.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    [[nodiscard]] const QString& text() const noexcept { return m_text; }

private:
    QString m_text;
};

}  // namespace kelvane
