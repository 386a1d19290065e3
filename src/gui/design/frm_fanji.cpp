#include "gui/design/frm_fanji.h"

#include "engine/about/about_info.h"
#include "engine/base/prompter.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/session/design_session.h"
#include "gui/about/frm_about.h"
#include "gui/advice/frm_advisor.h"
#include "gui/base/key_codes.h"
#include "gui/base/record_grid_view.h"
#include "gui/base/widget_text.h"
#include "gui/catalogue/record_set_model.h"
#include "gui/design/grid_model.h"
#include "gui/files/window_printer.h"
#include "gui/wire/frm_wire_tools.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace kelvane::gui {
namespace {

using design::Check;
using design::Field;

constexpr int kEnterKey = 13;

QGroupBox* frame(const QString& name, const QString& title) {
    auto* box = new QGroupBox(title);
    box->setObjectName(name);
    return box;
}

QLabel* label(const QString& text) {
    auto* caption = new QLabel(text);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return caption;
}

RecordGridView* recordGrid(const QString& name) {
    auto* view = new RecordGridView;
    view->setObjectName(name);
    return view;
}

// Colour values of the design record are 0xBBGGRR.
QColor fromColorValue(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

}  // namespace

FrmFanji::FrmFanji(session::DesignSession& window, QWidget* parent)
    : QMainWindow(parent), m_window(window) {
    setObjectName(QStringLiteral("FrmFanji"));
    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("sb"));
    m_pages->addTab(buildRequirementsPage(), QStringLiteral("变压器设计要求"));
    m_pages->addTab(buildMaterialPage(), QStringLiteral("磁材参考数据"));
    m_pages->addTab(buildResultsPage(), QStringLiteral("设计参数"));
    // A material field waiting for the maintenance mode stays readable.
    setStyleSheet(QStringLiteral("QLineEdit:disabled { color: palette(text); }"));
    setCentralWidget(m_pages);
    buildMenus();

