#pragma once

// The text fields of the wire calculator FrmWireTools, in layout order:
// control name and text at opening (UTF-8). The material list shows its
// first item; the three lengths start at one metre.
// X(identifier, control name, default text)
#define KELVANE_WIRE_FIELDS(X)         \
    /* round wire */                   \
    X(CmbWire, "CmbWire", "铜线")      \
    X(TxtWireD, "TxtWireD", "")        \
    X(TxtWireS, "TxtWireS", "")        \
    X(TxtWireOM, "TxtWireOM", "")      \
    X(TxtWireLeng, "TxtWireLeng", "1") \
    X(TxtWireDCR, "TxtWireDCR", "")    \
    X(TxtWireWeig, "TxtWireWeig", "")  \
    X(TxtAwg, "TxtAwg", "")            \
    X(TxtI, "TxtI", "")                \
    X(TxtJ, "TxtJ", "")                \
    /* litz wire */                    \
    X(TxtLitzD, "TxtLitzD", "")        \
    X(TxtLitzP, "TxtLitzP", "")        \
    X(TxtLitzS, "TxtLitzS", "")        \
    X(TxtLitzLeng, "TxtLitzLeng", "1") \
    X(TxtLitzDCR, "TxtLitzDCR", "")    \
    X(TxtLitzWeig, "TxtLitzWeig", "")  \
    /* copper foil */                  \
    X(TxtFoilTh, "TxtFoilTh", "")      \
    X(TxtFoilWd, "TxtFoilWd", "")      \
    X(TxtFoilS, "TxtFoilS", "")        \
    X(TxtFoilLeng, "TxtFoilLeng", "1") \
    X(TxtFoilDCR, "TxtFoilDCR", "")    \
    X(TxtFoilWeig, "TxtFoilWeig", "")  \
    /* skin effect */                  \
    X(TxtF, "TxtF", "")                \
    X(TxtHfT, "TxtHfT", "")            \
    X(TxtHftMax, "TxtHftMax", "")      \
    X(TxtRac, "TxtRac", "")            \
    X(TxtR, "TxtR", "")                \
    /* the clock's tick counter */     \
    X(Txt1, "Txt1", "")
