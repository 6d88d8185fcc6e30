// The statement list (5,000 statements of 40 lines) and the lines window (one statement of 20,000
// lines), both modes, loaded through their controllers, against hand-written queries that compute the
// same rows over the same data in the same run. Prints the ratios.
#include "db/Connection.h"
#include "db/OpenFile.h"
#include "db/sqlite/SqliteConnection.h"
#include "host/Contexto.h"
#include "host/ScriptedShell.h"
#include "lines/frmExtractos_Lineas.h"
#include "schema/Schema.h"
#include "statements/frmExtractos.h"
#include "suite/Configuracion.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"
#include "suite/Valor.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "Comun.h"

namespace {

using bench::Exec;
using bench::Seconds;

// Every row of the query read, as the windows read theirs.
int Leer(sqlite3 *db, const std::string &sql) {
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
    int n = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            sqlite3_column_text(st, c);
        }
        ++n;
    }
    sqlite3_finalize(st);
    return n;
}

// Statements of 40 lines from warehouse 1, each line linked to a receipt and to a forecast.
void Generar(const std::string &file, int statements, int lines, const char *prefix) {
    sqlite3 *db = nullptr;
    sqlite3_open(file.c_str(), &db);
    Exec(db, "BEGIN");
    sqlite3_stmt *ext = nullptr, *lin = nullptr, *ent = nullptr, *pp = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                       "FechaExtracto, FechaVto, Cerrado) VALUES (1, 1, ?, '2026-06-01', '2026-06-15', 0)",
                       -1, &ext, nullptr);
    sqlite3_prepare_v2(db,
                       "INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                       "Cod_Proveedor, Cod_ProveedorCentral, DocumentoCentral, Documento, Fecha, Importe, TipoPago, "
                       "Id_Relacion, Cta_Proveedor, Acreedor, ProntoPago, ImporteVinculado, NoPago) VALUES (1, 1, ?, "
                       "?, 0, ?, ?, '2026-05-20', ?, 1, 0, '', 0, 0, 0, 0)",
                       -1, &lin, nullptr);
    sqlite3_prepare_v2(db,
                       "INSERT INTO Compras_PagosCentral_Entradas (IdExtractoLinea, Cod_Empresa, Cod_Ejercicio, "
                       "Cod_Almacen, Codigo, Contabilizado) VALUES (?, 1, 2026, 1, ?, 0)",
                       -1, &ent, nullptr);
    sqlite3_prepare_v2(db,
                       "INSERT INTO Compras_PagosCentral_PrevPagos (IdExtractoLinea, IdPrevPago, Contabilizado, "
                       "Importe) VALUES (?, ?, 0, ?)",
                       -1, &pp, nullptr);
    for (int s = 0; s < statements; ++s) {
        std::string code = prefix + std::to_string(s);
        sqlite3_bind_text(ext, 1, code.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(ext);
        sqlite3_reset(ext);
        for (int l = 0; l < lines; ++l) {
            std::string doc = "F-" + std::to_string(s) + "-" + std::to_string(l);
            sqlite3_bind_text(lin, 1, code.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(lin, 2, 10 + l % 10);
            sqlite3_bind_text(lin, 3, doc.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(lin, 4, doc.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(lin, 5, 10.0 + (l % 97) * 1.25);
            sqlite3_step(lin);
            sqlite3_reset(lin);
            sqlite3_int64 id = sqlite3_last_insert_rowid(db);
            if (l % 2 == 0) {
                sqlite3_bind_int64(ent, 1, id);
                sqlite3_bind_int(ent, 2, 1 + l % 30);
                sqlite3_step(ent);
                sqlite3_reset(ent);
            }
            sqlite3_bind_int64(pp, 1, id);
            sqlite3_bind_int64(pp, 2, 1 + id % 300);
            sqlite3_bind_double(pp, 3, 5.0);
            sqlite3_step(pp);
            sqlite3_reset(pp);
        }
    }
    for (auto *st : {ext, lin, ent, pp}) {
        sqlite3_finalize(st);
    }
    Exec(db, "COMMIT");
    Exec(db, "ANALYZE");
    sqlite3_close(db);
}

// The list's amounts computed by one aggregate query per mode.
const char *kListaModo1 =
    "SELECT c.Cerrado, c.Cod_Almacen, alm.Nombre, c.Cod_Extracto, c.FechaExtracto, c.FechaVto, l.Importe, "
    "IFNULL(e.Vinc,0) + IFNULL(f.Vinc,0), l.Importe - IFNULL(e.Vinc,0) - IFNULL(f.Vinc,0) "
    "FROM Compras_PagosCentral_Extractos c LEFT JOIN Almacenes alm ON alm.Cod_Empresa = c.Cod_Empresa AND "
    "alm.Codigo = c.Cod_Almacen "
    "JOIN (SELECT Cod_Almacen, Cod_Extracto, SUM(Importe) AS Importe FROM Compras_PagosCentral_Extractos_Lineas "
    "WHERE Cod_Empresa = 1 GROUP BY Cod_Almacen, Cod_Extracto) l ON l.Cod_Almacen = c.Cod_Almacen AND "
    "l.Cod_Extracto = c.Cod_Extracto "
    "LEFT JOIN (SELECT x.Cod_Almacen, x.Cod_Extracto, SUM(en.ImporteContable) AS Vinc FROM "
    "Compras_PagosCentral_Extractos_Lineas x JOIN Compras_PagosCentral_Entradas v ON v.IdExtractoLinea = "
    "x.IdExtractoLinea JOIN Entradas en ON en.Cod_Empresa = v.Cod_Empresa AND en.Cod_Ejercicio = v.Cod_Ejercicio "
    "AND en.Cod_Almacen = v.Cod_Almacen AND en.Codigo = v.Codigo GROUP BY x.Cod_Almacen, x.Cod_Extracto) e ON "
    "e.Cod_Almacen = c.Cod_Almacen AND e.Cod_Extracto = c.Cod_Extracto "
    "LEFT JOIN (SELECT x.Cod_Almacen, x.Cod_Extracto, SUM(ef.Importe) AS Vinc FROM "
    "Compras_PagosCentral_Extractos_Lineas x JOIN Compras_PagosCentral_Entradas_Facturas w ON w.IdExtractoLinea = "
    "x.IdExtractoLinea JOIN Entradas_Facturas ef ON ef.Cod_Empresa = w.Cod_Empresa AND ef.Cod_Almacen = "
    "w.Cod_Almacen AND ef.Proveedor = w.Proveedor AND ef.Documento = w.Documento AND ef.Fecha = w.Fecha GROUP BY "
    "x.Cod_Almacen, x.Cod_Extracto) f ON f.Cod_Almacen = c.Cod_Almacen AND f.Cod_Extracto = c.Cod_Extracto "
    "WHERE c.Cod_Empresa = 1 AND c.Cerrado = 0 AND c.FechaExtracto BETWEEN '2000-01-01' AND '2099-12-31' "
    "ORDER BY c.FechaExtracto DESC, c.Cod_Almacen, c.Cod_Extracto";
const char *kListaModo2 =
    "SELECT c.Cerrado, c.Cod_Almacen, IFNULL(alm.Nombre,''), c.Cod_Extracto, c.FechaExtracto, c.FechaVto, l.Importe, "
    "IFNULL(p.Vinc,0), l.Importe - IFNULL(p.Vinc,0) "
    "FROM Compras_PagosCentral_Extractos c LEFT JOIN Almacenes alm ON alm.Cod_Empresa = c.Cod_Empresa AND "
    "alm.Codigo = c.Cod_Almacen "
    "JOIN (SELECT Cod_Almacen, Cod_Extracto, SUM(Importe) AS Importe FROM Compras_PagosCentral_Extractos_Lineas "
    "WHERE Cod_Empresa = 1 GROUP BY Cod_Almacen, Cod_Extracto) l ON l.Cod_Almacen = c.Cod_Almacen AND "
    "l.Cod_Extracto = c.Cod_Extracto "
    "LEFT JOIN (SELECT x.Cod_Almacen, x.Cod_Extracto, SUM(v.Importe) AS Vinc FROM "
    "Compras_PagosCentral_Extractos_Lineas x JOIN Compras_PagosCentral_PrevPagos v ON v.IdExtractoLinea = "
    "x.IdExtractoLinea GROUP BY x.Cod_Almacen, x.Cod_Extracto) p ON p.Cod_Almacen = c.Cod_Almacen AND "
    "p.Cod_Extracto = c.Cod_Extracto "
    "WHERE c.Cod_Empresa = 1 AND c.Cerrado = 0 AND c.FechaExtracto BETWEEN '2000-01-01' AND '2099-12-31' "
    "ORDER BY c.FechaExtracto DESC, c.Cod_Almacen, c.Cod_Extracto";

// The bare rows of the big statement with the joins the window shows.
const char *kLineas =
    "SELECT lin.*, IFNULL(prov.Nombre,''), tp.Nombre, IFNULL(v.Vinc,0) FROM Compras_PagosCentral_Extractos_Lineas lin "
    "LEFT JOIN Proveedores prov ON prov.Cod_Empresa = 1 AND prov.Codigo = lin.Cod_Proveedor "
    "LEFT JOIN Compras_PagosCentral_Extractos_TiposPago tp ON tp.Codigo = lin.TipoPago "
    "LEFT JOIN (SELECT IdExtractoLinea, SUM(Importe) AS Vinc FROM Compras_PagosCentral_PrevPagos GROUP BY "
    "IdExtractoLinea) v ON v.IdExtractoLinea = lin.IdExtractoLinea "
    "WHERE lin.Cod_Empresa = 1 AND lin.Cod_Almacen = 1 AND lin.Cod_Extracto = 'GRANDE0' "
    "ORDER BY lin.Cod_Proveedor, lin.Fecha, lin.Importe";

} // namespace

int main(int argc, char **argv) {
    int statements = argc > 1 ? std::atoi(argv[1]) : 5000;
    int big = argc > 2 ? std::atoi(argv[2]) : 20000;
    std::string dir = std::filesystem::temp_directory_path() / "pagocentral-bench-windows";
    bench::CrearDemo(dir, "2026-06-30");
    Generar(dir + "/erp.db", statements, 40, "B");
    Generar(dir + "/erp.db", 1, big, "GRANDE");

    auto erp = db::OpenDatabaseFile(dir + "/erp.db", {{"Contabilidad", dir + "/contabilidad.db"}});
    auto lumbra = db::OpenDatabaseFile(dir + "/contabilidad.db");
    auto &c = host::Contexto::Global();
    c.conexionVarnex = erp;
    c.conexionLumbra = lumbra;
    c.empresaVarnex = std::make_shared<suite::EmpresaVarnex>(erp, 1);
    c.empresaLumbra = std::make_shared<suite::EmpresaLumbra>(lumbra, 1);
    auto settings = std::make_shared<suite::Configuracion>(dir + "/settings.ini");
    settings->GuardarValor("FechaIExtracto", "01/01/2000");
    settings->GuardarValor("FechaFExtracto", "31/12/2099");

    sqlite3 *raw = nullptr;
    sqlite3_open((dir + "/erp.db").c_str(), &raw);
    bool ok = true;
    for (int modo = 1; modo <= 2; ++modo) {
        c.empresaVarnex->EstablecerParametro("PagoCentral_TipoExtracto", suite::Valor(std::to_string(modo)));
        host::ScriptedShell shell;
        statements::frmExtractos w(shell, settings);
        w.Show(); // also warms the page cache for both sides
        Leer(raw, modo == 1 ? kListaModo1 : kListaModo2);
        auto t = std::chrono::steady_clock::now();
        w.Cargar_Extractos();
        double mine = Seconds(t);
        int rows = w.vsExtractos.DataRows();
        t = std::chrono::steady_clock::now();
        int ref = Leer(raw, modo == 1 ? kListaModo1 : kListaModo2);
        double bare = Seconds(t);
        std::printf("list mode %d: %d statements (reference %d rows) in %.3f s, aggregate query %.3f s, ratio %.2f "
                    "(aim 3)\n",
                    modo, rows, ref, mine, bare, mine / bare);
        ok = ok && rows == ref && !shell.messages.size();

        lines::frmExtractos_Lineas l(shell, settings);
        l.codAlmacen = 1;
        l.codExtracto = "GRANDE0";
        settings->GuardarValor("FechaILineas", "01/01/2000");
        settings->GuardarValor("FechaFLineas", "31/12/2099");
        l.Show();
        t = std::chrono::steady_clock::now();
        l.Cargar_Lineas();
        mine = Seconds(t);
        rows = l.vsLineas.DataRows();
        t = std::chrono::steady_clock::now();
        ref = Leer(raw, kLineas);
        bare = Seconds(t);
        std::printf("lines type %d: %d lines (reference %d rows) in %.3f s, bare SELECT %.3f s, ratio %.2f (aim 2)\n",
                    modo, rows, ref, mine, bare, mine / bare);
        ok = ok && rows == ref;
        for (const auto &m : shell.messages) {
            std::printf("  message: %s | %s\n", m.title.c_str(), m.text.c_str());
        }
    }
    sqlite3_close(raw);
    std::filesystem::remove_all(dir);
    return ok ? 0 : 1;
}
