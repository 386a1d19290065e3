#include "engine/report/design_report.h"

#include "engine/base/language.h"
#include "engine/base/number_text.h"
#include "engine/sheet/design_sheet.h"

#include <QCoreApplication>

namespace kelvane::report {

using sheet::Check;
using sheet::DesignSheet;
using sheet::Field;
using sheet::Table;

namespace {

// The texts for a person, in the engineer's language.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(kelvane::report)
};

QString notChosenText() {
    return Tr::tr(kNotChosen);
}

class SectionWriter {
public:
    SectionWriter(const DesignSheet& sheet, const QString& title) : m_sheet(sheet) {
        m_section.title = title;
    }

    // A row with the field's text; an empty field gives no row.
    void field(const QString& label, Field field, const QString& unit = QString()) {
        text(label, m_sheet.text(field), unit);
    }
    void text(const QString& label, const QString& value, const QString& unit = QString()) {
        // A catalogue's or a message's Chinese in the reader's language.
        const QString shown = humanText(trimBlanks(value));
        if (!shown.isEmpty()) {
            rowsBlock().rows.append({label, shown, unit});
        }
    }
    void notChosen(const QString& label) {
        rowsBlock().rows.append({label, notChosenText(), QString()});
    }
    void line(const QString& text) {
        ReportBlock block;
        block.kind = ReportBlock::Kind::Text;
        block.text = text;
        m_section.blocks.append(block);
    }
    void table(const QString& heading, const ReportTable& table) {
        ReportBlock block;
        block.kind = ReportBlock::Kind::Table;
        block.heading = heading;
        block.table = table;
        m_section.blocks.append(block);
    }
    void picture(const QString& file) {
        ReportBlock block;
        block.kind = ReportBlock::Kind::Picture;
        block.text = file;
        m_section.blocks.append(block);
    }
    void waveform() {
        ReportBlock block;
        block.kind = ReportBlock::Kind::Waveform;
        m_section.blocks.append(block);
    }
    [[nodiscard]] ReportSection take() { return std::move(m_section); }

private:
    ReportBlock& rowsBlock() {
        if (m_section.blocks.isEmpty() || m_section.blocks.last().kind != ReportBlock::Kind::Rows) {
            m_section.blocks.append(ReportBlock{});
        }
        return m_section.blocks.last();
    }

