#pragma once

#include "engine/sheet/field_list.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <optional>
#include <variant>

namespace kelvane::sheet {

enum class Field {
#define KELVANE_ENUM(id, name, text, kind) id,
    KELVANE_DESIGN_FIELDS(KELVANE_ENUM)
#undef KELVANE_ENUM
        Count
};

enum class Check {
#define KELVANE_ENUM(id, name) id,
    KELVANE_DESIGN_CHECKS(KELVANE_ENUM)
#undef KELVANE_ENUM
        Count
};

enum class Command {
#define KELVANE_ENUM(id, name) id,
    KELVANE_DESIGN_COMMANDS(KELVANE_ENUM)
#undef KELVANE_ENUM
        Count
};

enum class EditKind { User, Both, ShownByUse, Shown, Material };

// What each material field TxtApp(0..25) shows, in field order: TxtApp(2)
// is the initial permeability Ui, TxtApp(4) the flux density Bs, TxtApp(5)
// the remanence Br, TxtApp(8) the density.
enum class MaterialColumn {
#define KELVANE_ENUM(id, column, type) id,
    KELVANE_MATERIAL_COLUMNS(KELVANE_ENUM)
#undef KELVANE_ENUM
        Count
};

inline constexpr int kFieldCount = int(Field::Count);
inline constexpr int kCheckCount = int(Check::Count);
inline constexpr int kCommandCount = int(Command::Count);
inline constexpr int kMaterialFieldCount = int(MaterialColumn::Count);
static_assert(int(Field::TxtApp0) + kMaterialFieldCount - 1 == int(Field::TxtApp25),
              "the material fields follow each other, one for each column");

[[nodiscard]] QString fieldName(Field field);
[[nodiscard]] std::optional<Field> fieldByName(const QString& name);
[[nodiscard]] EditKind editKind(Field field);
[[nodiscard]] QString defaultText(Field field);
[[nodiscard]] QString checkName(Check check);
[[nodiscard]] std::optional<Check> checkByName(const QString& name);
[[nodiscard]] QString commandName(Command command);
[[nodiscard]] std::optional<Command> commandByName(const QString& name);
// TxtApp(index) for index 0..25.
[[nodiscard]] Field materialField(int index);
// The material field that shows `column`.
[[nodiscard]] Field materialField(MaterialColumn column);
// The index of a TxtApp element, or no value for other fields.
[[nodiscard]] std::optional<int> materialIndex(Field field);

// A grid of text cells; row 0 is the first row.
struct Grid {
    QVector<QStringList> rows;
    int columns = 0;
    int currentRow = 0;

    [[nodiscard]] int rowCount() const { return int(rows.size()); }
    [[nodiscard]] QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    // Appends empty rows or drops rows at the end; the current row stays
    // inside the table.
    void setRowCount(int count);
    void removeRow(int row);
};

enum class Table { MS, MSwin };

// The catalogue's grids: the materials and the cores.
enum class RecordGrid { DBGrid1, DBGrid2 };

// A maker's name label, Label5(index) or Label6(index); a click on one
// opens the web site.
struct BrandLabel {
    int label;  // 5 or 6
    int index;
    bool operator==(const BrandLabel&) const = default;
};

// A control of the design window. Scripts and widgets name controls; the
// name is resolved here once, and the session's verbs take the control.
using Control = std::variant<Field, Check, Command, Table, RecordGrid, BrandLabel>;
[[nodiscard]] std::optional<Control> controlByName(const QString& name);
[[nodiscard]] QString controlName(const Control& control);

// The colour values a field is coloured with (0xBBGGRR): green within a
// limit, red beyond it.
inline constexpr int kGreen = 0x00FF00;
inline constexpr int kRed = 0x0000FF;

// The columns of the outputs table MS; row 0 holds the headings, each
// further row one output.
enum OutputColumn : int {
    kOutputNumber,
    kOutputVolts,
    kOutputAmps,
    kOutputDropVolts,
    kOutputPowerW,
    kOutputColumnCount
};

// The columns of the windings table MSwin; row 0 is the primary, row r the
// winding of output r.
enum WindingColumn : int {
    kWindingName,
    kWindingTurns,
    kWindingDiameter,
    kWindingResistance,
    kWindingDrop,
    kWindingLoss,
    kWindingWeight,
    kWindingColumnCount
};

// Reacts to the change events of the record: a field's text changed, an
// option or the check box was clicked.
class ChangeHandler {
public:
    virtual ~ChangeHandler() = default;
    virtual void onTextChange(Field field) = 0;
    virtual void onClick(Check check) = 0;
};

// The design record of FrmFanji: every field's text, the option and check
// box states, the two grids and the window state that design scripts see.
// A write that changes a text raises the field's change handling at once,
// nested in the writer; writing the text a field already holds raises
// nothing. That is what ends every cascade: there are no guard flags.
class DesignSheet : public QObject {
    Q_OBJECT

public:
    DesignSheet();

