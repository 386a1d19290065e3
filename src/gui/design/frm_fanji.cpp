#include "gui/design/frm_fanji.h"

#include "engine/about/about_info.h"
#include "engine/base/language.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/session/design_session.h"
#include "engine/session/session_report.h"
#include "gui/about/frm_about.h"
#include "gui/advice/frm_advisor.h"
#include "gui/base/field_binder.h"
#include "gui/base/language_setting.h"
#include "gui/base/record_grid_view.h"
#include "gui/base/widget_text.h"
#include "gui/catalogue/record_set_model.h"
#include "gui/check/check_page.h"
#include "gui/design/grid_model.h"
#include "gui/design/waveform_view.h"
#include "gui/files/window_printer.h"
#include "gui/wire/frm_wire_tools.h"
#include "render/report_pdf.h"
#include "ui_frm_fanji.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QUrl>

namespace kelvane::gui {
namespace {

using sheet::Check;
using sheet::Field;

// A field's width in digits where its form gives none (property "digits").
constexpr int kDefaultDigits = 9;

// Colour values of the design record are 0xBBGGRR.
QColor fromColorValue(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

}  // namespace

FrmFanji::FrmFanji(session::DesignSession& window, QWidget* parent)
    : QMainWindow(parent), m_window(window), m_ui(std::make_unique<Ui::FrmFanji>()) {
    m_ui->setupUi(this);
    // The web address is the engine's; the form only places the label.
    m_ui->Label5_0->setText(tr("Kelvane™ 磁性元件设计  ·  ") + about::webSiteHost());
    m_ui->Img2->installEventFilter(this);
    // The primary current under the winding table, drawn as in the report.
    m_ui->pageLayout->insertWidget(1, new WaveformView(m_window.sheet()));
    // The design check's page, and its summary on the results page, which
    // leads to it.
    m_checkPage = new CheckPage(m_window);
    m_ui->sb->addTab(m_checkPage, tr("设计校核"));
    auto* summary = new QPushButton(this);
    summary->setObjectName(QStringLiteral("CheckSummaryLink"));
    summary->setFlat(true);
    summary->setCursor(Qt::PointingHandCursor);
    m_ui->actions->insertWidget(2, summary);
    connect(
        m_checkPage, &CheckPage::summaryChanged, summary,
        [summary](const QString& text, check::Verdict verdict) {
            summary->setText(text);
            summary->setStyleSheet(QStringLiteral("QPushButton { color: %1; text-align: left; }")
                                       .arg(verdictColor(verdict).name()));
        });
    connect(summary, &QPushButton::clicked, this, [this] { m_ui->sb->setCurrentIndex(3); });
    m_checkPage->refreshNow();
    bindControls();
    buildMenus();

    const sheet::DesignSheet& sheet = m_window.sheet();
    connect(&sheet, &sheet::DesignSheet::textChanged, this, &FrmFanji::mirrorText);
    // The core's name is refilled last, once its record is current.
    connect(&sheet, &sheet::DesignSheet::textChanged, this, [this](Field field) {
        if (field == Field::TxtCoreSize) {
            m_ui->CoreOrigin->setText(humanText(m_window.shownCoreText(QStringLiteral("ORIGIN"))));
        }
    });
    connect(&sheet, &sheet::DesignSheet::checkChanged, this, [this] { mirrorChecks(); });
    connect(&sheet, &sheet::DesignSheet::controlStateChanged, this, &FrmFanji::mirrorControlState);
    connect(&sheet, &sheet::DesignSheet::focusRequested, this, &FrmFanji::mirrorFocus);
    connect(&sheet, &sheet::DesignSheet::pageChanged, this, [this](int page) {
        const QSignalBlocker blocker(m_ui->sb);
        m_ui->sb->setCurrentIndex(page);
    });
    connect(&sheet, &sheet::DesignSheet::gridChanged, this, [this](sheet::Table table) {
        (table == sheet::Table::MS ? m_msModel : m_msWinModel)->refresh();
        if (table == sheet::Table::MS) {
            m_ui->MS->showRow(m_msModel->viewRow(m_window.sheet().grid(table).currentRow));
        }
    });
    connect(m_ui->sb, &QTabWidget::currentChanged, this,
            [this](int page) { m_window.showPage(page); });
    // Every brand label of the three windows asks here; while a script runs
    // the desktop only records the address (QuietDesktop).
    connect(&m_window, &session::DesignSession::webSiteRequested, this,
            [] { QDesktopServices::openUrl(QUrl(about::webSite())); });
    connect(&m_window, &session::DesignSession::exitRequested, this, &QWidget::close);
    connect(&m_window, &session::DesignSession::toolWindowRequested, this,
            &FrmFanji::showWireWindow);
    connect(&m_window, &session::DesignSession::aboutWindowRequested, this,
            &FrmFanji::showAboutWindow);
    wire::WireCalculator& wireTools = m_window.wireTools();
    connect(&wireTools, &wire::WireCalculator::printRequested, this, &FrmFanji::printWireWindow);
    connect(&wireTools, &wire::WireCalculator::closeProgramRequested, this,
            &FrmFanji::closeProgram);
    session::DesignDocument& document = m_window.document();
    connect(&document, &session::DesignDocument::titleChanged, this,
            [this, &document] { setWindowTitle(humanText(document.title())); });
    setWindowTitle(humanText(document.title()));

    for (int i = 0; i < sheet::kFieldCount; ++i) {
        mirrorText(Field(i));
    }
    mirrorChecks();
    for (const QString& name :
         {QStringLiteral("Check1"), QStringLiteral("Frmele"), QStringLiteral("TxtApp"),
          QStringLiteral("Command3"), QStringLiteral("Command4"), QStringLiteral("Command5"),
          QStringLiteral("Command6"), QStringLiteral("Command7"), QStringLiteral("Command8"),
          QStringLiteral("TxtKwin")}) {
        mirrorControlState(name);
    }
    m_msModel->refresh();
    m_msWinModel->refresh();
}

FrmFanji::~FrmFanji() {
    // The secondary windows go with this one; their closing is then no
    // engineer's closing a window.
    for (QWidget* secondary :
         {static_cast<QWidget*>(m_wireTools.get()), static_cast<QWidget*>(m_about.get())}) {
        if (secondary != nullptr) {
            secondary->removeEventFilter(this);
        }
    }
}

QWidget* FrmFanji::control(const QString& name) const {
    return m_binder->control(name);
}

QTabWidget* FrmFanji::pages() const {
    return m_ui->sb;
}

void FrmFanji::bindControls() {
    // The binder hands over only the names isControl() knows.
    const auto field = [](const QString& name) { return *sheet::fieldByName(name); };
    const auto named = [](const QString& name) { return *sheet::controlByName(name); };
    m_binder = new FieldBinder(
        *this, {.type = [this, field](const QString& name,
                                      const QString& text) { m_window.type(field(name), text); },
                .pick = [this, field](const QString& name,
                                      const QString& text) { m_window.pick(field(name), text); },
                .click =
                    [this, named](const QString& name) {
                        m_window.click(named(name));
                        mirrorChecks();
                    },
                .keyDown = [this, named](const QString& name,
                                         int code) { m_window.keyDown(named(name), code); },
                .focus = [this, named](const QString& name) { m_window.focus(named(name)); },
                .selectsAllOnFocus =
                    [](const QString& name) {
                        const std::optional<Field> field = sheet::fieldByName(name);
                        return field && session::DesignSession::selectsAllOnFocus(*field);
                    }});
    m_binder->bindControls(&session::DesignSession::isControl);
    // The engine writes these; they hear nothing.
    m_binder->add(m_ui->Data2);
    m_binder->add(m_ui->Img2);

    for (int i = 0; i < sheet::kFieldCount; ++i) {
        const Field field = Field(i);
        QWidget* widget = control(sheet::fieldName(field));
        if (auto* box = qobject_cast<QComboBox*>(widget)) {
            addComboItems(box, session::DesignSession::comboItems(field));
        } else if (auto* lineEdit = qobject_cast<QLineEdit*>(widget)) {
            const QVariant digits = lineEdit->property("digits");
            lineEdit->setMinimumWidth(lineEdit->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                                          (digits.isValid() ? digits.toInt() : kDefaultDigits) +
                                      12);
            if (sheet::editKind(field) == sheet::EditKind::Shown) {
                lineEdit->setReadOnly(true);
                lineEdit->setStyleSheet(
                    QStringLiteral("QLineEdit { background: palette(window); }"));
            }
        }
    }
    m_ui->TXTCOREPOWER->setStyleSheet(QStringLiteral("color: red;"));

    m_msModel = new GridModel(m_window.sheet(), sheet::Table::MS, true, this);
    m_ui->MS->setModel(m_msModel);
    m_ui->MS->verticalHeader()->hide();
    m_ui->MS->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    bindGridRows(
        m_ui->MS, [this](int row) { m_window.selectOutputRow(m_msModel->gridRow(row)); },
        [this] { return m_msModel->viewRow(m_window.sheet().grid(sheet::Table::MS).currentRow); });

    bindRecordSet(sheet::RecordGrid::DBGrid1, m_ui->DBGrid1, {});
    QVector<RecordSetModel::Column> coreColumns;
    for (const catalogue::GridColumn& column : catalogue::coreGridColumns()) {
        coreColumns.append({column.caption, column.column});
    }
    bindRecordSet(sheet::RecordGrid::DBGrid2, m_ui->DBGrid2, coreColumns);

    QTableView* windings = m_ui->MSwin;
    windings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    windings->setTabKeyNavigation(false);
    windings->verticalHeader()->setDefaultSectionSize(22);
    windings->horizontalHeader()->setHighlightSections(false);
    m_msWinModel = new GridModel(m_window.sheet(), sheet::Table::MSwin, false, this);
    m_msWinModel->setHeadings({tr("绕组WNG"), tr("匝数(T)"), tr("线径φ(mm)"),
                               QStringLiteral("DCR(Ω)"), tr("压降Δu(V)"), tr("损耗Pcu(W)"),
                               tr("线重W(g)")});
    m_msWinModel->setRowHeadings({tr("初级")});
    windings->setModel(m_msWinModel);
    windings->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    windings->setSelectionMode(QAbstractItemView::NoSelection);
}

void FrmFanji::centre() {
    const QRect screen = this->screen()->availableGeometry();
    move(screen.left() + (screen.width() - frameGeometry().width()) / 2,
         screen.top() + (screen.height() - frameGeometry().height()) / 2);
}

void FrmFanji::bindRecordSet(sheet::RecordGrid grid, RecordGridView* view,
                             const QVector<RecordSetModel::Column>& columns) {
    catalogue::DataSource& source = grid == sheet::RecordGrid::DBGrid1
                                        ? m_window.catalogue().materials()
                                        : m_window.catalogue().cores();
    auto* model = new RecordSetModel(source, columns, view);
    view->setModel(model);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->horizontalHeader()->setDefaultSectionSize(64);
    connect(&source, &catalogue::DataSource::refreshed, view, [view, model, &source] {
        model->refresh();
        // Wide enough for each heading; rows are not measured, so a large
        // record set costs nothing here.
        const QFontMetrics metrics = view->horizontalHeader()->fontMetrics();
        for (int column = 0; column < model->columnCount(); ++column) {
            const QString caption =
                model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
            const int least = column == 0 ? 110 : 64;  // the name column
            view->horizontalHeader()->resizeSection(
                column, std::max(least, metrics.horizontalAdvance(caption) + 18));
        }
        view->showRow(source.position() - 1);
    });
    connect(&source, &catalogue::DataSource::currentChanged, view,
            [view, &source] { view->showRow(source.position() - 1); });
    bindGridRows(
        view, [this, grid](int row) { m_window.selectRecord(grid, row + 1); },
        [&source] { return source.position() - 1; });
}

void FrmFanji::bindGridRows(RecordGridView* view, const std::function<void(int)>& choose,
                            const std::function<int()>& engineRow) {
    connect(view, &RecordGridView::rowChosen, this, [view, choose, engineRow](int row) {
        choose(row);
        // The engine may refuse the move (a pending material edit that
        // cannot be saved): the grid shows the engine's row again. Once now
        // and once after the key or mouse handling that made the move has
        // finished with the view's own current index.
        const auto showEngineRow = [view, engineRow] { view->showRow(engineRow()); };
        showEngineRow();
        QTimer::singleShot(0, view, showEngineRow);
    });
}

Result<void> FrmFanji::printToPdf(const QString& path) {
    Result<void> printed = printWindowToPdf(*this, path);
    if (!printed) {
        m_window.reportFailedPrint(printed.failure().text);
    }
    return printed;
}

void FrmFanji::showWireWindow() {
    FrmWireTools& tools = wireWindow();
    tools.show();
    tools.raise();
    tools.activateWindow();
}

void FrmFanji::printWireWindow() {
    if (m_scripted) {
        return;  // scripts print the design window to a file instead
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!printWindow(wireWindow(), printer)) {
        m_window.reportFailedPrint(
            QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "打印机不可用")));
    }
}

