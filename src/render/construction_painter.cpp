#include "render/construction_painter.h"

#include "engine/base/number_text.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace kelvane::render {

namespace {

// The texts for a person, in the engineer's language.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(kelvane::render)
};

using report::DiagramWinding;
using report::SectionBand;

// The diagram: the room of one winding, the margins above and below.
constexpr double kSlotMm = 24.0;
constexpr double kTightSlotMm = 17.0;  // more than four windings on a side
constexpr double kDiagramPadMm = 7.0;

// The cross-section: its tallest window, the legs, the column of names
// beside it, the lines of text below.
constexpr double kSectionMaxMm = 70.0;
constexpr double kLegMm = 4.0;
constexpr double kLabelColumnMm = 46.0;
constexpr double kSectionTextMm = 13.0;
constexpr double kLabelSpacingMm = 4.2;
// Turns drawn smaller than this on paper are a band of colour.
constexpr double kSmallestTurnMm = 0.5;

QColor bandColor(SectionBand::Kind kind) {
    switch (kind) {
        case SectionBand::Kind::Primary:
            return QColor(0xd9, 0x5f, 0x4a);
        case SectionBand::Kind::Secondary:
            return QColor(0x3f, 0x7f, 0xc8);
        case SectionBand::Kind::Bias:
            return QColor(0x4a, 0xa0, 0x5a);
        case SectionBand::Kind::Tape:
            break;
    }
    return QColor(0xf2, 0xd0, 0x5a);
}

const QColor kMarginColor(0xe8, 0xb8, 0x7a);

// The painter set up for a drawing, and as it was again afterwards.
struct Drawing {
    Drawing(QPainter& painter, const QFont& font)
        : painter(painter), metrics(font, painter.device()) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setFont(font);
    }
    ~Drawing() { painter.restore(); }
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    QPainter& painter;
    QFontMetricsF metrics;
};

int sideCount(const QVector<DiagramWinding>& windings, bool primarySide) {
    return int(std::count_if(windings.begin(), windings.end(), [primarySide](const auto& w) {
        return w.primarySide == primarySide;
    }));
}

double slotMm(const QVector<DiagramWinding>& windings) {
    const int most = std::max(sideCount(windings, true), sideCount(windings, false));
    return most > 4 ? kTightSlotMm : kSlotMm;
}

// A coil of four turns from `top` down `height`, its turns bulging towards
// the core on the side `towardsCore` points to (+1 right, −1 left).
QPainterPath coil(double x, double top, double height, int towardsCore) {
    constexpr int kTurns = 4;
    const double r = height / (2.0 * kTurns);
    QPainterPath path(QPointF(x, top));
    for (int k = 0; k < kTurns; ++k) {
        path.arcTo(QRectF(x - r, top + 2.0 * r * k, 2.0 * r, 2.0 * r), 90.0,
                   towardsCore > 0 ? -180.0 : 180.0);
    }
    return path;
}

}  // namespace

double diagramHeight(const QVector<DiagramWinding>& windings, double unitsPerMm) {
    const int most = std::max(sideCount(windings, true), sideCount(windings, false));
    return (std::max(most, 1) * slotMm(windings) + 2.0 * kDiagramPadMm) * unitsPerMm;
}

