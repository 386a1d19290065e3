#include "gui/script/widget_target.h"

#include "engine/script/engine_target.h"
#include "engine/script/snapshot.h"
#include "engine/session/design_session.h"
#include "engine/wire/wire_calculator.h"
#include "gui/about/frm_about.h"
#include "gui/base/key_codes.h"
#include "gui/base/record_grid_view.h"
#include "gui/base/widget_text.h"
#include "gui/check/check_page.h"
#include "gui/design/frm_fanji.h"
#include "gui/design/grid_model.h"
#include "gui/wire/frm_wire_tools.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTableView>

namespace kelvane::gui {
namespace {

QJsonArray modelRows(const GridModel& model, bool headerRow) {
    QJsonArray rows;
    if (headerRow) {
        QJsonArray header;
        for (int c = 0; c < model.columnCount(); ++c) {
            header.append(model.headerData(c, Qt::Horizontal, kSourceTextRole).toString());
        }
        rows.append(header);
    }
    for (int r = 0; r < model.rowCount(); ++r) {
        QJsonArray row;
        for (int c = 0; c < model.columnCount(); ++c) {
            row.append(model.data(model.index(r, c), Qt::DisplayRole).toString());
        }
        rows.append(row);
    }
    return rows;
}

const QString kWirePrefix = session::controlPrefix(session::Window::WireTools);
const QString kAboutPrefix = session::controlPrefix(session::Window::About);

bool isSecondary(const QString& control) {
    return session::windowOf(control) != session::Window::Design;
}

// A click of the engineer's mouse on a label.
void clickLabel(QWidget* label) {
    const QPointF inside(1.0, 1.0);
    QMouseEvent press(QEvent::MouseButtonPress, inside, label->mapToGlobal(inside), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, label->mapToGlobal(inside),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(label, &release);
}

// The focus of a secondary window as its widgets hold it, with its prefix;
// `recorded` when no widget of it has the focus.
QString windowFocus(const QWidget* window, const QString& prefix, const QString& recorded) {
    const QWidget* focused = window != nullptr ? window->focusWidget() : nullptr;
    const QString name =
        focused != nullptr ? focused->property("kelvaneControl").toString() : QString();
    return prefix + (name.isEmpty() ? recorded : name);
}

}  // namespace

QWidget* WidgetTarget::widget(const QString& control) const {
    if (control.startsWith(kWirePrefix)) {
        return m_window.wireWindow().control(control.mid(kWirePrefix.size()));
    }
    if (control.startsWith(kAboutPrefix)) {
        const FrmAbout* about = m_window.aboutWindow();
        return about != nullptr ? about->control(control.mid(kAboutPrefix.size())) : nullptr;
    }
    return m_window.control(control);
}

void WidgetTarget::type(const QString& control, const QString& text) {
    QWidget* target = widget(control);
    QLineEdit* lineEdit = qobject_cast<QLineEdit*>(target);
    if (auto* box = qobject_cast<QComboBox*>(target)) {
        lineEdit = box->lineEdit();
    }
    if (lineEdit == nullptr || !lineEdit->isEnabled() || lineEdit->isReadOnly()) {
        return;
    }
    // The whole text replaced as a paste over a full selection replaces it:
    // the line edit's own editing raises the edit signal the window binds.
    lineEdit->selectAll();
    lineEdit->insert(text);
}

void WidgetTarget::pick(const QString& control, const QString& item) {
    auto* box = qobject_cast<QComboBox*>(widget(control));
    if (box == nullptr || !box->isEnabled()) {
        return;
    }
    int index = box->findData(item, kSourceTextRole);
    if (index < 0) {
        index = box->findText(item);
    }
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}

void WidgetTarget::key(const QString& control, int keyCode) {
    QWidget* target = widget(control);
    if (target == nullptr) {
        script::keyDownNamed(m_window.engine(), control, keyCode);
        return;
    }
    focus(control);
    if (auto* box = qobject_cast<QComboBox*>(target)) {
        target = box->lineEdit();
    }
    const std::optional<QtKey> qtKey = qtKeyForCode(keyCode);
    if (!qtKey) {
        script::keyDownNamed(m_window.engine(), control, keyCode);  // no key of a keyboard gives it
        return;
    }
    // A key-down and nothing more, as the script means it: the event carries
    // no character, and the line edit takes it as a read-only one would, so
    // Backspace or Delete do not edit; the window's key handling sees it as
    // it sees the engineer's keys.
    auto* lineEdit = qobject_cast<QLineEdit*>(target);
    const bool readOnly = lineEdit != nullptr && lineEdit->isReadOnly();
    if (lineEdit != nullptr) {
        lineEdit->setReadOnly(true);
    }
    QKeyEvent press(QEvent::KeyPress, qtKey->key, qtKey->modifiers);
    QApplication::sendEvent(target, &press);
    if (lineEdit != nullptr) {
        lineEdit->setReadOnly(readOnly);
    }
}

void WidgetTarget::focus(const QString& control) {
    if (isSecondary(control)) {
        // The window need not be the active one, so no focus event may tell
        // the engine: the record follows the widget here.
        if (QWidget* target = widget(control)) {
            target->setFocus(Qt::MouseFocusReason);
        }
        script::focusNamed(m_window.engine(), control);
        return;
    }
    QWidget* target = widget(control);
    if (target == nullptr || !target->isEnabled()) {
        // Display-only fields and labels take the focus in the record only.
        script::focusNamed(m_window.engine(), control);
        return;
    }
    // Focus moves to a widget only on its visible page.
    for (int page = 0; page < m_window.pages()->count(); ++page) {
        if (m_window.pages()->widget(page)->isAncestorOf(target) &&
            m_window.pages()->currentIndex() != page) {
            script::focusNamed(m_window.engine(), control);
            return;
        }
    }
    target->setFocus(Qt::MouseFocusReason);
}

void WidgetTarget::click(const QString& control) {
    if (control.startsWith(kWirePrefix)) {
        const QString name = control.mid(kWirePrefix.size());
        if (auto* action = m_window.wireWindow().findChild<QAction*>(name)) {
            action->trigger();
            return;
        }
    }
    if (isSecondary(control)) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget(control))) {
            button->click();
        } else if (auto* label = qobject_cast<QLabel*>(widget(control))) {
            clickLabel(label);
        }
        return;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget(control))) {
        if (button->isEnabled()) {
            button->click();
        }
        return;
    }
    if (auto* action = m_window.findChild<QAction*>(control)) {
        action->trigger();
        return;
    }
    script::clickNamed(m_window.engine(), control);
}