    const DesignSheet& m_sheet;
    ReportSection m_section;
};

QString circuitText(const DesignSheet& sheet) {
    const std::optional<sheet::Circuit> circuit = sheet::chosenCircuit(sheet);
    if (!circuit) {
        return notChosenText();
    }
    QString text = *circuit == sheet::Circuit::Flyback   ? Tr::tr("储能变压器")
                   : *circuit == sheet::Circuit::Forward ? Tr::tr("正激(双极性变换)")
                                                         : Tr::tr("RCC变压器");
    if (sheet.isChecked(Check::Check1)) {
        text += Tr::tr("，推挽全、全桥");
    }
    return text;
}

// The area product the design needs, without the unit the window appends:
// the report writes every unit one way.
QString areaProductNumber(const DesignSheet& sheet) {
    QString text = sheet.areaProductText();
    const QString unit = QStringLiteral("MM^4");
    if (text.endsWith(unit)) {
        text.chop(unit.size());
    }
    return text;
}

bool hasCore(const DesignSheet& sheet) {
    return !trimBlanks(sheet.text(Field::TxtCoreSize)).isEmpty();
}

bool hasMaterial(const DesignSheet& sheet) {
    return !trimBlanks(sheet.text(sheet::materialField(sheet::MaterialColumn::Type))).isEmpty();
}

ReportSection requirements(const DesignSheet& sheet) {
    SectionWriter section(sheet, Tr::tr("1 设计要求"));
    section.text(Tr::tr("电路形式"), circuitText(sheet));
    section.field(Tr::tr("最低交流输入电压UacMin"), Field::TxtUmin, QStringLiteral("V"));
    section.field(Tr::tr("输入电压Udc"), Field::txtudc, QStringLiteral("V"));
    section.field(Tr::tr("工作频率F"), Field::TxtF, QStringLiteral("kHz"));
    section.field(Tr::tr("开关占空比D"), Field::txtd);
    section.field(Tr::tr("变换效率η"), Field::TXTN);
    const sheet::Grid& outputs = sheet.grid(Table::MS);
    ReportTable table;
    table.headings = {QStringLiteral("NO."), Tr::tr("输出电压V"), Tr::tr("工作电流A"),
                      Tr::tr("线路压降V"), Tr::tr("功率W")};
    for (int row = 1; row < outputs.rowCount(); ++row) {
        QStringList cells;
        bool any = false;
        for (int column = 0; column < sheet::kOutputColumnCount; ++column) {
            cells.append(outputs.cell(row, column));
            any = any || (column > 0 && !trimBlanks(cells.last()).isEmpty());
        }
        if (any) {
            table.rows.append(cells);
        }
    }
    if (table.rows.isEmpty()) {
        section.line(Tr::tr("输出：无"));
    } else {
        section.table(Tr::tr("次级输出"), table);
    }
    section.field(Tr::tr("总输出功率Pout"), Field::txtp, QStringLiteral("W"));
    section.field(Tr::tr("输入功率Pint"), Field::txtpint, QStringLiteral("W"));
    return section.take();
}

ReportSection primarySide(const DesignSheet& sheet) {
    SectionWriter section(sheet, Tr::tr("2 初级侧"));
    section.field(Tr::tr("全周期Ts"), Field::Txtts, QStringLiteral("µs"));
    section.field(Tr::tr("导通时间Ton"), Field::Txtton, QStringLiteral("µs"));
    section.field(Tr::tr("Ts平均输入电流Is"), Field::txtis, QStringLiteral("A"));
    // The forward design computes neither Im nor Ip1 nor Ipk; what those
    // fields still hold belongs to an earlier circuit type.
    const bool forward = sheet.isChecked(Check::Option2);
    if (!forward) {
        section.field(Tr::tr("Ton导通电流Im"), Field::txtim, QStringLiteral("A"));
        section.field(Tr::tr("导通初期电流Ip1"), Field::txtip1, QStringLiteral("A"));
        section.field(Tr::tr("导通峰值电流Ipk"), Field::txtipk, QStringLiteral("A"));
        section.field(QStringLiteral("Ipk/Ip1"), Field::txtipkip1);
    }
    section.field(Tr::tr("导通电流变化量Δi"), Field::txtdi, QStringLiteral("A"));
    section.field(Tr::tr("原边电感量Lp"), Field::txtlp, QStringLiteral("mH"));
    if (forward) {
        section.line(Tr::tr("正激电路不计算Im、Ip1、Ipk。"));
    }
    section.waveform();
    return section.take();
}

ReportSection coreAndMaterial(const DesignSheet& sheet, const ReportContext& context) {
    SectionWriter section(sheet, Tr::tr("3 磁芯与磁材"));
    if (hasCore(sheet)) {
        section.field(Tr::tr("磁芯规格"), Field::TxtCoreSize);
        section.field(Tr::tr("生产厂家"), Field::TxtCoreFactory);
        section.text(Tr::tr("数据来源"), context.coreOrigin);
        ReportTable dimensions;
        dimensions.headings = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                               QStringLiteral("D"), QStringLiteral("E"), QStringLiteral("F")};
        dimensions.rows.append({sheet.text(Field::TxtcoreA), sheet.text(Field::TxtcoreB),
                                sheet.text(Field::TxtCoreC), sheet.text(Field::TxtCoreD),
                                sheet.text(Field::TxtCoreE), sheet.text(Field::TxtCoreF)});
        section.table(Tr::tr("磁芯尺寸(mm)"), dimensions);
        const QString picture = sheet.caption(QStringLiteral("Img2"));
        if (!picture.isEmpty()) {
            section.picture(picture);
        }
        section.field(Tr::tr("中柱面积Ae"), Field::TxtCoreAe, QStringLiteral("mm²"));
        section.field(Tr::tr("磁路长度Le"), Field::TxtCoreLe, QStringLiteral("mm"));
        section.field(Tr::tr("体积Ve"), Field::TxtCoreVe, QStringLiteral("cm³"));
        section.field(Tr::tr("绕线面积Aw"), Field::TxtCoreAw, QStringLiteral("mm²"));
        section.field(Tr::tr("匝长"), Field::TxtBZC, QStringLiteral("mm"));
        section.field(Tr::tr("磁芯重量"), Field::TxtCoreWeigh, QStringLiteral("g/set"));
        section.text(Tr::tr("所需面积积AP"), areaProductNumber(sheet), QStringLiteral("mm⁴"));
        section.text(Tr::tr("磁芯面积积AP"), context.coreAreaProductMm4, QStringLiteral("mm⁴"));
    } else {
        section.notChosen(Tr::tr("磁芯"));
        section.text(Tr::tr("所需面积积AP"), areaProductNumber(sheet), QStringLiteral("mm⁴"));
    }
    if (hasMaterial(sheet)) {
        section.field(Tr::tr("材质名称"), sheet::materialField(sheet::MaterialColumn::Type));
        section.field(Tr::tr("磁材类型"), sheet::materialField(sheet::MaterialColumn::Application));
        section.field(Tr::tr("磁材厂家"), sheet::materialField(sheet::MaterialColumn::Factory));
        QString ui = trimBlanks(
            sheet.text(sheet::materialField(sheet::MaterialColumn::InitialPermeability)));
        const QString tolerance =
            trimBlanks(sheet.text(sheet::materialField(sheet::MaterialColumn::Tolerance)));
        if (!ui.isEmpty() && !tolerance.isEmpty()) {
            ui += QStringLiteral(" ±") + tolerance + QStringLiteral("%");
        }
        section.text(Tr::tr("初始磁导率Ui"), ui);
        section.field(Tr::tr("饱和磁通密度Bs"),
                      sheet::materialField(sheet::MaterialColumn::FluxDensity),
                      QStringLiteral("mT"));
        section.field(Tr::tr("剩余磁通密度Br"),
                      sheet::materialField(sheet::MaterialColumn::Remanence), QStringLiteral("mT"));
    } else {
        section.notChosen(Tr::tr("磁材"));
    }
    section.field(Tr::tr("Bm设计取值"), Field::txtbm, QStringLiteral("mT"));
    section.field(Tr::tr("功率损耗PL(体积)"), Field::txtpl, QStringLiteral("mW/cm³"));
    section.field(Tr::tr("功率损耗PL(重量)"), Field::TXTPLG, QStringLiteral("mW/g"));
    if (hasCore(sheet) && hasMaterial(sheet)) {
        section.field(Tr::tr("磁芯损耗"), Field::TxtCorePl, QStringLiteral("W"));
    }
    return section.take();
}

