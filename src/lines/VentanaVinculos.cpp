#include "lines/VentanaVinculos.h"

#include "host/Progress.h"
#include "lines/Comun.h"
#include "suite/Formato.h"

namespace lines {

using namespace comun;

VentanaVinculos::VentanaVinculos(const char *className, host::Shell &shell,
                                 std::shared_ptr<suite::Configuracion> ajustes)
    : Window(className, shell), ajustes_(ajustes ? std::move(ajustes) : std::make_shared<suite::Configuracion>()) {
    Boton(txtDesde, "txtDesde", "Desde:");
    Boton(txtHasta, "txtHasta", "Hasta:");
    Boton(chkSelelecion_vsExtractos, "chkSelelecion_vsExtractos", "");
}

void VentanaVinculos::vsLineas_Click(int row, int col) {
    if (col == 0) {
        Alternar(vsLineas, row);
    }
}

void VentanaVinculos::vsLineas_KeySpace() { Alternar(vsLineas, vsLineas.row); }

void VentanaVinculos::chkSelelecion_vsExtractos_Click() { MarcarTodas(vsLineas, chkSelelecion_vsExtractos.value); }

void VentanaVinculos::LeerFechas(const std::string &claveDesde, const std::string &claveHasta,
                                 const std::string &seccion, const std::string &desde, const std::string &hasta) {
    std::string fi = ajustes_->LeerValor(claveDesde, seccion);
    std::string ff = ajustes_->LeerValor(claveHasta, seccion);
    txtDesde.text = fi.empty() ? desde : fi;
    txtHasta.text = ff.empty() ? hasta : ff;
    ajustes_->GuardarValor(claveDesde, txtDesde.text, seccion);
    ajustes_->GuardarValor(claveHasta, txtHasta.text, seccion);
}

bool VentanaVinculos::EmpezarCarga(std::string &desde, std::string &hasta, bool validar) {
    host::MostrarProgreso(Ui(), true, "Cargando líneas de vinculos de extractos, espere por favor...");
    vsLineas.redraw = false;
    vsLineas.Clear();
    chkSelelecion_vsExtractos.value = false;
    auto &fmt = suite::Formato::Instancia();
    desde = fmt.FechaTexto(txtDesde.text);
    hasta = fmt.FechaTexto(txtHasta.text);
    if (!validar || (!desde.empty() && !hasta.empty())) {
        return true;
    }
    TerminarCarga();
    Ui().MsgBox("Debe introducir una fecha válida.", kAtencion, host::Icon::Warning);
    Ui().Focus(*this, desde.empty() ? "txtDesde" : "txtHasta");
    return false;
}

void VentanaVinculos::TerminarCarga() {
    vsLineas.redraw = true;
    host::MostrarProgreso(Ui(), false);
}

void VentanaPrevisiones::txtCtaProveedor_Change() {
    Trap("txtCtaProveedor_Change", [&] {
        txtCtaProveedor.descripcion =
            BuscadorMaestros::NombreCuenta(*Ctx().conexionLumbra, empContable_, txtCtaProveedor.text).value_or("");
    });
}

void VentanaPrevisiones::vsLineas_KeyUp() {
    if (vsLineas.row <= 1) {
        Ui().Focus(*this, "txtCtaProveedor");
    }
}

std::vector<BuscadorMaestros::Fila> VentanaPrevisiones::BuscarCuentas(const std::string &texto) const {
    return BuscadorMaestros::Cuentas(*Ctx().conexionLumbra, empContable_, texto);
}

} // namespace lines
