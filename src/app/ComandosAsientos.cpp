#include "app/ComandosAsientos.h"

#include "app/Celda.h"
#include "app/ComandosExtractos.h"
#include "app/DataFolder.h"
#include "app/Sesion.h"
#include "accounting/frmCuentaContrapartida.h"
#include "db/Sql.h"
#include "host/ConsoleShell.h"
#include "statements/frmExtractos.h"

#include <cstdint>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace app {

int ComandoEntries(const Args &args) {
    if (args.Positional().empty()) {
        throw std::runtime_error("Indique los extractos a contabilizar como ALMACEN:EXTRACTO");
    }
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    AbrirSesion(args, console);
    statements::frmExtractos w(console);
    ListaCompleta(w, console);
    if (console.warningsShown > 0) {
        return 1;
    }
    MarcarExtractos(w, args.Positional());
    const bool conContra = args.Has("contra");
    const std::string contra = args.Get("contra");
    console.handlers["frmCuentaContrapartida"] = [&](host::Window &win) {
        auto &p = static_cast<accounting::frmCuentaContrapartida &>(win);
        if (conContra) {
            p.txtCtaContrapartida.text = contra;
            p.txtCtaContrapartida_Change();
            p.cmdAceptar_Click();
        } else {
            p.cmdCancelar_Click();
        }
    };
    w.cmdGenerarAsiento_Click();
    if (!w.Generado()) {
        // Sage 200 files of statements accounted before the failure stay; the user has to remove them.
        for (const auto &fichero : w.FicherosGenerados) {
            std::cerr << "Fichero escrito por una ejecución deshecha: " << fichero << "\n";
        }
        // The window's refusals do not always name the statement; a script needs to know which.
        std::cerr << "Extractos sin cerrar:";
        for (const auto &clave : args.Positional()) {
            std::cerr << " " << clave;
        }
        std::cerr << "\n";
        return 1;
    }
    for (const auto &fichero : w.FicherosGenerados) {
        std::cout << fichero << "\n";
    }
    std::cout << "Cerrados: " << args.Positional().size() << "\n";
    return 0;
}

int ComandoJournal(const Args &args) {
    DataFolder folder(args.Get("data", DataFolder::DefaultPath()));
    const int company = args.GetInt("company", 1);
    const int accounting = args.GetInt("accounting-company", company);
    std::string where = " WHERE a.Cod_Empresa = " + std::to_string(accounting);
    if (args.Has("from")) {
        where += " AND a.Fecha >= " + db::Quote(FechaOpcion(args, "from"));
    }
    if (args.Has("to")) {
        where += " AND a.Fecha <= " + db::Quote(FechaOpcion(args, "to"));
    }
    if (args.Has("entry")) {
        where += " AND a.Asiento = " + std::to_string(Numero(args.Get("entry"), "--entry"));
    }
    db::ConnectionPtr erp, acc;
    folder.Open(company, erp, acc);
    auto rs = acc->OpenRecordset(
        "SELECT a.Cod_Ejercicio, a.Asiento, a.Fecha, a.Linea, a.Cuenta, ISNULL(c.Nombre,'') AS NombreCuenta,"
        " a.ConceptoTexto, a.Documento, a.Debe, a.Haber"
        " FROM Apuntes a"
        " LEFT JOIN Cuentas c ON c.Cod_Empresa = a.Cod_Empresa AND c.Cod_Ejercicio = a.Cod_Ejercicio"
        " AND c.Cuenta = a.Cuenta" +
        where + " ORDER BY a.Cod_Ejercicio, a.Asiento, a.Linea");
    std::cout << "Asiento\tFecha\tLinea\tCuenta\tNombreCuenta\tConcepto\tDocumento\tDebe\tHaber\n";
    struct Suma {
        std::string ejercicio, asiento;
        std::int64_t debe = 0, haber = 0;
    };
    std::vector<Suma> asientos;
    std::int64_t debe = 0, haber = 0;
    for (; !rs->Eof(); rs->MoveNext()) {
        std::string line;
        for (std::size_t i = 1; i < rs->FieldCount(); ++i) {
            line += (i > 1 ? "\t" : "") + Celda(rs->Fields(i));
        }
        std::cout << line << "\n";
        const std::string ejercicio = rs->Fields(0).AsText(), asiento = rs->Fields(1).AsText();
        if (asientos.empty() || asientos.back().ejercicio != ejercicio || asientos.back().asiento != asiento) {
            asientos.push_back({ejercicio, asiento});
        }
        const std::int64_t d = rs->Fields("Debe").AsCurrencyUnits(), h = rs->Fields("Haber").AsCurrencyUnits();
        asientos.back().debe += d;
        asientos.back().haber += h;
        debe += d;
        haber += h;
    }
    for (const auto &a : asientos) {
        if (a.debe != a.haber) {
            std::cout << "Asiento " << a.asiento << " (ejercicio " << a.ejercicio << ") no cuadra: Debe "
                      << Importe(a.debe) << " Haber " << Importe(a.haber) << "\n";
        }
    }
    std::cout << "Debe/Haber totals\t" << Importe(debe) << "\t" << Importe(haber) << "\n";
    return 0;
}

} // namespace app