    design::DesignSheet& sheet = m_window.sheet();
    connect(&sheet, &design::DesignSheet::textChanged, this, &FrmFanji::mirrorText);
    connect(&sheet, &design::DesignSheet::checkChanged, this, [this] { mirrorChecks(); });
    connect(&sheet, &design::DesignSheet::controlStateChanged, this, &FrmFanji::mirrorControlState);
    connect(&sheet, &design::DesignSheet::focusRequested, this, &FrmFanji::mirrorFocus);
    connect(&sheet, &design::DesignSheet::pageChanged, this, [this](int page) {
        const QSignalBlocker blocker(m_pages);
        m_pages->setCurrentIndex(page);
    });
    connect(&sheet, &design::DesignSheet::gridChanged, this, [this](design::Table table) {
        (table == design::Table::MS ? m_msModel : m_msWinModel)->refresh();
        if (table == design::Table::MS) {
            auto* view = static_cast<RecordGridView*>(control(QStringLiteral("MS")));
            view->showRow(m_msModel->viewRow(m_window.sheet().grid(table).currentRow));
        }
    });
    connect(m_pages, &QTabWidget::currentChanged, this,
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
    updateTitle();

    for (int i = 0; i < design::kFieldCount; ++i) {
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
    resize(1280, 720);
}

void FrmFanji::centre() {
    const QRect screen = this->screen()->availableGeometry();
    move(screen.left() + (screen.width() - frameGeometry().width()) / 2,
         screen.top() + (screen.height() - frameGeometry().height()) / 2);
}

QWidget* FrmFanji::buildRequirementsPage() {
    auto* page = new QWidget;
    auto* columns = new QHBoxLayout(page);

    // Left: circuit type, primary side, hipot and insulation.
    auto* left = new QVBoxLayout;
    QGroupBox* circuit = frame(QStringLiteral("Frame2"), QStringLiteral("选择电路形式"));
    auto* circuitGrid = new QGridLayout(circuit);
    const std::pair<const char*, const char*> options[] = {
        {"Option1", "储能变压器"}, {"Option2", "正激(双极性变换)"}, {"Option3", "RCC变压器"}};
    int optionIndex = 0;
    for (const auto& [name, caption] : options) {
        auto* option = new QRadioButton(QString::fromUtf8(caption));
        option->setAutoExclusive(false);
        registerControl(QString::fromLatin1(name), option);
        circuitGrid->addWidget(option, optionIndex / 2, optionIndex % 2);
        ++optionIndex;
    }
    auto* bridge = new QCheckBox(QStringLiteral("推挽全、全桥"));
    registerControl(QStringLiteral("Check1"), bridge);
    circuitGrid->addWidget(bridge, 1, 1);
    left->addWidget(circuit);

    QGroupBox* primary = frame(QStringLiteral("Fmin"), QStringLiteral("电源初级侧参数设置"));
    auto* primaryGrid = new QGridLayout(primary);
    addRow(primaryGrid, 0, QStringLiteral("UacMin(V)"), edit(Field::TxtUmin));
    addRow(primaryGrid, 1, QStringLiteral("输入电压Udc(v)"), edit(Field::txtudc));
    addRow(primaryGrid, 2, QStringLiteral("工作频率F(kHz)"), edit(Field::TxtF));
    addRow(primaryGrid, 0, QStringLiteral("开关占空比D"), edit(Field::txtd), 2);
    addRow(primaryGrid, 1, QStringLiteral("全周期Ts(us)"), edit(Field::Txtts), 2);
    addRow(primaryGrid, 2, QStringLiteral("导通时间Ton(us)"), edit(Field::Txtton), 2);
    left->addWidget(primary);

    QGroupBox* hipot =
        frame(QStringLiteral("frame6"), QStringLiteral("Hi-Pot&& Insulation System"));
    auto* hipotGrid = new QGridLayout(hipot);
    QLineEdit* ambient = edit(Field::TXTTEMP20);
    ambient->setToolTip(QStringLiteral("请设定变压器使用时的环境温度"));
    QLineEdit* allowedRise = edit(Field::TXTTEMPD);
    allowedRise->setToolTip(QStringLiteral("请设定此变压器的允许工作温升"));
    addRow(hipotGrid, 0, QStringLiteral("环境温度℃"), ambient);
    addRow(hipotGrid, 0, QStringLiteral("允许温升℃"), allowedRise, 2);
    addRow(hipotGrid, 1, QStringLiteral("绝缘等级或系统"), combo(Field::Combo1));
    hipotGrid->addWidget(edit(Field::Text13), 1, 2, 1, 2);
    auto* standards = new QHBoxLayout;
    const std::pair<const char*, const char*> standardOptions[] = {
        {"OptIEC", "IEC"}, {"OptUL", "UL OR CAS"}, {"OptVDE", "VDE"}, {"OptSelf", "自定义"}};
    for (const auto& [name, caption] : standardOptions) {
        auto* option = new QRadioButton(QString::fromUtf8(caption));
        option->setAutoExclusive(false);
        registerControl(QString::fromLatin1(name), option);
        standards->addWidget(option);
    }
    hipotGrid->addLayout(standards, 2, 0, 1, 4);
    addRow(hipotGrid, 3, QStringLiteral("最小爬电距离mm"), edit(Field::TxtMargin));
    hipotGrid->addWidget(edit(Field::TxtHipot), 3, 2, 1, 2);
    const std::pair<Field, const char*> hipotFields[] = {{Field::TxtHipotPs, "Pir Vs Sec"},
                                                         {Field::TxtHipotPP, "Pir Vs Pri"},
                                                         {Field::TxtHipotPc, "Pir Vs Core"},
                                                         {Field::TxtHipotSc, "Sec Vs Core"},
                                                         {Field::TxtHipotSS, "Sec Vs Sec"}};
    int hipotRow = 4;
    for (const auto& [field, caption] : hipotFields) {
        QLineEdit* hipotEdit = edit(field, 22);
        hipotGrid->addWidget(label(QString::fromLatin1(caption)), hipotRow, 0);
        hipotGrid->addWidget(hipotEdit, hipotRow, 1, 1, 3);
        ++hipotRow;
    }
    left->addWidget(hipot);
    left->addStretch();
    columns->addLayout(left, 0);

    // Right: the secondary outputs and the primary current waveform.
    QGroupBox* outputs = frame(QStringLiteral("Frame3"), QStringLiteral("次级输出"));
    auto* outputsLayout = new QGridLayout(outputs);
    auto* entry = new QGridLayout;
    addRow(entry, 0, QStringLiteral("输出电压Udc(V)"), edit(Field::txtuoutput));
    addRow(entry, 1, QStringLiteral("输出电流Idc(A)"), edit(Field::TxtIoutput));
    addRow(entry, 2, QStringLiteral("线路压降Udio(v)"), edit(Field::TXTDIO));
    addRow(entry, 3, QStringLiteral("输出功率Pout(W)"), edit(Field::Txtpout));
    addRow(entry, 4, QStringLiteral("变换效率η"), edit(Field::TXTN));
    auto* inputPowerCaption = label(QStringLiteral("输入功率Pint"));
    inputPowerCaption->setObjectName(QStringLiteral("Label5(1)"));
    entry->addWidget(inputPowerCaption, 5, 0);
    entry->addWidget(edit(Field::txtpint), 5, 1);
    entry->setRowStretch(6, 1);
    entry->setColumnStretch(2, 1);
    outputsLayout->addLayout(entry, 0, 0);

    auto* waveform = new QGroupBox;
    waveform->setObjectName(QStringLiteral("Frmele"));
    waveform->setTitle(QString());
    auto* waveformGrid = new QGridLayout(waveform);
    auto* averageCaption = label(QStringLiteral("Ts平均输入电流Is(A)"));
    averageCaption->setObjectName(QStringLiteral("Label6(1)"));
    waveformGrid->addWidget(averageCaption, 0, 0);
    waveformGrid->addWidget(edit(Field::txtis), 0, 1);
    addRow(waveformGrid, 1, QStringLiteral("Ton导通电流Im(A)"), edit(Field::txtim));
    addRow(waveformGrid, 2, QStringLiteral("导通初期电流Ip1(A)"), edit(Field::txtip1));
    addRow(waveformGrid, 3, QStringLiteral("Ipk/Ip1"), edit(Field::txtipkip1));
    addRow(waveformGrid, 4, QStringLiteral("导通峰值电流Ipk(A)"), edit(Field::txtipk));
    addRow(waveformGrid, 5, QStringLiteral("导通电流变化量△i(A)"), edit(Field::txtdi));
    outputsLayout->addWidget(waveform, 0, 1);

    auto* ms = recordGrid(QStringLiteral("MS"));
    m_msModel = new GridModel(m_window.sheet(), design::Table::MS, true, this);
    ms->setModel(m_msModel);
    ms->verticalHeader()->hide();
    ms->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    registerControl(QStringLiteral("MS"), ms);
    bindGridRows(
        ms, [this](int row) { m_window.selectOutputRow(m_msModel->gridRow(row)); },
        [this] { return m_msModel->viewRow(m_window.sheet().grid(design::Table::MS).currentRow); });
    outputsLayout->addWidget(ms, 1, 0, 1, 2);

    auto* totals = new QHBoxLayout;
    totals->addWidget(new QLabel(QStringLiteral("下一序号")));
    totals->addWidget(edit(Field::txtno, 4));
    totals->addStretch();
    totals->addWidget(new QLabel(QStringLiteral("总输出功率(W)")));
    totals->addWidget(edit(Field::txtp));
    outputsLayout->addLayout(totals, 2, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(QStringLiteral("Command1"), QStringLiteral("添加输出")));
    buttons->addWidget(button(QStringLiteral("Command2"), QStringLiteral("删除输出")));
    buttons->addWidget(button(QStringLiteral("Command12"), QStringLiteral("修改")));
    buttons->addStretch();
    buttons->addWidget(button(QStringLiteral("Command13"), QStringLiteral("下一步")));
    outputsLayout->addLayout(buttons, 3, 0, 1, 2);

    auto* brand = new QLabel(QStringLiteral("Kelvane™ 磁性元件设计  ·  kelvane.example"));
    brand->setObjectName(QStringLiteral("Label5(0)"));
    brand->setCursor(Qt::PointingHandCursor);
    brand->setStyleSheet(QStringLiteral("color: #1f4e99;"));
    for (QLabel* brandLabel : {brand, inputPowerCaption, averageCaption}) {
        registerControl(brandLabel->objectName(), brandLabel);
        brandLabel->installEventFilter(this);
    }
    outputsLayout->addWidget(brand, 4, 0, 1, 2, Qt::AlignRight);
    outputsLayout->setRowStretch(1, 1);
    columns->addWidget(outputs, 1);
    return page;
}

QWidget* FrmFanji::buildMaterialPage() {
    auto* page = new QWidget;
    auto* columns = new QHBoxLayout(page);

    QGroupBox* material = frame(QStringLiteral("fmMZ"), QStringLiteral("磁材设计"));
    auto* materialLayout = new QVBoxLayout(material);
    auto* properties = new QGridLayout;
    addRow(properties, 0, QStringLiteral("磁材类型"), edit(design::materialField(0), 14));
    addRow(properties, 1, QStringLiteral("材质名称"), edit(design::materialField(1), 14));
    auto* permeability = new QHBoxLayout;
    permeability->addWidget(edit(design::materialField(2)));
    permeability->addWidget(new QLabel(QStringLiteral("+/-")));
    permeability->addWidget(edit(design::materialField(22), 4));
    permeability->addWidget(new QLabel(QStringLiteral("%")));
    properties->addWidget(label(QStringLiteral("初始磁导率Ui")), 2, 0);
    properties->addLayout(permeability, 2, 1);
    addRow(properties, 3, QStringLiteral("居里温度Tc(℃)"), edit(design::materialField(3)));
    addRow(properties, 0, QStringLiteral("磁通密度Bm @1194A/m(mT)"), edit(design::materialField(4)),
           2);
    addRow(properties, 1, QStringLiteral("剩余磁通密度Br(mT)"), edit(design::materialField(5)), 2);
    addRow(properties, 2, QStringLiteral("矫顽力Hc(A/m)"), edit(design::materialField(6)), 2);
    addRow(properties, 3, QStringLiteral("电阻率P(Ω-m)"), edit(design::materialField(7)), 2);
    addRow(properties, 4, QStringLiteral("密度Dy(g/cm3)"), edit(design::materialField(8)));
    addRow(properties, 4, QStringLiteral("Factory"), edit(design::materialField(21), 14), 2);
    materialLayout->addLayout(properties);

    auto* losses = new QGridLayout;
    losses->addWidget(new QLabel(QStringLiteral("功率损耗PL mW/cm3")), 0, 0);
    const char* const temperatures[] = {"@ 25℃", "@ 60℃", "@ 100℃", "@ 120℃"};
    for (int t = 0; t < 4; ++t) {
        auto* heading = new QLabel(QString::fromUtf8(temperatures[t]));
        heading->setAlignment(Qt::AlignCenter);
        losses->addWidget(heading, 0, t + 1);
    }
    const int headings[] = {23, 24, 25};
    for (int block = 0; block < 3; ++block) {
        losses->addWidget(edit(design::materialField(headings[block]), 12), block + 1, 0);
        for (int t = 0; t < 4; ++t) {
            losses->addWidget(edit(design::materialField(9 + block * 4 + t), 6), block + 1, t + 1);
        }
    }
    materialLayout->addLayout(losses);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("材质搜索")));
    search->addWidget(edit(Field::Text1, 10));
    search->addWidget(edit(Field::Text2, 14));
    materialLayout->addLayout(search);
    auto* materials = recordGrid(QStringLiteral("DBGrid1"));
    registerControl(QStringLiteral("DBGrid1"), materials);
    bindRecordSet(materials, m_window.catalogue().materials(), {});
    materialLayout->addWidget(materials, 1);

