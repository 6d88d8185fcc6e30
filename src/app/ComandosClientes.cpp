#include "app/ComandosClientes.h"

#include "app/ComandosCatalogo.h"
#include "app/ComandosExtractos.h"
#include "app/Sesion.h"
#include "customers/frmExtractos_Cliente.h"
#include "customers/frmExtractos_Cliente_Lineas.h"
#include "customers/frmExtractos_Cliente_Listado.h"
#include "host/ConsoleShell.h"
#include "host/Contexto.h"
#include "host/ScriptedShell.h"
#include "statements/frmExtractos_ConfirmarEliminar.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"
#include "suite/Formato.h"

#include <array>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace app {

namespace {

using Lista = customers::frmExtractos_Cliente;
using Lineas = customers::frmExtractos_Cliente_Lineas;

std::string Fecha(const std::string &texto, const std::string &que) {
    auto f = suite::Fecha::Parse(texto);
    if (!f || f->EsVacia()) {
        throw std::runtime_error(que + ": fecha no válida '" + texto + "' (use dd/mm/aaaa)");
    }
    return f->Formato("dd/mm/yyyy");
}

// Loads a window with its saved filters without reporting, then hands it the console.
template <class W> void Abrir(W &w, host::ConsoleShell &console) {
    host::ScriptedShell quiet;
    w.SetShell(quiet);
    w.Show();
    w.SetShell(console);
}

// The list on every statement, whatever its date or state.
void Todo(Lista &w, host::ConsoleShell &console) {
    Abrir(w, console);
    w.cboEstado.SelectData(3);
    w.txtFechaI.text = "01/01/1900";
    w.txtFechaF.text = "31/12/9999";
    w.Cargar_Extractos();
}

int Buscar(const Lista &w, long cliente, const std::string &fecha) {
    for (int r = 1; r <= w.vsExtractos.DataRows(); ++r) {
        if (w.vsExtractos.Text(r, Lista::colCliente) == std::to_string(cliente) &&
            w.vsExtractos.Text(r, Lista::colFechaCobro) == fecha) {
            return r;
        }
    }
    throw std::runtime_error("No existe el extracto del cliente " + std::to_string(cliente) + " con fecha de cobro " +
                             fecha);
}

// CUSTOMER:DATE
std::pair<long, std::string> Clave(const std::string &clave) {
    auto colon = clave.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == clave.size()) {
        throw std::runtime_error("Extracto mal indicado: '" + clave + "' (use CLIENTE:FECHA)");
    }
    return {Numero(clave.substr(0, colon), "El cliente de '" + clave + "'"),
            Fecha(clave.substr(colon + 1), "La fecha de '" + clave + "'")};
}

void Marcar(Lista &w, const std::vector<std::string> &claves, std::size_t desde) {
    if (claves.size() <= desde) {
        throw std::runtime_error("Indique los extractos como CLIENTE:FECHA");
    }
    for (std::size_t i = desde; i < claves.size(); ++i) {
        auto [cliente, fecha] = Clave(claves[i]);
        w.vsExtractos.SetTicked(Buscar(w, cliente, fecha), true);
    }
}

void Posicionales(const Args &args, std::size_t n, const char *uso) {
    if (args.Positional().size() != n) {
        throw std::runtime_error(std::string("Uso: pagocentral customer ") + uso);
    }
}

int List(const Args &args, host::ConsoleShell &console) {
    Lista w(console);
    Abrir(w, console);
    if (args.Has("state")) {
        const std::string s = args.Get("state");
        if (!w.cboEstado.SelectData(s == "ABIERTO" ? 1 : s == "CERRADO" ? 2 : s == "TODOS" ? 3 : 0)) {
            throw std::runtime_error("--state debe ser ABIERTO, CERRADO o TODOS, no '" + s + "'");
        }
    }
    w.txtCliente.code = args.Has("customer") ? Numero(args.Get("customer"), "--customer") : 0;
    if (args.Has("from")) {
        w.txtFechaI.text = Fecha(args.Get("from"), "--from");
        w.txtFechaI_Change();
    }
    if (args.Has("to")) {
        w.txtFechaF.text = Fecha(args.Get("to"), "--to");
        w.txtFechaF_Change();
    }
    w.Cargar_Extractos();
    ImprimirGrid(w.vsExtractos, std::cout);
    return console.warningsShown > 0 ? 1 : 0;
}

