#pragma once

#include "engine/about/about_window.h"
#include "engine/advice/core_adviser.h"
#include "engine/catalogue/catalogue.h"
#include "engine/catalogue/core_selection.h"
#include "engine/catalogue/material_maintenance.h"
#include "engine/check/design_check.h"
#include "engine/construction/construction.h"
#include "engine/design/outputs.h"
#include "engine/design/primary_side.h"
#include "engine/results/design_results.h"
#include "engine/safety/safety_presets.h"
#include "engine/session/change_cascade.h"
#include "engine/session/check_inputs.h"
#include "engine/session/design_document.h"
#include "engine/session/design_files.h"
#include "engine/session/windows.h"
#include "engine/sheet/design_sheet.h"
#include "engine/spice/spice_netlist.h"
#include "engine/wire/wire_calculator.h"

#include <QMap>
#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

namespace kelvane {
class Prompter;
}

namespace kelvane::session {

// The behaviour of the design window FrmFanji without its pixels: the
// window-opening steps, the change and click handling of every field, the
// Enter-key chain, the step buttons and menus. The windows and the design
// scripts call the same verbs (type, pick, enter, click, ...).
class DesignSession : public QObject, private sheet::ChangeHandler {
    Q_OBJECT

public:
    // `cataloguePath` is the catalogue file the window opens; the family
    // pictures lie in `pictureDirectory`.
    DesignSession(Prompter& prompter, QString cataloguePath, QString pictureDirectory);
    ~DesignSession() override;

    [[nodiscard]] const sheet::DesignSheet& sheet() const { return m_sheet; }
    [[nodiscard]] catalogue::Catalogue& catalogue() { return m_catalogue; }
    // The wire calculator FrmWireTools, which the Tools menu opens.
    [[nodiscard]] wire::WireCalculator& wireTools() { return m_wireTools; }
    [[nodiscard]] const wire::WireCalculator& wireTools() const { return m_wireTools; }
    // The About window frmAbout, which the Help menu and the wire
    // calculator's Ab open.
    [[nodiscard]] about::AboutWindow& about() { return m_about; }
    // The design as a document: its file, its unsaved edits, the title.
    [[nodiscard]] DesignDocument& document() { return m_document; }
    [[nodiscard]] const DesignDocument& document() const { return m_document; }
    // Which windows are open and which one the engineer acted in last: the
    // one whose focus the snapshot reports.
    [[nodiscard]] WindowTracker& windows() { return m_windows; }
    [[nodiscard]] const WindowTracker& windows() const { return m_windows; }
    // The control that has the focus in the window acted in, with the
    // window's prefix for a secondary window ("FrmWireTools.TxtFoilS").
    [[nodiscard]] QString focusedControl() const;
    [[nodiscard]] const catalogue::Catalogue& catalogue() const { return m_catalogue; }
    // Whether a field the design results read changed after they were last
    // computed (or they never were).
    [[nodiscard]] bool resultsStale() const { return m_results.isStale(); }

    // The window-opening steps: the safety standard IEC, the core family
    // list, the outputs table's header, the catalogue (materials first,
    // then the whole core table), the insulation class.
    void open();

    // Whether the engineer can type into the field now.
    [[nodiscard]] bool isTypeable(sheet::Field field) const;
    // Whether a button, option, check box or menu item can be clicked now.
    [[nodiscard]] bool isClickable(const sheet::Control& control) const;
    // Whether the name is a control of this window (field, grid, button,
    // option, menu item or label) or, with a secondary window's prefix
    // (controlPrefix()), of the wire calculator or the About window.
    [[nodiscard]] static bool isControl(const QString& name);
    // The list items of a combo box (cmbcore, Combo1); empty for others.
    [[nodiscard]] static QStringList comboItems(sheet::Field field);
    // Whether focus on this field selects its whole text.
    [[nodiscard]] static bool selectsAllOnFocus(sheet::Field field);

    // The engineer replaces the text of a field (no effect on display-only
    // or disabled fields).
    void type(sheet::Field field, const QString& text);
    // The engineer picks an item of a combo box's list.
    void pick(sheet::Field combo, const QString& item);
    // Key-down with `keyCode` in the control that has the focus.
    void keyDown(const sheet::Control& control, int keyCode);
    void focus(const sheet::Control& control);
    void click(const sheet::Control& control);
    // Row `row` of the outputs table becomes current.
    void selectOutputRow(int row);
    // Record `row` (1-based) of DBGrid1 or DBGrid2 becomes current. The
    // current record is no move; a material edit that cannot be saved
    // keeps DBGrid1 where it is.
    void selectRecord(sheet::RecordGrid grid, int row);
    void showPage(int page);
    // A print that did not reach its printer or file, with the reason.
    void reportFailedPrint(const QString& reason);

