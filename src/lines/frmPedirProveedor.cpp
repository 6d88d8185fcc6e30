#include "lines/frmPedirProveedor.h"

#include "lines/Comun.h"
#include "suite/EmpresaVarnex.h"

namespace lines {

using namespace comun;

frmPedirProveedor::frmPedirProveedor(host::Shell &shell) : Window("frmPedirProveedor", shell) {
    Boton(lblDialogo, "lblDialogo", "Proveedor:");
    Boton(txtProv, "txtProv", "");
    Boton(cmdAceptar, "cmdAceptar", "&Aceptar");
    Boton(cmdCancelar, "cmdCancelar", "&Cancelar");
}

void frmPedirProveedor::Form_Load() {
    codProveedor = 0;
    aceptado = false;
}

void frmPedirProveedor::txtProv_Change() {
    Trap("txtProv_Change", [&] {
        txtProv.descripcion =
            BuscadorMaestros::NombreProveedor(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), txtProv.code)
                .value_or("");
    });
}

void frmPedirProveedor::txtProv_Enter() {
    if (txtProv.code < 1) {
        Ui().Focus(*this, "cmdAceptar");
    }
}

std::vector<BuscadorMaestros::Fila> frmPedirProveedor::BuscarProveedores(const std::string &texto) const {
    return BuscadorMaestros::Proveedores(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), texto);
}

void frmPedirProveedor::cmdAceptar_Click() {
    Trap("cmdAceptar_Click", [&] {
        // A code that is no supplier would silently match nothing: the user is told instead.
        if (txtProv.code > 0 &&
            !BuscadorMaestros::NombreProveedor(*Ctx().conexionVarnex, Ctx().empresaVarnex->Codigo(), txtProv.code)) {
            Ui().MsgBox("El proveedor " + std::to_string(txtProv.code) + " no existe.", kAtencion,
                        host::Icon::Warning);
            Ui().Focus(*this, "txtProv");
            return;
        }
        codProveedor = txtProv.code > 0 ? txtProv.code : 0;
        aceptado = true;
        Close();
    });
}

void frmPedirProveedor::cmdCancelar_Click() {
    codProveedor = 0;
    aceptado = false;
    Close();
}

} // namespace lines
