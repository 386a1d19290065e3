#pragma once

// The text fields of the design window FrmFanji: control name, text at
// opening, and how the engineer may edit it. `User`: typed by the engineer;
// `Both`: typed and rewritten by the program; `ShownByUse`: typeable, but the
// program writes it as a result; `Shown`: display only; `Material`: a field of
// the material record, typeable only while the maintenance mode enables it.
// X(identifier, control name, default text, edit kind)
#define KELVANE_DESIGN_FIELDS(X)                    \
    /* page 0: primary-side settings */             \
    X(TxtUmin, "TxtUmin", "85", User)               \
    X(txtudc, "txtudc", "310", Both)                \
    X(TxtF, "TxtF", "30", User)                     \
    X(txtd, "txtd", "0.5", User)                    \
    X(Txtts, "Txtts", "0.5", Both)                  \
    X(Txtton, "Txtton", "0.5", Both)                \
    /* page 0: secondary outputs */                 \
    X(txtuoutput, "txtuoutput", "12", User)         \
    X(TxtIoutput, "TxtIoutput", "1", User)          \
    X(TXTDIO, "TXTDIO", "0.7", User)                \
    X(Txtpout, "Txtpout", "12", Shown)              \
    X(txtno, "txtno", "1", Shown)                   \
    X(txtp, "txtp", "", Both)                       \
    X(TXTN, "TXTN", "0.85", User)                   \
    X(txtpint, "txtpint", "", Both)                 \
    /* page 0: primary current waveform (Frmele) */ \
    X(txtis, "txtis", "", Shown)                    \
    X(txtim, "txtim", "", Shown)                    \
    X(txtip1, "txtip1", "", Shown)                  \
    X(txtipkip1, "txtipkip1", "3", Both)            \
    X(txtipk, "txtipk", "", Shown)                  \
    X(txtdi, "txtdi", "", Shown)                    \
    /* page 0: hipot and insulation */              \
    X(TXTTEMP20, "TXTTEMP20", "25", User)           \
    X(TXTTEMPD, "TXTTEMPD", "45", User)             \
    X(Text13, "Text13", "", ShownByUse)             \
    X(Combo1, "Combo1", "Class B", User)            \
    X(TxtMargin, "TxtMargin", "", ShownByUse)       \
    X(TxtHipot, "TxtHipot", "", ShownByUse)         \
    X(TxtHipotPs, "TxtHipotPs", "", Both)           \
    X(TxtHipotPP, "TxtHipotPP", "", Both)           \
    X(TxtHipotPc, "TxtHipotPc", "", Both)           \
    X(TxtHipotSc, "TxtHipotSc", "", Both)           \
    X(TxtHipotSS, "TxtHipotSS", "", Both)           \
    /* page 1: material record (Data1) */           \
    X(TxtApp0, "TxtApp(0)", "", Material)           \
    X(TxtApp1, "TxtApp(1)", "", Material)           \
    X(TxtApp2, "TxtApp(2)", "", Material)           \
    X(TxtApp3, "TxtApp(3)", "", Material)           \
    X(TxtApp4, "TxtApp(4)", "", Material)           \
    X(TxtApp5, "TxtApp(5)", "", Material)           \
    X(TxtApp6, "TxtApp(6)", "", Material)           \
    X(TxtApp7, "TxtApp(7)", "", Material)           \
    X(TxtApp8, "TxtApp(8)", "", Material)           \
    X(TxtApp9, "TxtApp(9)", "", Material)           \
    X(TxtApp10, "TxtApp(10)", "", Material)         \
    X(TxtApp11, "TxtApp(11)", "", Material)         \
    X(TxtApp12, "TxtApp(12)", "", Material)         \
    X(TxtApp13, "TxtApp(13)", "", Material)         \
    X(TxtApp14, "TxtApp(14)", "", Material)         \
    X(TxtApp15, "TxtApp(15)", "", Material)         \
    X(TxtApp16, "TxtApp(16)", "", Material)         \
    X(TxtApp17, "TxtApp(17)", "", Material)         \
    X(TxtApp18, "TxtApp(18)", "", Material)         \
    X(TxtApp19, "TxtApp(19)", "", Material)         \
    X(TxtApp20, "TxtApp(20)", "", Material)         \
    X(TxtApp21, "TxtApp(21)", "", Material)         \
    X(TxtApp22, "TxtApp(22)", "", Material)         \
    X(TxtApp23, "TxtApp(23)", "", Material)         \
    X(TxtApp24, "TxtApp(24)", "", Material)         \
    X(TxtApp25, "TxtApp(25)", "", Material)         \
    X(Text1, "Text1", "", User)                     \
    X(Text2, "Text2", "", ShownByUse)               \
    X(txtbm, "txtbm", "", User)                     \
    X(txtpl, "txtpl", "", Both)                     \
    X(TXTPLG, "TXTPLG", "", Both)                   \
    X(TxtJ, "TxtJ", "5", User)                      \
    /* page 1: core (Data2) */                      \
    X(TXTCOREPOWER, "TXTCOREPOWER", "", ShownByUse) \
    X(cmbcore, "cmbcore", "EE", User)               \
    X(TXTCORE, "TXTCORE", "", User)                 \
    X(TxtCoreSize, "TxtCoreSize", "", Shown)        \
    X(TxtCoreAe, "TxtCoreAe", "", Shown)            \
    X(TxtCoreLe, "TxtCoreLe", "", Shown)            \
    X(TxtCoreAw, "TxtCoreAw", "", Shown)            \
    X(TxtCoreVe, "TxtCoreVe", "", Shown)            \
    X(TxtCoreWeigh, "TxtCoreWeigh", "", Shown)      \
    X(TxtCorePl, "TxtCorePl", "", Shown)            \
    X(TxtBZC, "TxtBZC", "", User)                   \
    X(TxtCoreFactory, "TxtCoreFactory", "", User)   \
    /* page 2: design results */                    \
    X(txtlp, "txtlp", "", Shown)                    \
    X(TxtCuWeigh, "TxtCuWeigh", "", ShownByUse)     \
    X(TxtWinLost, "TxtWinLost", "", ShownByUse)     \
    X(TxtCoreSc, "TxtCoreSc", "", ShownByUse)       \
    X(TxtTranLost, "TxtTranLost", "", ShownByUse)   \
    X(TxtTempUp, "TxtTempUp", "", ShownByUse)       \
    X(TxtTransP, "TxtTransP", "", ShownByUse)       \
    X(TxtUe, "TxtUe", "", ShownByUse)               \
    X(TxtAl, "TxtAl", "", ShownByUse)               \
    X(TxtGap, "TxtGap", "", ShownByUse)             \
    X(TxtSAl, "TxtSAl", "", ShownByUse)             \
    X(TxtKwin, "TxtKwin", "", Both)                 \
    X(TxtcoreA, "TxtcoreA", "", Shown)              \
    X(TxtcoreB, "TxtcoreB", "", Shown)              \
    X(TxtCoreC, "TxtCoreC", "", Shown)              \
    X(TxtCoreD, "TxtCoreD", "", Shown)              \
    X(TxtCoreE, "TxtCoreE", "", Shown)              \
    X(TxtCoreF, "TxtCoreF", "", Shown)

