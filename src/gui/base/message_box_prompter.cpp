#include "base/message_box_prompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace kelvane::gui {
namespace {

QString titleOr(const QString& title) {
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

}  // namespace

void MessageBoxPrompter::message(const QString& text, const QString& title) {
    QMessageBox::information(m_parent, titleOr(title), text);
}

bool MessageBoxPrompter::question(const QString& text, const QString& title) {
    return QMessageBox::question(m_parent, titleOr(title), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> MessageBoxPrompter::input(const QString& prompt, const QString& title) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, titleOr(title), prompt, QLineEdit::Normal, QString(), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}

}  // namespace kelvane::gui