void FrmFanji::onSaveAction() {
    saveDesignFile(askDesignPath(true));
}

QString FrmFanji::askDesignPath(bool forSaving) {
    if (m_scripted) {
        return {};  // the script's open and save lines answer the dialog
    }
    const QString filter = QStringLiteral("DAT(*.dat)");
    return forSaving ? QFileDialog::getSaveFileName(this, tr("保存"),
                                                    m_window.document().filePath(), filter)
                     : QFileDialog::getOpenFileName(this, tr("打开"),
                                                    m_window.document().filePath(), filter);
}

QString FrmFanji::besideDesign(const QString& suffix) const {
    const QString designPath = m_window.document().filePath();
    if (designPath.isEmpty()) {
        return {};
    }
    const QFileInfo design(designPath);
    return design.dir().filePath(design.completeBaseName() + suffix);
}

void FrmFanji::onExportReportAction() {
    if (m_scripted) {
        return;  // a script's dialogs are cancelled
    }
    const QString designPath = m_window.document().filePath();
    const QString path =
        QFileDialog::getSaveFileName(this, tr("导出设计报告"), besideDesign(QStringLiteral(".pdf")),
                                     QStringLiteral("PDF(*.pdf)"));
    if (path.isEmpty()) {
        return;
    }
    const Result<void> written = render::writeReportPdf(
        session::sessionReport(m_window, designPath, QDate::currentDate()), path);
    if (!written) {
        QMessageBox::warning(this, tr("导出设计报告"), tr("导出失败：") + written.failure().text);
    }
}

