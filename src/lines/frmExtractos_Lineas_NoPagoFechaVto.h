#pragma once

#include "host/Controls.h"
#include "host/Window.h"

#include <array>
#include <string>

namespace lines {

// Asks whether the selected lines are not to be paid, or their new due date, with up to four remarks.
class frmExtractos_Lineas_NoPagoFechaVto : public host::Window {
  public:
    enum Modo : short { modoNoPago = 1, modoFechaVto = 2 };
    static constexpr int kLongitudObs = 70;

    explicit frmExtractos_Lineas_NoPagoFechaVto(host::Shell &shell);

    // Values exchanged with the lines window: set before showing, read after.
    short modo = modoNoPago;
    bool noPago = false;
    std::string nuevaFechaVto; // day-first date text; "" when none
    std::array<std::string, 4> obs;
    bool aceptado = false;

    std::string caption;
    host::CheckField chkNoPago;
    host::Control lblFechaVto;
    host::DateField txtFechaVto;
    host::TextField txtObs1, txtObs2, txtObs3, txtObs4;
    host::Button cmdAceptar, cmdCancelar;

    void Form_Load() override;
    void cmdAceptar_Click();
    void cmdCancelar_Click() { Close(); }
    void Form_KeyDown_Escape() { Close(); }
};

} // namespace lines
