#include "app/ComandosReclamaciones.h"

#include "app/ComandosExtractos.h"
#include "app/LineasComando.h"
#include "app/Sesion.h"
#include "claims/frmExtractos_Lineas_Reclamacion.h"
#include "claims/frmExtractos_Lineas_Reclamacion_Datos.h"
#include "claims/frmExtractos_Lineas_Reclamacion_Visor.h"
#include "host/ConsoleShell.h"
#include "host/ScriptedShell.h"
#include "lines/frmExtractos_Lineas.h"
#include "suite/Formato.h"
#include "suite/Moneda.h"

#include <functional>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace app {

namespace {

using claims::frmExtractos_Lineas_Reclamacion;
using claims::frmExtractos_Lineas_Reclamacion_Datos;
using claims::frmExtractos_Lineas_Reclamacion_Visor;
using R = frmExtractos_Lineas_Reclamacion;
using V = frmExtractos_Lineas_Reclamacion_Visor;

// The grid's visible columns with the claim's id in front, the one modify, delete and export take.
void ImprimirConId(const host::Grid &grid, int colId, std::ostream &out) {
    std::ostringstream tabla;
    ImprimirGrid(grid, tabla);
    std::istringstream in(tabla.str());
    std::string linea;
    for (int r = 0; std::getline(in, linea); ++r) {
        out << (r == 0 ? std::string("IdReclamacion") : grid.Text(r, colId)) << "\t" << linea << "\n";
    }
}

void ImprimirReclamaciones(const R &r, std::ostream &out) {
    ImprimirConId(r.vsLineas, R::colIdReclamacion, out);
    out << r.lblCantidadMaxRec.caption << " " << r.lblCantidadMaximaReclamar.caption << "\n";
}

int FilaReclamacion(const host::Grid &g, int colId, long id) {
    for (int r = 1; r <= g.DataRows(); ++r) {
        if (g.Text(r, colId) == std::to_string(id)) {
            return r;
        }
    }
    return 0;
}

// The editor filled from the options given; what is not given keeps what the editor shows.
void Rellenar(frmExtractos_Lineas_Reclamacion_Datos &e, const Args &args) {
    auto catalogo = [&](host::ComboField &combo, const char *opt, const char *que) {
        if (!args.Has(opt)) {
            return false;
        }
        long codigo = Numero(args.Get(opt), std::string("--") + opt);
        if (!combo.SelectData(codigo) || codigo == 0) {
            throw std::runtime_error(std::string("No existe el ") + que + " " + std::to_string(codigo));
        }
        return true;
    };
    if (catalogo(e.cboTiposReclamacion, "type", "tipo de reclamación")) {
        e.cboTiposReclamacion_Click();
    }
    catalogo(e.cboConceptos, "concept", "concepto de reclamación");
    const std::pair<const char *, host::TextField *> textos[] = {
        {"invoice", &e.txtFacturaCodigo},    {"articles", &e.txtArticulosCodigo},
        {"descriptions", &e.txtArticulosDescripcion}, {"reason", &e.txtObservaciones},
        {"units", &e.txtCantidadReclamada},  {"albaran", &e.txtAlbaranNumero},
        {"dup", &e.txtFacturaDup},           {"period", &e.txtPeriodoVigencia}};
    for (const auto &[opt, campo] : textos) {
        if (args.Has(opt)) {
            campo->text = args.Get(opt);
        }
    }
    const std::pair<const char *, host::DateField *> fechas[] = {
        {"invoice-date", &e.txtFacturaFecha}, {"albaran-date", &e.txtAlbaranFecha}, {"dup-date", &e.txtVencimientoDup}};
    for (const auto &[opt, campo] : fechas) {
        if (args.Has(opt)) {
            campo->text = FechaOpcion(args, opt);
        }
    }
    auto &fmt = suite::Formato::Instancia();
    for (int i = 1; i <= frmExtractos_Lineas_Reclamacion_Datos::kBases; ++i) {
        std::string n = std::to_string(i);
        auto &combo = e.cboIGIC[static_cast<std::size_t>(i - 1)];
        auto &base = e.txtBaseImponible[static_cast<std::size_t>(i - 1)];
        if (args.Has("igic" + n)) {
            // "0" is the item without tax; any other rate names the tax type whose combo text it is.
            std::string tipo = args.Get("igic" + n);
            auto valor = suite::Moneda::Parse(tipo);
            int hallado = -1;
            std::string ofrecidos;
            for (std::size_t k = 0; k < combo.items.size(); ++k) {
                ofrecidos += (k ? ", " : "") + combo.items[k].text;
                if (hallado < 0 && (combo.items[k].text == tipo || (valor && fmt.ANumero(combo.items[k].text) == *valor))) {
                    hallado = static_cast<int>(k);
                }
            }
            if (hallado < 0) {
                throw std::runtime_error("--igic" + n + ": no hay un tipo de IGIC del " + tipo +
                                         " % a la fecha de la línea (tipos: " + ofrecidos + ")");
            }
            combo.index = hallado;
            e.cboIGIC_Click(i);
        }
        if (args.Has("base" + n)) {
            std::string texto = args.Get("base" + n);
            auto valor = suite::Moneda::Parse(texto);
            if (!valor) {
                throw std::runtime_error("--base" + n + " no es un importe: '" + texto + "'");
            }
            base.text = frmExtractos_Lineas_Reclamacion_Datos::TextoTipo(*valor);
            e.txtBaseImponible_LostFocus(i);
        }
    }
}

// Runs `accion` inside the claims window of line `--line`, opened by the lines window's "&Reclamar".
int EnReclamaciones(const Args &args, host::ConsoleShell &console, bool cambia,
                    const std::function<int(frmExtractos_Lineas_Reclamacion &)> &accion) {
    if (!args.Has("line")) {
        throw std::runtime_error("claim " + args.Positional()[0] + " espera --line ID");
    }
    long id = Numero(args.Get("line"), "--line");
    AbrirSesion(args, console);
    lines::frmExtractos_Lineas w(console);
    AbrirLineas(w, console, id);
    w.vsLineas_RowColChange(FilaDe(w, id));
    if (!w.cmdReclamar.enabled) {
        throw std::runtime_error("La línea " + std::to_string(id) +
                                 " no admite reclamaciones (pronto pago, o PagoCentral_TipoExtracto distinto de 1)");
    }
    if (cambia && w.extractoCerrado) {
        throw std::runtime_error("El extracto de la línea " + std::to_string(id) +
                                 " está cerrado: sus reclamaciones solo se consultan");
    }
    // What the command refuses inside the windows is said once, as the command's own error.
    int rc = 1;
    bool abierta = false;
    std::string error;
    console.handlers["frmExtractos_Lineas_Reclamacion"] = [&](host::Window &win) {
        abierta = true;
        try {
            rc = accion(static_cast<frmExtractos_Lineas_Reclamacion &>(win));
        } catch (const std::exception &e) {
            error = e.what();
        }
    };
    w.cmdReclamar_Click();
    if (!error.empty()) {
        throw std::runtime_error(error);
    }
    return abierta ? rc : 1;
}

int Editar(const Args &args, bool nueva) {
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    long id = nueva ? 0 : Numero(args.Get("id"), "--id");
    bool grabada = false;
    std::string error;
    console.handlers["frmExtractos_Lineas_Reclamacion_Datos"] = [&](host::Window &win) {
        auto &e = static_cast<frmExtractos_Lineas_Reclamacion_Datos &>(win);
        try {
            Rellenar(e, args);
        } catch (const std::exception &ex) {
            error = ex.what();
            return;
        }
        e.cmdAceptar_Click();
        grabada = e.Grabado();
    };
    return EnReclamaciones(args, console, true, [&](R &r) {
        if (nueva) {
            r.cmdAgregar_Click();
        } else {
            int fila = FilaReclamacion(r.vsLineas, R::colIdReclamacion, id);
            if (fila == 0) {
                throw std::runtime_error("La reclamación " + std::to_string(id) + " no es de la línea " + args.Get("line"));
            }
            r.vsLineas_RowColChange(fila);
            r.cmdModificar_Click();
        }
        if (!error.empty()) {
            throw std::runtime_error(error);
        }
        ImprimirReclamaciones(r, std::cout);
        return grabada ? 0 : 1;
    });
}

int Eliminar(const Args &args) {
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    std::vector<long> ids = Ids(args.Get("id"), "--id");
    return EnReclamaciones(args, console, true, [&](R &r) {
        for (long id : ids) {
            int fila = FilaReclamacion(r.vsLineas, R::colIdReclamacion, id);
            if (fila == 0) {
                throw std::runtime_error("La reclamación " + std::to_string(id) + " no es de la línea " + args.Get("line"));
            }
            r.vsLineas.SetTicked(fila, true);
        }
        int antes = r.vsLineas.DataRows();
        r.cmdEliminar_Click();
        ImprimirReclamaciones(r, std::cout);
        if (!args.Has("yes")) {
            std::cerr << "Eliminación no confirmada: nada se ha eliminado (confirme con --yes)\n";
            return 1;
        }
        return r.vsLineas.DataRows() == antes - static_cast<int>(ids.size()) && console.warningsShown == 0 ? 0 : 1;
    });
}

// The viewer loaded once quietly, then with the filters given (the window's own defaults otherwise).
void AbrirVisor(V &v, host::ConsoleShell &console, const Args &args, bool todasLasFechas) {
    host::ScriptedShell quiet;
    v.SetShell(quiet);
    v.Show();
    v.SetShell(console);
    if (!quiet.messages.empty()) {
        throw std::runtime_error(quiet.messages.back().text);
    }
    if (todasLasFechas) {
        v.txtFechaI.text = "01/01/1900";
        v.txtFechaF.text = "31/12/9999";
    }
    if (args.Has("from")) {
        v.txtFechaI.text = FechaOpcion(args, "from");
    }
    if (args.Has("to")) {
        v.txtFechaF.text = FechaOpcion(args, "to");
    }
    v.chkExportado.value = args.Has("exported");
    if (args.Has("supplier")) {
        v.txtProv.code = Numero(args.Get("supplier"), "--supplier");
    }
    if (args.Has("warehouse")) {
        v.txtAlmacen.code = Numero(args.Get("warehouse"), "--warehouse");
    }
    if (args.Has("type") && !v.cboTiposReclamacion.SelectData(Numero(args.Get("type"), "--type"))) {
        throw std::runtime_error("No existe el tipo de reclamación " + args.Get("type"));
    }
    v.Cargar_Lineas();
}

} // namespace

