#pragma once

#include <optional>

namespace kelvane {
class Prompter;
}

namespace kelvane::sheet {
class DesignSheet;
}

namespace kelvane::catalogue {

class Catalogue;

// Find, add, modify, save, cancel and delete rows of table `materials`
// through the 26 material fields. The mode is the enabled state of those
// fields and of the six buttons: while Save is enabled (after Modify or Add)
// the fields are an edit of the current row, or of the added row until that
// row is written.
//
// Rules that keep every row whole:
// - Data1 asks leaveRow() before every move (DBGrid1, the material search,
//   Find, a design file's material). While editing, the fields are first
//   written as Save writes them (an added row is inserted, the current row
//   updated) and the buttons keep their state; the edit then goes on in the
//   row moved to, so a later Save writes that row.
// - A refused write cancels the move: the current row, the record set and
//   the record source stay, the edit stays pending and the fields keep their
//   texts. The search box keeps the text typed into it; its next change
//   searches again.
// - Choosing the current record again in DBGrid1 is no move and commits
//   nothing; while a row is added the current record is still the one
//   before Add. Find of that record during Add does move to it (the fields
//   show the new row), after inserting the new row.
// - Save with neither a current row nor an added row writes nothing. After
//   Save the fields show the row as stored ("&H10" as 16); the row stays
//   listed until the next search, also when it no longer matches it, and
//   a new row is listed last.
// - A number column stores a finite strict number only; the first other
//   text in field order refuses the write, naming its column. An empty
//   text stores no value.
// - Cancel refills the fields from the stored row (empties them when the
//   record set is empty). Texts typed after Cancel, with Save disabled, are
//   no edit: the next move or Cancel shows the stored row again.
// - Find compares types ignoring the case of A to Z, as the searches do.
class MaterialMaintenance {
public:
    MaterialMaintenance(sheet::DesignSheet& sheet, Catalogue& catalogue, Prompter& prompter);
    ~MaterialMaintenance();
    MaterialMaintenance(const MaterialMaintenance&) = delete;
    MaterialMaintenance& operator=(const MaterialMaintenance&) = delete;

    void modify();        // Command3
    void add();           // Command8
    void save();          // Command5
    void cancel();        // Command6
    void deleteRecord();  // Command4
    void find();          // Command7

private:
    void setStates(std::optional<bool> fields, std::optional<bool> modify,
                   std::optional<bool> remove, std::optional<bool> save, std::optional<bool> cancel,
                   std::optional<bool> find, std::optional<bool> add);
    // Data1 is about to move: commits what is pending; false when the
    // write was refused and the move must not happen.
    bool leaveRow();
    // Writes the fields into the added row or the current row; false when
    // a number or the database refused it (the reason is shown).
    bool writeFields();
    [[nodiscard]] bool isEditing() const;

    sheet::DesignSheet& m_sheet;
    Catalogue& m_catalogue;
    Prompter& m_prompter;
    bool m_newRow = false;
};

}  // namespace kelvane::catalogue
