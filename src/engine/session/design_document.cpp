#include "engine/session/design_document.h"

#include "engine/about/about_info.h"
#include "engine/sheet/design_sheet.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace kelvane::session {

DesignDocument::DesignDocument(sheet::DesignSheet& sheet) : m_sheet(sheet) {}

void DesignDocument::followEdits() {
    if (m_following) {
        return;
    }
    m_following = true;
    const auto edited = [this] { setModified(true); };
    connect(&m_sheet, &sheet::DesignSheet::textChanged, this, edited);
    connect(&m_sheet, &sheet::DesignSheet::checkChanged, this, edited);
    connect(&m_sheet, &sheet::DesignSheet::gridChanged, this, edited);
}

void DesignDocument::setSaved(const QString& path) {
    const bool renamed = path != m_filePath;
    m_filePath = path;
    if (m_modified) {
        setModified(false);
    } else if (renamed) {
        Q_EMIT titleChanged();
    }
}

QString DesignDocument::title() const {
    QString title = QStringLiteral("%1 v%2.%3.%4")
                        .arg(about::applicationTitle())
                        .arg(KELVANE_VERSION_MAJOR)
                        .arg(KELVANE_VERSION_MINOR)
                        .arg(KELVANE_VERSION_PATCH);
    if (!m_filePath.isEmpty() || m_modified) {
        const QString name = m_filePath.isEmpty()
                                 ? QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "未命名"))
                                 : QFileInfo(m_filePath).fileName();
        title += QStringLiteral(" - ") + name + (m_modified ? QStringLiteral("*") : QString());
    }
    return title;
}

DesignDocument::Next DesignDocument::afterAnswer(Answer answer) const {
    switch (answer) {
        case Answer::Cancel:
            return Next::Stay;
        case Answer::Discard:
            return Next::Leave;
        case Answer::Save:
            break;
    }
    // A design that never had a file asks where to go.
    return m_filePath.isEmpty() ? Next::SaveToAskedFile : Next::SaveToFile;
}

void DesignDocument::setModified(bool modified) {
    if (m_modified == modified) {
        return;
    }
    m_modified = modified;
    Q_EMIT titleChanged();
}

}  // namespace kelvane::session