void WidgetTarget::select(const QString& grid, int row) {
    auto* view = qobject_cast<RecordGridView*>(widget(grid));
    if (view == nullptr) {
        return;
    }
    view->chooseRow(grid == u"MS" ? m_window.outputsModel()->viewRow(row) : row - 1);
}

void WidgetTarget::page(int page) {
    m_window.pages()->setCurrentIndex(page);
}

void WidgetTarget::openFile(const QString& path) {
    m_window.openDesignFile(path);
}

void WidgetTarget::saveFile(const QString& path) {
    m_window.saveDesignFile(path);
}

Result<void> WidgetTarget::print(const QString& path) {
    if (path.isEmpty()) {
        return Failure{QStringLiteral("no file")};
    }
    return m_window.printToPdf(path);
}

void WidgetTarget::advise() {
    m_window.engine().advise();
}

void WidgetTarget::apply(int row) {
    m_window.engine().applyAdvice(row - 1);
}

void WidgetTarget::check() {
    m_window.engine().runCheck();
}

void WidgetTarget::checkInput(const QString& name, const QString& text) {
    // Typed into the check page's field, as the engineer types; the
    // construction sheet's inputs in their cell, box or field.
    QLineEdit* edit = m_window.checkPage()->input(name);
    if (edit == nullptr) {
        m_window.checkPage()->enterConstructionInput(name, text);
        return;
    }
    edit->selectAll();
    edit->insert(text);
}

void WidgetTarget::tick(int count) {
    // The window's own timer does not run while a script drives it; the
    // ticks go to the same engine step it would call.
    script::tickWireTools(m_window.engine(), count);
}

