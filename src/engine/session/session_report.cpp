#include "engine/session/session_report.h"

#include "engine/base/number_text.h"
#include "engine/session/design_session.h"

#include <QFileInfo>

namespace kelvane::session {

report::DesignReport sessionReport(const DesignSession& session, const QString& designFile,
                                   const QDate& date) {
    report::ReportContext context;
    context.designFileName = designFile.isEmpty() ? QString() : QFileInfo(designFile).fileName();
    context.date = date;
    const catalogue::DataSource& cores = session.catalogue().cores();
    const QString core = trimBlanks(session.sheet().text(design::Field::TxtCoreSize));
    if (!core.isEmpty() && trimBlanks(cores.currentText(QStringLiteral("NAME"))) == core) {
        context.coreAreaProductMm4 = cores.currentText(QStringLiteral("AP"));
    }
    if (const std::optional<double> limit = results::chosenFillLimit(session.sheet())) {
        context.fillLimit = formatPlain(*limit).value_or(QString());
    }
    if (session.resultsStale()) {
        context.staleNotice = QString::fromUtf16(results::kStaleText);
    }
    return report::buildDesignReport(session.sheet(), context);
}

}  // namespace kelvane::session
