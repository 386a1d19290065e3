#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/core_selection.h"
#include "catalogue/material_maintenance.h"
#include "design/design_sheet.h"
#include "design/outputs.h"
#include "design/primary_side.h"
#include "results/design_results.h"
#include "safety/safety_presets.h"
#include "wire/wire_calculator.h"

#include <QObject>
#include <QStringList>

namespace kelvane {
class Prompter;
}

namespace kelvane::files {
struct DesignRecord;
}

namespace kelvane::design {

// The behaviour of the design window FrmFanji without its pixels: the
// window-opening steps, the change and click handling of every field, the
// Enter-key chain, the step buttons and menus. The windows and the design
// scripts call the same verbs (type, pick, enter, click, ...).
class DesignWindow : public QObject, private ChangeHandler {
    Q_OBJECT

public:
    // `cataloguePath` is the catalogue file the window opens; the family
    // pictures lie in `pictureDirectory`.
    DesignWindow(Prompter& prompter, QString cataloguePath, QString pictureDirectory);
    ~DesignWindow() override;

    [[nodiscard]] DesignSheet& sheet() { return m_sheet; }
    [[nodiscard]] const DesignSheet& sheet() const { return m_sheet; }
    [[nodiscard]] catalogue::Catalogue& catalogue() { return m_catalogue; }
    // The wire calculator FrmWireTools, which the Tools menu opens.
    [[nodiscard]] wire::WireCalculator& wireTools() { return m_wireTools; }
    [[nodiscard]] const wire::WireCalculator& wireTools() const { return m_wireTools; }
    // Whether a secondary window (FrmWireTools, frmAbout) is open.
    [[nodiscard]] bool isWindowOpen(const QString& window) const;
    // A secondary window was closed (or opened) by its own frame or button.
    void setWindowOpen(const QString& window, bool open);
    [[nodiscard]] const catalogue::Catalogue& catalogue() const { return m_catalogue; }

    // The window-opening steps: the safety standard IEC, the core family
    // list, the outputs table's header, the catalogue (materials first,
    // then the whole core table), the insulation class.
    void open();

    // Whether the engineer can type into the field now.
    [[nodiscard]] bool isTypeable(Field field) const;
    // Whether a button, option, check box or menu item can be clicked now.
    [[nodiscard]] bool isClickable(const QString& control) const;
    // Whether the name is a control of this window (field, grid, button,
    // option, menu item or label) or, with the prefix "FrmWireTools.", of
    // the wire calculator.
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
    // Record `row` (1-based) of DBGrid1 or DBGrid2 becomes current. The
    // current record is no move; a material edit that cannot be saved
    // keeps DBGrid1 where it is.
    void selectRecord(const QString& grid, int row);
    void showPage(int page);

    // SAVE with the dialog answered by `path` (empty: cancelled). The file
    // is written beside the target and renamed over it, so a failed save
    // leaves the previous file whole. Returns whether the design was saved.
    bool saveDesign(const QString& path);
    // OPENS with the dialog answered by `path` (empty: cancelled). The whole
    // file is checked before anything is applied; a bad file changes
    // nothing. Returns whether the design was opened.
    bool openDesign(const QString& path);

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
    void reportCatalogueError(const QString& text);
    void applyDesignRecord(const files::DesignRecord& record);

    Prompter& m_prompter;
    QString m_cataloguePath;
    QString m_lastCatalogueError;
    DesignSheet m_sheet;
    catalogue::Catalogue m_catalogue;
    catalogue::CoreSelection m_cores;
    catalogue::MaterialMaintenance m_maintenance;
    Outputs m_outputs;
    PrimarySide m_primary;
    safety::SafetyPresets m_safety;
    safety::InsulationClass m_insulation;
    wire::WireCalculator m_wireTools;
    QStringList m_openWindows;
    results::DesignResults m_results;
};

}  // namespace kelvane::design
