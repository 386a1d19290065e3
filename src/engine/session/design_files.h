#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane {
class Prompter;
}

namespace kelvane::sheet {
class DesignSheet;
}

namespace kelvane::design {
class Outputs;
}

namespace kelvane::catalogue {
class CoreSelection;
}

namespace kelvane::results {
class DesignResults;
}

namespace kelvane::files {
struct DesignRecord;
}

namespace kelvane::session {

class DesignDocument;

// The inputs a design file keeps after its records: the design check's in
// the order of files::kCheckInputNames (empty: the default), and the
// construction sheet's by name.
struct FileInputs {
    QStringList check;
    QMap<QString, QString> construction;
};

// The design's file commands SAVE and OPENS: the records written from and
// read into the sheet, with their messages. The session keeps the inputs.
class DesignFiles {
public:
    DesignFiles(Prompter& prompter, sheet::DesignSheet& sheet, design::Outputs& outputs,
                catalogue::CoreSelection& cores, results::DesignResults& results,
                DesignDocument& document);

    // The file is written beside `path` and renamed over it, so a failed
    // save leaves the previous file whole; a saved design is the
    // document's. Returns whether the design was saved.
    bool save(const QString& path, const FileInputs& inputs);
    // The whole file is checked before anything is applied; a bad file
    // changes nothing and gives no inputs. The caller applies the inputs,
    // then the document is the file's.
    std::optional<FileInputs> open(const QString& path);

private:
    void applyRecord(const files::DesignRecord& record);

    Prompter& m_prompter;
    sheet::DesignSheet& m_sheet;
    design::Outputs& m_outputs;
    catalogue::CoreSelection& m_cores;
    results::DesignResults& m_results;
    DesignDocument& m_document;
};

}  // namespace kelvane::session