    auto* maintenance = new QHBoxLayout;
    const std::pair<const char*, const char*> maintenanceButtons[] = {
        {"Command7", "查找"}, {"Command8", "添加"}, {"Command3", "修改"},
        {"Command4", "删除"}, {"Command5", "保存"}, {"Command6", "取消"}};
    for (const auto& [name, caption] : maintenanceButtons) {
        maintenance->addWidget(button(QString::fromLatin1(name), QString::fromUtf8(caption)));
    }
    materialLayout->addLayout(maintenance);

    auto* design = new QGroupBox;
    design->setObjectName(QStringLiteral("Frame1"));
    auto* designGrid = new QGridLayout(design);
    addRow(designGrid, 0, QStringLiteral("Bm设计取值(mT)"), edit(Field::txtbm));
    addRow(designGrid, 1, QStringLiteral("电流密度J(A/mm2)"), edit(Field::TxtJ));
    addRow(designGrid, 0, QStringLiteral("功率损耗PL mW/cm3"), edit(Field::txtpl), 2);
    addRow(designGrid, 1, QStringLiteral("功率损耗PL mW/g"), edit(Field::TXTPLG), 2);
    materialLayout->addWidget(design);
    auto* steps = new QHBoxLayout;
    steps->addWidget(button(QStringLiteral("Command15"), QStringLiteral("上一步")));
    steps->addStretch();
    steps->addWidget(button(QStringLiteral("Command14"), QStringLiteral("下一步")));
    materialLayout->addLayout(steps);
    columns->addWidget(material, 5);