int Add(const Args &args, host::ConsoleShell &console) {
    Posicionales(args, 4, "add CLIENTE FECHA_COBRO FECHA_CONTABILIZAR");
    const auto &p = args.Positional();
    Lista w(console);
    Abrir(w, console);
    w.txtCliente_Insert.code = Numero(p[1], "El cliente");
    w.txtFecha_Insert.text = p[2];
    w.txtCont_Insert.text = p[3];
    w.txtCont_Insert_Enter();
    if (!w.Guardado()) {
        return 1;
    }
    std::cout << "Extracto creado: " << p[1] << ":" << Fecha(p[2], "La fecha de cobro") << "\n";
    return 0;
}

int Modify(const Args &args, host::ConsoleShell &console) {
    Posicionales(args, 3, "modify CLIENTE FECHA_COBRO [--customer-to N] [--date-to D] [--accounting-to D]");
    const auto &p = args.Positional();
    Lista w(console);
    Todo(w, console);
    const int r = Buscar(w, Numero(p[1], "El cliente"), Fecha(p[2], "La fecha de cobro"));
    w.vsExtractos_RowColChange(r);
    w.cmdModificar_Click();
    if (!w.Editando()) {
        std::cerr << "El extracto está cerrado: no se puede modificar\n";
        return 1;
    }
    if (args.Has("customer-to")) {
        w.txtCliente_Insert.code = Numero(args.Get("customer-to"), "--customer-to");
    }
    if (args.Has("date-to")) {
        w.txtFecha_Insert.text = args.Get("date-to");
    }
    if (args.Has("accounting-to")) {
        w.txtCont_Insert.text = args.Get("accounting-to");
    }
    const std::string nuevo = std::to_string(w.txtCliente_Insert.code) + ":" + w.txtFecha_Insert.text;
    w.txtCont_Insert_Enter();
    if (!w.Guardado()) {
        return 1;
    }
    std::cout << "Extracto modificado: " << nuevo << "\n";
    return 0;
}

int Delete(const Args &args, host::ConsoleShell &console, bool yes) {
    Lista w(console);
    Todo(w, console);
    Marcar(w, args.Positional(), 1);
    bool confirmado = false;
    ResponderConfirmarEliminar(console, yes, confirmado);
    w.cmdEliminar_Click();
    if (!w.Eliminado()) {
        if (!confirmado && console.warningsShown == 0) {
            std::cerr << "Eliminación no confirmada: nada se ha eliminado (confirme con --yes)\n";
        }
        return 1;
    }
    std::cout << "Eliminados: " << args.Positional().size() - 1 << "\n";
    return 0;
}

int Entries(const Args &args, host::ConsoleShell &console) {
    Lista w(console);
    Todo(w, console);
    Marcar(w, args.Positional(), 1);
    w.cmdGenerarAsiento_Click();
    if (!w.Generado()) {
        std::cerr << "Extractos sin cerrar:";
        for (std::size_t i = 1; i < args.Positional().size(); ++i) {
            std::cerr << " " << args.Positional()[i];
        }
        std::cerr << "\n";
        return 1;
    }
    std::cout << "Cerrados: " << args.Positional().size() - 1 << "\n";
    return 0;
}

// The lines window of a statement, with every invoice date; refused when it does not exist.
void AbrirLineas(Lineas &w, long cliente, const std::string &fecha, host::ConsoleShell &console) {
    auto &ctx = host::Contexto::Global();
    auto rs = ctx.conexionVarnex->OpenRecordset(
        "SELECT Cerrado FROM Clientes_PagosCentral_Extractos WHERE Cod_Empresa =" +
        std::to_string(ctx.empresaVarnex->Codigo()) + " AND Cod_Cliente =" + std::to_string(cliente) +
        " AND FechaCobro ='" + suite::Formato::Instancia().FechaTexto(fecha) + "'");
    if (rs->Eof()) {
        throw std::runtime_error("No existe el extracto del cliente " + std::to_string(cliente) +
                                 " con fecha de cobro " + fecha);
    }
    w.codCliente = cliente;
    w.fechaCobro = fecha;
    w.soloLectura = rs->Fields(0).AsInt64() != 0;
    rs->Close();
    Abrir(w, console);
}

