#pragma once

#include "engine/base/language.h"
#include "engine/base/result.h"
#include "engine/sheet/design_sheet.h"
#include "gui/catalogue/record_set_model.h"

#include <QMainWindow>
#include <QPixmap>

#include <functional>
#include <memory>

class QCloseEvent;
class QMenu;
class QTabWidget;

namespace Ui {
class FrmFanji;
}

namespace kelvane::session {
class DesignSession;
}

namespace kelvane::catalogue {
class DataSource;
}

namespace kelvane::gui {

class CheckPage;
class FieldBinder;
class FrmAbout;
class FrmAdvisor;
class FrmWireTools;
class GridModel;
class RecordGridView;

// The design window: the three pages of the design record (frm_fanji.ui)
// bound to the engine's session::DesignSession. Widgets forward the
// engineer's actions to the engine's verbs and mirror every change the
// engine makes; they compute nothing themselves. The menus are built here,
// in buildMenus().
class FrmFanji : public QMainWindow {
    Q_OBJECT

public:
    explicit FrmFanji(session::DesignSession& window, QWidget* parent = nullptr);
    ~FrmFanji() override;

    [[nodiscard]] session::DesignSession& engine() { return m_window; }
    // The widget of a control by its control name, or null.
    [[nodiscard]] QWidget* control(const QString& name) const;
    [[nodiscard]] QTabWidget* pages() const;
    // The design check's page.
    [[nodiscard]] CheckPage* checkPage() const { return m_checkPage; }
    [[nodiscard]] GridModel* outputsModel() const { return m_msModel; }
    [[nodiscard]] GridModel* windingsModel() const { return m_msWinModel; }
    // Centres the window on its screen (window opening).
    void centre();

    // The file menu's operations once the dialog is answered: the title
    // then names the file, and the file joins the recent files.
    bool openDesignFile(const QString& path);
    bool saveDesignFile(const QString& path);
    // PR into a PDF file instead of a printer; a failure is also shown to
    // the engineer.
    Result<void> printToPdf(const QString& path);
    // The design's SPICE netlist (with its test bench when `bench`) into
    // the file at `path` (the engine's exportSpice()).
    Result<void> exportSpice(const QString& path, bool bench);
    // Window opening: the engine opens the catalogue and runs the opening
    // steps; only edits after that make the design unsaved.
    void openDesignWindow();
    // The wire calculator window (one instance), made on first use.
    FrmWireTools& wireWindow();
    // The core adviser FrmAdvisor (one instance), made on first use.
    FrmAdvisor& advisorWindow();
    // The About window, when it was ever opened.
    [[nodiscard]] FrmAbout* aboutWindow() const { return m_about.get(); }
    // Whether the boxes of the windows are script-answered: no dialogs then.
    void setScripted(bool scripted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void bindControls();
    void buildMenus();
    // chooseLanguage() — keeps the engineer's language for the next start.
    void chooseLanguage(Language language);
    // `view` shows the record set `grid` of the catalogue.
    void bindRecordSet(sheet::RecordGrid grid, RecordGridView* view,
                       const QVector<RecordSetModel::Column>& columns);
    // Rows the engineer chooses in `view` go to the engine by `choose`; the
    // view then shows `engineRow`, the row the engine holds current.
    void bindGridRows(RecordGridView* view, const std::function<void(int)>& choose,
                      const std::function<int()>& engineRow);
    void showPicture(const QString& path);
    void fitPicture();

    void mirrorText(sheet::Field field);
    void mirrorChecks();
    void mirrorControlState(const QString& control);
    void mirrorFocus(const QString& control);

    void onOpenAction();
    void onSaveAction();
    void onPrintAction();
    void onExportReportAction();
    void onExportSpiceAction();
    // A file beside the design's, its name ending in `suffix` instead of
    // .dat, for a dialog to suggest; "" for an unsaved design.
    [[nodiscard]] QString besideDesign(const QString& suffix) const;
    // The file dialog of OPENS or SAVE; empty when cancelled.
    QString askDesignPath(bool forSaving);
    // Asks whether to save unsaved changes when the engine's document says
    // so; false when the engineer cancels.
    bool maybeSave();
    void rememberRecentFile(const QString& path);
    void rebuildRecentMenu();
    void showWireWindow();
    void showAboutWindow();
    void printWireWindow();
    void closeProgram();

    session::DesignSession& m_window;
    std::unique_ptr<Ui::FrmFanji> m_ui;
    FieldBinder* m_binder = nullptr;
    CheckPage* m_checkPage = nullptr;
    GridModel* m_msModel = nullptr;
    GridModel* m_msWinModel = nullptr;
    QMenu* m_recentMenu = nullptr;
    bool m_scripted = false;
    // The program is ending and the engineer has answered about saving.
    bool m_leaving = false;
    std::unique_ptr<FrmWireTools> m_wireTools;
    std::unique_ptr<FrmAbout> m_about;
    std::unique_ptr<FrmAdvisor> m_advisor;
    QPixmap m_picture;  // the family picture as loaded, before fitting
};

}  // namespace kelvane::gui