    // SAVE with the dialog answered by `path` (empty: cancelled), the
    // check's inputs with the design (DesignFiles). Returns whether the
    // design was saved.
    bool saveDesign(const QString& path);
    // OPENS with the dialog answered by `path` (empty: cancelled): the
    // file's records (DesignFiles), then its check inputs. Returns whether
    // the design was opened.
    bool openDesign(const QString& path);

    // The catalogue in memory for the core adviser, read on first use and
    // again after a material edit was saved or a record deleted.
    [[nodiscard]] std::shared_ptr<const advice::CatalogueSnapshot> catalogueSnapshot();
    // What the core adviser reads of the current design.
    [[nodiscard]] advice::AdviceDesign adviceDesign() const;
    // Runs the core adviser on the current design; changes no field,
    // record or catalogue row. The rows are kept for applyAdvice(). An
    // incomplete design gives no rows and says what the adviser needs.
    const advice::Advice& advise(const advice::AdviceOptions& options = {});
    // The rows of the latest advise (none before any).
    [[nodiscard]] const advice::Advice& advice() const { return m_advice; }
    // Applies row `index` (0-based) of the latest advise as the engineer
    // would: the material search and its record, the flux-density handling
    // of a txtbm edit, the core search and its record, then Command10.
    // False when there is no such row.
    bool applyAdvice(int index);
    // The same for a row computed on `snapshot` elsewhere (the adviser
    // window's own run).
    void applyAdvice(const advice::AdviceRow& row, const advice::CatalogueSnapshot& snapshot);

    // What the engineer typed on the check's page (CheckInputs), kept with
    // the design.
    [[nodiscard]] const CheckInputs& checkInputs() const { return m_checkInputs; }
    // Sets one as the engineer types it; an empty text restores the
    // default. False for a name that is no input of the check.
    bool setCheckInput(const QString& name, const QString& text);
    // The construction sheet of the design as it stands; changes nothing.
    [[nodiscard]] construction::Construction construction() const;
    // A column of the core the fields show, from the current CORE record
    // when its name is TxtCoreSize's; empty otherwise (the name typed over,
    // or no core listed).
    [[nodiscard]] QString shownCoreText(const QString& column) const;
    // The design check on the design as it stands; changes nothing.
    [[nodiscard]] check::CheckResult designCheck() const;
    // What the check reads of the design as it stands, with its inputs.
    [[nodiscard]] check::CheckInput checkReading() const;
    // Runs it and keeps the result as the latest (a script's `check`).
    const check::CheckResult& runCheck();
    [[nodiscard]] const std::optional<check::CheckResult>& lastCheck() const { return m_lastCheck; }
    // The transformer as designed as a SPICE netlist, with its test bench
    // when `options` asks for one; the heading names the design's file, and
    // without a coupling factor in `options` the windings couple by the
    // construction sheet's leakage estimate. Changes nothing; a design that
    // gives no netlist says why.
    [[nodiscard]] Result<spice::Netlist> spiceNetlist(spice::NetlistOptions options) const;
    // File → 导出SPICE模型 with the dialog answered by `path`: the netlist
    // into that file; a design that gives none, or a file that cannot be
    // written, is said in a message.
    Result<void> exportSpice(const QString& path, const spice::NetlistOptions& options);

Q_SIGNALS:
    // One of the check's own inputs changed (typed, or read from a file).
    void checkInputsChanged();
    // The menu items that open or end windows; the windows act on them.
    void toolWindowRequested();
    void aboutWindowRequested();
    void webSiteRequested();
    void exitRequested();

private:
    // A field's text changed: its row's change steps.
    void onTextChange(sheet::Field field) override;
    void onClick(sheet::Check check) override;
    // A key in a field: its row's Enter steps and focus, then its key steps.
    void pressKey(const CascadeRow& row, int keyCode);
    [[nodiscard]] bool enterApplies(EnterWhen when) const;
    void runSteps(const Steps& steps);
    // The dispatcher: each step is one call of the subsystem that owns it.
    void run(Step step);
    void runCommand(sheet::Command command);
    void reportCatalogueError(const QString& text);
    void openAboutWindow();

    Prompter& m_prompter;
    QString m_cataloguePath;
    QString m_lastCatalogueError;
    sheet::DesignSheet m_sheet;
    catalogue::Catalogue m_catalogue;
    catalogue::CoreSelection m_cores;
    catalogue::MaterialMaintenance m_maintenance;
    design::Outputs m_outputs;
    design::PrimarySide m_primary;
    safety::SafetyPresets m_safety;
    safety::InsulationClass m_insulation;
    wire::WireCalculator m_wireTools;
    about::AboutWindow m_about;
    DesignDocument m_document;
    WindowTracker m_windows;
    results::DesignResults m_results;
    DesignFiles m_files;
    std::shared_ptr<const advice::CatalogueSnapshot> m_snapshot;
    advice::Advice m_advice;
    CheckInputs m_checkInputs;
    std::optional<check::CheckResult> m_lastCheck;
};

}  // namespace kelvane::session
