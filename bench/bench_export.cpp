// Exporting a statement of 10,000 lines through the statement list's "Exportar...": to the
// central organisation's ".eur" file (with its archive), against the same SELECT written with
// plain stream writes; and to a workbook, against libxlsxwriter writing the same cells directly.
// Both in the same run. Prints both ratios and how much the exports raised the peak memory over
// the references.
#include "db/OpenFile.h"
#include "host/Contexto.h"
#include "host/ScriptedShell.h"
#include "lines/Comun.h"
#include "statements/ExportadorEuromadi.h"
#include "statements/ExportadorExcel.h"
#include "statements/frmExtractos.h"
#include "suite/Configuracion.h"
#include "suite/EmpresaLumbra.h"
#include "suite/EmpresaVarnex.h"

#include <sqlite3.h>
#include <sys/resource.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "Comun.h"

namespace {

using bench::Exec;
using bench::Seconds;

long PeakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Statement BENCH of warehouse 3: three lines in four marked not to be paid, the fourth reissued
// and linked to a payment forecast; the first 20 demo suppliers, relations changing every 50 lines.
void Sembrar(const std::string &dir, int lineas) {
    sqlite3 *acc = nullptr;
    sqlite3_open((dir + "/contabilidad.db").c_str(), &acc);
    Exec(acc, "BEGIN");
    Exec(acc, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(lineas / 4) +
                  ") INSERT INTO Previsiones_Pago (Apunte, Cod_Empresa, Cuenta, Documento, Fecha_Vto, Importe) "
                  "SELECT 900000 + i, 1, '4000000001', 'PB-' || i, '2026-12-20', 10 + i % 97 FROM n");
    Exec(acc, "COMMIT");
    sqlite3_close(acc);

    sqlite3 *erp = nullptr;
    sqlite3_open((dir + "/erp.db").c_str(), &erp);
    Exec(erp, "BEGIN");
    Exec(erp, "INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, FechaExtracto, "
              "FechaVto, Cerrado) VALUES (1, 3, 'BENCH', '2026-12-10', '2026-12-20', 0)");
    Exec(erp, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(lineas) +
                  ") INSERT INTO Compras_PagosCentral_Extractos_Lineas (IdExtractoLinea, Cod_Empresa, Cod_Almacen, "
                  "Cod_Extracto, Cod_Proveedor, Documento, DocumentoCentral, Fecha, Importe, TipoPago, Id_Relacion, "
                  "Cta_Proveedor, ProntoPago, ImporteVinculado, NoPago, Emisor, TipoFactura, Obs1, Obs2) "
                  "SELECT 800000 + i, 1, 3, 'BENCH', 1 + i % 20, 'FAC-' || i, 'C-' || i, "
                  "date('2026-11-01', '+' || (i % 30) || ' days'), 10 + i % 997 + 0.25, 1, i / 50, "
                  "'40000000' || printf('%02d', 1 + i % 20), i % 7 = 0, "
                  "CASE WHEN i % 4 = 0 THEN 10 + i % 997 + 0.25 ELSE 0 END, i % 4 <> 0, "
                  "CASE WHEN i % 4 = 0 THEN 1 ELSE 0 END, i % 3, 'Pendiente de abono ' || i, "
                  "CASE WHEN i % 2 = 0 THEN 'Segunda observación' ELSE '' END FROM n");
    Exec(erp, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(lineas / 4) +
                  ") INSERT INTO Compras_PagosCentral_PrevPagos (IdExtractoLinea, IdPrevPago, Contabilizado, Importe) "
                  "SELECT 800000 + 4 * i, 900000 + i, 0, 10 FROM n");
    Exec(erp, "COMMIT");
    sqlite3_close(erp);
}

// The same rows the ".eur" export reads, every field written as it comes.
void EurDirecto(db::Connection &erp, const std::string &sql, const std::string &ruta) {
    std::ofstream out(ruta, std::ios::binary);
    auto rs = erp.OpenRecordset(sql);
    for (; !rs->Eof(); rs->MoveNext()) {
        for (std::size_t c = 0; c < rs->FieldCount(); ++c) {
            out << rs->Fields(c).AsText();
        }
        out << "\r\n";
    }
    rs->Close();
}

// The same cells the workbook export writes, straight through libxlsxwriter.
void LibroDirecto(db::Connection &erp, const std::string &sql, const std::string &ruta) {
    lxw_workbook_options o = {};
    o.constant_memory = LXW_TRUE;
    lxw_workbook *libro = workbook_new_opt(ruta.c_str(), &o);
    lxw_worksheet *hoja = workbook_add_worksheet(libro, "Extracto");
    auto rs = erp.OpenRecordset(sql);
    static const char *textos[] = {"Cta_Proveedor", "ProvNombre", "TipoPagoNombre", "Documento", "DocumentoCentral",
                                   "Fecha", "Obs1", "CuentaPP", "DocumentoPP"};
    static const char *numeros[] = {"ProvCodigo", "TipoPagoCodigo", "Importe", "ImporteVinculado",
                                    "ImporteDiferencia", "ImportePP"};
    int fila = 0;
    for (int c = 0; c < 16; ++c) {
        worksheet_write_string(hoja, 0, c, "Titulo", nullptr);
    }
    for (; !rs->Eof(); rs->MoveNext()) {
        ++fila;
        int c = 0;
        for (const char *t : textos) {
            worksheet_write_string(hoja, fila, c++, rs->Fields(t).AsText().c_str(), nullptr);
        }
        for (const char *n : numeros) {
            worksheet_write_number(hoja, fila, c++, rs->Fields(n).AsDouble(), nullptr);
        }
    }
    rs->Close();
    workbook_close(libro);
}

double Tiempo(const std::function<void()> &f) {
    auto t = std::chrono::steady_clock::now();
    f();
    return Seconds(t);
}

} // namespace

