#include "wire/wire_fields.h"

namespace kelvane::wire {

const QVector<WireFieldDefault>& wireFieldDefaults() {
    static const QVector<WireFieldDefault> defaults = [] {
        QVector<WireFieldDefault> list;
        const auto add = [&list](const char* name, const QString& text = QString()) {
            list.append({QString::fromLatin1(name), text});
        };
        add("CmbWire", QStringLiteral("铜线"));
        add("TxtWireD");
        add("TxtWireS");
        add("TxtWireOM");
        add("TxtWireLeng", QStringLiteral("1"));
        add("TxtWireDCR");
        add("TxtWireWeig");
        add("TxtAwg");
        add("TxtI");
        add("TxtJ");
        add("TxtLitzD");
        add("TxtLitzP");
        add("TxtLitzS");
        add("TxtLitzLeng", QStringLiteral("1"));
        add("TxtLitzDCR");
        add("TxtLitzWeig");
        add("TxtFoilTh");
        add("TxtFoilWd");
        add("TxtFoilS");
        add("TxtFoilLeng", QStringLiteral("1"));
        add("TxtFoilDCR");
        add("TxtFoilWeig");
        add("TxtF");
        add("TxtHfT");
        add("TxtHftMax");
        add("TxtRac");
        add("TxtR");
        add("Txt1");
        return list;
    }();
    return defaults;
}

}  // namespace kelvane::wire
