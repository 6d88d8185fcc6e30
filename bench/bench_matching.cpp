// Automatic matching of one statement against 200,000 pending payment forecasts, run through the
// statement list's button, against the bare matching INSERT on the same data in the same run
// (rolled back, so both see the same links). Two statement sizes show how it scales.
#include "db/Connection.h"
#include "db/OpenFile.h"
#include "db/sqlite/SqliteConnection.h"
#include "host/Contexto.h"
#include "host/ScriptedShell.h"
#include "lines/frmPedirProveedor.h"
#include "schema/Schema.h"
#include "statements/frmExtractos.h"
#include "suite/Configuracion.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Valor.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "Comun.h"

namespace {

using bench::Exec;
using bench::Seconds;

const int kProveedores = 400;

std::string Doc(int n) {
    char b[32];
    std::snprintf(b, sizeof b, "FAC%07d", n);
    return b;
}

struct Lote {
    std::string code;
    int lines;
    int suppliers = kProveedores; // spread over four weeks; with few, all on one day
};

// `forecasts` pending forecasts with amounts that repeat every 40,000, so every line has a few
// candidates of its amount; statement `code` gets `lines` lines, most of them fitting one forecast.
void Generar(sqlite3 *erp, sqlite3 *acc, int forecasts, const std::vector<Lote> &statements) {
    Exec(acc, "BEGIN");
    sqlite3_stmt *pp = nullptr;
    sqlite3_prepare_v2(acc,
                       "INSERT INTO Previsiones_Pago (Cod_Empresa, Cuenta, Documento, Documento2, Fecha_Doc, Fecha_Vto, "
                       "Importe, Estado, FormaPago, Asiento, Cod_Ejercicio) VALUES (1, '4000000001', ?, '', "
                       "'2026-05-01', ?, ?, ?, 2, 0, 2026)",
                       -1, &pp, nullptr);
    for (int i = 0; i < forecasts; ++i) {
        std::string d = Doc(i);
        sqlite3_bind_text(pp, 1, d.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(pp, 2, i % 10 == 9 ? "2026-08-01" : "2026-06-10", -1, SQLITE_STATIC);
        sqlite3_bind_double(pp, 3, 10.0 + (i % 40000) * 0.75);
        sqlite3_bind_int(pp, 4, i % 13 == 5 ? 1 : 0);
        sqlite3_step(pp);
        sqlite3_reset(pp);
    }
    sqlite3_finalize(pp);
    Exec(acc, "COMMIT");
    Exec(acc, "ANALYZE");

    Exec(erp, "BEGIN");
    sqlite3_stmt *ext = nullptr, *lin = nullptr;
    sqlite3_prepare_v2(erp,
                       "INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                       "FechaExtracto, FechaVto, Cerrado) VALUES (1, 1, ?, '2026-06-01', '2026-06-30', 0)",
                       -1, &ext, nullptr);
    sqlite3_prepare_v2(erp,
                       "INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                       "Cod_Proveedor, Cod_ProveedorCentral, DocumentoCentral, Documento, Fecha, Importe, TipoPago, "
                       "Id_Relacion, Cta_Proveedor, Acreedor, ProntoPago, ImporteVinculado, NoPago) VALUES (1, 1, ?, ?, "
                       "0, ?, ?, ?, ?, 1, 0, '', 0, 0, 0, 0)",
                       -1, &lin, nullptr);
    int base = 0;
    for (const auto &[code, lines, suppliers] : statements) {
        bool oneDay = suppliers < kProveedores;
        sqlite3_bind_text(ext, 1, code.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(ext);
        sqlite3_reset(ext);
        for (int l = 0; l < lines; ++l) {
            int f = (base + l * 7) % forecasts;
            // One line in 50 is entered twice; one in 20 fits nothing.
            std::string d = l % 20 == 19 ? "SIN-" + std::to_string(l) : "P/" + Doc(f);
            double amount = l % 20 == 19 ? 0.01 : 10.0 + (f % 40000) * 0.75;
            int copies = l % 50 == 7 ? 2 : 1;
            for (int k = 0; k < copies; ++k) {
                // A few hundred suppliers over four weeks, as a real statement has.
                char fecha[16];
                std::snprintf(fecha, sizeof fecha, "2026-05-%02d", oneDay ? 1 : 1 + (l / suppliers) % 28);
                sqlite3_bind_text(lin, 1, code.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(lin, 2, 1 + l % suppliers);
                sqlite3_bind_text(lin, 3, d.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(lin, 4, (k ? "X" + d : d).c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(lin, 5, fecha, -1, SQLITE_TRANSIENT);
                sqlite3_bind_double(lin, 6, amount);
                sqlite3_step(lin);
                sqlite3_reset(lin);
            }
        }
        base += 100003;
    }
    sqlite3_finalize(ext);
    sqlite3_finalize(lin);
    Exec(erp, "COMMIT");
    Exec(erp, "ANALYZE");
}

// The matching INSERT alone, as SQLite runs it (the document test keeps SQL Server's
// case-insensitive CHARINDEX), over a working table of suspected duplicates built beforehand.
std::string Referencia(const std::string &code) {
    return "INSERT INTO Compras_PagosCentral_PrevPagos (IdExtractoLinea, IdPrevPago, Contabilizado, Importe) "
           "SELECT DISTINCT lin.IdExtractoLinea, pp.Apunte, 0, pp.Importe FROM Compras_PagosCentral_Extractos_Lineas "
           "lin JOIN Contabilidad.Previsiones_Pago pp ON lin.Importe = pp.Importe AND "
           "(substr(rtrim(lin.Documento), -4, 4) = substr(rtrim(pp.Documento), -4, 4) OR (CASE WHEN "
           "length(rtrim(pp.Documento)) = 0 THEN 0 ELSE instr(upper(rtrim(lin.Documento)), upper(rtrim(pp.Documento))) "
           "END) > 0) LEFT JOIN temp.Duplicadas tmp ON tmp.Cod_Proveedor = lin.Cod_Proveedor AND tmp.Documento = "
           "lin.Documento AND tmp.Fecha = lin.Fecha WHERE lin.Cod_Empresa = 1 AND lin.Cod_Almacen = 1 AND lin.Cod_Extracto = '" +
           code +
           "' AND pp.Fecha_Vto <= '2026-06-30' AND pp.Estado = 0 AND pp.Apunte NOT IN (SELECT IdPrevPago FROM "
           "Compras_PagosCentral_PrevPagos) AND tmp.Cod_Proveedor IS NULL";
}

std::string Duplicadas(const std::string &code) {
    return "CREATE TEMP TABLE Duplicadas AS SELECT lin.Cod_Proveedor, lin.Documento, lin.Fecha FROM "
           "Compras_PagosCentral_Extractos_Lineas lin WHERE lin.Cod_Empresa = 1 AND lin.Cod_Almacen = 1 AND "
           "lin.Cod_Extracto = '" +
           code +
           "' AND EXISTS (SELECT 1 FROM Compras_PagosCentral_Extractos_Lineas lin2 WHERE lin.Cod_Empresa = "
           "lin2.Cod_Empresa AND lin.Cod_Extracto = lin2.Cod_Extracto AND lin.Cod_Proveedor = lin2.Cod_Proveedor AND "
           "lin.Fecha = lin2.Fecha AND substr(rtrim(lin.Documento), -4, 4) = substr(rtrim(lin2.Documento), -4, 4) AND "
           "lin.IdExtractoLinea <> lin2.IdExtractoLinea) GROUP BY lin.Cod_Proveedor, lin.Documento, lin.Fecha";
}

// The statement list showing statement `code` alone, current, with the supplier prompt answered blank.
void Preparar(host::ScriptedShell &shell, statements::frmExtractos &w, const std::string &code) {
    shell.handlers["frmPedirProveedor"] = [](host::Window &win) {
        static_cast<lines::frmPedirProveedor &>(win).cmdAceptar_Click();
    };
    w.Show();
    w.cboEstado.SelectData(3);
    w.txtNumExtracto.text = code;
    w.Cargar_Extractos();
    w.vsExtractos_RowColChange(1);
}

} // namespace

int main(int argc, char **argv) {
    int forecasts = argc > 1 ? std::atoi(argv[1]) : 200000;
    int small = argc > 2 ? std::atoi(argv[2]) : 1000;
    int big = argc > 3 ? std::atoi(argv[3]) : 10000;
    std::string dir = std::filesystem::temp_directory_path() / "pagocentral-bench-matching";
    bench::CrearDemo(dir, "2026-06-30");

    sqlite3 *raw = nullptr, *rawAcc = nullptr;
    sqlite3_open((dir + "/erp.db").c_str(), &raw);
    sqlite3_open((dir + "/contabilidad.db").c_str(), &rawAcc);
    // Other statements' lines too, so that the duplicate search has the whole table to look through.
    // And statements whose lines belong to three suppliers on one day: every line has thousands of
    // neighbours of the same supplier and date for the duplicate search.
    const int pocos[] = {1000, 10000, 100000};
    std::vector<Lote> lotes = {{"OTROS", 50000}, {"M-PEQ", small}, {"M-GRANDE", big}};
    for (int n : pocos) {
        lotes.push_back({"POCOS-" + std::to_string(n), n, 3});
    }
    Generar(raw, rawAcc, forecasts, lotes);
    sqlite3_close(rawAcc);
    Exec(raw, ("ATTACH '" + dir + "/contabilidad.db' AS Contabilidad").c_str());

    auto erp = db::OpenDatabaseFile(dir + "/erp.db", {{"Contabilidad", dir + "/contabilidad.db"}});
    auto lumbra = db::OpenDatabaseFile(dir + "/contabilidad.db");
    auto &c = host::Contexto::Global();
    c.conexionVarnex = erp;
    c.conexionLumbra = lumbra;
    c.empresaVarnex = std::make_shared<suite::EmpresaVarnex>(erp, 1);
    c.empresaLumbra = std::make_shared<suite::EmpresaLumbra>(lumbra, 1);
    c.empresaVarnex->EstablecerParametro("PagoCentral_TipoExtracto", suite::Valor("2"));
    auto settings = std::make_shared<suite::Configuracion>(dir + "/settings.ini");
    settings->GuardarValor("FechaIExtracto", "01/01/2000");
    settings->GuardarValor("FechaFExtracto", "31/12/2099");

    bool ok = true;
    double tiempos[2] = {0, 0};
    int sizes[2] = {small, big};
    const char *codes[2] = {"M-PEQ", "M-GRANDE"};
    for (int i = 0; i < 2; ++i) {
        // The bare INSERT, twice (the first also warms the cache), rolled back each time.
        double ref = 1e9;
        int linked = 0;
        Exec(raw, Duplicadas(codes[i]));
        for (int k = 0; k < 2; ++k) {
            Exec(raw, "BEGIN");
            auto t = std::chrono::steady_clock::now();
            Exec(raw, Referencia(codes[i]));
            ref = std::min(ref, Seconds(t));
            linked = sqlite3_changes(raw);
            Exec(raw, "ROLLBACK");
        }
        Exec(raw, "DROP TABLE temp.Duplicadas");

        host::ScriptedShell shell;
        statements::frmExtractos w(shell, settings);
        Preparar(shell, w, codes[i]);
        auto t = std::chrono::steady_clock::now();
        w.cmdCasacionAut_Click();
        double ctl = Seconds(t);
        tiempos[i] = ctl;
        // The list reload that ends the operation, measured on its own.
        t = std::chrono::steady_clock::now();
        w.Cargar_Extractos();
        double recarga = Seconds(t);
        auto rs = erp->OpenRecordset("SELECT COUNT(*) FROM Compras_PagosCentral_PrevPagos pp INNER JOIN "
                                     "Compras_PagosCentral_Extractos_Lineas lin ON lin.IdExtractoLinea = "
                                     "pp.IdExtractoLinea WHERE lin.Cod_Extracto = '" +
                                     std::string(codes[i]) + "'");
        long got = static_cast<long>(rs->Fields(0).AsInt64());
        rs->Close();
        if (!shell.messages.empty() || shell.taskDialogs.size() != 1) {
            std::fprintf(stderr, "matching failed: %s\n", shell.Last().c_str());
            return 1;
        }
        double ratio = ctl / ref;
        std::printf("matching %6d lines vs %d forecasts: controller %.3f s, bare INSERT %.3f s (%d links, "
                    "controller %ld), ratio %.2f (aim 1.5); list reload %.3f s of it\n",
                    sizes[i], forecasts, ctl, ref, linked, got, ratio, recarga);
        ok = ok && ratio <= 1.5;
    }
    std::printf("scaling: %dx the lines took %.1fx the time\n", big / std::max(1, small),
                tiempos[1] / std::max(1e-9, tiempos[0]));

    // Few suppliers on one day: the time should grow with the lines, not with their square.
    double anterior = 0;
    for (int n : pocos) {
        host::ScriptedShell shell;
        statements::frmExtractos w(shell, settings);
        Preparar(shell, w, "POCOS-" + std::to_string(n));
        auto t = std::chrono::steady_clock::now();
        w.cmdCasacionAut_Click();
        double s = Seconds(t);
        if (!shell.messages.empty() || shell.taskDialogs.size() != 1) {
            std::fprintf(stderr, "matching failed: %s\n", shell.Last().c_str());
            return 1;
        }
        std::printf("few suppliers, one day: %6d lines in %.3f s", n, s);
        if (anterior > 0) {
            std::printf(" (10x the lines took %.1fx the time, aim 15)", s / anterior);
            ok = ok && s / anterior <= 15;
        }
        std::printf("\n");
        anterior = s;
    }
    sqlite3_close(raw);
    return ok ? 0 : 2;
}
