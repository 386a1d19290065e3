#pragma once

#include "design/design_sheet.h"
#include "design/outputs.h"
#include "design/primary_side.h"
#include "safety/safety_presets.h"

#include <QObject>
#include <QStringList>

namespace kelvane {
class Prompter;
}

namespace kelvane::design {

// The behaviour of the design window FrmFanji without its pixels: the
// window-opening steps, the change and click handling of every field, the
// Enter-key chain, the step buttons and menus. The windows and the design
// scripts call the same verbs (type, pick, enter, click, ...).
class DesignWindow : public QObject, private ChangeHandler {
    Q_OBJECT

public:
    explicit DesignWindow(Prompter& prompter);
    ~DesignWindow() override;

    [[nodiscard]] DesignSheet& sheet() { return m_sheet; }
    [[nodiscard]] const DesignSheet& sheet() const { return m_sheet; }

    // The window-opening steps: the safety standard IEC, the core family
    // list, the outputs table's header, the insulation class.
    void open();

    // Whether the engineer can type into the field now.
    [[nodiscard]] bool isTypeable(Field field) const;
    // Whether a button, option, check box or menu item can be clicked now.
    [[nodiscard]] bool isClickable(const QString& control) const;
    // Whether the name is a control of this window (field, grid, button,
    // option, menu item or label).
    [[nodiscard]] static bool isControl(const QString& name);
    // The list items of a combo box (cmbcore, Combo1); empty for others.
    [[nodiscard]] static QStringList comboItems(Field field);
    // Whether focus on this field selects its whole text.
    [[nodiscard]] static bool selectsAllOnFocus(Field field);

    // The engineer replaces the text of a field (no effect on display-only
    // or disabled fields).
    void type(Field field, const QString& text);
    // The engineer picks an item of a combo box's list.
    void pick(Field combo, const QString& item);
    // Key-down with `keyCode` in the control that has the focus.
    void keyDown(const QString& control, int keyCode);
    void focus(const QString& control);
    void click(const QString& control);
    // Row `row` of the outputs table becomes current.
    void selectOutputRow(int row);
    void showPage(int page);

Q_SIGNALS:
    // The menu items that open or end windows; the windows act on them.
    void toolWindowRequested();
    void aboutWindowRequested();
    void webSiteRequested();
    void exitRequested();

private:
    void onTextChange(Field field) override;
    void onClick(Check check) override;
    void runCommand(Command command);
    // Core proposal by area product: joins here with the catalogue of
    // cores; until then the sequence runs without it.
    void selectCoresByAreaProduct();

    Prompter& m_prompter;
    DesignSheet m_sheet;
    Outputs m_outputs;
    PrimarySide m_primary;
    safety::SafetyPresets m_safety;
    safety::InsulationClass m_insulation;
};

}  // namespace kelvane::design