    QGroupBox* core = frame(QStringLiteral("Frame4"), QStringLiteral("磁芯"));
    auto* coreLayout = new QVBoxLayout(core);
    auto* selection = new QHBoxLayout;
    selection->addWidget(button(QStringLiteral("Command9"), QStringLiteral("磁芯选择")));
    selection->addWidget(combo(Field::cmbcore));
    selection->addWidget(edit(Field::TXTCORE, 10));
    coreLayout->addLayout(selection);
    QLineEdit* corePower = edit(Field::TXTCOREPOWER, 24);
    corePower->setStyleSheet(QStringLiteral("color: red;"));
    coreLayout->addWidget(corePower);
    auto* coreGrid = new QGridLayout;
    addRow(coreGrid, 0, QStringLiteral("所选磁芯规格"), edit(Field::TxtCoreSize, 14));
    addRow(coreGrid, 1, QStringLiteral("中柱面积Ae(mm2)"), edit(Field::TxtCoreAe));
    addRow(coreGrid, 2, QStringLiteral("磁路长度Le(mm)"), edit(Field::TxtCoreLe));
    addRow(coreGrid, 3, QStringLiteral("绕线面积Aw(mm2)"), edit(Field::TxtCoreAw));
    addRow(coreGrid, 4, QStringLiteral("匝长(mm)"), edit(Field::TxtBZC));
    addRow(coreGrid, 0, QStringLiteral("生产厂家"), edit(Field::TxtCoreFactory, 22), 2);
    addRow(coreGrid, 1, QStringLiteral("体积Ve(cm3)"), edit(Field::TxtCoreVe), 2);
    addRow(coreGrid, 2, QStringLiteral("磁芯重量W(g/set)"), edit(Field::TxtCoreWeigh), 2);
    addRow(coreGrid, 3, QStringLiteral("磁芯损耗(W)"), edit(Field::TxtCorePl), 2);
    coreLayout->addLayout(coreGrid);
    auto* proposal = new QLabel;
    proposal->setObjectName(QStringLiteral("Data2"));
    registerControl(QStringLiteral("Data2"), proposal);
    coreLayout->addWidget(proposal);
    auto* cores = recordGrid(QStringLiteral("DBGrid2"));
    registerControl(QStringLiteral("DBGrid2"), cores);
    QVector<RecordSetModel::Column> coreColumns;
    for (const catalogue::GridColumn& column : catalogue::coreGridColumns()) {
        coreColumns.append({column.caption, column.column});
    }
    bindRecordSet(cores, m_window.catalogue().cores(), coreColumns);
    coreLayout->addWidget(cores, 1);
    columns->addWidget(core, 4);
    return page;
}