// The option buttons and the check box. X(identifier, control name)
#define KELVANE_DESIGN_CHECKS(X) \
    X(Option1, "Option1")        \
    X(Option2, "Option2")        \
    X(Option3, "Option3")        \
    X(OptIEC, "OptIEC")          \
    X(OptUL, "OptUL")            \
    X(OptVDE, "OptVDE")          \
    X(OptSelf, "OptSelf")        \
    X(Check1, "Check1")

// Buttons and menu items. X(identifier, control name)
#define KELVANE_DESIGN_COMMANDS(X) \
    X(Command1, "Command1")        \
    X(Command2, "Command2")        \
    X(Command3, "Command3")        \
    X(Command4, "Command4")        \
    X(Command5, "Command5")        \
    X(Command6, "Command6")        \
    X(Command7, "Command7")        \
    X(Command8, "Command8")        \
    X(Command9, "Command9")        \
    X(Command10, "Command10")      \
    X(Command12, "Command12")      \
    X(Command13, "Command13")      \
    X(Command14, "Command14")      \
    X(Command15, "Command15")      \
    X(Command16, "Command16")      \
    X(OPENS, "OPENS")              \
    X(SAVE, "SAVE")                \
    X(PR, "PR")                    \
    X(Exit, "Exit")                \
    X(TOOL, "TOOL")                \
    X(HE, "HE")

// The columns of the material record, in the order of the fields TxtApp(0)
// to TxtApp(25) that show them: the catalogue's column name, and whether it
// holds text or a number. The loss columns are PL at 200 mT by frequency
// and core temperature; HZBM25 to HZBM500 head the three loss blocks.
// X(identifier, catalogue column, column type)
#define KELVANE_MATERIAL_COLUMNS(X)                       \
    X(Application, "Application", Text)                   \
    X(Type, "Type", Text)                                 \
    X(InitialPermeability, "InitialPermeability", Number) \
    X(CurieTemperature, "CurieTemperature", Number)       \
    X(FluxDensity, "FluxDensity", Number)                 \
    X(Remanence, "Remanence", Number)                     \
    X(Coercivity, "Coercivity", Number)                   \
    X(Resistivity, "Resisitivity", Number)                \
    X(Density, "Density", Number)                         \
    X(Loss25kHz25C, "PL 25kHz 200mT 25c", Number)         \
    X(Loss25kHz60C, "PL 25kHz 200mT 60c", Number)         \
    X(Loss25kHz100C, "PL 25kHz 200mT 100c", Number)       \
    X(Loss25kHz120C, "PL 25kHz 200mT 120c", Number)       \
    X(Loss100kHz25C, "PL 100kHz 200mT 25c", Number)       \
    X(Loss100kHz60C, "PL 100kHz 200mT 60c", Number)       \
    X(Loss100kHz100C, "PL 100kHz 200mT 100c", Number)     \
    X(Loss100kHz120C, "PL 100kHz 200mT 120c", Number)     \
    X(Loss500kHz25C, "PL 500kHz 200mT 25c", Number)       \
    X(Loss500kHz60C, "PL 500kHz 200mT 60c", Number)       \
    X(Loss500kHz100C, "PL 500kHz 200mT 100c", Number)     \
    X(Loss500kHz120C, "PL 500kHz 200mT 120c", Number)     \
    X(Factory, "Factory", Text)                           \
    X(Tolerance, "Tolerance(%)", Number)                  \
    X(Heading25kHz, "HZBM25", Text)                       \
    X(Heading100kHz, "HZBM100", Text)                     \
    X(Heading500kHz, "HZBM500", Text)