int LinesCmd(const Args &args, host::ConsoleShell &console) {
    Posicionales(args, 3, "lines CLIENTE FECHA_COBRO [--from D] [--to D] [--supplier N] [--document TEXTO]");
    const auto &p = args.Positional();
    Lineas w(console);
    AbrirLineas(w, Numero(p[1], "El cliente"), Fecha(p[2], "La fecha de cobro"), console);
    if (args.Has("from")) {
        w.txtFechaI.text = Fecha(args.Get("from"), "--from");
        w.txtFechaI_Change();
    }
    if (args.Has("to")) {
        w.txtFechaF.text = Fecha(args.Get("to"), "--to");
        w.txtFechaF_Change();
    }
    w.txtProveedor.code = args.Has("supplier") ? Numero(args.Get("supplier"), "--supplier") : 0;
    w.txtDocumento.text = args.Get("document");
    w.Cargar_Lineas();
    // The line ids are what "line delete" asks for.
    w.vsLineas.columns[Lineas::colId].hidden = false;
    ImprimirGrid(w.vsLineas, std::cout);
    return console.warningsShown > 0 ? 1 : 0;
}

// "RATE:BASE,RATE:BASE" onto the editing rows of the company's rates; refused before any write.
void Impuestos(Lineas &w, const std::string &lista) {
    const auto &fmt = suite::Formato::Instancia();
    std::size_t start = 0;
    while (start <= lista.size()) {
        std::size_t coma = lista.find(',', start);
        const std::string par = lista.substr(start, coma == std::string::npos ? std::string::npos : coma - start);
        auto colon = par.find(':');
        auto tipo = colon == std::string::npos ? std::nullopt : suite::Moneda::Parse(par.substr(0, colon));
        auto base = colon == std::string::npos ? std::nullopt : suite::Moneda::Parse(par.substr(colon + 1));
        if (!tipo || !base) {
            throw std::runtime_error("--taxes: '" + par + "' no es TIPO:BASE");
        }
        int fila = -1;
        for (int i = 0; i < Lineas::kFilas && fila < 0; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (fmt.ANumero(w.txtTipo[k].text) == *tipo && w.txtBase[k].text.empty()) {
                fila = i;
            }
        }
        if (fila < 0) {
            throw std::runtime_error("--taxes: la empresa no tiene el tipo " + par.substr(0, colon) +
                                     " % (o está repetido)");
        }
        w.txtBase[static_cast<std::size_t>(fila)].text = fmt.Redondear(*base, 2);
        if (coma == std::string::npos) {
            break;
        }
        start = coma + 1;
    }
}

int LineAdd(const Args &args, host::ConsoleShell &console) {
    Posicionales(args, 4,
                 "line add CLIENTE FECHA_COBRO --supplier N --document TEXTO --date D [--atipico 0|1|2 --percent P] "
                 "[--obs TEXTO] [--taxes TIPO:BASE,...]");
    const auto &p = args.Positional();
    Lineas w(console);
    AbrirLineas(w, Numero(p[2], "El cliente"), Fecha(p[3], "La fecha de cobro"), console);
    if (w.soloLectura) {
        std::cerr << "El extracto está cerrado: no admite líneas nuevas\n";
        return 1;
    }
    w.txtFechaI.text = "01/01/1900";
    w.txtFechaF.text = "31/12/9999";
    w.txtProveedor_Insert.code = args.Has("supplier") ? Numero(args.Get("supplier"), "--supplier") : 0;
    w.txtDocumento_Insert.text = args.Get("document");
    w.txtFechaFactura.text = args.Get("date");
    w.txtFechaFactura_Enter();
    if (args.Has("atipico")) {
        const long modo = Numero(args.Get("atipico"), "--atipico");
        if (!w.cboAtipicos.SelectData(modo)) {
            throw std::runtime_error("--atipico debe ser 0, 1 o 2");
        }
        w.txtPorcAtipicos.text = args.Get("percent");
    }
    w.txtObservaciones.text = args.Get("obs");
    // Checked against the company's rates before the line is written.
    std::array<std::string, Lineas::kFilas> bases;
    if (args.Has("taxes")) {
        Impuestos(w, args.Get("taxes"));
        for (std::size_t k = 0; k < bases.size(); ++k) {
            bases[k] = w.txtBase[k].text;
        }
    }
    w.txtObservaciones_Enter();
    if (!w.Guardado()) {
        return 1;
    }
    const long id = w.IdActual();
    if (args.Has("taxes")) {
        for (int i = 0; i < Lineas::kFilas; ++i) {
            w.txtBase[static_cast<std::size_t>(i)].text = bases[static_cast<std::size_t>(i)];
            w.txtBase_Change(i);
        }
        w.txtBase_Enter(0);
        if (!w.Guardado()) {
            std::cerr << "La línea " << id << " se ha creado sin impuestos\n";
            return 1;
        }
    }
    std::cout << "Línea creada: " << id << "\tImporte: " << w.vsLineas.Text(w.vsLineas.row, Lineas::colImporte)
              << "\n";
    return 0;
}

