#include "app/ComandosExtractos.h"

#include "app/Sesion.h"
#include "host/ConsoleShell.h"
#include "host/ScriptedShell.h"
#include "statements/frmExtractos.h"
#include "statements/frmExtractos_ConfirmarEliminar.h"
#include "suite/Fecha.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace app {

namespace {

std::string Limpia(std::string s) {
    for (char &c : s) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return s;
}

long Estado(const std::string &s) {
    if (s == "ABIERTO") {
        return 1;
    }
    if (s == "CERRADO") {
        return 2;
    }
    if (s == "TODOS") {
        return 3;
    }
    throw std::runtime_error("--state debe ser ABIERTO, CERRADO o TODOS, no '" + s + "'");
}

} // namespace

std::string FechaOpcion(const Args &args, const char *opt) {
    std::string v = args.Get(opt);
    if (!suite::Fecha::Parse(v)) {
        throw std::runtime_error(std::string("--") + opt + ": fecha no válida '" + v + "' (use dd/mm/aaaa)");
    }
    return v;
}

long Numero(const std::string &text, const std::string &what) {
    std::size_t pos = 0;
    long v = 0;
    try {
        v = std::stol(text, &pos);
    } catch (const std::exception &) {
        pos = 0;
    }
    if (pos == 0 || pos != text.size()) {
        throw std::runtime_error(what + " no es un número: '" + text + "'");
    }
    return v;
}

void ImprimirGrid(const host::Grid &grid, std::ostream &out) {
    bool first = true;
    for (const auto &c : grid.columns) {
        if (!c.hidden) {
            out << (first ? "" : "\t") << Limpia(c.header);
            first = false;
        }
    }
    out << "\n";
    for (int r = 1; r <= grid.DataRows(); ++r) {
        first = true;
        for (int c = 0; c < grid.Cols(); ++c) {
            if (!grid.columns[static_cast<std::size_t>(c)].hidden) {
                out << (first ? "" : "\t") << Limpia(grid.Text(r, c));
                first = false;
            }
        }
        out << "\n";
    }
}

void ListaCompleta(statements::frmExtractos &w, host::ConsoleShell &console) {
    host::ScriptedShell quiet;
    w.SetShell(quiet);
    w.Show();
    w.SetShell(console);
    w.cboEstado.SelectData(3);
    w.txtFechaI.text = "01/01/1900";
    w.txtFechaF.text = "31/12/9999";
    w.Cargar_Extractos();
}

int FilaExtracto(const statements::frmExtractos &w, long almacen, const std::string &codigo) {
    for (int r = 1; r <= w.vsExtractos.DataRows(); ++r) {
        if (w.vsExtractos.Text(r, statements::frmExtractos::colAlmacen) == std::to_string(almacen) &&
            w.vsExtractos.Text(r, statements::frmExtractos::colExtracto) == codigo) {
            return r;
        }
    }
    throw std::runtime_error("No existe el extracto " + codigo + " del almacén " + std::to_string(almacen));
}

void MarcarExtractos(statements::frmExtractos &w, const std::vector<std::string> &claves) {
    for (const auto &clave : claves) {
        auto colon = clave.find(':');
        if (colon == std::string::npos || colon == 0 || colon + 1 == clave.size()) {
            throw std::runtime_error("Extracto mal indicado: '" + clave + "' (use ALMACEN:EXTRACTO)");
        }
        long almacen = Numero(clave.substr(0, colon), "El almacén de '" + clave + "'");
        w.vsExtractos.SetTicked(FilaExtracto(w, almacen, clave.substr(colon + 1)), true);
    }
}