void FrmFanji::onExportSpiceAction() {
    if (m_scripted) {
        return;  // a script's dialogs are cancelled
    }
    // The file type chooses what is written: the model with its bench, or
    // the transformer's subcircuit alone.
    const QString withBench = tr("变压器模型与试验电路(*.cir)");
    const QString modelOnly = tr("仅变压器子电路(*.lib)");
    QString chosen = withBench;
    const QString path = QFileDialog::getSaveFileName(
        this, tr("导出SPICE模型"), besideDesign(QStringLiteral(".cir")),
        withBench + QStringLiteral(";;") + modelOnly, &chosen);
    if (!path.isEmpty()) {
        // A failure has been said in a box.
        const Result<void> exported = exportSpice(path, chosen != modelOnly);
        Q_UNUSED(exported);
    }
}

Result<void> FrmFanji::exportSpice(const QString& path, bool bench) {
    spice::NetlistOptions options;
    options.bench = bench;
    return m_window.exportSpice(path, options);
}

void FrmFanji::onPrintAction() {
    if (m_scripted) {
        return;  // a script prints by its print line, to a file
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;  // the dialog makes cancel explicit: nothing is printed
    }
    if (!printWindow(*this, printer)) {
        m_window.reportFailedPrint(
            QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "打印机不可用")));
    }
}

