#include "app/ComandosVinculos.h"

#include "app/ComandosExtractos.h"
#include "app/LineasComando.h"
#include "app/Sesion.h"
#include "db/Sql.h"
#include "host/ConsoleShell.h"
#include "host/Contexto.h"
#include "host/ScriptedShell.h"
#include "lines/frmExtractos_Lineas.h"
#include "lines/frmExtractos_Lineas_NoPagoFechaVto.h"
#include "lines/frmExtractos_Lineas_Vinculos.h"
#include "lines/frmExtractos_Lineas_Vinculos_2.h"
#include "lines/frmPedirProveedor.h"
#include "statements/frmExtractos.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"

#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace app {

namespace {

using lines::frmExtractos_Lineas;

// Ticks the rows whose `col` holds one of `wanted`; names the first one missing.
template <class G> void Marcar(G &grid, int col, const std::vector<std::string> &wanted, const std::string &what) {
    for (const auto &v : wanted) {
        bool found = false;
        for (int r = 1; r <= grid.DataRows(); ++r) {
            if (grid.Text(r, col) == v) {
                grid.SetTicked(r, true);
                found = true;
            }
        }
        if (!found) {
            throw std::runtime_error(what + " " + v + " no está en la lista de la línea");
        }
    }
}

} // namespace

int ComandoLink(const Args &args) {
    if (!args.Has("line")) {
        throw std::runtime_error("link espera --line ID");
    }
    long id = Numero(args.Get("line"), "--line");
    bool previsiones = args.Has("forecasts");
    if (previsiones == args.Has("documents")) {
        throw std::runtime_error("link espera --forecasts A,B o --documents K,L");
    }
    std::vector<std::string> wanted = Lista(args.Get(previsiones ? "forecasts" : "documents"));
    if (wanted.empty()) {
        throw std::runtime_error("La lista de --" + std::string(previsiones ? "forecasts" : "documents") +
                                 " está vacía");
    }
    bool unlink = args.Has("unlink");
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    AbrirSesion(args, console);
    frmExtractos_Lineas w(console);
    AbrirLineas(w, console, id);
    w.vsLineas.row = FilaDe(w, id);
    w.vsLineas_RowColChange(w.vsLineas.row);
    if (!w.LineaVinculable()) {
        console.MsgBox("La línea " + std::to_string(id) + " no se puede vincular (tipo de pago, No Pago, nueva fecha "
                                                          "de vencimiento, acreedor o pronto pago).",
                       "¡ Atención !", host::Icon::Warning, host::Buttons::Ok, host::Answer::Ok);
        return 1;
    }
    int modo = w.Modo();
    if ((modo == 2) != previsiones) {
        throw std::runtime_error(modo == 2 ? "En el modo 2 las líneas se vinculan a previsiones: use --forecasts"
                                           : "En el modo 1 las líneas se vinculan a documentos: use --documents");
    }
    bool shown = false;
    std::ostringstream grid;
    auto press = [&](auto &v, int col, const char *what) {
        shown = true;
        Marcar(v.vsLineas, col, wanted, what);
        if (unlink) {
            v.cmdDesvincular_Click();
        } else {
            v.cmdVincular_Click();
        }
        ImprimirGrid(v.vsLineas, grid);
    };
    console.handlers["frmExtractos_Lineas_Vinculos_2"] = [&](host::Window &win) {
        auto &v = static_cast<lines::frmExtractos_Lineas_Vinculos_2 &>(win);
        press(v, lines::frmExtractos_Lineas_Vinculos_2::colApunte, "La previsión de pago");
    };
    console.handlers["frmExtractos_Lineas_Vinculos"] = [&](host::Window &win) {
        auto &v = static_cast<lines::frmExtractos_Lineas_Vinculos &>(win);
        press(v, lines::frmExtractos_Lineas_Vinculos::colDocumento, "El documento");
    };
    int before = console.warningsShown;
    w.cmdVincular_Click();
    if (!shown) {
        return 1;
    }
    if (unlink && !args.Has("yes") && console.warningsShown == before) {
        std::cerr << "Desvinculación no confirmada: nada se ha desvinculado (confirme con --yes)\n";
        return 1;
    }
    std::cout << grid.str();
    return console.warningsShown > before ? 1 : 0;
}