// The fill factor against the limit the chosen standard's column sets for
// it; the standard itself says nothing of the fill.
QString fillVerdict(const DesignSheet& sheet, const ReportContext& context) {
    const auto colour = sheet.color(Field::TxtKwin);
    if (!colour || (*colour != sheet::kGreen && *colour != sheet::kRed)) {
        return QString();
    }
    const QString limit = context.fillLimit.isEmpty() ? QString() : u' ' + context.fillLimit;
    return (*colour == sheet::kGreen ? Tr::tr("低于") : Tr::tr("不低于")) +
           Tr::tr("所选标准的占积率上限") + limit;
}

ReportSection windings(const DesignSheet& sheet, const ReportContext& context) {
    SectionWriter section(sheet, Tr::tr("4 绕组"));
    if (!context.staleNotice.isEmpty()) {
        section.line(context.staleNotice);
    }
    const sheet::Grid& grid = sheet.grid(Table::MSwin);
    ReportTable table;
    table.headings = {Tr::tr("绕组"),           Tr::tr("匝数(T)"),   Tr::tr("线径φ(mm)"),
                      QStringLiteral("DCR(Ω)"), Tr::tr("压降Δu(V)"), Tr::tr("损耗Pcu(W)"),
                      Tr::tr("线重W(g)")};
    for (int row = 0; row < grid.rowCount(); ++row) {
        QStringList cells;
        bool any = false;
        for (int column = 0; column < sheet::kWindingColumnCount; ++column) {
            cells.append(trimBlanks(grid.cell(row, column)));
            any = any || (column > 0 && !cells.last().isEmpty());
        }
        // The primary's name cell is the engineer's; unnamed, it is N1.
        if (row == 0 && cells[0].isEmpty()) {
            cells[0] = QStringLiteral("N1");
        }
        if (any) {
            table.rows.append(cells);
        }
    }
    if (table.rows.isEmpty()) {
        section.line(Tr::tr("绕组：未计算（按“变压器设计结果”计算）"));
        return section.take();
    }
    section.table(Tr::tr("绕组表"), table);
    section.field(Tr::tr("绕组用铜总量"), Field::TxtCuWeigh, QStringLiteral("g"));
    section.field(Tr::tr("绕组损耗Pcu"), Field::TxtWinLost, QStringLiteral("W"));
    section.field(Tr::tr("绕组占积率"), Field::TxtKwin);
    section.text(Tr::tr("占积率判定"), fillVerdict(sheet, context));
    section.field(Tr::tr("电感系数AL"), Field::TxtAl);
    section.field(Tr::tr("标准AL"), Field::TxtSAl);
    section.field(Tr::tr("有效导磁率Ue"), Field::TxtUe);
    section.field(Tr::tr("气隙GAP"), Field::TxtGap);
    return section.take();
}

