#include "engine/sheet/design_sheet.h"

#include "engine/base/number_text.h"

#include <QRegularExpression>

#include <algorithm>

namespace kelvane::sheet {
namespace {

struct FieldInfo {
    const char16_t* name;
    const char16_t* defaultText;
    EditKind kind;
};

constexpr FieldInfo kFields[] = {
#define KELVANE_INFO(id, name, text, kind) {u"" name, u"" text, EditKind::kind},
    KELVANE_DESIGN_FIELDS(KELVANE_INFO)
#undef KELVANE_INFO
};

constexpr const char16_t* kCheckNames[] = {
#define KELVANE_NAME(id, name) u"" name,
    KELVANE_DESIGN_CHECKS(KELVANE_NAME)
#undef KELVANE_NAME
};

constexpr const char16_t* kCommandNames[] = {
#define KELVANE_NAME(id, name) u"" name,
    KELVANE_DESIGN_COMMANDS(KELVANE_NAME)
#undef KELVANE_NAME
};

template <typename Enum, size_t N>
std::optional<Enum> byName(const char16_t* const (&names)[N], const QString& name) {
    for (size_t i = 0; i < N; ++i) {
        if (name == QStringView(names[i])) {
            return Enum(i);
        }
    }
    return std::nullopt;
}

// Option groups: the circuit types and the safety standards.
constexpr Check kCircuitGroup[] = {Check::Option1, Check::Option2, Check::Option3};
constexpr Check kStandardGroup[] = {Check::OptIEC, Check::OptUL, Check::OptVDE, Check::OptSelf};

}  // namespace

QString fieldName(Field field) {
    return QString::fromUtf16(kFields[size_t(field)].name);
}

std::optional<Field> fieldByName(const QString& name) {
    for (int i = 0; i < kFieldCount; ++i) {
        if (name == QStringView(kFields[i].name)) {
            return Field(i);
        }
    }
    return std::nullopt;
}

EditKind editKind(Field field) {
    return kFields[size_t(field)].kind;
}

QString defaultText(Field field) {
    return QString::fromUtf16(kFields[size_t(field)].defaultText);
}

QString checkName(Check check) {
    return QString::fromUtf16(kCheckNames[size_t(check)]);
}

std::optional<Check> checkByName(const QString& name) {
    return byName<Check>(kCheckNames, name);
}

QString commandName(Command command) {
    return QString::fromUtf16(kCommandNames[size_t(command)]);
}

std::optional<Command> commandByName(const QString& name) {
    return byName<Command>(kCommandNames, name);
}

std::optional<Control> controlByName(const QString& name) {
    if (const std::optional<Field> field = fieldByName(name)) {
        return *field;
    }
    if (const std::optional<Check> check = checkByName(name)) {
        return *check;
    }
    if (const std::optional<Command> command = commandByName(name)) {
        return *command;
    }
    if (name == u"MS" || name == u"MSwin") {
        return name == u"MS" ? Table::MS : Table::MSwin;
    }
    if (name == u"DBGrid1" || name == u"DBGrid2") {
        return name == u"DBGrid1" ? RecordGrid::DBGrid1 : RecordGrid::DBGrid2;
    }
    static const QRegularExpression brandLabel(
        QStringLiteral("^Label([56])\\((0|[1-9]\\d{0,2})\\)$"));
    if (const QRegularExpressionMatch match = brandLabel.match(name); match.hasMatch()) {
        return BrandLabel{match.captured(1).toInt(), match.captured(2).toInt()};
    }
    return std::nullopt;
}

QString controlName(const Control& control) {
    struct Namer {
        QString operator()(Field field) const { return fieldName(field); }
        QString operator()(Check check) const { return checkName(check); }
        QString operator()(Command command) const { return commandName(command); }
        QString operator()(Table table) const {
            return table == Table::MS ? QStringLiteral("MS") : QStringLiteral("MSwin");
        }
        QString operator()(RecordGrid grid) const {
            return grid == RecordGrid::DBGrid1 ? QStringLiteral("DBGrid1")
                                               : QStringLiteral("DBGrid2");
        }
        QString operator()(BrandLabel label) const {
            return QStringLiteral("Label%1(%2)").arg(label.label).arg(label.index);
        }
    };
    return std::visit(Namer{}, control);
}

Field materialField(int index) {
    Q_ASSERT(index >= 0 && index < kMaterialFieldCount);
    return Field(int(Field::TxtApp0) + index);
}

Field materialField(MaterialColumn column) {
    return materialField(int(column));
}

std::optional<int> materialIndex(Field field) {
    const int index = int(field) - int(Field::TxtApp0);
    if (index < 0 || index >= kMaterialFieldCount) {
        return std::nullopt;
    }
    return index;
}

QString Grid::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columns) {
        return {};
    }
    return rows[row].value(column);
}

void Grid::setCell(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columns) {
        return;
    }
    rows[row][column] = text;
}

void Grid::setRowCount(int count) {
    count = std::max(count, 0);
    while (rowCount() > count) {
        rows.removeLast();
    }
    while (rowCount() < count) {
        QStringList row;
        for (int c = 0; c < columns; ++c) {
            row.append(QString());
        }
        rows.append(row);
    }
    currentRow = std::clamp(currentRow, 0, std::max(0, count - 1));
}