int ComandoVisorReclamaciones(const Args &args) {
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    AbrirSesion(args, console);
    V v(console);
    AbrirVisor(v, console, args, false);
    ImprimirConId(v.vsLineas, V::colIdReclamacion, std::cout);
    return console.warningsShown > 0 ? 1 : 0;
}

namespace {

int Exportar(const Args &args) {
    if (args.Has("all") == args.Has("ids")) {
        throw std::runtime_error("claim export espera --ids A,B o --all");
    }
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    AbrirSesion(args, console);
    V v(console);
    AbrirVisor(v, console, args, false);
    if (args.Has("all")) {
        v.chkSelelecion_vsLineas.value = true;
        v.chkSelelecion_vsLineas_Click();
    } else {
        for (long id : Ids(args.Get("ids"), "--ids")) {
            int fila = FilaReclamacion(v.vsLineas, V::colIdReclamacion, id);
            if (fila == 0) {
                throw std::runtime_error("La reclamación " + std::to_string(id) + " no está en la lista del visor");
            }
            v.vsLineas.SetTicked(fila, true);
        }
    }
    v.cmdExportar_Click();
    if (v.Fichero().empty()) {
        return 1;
    }
    std::cout << v.Fichero() << "\n";
    return 0;
}

int Marcar(const Args &args) {
    long id = Numero(args.Get("id"), "--id");
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    AbrirSesion(args, console);
    V v(console);
    AbrirVisor(v, console, args, true);
    int fila = FilaReclamacion(v.vsLineas, V::colIdReclamacion, id);
    if (fila == 0) {
        throw std::runtime_error("La reclamación " + std::to_string(id) +
                                 " no está pendiente de exportar en un extracto cerrado");
    }
    v.vsLineas_RowColChange(fila);
    v.cmdMarcarExportado_Click();
    if (FilaReclamacion(v.vsLineas, V::colIdReclamacion, id) != 0) {
        std::cerr << "Marca no confirmada: la reclamación sigue pendiente (confirme con --yes)\n";
        return 1;
    }
    std::cout << "Reclamación " << id << " marcada como exportada\n";
    return console.warningsShown > 0 ? 1 : 0;
}

} // namespace

int ComandoClaim(const Args &args) {
    const auto &pos = args.Positional();
    std::string que = pos.empty() ? "" : pos[0];
    if (que == "list") {
        host::ConsoleShell console(std::cerr, args.Has("yes"));
        return EnReclamaciones(args, console, false, [&](R &r) {
            ImprimirReclamaciones(r, std::cout);
            return console.warningsShown > 0 ? 1 : 0;
        });
    }
    if (que == "add" || que == "modify") {
        if (que == "modify" && !args.Has("id")) {
            throw std::runtime_error("claim modify espera --id N");
        }
        return Editar(args, que == "add");
    }
    if (que == "delete") {
        if (!args.Has("id")) {
            throw std::runtime_error("claim delete espera --id N[,N...]");
        }
        return Eliminar(args);
    }
    if (que == "viewer") {
        return ComandoVisorReclamaciones(args);
    }
    if (que == "export") {
        return Exportar(args);
    }
    if (que == "mark") {
        if (!args.Has("id")) {
            throw std::runtime_error("claim mark espera --id N");
        }
        return Marcar(args);
    }
    throw std::runtime_error("claim espera list, add, modify, delete, viewer, export o mark");
}

} // namespace app