QWidget* FrmFanji::buildResultsPage() {
    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    QGroupBox* results = frame(QStringLiteral("FRM"), QStringLiteral("设计参数表"));
    auto* resultsLayout = new QGridLayout(results);

    auto* windings = new QTableView;
    windings->setObjectName(QStringLiteral("MSwin"));
    windings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    windings->setTabKeyNavigation(false);
    windings->verticalHeader()->setDefaultSectionSize(22);
    windings->horizontalHeader()->setHighlightSections(false);
    m_msWinModel = new GridModel(m_window.sheet(), design::Table::MSwin, false, this);
    m_msWinModel->setHeadings({QStringLiteral("绕组WNG"), QStringLiteral("匝数(T)"),
                               QStringLiteral("线径φ(mm)"), QStringLiteral("DCR(Ω)"),
                               QStringLiteral("压降Δu(V)"), QStringLiteral("损耗Pcu(W)"),
                               QStringLiteral("线重W(g)")});
    m_msWinModel->setRowHeadings({QStringLiteral("初级")});
    windings->setModel(m_msWinModel);
    windings->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    windings->setSelectionMode(QAbstractItemView::NoSelection);
    registerControl(QStringLiteral("MSwin"), windings);
    resultsLayout->addWidget(windings, 0, 0, 1, 3);

    auto* figures = new QGridLayout;
    addRow(figures, 0, QStringLiteral("原边电感量Lp(mH)"), edit(Field::txtlp));
    addRow(figures, 1, QStringLiteral("绕组用铜总量(g)"), edit(Field::TxtCuWeigh));
    addRow(figures, 2, QStringLiteral("绕组损耗Pcu(W)"), edit(Field::TxtWinLost));
    addRow(figures, 3, QStringLiteral("变压器总损耗PT(W)"), edit(Field::TxtTranLost));
    addRow(figures, 4, QStringLiteral("变压器输出功率(W)"), edit(Field::TxtTransP));
    addRow(figures, 5, QStringLiteral("绕组占积率"), edit(Field::TxtKwin));
    addRow(figures, 0, QStringLiteral("适用磁芯规格："), edit(Field::TxtCoreSc, 12), 2);
    addRow(figures, 1, QStringLiteral("变压器模拟温升："), edit(Field::TxtTempUp), 2);
    addRow(figures, 2, QStringLiteral("有效导磁率Ue："), edit(Field::TxtUe), 2);
    addRow(figures, 3, QStringLiteral("电感系数AL："), edit(Field::TxtAl, 12), 2);
    addRow(figures, 4, QStringLiteral("标准AL:"), edit(Field::TxtSAl, 12), 2);
    addRow(figures, 5, QStringLiteral("气隙GAP："), edit(Field::TxtGap), 2);
    resultsLayout->addLayout(figures, 1, 0);

    QGroupBox* dimensions = frame(QStringLiteral("Frame5"), QStringLiteral("磁芯尺寸"));
    auto* dimensionGrid = new QGridLayout(dimensions);
    const Field dimensionFields[] = {Field::TxtcoreA, Field::TxtcoreB, Field::TxtCoreC,
                                     Field::TxtCoreD, Field::TxtCoreE, Field::TxtCoreF};
    for (int i = 0; i < 6; ++i) {
        auto* letter = new QLabel(QString(QChar(u'A' + i)));
        letter->setAlignment(Qt::AlignCenter);
        dimensionGrid->addWidget(letter, 0, i);
        dimensionGrid->addWidget(edit(dimensionFields[i], 5), 1, i);
    }
    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("Img2"));
    picture->setMinimumSize(304, 224);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::StyledPanel);
    registerControl(QStringLiteral("Img2"), picture);
    dimensionGrid->addWidget(picture, 2, 0, 1, 6);
    resultsLayout->addWidget(dimensions, 1, 1);

    auto* actions = new QVBoxLayout;
    actions->addWidget(button(QStringLiteral("Command10"), QStringLiteral("变压器设计结果")));
    actions->addStretch();
    resultsLayout->addLayout(actions, 1, 2);
    resultsLayout->setRowStretch(0, 1);
    pageLayout->addWidget(results, 1);

    auto* back = new QHBoxLayout;
    back->addStretch();
    back->addWidget(button(QStringLiteral("Command16"), QStringLiteral("返回")));
    pageLayout->addLayout(back);
    return page;
}

