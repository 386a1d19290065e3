#pragma once

#include <QtGlobal>

#include <optional>

namespace kelvane {
class Prompter;
}

namespace kelvane::design {
class DesignSheet;
}

namespace kelvane::catalogue {

class Catalogue;

// Find, add, modify, save, cancel and delete rows of table `materials`
// through the 26 material fields. The mode is the enabled state of those
// fields and of the six buttons; a pending edit or new row lives here until
// it is saved or cancelled.
class MaterialMaintenance {
public:
    MaterialMaintenance(design::DesignSheet& sheet, Catalogue& catalogue, Prompter& prompter)
        : m_sheet(sheet), m_catalogue(catalogue), m_prompter(prompter) {}

    void modify();        // Command3
    void add();           // Command8
    void save();          // Command5
    void cancel();        // Command6
    void deleteRecord();  // Command4
    void find();          // Command7
    // Another row of DBGrid1 was chosen: a pending edit is saved first, as
    // the data source commits on its own; false when that save failed and
    // the row must stay.
    bool leaveRow();

private:
    enum class Pending { None, Edit, New };

    void setStates(std::optional<bool> fields, std::optional<bool> modify,
                   std::optional<bool> remove, std::optional<bool> save, std::optional<bool> cancel,
                   std::optional<bool> find, std::optional<bool> add);
    // Writes the fields into the pending row; false when the database
    // refused it (the reason is shown).
    bool writePending();

    design::DesignSheet& m_sheet;
    Catalogue& m_catalogue;
    Prompter& m_prompter;
    Pending m_pending = Pending::None;
    qint64 m_editedRow = -1;
};

}  // namespace kelvane::catalogue
