#include "render/report_pdf.h"

#include "render/construction_painter.h"
#include "render/pdf_text_map.h"
#include "render/waveform_painter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextOption>

#include <algorithm>
#include <numeric>

namespace kelvane::render {

namespace {

// The texts for a person, in the engineer's language.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(kelvane::render)
};

constexpr int kDotsPerInch = 300;
constexpr double kMarginMm = 15.0;

double mm(double millimetres) {
    return millimetres / 25.4 * kDotsPerInch;
}

QFont reportFont(double points, bool bold = false) {
    QFont font;
    // Latin letters and digits from DejaVu Sans: Qt maps the digits of the
    // CJK font back to text wrongly, so a PDF reader could not copy them.
    font.setFamilies({QStringLiteral("DejaVu Sans"), QString::fromLatin1(kReportFontFamily)});
    font.setPointSizeF(points);
    font.setBold(bold);
    // No ligatures, so that "fl" in a file name stays two letters when the
    // text is copied out of the PDF; Chinese and Latin need no shaping.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Lays the report out top to bottom, page by page. The first run only
// counts the pages; the second draws them with the count in the footers.
class PageWriter {
public:
    PageWriter(QPdfWriter& writer, const report::DesignReport& report)
        : m_writer(writer),
          m_report(report),
          m_body(reportFont(9.5)),
          m_bold(reportFont(9.5, true)),
          m_title(reportFont(13, true)),
          m_small(reportFont(8)) {
        const QRect page = writer.pageLayout().paintRectPixels(kDotsPerInch);
        m_width = page.width();
        m_height = page.height();
        m_line = QFontMetricsF(m_body, &writer).height();
    }

    // Lays out every page; draws only with a painter. Returns the page count.
    int run(QPainter* painter, int pageCount) {
        m_painter = painter;
        m_pageCount = pageCount;
        m_page = 0;
        startPage();
        writeBanner();
        for (const report::ReportSection& section : m_report.sections) {
            writeSection(section);
        }
        finishPage();
        return m_page;
    }

private:
    void startPage() {
        ++m_page;
        m_y = 0.0;
        const double headerHeight = QFontMetricsF(m_title, &m_writer).height();
        if (m_painter) {
            m_painter->setFont(m_title);
            m_painter->drawText(QRectF(0, 0, m_width, headerHeight),
                                Qt::AlignLeft | Qt::AlignVCenter, m_report.title);
            m_painter->setFont(m_small);
            m_painter->drawText(
                QRectF(0, 0, m_width, headerHeight), Qt::AlignRight | Qt::AlignVCenter,
                Tr::tr("设计文件：%1    日期：%2").arg(m_report.designFileName, m_report.dateText));
            m_painter->setPen(QPen(Qt::black, mm(0.3)));
            m_painter->drawLine(QPointF(0, headerHeight + mm(1)),
                                QPointF(m_width, headerHeight + mm(1)));
        }
        m_y = headerHeight + mm(5);
        m_top = m_y;
    }

    void finishPage() {
        if (m_painter) {
            m_painter->setFont(m_small);
            m_painter->drawText(QRectF(0, m_height - m_line, m_width, m_line), Qt::AlignCenter,
                                Tr::tr("第 %1 页 / 共 %2 页").arg(m_page).arg(m_pageCount));
        }
    }

    // Room for `height` on this page, or a new page.
    void ensure(double height) {
        if (m_y + height <= m_height - 2 * m_line) {
            return;
        }
        finishPage();
        if (m_painter) {
            m_writer.newPage();
        }
        startPage();
    }

    // The check's failing items, in red across the first page.
    void writeBanner() {
        if (m_report.banner.isEmpty()) {
            return;
        }
        const QFontMetricsF metrics(m_bold, &m_writer);
        const double height = metrics
                                  .boundingRect(QRectF(0, 0, m_width - mm(6), 10 * m_line),
                                                Qt::TextWordWrap, m_report.banner)
                                  .height() +
                              mm(4);
        if (m_painter) {
            m_painter->fillRect(QRectF(0, m_y, m_width, height), QColor(0xd0, 0x24, 0x24));
            m_painter->setPen(Qt::white);
            m_painter->setFont(m_bold);
            m_painter->drawText(QRectF(mm(3), m_y + mm(2), m_width - mm(6), height - mm(4)),
                                Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                                m_report.banner);
            m_painter->setPen(Qt::black);
        }
        m_y += height + m_line;
    }

    void writeSection(const report::ReportSection& section) {
        const double titleHeight = QFontMetricsF(m_title, &m_writer).height() * 1.4;
        if (section.startsPage && m_y > m_top) {
            ensure(m_height);
        }
        // A title stays with what opens its section.
        ensure(titleHeight + std::max(4 * m_line, openingHeight(section)));
        if (m_painter) {
            m_painter->setFont(m_title);
            m_painter->setPen(QColor(0, 50, 130));
            m_painter->drawText(QRectF(0, m_y, m_width, titleHeight),
                                Qt::AlignLeft | Qt::AlignVCenter, section.title);
            m_painter->setPen(Qt::black);
        }
        m_y += titleHeight;
        for (const report::ReportBlock& block : section.blocks) {
            switch (block.kind) {
                case report::ReportBlock::Kind::Rows:
                    writeRows(block.rows);
                    break;
                case report::ReportBlock::Kind::Table:
                    writeTable(block.heading, block.table);
                    break;
                case report::ReportBlock::Kind::Picture:
                    writePicture(block.text);
                    break;
                case report::ReportBlock::Kind::Waveform:
                    writeWaveform();
                    break;
                case report::ReportBlock::Kind::Text:
                    writeText(block.text);
                    break;
                case report::ReportBlock::Kind::Chart:
                    writeChart(block.text);
                    break;
                case report::ReportBlock::Kind::Diagram:
                    writeDiagram();
                    break;
                case report::ReportBlock::Kind::CrossSection:
                    writeCrossSection();
                    break;
            }
        }
        m_y += m_line;
    }

    static QString valueText(const report::ReportRow& row) {
        return row.unit.isEmpty() ? row.value : row.value + QStringLiteral(" ") + row.unit;
    }

    // Two rows to a line, label then value and unit; a value too long for
    // half the page takes a line of its own.
    void writeRows(const QVector<report::ReportRow>& rows) {
        const double rowHeight = m_line * 1.35;
        const double half = m_width / 2;
        const double labelWidth = half * 0.5;
        const QFontMetricsF metrics(m_bold, &m_writer);
        const auto wide = [&](const report::ReportRow& row) {
            return metrics.horizontalAdvance(valueText(row)) > half - labelWidth - mm(4);
        };
        int index = 0;
        while (index < rows.size()) {
            QVector<const report::ReportRow*> line{&rows[index]};
            if (!wide(rows[index]) && index + 1 < rows.size() && !wide(rows[index + 1])) {
                line.append(&rows[index + 1]);
            }
            index += int(line.size());
            // A label or value longer than its room (English runs longer)
            // wraps, and the line grows to hold it.
            const auto valueWidth = [&](const report::ReportRow& row) {
                return (wide(row) ? m_width : half) - labelWidth - mm(4);
            };
            const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
            double height = rowHeight;
            for (const report::ReportRow* row : line) {
                const QRectF label =
                    QFontMetricsF(m_body, &m_writer)
                        .boundingRect(QRectF(0, 0, labelWidth, 1e6), flags, row->label);
                const QRectF value = metrics.boundingRect(QRectF(0, 0, valueWidth(*row), 1e6),
                                                          flags, valueText(*row));
                height = std::max(
                    {height, label.height() + m_line * 0.35, value.height() + m_line * 0.35});
            }
            ensure(height);
            for (int column = 0; column < line.size() && m_painter; ++column) {
                const report::ReportRow& row = *line[column];
                const double x = column * half;
                m_painter->setFont(m_body);
                m_painter->setPen(QColor(80, 80, 80));
                m_painter->drawText(QRectF(x + mm(2), m_y, labelWidth, height), flags, row.label);
                m_painter->setPen(Qt::black);
                m_painter->setFont(m_bold);
                m_painter->drawText(QRectF(x + labelWidth + mm(2), m_y, valueWidth(row), height),
                                    flags, valueText(row));
            }
            if (m_painter) {
                m_painter->setPen(QPen(QColor(225, 225, 225), mm(0.15)));
                m_painter->drawLine(QPointF(0, m_y + height), QPointF(m_width, m_y + height));
                m_painter->setPen(Qt::black);
            }
            m_y += height;
        }
        m_y += m_line * 0.4;
    }

    void writeText(const QString& text) {
        const QFontMetricsF metrics(m_body, &m_writer);
        const QRectF bounds =
            metrics.boundingRect(QRectF(0, 0, m_width, 10 * m_line), Qt::TextWordWrap, text);
        ensure(bounds.height() + m_line * 0.4);
        if (m_painter) {
            m_painter->setFont(m_body);
            m_painter->drawText(QRectF(mm(2), m_y, m_width - mm(2), bounds.height()),
                                Qt::AlignLeft | Qt::TextWordWrap, text);
        }
        m_y += bounds.height() + m_line * 0.4;
    }

    // Column widths by their longest text, spread over the page width. When
    // the texts are wider than the page, each column keeps at least its
    // widest piece that cannot wrap (a hipot requirement, a number with its
    // unit) and the room left goes to the columns by what they would wrap.
    QVector<double> columnWidths(const report::ReportTable& table) const {
        static const QRegularExpression breaks(
            QStringLiteral("[\\s、，：；—]|(?<=\\p{Han})|(?=\\p{Han})"));
        const QFontMetricsF metrics(m_bold, &m_writer);
        const qsizetype count = table.headings.size();
        QVector<double> natural(count, 0.0);
        QVector<double> least(count, 0.0);
        for (qsizetype column = 0; column < count; ++column) {
            QStringList texts{table.headings[column]};
            for (const QStringList& cells : table.rows) {
                texts.append(cells.value(column));
            }
            for (const QString& text : texts) {
                natural[column] = std::max(natural[column], metrics.horizontalAdvance(text));
                for (const QString& piece : text.split(breaks)) {
                    least[column] = std::max(least[column], metrics.horizontalAdvance(piece));
                }
            }
            natural[column] += mm(4);
            least[column] += mm(4);
        }
        const double naturalTotal = std::accumulate(natural.begin(), natural.end(), 0.0);
        const double leastTotal = std::accumulate(least.begin(), least.end(), 0.0);
        QVector<double> widths(count, 0.0);
        for (qsizetype column = 0; column < count; ++column) {
            if (naturalTotal <= m_width) {
                widths[column] = natural[column] / naturalTotal * m_width;
            } else if (leastTotal < m_width) {
                widths[column] = least[column] + (natural[column] - least[column]) *
                                                     (m_width - leastTotal) /
                                                     (naturalTotal - leastTotal);
            } else {
                widths[column] = least[column] / leastTotal * m_width;
            }
        }
        return widths;
    }

    // A row as high as its tallest cell, its text wrapped within its column.
    double rowHeight(const QStringList& cells, const QVector<double>& widths, bool heading) const {
        const QFontMetricsF metrics(heading ? m_bold : m_body, &m_writer);
        double height = m_line;
        for (int column = 0; column < widths.size(); ++column) {
            const QRectF bounds =
                metrics.boundingRect(QRectF(0, 0, widths[column] - mm(3), 20 * m_line),
                                     Qt::TextWordWrap, cells.value(column));
            height = std::max(height, bounds.height());
        }
        return height + m_line * 0.4;
    }

    void writeTableRow(const QStringList& cells, const QVector<double>& widths, bool heading) {
        const double height = rowHeight(cells, widths, heading);
        if (m_painter) {
            m_painter->setFont(heading ? m_bold : m_body);
            if (heading) {
                m_painter->fillRect(QRectF(0, m_y, m_width, height), QColor(235, 240, 248));
            }
            double x = 0.0;
            m_painter->setPen(QPen(QColor(150, 150, 150), mm(0.15)));
            for (int column = 0; column < widths.size(); ++column) {
                const QRectF cell(x, m_y, widths[column], height);
                m_painter->drawRect(cell);
                m_painter->setPen(Qt::black);
                // Within a word only where a piece is wider than its column.
                QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
                option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
                m_painter->drawText(cell.adjusted(mm(1.5), 0, -mm(1.5), 0), cells.value(column),
                                    option);
                m_painter->setPen(QPen(QColor(150, 150, 150), mm(0.15)));
                x += widths[column];
            }
            m_painter->setPen(Qt::black);
        }
        m_y += height;
    }

    // The heading, the header row and the first rows of a table: what goes
    // on a page together.
    double tableOpening(const report::ReportTable& table) const {
        const QVector<double> widths = columnWidths(table);
        double height = m_line * 1.3 + rowHeight(table.headings, widths, true);
        for (qsizetype row = 0; row < std::min<qsizetype>(table.rows.size(), 3); ++row) {
            height += rowHeight(table.rows[row], widths, false);
        }
        return height;
    }

    void writeTable(const QString& heading, const report::ReportTable& table) {
        const QVector<double> widths = columnWidths(table);
        const double headingHeight = rowHeight(table.headings, widths, true);
        ensure(tableOpening(table));
        if (!heading.isEmpty()) {
            if (m_painter) {
                m_painter->setFont(m_bold);
                m_painter->drawText(QRectF(mm(2), m_y, m_width, m_line * 1.3),
                                    Qt::AlignLeft | Qt::AlignVCenter, heading);
            }
            m_y += m_line * 1.3;
        }
        writeTableRow(table.headings, widths, true);
        for (const QStringList& cells : table.rows) {
            const double height = rowHeight(cells, widths, false);
            if (m_y + height > m_height - 2 * m_line) {
                ensure(height + headingHeight);
                writeTableRow(table.headings, widths, true);
            }
            writeTableRow(cells, widths, false);
        }
        m_y += m_line * 0.6;
    }

    void writePicture(const QString& file) {
        const QImage image(file);
        if (image.isNull()) {
            writeText(Tr::tr("（磁芯图片无法读取：%1）").arg(QFileInfo(file).fileName()));
            return;
        }
        const double height = std::min(mm(45), image.height() * mm(0.3));
        const double width = height * image.width() / image.height();
        ensure(height + m_line * 0.6);
        if (m_painter) {
            m_painter->drawImage(QRectF(mm(2), m_y, std::min(width, m_width), height), image);
        }
        m_y += height + m_line * 0.6;
    }

    // A chart as wide as the page allows, at most 110 mm high.
    void writeChart(const QString& file) {
        const QImage image(file);
        if (image.isNull()) {
            writeText(Tr::tr("（图表无法读取：%1）").arg(QFileInfo(file).fileName()));
            return;
        }
        const double width = std::min(m_width, mm(110) * image.width() / image.height());
        const double height = width * image.height() / image.width();
        ensure(height + m_line * 0.6);
        if (m_painter) {
            m_painter->drawImage(QRectF(0, m_y, width, height), image);
        }
        m_y += height + m_line * 0.6;
    }

    void writeWaveform() {
        // Nothing to draw: a line with the reason.
        const double height = m_report.waveform.isEmpty() ? m_line * 3.5 : mm(70);
        ensure(height + m_line);
        if (m_painter) {
            m_painter->setFont(m_bold);
            m_painter->drawText(QRectF(mm(2), m_y, m_width, m_line * 1.3),
                                Qt::AlignLeft | Qt::AlignVCenter,
                                Tr::tr("初级电流波形（两个开关周期）"));
            drawWaveform(*m_painter, QRectF(0, m_y + m_line * 1.4, m_width, height - m_line * 1.4),
                         m_report.waveform, reportFont(8));
        }
        m_y += height + m_line * 0.6;
    }

    // The height of a drawing or the opening of a table that opens a
    // section; 0 for anything else.
    double openingHeight(const report::ReportSection& section) const {
        if (section.blocks.isEmpty()) {
            return 0.0;
        }
        const report::ReportBlock& first = section.blocks.front();
        switch (first.kind) {
            case report::ReportBlock::Kind::Diagram:
                return diagramHeight(m_report.diagram, mm(1));
            case report::ReportBlock::Kind::CrossSection:
                return windowSectionHeight(m_report.window, m_width, mm(1));
            case report::ReportBlock::Kind::Table:
                return tableOpening(first.table);
            default:
                return 0.0;
        }
    }

    void writeDiagram() {
        if (m_report.diagram.isEmpty()) {
            return;
        }
        const double height = diagramHeight(m_report.diagram, mm(1));
        ensure(height + m_line * 0.6);
        if (m_painter) {
            drawWindingDiagram(*m_painter, QRectF(0, m_y, m_width, height), m_report.diagram,
                               m_body, mm(1));
        }
        m_y += height + m_line * 0.6;
    }

    void writeCrossSection() {
        const double height = windowSectionHeight(m_report.window, m_width, mm(1));
        ensure(height + m_line * 0.6);
        if (m_painter) {
            drawWindowSection(*m_painter, QRectF(0, m_y, m_width, height), m_report.window, m_small,
                              mm(1));
        }
        m_y += height + m_line * 0.6;
    }

    QPdfWriter& m_writer;
    const report::DesignReport& m_report;
    QFont m_body;
    QFont m_bold;
    QFont m_title;
    QFont m_small;
    QPainter* m_painter = nullptr;
    double m_width = 0.0;
    double m_height = 0.0;
    double m_line = 0.0;
    double m_y = 0.0;
    double m_top = 0.0;  // where a page's body starts
    int m_page = 0;
    int m_pageCount = 0;
};

}  // namespace

Result<void> writeReportPdf(const report::DesignReport& report, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Failure{Tr::tr("无法写入%1：%2").arg(path, file.errorString())};
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kDotsPerInch);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("Kelvane"));
        PageWriter pages(writer, report);
        const int pageCount = pages.run(nullptr, 0);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return Failure{Tr::tr("无法生成PDF：%1").arg(path)};
        }
        pages.run(&painter, pageCount);
        painter.end();
    }
    // Copied text must read 页, not the radical ⻚ the font draws alike.
    const QRawFont chinese = QRawFont::fromFont(reportFont(9.5), QFontDatabase::SimplifiedChinese);
    const QByteArray pdf = withPreferredText(buffer.data(), preferredCharacters(chinese));
    if (file.write(pdf) != pdf.size() || !file.commit()) {
        return Failure{Tr::tr("无法写入%1：%2").arg(path, file.errorString())};
    }
    return {};
}

}  // namespace kelvane::render
