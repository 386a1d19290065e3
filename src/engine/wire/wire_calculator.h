#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVector>

namespace kelvane {
class Prompter;
}

namespace kelvane::wire {

// The behaviour of the wire calculator FrmWireTools without its pixels:
// round wire, the litz bundle that replaces it, a copper foil of the same
// cross-section and the skin effect at a frequency. The window and the
// design scripts call the same verbs (type, pick, keyDown, click, tick).
//
// Every field holds text and is addressed by its control name (CmbWire,
// TxtWireD, ...). A write that changes a field's text raises the field's
// change handling at once, nested in the writer; writing the text a field
// already holds raises nothing. Fields with change handling: CmbWire
// (round-wire recomputation), TxtLitzD (litz recomputation) and TxtRac
// (the AC resistance TxtR). All numbers are read back from the fields as
// shown, by their leading number.
class WireCalculator : public QObject {
    Q_OBJECT

public:
    explicit WireCalculator(Prompter& prompter, QObject* parent = nullptr);

    // Every text field (and the text part of the material list), in layout
    // order: CmbWire, TxtWireD ... TxtR, Txt1.
    [[nodiscard]] static const QStringList& fieldNames();
    // The text a field holds before the window is first loaded.
    [[nodiscard]] static QString defaultText(const QString& field);
    [[nodiscard]] static bool isField(const QString& name);
    // Fields, the clock label Lbt, the brand labels and the menu items
    // P, OP and Ab.
    [[nodiscard]] static bool isControl(const QString& name);
    // The brand labels, which open the web site when clicked.
    [[nodiscard]] static const QStringList& brandLabels();
    // The items CmbWire lists once the window has loaded: the four conductor
    // materials in table order.
    [[nodiscard]] static QStringList materialItems();

    [[nodiscard]] QString text(const QString& field) const;
    // The field's leading number (empty or non-numeric text gives 0).
    [[nodiscard]] double number(const QString& field) const;
    // Writes a field; its change handling runs only if the text differs.
    void setText(const QString& field, const QString& text);

    // The items of the material list CmbWire: empty until the window has
    // loaded, then the four conductor materials in table order. Empty for
    // every other name.
    [[nodiscard]] QStringList comboItems(const QString& name) const;

    // The window's loading steps, once: fill CmbWire and select its first
    // item, which runs the round-wire recomputation with the diameter as it
    // stands. Later calls do nothing.
    void load();
    [[nodiscard]] bool isLoaded() const { return m_loaded; }

    // The engineer replaces the whole text of a field.
    void type(const QString& field, const QString& text);
    // The engineer picks an item of CmbWire: the list's click handling runs
    // once, even when the item is the one already shown.
    void pick(const QString& combo, const QString& item);
    // Key-down with the focus first put in the field; only Enter (kEnterKey) has
    // rules here.
    void keyDown(const QString& field, int keyCode);
    // The control that has the focus in this window: CmbWire until the
    // engineer moves it. No handling here moves the focus.
    [[nodiscard]] const QString& focus() const { return m_focus; }
    void focus(const QString& control);
    // A menu item (P, OP, Ab) or a brand label.
    void click(const QString& control);

    // One tick of the one-second clock: the caption of Lbt shows the time,
    // and Txt1 counts up by one.
    void tick(const QTime& time);
    void tick() { tick(QTime::currentTime()); }
    // `count` ticks at `time`, leaving what `count` single ticks leave, at a
    // cost that does not grow with `count`: Txt1 has no change handling, so
    // only its last text matters.
    void tick(const QTime& time, qint64 count);
    // The caption of the clock label Lbt, empty before the first tick.
    [[nodiscard]] const QString& clockCaption() const { return m_clockCaption; }

    // The message that OP shows before the program ends.
    [[nodiscard]] static QString farewellMessage();
    // Shows it: after the question about unsaved changes, which belongs to
    // the design window, and only when the program then ends.
    void sayFarewell();

Q_SIGNALS:
    void textChanged(const QString& field);
    void comboItemsChanged(const QString& combo);
    void clockCaptionChanged(const QString& caption);
    // The menu items and labels that act outside this window.
    void printRequested();
    void closeProgramRequested();
    void aboutRequested();
    void webSiteRequested();

private:
    void onTextChange(int field);
    void recalcRoundWire();
    void recalcLitz();
    void recalcAcResistance();
    void onTxtWireDEnter();
    void onTxtAwgEnter();
    void onTxtLitzPEnter();
    void onTxtFoilThEnter();
    void onTxtFoilWdEnter();
    void onTxtFoilLengEnter();
    void onTxtFEnter();
    void recalcFoilWeightAndResistance();

    [[nodiscard]] const QString& textAt(int field) const { return m_texts[field]; }
    [[nodiscard]] double numberAt(int field) const;
    void setTextAt(int field, const QString& text);

    Prompter& m_prompter;
    QVector<QString> m_texts;
    QStringList m_materialItems;
    QString m_clockCaption;
    QString m_focus;
    bool m_loaded = false;
};

}  // namespace kelvane::wire
