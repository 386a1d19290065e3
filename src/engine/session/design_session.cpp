#include "engine/session/design_session.h"

#include "engine/base/key_codes.h"
#include "engine/base/number_text.h"
#include "engine/base/prompter.h"
#include "engine/catalogue/core_family.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <utility>

namespace kelvane::session {

using sheet::Check;
using sheet::Command;
using sheet::EditKind;
using sheet::Field;
using sheet::MaterialColumn;

namespace {

const QString kCheck1 = sheet::checkName(Check::Check1);

const QString kCatalogueTitle =
    QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "磁材数据库"));

QString catalogueOpenMessage(const QString& path, const QString& reason) {
    return QStringLiteral(
               QT_TRANSLATE_NOOP("kelvane::messages",
                                 "无法打开磁芯和磁材数据库文件：\n%1\n（%2）\n\n"
                                 "请用 sh tools/kelvane.sh run 构建程序，它会在程序旁生成这个文件；"
                                 "或者用 --catalogue 文件 启动程序，打开另一个数据库文件。\n"
                                 "没有数据库也可以继续设计，但磁材和磁芯列表是空的。"))
        .arg(QFileInfo(path).absoluteFilePath(), reason);
}

}  // namespace

DesignSession::DesignSession(Prompter& prompter, QString cataloguePath, QString pictureDirectory)
    : m_prompter(prompter),
      m_cataloguePath(std::move(cataloguePath)),
      m_cores(m_sheet, m_catalogue, std::move(pictureDirectory)),
      m_maintenance(m_sheet, m_catalogue, prompter),
      m_outputs(m_sheet, prompter),
      m_primary(m_sheet),
      m_safety(m_sheet),
      m_insulation(m_sheet),
      m_wireTools(prompter),
      m_about(prompter),
      m_document(m_sheet),
      m_results(m_sheet),
      m_files(prompter, m_sheet, m_outputs, m_cores, m_results, m_document) {
    m_sheet.setChangeHandler(this);
    connect(&m_wireTools, &wire::WireCalculator::aboutRequested, this,
            &DesignSession::openAboutWindow);
    connect(&m_about, &about::AboutWindow::closeRequested, this,
            [this] { m_windows.setOpen(Window::About, false); });
    // Every label that leads to the web site asks through this window.
    connect(&m_wireTools, &wire::WireCalculator::webSiteRequested, this,
            &DesignSession::webSiteRequested);
    connect(&m_about, &about::AboutWindow::webSiteRequested, this,
            &DesignSession::webSiteRequested);
    connect(&m_catalogue.materials(), &catalogue::DataSource::currentChanged, this,
            [this] { runSteps(recordMoveSteps(RecordSource::Materials)); });
    connect(&m_catalogue.cores(), &catalogue::DataSource::currentChanged, this,
            [this] { runSteps(recordMoveSteps(RecordSource::Cores)); });
    for (catalogue::DataSource* source : {&m_catalogue.materials(), &m_catalogue.cores()}) {
        source->setErrorHandler([this](const QString& text) { reportCatalogueError(text); });
    }
    m_sheet.setEnabled(kCheck1, false);
    m_sheet.setCaption(kCheck1,
                       QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "推挽全、全桥")));
    m_sheet.setVisible(QStringLiteral("Frmele"), false);
    for (const char* control : {"Command5", "Command6"}) {
        m_sheet.setEnabled(QString::fromLatin1(control), false);
    }
    m_sheet.setEnabled(QStringLiteral("TxtApp"), false);
    m_sheet.setFocus(sheet::fieldName(Field::TxtUmin));
}

DesignSession::~DesignSession() {
    m_sheet.setChangeHandler(nullptr);
}

