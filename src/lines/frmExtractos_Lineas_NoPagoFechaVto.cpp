#include "lines/frmExtractos_Lineas_NoPagoFechaVto.h"

#include "host/LongitudTexto.h"
#include "lines/Comun.h"
#include "suite/Formato.h"

namespace lines {

using namespace comun;

namespace {

// At most `n` characters (UTF-8 code points), never cutting one in half.
std::string Primeros(const std::string &s, int n) {
    std::size_t i = 0;
    for (int cuenta = 0; i < s.size() && cuenta < n; ++cuenta) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) {
            ++i;
        }
    }
    return s.substr(0, i);
}

bool Vacio(const std::string &s) { return s.find_first_not_of(" \t") == std::string::npos; }

} // namespace

frmExtractos_Lineas_NoPagoFechaVto::frmExtractos_Lineas_NoPagoFechaVto(host::Shell &shell)
    : Window("frmExtractos_Lineas_NoPagoFechaVto", shell) {
    Boton(chkNoPago, "chkNoPago", "No Pagar");
    Boton(lblFechaVto, "lblFechaVto", "F. Vencimiento:");
    Boton(txtFechaVto, "txtFechaVto", "");
    Boton(txtObs1, "txtObs1", "Observaciones:");
    Boton(txtObs2, "txtObs2", "");
    Boton(txtObs3, "txtObs3", "");
    Boton(txtObs4, "txtObs4", "");
    Boton(cmdAceptar, "cmdAceptar", "&Aceptar");
    Boton(cmdCancelar, "cmdCancelar", "&Cancelar");
}

void frmExtractos_Lineas_NoPagoFechaVto::Form_Load() {
    aceptado = false;
    bool fecha = modo == modoFechaVto;
    caption = fecha ? "Nueva Fecha Vencimiento" : "No Pago";
    chkNoPago.visible = !fecha;
    chkNoPago.value = !fecha && noPago;
    lblFechaVto.visible = fecha;
    txtFechaVto.visible = fecha;
    txtFechaVto.text = fecha ? nuevaFechaVto : "";
    host::TextField *cajas[] = {&txtObs1, &txtObs2, &txtObs3, &txtObs4};
    for (std::size_t i = 0; i < 4; ++i) {
        cajas[i]->text = Primeros(obs[i], kLongitudObs);
    }
}

void frmExtractos_Lineas_NoPagoFechaVto::cmdAceptar_Click() {
    Trap("cmdAceptar_Click", [&] {
        bool fecha = modo == modoFechaVto;
        bool marca = fecha ? !Vacio(txtFechaVto.text) : chkNoPago.value;
        if (fecha && marca && suite::Formato::Instancia().FechaTexto(txtFechaVto.text).empty()) {
            Ui().MsgBox("Debe introducir una fecha válida.", kAtencion, host::Icon::Warning);
            Ui().Focus(*this, "txtFechaVto");
            return;
        }
        if (marca && Vacio(txtObs1.text)) {
            Ui().MsgBox("Debe especificar al menos la primera Observación", kAtencion, host::Icon::Warning);
            Ui().Focus(*this, "txtObs1");
            return;
        }
        // The remarks are cut to their column's length; a character it cannot hold is refused.
        const host::TextField *observaciones[] = {&txtObs1, &txtObs2, &txtObs3, &txtObs4};
        for (const host::TextField *caja : observaciones) {
            if (auto m = host::NoCabe(Primeros(caja->text, kLongitudObs), kLongitudObs, "Observaciones"); !m.empty()) {
                Ui().MsgBox(m, kAtencion, host::Icon::Warning);
                Ui().Focus(*this, caja->name);
                return;
            }
        }
        if (fecha) {
            nuevaFechaVto = marca ? suite::Formato::Instancia().FechaTexto(txtFechaVto.text) : "";
        } else {
            noPago = chkNoPago.value;
        }
        const host::TextField *cajas[] = {&txtObs1, &txtObs2, &txtObs3, &txtObs4};
        for (std::size_t i = 0; i < 4; ++i) {
            obs[i] = Primeros(cajas[i]->text, kLongitudObs);
        }
        aceptado = true;
        Close();
    });
}

} // namespace lines
