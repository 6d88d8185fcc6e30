#pragma once

#include "host/Controls.h"
#include "host/Window.h"

namespace statements {

// Asks for today's date before statements are deleted.
class frmExtractos_ConfirmarEliminar : public host::Window {
  public:
    explicit frmExtractos_ConfirmarEliminar(host::Shell &shell);
    host::DateField txtFecha;
    host::Button cmdAceptar, cmdCancelar;
    bool confirmado = false;

    void Form_Load() override;
    void cmdAceptar_Click();
    void cmdCancelar_Click();
    void Form_KeyDown_Escape() { cmdCancelar_Click(); }
};

} // namespace statements
