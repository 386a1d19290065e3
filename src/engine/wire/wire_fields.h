#pragma once

#include <QString>
#include <QVector>

namespace kelvane::wire {

struct WireFieldDefault {
    QString name;  // control name without the window prefix
    QString text;  // text of the window layout
};

// The text fields of the wire calculator FrmWireTools with the texts they
// hold before the window is first loaded.
[[nodiscard]] const QVector<WireFieldDefault>& wireFieldDefaults();

}  // namespace kelvane::wire
