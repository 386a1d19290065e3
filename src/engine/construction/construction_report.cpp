#include "engine/construction/construction_report.h"

#include "engine/base/language.h"
#include "engine/base/number_text.h"
#include "engine/check/check_text.h"
#include "engine/construction/construction_formulas.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace kelvane::construction {

namespace {

// The texts for a person, in the engineer's language.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(kelvane::construction)
};

using report::ReportBlock;
using report::ReportSection;
using report::ReportTable;

QString fixed(double value, int decimals) {
    return formatFixed(value, decimals).value_or(QString());
}

QString plain(double value) {
    return formatPlain(value).value_or(QString());
}

void addText(ReportSection& section, const QString& text) {
    ReportBlock block;
    block.kind = ReportBlock::Kind::Text;
    block.text = text;
    section.blocks.append(block);
}

void addRow(ReportSection& section, const QString& label, const QString& value,
            const QString& unit = {}) {
    if (section.blocks.isEmpty() || section.blocks.last().kind != ReportBlock::Kind::Rows) {
        section.blocks.append(ReportBlock{});
    }
    section.blocks.last().rows.append({label, value, unit});
}

void addTable(ReportSection& section, const QString& heading, const ReportTable& table) {
    ReportBlock block;
    block.kind = ReportBlock::Kind::Table;
    block.heading = heading;
    block.table = table;
    section.blocks.append(block);
}

void addDrawing(ReportSection& section, ReportBlock::Kind kind) {
    ReportBlock block;
    block.kind = kind;
    section.blocks.append(block);
}

// The turns, "—" for a winding whose turns are not computed yet.
QString turnsText(const Winding& w) {
    if (!(w.turns > 0.0)) {
        return QStringLiteral("—");
    }
    return w.centreTapped ? plain(w.turns) + QStringLiteral("+") + plain(w.turns) : plain(w.turns);
}

ReportSection diagramSection(const Construction& c, const QString& staleNotice) {
    ReportSection section;
    section.title = Tr::tr(kDiagramTitle);
    section.startsPage = true;
    addText(section, Tr::tr("变压器规格书（绕线厂）：以下各节由设计与设计校核导出。"));
    if (!staleNotice.isEmpty()) {
        addText(section, staleNotice);
    }
    addDrawing(section, ReportBlock::Kind::Diagram);
    ReportTable pins;
    pins.headings = {Tr::tr("绕组"),   Tr::tr("类型"),    Tr::tr("起始脚"), Tr::tr("中间脚"),
                     Tr::tr("结束脚"), Tr::tr("匝数(T)"), Tr::tr("导线")};
    for (const Winding& w : c.windings) {
        pins.rows.append({w.name, humanText(kindCaption(w.kind)), w.startPin,
                          w.hasTap ? w.tapPin : QStringLiteral("—"), w.finishPin, turnsText(w),
                          w.diameterMm > 0.0 ? wireText(w) : QString()});
    }
    addTable(section, Tr::tr("引脚"), pins);
    addText(section, Tr::tr("黑点为各绕组的起始端，所有绕组按同一方向绕制。") +
                         (c.sandwich ? Tr::tr("初级夹绕，前后两半在中间脚相接。") : QString()) +
                         (std::any_of(c.windings.begin(), c.windings.end(),
                                      [](const Winding& w) { return w.centreTapped; })
                              ? Tr::tr("中心抽头绕组两半连续绕制，抽头接中间脚。")
                              : QString()));
    return section;
}

QString tapeText(const Step& step, bool last) {
    if (last) {
        return Tr::tr("%1层（外包）").arg(step.tapeLayers);
    }
    return step.reinforcedTape ? Tr::tr("%1层（加强绝缘）").arg(step.tapeLayers)
                               : Tr::tr("%1层").arg(step.tapeLayers);
}