void Grid::removeRow(int row) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    rows.removeAt(row);
    currentRow = std::clamp(currentRow, 0, std::max(0, rowCount() - 1));
}

DesignSheet::DesignSheet() {
    for (int i = 0; i < kFieldCount; ++i) {
        m_texts[size_t(i)] = defaultText(Field(i));
    }
    m_ms.columns = kOutputColumnCount;
    m_ms.setRowCount(2);
    m_ms.currentRow = 1;
    m_msWin.columns = kWindingColumnCount;
    m_msWin.setRowCount(2);
}

double DesignSheet::number(Field field) const {
    return parseNumber(text(field));
}

void DesignSheet::setText(Field field, const QString& text) {
    if (m_texts[size_t(field)] == text) {
        return;
    }
    m_texts[size_t(field)] = text;
    Q_EMIT textChanged(field);
    if (m_handler != nullptr) {
        m_handler->onTextChange(field);
    }
}

void DesignSheet::setFixed(Field field, double value, int decimals) {
    if (const std::optional<QString> text = formatFixed(value, decimals)) {
        setText(field, *text);
    }
}

void DesignSheet::setPlain(Field field, double value) {
    if (const std::optional<QString> text = formatPlain(value)) {
        setText(field, *text);
    }
}

void DesignSheet::storeText(Field field, const QString& text) {
    if (m_texts[size_t(field)] == text) {
        return;
    }
    m_texts[size_t(field)] = text;
    Q_EMIT textChanged(field);
}

void DesignSheet::setChecked(Check check, int value) {
    int& current = m_checks[size_t(check)];
    if (check == Check::Check1) {
        if (current == value) {
            return;
        }
        current = value;
        Q_EMIT checkChanged(check);
        if (m_handler != nullptr) {
            m_handler->onClick(check);
        }
        return;
    }
    const bool select = value != 0;
    if (!select) {
        if (current != 0) {
            current = 0;
            Q_EMIT checkChanged(check);
        }
        return;
    }
    if (current != 0) {
        return;
    }
    const auto clearGroup = [&](const auto& group) {
        if (std::find(std::begin(group), std::end(group), check) == std::end(group)) {
            return;
        }
        for (Check other : group) {
            if (other != check && m_checks[size_t(other)] != 0) {
                m_checks[size_t(other)] = 0;
                Q_EMIT checkChanged(other);
            }
        }
    };
    clearGroup(kCircuitGroup);
    clearGroup(kStandardGroup);
    current = 1;
    Q_EMIT checkChanged(check);
    if (m_handler != nullptr) {
        m_handler->onClick(check);
    }
}

const Grid& DesignSheet::grid(Table table) const {
    return table == Table::MS ? m_ms : m_msWin;
}

Grid& DesignSheet::editGrid(Table table) {
    return table == Table::MS ? m_ms : m_msWin;
}

void DesignSheet::gridEdited(Table table) {
    Q_EMIT gridChanged(table);
}

void DesignSheet::setFocus(const QString& control) {
    m_focus = control;
    Q_EMIT focusRequested(control);
}

void DesignSheet::setPage(int page) {
    if (m_page == page) {
        return;
    }
    m_page = page;
    Q_EMIT pageChanged(page);
}

bool DesignSheet::isEnabled(const QString& control) const {
    return !m_disabled.contains(control);
}

void DesignSheet::setEnabled(const QString& control, bool enabled) {
    if (isEnabled(control) == enabled) {
        return;
    }
    if (enabled) {
        m_disabled.removeAll(control);
    } else {
        m_disabled.append(control);
    }
    Q_EMIT controlStateChanged(control);
}

bool DesignSheet::isVisible(const QString& control) const {
    return !m_hidden.contains(control);
}

void DesignSheet::setVisible(const QString& control, bool visible) {
    if (isVisible(control) == visible) {
        return;
    }
    if (visible) {
        m_hidden.removeAll(control);
    } else {
        m_hidden.append(control);
    }
    Q_EMIT controlStateChanged(control);
}

QString DesignSheet::caption(const QString& control) const {
    return m_captions.value(control);
}

void DesignSheet::setCaption(const QString& control, const QString& caption) {
    if (m_captions.value(control) == caption && m_captions.contains(control)) {
        return;
    }
    m_captions.insert(control, caption);
    Q_EMIT controlStateChanged(control);
}

std::optional<int> DesignSheet::color(Field field) const {
    const auto it = m_colors.constFind(int(field));
    if (it == m_colors.constEnd()) {
        return std::nullopt;
    }
    return *it;
}

void DesignSheet::setColor(Field field, int colorValue) {
    if (color(field) == colorValue) {
        return;
    }
    m_colors.insert(int(field), colorValue);
    Q_EMIT controlStateChanged(fieldName(field));
}

std::optional<Circuit> chosenCircuit(const DesignSheet& sheet) {
    if (sheet.isChecked(Check::Option1)) {
        return Circuit::Flyback;
    }
    if (sheet.isChecked(Check::Option2)) {
        return Circuit::Forward;
    }
    if (sheet.isChecked(Check::Option3)) {
        return Circuit::Rcc;
    }
    return std::nullopt;
}

}  // namespace kelvane::sheet
