#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane::sheet {
class DesignSheet;
enum class Field;
}  // namespace kelvane::sheet

namespace kelvane::catalogue {

class Catalogue;

// Core selection, the derived values of the current core and the loss
// model of the current material. Every procedure reads the fields afresh and
// writes formatted text; the writes raise the written fields' handling. Which
// procedures a field's change runs, and what runs after them, is the
// session's change cascade: nothing here calls back into another subsystem.
class CoreSelection {
public:
    CoreSelection(sheet::DesignSheet& sheet, Catalogue& catalogue, QString pictureDirectory);

    // The items of the core family list cmbcore, as the window lists them
    // (EE and PQ twice); the other families (TOR, ETD, EQ, PM) can be typed.
    [[nodiscard]] static const QStringList& familyItems();

    // The area product from the operating point with the safety standard's
    // margin K, shown in Text2; Data2 then lists the cores whose AP lies
    // between it and 1.5 times it.
    void selectCoresByAreaProduct(double marginFactor);
    // Volume, weight and loss of the current core, the loss with three decimals.
    void recalcCoreDerived();
    // The same for a newly shown core, the loss with one decimal.
    void recalcNewCoreDerived();
    // TXTCOREPOWER <- "当前磁芯功率为：" + the core's power + "W".
    void writeCorePowerMessage();
    // The core's name into the results page (TxtCoreSc) and its family into
    // cmbcore.
    void showCoreName();
    // Change or pick of cmbcore: the picture of a family of coreFamilies().
    void showFamilyPicture();
    // TXTCORE: cores whose name begins with the text, any case.
    void searchCores();
    // Text1: materials whose type begins with the text, any case.
    void searchMaterials();
    // txtbm <- the flux density proposed from the material's Bs and Br.
    void proposeFluxDensity();
    // txtpl <- the loss density at the frequency, Bm and Ui.
    void estimateLoss();
    // TXTPLG <- txtpl / density when the density is not 0.
    void recalcLossPerGram();
    // Data2's caption <- the last area product.
    void captionFromAreaProduct();

    // The Bound fields of the current core and material, refilled in the
    // data sources' order when their current record moves.
    void refillCoreFields();
    void refillMaterialFields();

private:
    // Volume, weight and loss of the current core, the loss with
    // `lossDecimals` decimals.
    void writeCoreDerived(int lossDecimals);
    void writeIfValue(sheet::Field field, const std::optional<QString>& text);

    sheet::DesignSheet& m_sheet;
    Catalogue& m_catalogue;
    QString m_pictureDirectory;
};

}  // namespace kelvane::catalogue