ReportSection lossesAndTemperature(const DesignSheet& sheet, const ReportContext& context) {
    SectionWriter section(sheet, Tr::tr("5 损耗与温升"));
    if (!context.staleNotice.isEmpty()) {
        section.line(context.staleNotice);
    }
    // Without a core the core loss the window shows is a zero of no core.
    if (hasCore(sheet)) {
        section.field(Tr::tr("磁芯损耗"), Field::TxtCorePl, QStringLiteral("W"));
    } else {
        section.notChosen(Tr::tr("磁芯"));
    }
    section.field(Tr::tr("绕组损耗Pcu"), Field::TxtWinLost, QStringLiteral("W"));
    section.field(Tr::tr("变压器总损耗PT"), Field::TxtTranLost);
    section.field(Tr::tr("变压器模拟温升"), Field::TxtTempUp);
    section.text(Tr::tr("绝缘等级"),
                 sheet.text(Field::Combo1) + QStringLiteral(" ") + sheet.text(Field::Text13));
    section.field(Tr::tr("环境温度"), Field::TXTTEMP20, QStringLiteral("℃"));
    section.field(Tr::tr("允许温升"), Field::TXTTEMPD, QStringLiteral("℃"));
    const QString rise = trimBlanks(sheet.text(Field::TxtTempUp));
    const QString allowed = trimBlanks(sheet.text(Field::TXTTEMPD));
    // A rise the results could not estimate reads "℃" alone: no verdict.
    if (!rise.isEmpty() && rise.front().isDigit() && !allowed.isEmpty()) {
        const bool within = parseNumber(rise) <= parseNumber(allowed);
        section.text(Tr::tr("温升判定"),
                     within ? Tr::tr("不超过允许温升") : Tr::tr("超出允许温升"));
    }
    return section.take();
}

ReportSection safety(const DesignSheet& sheet) {
    SectionWriter section(sheet, Tr::tr("6 安全要求"));
    const QString standard = trimBlanks(sheet.text(Field::TxtHipot));
    if (standard.isEmpty()) {
        section.notChosen(Tr::tr("安全标准"));
    } else {
        section.text(Tr::tr("安全标准"), standard);
    }
    section.text(Tr::tr("绝缘等级"),
                 sheet.text(Field::Combo1) + QStringLiteral(" ") + sheet.text(Field::Text13));
    section.field(Tr::tr("最小爬电距离"), Field::TxtMargin);

    struct Hipot {
        const char16_t* label;
        Field field;
    };
    static constexpr Hipot kHipots[] = {
        {u"Pir Vs Sec", Field::TxtHipotPs},  {u"Pir Vs Pri", Field::TxtHipotPP},
        {u"Pir Vs Core", Field::TxtHipotPc}, {u"Sec Vs Core", Field::TxtHipotSc},
        {u"Sec Vs Sec", Field::TxtHipotSS},
    };
    for (const Hipot& hipot : kHipots) {
        section.field(QString::fromUtf16(hipot.label), hipot.field);
    }
    return section.take();
}

}  // namespace

const ReportRow* ReportSection::row(const QString& label) const {
    for (const ReportBlock& block : blocks) {
        for (const ReportRow& row : block.rows) {
            if (row.label == label) {
                return &row;
            }
        }
    }
    return nullptr;
}

const ReportBlock* ReportSection::block(ReportBlock::Kind kind) const {
    for (const ReportBlock& block : blocks) {
        if (block.kind == kind) {
            return &block;
        }
    }
    return nullptr;
}

QStringList ReportSection::texts() const {
    QStringList texts;
    for (const ReportBlock& block : blocks) {
        for (const ReportRow& row : block.rows) {
            texts.append(row.label + QLatin1Char(' ') + row.value + QLatin1Char(' ') + row.unit);
        }
        if (!block.heading.isEmpty()) {
            texts.append(block.heading);
        }
        for (const QStringList& cells : block.table.rows) {
            texts.append(cells.join(QLatin1Char(' ')));
        }
        if (block.kind == ReportBlock::Kind::Text) {
            texts.append(block.text);
        }
    }
    return texts;
}

const ReportSection* DesignReport::section(const QString& title) const {
    for (const ReportSection& candidate : sections) {
        if (candidate.title == title) {
            return &candidate;
        }
    }
    return nullptr;
}

DesignReport buildDesignReport(const DesignSheet& sheet, const ReportContext& context) {
    DesignReport report;
    report.title = Tr::tr("开关变压器设计报告");
    report.designFileName =
        context.designFileName.isEmpty() ? Tr::tr("（未保存的设计）") : context.designFileName;
    report.dateText = context.date.toString(QStringLiteral("yyyy-MM-dd"));
    report.sections = {requirements(sheet),
                       primarySide(sheet),
                       coreAndMaterial(sheet, context),
                       windings(sheet, context),
                       lossesAndTemperature(sheet, context),
                       safety(sheet)};
    report.waveform = primaryWaveform(waveformTexts(sheet));
    return report;
}

}  // namespace kelvane::report