void DesignSession::open() {
    m_sheet.setChecked(Check::OptIEC, 1);
    m_outputs.writeHeader();
    if (const Result<void> opened = m_catalogue.open(m_cataloguePath); !opened) {
        // Said once in plain words: which file, why, and how to get one.
        m_lastCatalogueError = opened.failure().text;
        m_prompter.message(catalogueOpenMessage(m_cataloguePath, m_lastCatalogueError),
                           kCatalogueTitle);
    }
    m_catalogue.materials().setRecordSource(QStringLiteral("materials"), {}, {});
    m_catalogue.cores().setRecordSource(QStringLiteral("CORE"), {}, {});
    m_sheet.storeText(Field::Combo1, comboItems(Field::Combo1).at(2));
    m_insulation.onClassChange();
    // Not before: a message of the opening (a missing catalogue) must not
    // find the title already claiming an edit.
    m_document.followEdits();
}

bool DesignSession::isTypeable(Field field) const {
    switch (sheet::editKind(field)) {
        case EditKind::Shown:
            return false;
        case EditKind::Material:
            return m_sheet.isEnabled(QStringLiteral("TxtApp"));
        default:
            return true;
    }
}

bool DesignSession::isClickable(const sheet::Control& control) const {
    return m_sheet.isEnabled(sheet::controlName(control));
}

bool DesignSession::isControl(const QString& name) {
    switch (windowOf(name)) {
        case Window::WireTools:
            return wire::WireCalculator::isControl(nameInWindow(name));
        case Window::About:
            return about::AboutWindow::isControl(nameInWindow(name));
        case Window::Design:
            break;
    }
    return sheet::controlByName(name).has_value();
}

QStringList DesignSession::comboItems(Field field) {
    if (field == Field::cmbcore) {
        return catalogue::CoreSelection::familyItems();
    }
    if (field == Field::Combo1) {
        return safety::InsulationClass::classNames();
    }
    return {};
}

bool DesignSession::selectsAllOnFocus(Field field) {
    switch (field) {
        case Field::TxtUmin:
        case Field::txtudc:
        case Field::TxtF:
        case Field::txtd:
        case Field::txtuoutput:
        case Field::TxtIoutput:
        case Field::TXTDIO:
            return true;
        default:
            return sheet::materialIndex(field).has_value();
    }
}

void DesignSession::type(Field field, const QString& text) {
    if (!isTypeable(field)) {
        return;
    }
    m_sheet.setText(field, text);
}

void DesignSession::pick(Field combo, const QString& item) {
    // Picking runs the box's click handling once; for both boxes it is the
    // same as their change handling.
    m_sheet.storeText(combo, item);
    runSteps(cascadeRow(combo).change);
}

void DesignSession::keyDown(const sheet::Control& control, int keyCode) {
    focus(control);
    if (const Command* command = std::get_if<Command>(&control)) {
        if (keyCode == kEnterKey && isClickable(control)) {
            runCommand(*command);
        }
        return;
    }
    if (const Field* field = std::get_if<Field>(&control)) {
        pressKey(cascadeRow(*field), keyCode);
    }
}

void DesignSession::pressKey(const CascadeRow& row, int keyCode) {
    if (keyCode == kEnterKey && enterApplies(row.enterWhen)) {
        runSteps(row.enter);
        if (const Field* next = std::get_if<Field>(&row.next)) {
            m_sheet.setFocus(sheet::fieldName(*next));
        } else if (const Command* next = std::get_if<Command>(&row.next)) {
            m_sheet.setFocus(sheet::commandName(*next));
        }
    }
    runSteps(row.anyKey);
}

bool DesignSession::enterApplies(EnterWhen when) const {
    switch (when) {
        case EnterWhen::FrequencyPositive:
            return m_sheet.number(Field::TxtF) > 0.0;
        case EnterWhen::Always:
            break;
    }
    return true;
}

void DesignSession::focus(const sheet::Control& control) {
    if (const QString name = sheet::controlName(control); m_sheet.focus() != name) {
        m_sheet.setFocus(name);
    }
}

