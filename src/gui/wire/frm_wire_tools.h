#pragma once

#include <QMainWindow>

#include <memory>

class QTimer;

namespace Ui {
class FrmWireTools;
}

namespace kelvane::wire {
class WireCalculator;
}

namespace kelvane::gui {

class FieldBinder;

// The wire calculator window (frm_wire_tools.ui) bound to the engine's
// WireCalculator: round wire, litz, foil and skin effect. Widgets forward
// the engineer's actions to the engine's verbs and mirror every change the
// engine makes. The window loads the calculator when first shown and ticks
// its clock every second while it is shown. Print, close-program, About and
// the web site are the calculator's requests, left to whoever owns the
// windows. The menu items are built here, in buildMenus().
class FrmWireTools : public QMainWindow {
    Q_OBJECT

public:
    explicit FrmWireTools(wire::WireCalculator& calculator, QWidget* parent = nullptr);
    ~FrmWireTools() override;

    [[nodiscard]] wire::WireCalculator& engine() { return m_calculator; }
    // The widget of a control by its control name (fields, Lbt, the brand
    // labels), or null.
    [[nodiscard]] QWidget* control(const QString& name) const;
    // A script ticks the clock itself (`tick`): the timer then stays off.
    void setScripted(bool scripted) { m_scripted = scripted; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildMenus();
    void mirrorComboItems(const QString& name);

    wire::WireCalculator& m_calculator;
    std::unique_ptr<Ui::FrmWireTools> m_ui;
    FieldBinder* m_binder = nullptr;
    QTimer* m_timer = nullptr;
    bool m_scripted = false;
};

}  // namespace kelvane::gui