// The order by kind of winding, as wound: "初级前半、次级、初级后半、初级侧辅助".
QString orderText(const Construction& c) {
    QStringList kinds;
    for (const Step& step : c.steps) {
        QString kind = humanText(kindCaption(c.windings[size_t(step.winding)].kind));
        if (step.part != 0) {
            kind += step.part == 1 ? Tr::tr("前半") : Tr::tr("后半");
        }
        if (kinds.isEmpty() || kinds.last() != kind) {
            kinds.append(kind);
        }
    }
    return kinds.join(Tr::tr("、"));
}

ReportSection windingSection(const Construction& c) {
    ReportSection section;
    section.title = Tr::tr(kWindingTitle);
    addRow(section, Tr::tr("绕制方式"),
           (c.sandwich ? Tr::tr("夹绕：") : Tr::tr("顺序绕：")) + orderText(c));
    addRow(section, Tr::tr("磁芯"), c.coreName);
    addRow(section, Tr::tr("绕线窗口（长×宽）"),
           fixed(c.windowLengthMm, 2) + QStringLiteral(" × ") + fixed(c.windowDepthMm, 2),
           QStringLiteral("mm"));
    addRow(section, Tr::tr("爬电距离"), fixed(c.creepageMm, 2), QStringLiteral("mm"));
    addRow(section, Tr::tr("挡墙宽度（每侧）"), fixed(c.creepageMm / 2.0, 2), QStringLiteral("mm"));
    addRow(section, Tr::tr("胶带"),
           Tr::tr("%1 mm聚酯胶带，宽同绕线窗口（含胶每层按%2 mm计）")
               .arg(plain(kTapeFilmMm), plain(kTapeLayerMm)));
    ReportTable steps;
    steps.headings = {Tr::tr("序"),   Tr::tr("绕组"),       Tr::tr("起→止脚"),
                      Tr::tr("导线"), Tr::tr("匝数"),       Tr::tr("每层匝数"),
                      Tr::tr("层数"), Tr::tr("挡墙(每侧)"), Tr::tr("之后胶带")};
    for (size_t k = 0; k < c.steps.size(); ++k) {
        const Step& step = c.steps[k];
        const Winding& w = c.windings[size_t(step.winding)];
        QString pins = step.startPin + QStringLiteral("→") + step.finishPin;
        if (w.centreTapped) {
            pins = step.startPin + QStringLiteral("→") + w.tapPin + QStringLiteral("→") +
                   step.finishPin;
        }
        steps.rows.append(
            {QStringLiteral("W%1").arg(k + 1), stepName(c, step), pins, wireText(w),
             plain(step.turns), plain(step.turnsPerLayer), plain(step.layers),
             step.marginMm > 0.0 ? fixed(step.marginMm, 2) + QStringLiteral(" mm") : Tr::tr("无"),
             tapeText(step, k + 1 == c.steps.size())});
    }
    addTable(section, Tr::tr("绕线顺序（由里向外）"), steps);
    for (const QString& note : c.notes) {
        addText(section, note);
    }
    return section;
}

report::SectionBand::Kind bandKind(WindingKind kind) {
    switch (kind) {
        case WindingKind::Primary:
            return report::SectionBand::Kind::Primary;
        case WindingKind::Bias:
            return report::SectionBand::Kind::Bias;
        case WindingKind::Secondary:
            break;
    }
    return report::SectionBand::Kind::Secondary;
}