void FrmFanji::closeEvent(QCloseEvent* event) {
    if (m_leaving || maybeSave()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void FrmFanji::rememberRecentFile(const QString& path) {
    if (m_scripted) {
        return;  // a script's files are not the engineer's
    }
    QSettings settings;
    QStringList recent = settings.value(QStringLiteral("recentFiles")).toStringList();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > 6) {
        recent.removeLast();
    }
    settings.setValue(QStringLiteral("recentFiles"), recent);
    rebuildRecentMenu();
}

void FrmFanji::rebuildRecentMenu() {
    m_recentMenu->clear();
    const QStringList recent = QSettings().value(QStringLiteral("recentFiles")).toStringList();
    for (const QString& path : recent) {
        QAction* action = m_recentMenu->addAction(QFileInfo(path).fileName());
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] {
            if (maybeSave()) {
                openDesignFile(path);
            }
        });
    }
    m_recentMenu->setEnabled(!recent.isEmpty());
}

void FrmFanji::mirrorChecks() {
    const sheet::DesignSheet& sheet = m_window.sheet();
    for (int i = 0; i < sheet::kCheckCount; ++i) {
        auto* button = qobject_cast<QAbstractButton*>(control(sheet::checkName(Check(i))));
        if (button != nullptr) {
            const QSignalBlocker blocker(button);
            button->setChecked(sheet.isChecked(Check(i)));
        }
    }
}