void DesignSession::click(const sheet::Control& control) {
    if (!isClickable(control)) {
        return;
    }
    if (const Check* check = std::get_if<Check>(&control)) {
        if (*check == Check::Check1) {
            m_sheet.setChecked(Check::Check1, m_sheet.checkValue(Check::Check1) != 0 ? 0 : 1);
        } else {
            m_sheet.setChecked(*check, 1);
        }
        return;
    }
    if (const Command* command = std::get_if<Command>(&control)) {
        runCommand(*command);
        return;
    }
    if (std::holds_alternative<sheet::BrandLabel>(control)) {
        Q_EMIT webSiteRequested();
    }
}

void DesignSession::selectOutputRow(int row) {
    m_outputs.selectRow(row);
}

void DesignSession::selectRecord(sheet::RecordGrid grid, int row) {
    (grid == sheet::RecordGrid::DBGrid1 ? m_catalogue.materials() : m_catalogue.cores())
        .moveTo(row);
}

void DesignSession::reportFailedPrint(const QString& reason) {
    m_prompter.message(
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "打印失败：")) + reason,
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "打印")));
}

void DesignSession::showPage(int page) {
    m_sheet.setPage(page);
}

QString DesignSession::focusedControl() const {
    switch (m_windows.acted()) {
        case Window::WireTools:
            return prefixed(Window::WireTools, m_wireTools.focus());
        case Window::About:
            return prefixed(Window::About, m_about.focus());
        case Window::Design:
            break;
    }
    return m_sheet.focus();
}

void DesignSession::openAboutWindow() {
    // Each opening loads the window afresh: cmdOK unloaded it.
    if (!m_windows.isOpen(Window::About)) {
        m_about.load();
    }
    m_windows.setOpen(Window::About, true);
    Q_EMIT aboutWindowRequested();
}

bool DesignSession::saveDesign(const QString& path) {
    return m_files.save(path, m_checkInputs.fileInputs());
}

bool DesignSession::openDesign(const QString& path) {
    const std::optional<FileInputs> inputs = m_files.open(path);
    if (!inputs) {
        return false;
    }
    // The check's inputs are the file's: a file without them has the defaults.
    if (m_checkInputs.load(*inputs)) {
        Q_EMIT checkInputsChanged();
    }
    m_document.setSaved(path);
    return true;
}

void DesignSession::runCommand(Command command) {
    switch (command) {
        case Command::Command1:
            m_outputs.addOutput();
            break;
        case Command::Command2:
            m_outputs.deleteOutput();
            break;
        case Command::Command12:
            m_outputs.modifyOutput();
            break;
        case Command::Command13:
        case Command::Command16:
            m_sheet.setPage(1);
            break;
        case Command::Command14:
            m_sheet.setPage(2);
            break;
        case Command::Command15:
            m_sheet.setPage(0);
            break;
        case Command::Command3:
            m_maintenance.modify();
            break;
        case Command::Command4:
            m_maintenance.deleteRecord();
            m_snapshot.reset();
            break;
        case Command::Command5:
            m_maintenance.save();
            m_snapshot.reset();
            break;
        case Command::Command6:
            m_maintenance.cancel();
            break;
        case Command::Command7:
            m_maintenance.find();
            break;
        case Command::Command8:
            m_maintenance.add();
            break;
        case Command::Command9:
            runSteps({Step::EstimateLoss, Step::RecalcCoreDerived, Step::SelectCoresByAreaProduct,
                      Step::CaptionAreaProduct});
            break;
        case Command::Command10:
            m_results.computeDesignResults();
            break;
        case Command::TOOL:
            m_wireTools.load();
            m_windows.setOpen(Window::WireTools, true);
            Q_EMIT toolWindowRequested();
            break;
        case Command::HE:
            openAboutWindow();
            break;
        case Command::Exit:
            Q_EMIT exitRequested();
            break;
        default:
            break;
    }
}

void DesignSession::onTextChange(Field field) {
    runSteps(cascadeRow(field).change);
}