void drawWindingDiagram(QPainter& painter, const QRectF& area,
                        const QVector<DiagramWinding>& windings, const QFont& font,
                        double unitsPerMm) {
    const Drawing drawing(painter, font);
    const auto mm = [unitsPerMm](double millimetres) { return millimetres * unitsPerMm; };
    const QFontMetricsF& metrics = drawing.metrics;
    const double line = metrics.height();
    const double slot = mm(slotMm(windings));
    const double cx = area.center().x();
    const double top = area.top() + mm(kDiagramPadMm);
    const double bottom = area.bottom() - mm(kDiagramPadMm);

    painter.setPen(QPen(Qt::black, mm(0.6)));
    for (double x : {cx - mm(1.2), cx + mm(1.2)}) {
        painter.drawLine(QPointF(x, top), QPointF(x, bottom));
    }
    painter.setPen(QPen(Qt::darkGray, 0));
    painter.drawText(QRectF(area.left(), area.top(), area.width() / 2 - mm(4), line),
                     Qt::AlignRight | Qt::AlignVCenter, Tr::tr("初级侧"));
    painter.drawText(QRectF(cx + mm(4), area.top(), area.width() / 2 - mm(4), line),
                     Qt::AlignLeft | Qt::AlignVCenter, Tr::tr("次级侧"));

    int placed[2] = {0, 0};
    for (const DiagramWinding& w : windings) {
        const int side = w.primarySide ? -1 : 1;  // left of the core, or right
        const double slotTop = top + slot * placed[w.primarySide ? 0 : 1]++;
        const double coilTop = slotTop + slot * 0.22;
        const double coilHeight = slot * 0.56;
        const double coilX = cx + side * mm(5);
        const double pinX = side < 0 ? area.left() + mm(22) : area.right() - mm(22);
        const double pinR = mm(1.3);

        painter.setPen(QPen(Qt::black, mm(0.35)));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(coil(coilX, coilTop, coilHeight, -side));
        const auto lead = [&](double y, const QString& pin) {
            painter.setPen(QPen(Qt::black, mm(0.3)));
            painter.setBrush(Qt::NoBrush);
            painter.drawLine(QPointF(coilX, y), QPointF(pinX - side * pinR, y));
            painter.setBrush(Qt::white);
            painter.drawEllipse(QPointF(pinX, y), pinR, pinR);
            const QRectF label = side < 0 ? QRectF(area.left(), y - line / 2,
                                                   pinX - pinR - area.left() - mm(1), line)
                                          : QRectF(pinX + pinR + mm(1), y - line / 2,
                                                   area.right() - pinX - pinR - mm(1), line);
            painter.drawText(label, (side < 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                             pin);
        };
        lead(coilTop, w.startPin);
        lead(coilTop + coilHeight, w.finishPin);
        if (!w.tapPin.isEmpty()) {
            lead(coilTop + coilHeight / 2, w.tapPin);
        }
        // The start of every winding: the dot, beside its first turn.
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QPointF(coilX + side * mm(2.4), coilTop + mm(1.6)), mm(0.8), mm(0.8));
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::NoBrush);
        const QRectF name(std::min(pinX, coilX) + mm(3), coilTop - line * 1.15,
                          std::fabs(pinX - coilX) - mm(6), line);
        painter.drawText(name, (side < 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                         w.name + QStringLiteral("  ") + w.turns);
    }
}

namespace {

// The scale of the drawing (mm of paper per mm of window), the depth it
// shows and the height of the figure above its lines of text, in mm.
struct SectionLayout {
    double scale;
    double build;
    double deepest;
    double figureMm;
};

SectionLayout sectionLayout(const report::WindowSection& window, double widthMm) {
    SectionLayout layout{};
    int windings = 0;
    for (const SectionBand& band : window.bands) {
        layout.build += band.depthMm;
        windings += band.kind == SectionBand::Kind::Tape ? 0 : 1;
    }
    layout.deepest = std::max(window.depthMm, layout.build);
    const double roomMm = widthMm - kLabelColumnMm - 4.0;
    layout.scale = std::min(roomMm / window.lengthMm, kSectionMaxMm / layout.deepest);
    layout.figureMm =
        std::max(layout.deepest * layout.scale + 2.0 * kLegMm, windings * kLabelSpacingMm + kLegMm);
    return layout;
}

}  // namespace

double windowSectionHeight(const report::WindowSection& window, double width, double unitsPerMm) {
    if (window.isEmpty()) {
        return 0.0;
    }
    return (sectionLayout(window, width / unitsPerMm).figureMm + kSectionTextMm) * unitsPerMm;
}

