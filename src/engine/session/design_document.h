#pragma once

#include <QObject>
#include <QString>

namespace kelvane::sheet {
class DesignSheet;
}

namespace kelvane::session {

// The design as a document: the file it was last opened from or saved to,
// whether it was edited since, what the window title says about both, and
// what leaving it (closing, opening another design) decides. The window
// only shows the question and the file dialog.
class DesignDocument : public QObject {
    Q_OBJECT

public:
    // The engineer's answer to the save question.
    enum class Answer { Save, Discard, Cancel };
    // What the window does after the answer.
    enum class Next {
        Leave,           // leave the design as it is
        Stay,            // keep the design and its edits
        SaveToFile,      // save to filePath(), leave if that worked
        SaveToAskedFile  // ask for a file, save there, leave if that worked
    };

    explicit DesignDocument(sheet::DesignSheet& sheet);

    // From now on every change of the sheet is an edit. The window opening
    // calls it at its end: opening is never an edit.
    void followEdits();
    // The design was opened from or saved to `path`: unedited from here.
    void setSaved(const QString& path);
    // A script writes its design only by its save lines and never asks.
    void setScripted(bool scripted) { m_scripted = scripted; }

    [[nodiscard]] bool isModified() const { return m_modified; }
    // An edit the record's signals do not show (the check's own inputs).
    void markEdited() {
        if (m_following) {
            setModified(true);
        }
    }
    [[nodiscard]] const QString& filePath() const { return m_filePath; }
    // "Kelvane开关变压器设计程序 v0.1.0", then " - " and the file name (or
    // "未命名") once there is a file or an edit, with "*" while edited.
    [[nodiscard]] QString title() const;

    // Whether leaving the design asks the save question first.
    [[nodiscard]] bool asksBeforeLeaving() const { return m_modified && !m_scripted; }
    [[nodiscard]] Next afterAnswer(Answer answer) const;

Q_SIGNALS:
    void titleChanged();

private:
    void setModified(bool modified);

    sheet::DesignSheet& m_sheet;
    QString m_filePath;
    bool m_modified = false;
    bool m_following = false;
    bool m_scripted = false;
};

}  // namespace kelvane::session
