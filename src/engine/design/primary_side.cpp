#include "engine/design/primary_side.h"

#include "engine/base/number_text.h"
#include "engine/design/primary_formulas.h"
#include "engine/sheet/design_sheet.h"

#include <QCoreApplication>

namespace kelvane::design {

using sheet::Check;
using sheet::Field;

void PrimarySide::recalcTiming() {
    const std::optional<double> tsUs = periodUs(m_sheet.number(Field::TxtF));
    if (!tsUs) {
        return;  // F <= 0: Txtts and Txtton keep their text
    }
    // Re-entrant on purpose: writing Txtts runs this again, nested; that run
    // writes the same text, so the cascade stops.
    m_sheet.setFixed(Field::Txtts, *tsUs, 1);
    // Ton uses the period as shown: F 56, D 0.4 gives 7.2, not 7.1.
    const double shownTsUs = m_sheet.number(Field::Txtts);
    m_sheet.setFixed(Field::Txtton, m_sheet.number(Field::txtd) * shownTsUs, 1);
}

void PrimarySide::recalcInputPower() {
    const double efficiency = m_sheet.number(Field::TXTN);
    if (efficiency > 0.0) {
        m_sheet.setPlain(Field::txtpint, m_sheet.number(Field::txtp) / efficiency);
    }
    m_sheet.setText(Field::TxtTransP, m_sheet.text(Field::txtp));
}

void PrimarySide::recalcPrimary() {
    if (!(m_sheet.number(Field::TXTN) > 0.0)) {
        return;
    }
    if (m_sheet.isChecked(Check::Option1)) {
        runFlyback();
    } else if (m_sheet.isChecked(Check::Option2)) {
        runForward();
    } else if (m_sheet.isChecked(Check::Option3)) {
        runRcc();
    }
}

void PrimarySide::deriveInputVoltage() {
    const std::optional<QString> shown =
        formatFixed(dcInputVoltage(m_sheet.number(Field::TxtUmin)), 1);
    if (!shown) {
        return;
    }
    if (m_sheet.checkValue(Check::Check1) != 0) {
        // Half of the shown value, not formatted again: 64.35 keeps two decimals.
        m_sheet.setPlain(Field::txtudc, parseNumber(*shown) / 2.0);
    } else {
        m_sheet.setText(Field::txtudc, *shown);
    }
}

void PrimarySide::reformatInputPower() {
    m_sheet.setText(Field::txtpint, formatTextFixed(m_sheet.text(Field::txtpint), 1));
}

void PrimarySide::restoreInputPower() {
    const double efficiency = m_sheet.number(Field::TXTN);
    if (efficiency > 0.0) {
        m_sheet.setFixed(Field::txtpint, m_sheet.number(Field::txtp) / efficiency, 1);
    }
}

void PrimarySide::selectCircuit(Check option) {
    writeUnhalvedInputVoltage();
    if (m_sheet.isChecked(option)) {
        m_sheet.setVisible(QStringLiteral("Frmele"), true);
    }
    switch (option) {
        case Check::Option1:
            reformatInputPower();
            if (m_sheet.isChecked(Check::Option1)) {
                m_sheet.setText(Field::TXTN, QStringLiteral("0.8"));
                runFlyback();
            }
            m_sheet.setEnabled(QStringLiteral("Check1"), false);
            break;
        case Check::Option2:
            m_sheet.setText(Field::TXTN, QStringLiteral("0.85"));
            runForward();
            m_sheet.setEnabled(QStringLiteral("Check1"), true);
            break;
        case Check::Option3:
            m_sheet.setText(Field::TXTN, QStringLiteral("0.6"));
            m_sheet.setText(Field::txtipkip1, QStringLiteral("4"));
            runRcc();
            m_sheet.setEnabled(QStringLiteral("Check1"), false);
            break;
        default:
            break;
    }
}

void PrimarySide::onBridgeClick() {
    m_sheet.setChecked(Check::Option2, 1);
    m_sheet.setCaption(
        QStringLiteral("Check1"),
        m_sheet.checkValue(Check::Check1) != 0
            ? QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "半桥"))
            : QStringLiteral(QT_TRANSLATE_NOOP("kelvane::messages", "推挽全、全桥")));
    writeUnhalvedInputVoltage();
}

void PrimarySide::writeOnCurrents() {
    const double udc = m_sheet.number(Field::txtudc);
    if (udc > 0.0) {
        m_sheet.setFixed(Field::txtis, m_sheet.number(Field::txtpint) / udc, 2);
    }
    const double tonUs = m_sheet.number(Field::Txtton);
    if (tonUs > 0.0) {
        m_sheet.setFixed(Field::txtim,
                         m_sheet.number(Field::txtis) * m_sheet.number(Field::Txtts) / tonUs, 2);
    }
    // Ip1 is half of Im whatever the ratio; the ratio only scales Ipk.
    m_sheet.setFixed(Field::txtip1, m_sheet.number(Field::txtim) * 0.5, 2);
    m_sheet.setFixed(Field::txtipk,
                     m_sheet.number(Field::txtip1) * m_sheet.number(Field::txtipkip1), 2);
}

void PrimarySide::runFlyback() {
    writeOnCurrents();
    m_sheet.setFixed(Field::txtdi, m_sheet.number(Field::txtipk) - m_sheet.number(Field::txtip1),
                     2);
    writeInductance();
}

void PrimarySide::runForward() {
    const double udc = m_sheet.number(Field::txtudc);
    if (udc > 0.0) {
        // The on-current change is taken as 20 % of the average input current.
        m_sheet.setFixed(Field::txtdi, m_sheet.number(Field::txtpint) / udc * 0.2, 2);
        m_sheet.setFixed(Field::txtis, m_sheet.number(Field::txtpint) / udc, 2);
    }
    writeInductance();
}

void PrimarySide::runRcc() {
    // Writing the ratio runs the whole computation once more, nested, when
    // the field held another text.
    m_sheet.setText(Field::txtipkip1, QStringLiteral("4"));
    writeOnCurrents();  // with the ratio 4, Ipk = 2 × Im
    m_sheet.setText(Field::txtdi, formatTextFixed(m_sheet.text(Field::txtipk), 2));
    writeInductance();
}

void PrimarySide::writeInductance() {
    const double deltaAmps = m_sheet.number(Field::txtdi);
    if (deltaAmps != 0.0) {
        m_sheet.setFixed(
            Field::txtlp,
            0.001 * m_sheet.number(Field::Txtton) * m_sheet.number(Field::txtudc) / deltaAmps, 3);
    }
}

void PrimarySide::writeUnhalvedInputVoltage() {
    m_sheet.setFixed(Field::txtudc, dcInputVoltage(m_sheet.number(Field::TxtUmin)), 1);
}

}  // namespace kelvane::design
