#pragma once

#include "engine/base/prompter.h"

class QWidget;

namespace kelvane::gui {

// The boxes of the windows: message, Yes/No question and text input.
class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text, const QString& title) override;
    bool question(const QString& text, const QString& title) override;
    std::optional<QString> input(const QString& prompt, const QString& title) override;

private:
    QWidget* m_parent;
};

}  // namespace kelvane::gui
