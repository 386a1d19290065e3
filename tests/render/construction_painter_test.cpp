#include "render/construction_painter.h"

#include <gtest/gtest.h>

namespace kelvane::render {
namespace {

using report::DiagramWinding;
using report::SectionBand;

QVector<DiagramWinding> windings(int primarySide, int secondaries) {
    QVector<DiagramWinding> list;
    for (int i = 0; i < primarySide + secondaries; ++i) {
        list.append({QStringLiteral("N%1").arg(i + 1), QStringLiteral("10T"), QString(), QString(),
                     QString(), i < primarySide});
    }
    return list;
}

// A slot of 24 mm a winding on the fuller side, 17 mm beyond four, and
// 7 mm above and below: the side with more windings sets the height.
TEST(ConstructionPainter, DiagramGrowsWithTheFullerSide) {
    EXPECT_DOUBLE_EQ(diagramHeight(windings(1, 1), 1.0), 24 + 14);
    EXPECT_DOUBLE_EQ(diagramHeight(windings(2, 1), 1.0), 48 + 14);
    EXPECT_DOUBLE_EQ(diagramHeight(windings(1, 4), 1.0), 96 + 14);
    EXPECT_DOUBLE_EQ(diagramHeight(windings(1, 6), 1.0), 102 + 14);
    EXPECT_DOUBLE_EQ(diagramHeight(windings(1, 1), 10.0), 380);
}

report::WindowSection window(double lengthMm, double depthMm, QVector<double> bands) {
    report::WindowSection section{lengthMm, depthMm, {}};
    for (qsizetype i = 0; i < bands.size(); ++i) {
        SectionBand band;
        band.kind = i % 2 == 0 ? SectionBand::Kind::Primary : SectionBand::Kind::Tape;
        band.depthMm = bands[i];
        section.bands.append(band);
    }
    return section;
}

// One scale both ways: 180 mm of page less 46 mm of names and 4 mm leave
// 130 mm for a 20 mm window, 6.5 : 1, so its 4 mm of depth take 26 mm,
// with two legs of 4 mm and 13 mm of text below. A build deeper than the
// window is drawn whole; a narrow deep window is held to 70 mm; many
// windings need their names' room.
TEST(ConstructionPainter, CrossSectionKeepsOneScale) {
    EXPECT_DOUBLE_EQ(windowSectionHeight(window(20, 4, {1, 0.15, 1}), 180, 1), 26 + 8 + 13);
    EXPECT_DOUBLE_EQ(windowSectionHeight(window(20, 4, {4, 0.15, 1}), 180, 1), 5.15 * 6.5 + 8 + 13);
    EXPECT_DOUBLE_EQ(windowSectionHeight(window(10, 20, {1}), 180, 1), 70 + 8 + 13);
    QVector<double> many;
    for (int i = 0; i < 24; ++i) {
        many.append(0.01);
    }
    EXPECT_DOUBLE_EQ(windowSectionHeight(window(20, 1, many), 180, 1), 12 * 4.2 + 4 + 13);
    EXPECT_DOUBLE_EQ(windowSectionHeight(window(20, 4, {}), 180, 1), 0);
}

}  // namespace
}  // namespace kelvane::render
