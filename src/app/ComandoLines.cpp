#include "app/ComandoLines.h"

#include "app/ComandosExtractos.h"
#include "app/Sesion.h"
#include "db/Sql.h"
#include "host/ConsoleShell.h"
#include "host/Contexto.h"
#include "host/ScriptedShell.h"
#include "lines/frmExtractos_Lineas.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Fecha.h"

#include <iostream>
#include <sstream>
#include <stdexcept>

namespace app {

namespace {

suite::Fecha FechaDe(const db::Field &f) {
    return f.IsNull() ? suite::Fecha() : suite::Fecha::Parse(f.AsText()).value_or(suite::Fecha());
}

} // namespace

int ComandoLines(const Args &args) {
    if (args.Positional().size() != 2) {
        throw std::runtime_error("lines espera ALMACEN y EXTRACTO");
    }
    long almacen = Numero(args.Positional()[0], "El almacén");
    const std::string &codigo = args.Positional()[1];
    std::string desde = args.Has("from") ? FechaOpcion(args, "from") : "";
    std::string hasta = args.Has("to") ? FechaOpcion(args, "to") : "";
    long proveedor = args.Has("supplier") ? Numero(args.Get("supplier"), "--supplier") : 0;

    host::ConsoleShell console(std::cerr, args.Has("yes"));
    AbrirSesion(args, console);
    auto &ctx = host::Contexto::Global();
    auto rs = ctx.conexionVarnex->OpenRecordset(
        "SELECT Cerrado, FechaExtracto, FechaVto FROM Compras_PagosCentral_Extractos WHERE Cod_Empresa =" +
        std::to_string(ctx.empresaVarnex->Codigo()) + " AND Cod_Almacen =" + std::to_string(almacen) +
        " AND Cod_Extracto =" + db::Quote(codigo));
    if (rs->Eof()) {
        throw std::runtime_error("No existe el extracto " + codigo + " del almacén " + std::to_string(almacen));
    }
    lines::frmExtractos_Lineas w(console);
    w.extractoCerrado = rs->Fields("Cerrado").AsInt64() != 0;
    w.codAlmacen = static_cast<int>(almacen);
    w.codExtracto = codigo;
    w.fechaExtracto = FechaDe(rs->Fields("FechaExtracto"));
    w.fechaVto = FechaDe(rs->Fields("FechaVto"));
    rs->Close();

    bool filtros = !desde.empty() || !hasta.empty() || args.Has("supplier") || args.Has("document") ||
                   args.Has("central");
    if (filtros) {
        // The window loads once with its saved dates; only the load with the options is reported.
        host::ScriptedShell quiet;
        w.SetShell(quiet);
        w.Show();
        w.SetShell(console);
        if (!desde.empty()) {
            w.txtFechaI.text = desde;
            w.txtFechaI_Change();
        }
        if (!hasta.empty()) {
            w.txtFechaF.text = hasta;
            w.txtFechaF_Change();
        }
        w.txtProv.code = proveedor;
        w.txtDocumento.text = args.Get("document");
        w.txtDocumentoCentral.text = args.Get("central");
        w.txtFechaF_Enter();
    } else {
        w.Show();
    }

    // Each line's id first (the one link and mark ask for), then the grid's layout, then the row's
    // background colour and the "Tipo Pago" cell's own.
    using L = lines::frmExtractos_Lineas;
    std::ostringstream grid;
    ImprimirGrid(w.vsLineas, grid);
    std::istringstream in(grid.str());
    std::string line;
    int row = 0;
    auto color = [&](int col) {
        long c = w.vsLineas.CellBackColor(row, col);
        return c == -1 ? std::string() : std::to_string(c);
    };
    while (std::getline(in, line)) {
        if (row == 0) {
            std::cout << "IdExtractoLinea\t" << line << "\tColor\tColor Tipo Pago\n";
        } else {
            std::cout << w.vsLineas.Text(row, L::colIdLinea) << "\t" << line << "\t" << color(L::colImporte) << "\t"
                      << color(L::colTipoPago) << "\n";
        }
        ++row;
    }
    return console.warningsShown > 0 ? 1 : 0;
}

} // namespace app
