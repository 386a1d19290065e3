#include "engine/session/session_report.h"

#include "engine/base/language.h"
#include "engine/base/number_text.h"
#include "engine/construction/construction_report.h"
#include "engine/session/design_session.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace kelvane::session {
namespace {

report::ReportBlock textBlock(const QString& text) {
    report::ReportBlock block;
    block.kind = report::ReportBlock::Kind::Text;
    block.text = text;
    return block;
}

// The design check as the report's last section: its inputs, the summary,
// every item with its value, the classic figure, the limit and the verdict,
// then what each warning and failure means, with its formula.
report::ReportSection checkSection(const DesignSession& session, const check::CheckResult& result) {
    report::ReportSection section;
    section.title = QCoreApplication::translate("kelvane::session", "7 设计校核");
    const QString inputs[] = {session.checkInputs().value(QStringLiteral("vacmax")),
                              session.checkInputs().value(QStringLiteral("rating")),
                              session.checkInputs().value(QStringLiteral("bulk")),
                              session.checkInputs().value(QStringLiteral("linef"))};
    // What each input reads as, the default where it is empty.
    const auto shown = [&inputs](int i, const QString& unit) {
        const QString text = trimBlanks(inputs[i]);
        return text.isEmpty() ? humanText(QString::fromUtf8(check::kCheckSettingTexts[i].byDefault))
                              : text + unit;
    };
    section.blocks.append(
        textBlock(QCoreApplication::translate(
                      "kelvane::session",
                      "校核条件：最高交流输入 %1 V，开关管额定 %2 V，输入电容 %3，电网 %4 Hz")
                      .arg(shown(0, QString()), shown(1, QString()),
                           shown(2, QStringLiteral(" µF")), shown(3, QString()))));
    section.blocks.append(textBlock(result.summaryText));
    report::ReportBlock table;
    table.kind = report::ReportBlock::Kind::Table;
    table.heading = QCoreApplication::translate("kelvane::session", "校核项目");
    table.table.headings = {QCoreApplication::translate("kelvane::session", "项目"),
                            QCoreApplication::translate("kelvane::session", "校核值"),
                            QCoreApplication::translate("kelvane::session", "经典方法"),
                            QCoreApplication::translate("kelvane::session", "限值"),
                            QCoreApplication::translate("kelvane::session", "判定")};
    for (const check::CheckItem& item : result.items) {
        table.table.rows.append({item.caption, item.valueText, item.classicText, item.limitText,
                                 check::verdictCaption(item.verdict)});
    }
    section.blocks.append(table);
    for (const check::CheckItem& item : result.items) {
        if (item.verdict == check::Verdict::Warn || item.verdict == check::Verdict::Fail) {
            section.blocks.append(
                textBlock(QCoreApplication::translate("kelvane::session", "【%1】%2：%3。%4")
                              .arg(check::verdictCaption(item.verdict), item.caption, item.sentence,
                                   item.formulaText)));
        }
    }
    return section;
}

}  // namespace

report::DesignReport sessionReport(const DesignSession& session, const QString& designFile,
                                   const QDate& date) {
    report::ReportContext context;
    context.designFileName = designFile.isEmpty() ? QString() : QFileInfo(designFile).fileName();
    context.date = date;
    context.coreAreaProductMm4 = session.shownCoreText(QStringLiteral("AP"));
    context.coreOrigin = session.shownCoreText(QStringLiteral("ORIGIN"));
    if (const std::optional<double> limit = results::chosenFillLimit(session.sheet())) {
        context.fillLimit = formatPlain(*limit).value_or(QString());
    }
    if (session.resultsStale()) {
        context.staleNotice = QString::fromUtf16(results::kStaleText);
    }
    report::DesignReport built = report::buildDesignReport(session.sheet(), context);
    const check::CheckResult check = session.designCheck();
    built.sections.append(checkSection(session, check));
    construction::appendConstructionSheet(built, session.construction(), check,
                                          context.staleNotice);
    return built;
}

report::ReportSection adviceReportSection(const advice::Advice& advice,
                                          const std::vector<int>& order,
                                          const advice::AdviceFilter& filter, int rows,
                                          const QString& chartImage) {
    using advice::AdviceColumn;
    report::ReportSection section;
    section.title = QCoreApplication::translate("kelvane::session", "13 磁芯推荐");
    const auto textBlock = [&section](const QString& text) {
        report::ReportBlock block;
        block.kind = report::ReportBlock::Kind::Text;
        block.text = text;
        section.blocks.append(block);
    };
    std::vector<int> shown;
    for (const int index : order) {
        if (index >= 0 && index < advice.size() && advice::passes(advice, advice[index], filter)) {
            shown.push_back(index);
        }
    }
    textBlock(
        QCoreApplication::translate("kelvane::session", "符合筛选条件的组合 %1 个%2")
            .arg(shown.size())
            .arg(shown.size() > size_t(rows)
                     ? QCoreApplication::translate("kelvane::session", "，列出前 %1 个").arg(rows)
                     : QString()));
    const AdviceColumn columns[] = {AdviceColumn::Core,        AdviceColumn::Material,
                                    AdviceColumn::TotalLoss,   AdviceColumn::TemperatureRise,
                                    AdviceColumn::FillFactor,  AdviceColumn::CheckVerdict,
                                    AdviceColumn::CheckReason, AdviceColumn::Volume};
    report::ReportBlock table;
    table.kind = report::ReportBlock::Kind::Table;
    for (const AdviceColumn column : columns) {
        table.table.headings.append(advice::adviceColumnNames().value(int(column)));
    }
    for (size_t i = 0; i < shown.size() && i < size_t(rows); ++i) {
        QStringList cells;
        for (const AdviceColumn column : columns) {
            cells.append(advice.text(advice[shown[i]], column));
        }
        table.table.rows.append(cells);
    }
    section.blocks.append(table);
    QStringList front;
    for (const int index : advice::paretoFront(advice, filter)) {
        front.append(advice.text(advice[index], AdviceColumn::Core) + u' ' +
                     advice.text(advice[index], AdviceColumn::Material) +
                     QCoreApplication::translate("kelvane::session", "（") +
                     advice.text(advice[index], AdviceColumn::Volume) +
                     QCoreApplication::translate("kelvane::session", " cm³，") +
                     advice.text(advice[index], AdviceColumn::TotalLoss) +
                     QCoreApplication::translate("kelvane::session", " W）"));
    }
    textBlock(QCoreApplication::translate(
                  "kelvane::session", "体积与损耗的帕累托前沿（没有别的可行组合既更小又更凉）：") +
              (front.isEmpty()
                   ? QCoreApplication::translate("kelvane::session", "无")
                   : front.join(QCoreApplication::translate("kelvane::session", "；"))));
    if (!chartImage.isEmpty()) {
        report::ReportBlock chart;
        chart.kind = report::ReportBlock::Kind::Chart;
        chart.text = chartImage;
        section.blocks.append(chart);
    }
    return section;
}

}  // namespace kelvane::session
