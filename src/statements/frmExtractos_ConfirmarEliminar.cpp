#include "statements/frmExtractos_ConfirmarEliminar.h"

#include "suite/Fecha.h"

namespace statements {

frmExtractos_ConfirmarEliminar::frmExtractos_ConfirmarEliminar(host::Shell &shell)
    : Window("frmExtractos_ConfirmarEliminar", shell) {
    txtFecha.name = "txtFecha";
    cmdAceptar.name = "cmdAceptar";
    cmdAceptar.caption = "&Aceptar";
    cmdCancelar.name = "cmdCancelar";
    cmdCancelar.caption = "&Cancelar";
}

void frmExtractos_ConfirmarEliminar::Form_Load() {
    confirmado = false;
    txtFecha.text.clear();
}

void frmExtractos_ConfirmarEliminar::cmdAceptar_Click() {
    Trap("cmdAceptar_Click", [&] {
        std::string typed = txtFecha.text;
        if (typed.find_first_not_of(" /_") == std::string::npos) {
            Ui().MsgBox("Debe especificar la fecha actual", "¡ Atención !", host::Icon::Critical);
            Ui().Focus(*this, "txtFecha");
            return;
        }
        auto f = suite::Fecha::Parse(typed);
        if (!f || f->Formato("dd/mm/yyyy") != suite::Fecha::Hoy().Formato("dd/mm/yyyy")) {
            Ui().MsgBox("Debe introducir la fecha actual en el formato DD/MM/AAAA", "¡ Atención !",
                        host::Icon::Critical);
            Ui().Focus(*this, "txtFecha");
            return;
        }
        confirmado = true;
        Close();
    });
}

void frmExtractos_ConfirmarEliminar::cmdCancelar_Click() {
    confirmado = false;
    Close();
}

} // namespace statements