void DesignSession::runSteps(const Steps& steps) {
    for (const Step step : steps) {
        run(step);
    }
}

void DesignSession::run(Step step) {
    switch (step) {
        case Step::RecalcTiming:
            return m_primary.recalcTiming();
        case Step::RecalcPrimary:
            return m_primary.recalcPrimary();
        case Step::RecalcInputPower:
            return m_primary.recalcInputPower();
        case Step::DeriveInputVoltage:
            return m_primary.deriveInputVoltage();
        case Step::ReformatInputPower:
            return m_primary.reformatInputPower();
        case Step::RestoreInputPower:
            return m_primary.restoreInputPower();
        case Step::RecalcEntryPower:
            return m_outputs.recalcEntryPower();
        case Step::RecalcCreepage:
            return m_safety.recalcCreepage();
        case Step::ApplyInsulationClass:
            return m_insulation.onClassChange();
        case Step::RecalcAllowedRise:
            return m_insulation.recalcAllowedRise();
        case Step::SelectCoresByAreaProduct:
            return m_cores.selectCoresByAreaProduct(m_safety.marginFactor());
        case Step::CaptionAreaProduct:
            return m_cores.captionFromAreaProduct();
        case Step::RecalcCoreDerived:
            return m_cores.recalcCoreDerived();
        case Step::RecalcNewCoreDerived:
            return m_cores.recalcNewCoreDerived();
        case Step::WriteCorePowerMessage:
            return m_cores.writeCorePowerMessage();
        case Step::ShowCoreName:
            return m_cores.showCoreName();
        case Step::ShowFamilyPicture:
            return m_cores.showFamilyPicture();
        case Step::SearchCores:
            return m_cores.searchCores();
        case Step::SearchMaterials:
            return m_cores.searchMaterials();
        case Step::ProposeFluxDensity:
            return m_cores.proposeFluxDensity();
        case Step::EstimateLoss:
            return m_cores.estimateLoss();
        case Step::RecalcLossPerGram:
            return m_cores.recalcLossPerGram();
        case Step::RefillMaterialFields:
            return m_cores.refillMaterialFields();
        case Step::RefillCoreFields:
            return m_cores.refillCoreFields();
        case Step::ComputeResults:
            return m_results.computeDesignResults();
        case Step::ColourFillFactor:
            return m_results.colourFillFactor();
    }
}

void DesignSession::onClick(Check check) {
    switch (check) {
        case Check::Option1:
        case Check::Option2:
        case Check::Option3:
            m_primary.selectCircuit(check);
            break;
        case Check::Check1:
            m_primary.onBridgeClick();
            break;
        default:
            m_safety.applyPreset(check);
            break;
    }
}

std::shared_ptr<const advice::CatalogueSnapshot> DesignSession::catalogueSnapshot() {
    if (!m_snapshot) {
        m_snapshot = std::make_shared<const advice::CatalogueSnapshot>(
            advice::loadCatalogueSnapshot(m_catalogue.database()));
    }
    return m_snapshot;
}

advice::AdviceDesign DesignSession::adviceDesign() const {
    return advice::readAdviceDesign(m_sheet, m_safety.marginFactor());
}

const advice::Advice& DesignSession::advise(const advice::AdviceOptions& options) {
    const advice::AdviceDesign design = adviceDesign();
    if (!design.complete) {
        m_advice = {};
        m_prompter.message(advice::incompleteDesignMessage(),
                           QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "磁芯推荐")));
        return m_advice;
    }
    m_advice = advice::advise(design, catalogueSnapshot(), options);
    return m_advice;
}

bool DesignSession::applyAdvice(int index) {
    if (index < 0 || index >= m_advice.size()) {
        return false;
    }
    // The rows' catalogue stays alive across the cascade, whatever it reloads.
    const std::shared_ptr<const advice::CatalogueSnapshot> snapshot = m_advice.catalogue();
    const advice::AdviceRow row = m_advice[index];
    applyAdvice(row, *snapshot);
    return true;
}

