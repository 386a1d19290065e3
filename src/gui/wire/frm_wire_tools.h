#pragma once

#include <QHash>
#include <QMainWindow>

class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTimer;

namespace kelvane::wire {
class WireCalculator;
}

namespace kelvane::gui {

// The wire calculator window bound to the engine's WireCalculator: round
// wire, litz, foil and skin effect. Widgets forward the engineer's actions
// to the engine's verbs and mirror every change the engine makes. The
// window loads the calculator when first shown and ticks its clock every
// second while it is shown. Print, close-program, About and the web site
// are the calculator's requests, left to whoever owns the windows.
class FrmWireTools : public QMainWindow {
    Q_OBJECT

public:
    explicit FrmWireTools(wire::WireCalculator& calculator, QWidget* parent = nullptr);

    [[nodiscard]] wire::WireCalculator& engine() { return m_calculator; }
    // The widget of a control by its control name (fields, Lbt, the brand
    // labels), or null.
    [[nodiscard]] QWidget* control(const QString& name) const { return m_controls.value(name); }
    // A script ticks the clock itself (`tick`): the timer then stays off.
    void setScripted(bool scripted) { m_scripted = scripted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QGroupBox* buildRoundWire();
    QGroupBox* buildLitz();
    QGroupBox* buildFoil();
    QGroupBox* buildSkinEffect();
    void buildMenus();

    QLineEdit* edit(const QString& name, int widthChars = 10);
    QComboBox* combo(const QString& name);
    void addRow(QFormLayout* form, const QString& caption, QWidget* field);
    void registerControl(const QString& name, QWidget* widget);

    void mirrorText(const QString& name);
    void mirrorComboItems(const QString& name);

    wire::WireCalculator& m_calculator;
    QHash<QString, QWidget*> m_controls;
    QLabel* m_clock = nullptr;
    QTimer* m_timer = nullptr;
    bool m_scripted = false;
};

}  // namespace kelvane::gui