void FrmFanji::showPicture(const QString& path) {
    auto* picture = m_ui->Img2;
    const QPixmap pixmap(path);
    if (pixmap.isNull()) {
        picture->setPixmap(QPixmap());
        picture->setText(tr("无法载入图片：%1").arg(QFileInfo(path).fileName()));
        return;
    }
    m_picture = pixmap;
    fitPicture();
}

void FrmFanji::fitPicture() {
    // The family picture fits its box whatever room the page leaves it.
    auto* picture = m_ui->Img2;
    if (!m_picture.isNull()) {
        picture->setPixmap(m_picture.scaled(picture->contentsRect().size(), Qt::KeepAspectRatio,
                                            Qt::SmoothTransformation));
    }
}

void FrmFanji::mirrorFocus(const QString& name) {
    QWidget* widget = control(name);
    if (widget != nullptr && QApplication::focusWidget() != widget) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void FrmFanji::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("文件"));
    file->setObjectName(QStringLiteral("File"));
    const auto addItem = [this, file](const char* name, const QString& caption, auto slot) {
        QAction* action = file->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    addItem("OPENS", tr("打开&O"), &FrmFanji::onOpenAction)->setShortcut(QKeySequence::Open);
    addItem("SAVE", tr("保存&S"), &FrmFanji::onSaveAction)->setShortcut(QKeySequence::Save);
    addItem("PR", tr("列印文件&P"), &FrmFanji::onPrintAction)->setShortcut(QKeySequence::Print);
    addItem("ExportReport", tr("导出设计报告…"), &FrmFanji::onExportReportAction);
    addItem("ExportSpice", tr("导出SPICE模型…"), &FrmFanji::onExportSpiceAction);
    m_recentMenu = file->addMenu(tr("最近打开的文件"));
    rebuildRecentMenu();
    file->addSeparator();
    addItem("Exit", tr("退出&X"), &QWidget::close);
    QAction* tools = menuBar()->addAction(tr("工具"));
    tools->setObjectName(QStringLiteral("TOOL"));
    connect(tools, &QAction::triggered, this, [this] { m_window.click(sheet::Command::TOOL); });
    // Help: the About window (the control HE, as before) and the language.
    QMenu* help = menuBar()->addMenu(tr("帮助"));
    QAction* about = help->addAction(tr("关于"));
    about->setObjectName(QStringLiteral("HE"));
    connect(about, &QAction::triggered, this, [this] { m_window.click(sheet::Command::HE); });
    // Named in both languages, so that it is found whichever is shown.
    QMenu* languages = help->addMenu(QStringLiteral("语言 / Language"));
    languages->menuAction()->setObjectName(QStringLiteral("Language"));
    auto* group = new QActionGroup(languages);
    for (const auto& [language, caption] :
         {std::pair{Language::Chinese, QStringLiteral("中文")},
          std::pair{Language::English, QStringLiteral("English")}}) {
        QAction* action = languages->addAction(caption);
        action->setObjectName(QStringLiteral("Language.") + languageName(language));
        action->setCheckable(true);
        action->setChecked(language == currentLanguage());
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, language] { chooseLanguage(language); });
    }
    QAction* advisor = menuBar()->addAction(tr("磁芯推荐"));
    advisor->setObjectName(QStringLiteral("ADVISOR"));
    connect(advisor, &QAction::triggered, this, [this] {
        FrmAdvisor& window = advisorWindow();
        window.show();
        window.raise();
        window.activateWindow();
    });
}

