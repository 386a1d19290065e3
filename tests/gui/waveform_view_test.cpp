#include "gui/design/waveform_view.h"

#include "window_fixture.h"

#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QPalette>

#include <algorithm>
#include <cstdlib>

namespace kelvane::gui {
namespace {

using sheet::Check;
using sheet::Field;

// The results page's waveform is drawn at a fixed size and compared with a
// reviewed picture in tests/data/waveforms. After a deliberate change of the
// drawing, run the tests with KELVANE_UPDATE_REFERENCES=1: each one then
// writes its picture over the reference and is skipped instead of compared.
// Look at every rewritten picture before committing it.

constexpr int kWidth = 800;
constexpr int kHeight = 240;
// A pixel differs when one of its channels is further off than this: the
// edge shades of anti-aliased lines and glyphs that another FreeType or Qt
// build may blend a little differently stay within it, a trace in another
// colour does not.
constexpr int kChannelTolerance = 48;
// The share of differing pixels allowed, for a few stray edge pixels: 19 of
// 192 000, while the shortest label (the Ts mark) alone is some 50 pixels of
// ink and a trace moved by a pixel some thousands. Glyphs are drawn
// unhinted, so that a fontconfig hinting setting does not move them.
constexpr double kDifferingShare = 0.0001;

struct Comparison {
    qsizetype differing = 0;
    qsizetype allowed = 0;
    QImage difference;  // the reference faded, differing pixels in red

    [[nodiscard]] bool matches() const { return differing <= allowed; }
};

Comparison compare(const QImage& actual, const QImage& reference) {
    Comparison result;
    result.allowed = qsizetype(double(actual.width()) * actual.height() * kDifferingShare);
    result.difference = QImage(actual.size(), QImage::Format_RGB32);
    if (actual.size() != reference.size()) {
        result.differing = qsizetype(actual.width()) * actual.height();
        result.difference.fill(Qt::red);
        return result;
    }
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb r = reference.pixel(x, y);
            const int off = std::max({std::abs(qRed(a) - qRed(r)), std::abs(qGreen(a) - qGreen(r)),
                                      std::abs(qBlue(a) - qBlue(r))});
            if (off > kChannelTolerance) {
                ++result.differing;
                result.difference.setPixel(x, y, qRgb(255, 0, 0));
            } else {
                const int grey = 192 + qGray(r) / 4;
                result.difference.setPixel(x, y, qRgb(grey, grey, grey));
            }
        }
    }
    return result;
}

class WaveformViewTest : public WindowFixture {
protected:
    void SetUp() override {
        view = window.findChild<WaveformView*>(QStringLiteral("Waveform"));
        ASSERT_NE(view, nullptr);
        // Everything the picture depends on besides the design: its size, a
        // font that holds every glyph drawn (no fallback to another family),
        // its hinting and subpixel rendering left to no configuration, and a
        // white ground whatever the style.
        view->setFixedSize(kWidth, kHeight);
        QFont font(QStringLiteral("Noto Sans CJK SC"));
        font.setPixelSize(13);
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setStyleStrategy(QFont::NoSubpixelAntialias);
        view->setFont(font);
        QPalette palette = view->palette();
        palette.setColor(QPalette::Base, Qt::white);
        view->setPalette(palette);
        ASSERT_EQ(QFontInfo(font).family(), QStringLiteral("Noto Sans CJK SC"))
            << "fonts-noto-cjk is needed";
        showPageOf(view);
    }

    void designAs(Check circuit) {
        engine.click(circuit);
        engine.type(Field::TxtF, QStringLiteral("50"));
        engine.type(Field::txtd, QStringLiteral("0.4"));
        engine.type(Field::txtudc, QStringLiteral("100"));
        engine.type(Field::txtpint, QStringLiteral("60"));
    }

    // The view painted into an image of its own, one pixel per pixel
    // whatever the screen's scale; black where it leaves a pixel unpainted.
    [[nodiscard]] QImage drawn() const {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(Qt::black);
        view->render(&image);
        return image;
    }

    static QString referencePath(const QString& name) {
        return QStringLiteral(KELVANE_TEST_DATA "/waveforms/") + name + QStringLiteral(".png");
    }
    static QImage reference(const QString& name) {
        return QImage(referencePath(name)).convertToFormat(QImage::Format_RGB32);
    }

    // Compares the view's picture with tests/data/waveforms/NAME.png; on a
    // mismatch the picture and the difference go to waveform_differences/
    // under the working directory.
    void expectDrawnAs(const QString& name) {
        const QImage actual = drawn();
        const QString path = referencePath(name);
        if (qEnvironmentVariable("KELVANE_UPDATE_REFERENCES") == u"1") {
            ASSERT_TRUE(actual.save(path));
            GTEST_SKIP() << "wrote " << path.toStdString();
        }
        const QImage expected = reference(name);
        ASSERT_FALSE(expected.isNull()) << "no reference " << path.toStdString();
        const Comparison comparison = compare(actual, expected);
        if (comparison.matches()) {
            return;
        }
        const QDir out(QDir::current().absoluteFilePath(QStringLiteral("waveform_differences")));
        out.mkpath(QStringLiteral("."));
        const QString actualPath = out.filePath(name + QStringLiteral(".actual.png"));
        const QString differencePath = out.filePath(name + QStringLiteral(".difference.png"));
        actual.save(actualPath);
        comparison.difference.save(differencePath);
        ADD_FAILURE() << comparison.differing << " pixels differ from " << path.toStdString()
                      << " (" << comparison.allowed
                      << " allowed); drawn: " << actualPath.toStdString()
                      << ", difference: " << differencePath.toStdString();
    }

    WaveformView* view = nullptr;
};

TEST_F(WaveformViewTest, DrawsTheFlybackCurrent) {
    designAs(Check::Option1);
    expectDrawnAs(QStringLiteral("flyback"));
}

TEST_F(WaveformViewTest, DrawsTheForwardCurrent) {
    designAs(Check::Option2);
    expectDrawnAs(QStringLiteral("forward"));
}

TEST_F(WaveformViewTest, DrawsTheRccCurrent) {
    designAs(Check::Option3);
    expectDrawnAs(QStringLiteral("rcc"));
}

TEST_F(WaveformViewTest, WithoutACircuitTypeSaysSoAndDrawsNoCurrent) {
    expectDrawnAs(QStringLiteral("no_circuit"));
}

TEST_F(WaveformViewTest, AnOnTimeBeyondThePeriodDrawsNoCurrent) {
    designAs(Check::Option1);
    engine.type(Field::Txtton, QStringLiteral("30"));
    expectDrawnAs(QStringLiteral("on_time_beyond_period"));
}

// The comparison itself: the flyback's picture is not taken for another
// circuit's.
TEST_F(WaveformViewTest, TheComparisonDoesNotTakeOneCircuitForAnother) {
    designAs(Check::Option1);
    const QImage flyback = drawn();
    for (const char* other : {"forward", "rcc"}) {
        EXPECT_FALSE(compare(flyback, reference(QString::fromLatin1(other))).matches()) << other;
    }
}

}  // namespace
}  // namespace kelvane::gui