    void setChangeHandler(ChangeHandler* handler) { m_handler = handler; }

    [[nodiscard]] const QString& text(Field field) const { return m_texts[size_t(field)]; }
    // The field's leading number (empty or non-numeric text gives 0).
    [[nodiscard]] double number(Field field) const;
    void setText(Field field, const QString& text);
    // Writes a number with `decimals` decimals; a non-finite value writes
    // nothing and the field keeps its text.
    void setFixed(Field field, double value, int decimals);
    // Writes a number as plain number text; non-finite writes nothing.
    void setPlain(Field field, double value);
    // Stores a text without raising the change handling (a list pick, whose
    // click handling the caller runs).
    void storeText(Field field, const QString& text);

    [[nodiscard]] int checkValue(Check check) const { return m_checks[size_t(check)]; }
    [[nodiscard]] bool isChecked(Check check) const { return checkValue(check) != 0; }
    // Option buttons: setting one raises its click handling when it was not
    // selected and clears the others of its group; clearing raises nothing.
    // The check box raises its click handling when its value changes.
    void setChecked(Check check, int value);

    [[nodiscard]] const Grid& grid(Table table) const;
    Grid& editGrid(Table table);
    // Announces a grid edit to the windows.
    void gridEdited(Table table);

    [[nodiscard]] const QString& focus() const { return m_focus; }
    void setFocus(const QString& control);
    [[nodiscard]] int page() const { return m_page; }
    void setPage(int page);

    [[nodiscard]] bool isEnabled(const QString& control) const;
    void setEnabled(const QString& control, bool enabled);
    [[nodiscard]] bool isVisible(const QString& control) const;
    void setVisible(const QString& control, bool visible);
    // The caption of a control (Check1), of a data source (Data2: the last
    // area product), or the picture file an image box shows (Img2).
    [[nodiscard]] QString caption(const QString& control) const;
    void setCaption(const QString& control, const QString& caption);
    // The fill-factor colour as a colour value (kGreen or kRed), no value
    // before it was first coloured.
    [[nodiscard]] std::optional<int> color(Field field) const;
    void setColor(Field field, int colorValue);

    [[nodiscard]] const QString& areaProductText() const { return m_areaProductText; }
    void setAreaProductText(const QString& text) { m_areaProductText = text; }

Q_SIGNALS:
    void textChanged(kelvane::sheet::Field field);
    void checkChanged(kelvane::sheet::Check check);
    void gridChanged(kelvane::sheet::Table table);
    void focusRequested(const QString& control);
    void pageChanged(int page);
    // Enabled, visible, caption or colour of a control changed.
    void controlStateChanged(const QString& control);

private:
    ChangeHandler* m_handler = nullptr;
    std::array<QString, kFieldCount> m_texts;
    std::array<int, kCheckCount> m_checks{};
    Grid m_ms;
    Grid m_msWin;
    QString m_focus;
    int m_page = 0;
    QStringList m_disabled;
    QStringList m_hidden;
    QHash<QString, QString> m_captions;
    QHash<int, int> m_colors;
    QString m_areaProductText;
};

// The circuit the options choose: Option1, Option2, Option3.
enum class Circuit { Flyback, Forward, Rcc };
[[nodiscard]] std::optional<Circuit> chosenCircuit(const DesignSheet& sheet);

}  // namespace kelvane::sheet