int ComandoMark(const Args &args) {
    if (!args.Has("line")) {
        throw std::runtime_error("mark espera --line ID[,ID...]");
    }
    std::vector<long> ids = Ids(args.Get("line"), "--line");
    int modos = (args.Has("nopago") ? 1 : 0) + (args.Has("clear") ? 1 : 0) + (args.Has("due") ? 1 : 0);
    if (modos != 1) {
        throw std::runtime_error("mark espera una de --nopago, --clear o --due D");
    }
    std::string due = args.Has("due") ? FechaOpcion(args, "due") : "";
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    AbrirSesion(args, console);
    frmExtractos_Lineas w(console);
    AbrirLineas(w, console, ids.front());
    if (w.Modo() != 2) {
        throw std::runtime_error("Las marcas de No Pago y nueva fecha de vencimiento son del modo de extractos 2");
    }
    for (long id : ids) {
        w.vsLineas.SetTicked(FilaDe(w, id), true);
    }
    bool aceptado = false;
    console.handlers["frmExtractos_Lineas_NoPagoFechaVto"] = [&](host::Window &win) {
        auto &d = static_cast<lines::frmExtractos_Lineas_NoPagoFechaVto &>(win);
        d.chkNoPago.value = args.Has("nopago");
        d.txtFechaVto.text = due;
        host::TextField *obs[] = {&d.txtObs1, &d.txtObs2, &d.txtObs3, &d.txtObs4};
        for (int i = 0; i < 4; ++i) {
            std::string opt = "obs" + std::to_string(i + 1);
            if (args.Has(opt)) {
                obs[i]->text = args.Get(opt);
            }
        }
        d.cmdAceptar_Click();
        aceptado = d.aceptado;
    };
    int before = console.warningsShown;
    w.CommandBars_Execute(args.Has("due") ? frmExtractos_Lineas::menuNuevaFechaVto : frmExtractos_Lineas::menuNoPago);
    if (!aceptado || console.warningsShown > before) {
        return 1;
    }
    ImprimirGrid(w.vsLineas, std::cout);
    return 0;
}

int ComandoMatch(const Args &args) {
    if (args.Positional().size() != 2) {
        throw std::runtime_error("match espera ALMACEN y EXTRACTO");
    }
    long almacen = Numero(args.Positional()[0], "El almacén");
    const std::string &codigo = args.Positional()[1];
    long proveedor = args.Has("supplier") ? Numero(args.Get("supplier"), "--supplier") : 0;
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    AbrirSesion(args, console);
    using statements::frmExtractos;
    frmExtractos w(console);
    host::ScriptedShell quiet;
    w.SetShell(quiet);
    w.Show();
    // Every statement of the warehouse, without touching the saved filters.
    w.cboEstado.SelectData(3);
    w.txtAlmacen.code = almacen;
    w.txtNumExtracto.text = codigo;
    w.txtFechaI.text = "01/01/1900";
    w.txtFechaF.text = "31/12/9999";
    w.Cargar_Extractos();
    w.SetShell(console);
    if (!quiet.messages.empty()) {
        throw std::runtime_error(quiet.messages.back().text);
    }
    int fila = 0;
    for (int r = 1; r <= w.vsExtractos.DataRows(); ++r) {
        if (w.vsExtractos.Text(r, frmExtractos::colAlmacen) == std::to_string(almacen) &&
            w.vsExtractos.Text(r, frmExtractos::colExtracto) == codigo) {
            fila = r;
        }
    }
    if (!fila) {
        throw std::runtime_error("No existe el extracto " + codigo + " del almacén " + std::to_string(almacen));
    }
    w.vsExtractos_RowColChange(fila);
    if (!w.cmdCasacionAut.visible) {
        throw std::runtime_error("La casación automática solo existe con PagoCentral_TipoExtracto = 2");
    }
    if (!w.cmdCasacionAut.enabled) {
        throw std::runtime_error("El extracto " + codigo + " está cerrado");
    }
    // The links of the statement's lines before and after, to tell how many lines the run linked.
    std::string vinculos = "SELECT pp.IdExtractoLinea, pp.IdPrevPago FROM Compras_PagosCentral_PrevPagos pp"
                           " INNER JOIN Compras_PagosCentral_Extractos_Lineas lin ON lin.IdExtractoLinea = "
                           "pp.IdExtractoLinea WHERE lin.Cod_Empresa =" +
                           std::to_string(host::Contexto::Global().empresaVarnex->Codigo()) +
                           " AND lin.Cod_Almacen =" + std::to_string(almacen) +
                           " AND lin.Cod_Extracto =" + db::Quote(codigo);
    auto leer = [&] {
        std::set<std::pair<long long, long long>> pares;
        auto rs = host::Contexto::Global().conexionVarnex->OpenRecordset(vinculos);
        while (!rs->Eof()) {
            pares.emplace(rs->Fields(0).AsInt64(), rs->Fields(1).AsInt64());
            rs->MoveNext();
        }
        rs->Close();
        return pares;
    };
    auto antes = leer();
    console.handlers["frmPedirProveedor"] = [&](host::Window &win) {
        auto &p = static_cast<lines::frmPedirProveedor &>(win);
        p.txtProv.code = proveedor;
        p.txtProv.text = proveedor > 0 ? std::to_string(proveedor) : "";
        p.txtProv_Change();
        p.cmdAceptar_Click();
    };
    w.cmdCasacionAut_Click();
    if (!w.Casado()) {
        return 1;
    }
    std::set<long long> lineas;
    std::size_t nuevos = 0;
    for (const auto &par : leer()) {
        if (!antes.count(par)) {
            lineas.insert(par.first);
            ++nuevos;
        }
    }
    std::cout << "Líneas vinculadas: " << lineas.size() << " (previsiones de pago vinculadas: " << nuevos << ")\n";
    return 0;
}

} // namespace app
