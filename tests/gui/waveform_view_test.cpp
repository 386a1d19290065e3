#include "window_fixture.h"

#include <QImage>

namespace kelvane::gui {
namespace {

using design::Field;

class WaveformViewTest : public WindowFixture {
protected:
    // Columns of the results page's waveform in which the current's blue
    // shows.
    int currentColumns() {
        QWidget* view = window.findChild<QWidget*>(QStringLiteral("Waveform"));
        EXPECT_NE(view, nullptr);
        if (view == nullptr) {
            return 0;
        }
        showPageOf(view);
        const QImage image = view->grab().toImage();
        int columns = 0;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                const QColor colour = image.pixelColor(x, y);
                if (colour.blue() > 150 && colour.red() < 80 && colour.green() < 120) {
                    ++columns;
                    break;
                }
            }
        }
        return columns;
    }
};

TEST_F(WaveformViewTest, FollowsTheCircuitTypeAndTheFigures) {
    EXPECT_EQ(currentColumns(), 0);  // no circuit type yet
    const char* options[] = {"Option1", "Option2", "Option3"};
    for (const char* option : options) {
        engine.click(QString::fromLatin1(option));
        engine.type(Field::TxtF, QStringLiteral("50"));
        engine.type(Field::txtd, QStringLiteral("0.4"));
        engine.type(Field::txtudc, QStringLiteral("100"));
        engine.type(Field::txtpint, QStringLiteral("60"));
        EXPECT_GT(currentColumns(), 200) << option;
    }
    // An on-time beyond the period: nothing drawn.
    engine.type(Field::Txtton, QStringLiteral("30"));
    EXPECT_EQ(currentColumns(), 0);
}

}  // namespace
}  // namespace kelvane::gui
