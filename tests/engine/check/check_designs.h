#pragma once

#include "../table_rows.h"
#include "engine/check/design_check.h"

#include <QMap>

namespace kelvane::check::testing {

// The worked designs of tests/data/check_designs.tsv by name, each a row:
// name, circuit, half bridge, Vin, f, Lp, η, txtd, TxtUmin, outputs
// "Uo/Io/Ud;…", turns "N1,N2,…" (an empty entry has no value), Ae, Bs.
inline CheckInput designFromRow(const QStringList& c) {
    CheckInput in;
    const QString circuit = c.value(1);
    if (circuit == u"flyback") {
        in.circuit = Circuit::Flyback;
    } else if (circuit == u"forward") {
        in.circuit = Circuit::Forward;
    } else if (circuit == u"rcc") {
        in.circuit = Circuit::Rcc;
    }
    in.halfBridge = c.value(2) == u"1";
    in.vinV = c.value(3).toDouble();
    in.frequencyKHz = c.value(4).toDouble();
    in.inductanceMh = c.value(5).toDouble();
    in.efficiency = c.value(6).toDouble();
    in.designDuty = c.value(7).toDouble();
    in.acMinV = c.value(8).toDouble();
    for (const QString& output : c.value(9).split(u';', Qt::SkipEmptyParts)) {
        const QStringList parts = output.split(u'/');
        in.outputs.push_back(
            {parts.value(0).toDouble(), parts.value(1).toDouble(), parts.value(2).toDouble()});
    }
    for (const QString& turns : c.value(10).split(u',')) {
        CheckWinding winding;
        if (!turns.isEmpty()) {
            winding.turns = turns.toDouble();
        }
        in.windings.push_back(winding);
    }
    in.windings.resize(in.outputs.size() + 1);
    if (!c.value(11).isEmpty()) {
        in.coreName = QStringLiteral("EE");
        in.aeMm2 = c.value(11).toDouble();
    }
    if (!c.value(12).isEmpty()) {
        in.materialChosen = true;
        in.saturationMt = c.value(12).toDouble();
    }
    return in;
}

inline QMap<QString, CheckInput> workedDesigns() {
    QMap<QString, CheckInput> designs;
    for (const tables::TableRow& row : tables::tableRows("check_designs.tsv")) {
        designs.insert(row.columns.value(0), designFromRow(row.columns));
    }
    return designs;
}

inline const CheckItem* findItem(const CheckResult& result, const QString& id) {
    for (const CheckItem& item : result.items) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

}  // namespace kelvane::check::testing