int main(int argc, char **argv) {
    const int lineas = argc > 1 ? std::atoi(argv[1]) : 10000;
    const std::string dir = std::filesystem::temp_directory_path() / "pagocentral-bench-export";
    bench::CrearDemo(dir);
    Sembrar(dir, lineas);
    setenv("USERPROFILE", dir.c_str(), 1);

    auto acc = db::OpenDatabaseFile(dir + "/contabilidad.db");
    auto erp = db::OpenDatabaseFile(dir + "/erp.db", {{"Contabilidad", "file:" + dir + "/contabilidad.db?mode=ro"}});
    auto &c = host::Contexto::Global();
    c.conexionVarnex = erp;
    c.conexionLumbra = acc;
    c.empresaVarnex = std::make_shared<suite::EmpresaVarnex>(erp, 1);
    c.empresaLumbra = std::make_shared<suite::EmpresaLumbra>(acc, 1);
    c.empresaVarnex->EstablecerParametro("PagoCentral_TipoExtracto", suite::Valor("2"));
    auto settings = std::make_shared<suite::Configuracion>(dir + "/settings.ini");
    host::ScriptedShell shell;
    statements::frmExtractos w(shell, settings);
    w.Show();
    w.cboEstado.SelectData(3);
    w.txtFechaI.text = "01/01/2000";
    w.txtFechaF.text = "31/12/2099";
    w.txtNumExtracto.text = "BENCH";
    w.Cargar_Extractos();
    if (w.vsExtractos.DataRows() != 1) {
        std::fprintf(stderr, "statement BENCH not listed: %s\n", shell.Last().c_str());
        return 1;
    }

    const std::string eurSql = statements::ExportadorEuromadi(*erp, *c.empresaVarnex).Consulta(3, "BENCH");
    const std::string libroSql =
        statements::ExportadorExcel(*erp, *c.empresaVarnex, lines::comun::BaseContable()).Consulta(2, 3, "BENCH");
    auto exportar = [&](const std::string &ruta) {
        shell.ClearLog();
        shell.saveFiles = {ruta};
        w.cmdExportar_Click();
        if (shell.messages.size() != 1 || shell.messages[0].icon != host::Icon::Information) {
            std::fprintf(stderr, "export failed: %s\n", shell.Last().c_str());
            std::exit(1);
        }
    };
    // Interleaved, best of five each: a burst of load on the machine falls on both sides alike.
    double eurRef = 1e9, libroRef = 1e9, eur = 1e9, libro = 1e9;
    long antes = 0;
    for (int i = 0; i < 5; ++i) {
        eurRef = std::min(eurRef, Tiempo([&] { EurDirecto(*erp, eurSql, dir + "/directo.txt"); }));
        libroRef = std::min(libroRef, Tiempo([&] { LibroDirecto(*erp, libroSql, dir + "/directo.xlsx"); }));
        if (i == 0) {
            antes = PeakKb();
        }
        eur = std::min(eur, Tiempo([&] { exportar(dir + "/MODI0088.eur"); }));
        libro = std::min(libro, Tiempo([&] { exportar(dir + "/Extracto.xlsx"); }));
    }
    const long despues = PeakKb();

    std::ifstream f(dir + "/MODI0088.eur", std::ios::binary | std::ios::ate);
    const double ratioEur = eur / eurRef, ratioLibro = libro / libroRef;
    std::printf(".eur of a %d-line statement (with EM0088.zip, %ld bytes): export %.3f s, plain stream writes %.3f s, "
                "ratio %.2f (aim 1.5)\n",
                lineas, static_cast<long>(f.tellg()), eur, eurRef, ratioEur);
    std::printf("workbook of the same statement: export %.3f s, libxlsxwriter directly %.3f s, ratio %.2f (aim 1.5)\n",
                libro, libroRef, ratioLibro);
    std::printf("peak memory: %ld KB after the references, %ld KB after the exports (+%ld KB)\n", antes, despues,
                despues - antes);
    std::filesystem::remove_all(dir);
    return ratioEur <= 1.5 && ratioLibro <= 1.5 ? 0 : 2;
}