void drawWindowSection(QPainter& painter, const QRectF& area, const report::WindowSection& window,
                       const QFont& font, double unitsPerMm) {
    if (window.isEmpty()) {
        return;
    }
    const Drawing drawing(painter, font);
    const auto mm = [unitsPerMm](double millimetres) { return millimetres * unitsPerMm; };
    const QFontMetricsF& metrics = drawing.metrics;
    const double line = metrics.height();

    const SectionLayout layout = sectionLayout(window, area.width() / unitsPerMm);
    const double build = layout.build;
    const double scaleMm = layout.scale;
    const double s = mm(scaleMm);  // units per mm of the window
    const double x0 = area.left();
    const double length = window.lengthMm * s;
    const double legBottom = area.top() + mm(layout.figureMm);
    const double base = legBottom - mm(kLegMm);  // the centre leg's face
    const double outerFace = base - window.depthMm * s;

    // The bands from the centre leg outwards, and where each winding's name goes.
    struct Label {
        double y;
        QString text;
    };
    QVector<Label> labels;
    double y = base;
    for (const SectionBand& band : window.bands) {
        const double h = band.depthMm * s;
        const QRectF rect(x0, y - h, length, h);
        const QColor color = bandColor(band.kind);
        if (band.kind == SectionBand::Kind::Tape) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(color);
            painter.drawRect(rect);
            y -= h;
            continue;
        }
        const double margin = band.marginMm * s;
        painter.setPen(QPen(Qt::black, mm(0.1)));
        painter.setBrush(QBrush(kMarginColor, Qt::Dense4Pattern));
        if (margin > 0.0) {
            painter.drawRect(QRectF(x0, y - h, margin, h));
            painter.drawRect(QRectF(x0 + length - margin, y - h, margin, h));
        }
        const double wire = band.wireMm * s;
        painter.setBrush(color.lighter(175));
        painter.setPen(Qt::NoPen);
        painter.drawRect(QRectF(x0 + margin, y - h, length - 2 * margin, h));
        if (wire >= mm(kSmallestTurnMm)) {
            painter.setPen(QPen(color.darker(150), mm(0.12)));
            painter.setBrush(color);
            double left = band.turns;
            for (int layer = 0; layer < int(band.layers) && left > 0.0; ++layer) {
                const double turns = std::min(band.turnsPerLayer, left);
                left -= turns;
                const double cy = y - (layer + 0.5) * wire;
                for (int k = 0; k < int(turns) * band.strands; ++k) {
                    const QPointF centre(x0 + margin + (k + 0.5) * wire, cy);
                    painter.drawEllipse(centre, wire * 0.46, wire * 0.46);
                }
            }
        } else {
            painter.setPen(QPen(color.darker(150), mm(0.1)));
            painter.setBrush(color);
            painter.drawRect(QRectF(x0 + margin, y - h, length - 2 * margin, h));
        }
        labels.append({y - h / 2, band.label});
        y -= h;
    }
    // The legs of the core, hatched, over a build that runs into the outer
    // one; the window's outline, red where the build passes it.
    const QRectF legs[] = {QRectF(x0, base, length, mm(kLegMm)),
                           QRectF(x0, outerFace - mm(kLegMm), length, mm(kLegMm))};
    for (const QRectF& leg : legs) {
        painter.setPen(QPen(Qt::darkGray, mm(0.2)));
        painter.setBrush(QColor(255, 255, 255, 170));
        painter.drawRect(leg);
        painter.setBrush(QBrush(QColor(150, 150, 150), Qt::BDiagPattern));
        painter.drawRect(leg);
    }
    painter.setPen(Qt::black);
    painter.drawText(legs[0], Qt::AlignCenter, Tr::tr("中柱"));
    painter.drawText(legs[1], Qt::AlignCenter,
                     build > window.depthMm ? Tr::tr("外柱（绕组超出窗口）") : Tr::tr("外柱"));
    painter.setPen(QPen(Qt::black, mm(0.35)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(x0, outerFace, length, window.depthMm * s));
    if (build > window.depthMm) {
        painter.setPen(QPen(QColor(0xd0, 0x24, 0x24), mm(0.5), Qt::DashLine));
        painter.drawLine(QPointF(x0, outerFace), QPointF(x0 + length, outerFace));
    }

    // The names in a column beside the window, each led to its band, from
    // the centre leg up, no closer than a line apart.
    const double labelX = x0 + length + mm(4);
    const double spacing = mm(kLabelSpacingMm);
    double labelY = legBottom - line / 2 + spacing;
    painter.setPen(QPen(Qt::black, mm(0.15)));
    for (const Label& label : labels) {
        labelY = std::min(label.y, labelY - spacing);
        painter.drawLine(QPointF(x0 + length, label.y), QPointF(labelX - mm(1), labelY));
        painter.drawText(QRectF(labelX, labelY - line / 2, mm(kLabelColumnMm), line),
                         Qt::AlignLeft | Qt::AlignVCenter, label.text);
    }

    // The scale and the window's size, then the key to the colours.
    const QString size = Tr::tr("窗口长 %1 mm × 宽 %2 mm，绕组总厚 %3 mm；比例 %4 : 1")
                             .arg(formatFixed(window.lengthMm, 2).value_or(QString()),
                                  formatFixed(window.depthMm, 2).value_or(QString()),
                                  formatFixed(build, 2).value_or(QString()),
                                  formatFixed(scaleMm, 1).value_or(QString()));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(x0, legBottom + mm(1), area.width(), line), Qt::AlignLeft, size);
    double keyX = x0;
    const double keyY = legBottom + mm(1) + line * 1.3;
    const auto key = [&](const QBrush& brush, const QString& text) {
        painter.setPen(QPen(Qt::black, mm(0.1)));
        painter.setBrush(brush);
        painter.drawRect(QRectF(keyX, keyY + line * 0.2, mm(4), line * 0.6));
        painter.setPen(Qt::black);
        const double width = metrics.horizontalAdvance(text);
        painter.drawText(QRectF(keyX + mm(5), keyY, width + mm(1), line),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        keyX += mm(5) + width + mm(5);
    };
    key(bandColor(SectionBand::Kind::Primary), Tr::tr("初级"));
    key(bandColor(SectionBand::Kind::Secondary), Tr::tr("次级"));
    key(bandColor(SectionBand::Kind::Bias), Tr::tr("初级侧辅助"));
    key(bandColor(SectionBand::Kind::Tape), Tr::tr("胶带"));
    key(QBrush(kMarginColor, Qt::Dense4Pattern), Tr::tr("挡墙"));
}

}  // namespace kelvane::render
