// Entry generation of one first-mode statement (lines linked to receipts, one paid above its
// receipt for an adjustment, prompt payment and "RI" lines): the builder, against inserting the
// same number of entry lines directly with a prepared statement in the same run. The whole
// "Generar Asiento" button is timed too, for what the user waits. Two sizes show how it scales.
#include "accounting/AsientoFacturas.h"
#include "db/OpenFile.h"
#include "db/sqlite/SqliteConnection.h"
#include "host/Contexto.h"
#include "host/ScriptedShell.h"
#include "schema/Schema.h"
#include "statements/frmExtractos.h"
#include "suite/Configuracion.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Comun.h"

namespace {

using bench::Exec;
using bench::Seconds;

long Scalar(sqlite3 *db, const std::string &sql) {
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    long v = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : 0;
    sqlite3_finalize(st);
    return v;
}

struct Result {
    int lines;
    long entryLines;
    double button, builder, reference;
};

// The demo's ready first-mode statement, its lines copied until it has about `lines` of them,
// each copy with its own document and its receipt links and tax rows.
Result Run(const std::string &dir, int lines) {
    bench::CrearDemo(dir);

    sqlite3 *raw = nullptr;
    sqlite3_open((dir + "/erp.db").c_str(), &raw);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(raw, "SELECT Cod_Extracto FROM Compras_PagosCentral_Extractos WHERE Cod_Extracto LIKE 'M1-%'", -1,
                       &st, nullptr);
    sqlite3_step(st);
    std::string code = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    std::vector<long> ids;
    sqlite3_prepare_v2(raw, ("SELECT IdExtractoLinea FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = '" +
                             code + "' ORDER BY IdExtractoLinea").c_str(),
                       -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        ids.push_back(sqlite3_column_int64(st, 0));
    }
    sqlite3_finalize(st);
    Exec(raw, "BEGIN");
    int copies = (lines + static_cast<int>(ids.size()) - 1) / static_cast<int>(ids.size()) - 1;
    for (int k = 1; k <= copies; ++k) {
        for (long id : ids) {
            std::string s = std::to_string(id), c = std::to_string(k);
            Exec(raw, "INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                      "Cod_Proveedor, Cod_ProveedorCentral, DocumentoCentral, Documento, Fecha, Importe, TipoPago, "
                      "Cta_Proveedor, Cta_ProveedorPdte, ProntoPago, Acreedor) SELECT Cod_Empresa, Cod_Almacen, "
                      "Cod_Extracto, Cod_Proveedor, Cod_ProveedorCentral, DocumentoCentral || '/" +
                          c + "', Documento || '/" + c +
                          "', Fecha, Importe, TipoPago, Cta_Proveedor, Cta_ProveedorPdte, ProntoPago, Acreedor FROM "
                          "Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " +
                          s);
            std::string nuevo = std::to_string(sqlite3_last_insert_rowid(raw));
            Exec(raw, "INSERT INTO Compras_PagosCentral_Entradas (IdExtractoLinea, Cod_Empresa, Cod_Ejercicio, "
                      "Cod_Almacen, Codigo, Contabilizado) SELECT " +
                          nuevo + ", Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Contabilizado FROM "
                                  "Compras_PagosCentral_Entradas WHERE IdExtractoLinea = " +
                          s);
            Exec(raw, "INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, Valor_Tipo, "
                      "Importe, Tipo) SELECT " +
                          nuevo + ", Base, Valor_Tipo, Importe, Tipo FROM "
                                  "Compras_PagosCentral_Extractos_Lineas_Impuestos WHERE IdExtractoLinea = " +
                          s);
        }
    }
    Exec(raw, "COMMIT");
    int total = static_cast<int>(Scalar(raw, "SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas WHERE "
                                             "Cod_Extracto = '" + code + "'"));
    sqlite3_close(raw);

    auto acc = db::OpenDatabaseFile(dir + "/contabilidad.db");
    auto erp = db::OpenDatabaseFile(dir + "/erp.db", {{"Contabilidad", "file:" + dir + "/contabilidad.db?mode=ro"}});
    auto &c = host::Contexto::Global();
    c.conexionVarnex = erp;
    c.conexionLumbra = acc;
    c.empresaVarnex = std::make_shared<suite::EmpresaVarnex>(erp, 1);
    c.empresaLumbra = std::make_shared<suite::EmpresaLumbra>(acc, 1);
    c.empresaVarnex->EstablecerParametro("PagoCentral_TipoExtracto", suite::Valor("1"));
    auto settings = std::make_shared<suite::Configuracion>(dir + "/settings.ini");
    settings->GuardarValor("FechaIExtracto", "01/01/2000");
    settings->GuardarValor("FechaFExtracto", "31/12/2099");
    host::ScriptedShell shell;
    statements::frmExtractos w(shell, settings);
    w.Show();
    w.cboEstado.SelectData(3);
    w.txtNumExtracto.text = code;
    w.Cargar_Extractos();
    w.vsExtractos.SetTicked(1, true);
    // The builder alone, inside the two transactions as the button runs it, first on the fresh data.
    auto cabecera = erp->OpenRecordset("SELECT FechaExtracto, Cod_Almacen FROM Compras_PagosCentral_Extractos WHERE "
                                       "Cod_Extracto = '" + code + "'");
    const std::string fecha = cabecera->Fields(0).AsText();
    const short almacen = static_cast<short>(cabecera->Fields(1).AsInt64());
    cabecera->Close();
    std::string asientos;
    acc->BeginTrans();
    erp->BeginTrans();
    auto t = std::chrono::steady_clock::now();
    {
        accounting::AsientoFacturas b(w, asientos);
        if (!b.GenerarAsientoFacturas(fecha, almacen, code, "")) {
            std::fprintf(stderr, "builder failed: %s\n", shell.Last().c_str());
            std::exit(1);
        }
    }
    acc->CommitTrans();
    erp->CommitTrans();
    double builder = Seconds(t);

    auto cuenta = acc->OpenRecordset("SELECT COUNT(*) FROM Apuntes");
    const long entryLines = static_cast<long>(cuenta->Fields(0).AsInt64());
    cuenta->Close();

    shell.answers = {host::Answer::Yes};
    shell.ClearLog();
    // Then the whole button on the same statement, still open: it writes the entry again.
    t = std::chrono::steady_clock::now();
    w.cmdGenerarAsiento_Click();
    double controller = Seconds(t);
    if (!w.Generado()) {
        std::fprintf(stderr, "entries failed: %s\n", shell.Last().c_str());
        std::exit(1);
    }

    c = host::Contexto();
    erp.reset();
    acc.reset();

    // The same number of entry lines written straight into the accounting database.
    sqlite3 *cont = nullptr;
    sqlite3_open((dir + "/contabilidad.db").c_str(), &cont);
    Exec(cont, "BEGIN");
    sqlite3_prepare_v2(cont,
                       "INSERT INTO Apuntes (Cod_Empresa, Cod_Ejercicio, Asiento, Linea, Fecha, FechaValor, Cuenta, "
                       "Contrapartida, Concepto, ConceptoTexto, Documento, Tipo, Almacen, Debe, Haber) VALUES (1, 9999, "
                       "?, ?, '2026-12-01', '2026-12-01', '4000000001', '', 0, 'Pago extracto', ?, 0, 2, ?, 0)",
                       -1, &st, nullptr);
    t = std::chrono::steady_clock::now();
    for (long i = 0; i < entryLines; ++i) {
        sqlite3_bind_int64(st, 1, 1 + i / 1000);
        sqlite3_bind_int64(st, 2, 1 + i % 1000);
        std::string doc = "DOC-" + std::to_string(i);
        sqlite3_bind_text(st, 3, doc.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(st, 4, 10.0 + (i % 997) * 0.25);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    Exec(cont, "COMMIT");
    double reference = Seconds(t);
    sqlite3_close(cont);
    return {total, entryLines, controller, builder, reference};
}

} // namespace

int main(int argc, char **argv) {
    int small = argc > 1 ? std::atoi(argv[1]) : 1000;
    int big = argc > 2 ? std::atoi(argv[2]) : 10000;
    std::string base = std::filesystem::temp_directory_path() / "pagocentral-bench-entries";
    setenv("USERPROFILE", base.c_str(), 1);
    bool ok = true;
    double tiempos[2] = {0, 0};
    int i = 0;
    for (int n : {small, big}) {
        Result r = Run(base + "/" + std::to_string(n), n);
        double ratio = r.builder / r.reference;
        std::printf("entries of a %d-line statement (%ld entry lines): builder %.3f s, direct INSERT %.3f s, "
                    "ratio %.2f (aim 3); the whole button (line check, builder, closing, reload) %.3f s, "
                    "ratio %.2f\n",
                    r.lines, r.entryLines, r.builder, r.reference, ratio, r.button, r.button / r.reference);
        ok = ok && ratio <= 3;
        tiempos[i++] = r.builder;
    }
    std::printf("scaling: %dx the lines took %.1fx the time\n", big / std::max(1, small),
                tiempos[1] / std::max(1e-9, tiempos[0]));
    std::filesystem::remove_all(base);
    return ok ? 0 : 2;
}
