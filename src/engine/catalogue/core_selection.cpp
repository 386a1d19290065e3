#include "engine/catalogue/core_selection.h"

#include "engine/base/number_text.h"
#include "engine/catalogue/catalogue.h"
#include "engine/catalogue/catalogue_schema.h"
#include "engine/catalogue/core_family.h"
#include "engine/catalogue/core_formulas.h"
#include "engine/catalogue/search_rule.h"
#include "engine/sheet/design_sheet.h"

#include <QCoreApplication>
#include <QDir>

namespace kelvane::catalogue {

using sheet::Field;
using sheet::MaterialColumn;
using sheet::materialField;

namespace {

// The core fields bound to Data2, in the order they are refilled.
struct BoundField {
    Field field;
    const char* column;
};

constexpr BoundField kCoreBindings[] = {
    {Field::TxtcoreA, "A"},
    {Field::TxtcoreB, "B"},
    {Field::TxtCoreC, "C"},
    {Field::TxtCoreD, "D"},
    {Field::TxtCoreE, "e"},
    {Field::TxtCoreF, "f"},
    {Field::TxtCoreFactory, "FACTORY"},
    {Field::TxtBZC, "lW"},
    {Field::TxtCoreLe, "le"},
    {Field::TxtCoreAw, "Aw"},
    {Field::TxtCoreAe, "ae"},
    {Field::TxtCoreSize, "NAME"},
};

}  // namespace

CoreSelection::CoreSelection(sheet::DesignSheet& sheet, Catalogue& catalogue,
                             QString pictureDirectory)
    : m_sheet(sheet), m_catalogue(catalogue), m_pictureDirectory(std::move(pictureDirectory)) {}

const QStringList& CoreSelection::familyItems() {
    static const QStringList items = {
        QStringLiteral("EE"),  QStringLiteral("EC"),  QStringLiteral("ER"), QStringLiteral("EE"),
        QStringLiteral("EFD"), QStringLiteral("EPC"), QStringLiteral("EP"), QStringLiteral("RM"),
        QStringLiteral("POT"), QStringLiteral("PQ"),  QStringLiteral("UU"), QStringLiteral("PQ")};
    return items;
}

void CoreSelection::selectCoresByAreaProduct(double marginFactor) {
    const std::optional<double> ap =
        areaProductMm4(m_sheet.number(Field::txtpint), m_sheet.number(Field::Txtton), marginFactor,
                       m_sheet.number(Field::txtbm), m_sheet.number(Field::TxtJ));
    if (ap) {
        if (const std::optional<QString> text = formatFixed(*ap, 1)) {
            m_sheet.setAreaProductText(*text + QStringLiteral("MM^4"));
        }
    }
    m_sheet.setText(Field::Text2, m_sheet.areaProductText());
    const double low = parseNumber(m_sheet.areaProductText());
    const double high = low * 1.5;
    const std::optional<QString> lowText = formatPlain(low);
    const std::optional<QString> highText = formatPlain(high);
    if (!lowText || !highText) {
        return;
    }
    m_catalogue.cores().setRecordSource(QStringLiteral("select * from CORE where AP between  ") +
                                            *lowText + QStringLiteral(" and ") + *highText + u' ',
                                        QStringLiteral("AP BETWEEN ? AND ?"), {low, high});
}

void CoreSelection::recalcCoreDerived() {
    writeCoreDerived(3);
}

void CoreSelection::recalcNewCoreDerived() {
    // One decimal for the loss here, where the derived values elsewhere give three.
    writeCoreDerived(1);
}

void CoreSelection::writeCoreDerived(int lossDecimals) {
    writeIfValue(Field::TxtCoreVe, coreVolumeText(m_sheet.number(Field::TxtCoreLe),
                                                  m_sheet.number(Field::TxtCoreAe)));
    writeIfValue(Field::TxtCoreWeigh,
                 coreWeightText(m_sheet.number(materialField(MaterialColumn::Density)),
                                m_sheet.number(Field::TxtCoreVe)));
    writeIfValue(Field::TxtCorePl, coreLossText(m_sheet.number(Field::TxtCoreWeigh),
                                                m_sheet.number(Field::TXTPLG), lossDecimals));
}

void CoreSelection::writeCorePowerMessage() {
    m_sheet.setText(
        Field::TXTCOREPOWER,
        QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "当前磁芯功率为：")) +
            corePowerEstimate(m_sheet.number(Field::TxtCoreAe), m_sheet.number(Field::txtbm),
                              m_sheet.number(Field::Txtton), m_sheet.number(Field::TxtCoreAw),
                              m_sheet.number(Field::TxtJ)) +
            u'W');
}