void DesignSession::applyAdvice(const advice::AdviceRow& row,
                                const advice::CatalogueSnapshot& snapshot) {
    const advice::MaterialRecord& material = snapshot.materials.at(row.material);
    const advice::CoreRecord& core = snapshot.cores.at(row.core);
    // Each search runs even when its box already holds the text.
    const QString type = material.texts[1];
    if (m_sheet.text(Field::Text1) == type) {
        m_cores.searchMaterials();
    } else {
        m_sheet.setText(Field::Text1, type);
    }
    m_catalogue.materials().moveTo(m_catalogue.materials().positionOf(material.rowid));
    // As after an edit of txtbm: the loss density belongs to the present frequency.
    runSteps(cascadeRow(Field::txtbm).change);
    if (m_sheet.text(Field::TXTCORE) == core.name) {
        m_cores.searchCores();
    } else {
        m_sheet.setText(Field::TXTCORE, core.name);
    }
    m_catalogue.cores().moveTo(m_catalogue.cores().positionOf(core.rowid));
    runCommand(Command::Command10);
}

bool DesignSession::setCheckInput(const QString& name, const QString& text) {
    const CheckInputs::Set set = m_checkInputs.set(name, text);
    if (set == CheckInputs::Set::Changed) {
        m_document.markEdited();
        Q_EMIT checkInputsChanged();
    }
    return set != CheckInputs::Set::NotAnInput;
}

QString DesignSession::shownCoreText(const QString& column) const {
    const catalogue::DataSource& cores = m_catalogue.cores();
    const QString core = trimBlanks(m_sheet.text(Field::TxtCoreSize));
    if (core.isEmpty() || trimBlanks(cores.currentText(QStringLiteral("NAME"))) != core) {
        return {};
    }
    return cores.currentText(column);
}

check::CheckInput DesignSession::checkReading() const {
    check::CheckInput input = check::fromSheet(m_sheet, m_checkInputs.checkSettings());
    input.coreEstimate = catalogue::coreOrigin(shownCoreText(QStringLiteral("ORIGIN"))) ==
                         catalogue::CoreOrigin::Estimate;
    return input;
}

check::CheckResult DesignSession::designCheck() const {
    return check::runCheck(checkReading());
}

construction::Construction DesignSession::construction() const {
    return construction::buildConstruction(m_sheet, checkReading(),
                                           m_checkInputs.constructionSettings());
}

Result<spice::Netlist> DesignSession::spiceNetlist(spice::NetlistOptions options) const {
    options.designName = QFileInfo(m_document.filePath()).fileName();
    const construction::Construction sheet = construction();
    if (!options.coupling) {
        options.leakageUh = sheet.leakageUh;
    }
    for (const construction::Winding& winding : sheet.windings) {
        options.pins[winding.row] = {winding.startPin, winding.tapPin, winding.finishPin};
    }
    return spice::writeNetlist(checkReading(), options);
}

Result<void> DesignSession::exportSpice(const QString& path, const spice::NetlistOptions& options) {
    const Result<spice::Netlist> netlist = spiceNetlist(options);
    Result<void> saved =
        netlist ? spice::saveNetlist(netlist.value(), path) : Result<void>(netlist.failure());
    if (!saved) {
        m_prompter.message(saved.failure().text,
                           QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "导出SPICE模型")));
    }
    return saved;
}

const check::CheckResult& DesignSession::runCheck() {
    m_lastCheck = designCheck();
    return *m_lastCheck;
}

void DesignSession::reportCatalogueError(const QString& text) {
    // A broken catalogue fails every query alike: say it once.
    if (text == m_lastCatalogueError) {
        return;
    }
    m_lastCatalogueError = text;
    m_prompter.message(text + u'\n' + m_cataloguePath, kCatalogueTitle);
}

}  // namespace kelvane::session