void AbrirConFiltros(statements::frmExtractos &w, const Args &args, host::ConsoleShell &console) {
    bool filtros = args.Has("state") || args.Has("warehouse") || args.Has("code");
    long estado = args.Has("state") ? Estado(args.Get("state")) : 1;
    long almacen = args.Has("warehouse") ? Numero(args.Get("warehouse"), "--warehouse") : 0;
    std::string desde = args.Has("from") ? FechaOpcion(args, "from") : "";
    std::string hasta = args.Has("to") ? FechaOpcion(args, "to") : "";
    if (filtros || !desde.empty() || !hasta.empty()) {
        // The window loads once with its saved filters; only the load with the options is reported.
        host::ScriptedShell quiet;
        w.SetShell(quiet);
        w.Show();
        w.SetShell(console);
        w.cboEstado.SelectData(estado);
        w.txtAlmacen.code = almacen;
        w.txtNumExtracto.text = args.Get("code");
        if (!desde.empty()) {
            w.txtFechaI.text = desde;
            w.txtFechaI_Change();
        }
        if (!hasta.empty()) {
            w.txtFechaF.text = hasta;
            w.txtFechaF_Change();
        }
        w.Cargar_Extractos();
    } else {
        w.Show();
    }
}

int ComandoStatements(const Args &args) {
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    AbrirSesion(args, console);
    statements::frmExtractos w(console);
    AbrirConFiltros(w, args, console);
    ImprimirGrid(w.vsExtractos, std::cout);
    return console.warningsShown > 0 ? 1 : 0;
}

void ResponderConfirmarEliminar(host::ConsoleShell &console, bool yes, bool &confirmado) {
    console.handlers["frmExtractos_ConfirmarEliminar"] = [yes, &confirmado](host::Window &win) {
        auto &c = static_cast<statements::frmExtractos_ConfirmarEliminar &>(win);
        if (yes) {
            c.txtFecha.text = suite::Fecha::Hoy().Formato("dd/mm/yyyy");
            c.cmdAceptar_Click();
        } else {
            c.cmdCancelar_Click();
        }
        confirmado = c.confirmado;
    };
}

int ComandoDelete(const Args &args) {
    if (args.Positional().empty()) {
        throw std::runtime_error("Indique los extractos a eliminar como ALMACEN:EXTRACTO");
    }
    bool yes = args.Has("yes");
    host::ConsoleShell console(std::cerr, yes);
    AbrirSesion(args, console);
    statements::frmExtractos w(console);
    ListaCompleta(w, console);
    if (console.warningsShown > 0) {
        return 1;
    }
    MarcarExtractos(w, args.Positional());
    bool confirmado = false;
    ResponderConfirmarEliminar(console, yes, confirmado);
    int before = console.warningsShown;
    w.cmdEliminar_Click();
    if (console.warningsShown > before) {
        return 1;
    }
    if (!confirmado) {
        std::cerr << "Eliminación no confirmada: nada se ha eliminado (confirme con --yes)\n";
        return 1;
    }
    std::cout << "Eliminados: " << args.Positional().size() << "\n";
    return 0;
}

int ComandoExport(const Args &args) {
    if (args.Positional().size() != 3) {
        throw std::runtime_error("export espera ALMACEN, EXTRACTO y FICHERO");
    }
    long almacen = Numero(args.Positional()[0], "El almacén");
    const std::string &codigo = args.Positional()[1];
    // Absolute, so that the archive lands beside the file whatever the working folder.
    std::string fichero = std::filesystem::absolute(args.Positional()[2]).string();
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    AbrirSesion(args, console);
    statements::frmExtractos w(console);
    ListaCompleta(w, console);
    if (console.warningsShown > 0) {
        return 1;
    }
    int fila = FilaExtracto(w, almacen, codigo);
    w.vsExtractos.row = fila;
    w.vsExtractos_RowColChange(fila);
    console.saveFiles.push_back(fichero);
    int antes = console.warningsShown;
    int mensajes = console.messagesShown;
    w.cmdExportar_Click();
    for (const auto &p : w.Exportados) {
        std::cout << p << "\n";
    }
    if (w.Exportados.empty() && console.messagesShown == mensajes) {
        // The window ignores any other ending; a batch run must say why nothing happened.
        std::cerr << "No se ha exportado nada: el fichero debe acabar en xlsx, xls o eur (en minúsculas): " << fichero
                  << "\n";
        return 1;
    }
    return console.warningsShown > antes || w.Exportados.empty() ? 1 : 0;
}

} // namespace app