void CoreSelection::showCoreName() {
    m_sheet.setText(Field::TxtCoreSc, m_sheet.text(Field::TxtCoreSize));
    m_sheet.setText(Field::cmbcore, coreFamily(m_sheet.text(Field::TxtCoreSize)));
}

void CoreSelection::showFamilyPicture() {
    const QString& code = m_sheet.text(Field::cmbcore);
    if (coreFamilies().contains(code)) {
        m_sheet.setCaption(QStringLiteral("Img2"),
                           QDir(m_pictureDirectory).filePath(code + QStringLiteral(".GIF")));
    }
}

void CoreSelection::searchCores() {
    const QString search = trimBlanks(m_sheet.text(Field::TXTCORE));
    m_catalogue.cores().setPrefixSearch(
        QStringLiteral("select * from core where name like\"") + search + QStringLiteral("*\""),
        QStringLiteral("NAME"), search);
}

void CoreSelection::searchMaterials() {
    const QString search = trimBlanks(m_sheet.text(Field::Text1));
    const QString text = QStringLiteral("select * from materials where Type like\"") + search +
                         QStringLiteral("*\"");
    // An empty text lists every row, also one saved without a type.
    if (search.isEmpty()) {
        m_catalogue.materials().setRecordSource(text, {}, {});
        return;
    }
    // Materials are few and edited in place: the query reads them as stored.
    m_catalogue.materials().setRecordSource(text, QStringLiteral("Type LIKE ? ESCAPE '\\'"),
                                            {prefixPattern(search)});
}

void CoreSelection::proposeFluxDensity() {
    writeIfValue(Field::txtbm,
                 proposedFluxDensityText(m_sheet.number(materialField(MaterialColumn::FluxDensity)),
                                         m_sheet.number(materialField(MaterialColumn::Remanence))));
}

void CoreSelection::recalcLossPerGram() {
    writeIfValue(Field::TXTPLG,
                 lossPerGramText(m_sheet.number(Field::txtpl),
                                 m_sheet.number(materialField(MaterialColumn::Density))));
}

void CoreSelection::refillCoreFields() {
    const DataSource& cores = m_catalogue.cores();
    for (const BoundField& binding : kCoreBindings) {
        m_sheet.setText(binding.field, cores.currentText(QString::fromLatin1(binding.column)));
    }
}

void CoreSelection::refillMaterialFields() {
    const DataSource& materials = m_catalogue.materials();
    for (int index = 0; index < sheet::kMaterialFieldCount; ++index) {
        m_sheet.setText(sheet::materialField(index),
                        materials.currentText(materialColumnOfField(index)));
    }
}

void CoreSelection::estimateLoss() {
    m_sheet.setText(
        Field::txtpl,
        estimateLossDensity(m_sheet.number(Field::TxtF), m_sheet.number(Field::txtbm),
                            m_sheet.number(materialField(MaterialColumn::InitialPermeability))));
}

void CoreSelection::writeIfValue(Field field, const std::optional<QString>& text) {
    if (text) {
        m_sheet.setText(field, *text);
    }
}

void CoreSelection::captionFromAreaProduct() {
    m_sheet.setCaption(QStringLiteral("Data2"), m_sheet.areaProductText());
}

}  // namespace kelvane::catalogue
