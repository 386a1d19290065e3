#pragma once

namespace kelvane::sheet {
class DesignSheet;
enum class Check;
}  // namespace kelvane::sheet

namespace kelvane::design {

// The primary operating point: timing, input voltage, input power, the
// primary current waveform and inductance, and the circuit type. Each
// procedure reads its inputs from the sheet afresh (the displayed, rounded
// texts) and writes formatted text back; writes raise the change handling
// of the written field at once.
class PrimarySide {
public:
    explicit PrimarySide(sheet::DesignSheet& sheet) : m_sheet(sheet) {}

    // Txtts and Txtton from TxtF and txtd.
    void recalcTiming();
    // txtpint <- txtp / TXTN (when TXTN > 0) and TxtTransP <- txtp.
    void recalcInputPower();
    // The currents and Lp for the selected circuit type; nothing while
    // TXTN is not positive.
    void recalcPrimary();
    // txtudc from TxtUmin, halved while Check1 is checked.
    void deriveInputVoltage();
    // txtpint rewritten with its own text in "0.0" form.
    void reformatInputPower();
    // Enter in txtpint: the input power computed from the output power.
    void restoreInputPower();
    // The selection steps of a circuit type option (Option1..Option3).
    void selectCircuit(sheet::Check option);
    // Click of Check1: forward type, caption, txtudc.
    void onBridgeClick();

private:
    void runFlyback();
    void runForward();
    void runRcc();
    // Is, Im, Ip1 and Ipk of the flyback and RCC variants.
    void writeOnCurrents();
    // txtlp <- 10^-3 × Ton × Udc / Δi when Δi is not 0.
    void writeInductance();
    void writeUnhalvedInputVoltage();

    sheet::DesignSheet& m_sheet;
};

}  // namespace kelvane::design