QJsonObject WidgetTarget::snapshot() {
    // Start from the engine's snapshot for what has no widget yet, then
    // replace every part that the windows show with what the widgets hold.
    QJsonObject snapshot = script::engineSnapshot(m_window.engine());
    QJsonObject fields;
    for (int i = 0; i < sheet::kFieldCount; ++i) {
        const QString name = sheet::fieldName(sheet::Field(i));
        fields.insert(name, widgetText(widget(name)));
    }
    for (const QString& name : wire::WireCalculator::fieldNames()) {
        fields.insert(kWirePrefix + name, widgetText(widget(kWirePrefix + name)));
    }
    snapshot.insert(QStringLiteral("fields"), fields);

    QJsonObject checked;
    for (int i = 0; i < sheet::kCheckCount; ++i) {
        const QString name = sheet::checkName(sheet::Check(i));
        auto* button = qobject_cast<QAbstractButton*>(widget(name));
        if (sheet::Check(i) == sheet::Check::Check1) {
            checked.insert(name, button->isChecked() ? 1 : 0);
        } else {
            checked.insert(name, button->isChecked());
        }
    }
    snapshot.insert(QStringLiteral("checked"), checked);
    snapshot.insert(QStringLiteral("MS"), modelRows(*m_window.outputsModel(), true));
    snapshot.insert(QStringLiteral("MSwin"), modelRows(*m_window.windingsModel(), false));
    for (const auto& [grid, source] :
         {std::pair{"DBGrid1", "Data1"}, std::pair{"DBGrid2", "Data2"}}) {
        auto* view = qobject_cast<QTableView*>(widget(QString::fromLatin1(grid)));
        const QModelIndexList selected = view->selectionModel()->selectedRows();
        QJsonObject data = snapshot.value(QString::fromLatin1(source)).toObject();
        data.insert(QStringLiteral("count"), view->model()->rowCount());
        data.insert(QStringLiteral("position"),
                    selected.isEmpty() ? 0 : selected.first().row() + 1);
        snapshot.insert(QString::fromLatin1(source), data);
    }

    QJsonObject enabled;
    for (const QString& name : script::snapshotEnabledControls()) {
        const QString widgetName = name == u"TxtApp" ? QStringLiteral("TxtApp(0)") : name;
        enabled.insert(name, widget(widgetName)->isEnabled());
    }
    snapshot.insert(QStringLiteral("enabled"), enabled);
    snapshot.insert(
        QStringLiteral("visible"),
        QJsonObject{{QStringLiteral("Frmele"),
                     !m_window.findChild<QWidget*>(QStringLiteral("Frmele"))->isHidden()}});
    const QWidget* check1 = widget(QStringLiteral("Check1"));
    const QVariant check1Source = check1->property(kSourceTextProperty);
    snapshot.insert(QStringLiteral("captions"),
                    QJsonObject{{QStringLiteral("Check1"),
                                 check1Source.isValid()
                                     ? check1Source.toString()
                                     : qobject_cast<const QAbstractButton*>(check1)->text()}});
    const QVariant fillColor = widget(QStringLiteral("TxtKwin"))->property("kelvaneColor");
    snapshot.insert(
        QStringLiteral("colors"),
        QJsonObject{{QStringLiteral("TxtKwin"),
                     fillColor.isValid() ? QJsonValue(fillColor.toInt()) : QJsonValue()}});
    snapshot.insert(QStringLiteral("page"), m_window.pages()->currentIndex());
    snapshot.insert(QStringLiteral("results_stale"),
                    !m_window.findChild<QWidget*>(QStringLiteral("LblResultsStale"))->isHidden());
    const FrmAbout* about = m_window.aboutWindow();
    snapshot.insert(
        QStringLiteral("windows"),
        QJsonObject{
            {session::windowName(session::Window::WireTools), m_window.wireWindow().isVisible()},
            {session::windowName(session::Window::About), about != nullptr && about->isVisible()}});
    // The focus of the window the engineer last acted in.
    const session::Window acted = m_window.engine().windows().acted();
    if (acted != session::Window::Design) {
        const bool wire = acted == session::Window::WireTools;
        snapshot.insert(QStringLiteral("focus"),
                        wire ? windowFocus(&m_window.wireWindow(), kWirePrefix,
                                           m_window.engine().wireTools().focus())
                             : windowFocus(about, kAboutPrefix, m_window.engine().about().focus()));
        return snapshot;
    }
    // The design window's focus as the widgets hold it; a control that has
    // no widget focus (on a hidden page, or a label) as the record holds it.
    QWidget* focused = QApplication::focusWidget();
    QString focusName = focused != nullptr && m_window.isAncestorOf(focused)
                            ? focused->property("kelvaneControl").toString()
                            : QString();
    const QString& recorded = m_window.engine().sheet().focus();
    const QWidget* recordedWidget = widget(recorded);
    if (focusName.isEmpty() || recordedWidget == nullptr || !recordedWidget->isVisible()) {
        focusName = recorded;
    }
    snapshot.insert(QStringLiteral("focus"), focusName);
    return snapshot;
}

}  // namespace kelvane::gui
