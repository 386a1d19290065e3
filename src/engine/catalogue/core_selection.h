#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kelvane::design {
class DesignSheet;
enum class Field;
}  // namespace kelvane::design

namespace kelvane::catalogue {

class Catalogue;

// Core selection, the derived values of the current core and the loss
// model of the current material. Every procedure reads the fields afresh and
// writes formatted text; the writes raise the written fields' handling.
class CoreSelection {
public:
    // What other subsystems own comes in from the session, which alone sees
    // them all: the safety standard's area-product margin K here, and the
    // design results step below.
    CoreSelection(design::DesignSheet& sheet, Catalogue& catalogue, QString pictureDirectory,
                  std::function<double()> marginFactor);

    // The items of the core family list cmbcore, as the window lists them
    // (EE and PQ twice); the other families (TOR, ETD, EQ, PM) can be typed.
    [[nodiscard]] static const QStringList& familyItems();

    // Runs at the end of the core-field handlers: the design results.
    void setResultsStep(std::function<void()> step) { m_results = std::move(step); }

    // The area product from the operating point, shown in Text2; Data2 then
    // lists the cores whose AP lies between it and 1.5 times it.
    void selectCoresByAreaProduct();
    // Volume, weight and loss of the current core.
    void recalcCoreDerived();
    // TXTCOREPOWER <- "当前磁芯功率为：" + the core's power + "W".
    void writeCorePowerMessage();

    void onCoreAeChange();
    void onCoreAwChange();
    void onCoreSizeChange();
    // Change or pick of cmbcore: the picture of a family of coreFamilies().
    void onFamilyChange();
    // TXTCORE: cores whose name begins with the text, any case.
    void searchCores();
    // Text1: materials whose type begins with the text, any case.
    void searchMaterials();
    // Command9: loss density, derived values, proposal, Data2's caption.
    void onCoreSelectionClick();

    // A material field changed: the proposed Bm, the loss density and what
    // follows from them.
    void onMaterialFieldChange();
    void onFluxDensityChange();
    // Any key in txtbm; Enter recomputes the loss.
    void onFluxDensityKey(int keyCode);
    // txtpl changed: TXTPLG <- txtpl / density when the density is not 0.
    void recalcLossPerGram();

    // The Bound fields of the current core and material, refilled in the
    // data sources' order when their current record moves.
    void refillCoreFields();
    void refillMaterialFields();

private:
    void estimateLoss();
    // Volume, weight and loss of the current core, the loss with
    // `lossDecimals` decimals.
    void writeCoreDerived(int lossDecimals);
    void captionFromAreaProduct();
    void writeIfValue(design::Field field, const std::optional<QString>& text);

    design::DesignSheet& m_sheet;
    Catalogue& m_catalogue;
    QString m_pictureDirectory;
    std::function<double()> m_marginFactor;
    std::function<void()> m_results;
};

}  // namespace kelvane::catalogue
