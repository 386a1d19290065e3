#include "wire/wire_fields.h"

#include "wire/wire_calculator.h"

namespace kelvane::wire {

const QVector<WireFieldDefault>& wireFieldDefaults() {
    static const QVector<WireFieldDefault> defaults = [] {
        QVector<WireFieldDefault> list;
        for (const QString& name : WireCalculator::fieldNames()) {
            list.append({name, WireCalculator::defaultText(name)});
        }
        return list;
    }();
    return defaults;
}

}  // namespace kelvane::wire