ReportSection crossSection(const Construction& c, report::WindowSection& window) {
    ReportSection section;
    section.title = Tr::tr(kSectionTitle);
    window.lengthMm = c.windowLengthMm;
    window.depthMm = c.windowDepthMm;
    for (size_t k = 0; k < c.steps.size(); ++k) {
        const Step& step = c.steps[k];
        const Winding& w = c.windings[size_t(step.winding)];
        report::SectionBand band;
        band.kind = bandKind(w.kind);
        band.label = QStringLiteral("W%1 ").arg(k + 1) + stepName(c, step);
        band.depthMm = step.depthMm;
        band.marginMm = step.marginMm;
        band.wireMm = w.outerMm;
        band.strands = w.strands;
        band.turns = step.turns;
        band.turnsPerLayer = step.turnsPerLayer;
        band.layers = step.layers;
        window.bands.append(band);
        report::SectionBand tape;
        tape.depthMm = step.tapeLayers * kTapeLayerMm;
        window.bands.append(tape);
    }
    addDrawing(section, ReportBlock::Kind::CrossSection);
    addRow(section, Tr::tr("绕组总厚度"), fixed(c.buildMm, 2), QStringLiteral("mm"));
    addRow(section, Tr::tr("窗口宽度"), fixed(c.windowDepthMm, 2), QStringLiteral("mm"));
    const int percent = int(std::lround(c.buildMm / c.windowDepthMm * 100.0));
    addRow(section, Tr::tr("判定"),
           (c.fits ? Tr::tr("放得下，占窗口宽度的%1%") : Tr::tr("放不下，需窗口宽度的%1%"))
               .arg(percent));
    return section;
}

ReportSection gapSection(const Construction& c) {
    ReportSection section;
    section.title = Tr::tr(kGapTitle);
    if (!c.alNh) {
        addText(section, Tr::tr("缺少初级电感量或匝数，无法给出AL"));
        return section;
    }
    const double al = *c.alNh;
    const QString formula = QStringLiteral("Lp ÷ N1² = %1 mH ÷ %2² = %3 nH/N²")
                                .arg(fixed(c.pushPull ? c.inductanceMh / 4.0 : c.inductanceMh, 3),
                                     plain(c.windings.front().turns), check::significantText(al));
    if (!c.storesEnergy) {
        addRow(section, Tr::tr("磁芯"), Tr::tr("不开气隙，配合面研磨平整"));
        addRow(section, Tr::tr("电感系数AL"), QStringLiteral("≥ ") + check::significantText(al),
               QStringLiteral("nH/N²"));
        addRow(section, Tr::tr("计算"), formula);
        return section;
    }
    const Band band = *c.alBand();
    addRow(section, Tr::tr("电感系数AL"),
           QStringLiteral("%1 ±%2%").arg(check::significantText(al)).arg(kAlTolerancePercent),
           QStringLiteral("nH/N²"));
    addRow(
        section, Tr::tr("AL范围"),
        check::significantText(band.low) + QStringLiteral("～") + check::significantText(band.high),
        QStringLiteral("nH/N²"));
    addRow(section, Tr::tr("计算"), formula);
    if (!c.gapText.isEmpty()) {
        addRow(section, Tr::tr("中柱气隙（参考）"), c.gapText);
    }
    addText(section, Tr::tr("以AL验收磁芯；气隙长度仅作中柱研磨的参考。"));
    return section;
}