void FrmFanji::chooseLanguage(Language language) {
    if (language == savedLanguage()) {
        return;
    }
    saveLanguage(language);
    // Every window is built in one language; the choice takes effect when
    // Kelvane starts next. Said in both, as the engineer may read only one.
    QMessageBox::information(
        this, QStringLiteral("语言 / Language"),
        language == Language::English
            ? QStringLiteral("下次启动时界面为英文。\nKelvane will start in English next time.")
            : QStringLiteral("下次启动时界面为中文。\nKelvane will start in Chinese next time."));
}

FrmAdvisor& FrmFanji::advisorWindow() {
    if (!m_advisor) {
        m_advisor = std::make_unique<FrmAdvisor>(m_window);
        m_advisor->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return *m_advisor;
}

void FrmFanji::onOpenAction() {
    if (!maybeSave()) {
        return;
    }
    openDesignFile(askDesignPath(false));
}

bool FrmFanji::openDesignFile(const QString& path) {
    if (!m_window.openDesign(path)) {
        return false;
    }
    rememberRecentFile(path);
    return true;
}

bool FrmFanji::saveDesignFile(const QString& path) {
    if (!m_window.saveDesign(path)) {
        return false;
    }
    rememberRecentFile(path);
    return true;
}

void FrmFanji::openDesignWindow() {
    m_window.open();
}

void FrmFanji::setScripted(bool scripted) {
    m_scripted = scripted;
    m_window.document().setScripted(scripted);
}

FrmWireTools& FrmFanji::wireWindow() {
    if (m_wireTools == nullptr) {
        // A window of its own, not a child: it stays usable beside this one.
        m_wireTools = std::make_unique<FrmWireTools>(m_window.wireTools());
        m_wireTools->setScripted(m_scripted);
        m_wireTools->setAttribute(Qt::WA_QuitOnClose, false);
        m_wireTools->installEventFilter(this);
    }
    return *m_wireTools;
}

void FrmFanji::showAboutWindow() {
    if (m_about == nullptr) {
        m_about = std::make_unique<FrmAbout>(m_window.about());
        m_about->setAttribute(Qt::WA_QuitOnClose, false);
        m_about->installEventFilter(this);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void FrmFanji::closeProgram() {
    if (m_scripted) {
        // No save question in a script: the program ends and every window
        // goes, their texts kept for the script's last snapshots.
        m_window.wireTools().sayFarewell();
        m_window.windows().endProgram();
        for (QWidget* window :
             {static_cast<QWidget*>(m_wireTools.get()), static_cast<QWidget*>(m_about.get()),
              static_cast<QWidget*>(this)}) {
            if (window != nullptr) {
                window->hide();
            }
        }
        return;
    }
    // The question about unsaved changes comes first: Cancel leaves every
    // window as it was. Otherwise the farewell, then the end.
    if (!maybeSave()) {
        return;
    }
    m_window.wireTools().sayFarewell();
    m_leaving = true;
    close();
    QApplication::quit();
}

bool FrmFanji::maybeSave() {
    session::DesignDocument& document = m_window.document();
    if (!document.asksBeforeLeaving()) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, windowTitle(), tr("设计已修改，是否保存？"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.button(QMessageBox::Yes)->setText(tr("保存(&Y)"));
    box.button(QMessageBox::No)->setText(tr("不保存(&N)"));
    box.button(QMessageBox::Cancel)->setText(tr("取消"));
    box.setDefaultButton(QMessageBox::Yes);
    using Answer = session::DesignDocument::Answer;
    using Next = session::DesignDocument::Next;
    const auto answer = QMessageBox::StandardButton(box.exec());
    switch (document.afterAnswer(answer == QMessageBox::Yes  ? Answer::Save
                                 : answer == QMessageBox::No ? Answer::Discard
                                                             : Answer::Cancel)) {
        case Next::Leave:
            return true;
        case Next::Stay:
            return false;
        case Next::SaveToFile:
            return saveDesignFile(document.filePath());
        case Next::SaveToAskedFile:
            return saveDesignFile(askDesignPath(true));
    }
    return false;
}

bool FrmFanji::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->Img2 && event->type() == QEvent::Resize) {
        fitPicture();
    }
    if ((watched == m_wireTools.get() || watched == m_about.get()) &&
        (event->type() == QEvent::Close || event->type() == QEvent::Hide)) {
        m_window.windows().setOpen(
            watched == m_wireTools.get() ? session::Window::WireTools : session::Window::About,
            false);
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmFanji::mirrorText(Field field) {
    m_binder->mirrorText(sheet::fieldName(field), m_window.sheet().text(field));
}

void FrmFanji::mirrorControlState(const QString& name) {
    const sheet::DesignSheet& sheet = m_window.sheet();
    if (name == u"TxtApp") {
        for (int i = 0; i <= 25; ++i) {
            control(sheet::fieldName(sheet::materialField(i)))->setEnabled(sheet.isEnabled(name));
        }
        return;
    }
    QWidget* widget = control(name);
    if (widget == nullptr) {
        widget = findChild<QWidget*>(name);
    }
    if (widget == nullptr) {
        return;
    }
    widget->setEnabled(sheet.isEnabled(name));
    widget->setVisible(sheet.isVisible(name));
    if (name == u"Check1") {
        // Shown in the engineer's language; scripts read the engine's text.
        static_cast<QAbstractButton*>(widget)->setText(humanText(sheet.caption(name)));
        widget->setProperty(kSourceTextProperty, sheet.caption(name));
    }
    if (name == u"Data2") {
        static_cast<QLabel*>(widget)->setText(tr("所需面积乘积AP：%1").arg(sheet.caption(name)));
    }
    if (name == u"Img2") {
        showPicture(sheet.caption(name));
    }
    if (const std::optional<Field> field = sheet::fieldByName(name)) {
        if (const std::optional<int> colorValue = sheet.color(*field)) {
            widget->setStyleSheet(QStringLiteral("QLineEdit { background: %1; }")
                                      .arg(fromColorValue(*colorValue).name()));
            widget->setProperty("kelvaneColor", *colorValue);
        }
    }
}

}  // namespace kelvane::gui