void FrmFanji::bindRecordSet(RecordGridView* view, catalogue::DataSource& source,
                             const QVector<RecordSetModel::Column>& columns) {
    auto* model = new RecordSetModel(source, columns, view);
    view->setModel(model);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->horizontalHeader()->setDefaultSectionSize(64);
    const QString name = view->objectName();
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
        view, [this, name](int row) { m_window.selectRecord(name, row + 1); },
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

void FrmFanji::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件"));
    file->setObjectName(QStringLiteral("File"));
    const auto addItem = [this, file](const char* name, const QString& caption, auto slot) {
        QAction* action = file->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    addItem("OPENS", QStringLiteral("打开&O"), &FrmFanji::onOpenAction)
        ->setShortcut(QKeySequence::Open);
    addItem("SAVE", QStringLiteral("保存&S"), &FrmFanji::onSaveAction)
        ->setShortcut(QKeySequence::Save);
    addItem("PR", QStringLiteral("列印文件&P"), &FrmFanji::onPrintAction)
        ->setShortcut(QKeySequence::Print);
    m_recentMenu = file->addMenu(QStringLiteral("最近打开的文件"));
    rebuildRecentMenu();
    file->addSeparator();
    addItem("Exit", QStringLiteral("退出&X"), &QWidget::close);
    const std::pair<const char*, const char*> topItems[] = {{"TOOL", "工具"}, {"HE", "帮助"}};
    for (const auto& [name, caption] : topItems) {
        QAction* action = menuBar()->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        const QString control = QString::fromLatin1(name);
        connect(action, &QAction::triggered, this, [this, control] { m_window.click(control); });
    }
    QAction* advisor = menuBar()->addAction(QStringLiteral("磁芯推荐"));
    advisor->setObjectName(QStringLiteral("ADVISOR"));
    connect(advisor, &QAction::triggered, this, [this] {
        FrmAdvisor& window = advisorWindow();
        window.show();
        window.raise();
        window.activateWindow();
    });
}

FrmAdvisor& FrmFanji::advisorWindow() {
    if (m_advisor == nullptr) {
        m_advisor = new FrmAdvisor(m_window, this);
        m_advisor->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return *m_advisor;
}

bool FrmFanji::openDesignFile(const QString& path) {
    if (!m_window.openDesign(path)) {
        return false;
    }
    m_filePath = path;
    rememberRecentFile(path);
    setModified(false);
    return true;
}

bool FrmFanji::saveDesignFile(const QString& path) {
    if (!m_window.saveDesign(path)) {
        return false;
    }
    m_filePath = path;
    rememberRecentFile(path);
    setModified(false);
    return true;
}

bool FrmFanji::printToPdf(const QString& path, QString* error) {
    QString reason;
    if (!printWindowToPdf(*this, path, &reason)) {
        m_window.reportFailedPrint(reason);
        if (error != nullptr) {
            *error = reason;
        }
        return false;
    }
    return true;
}

void FrmFanji::openDesignWindow() {
    // A message of the opening (a missing catalogue) must not find the
    // title already claiming an edit.
    m_window.open();
    followEdits();
}

void FrmFanji::followEdits() {
    design::DesignSheet& sheet = m_window.sheet();
    const auto changed = [this] { setModified(true); };
    connect(&sheet, &design::DesignSheet::textChanged, this, changed);
    connect(&sheet, &design::DesignSheet::checkChanged, this, changed);
    connect(&sheet, &design::DesignSheet::gridChanged, this, changed);
}

FrmWireTools& FrmFanji::wireWindow() {
    if (m_wireTools == nullptr) {
        // A window of its own, not a child: it stays usable beside this one.
        m_wireTools = new FrmWireTools(m_window.wireTools());
        m_wireTools->setScripted(m_scripted);
        m_wireTools->setAttribute(Qt::WA_QuitOnClose, false);
        m_wireTools->installEventFilter(this);
        connect(this, &QObject::destroyed, m_wireTools, &QObject::deleteLater);
    }
    return *m_wireTools;
}

void FrmFanji::showWireWindow() {
    FrmWireTools& tools = wireWindow();
    tools.show();
    tools.raise();
    tools.activateWindow();
}

void FrmFanji::showAboutWindow() {
    if (m_about == nullptr) {
        m_about = new FrmAbout(m_window.about());
        m_about->setAttribute(Qt::WA_QuitOnClose, false);
        m_about->installEventFilter(this);
        connect(this, &QObject::destroyed, m_about, &QObject::deleteLater);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void FrmFanji::printWireWindow() {
    if (m_scripted) {
        return;  // scripts print the design window to a file instead
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!printWindow(wireWindow(), printer)) {
        m_window.reportFailedPrint(QStringLiteral("打印机不可用"));
    }
}

void FrmFanji::closeProgram() {
    if (m_scripted) {
        // No save question in a script: the program ends and every window
        // goes, their texts kept for the script's last snapshots.
        m_window.endProgram();
        for (QWidget* window : {static_cast<QWidget*>(m_wireTools), static_cast<QWidget*>(m_about),
                                static_cast<QWidget*>(this)}) {
            if (window != nullptr) {
                window->hide();
            }
        }
        return;
    }
    // Closing asks about unsaved changes; the program ends only if it closed.
    if (close()) {
        QApplication::quit();
    }
}

void FrmFanji::onOpenAction() {
    if (!maybeSave()) {
        return;
    }
    openDesignFile(askDesignPath(false));
}

void FrmFanji::onSaveAction() {
    saveDesignFile(askDesignPath(true));
}

QString FrmFanji::askDesignPath(bool forSaving) {
    if (m_scripted) {
        return {};  // the script's open and save lines answer the dialog
    }
    const QString filter = QStringLiteral("DAT(*.dat)");
    return forSaving
               ? QFileDialog::getSaveFileName(this, QStringLiteral("保存"), m_filePath, filter)
               : QFileDialog::getOpenFileName(this, QStringLiteral("打开"), m_filePath, filter);
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
        m_window.reportFailedPrint(QStringLiteral("打印机不可用"));
    }
}

bool FrmFanji::maybeSave() {
    // A script's design is written only by its save lines, and a box here
    // would be one that kelvane-cli, which has no window to close, never shows.
    if (!m_modified || m_scripted) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, windowTitle(), QStringLiteral("设计已修改，是否保存？"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("保存(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("不保存(&N)"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Yes);
    const auto answer = QMessageBox::StandardButton(box.exec());
    if (answer == QMessageBox::Cancel) {
        return false;
    }
    if (answer == QMessageBox::No) {
        return true;
    }
    return saveDesignFile(m_filePath.isEmpty() ? askDesignPath(true) : m_filePath);
}

void FrmFanji::closeEvent(QCloseEvent* event) {
    if (maybeSave()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void FrmFanji::setModified(bool modified) {
    if (m_modified == modified) {
        return;
    }
    m_modified = modified;
    updateTitle();
}

void FrmFanji::updateTitle() {
    QString title = QStringLiteral("Kelvane开关变压器设计程序 v%1.%2.%3")
                        .arg(KELVANE_VERSION_MAJOR)
                        .arg(KELVANE_VERSION_MINOR)
                        .arg(KELVANE_VERSION_PATCH);
    if (!m_filePath.isEmpty() || m_modified) {
        const QString name =
            m_filePath.isEmpty() ? QStringLiteral("未命名") : QFileInfo(m_filePath).fileName();
        title += QStringLiteral(" - ") + name + (m_modified ? QStringLiteral("*") : QString());
    }
    setWindowTitle(title);
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

QLineEdit* FrmFanji::edit(Field field, int widthChars) {
    auto* lineEdit = new QLineEdit;
    const QString name = design::fieldName(field);
    registerControl(name, lineEdit);
    lineEdit->setMinimumWidth(
        lineEdit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * widthChars + 12);
    if (design::editKind(field) == design::EditKind::Shown) {
        lineEdit->setReadOnly(true);
        lineEdit->setStyleSheet(QStringLiteral("QLineEdit { background: palette(window); }"));
    }
    lineEdit->installEventFilter(this);
    connect(lineEdit, &QLineEdit::textEdited, this,
            [this, field](const QString& text) { m_window.type(field, text); });
    return lineEdit;
}

QComboBox* FrmFanji::combo(Field field) {
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(session::DesignSession::comboItems(field));
    registerControl(design::fieldName(field), box);
    box->installEventFilter(this);
    box->lineEdit()->installEventFilter(this);
    box->lineEdit()->setProperty("kelvaneControl", design::fieldName(field));
    connect(box->lineEdit(), &QLineEdit::textEdited, this,
            [this, field](const QString& text) { m_window.type(field, text); });
    connect(box, &QComboBox::activated, this,
            [this, field, box](int index) { m_window.pick(field, box->itemText(index)); });
    return box;
}

QPushButton* FrmFanji::button(const QString& name, const QString& caption) {
    auto* push = new QPushButton(caption);
    push->setAutoDefault(false);
    registerControl(name, push);
    push->installEventFilter(this);
    return push;
}

void FrmFanji::addRow(QGridLayout* grid, int row, const QString& caption, QWidget* field,
                      int column) {
    grid->addWidget(label(caption), row, column);
    grid->addWidget(field, row, column + 1);
}

void FrmFanji::registerControl(const QString& name, QWidget* widget) {
    widget->setObjectName(name);
    widget->setProperty("kelvaneControl", name);
    m_controls.insert(name, widget);
    if (auto* clickable = qobject_cast<QAbstractButton*>(widget)) {
        connect(clickable, &QAbstractButton::clicked, this, [this, name] {
            m_window.click(name);
            mirrorChecks();
        });
    }
}

bool FrmFanji::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_wireTools || watched == m_about) &&
        (event->type() == QEvent::Close || event->type() == QEvent::Hide)) {
        m_window.setWindowOpen(
            watched == m_wireTools ? QStringLiteral("FrmWireTools") : QStringLiteral("frmAbout"),
            false);
    }
    const QString name = watched->property("kelvaneControl").toString();
    if (name.isEmpty()) {
        return QMainWindow::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::KeyPress: {
            const std::optional<int> code = designKeyCode(*static_cast<QKeyEvent*>(event));
            if (!code) {
                break;
            }
            m_window.keyDown(name, *code);
            if (*code == kEnterKey) {
                return true;  // Enter is the window's, not the line edit's
            }
            break;
        }
        case QEvent::FocusIn: {
            // Only the engineer's moves: the focus that Qt moves on its own
            // (a page hidden, the window activated) is not the record's.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
                reason == Qt::BacktabFocusReason) {
                m_window.focus(name);
            }
            const std::optional<Field> field = design::fieldByName(name);
            auto* lineEdit = qobject_cast<QLineEdit*>(watched);
            if (field && lineEdit != nullptr && session::DesignSession::selectsAllOnFocus(*field)) {
                if (reason == Qt::MouseFocusReason) {
                    // After the mouse press has placed the cursor.
                    QTimer::singleShot(0, lineEdit, &QLineEdit::selectAll);
                } else if (reason != Qt::ActiveWindowFocusReason &&
                           reason != Qt::PopupFocusReason) {
                    // At once, so that keys typed right after Tab or Enter
                    // replace the value; coming back to the window or from a
                    // menu leaves the engineer's cursor alone.
                    lineEdit->selectAll();
                }
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            if (qobject_cast<QLabel*>(watched) != nullptr) {
                m_window.click(name);
            }
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmFanji::mirrorText(Field field) {
    mirrorWidgetText(control(design::fieldName(field)), m_window.sheet().text(field));
}

void FrmFanji::mirrorChecks() {
    const design::DesignSheet& sheet = m_window.sheet();
    for (int i = 0; i < design::kCheckCount; ++i) {
        auto* button = qobject_cast<QAbstractButton*>(control(design::checkName(Check(i))));
        if (button != nullptr) {
            const QSignalBlocker blocker(button);
            button->setChecked(sheet.isChecked(Check(i)));
        }
    }
}

void FrmFanji::mirrorControlState(const QString& name) {
    const design::DesignSheet& sheet = m_window.sheet();
    if (name == u"TxtApp") {
        for (int i = 0; i <= 25; ++i) {
            control(design::fieldName(design::materialField(i)))->setEnabled(sheet.isEnabled(name));
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
        static_cast<QAbstractButton*>(widget)->setText(sheet.caption(name));
    }
    if (name == u"Data2") {
        static_cast<QLabel*>(widget)->setText(
            QStringLiteral("所需面积乘积AP：%1").arg(sheet.caption(name)));
    }
    if (name == u"Img2") {
        showPicture(sheet.caption(name));
    }
    if (const std::optional<Field> field = design::fieldByName(name)) {
        if (const std::optional<int> colorValue = sheet.color(*field)) {
            widget->setStyleSheet(QStringLiteral("QLineEdit { background: %1; }")
                                      .arg(fromColorValue(*colorValue).name()));
            widget->setProperty("kelvaneColor", *colorValue);
        }
    }
}

void FrmFanji::showPicture(const QString& path) {
    auto* picture = static_cast<QLabel*>(control(QStringLiteral("Img2")));
    const QPixmap pixmap(path);
    if (pixmap.isNull()) {
        picture->setPixmap(QPixmap());
        picture->setText(QStringLiteral("无法载入图片：%1").arg(QFileInfo(path).fileName()));
        return;
    }
    picture->setPixmap(pixmap);
}

void FrmFanji::mirrorFocus(const QString& name) {
    QWidget* widget = control(name);
    if (widget != nullptr && QApplication::focusWidget() != widget) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace kelvane::gui
