#include "render/pdf_text_map.h"

#include "render/report_pdf.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QRegularExpression>

namespace kelvane::render {
namespace {

QRawFont chineseFont() {
    QFont font(QString::fromLatin1(kReportFontFamily));
    font.setPointSizeF(10);
    return QRawFont::fromFont(font, QFontDatabase::SimplifiedChinese);
}

// The look-alikes the report's font draws with the glyph of what the report
// writes: the radical ⻚ and 页, extension A's 㬵 and 胶, the wave dash and
// the full-width tilde. Characters of their own stay out of the map.
TEST(PdfTextMap, LookAlikesStandForWhatTheReportWrites) {
    const QHash<char16_t, char16_t> map = preferredCharacters(chineseFont());
    ASSERT_FALSE(map.isEmpty()) << "no Noto Sans CJK SC";
    EXPECT_EQ(map.value(u'⻚'), u'页');
    EXPECT_EQ(map.value(u'⽂'), u'文');
    EXPECT_EQ(map.value(u'㬵'), u'胶');
    EXPECT_EQ(map.value(u'〜'), u'～');
    for (char16_t own : {u'、', u'。', u'「', u'【'}) {
        EXPECT_FALSE(map.contains(own)) << int(own);
    }
}

QByteArray pdfOf(const QString& text) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        painter.setFont(QFont(QString::fromLatin1(kReportFontFamily), 12));
        painter.drawText(QPointF(100, 100), text);
    }
    return buffer.data();
}

// Every object the cross-reference table names starts where it says, and
// startxref names the table: the file reads after the maps grew.
void expectConsistentXref(const QByteArray& pdf) {
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    const qsizetype xref = pdf.mid(startxref + 9).trimmed().split('\n').value(0).toLongLong();
    ASSERT_TRUE(pdf.mid(xref).startsWith("xref"));
    const QList<QByteArray> lines = pdf.mid(xref).split('\n');
    const int count = lines.value(1).split(' ').value(1).toInt();
    ASSERT_GT(count, 1);
    for (int i = 1; i < count; ++i) {
        const QList<QByteArray> entry = lines.value(2 + i).trimmed().split(' ');
        if (entry.value(2) == "n") {
            EXPECT_TRUE(pdf.mid(entry[0].toLongLong()).startsWith(QByteArray::number(i) + " 0 obj"))
                << "object " << i;
        }
    }
}

// A PDF of look-alikes: each ToUnicode map names the characters drawn,
// lengths and offsets follow; a PDF without one comes back as it was.
TEST(PdfTextMap, RewritesTheMapsAndMovesTheOffsets) {
    const QHash<char16_t, char16_t> map = preferredCharacters(chineseFont());
    const QByteArray drawn = pdfOf(QStringLiteral("第1页 胶带 0.48～0.58 文件"));
    ASSERT_TRUE(drawn.contains("<2EDA>")) << "Qt names 页 by its radical";
    const QByteArray fixed = withPreferredText(drawn, map);
    for (const char* look : {"<2EDA>", "<3B35>", "<301C>", "<2F42>"}) {
        EXPECT_FALSE(fixed.contains(look)) << look;
    }
    for (const char* meant : {"<9875>", "<80F6>", "<FF5E>", "<6587>"}) {
        EXPECT_TRUE(fixed.contains(meant)) << meant;
    }
    expectConsistentXref(fixed);
    const QRegularExpression length(QStringLiteral("/Length (\\d+) >>\nstream\n"));
    const QString text = QString::fromLatin1(fixed);
    int maps = 0;
    for (auto match = length.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch stream = match.next();
        const qsizetype end = stream.capturedEnd() + stream.captured(1).toLongLong();
        EXPECT_EQ(text.mid(end, 10), QStringLiteral("\nendstream"));
        maps += text.mid(stream.capturedEnd(), 8) == u"/CIDInit" ? 1 : 0;
    }
    EXPECT_GT(maps, 0);

    const QByteArray latin = pdfOf(QStringLiteral("Lp 0.533 mH"));
    EXPECT_EQ(withPreferredText(latin, map), latin);
    EXPECT_EQ(withPreferredText(drawn, {}), drawn);
    EXPECT_EQ(withPreferredText(QByteArray("%PDF-1.4 no table"), map), "%PDF-1.4 no table");
}

}  // namespace
}  // namespace kelvane::render
