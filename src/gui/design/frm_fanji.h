#pragma once

#include "engine/sheet/design_sheet.h"
#include "gui/catalogue/record_set_model.h"

#include <QHash>
#include <QMainWindow>

#include <functional>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QCloseEvent;
class QPushButton;
class QTabWidget;
class QTableView;

namespace kelvane::session {
class DesignSession;
}

namespace kelvane::catalogue {
class DataSource;
}

namespace kelvane::gui {

class FrmAbout;
class FrmAdvisor;
class FrmWireTools;
class GridModel;
class RecordGridView;

// The design window: the three pages of the design record bound to the
// engine's session::DesignSession. Widgets forward the engineer's actions to the
// engine's verbs and mirror every change the engine makes; they compute
// nothing themselves.
class FrmFanji : public QMainWindow {
    Q_OBJECT

public:
    explicit FrmFanji(session::DesignSession& window, QWidget* parent = nullptr);

    [[nodiscard]] session::DesignSession& engine() { return m_window; }
    // The widget of a control by its control name, or null.
    [[nodiscard]] QWidget* control(const QString& name) const { return m_controls.value(name); }
    [[nodiscard]] QTabWidget* pages() const { return m_pages; }
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
    bool printToPdf(const QString& path, QString* error);
    // Window opening: the engine opens the catalogue and runs the opening
    // steps; only edits after that make the design unsaved.
    void openDesignWindow();
    // The wire calculator window (one instance), made on first use.
    FrmWireTools& wireWindow();
    // The core adviser FrmAdvisor (one instance), made on first use.
    FrmAdvisor& advisorWindow();
    // The About window, when it was ever opened.
    [[nodiscard]] FrmAbout* aboutWindow() const { return m_about; }
    // Whether the boxes of the windows are script-answered: no dialogs then.
    void setScripted(bool scripted) { m_scripted = scripted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildRequirementsPage();
    QWidget* buildMaterialPage();
    QWidget* buildResultsPage();
    void buildMenus();
    void bindRecordSet(RecordGridView* view, catalogue::DataSource& source,
                       const QVector<RecordSetModel::Column>& columns);
    // Rows the engineer chooses in `view` go to the engine by `choose`; the
    // view then shows `engineRow`, the row the engine holds current.
    void bindGridRows(RecordGridView* view, const std::function<void(int)>& choose,
                      const std::function<int()>& engineRow);
    void showPicture(const QString& path);

    QLineEdit* edit(design::Field field, int widthChars = 9);
    QComboBox* combo(design::Field field);
    QPushButton* button(const QString& name, const QString& caption);
    void addRow(QGridLayout* grid, int row, const QString& caption, QWidget* field, int column = 0);
    void registerControl(const QString& name, QWidget* widget);

    void mirrorText(design::Field field);
    void mirrorChecks();
    void mirrorControlState(const QString& control);
    void mirrorFocus(const QString& control);

    void onOpenAction();
    void onSaveAction();
    void onPrintAction();
    // The file dialog of OPENS or SAVE; empty when cancelled.
    QString askDesignPath(bool forSaving);
    // Asks whether to save unsaved changes; false when the engineer cancels.
    bool maybeSave();
    void setModified(bool modified);
    void followEdits();
    void updateTitle();
    void rememberRecentFile(const QString& path);
    void rebuildRecentMenu();
    void showWireWindow();
    void showAboutWindow();
    void printWireWindow();
    void closeProgram();

    session::DesignSession& m_window;
    QHash<QString, QWidget*> m_controls;
    QTabWidget* m_pages = nullptr;
    GridModel* m_msModel = nullptr;
    GridModel* m_msWinModel = nullptr;
    QMenu* m_recentMenu = nullptr;
    QString m_filePath;
    bool m_modified = false;
    bool m_scripted = false;
    FrmWireTools* m_wireTools = nullptr;
    FrmAbout* m_about = nullptr;
    FrmAdvisor* m_advisor = nullptr;
};

}  // namespace kelvane::gui
