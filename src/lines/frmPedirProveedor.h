#pragma once

#include "host/Controls.h"
#include "host/Window.h"
#include "lines/BuscadorMaestros.h"

#include <string>
#include <vector>

namespace lines {

// Asks for one supplier of the ERP company; a blank supplier means all of them.
class frmPedirProveedor : public host::Window {
  public:
    explicit frmPedirProveedor(host::Shell &shell);

    // Out.
    long codProveedor = 0;
    bool aceptado = false;

    std::string caption = "Proveedor";
    host::Control lblDialogo;
    host::LookupField txtProv;
    host::Button cmdAceptar, cmdCancelar;

    void Form_Load() override;
    void txtProv_Change();
    void txtProv_Enter();
    void cmdAceptar_Click();
    void cmdCancelar_Click();
    void Form_KeyDown_Escape() { cmdCancelar_Click(); }

    std::vector<BuscadorMaestros::Fila> BuscarProveedores(const std::string &texto) const;
};

} // namespace lines
