#include "gui/base/message_box_prompter.h"

#include "engine/base/language.h"

#include <QApplication>
#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kelvane::gui {
namespace {

// The engine's titles and texts are its Chinese ones; the box shows them in
// the engineer's language.
QString titleOr(const QString& title) {
    return title.isEmpty() ? QApplication::applicationDisplayName() : humanText(title);
}

QString buttonText(const char* text) {
    return QCoreApplication::translate("kelvane::gui::MessageBoxPrompter", text);
}

}  // namespace

void MessageBoxPrompter::message(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Information, titleOr(title), humanText(text), QMessageBox::Ok,
                    m_parent);
    box.button(QMessageBox::Ok)
        ->setText(buttonText(QT_TRANSLATE_NOOP("kelvane::gui::MessageBoxPrompter", "确定")));
    box.exec();
}

bool MessageBoxPrompter::question(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, titleOr(title), humanText(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.button(QMessageBox::Yes)
        ->setText(buttonText(QT_TRANSLATE_NOOP("kelvane::gui::MessageBoxPrompter", "是(&Y)")));
    box.button(QMessageBox::No)
        ->setText(buttonText(QT_TRANSLATE_NOOP("kelvane::gui::MessageBoxPrompter", "否(&N)")));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> MessageBoxPrompter::input(const QString& prompt, const QString& title) {
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(titleOr(title));
    dialog.setLabelText(humanText(prompt));
    dialog.setOkButtonText(
        buttonText(QT_TRANSLATE_NOOP("kelvane::gui::MessageBoxPrompter", "确定")));
    dialog.setCancelButtonText(
        buttonText(QT_TRANSLATE_NOOP("kelvane::gui::MessageBoxPrompter", "取消")));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

}  // namespace kelvane::gui
