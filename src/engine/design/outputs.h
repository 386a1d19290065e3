#pragma once

namespace kelvane {
class Prompter;
}

namespace kelvane::sheet {
class DesignSheet;
}

namespace kelvane::design {

// The outputs table MS, the entry line and the total output power txtp.
class Outputs {
public:
    Outputs(sheet::DesignSheet& sheet, Prompter& prompter) : m_sheet(sheet), m_prompter(prompter) {}

    // Writes the table's header row (window opening).
    void writeHeader();
    // Txtpout <- |Uo| × Io as plain number text; the line drop is not part
    // of the entry's power.
    void recalcEntryPower();
    void addOutput();     // Command1
    void deleteOutput();  // Command2
    void modifyOutput();  // Command12
    // Row `row` (1 = first output) becomes current and is loaded into the
    // entry line.
    void selectRow(int row);
    // txtp <- running sum of the power column over rows 1..lastRow, written
    // once per row so the input power follows each write.
    void rebuildTotal(int lastRow);
    // txtp <- the total that rebuildTotal() leaves, written once: an opened
    // file recalculates the design once, not once per row.
    void loadTotal(int lastRow);

private:
    sheet::DesignSheet& m_sheet;
    Prompter& m_prompter;
};

}  // namespace kelvane::design