ReportSection testSection(const Construction& c) {
    ReportSection section;
    section.title = Tr::tr(kTestTitle);
    ReportTable tests;
    tests.headings = {Tr::tr("测试项目"), Tr::tr("测试脚"), Tr::tr("条件"), Tr::tr("要求")};
    const QString signal =
        Tr::tr("%1 kHz，%2 V").arg(plain(c.testFrequencyKHz), plain(c.testVoltageV));
    tests.rows.append({Tr::tr("初级电感量Lp"), c.inductancePins, signal + Tr::tr("，其余绕组开路"),
                       inductanceRequirement(c)});
    if (const std::optional<double> max = c.leakageMaxUh()) {
        tests.rows.append(
            {Tr::tr("漏感Llk"), c.inductancePins,
             signal + Tr::tr("，") + c.shortedPins.join(Tr::tr("、")) + Tr::tr("短路"),
             QStringLiteral("≤ %1 µH").arg(plain(*max))});
    }
    for (const HipotTest& hipot : c.hipot) {
        tests.rows.append({Tr::tr("耐压Hi-Pot"), hipot.pins,
                           hipot.pair + Tr::tr("：") + hipot.between, hipot.requirement});
    }
    for (const ResistanceTest& dcr : c.resistance) {
        tests.rows.append(
            {Tr::tr("直流电阻DCR"), dcr.pins, dcr.winding + Tr::tr("，20 ℃"),
             Tr::tr("≤ %1 Ω（设计%2 Ω +%3%）")
                 .arg(check::significantText(dcr.maxOhm), check::significantText(dcr.nominalOhm))
                 .arg(kResistanceTolerancePercent)});
    }
    addTable(section, Tr::tr("电气测试表"), tests);
    if (c.leakageUh) {
        addText(section,
                Tr::tr("漏感按一维估算：磁场沿绕组层长均匀，Llk = μ0 × N² × MLT ÷ "
                       "%1 mm × Σ∫f²dx ≈ %2 µH（N为所测初级匝数，层长取各步挡墙间的平均长度，"
                       "f为各层间安匝）；与实测通常相差±%3%以内，上限取估算值的%4倍，"
                       "向上取两位有效数字。")
                    .arg(fixed(c.leakageBreadthMm, 2), check::significantText(*c.leakageUh))
                    .arg(kLeakageAccuracyPercent)
                    .arg(plain(1.0 + kLeakageAccuracyPercent / 100.0)));
    } else {
        addText(section, Tr::tr("漏感：") + c.leakageMissing);
    }
    if (!c.hipotMissing.isEmpty()) {
        addText(section, Tr::tr("耐压：") + c.hipotMissing);
    }
    return section;
}

}  // namespace

QString wireText(const Winding& w) {
    const QString wire =
        humanText(QString::fromUtf8(w.tripleInsulated ? kTripleInsulatedWire : kEnamelledWire));
    const QString diameter = QStringLiteral("φ") + fixed(w.strandMm, 2);
    return (w.strands > 1 ? QStringLiteral("%1×").arg(w.strands) + diameter : diameter) +
           QStringLiteral(" ") + wire;
}

QString inductanceRequirement(const Construction& c) {
    const QString nominal = fixed(c.inductanceMh, 3);
    if (!c.storesEnergy) {
        return QStringLiteral("≥ %1 mH").arg(nominal);
    }
    const Band band = c.inductanceBand();
    return Tr::tr("%1 mH ±%2%（%3～%4 mH）")
        .arg(nominal)
        .arg(kInductanceTolerancePercent)
        .arg(fixed(band.low, 3), fixed(band.high, 3));
}

void appendConstructionSheet(report::DesignReport& report, const Construction& c,
                             const check::CheckResult& check, const QString& staleNotice) {
    if (check.failCount > 0) {
        QStringList failing;
        for (const check::CheckItem& item : check.items) {
            if (item.verdict == check::Verdict::Fail) {
                failing.append(item.caption);
            }
        }
        report.banner = Tr::tr("设计校核有%1项不合格：%2。修改设计之前，本规格书不得用于生产。")
                            .arg(check.failCount)
                            .arg(failing.join(Tr::tr("、")));
    }
    for (const Winding& w : c.windings) {
        report.diagram.append({w.name, w.turns > 0.0 ? turnsText(w) + u'T' : QString(), w.startPin,
                               w.hasTap ? w.tapPin : QString(), w.finishPin, w.primarySide});
    }
    report.sections.append(diagramSection(c, staleNotice));
    if (!c.complete()) {
        ReportSection section;
        section.title = Tr::tr(kWindingTitle);
        addText(section, Tr::tr("绕制说明、截面、气隙和测试无法给出：") + c.missing);
        report.sections.append(section);
        return;
    }
    report.sections.append(windingSection(c));
    report.sections.append(crossSection(c, report.window));
    report.sections.append(gapSection(c));
    report.sections.append(testSection(c));
}

}  // namespace kelvane::construction