int LineDelete(const Args &args, host::ConsoleShell &console) {
    Posicionales(args, 2, "line delete --line ID [--yes]");
    const long id = Numero(args.Get("line"), "--line");
    auto &ctx = host::Contexto::Global();
    auto rs = ctx.conexionVarnex->OpenRecordset(
        "SELECT Cod_Cliente, FechaCobro FROM Clientes_PagosCentral_Extractos_Lineas WHERE Cod_Empresa =" +
        std::to_string(ctx.empresaVarnex->Codigo()) + " AND IdExtractoLinea =" + std::to_string(id));
    if (rs->Eof()) {
        throw std::runtime_error("No existe la línea " + std::to_string(id));
    }
    const long cliente = static_cast<long>(rs->Fields(0).AsInt64());
    const std::string fecha = suite::Fecha::Parse(rs->Fields(1).AsText())->Formato("dd/mm/yyyy");
    rs->Close();
    Lineas w(console);
    AbrirLineas(w, cliente, fecha, console);
    if (w.soloLectura) {
        std::cerr << "El extracto está cerrado: sus líneas no se pueden eliminar\n";
        return 1;
    }
    w.txtFechaI.text = "01/01/1900";
    w.txtFechaF.text = "31/12/9999";
    w.Cargar_Lineas();
    for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
        if (w.vsLineas.Text(r, Lineas::colId) == std::to_string(id)) {
            w.vsLineas_RowColChange(r);
        }
    }
    w.cmdEliminar_Click();
    if (!w.Guardado()) {
        std::cerr << "Eliminación no confirmada (confirme con --yes)\n";
        return 1;
    }
    std::cout << "Línea eliminada: " << id << "\n";
    return 0;
}

} // namespace

int ComandoCustomer(const Args &args) {
    const auto &p = args.Positional();
    const std::string sub = p.empty() ? "" : p[0];
    const std::string sub2 = p.size() > 1 ? p[1] : "";
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    if (sub != "list" && sub != "add" && sub != "modify" && sub != "delete" && sub != "lines" && sub != "entries" &&
        !(sub == "line" && (sub2 == "add" || sub2 == "delete"))) {
        throw std::runtime_error("Uso: pagocentral customer list|add|modify|delete|lines|line add|line delete|entries");
    }
    AbrirSesion(args, console);
    if (sub == "list") {
        return List(args, console);
    }
    if (sub == "add") {
        return Add(args, console);
    }
    if (sub == "modify") {
        return Modify(args, console);
    }
    if (sub == "delete") {
        return Delete(args, console, args.Has("yes"));
    }
    if (sub == "lines") {
        return LinesCmd(args, console);
    }
    if (sub == "entries") {
        return Entries(args, console);
    }
    return sub2 == "add" ? LineAdd(args, console) : LineDelete(args, console);
}

int ComandoCustomerListing(const Args &args, int argc, char **argv) {
    Posicionales(args, 1, "listing --model Detallado|Resumido --from D --to D --customer-from N --customer-to N "
                          "[--state S] (--pdf FICHERO | --printer NOMBRE)");
    if (args.Has("pdf") == args.Has("printer")) {
        throw std::runtime_error("listing espera --pdf FICHERO o --printer NOMBRE");
    }
    return ImprimirConConsola(args, argc, argv, [&](host::ConsoleShell &console) {
        customers::frmExtractos_Cliente_Listado w(console);
        Abrir(w, console);
        const std::string modelo = args.Get("model");
        if (!modelo.empty() && modelo != "Detallado" && modelo != "Resumido") {
            throw std::runtime_error("--model espera Detallado o Resumido");
        }
        w.cboModelo.index = modelo == "Resumido" ? 1 : 0;
        // The dialog checks the dates and customers; here they are only handed over as typed.
        w.txtFechaI.text = args.Get("from");
        w.txtFechaF.text = args.Get("to");
        w.txtClienteInicial.code = args.Has("customer-from") ? Numero(args.Get("customer-from"), "--customer-from") : 0;
        w.txtClienteFinal.code = args.Has("customer-to") ? Numero(args.Get("customer-to"), "--customer-to") : 0;
        const std::string estado = args.Has("state") ? args.Get("state") : "TODOS";
        if (estado != "ABIERTO" && estado != "CERRADO" && estado != "TODOS") {
            throw std::runtime_error("--state espera ABIERTO, CERRADO o TODOS");
        }
        w.cboEstado.SelectData(estado == "ABIERTO" ? 1 : estado == "CERRADO" ? 2 : 3);
        w.cmdAceptar_Click();
    });
}

} // namespace app
