#include "db/Sql.h"
#include "accounting/RelojFicheros.h"
#include "accounting/frmCuentaContrapartida.h"
#include "catalogues/frmTiposPago.h"
#include "claims/frmExtractos_Lineas_Reclamacion.h"
#include "claims/frmExtractos_Lineas_Reclamacion_Datos.h"
#include "claims/frmExtractos_Lineas_Reclamacion_Visor.h"
#include "claims/frmReclamacionConceptos.h"
#include "claims/frmReclamacionTipos.h"
#include "customers/frmExtractos_Cliente.h"
#include "customers/frmExtractos_Cliente_Lineas.h"
#include "fixtures/Env.h"
#include "fixtures/FaultyConnection.h"
#include "fixtures/Vinculos.h"
#include "lines/frmExtractos_Lineas.h"
#include "lines/frmExtractos_Lineas_Datos.h"
#include "lines/frmExtractos_Lineas_NoPagoFechaVto.h"
#include "lines/frmExtractos_Lineas_Vinculos.h"
#include "lines/frmExtractos_Lineas_Vinculos_2.h"
#include "lines/frmExtractos_Lineas_Vinculos_Agregar_Factura.h"
#include "lines/frmPedirProveedor.h"
#include "statements/frmExtractos.h"
#include "statements/frmExtractos_ConfirmarEliminar.h"
#include "statements/frmImportar.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

// Every transactional operation, run once with a failure at each statement it executes up to its
// last commit and once with each of its commits failing: both databases must come out unchanged,
// row by row, and the user must have seen the error box. A new operation adds a row to kOperations.

namespace {

const std::string kSamples = std::string(PC_SOURCE_DIR) + "/samples/";

// Every row of every table of a database file, as committed (read beside the module's connections).
std::vector<std::string> Dump(const std::string &path) {
    sqlite3 *h = nullptr;
    std::vector<std::string> out;
    if (sqlite3_open_v2(path.c_str(), &h, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(h);
        return {"cannot open " + path};
    }
    sqlite3_busy_timeout(h, 10000);
    std::vector<std::string> tables;
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(h, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        tables.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    for (const auto &t : tables) {
        out.push_back("== " + t);
        std::string sql = "SELECT * FROM \"" + t + "\" ORDER BY 1, 2, 3";
        if (sqlite3_prepare_v2(h, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
            sqlite3_finalize(st);
            sql = "SELECT * FROM \"" + t + "\" ORDER BY 1";
            sqlite3_prepare_v2(h, sql.c_str(), -1, &st, nullptr);
        }
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::string row;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                const unsigned char *v = sqlite3_column_text(st, i);
                row += (i ? "|" : "") + (v ? std::string(reinterpret_cast<const char *>(v)) : "<null>");
            }
            out.push_back(row);
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(h);
    return out;
}

using fixtures::Env;

// The demo company with the test statement "T'1" of VinculosFixture, its connections wrapped.
class Sweep : public VinculosFixture {
  public:
    Sweep() : profile("USERPROFILE", demo.dir.File("perfil")) {
        std::string app = demo.dir.File("app");
        std::filesystem::create_directories(app);
        demo.erp->Execute("UPDATE Empresas SET PathAplicacion = " + db::Quote(app));
        demo.settings->GuardarValor("FechaIExtracto", "01/01/2000");
        demo.settings->GuardarValor("FechaFExtracto", "31/12/2099");
        shell.handlers["frmImportar"] = [](host::Window &win) {
            auto &f = static_cast<statements::frmImportar &>(win);
            f.cmdExaminar_Click();
            f.cmdImportar_Click();
        };
        shell.handlers["frmExtractos_ConfirmarEliminar"] = [](host::Window &win) {
            auto &c = static_cast<statements::frmExtractos_ConfirmarEliminar &>(win);
            c.txtFecha.text = suite::Fecha::Hoy().Formato("dd/mm/yyyy");
            c.cmdAceptar_Click();
        };
        shell.handlers["frmPedirProveedor"] = [](host::Window &win) {
            auto &p = static_cast<lines::frmPedirProveedor &>(win);
            p.cmdAceptar_Click();
        };
    }

    // The module's connections and company objects go through the faulty connections from now on.
    void Wrap() {
        erp = std::make_shared<FaultyConnection>(demo.erp, plan);
        acc = std::make_shared<FaultyConnection>(demo.acc, plan);
        auto &c = host::Contexto::Global();
        c.conexionVarnex = erp;
        c.conexionLumbra = acc;
        c.empresaVarnex = std::make_shared<suite::EmpresaVarnex>(erp, 1);
        c.empresaLumbra = std::make_shared<suite::EmpresaLumbra>(acc, 1);
    }

    // Both databases, with this test's own folder (stored in the company's paths) as "<dir>".
    std::vector<std::string> Both() const { return Join(Dump(demo.dir.File("erp.db")), Dump(demo.dir.File("contabilidad.db"))); }
    std::vector<std::string> Erp() const { return Join(Dump(demo.dir.File("erp.db")), {}); }
    std::vector<std::string> Accounting() const { return Join({}, Dump(demo.dir.File("contabilidad.db"))); }
    // Every file of the test's folder, by path under it, with its bytes; the databases, the
    // per-user settings and the logs are looked at elsewhere or may change.
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> out;
        const std::filesystem::path root = demo.dir.Path();
        for (const auto &e : std::filesystem::recursive_directory_iterator(root)) {
            std::string rel = std::filesystem::relative(e.path(), root).generic_string();
            if (!e.is_regular_file() || rel.rfind("erp.db", 0) == 0 || rel.rfind("contabilidad.db", 0) == 0 ||
                rel == "settings.ini" || rel.rfind("perfil/", 0) == 0) {
                continue;
            }
            std::ifstream in(e.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            out[rel] = bytes.str();
        }
        return out;
    }
    std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string> &b) const {
        a.insert(a.end(), b.begin(), b.end());
        const std::string folder = demo.dir.Path();
        for (auto &row : a) {
            for (std::size_t at; (at = row.find(folder)) != std::string::npos;) {
                row.replace(at, folder.size(), "<dir>");
            }
        }
        return a;
    }

    // The lines window on the test statement, loaded with every date.
    std::shared_ptr<lines::frmExtractos_Lineas> Lineas() {
        auto w = std::make_shared<lines::frmExtractos_Lineas>(shell, demo.settings);
        w->codAlmacen = 1;
        w->codExtracto = "T'1";
        w->fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
        w->fechaVto = suite::Fecha::Hoy().SumarDias(13);
        w->Show();
        return w;
    }
    static int Row(const host::Grid &g, int col, const std::string &text) {
        for (int r = 1; r <= g.DataRows(); ++r) {
            if (g.Text(r, col) == text) {
                return r;
            }
        }
        return 0;
    }
    // The statement list showing every statement, with `code` ticked (or current, for matching).
    std::shared_ptr<statements::frmExtractos> Lista(const std::string &code = "", bool tick = true) {
        auto w = std::make_shared<statements::frmExtractos>(shell, demo.settings);
        w->Show();
        w->cboEstado.SelectData(3);
        w->cboEstado_Click();
        if (!code.empty()) {
            int r = Row(w->vsExtractos, statements::frmExtractos::colExtracto, code);
            EXPECT_NE(r, 0) << code;
            if (tick) {
                w->vsExtractos.SetTicked(r, true);
            } else {
                w->vsExtractos_RowColChange(r);
            }
        }
        return w;
    }

    std::shared_ptr<FaultPlan> plan = std::make_shared<FaultPlan>();
    db::ConnectionPtr erp, acc;
    Env profile;
    std::vector<long> ids; // what the seed made, for the action
};

// How an operation stores its work: in one transaction; statement by statement, each kept as it
// runs (a failure keeps exactly what the statements before it did); or only in files.
enum class Kind { OneTransaction, EachStatement, FilesOnly };

// One operation: its data (written before the connections are wrapped) and the user's action,
// made ready (windows open, rows ticked) by `open`, which returns what the user finally presses.
struct Operation {
    const char *name;
    std::function<void(Sweep &)> seed;
    std::function<std::function<void()>(Sweep &)> open;
    // Accounting runs commit the accounting database first: when the ERP commit then fails, the
    // entries stay and the statements stay open.
    bool accountingCommitsFirst = false;
    // Files (paths under the test's folder) that a failed run may leave behind.
    std::vector<std::string> leftovers = {};
    // Part of a statement that the sweep must reach before the operation commits.
    const char *covers = nullptr;
    Kind kind = Kind::OneTransaction;
};

using LV = lines::frmExtractos_Lineas_Vinculos;
using LV2 = lines::frmExtractos_Lineas_Vinculos_2;
using AF = lines::frmExtractos_Lineas_Vinculos_Agregar_Factura;
using L = lines::frmExtractos_Lineas;
using ND = lines::frmExtractos_Lineas_NoPagoFechaVto;

std::function<void()> Importar(Sweep &s, const std::string &file) {
    auto w = s.Lista();
    return [&s, w, file] {
        s.shell.openFiles.push_back(file);
        w->cmdImportar_Click();
    };
}

// A type-1 line of supplier 901 with two invoices, one of them already linked to it.
void SeedInvoices(Sweep &s) {
    s.demo.SetParam("PagoCentral_TipoExtracto", "1");
    long line = s.Line(901, "150", "PAGO-1");
    s.ids = {line};
    for (const char *doc : {"FV'100", "FV-200", "FV-300"}) {
        s.demo.erp->Execute("INSERT INTO Entradas_Facturas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Proveedor, "
                            "Documento, Fecha, Importe, ImporteContable, Asiento, Usuario, Hora) VALUES (1, " +
                            std::to_string(Sweep::Year()) + ", 1, 0, 901, " + db::Quote(doc) + ", '" + Sweep::Dia(-10) +
                            "', 50, 50, 0, 1, '" + Sweep::Dia(-10) + "')");
    }
    s.demo.erp->Execute("INSERT INTO Compras_PagosCentral_Entradas_Facturas (IdExtractoLinea, Cod_Empresa, Cod_Almacen, "
                        "Proveedor, Documento, Fecha) VALUES (" +
                        std::to_string(line) + ", 1, 1, 901, 'FV-300', '" + Sweep::Dia(-10) + "')");
}

// A type-1 line of supplier 902 (receipts) with two receipts, one of them already linked to it.
void SeedReceipts(Sweep &s) {
    s.demo.SetParam("PagoCentral_TipoExtracto", "1");
    long line = s.Line(902, "90", "PAGO-2");
    s.ids = {line};
    for (int codigo : {501, 502}) {
        s.demo.erp->Execute("INSERT INTO Entradas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Proveedor, Documento, "
                            "Fecha, ImporteContable, Usuario, Hora) VALUES (1, " +
                            std::to_string(Sweep::Year()) + ", 1, " + std::to_string(codigo) + ", 902, 'ALB-" +
                            std::to_string(codigo) + "', '" + Sweep::Dia(-8) + "', 45, 1, '" + Sweep::Dia(-8) +
                            " 10:30:00')");
    }
    s.demo.erp->Execute("INSERT INTO Compras_PagosCentral_Entradas (IdExtractoLinea, Cod_Empresa, Cod_Ejercicio, "
                        "Cod_Almacen, Codigo) VALUES (" +
                        std::to_string(line) + ", 1, " + std::to_string(Sweep::Year()) + ", 1, 502)");
}

std::shared_ptr<LV> Documentos(Sweep &s, int proveedor) {
    auto w = std::make_shared<LV>(s.shell, s.demo.settings);
    w->contCompras = proveedor == 902;
    w->idExtractoLinea = s.ids[0];
    w->codAlmacen = 1;
    w->codProveedor = proveedor;
    w->extractoCerrado = false;
    w->fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
    w->Show();
    for (int r = 1; r <= w->vsLineas.DataRows(); ++r) {
        w->vsLineas_Click(r, LV::colSel);
    }
    return w;
}

// A type-2 line of account 4000000901 with two free forecasts and one already linked to it.
void SeedForecasts(Sweep &s) {
    s.demo.SetParam("PagoCentral_TipoExtracto", "2");
    long line = s.Line(901, "300", "F-100");
    long a = s.Forecast("4000000901", "A", "100", 1);
    long b = s.Forecast("4000000901", "B'2", "250.5", 2);
    long mine = s.Forecast("4000000901", "M", "40", 3);
    s.LinkForecast(line, mine, "40");
    s.demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = 40 WHERE IdExtractoLinea = " +
                        std::to_string(line));
    s.ids = {line, a, b, mine};
}

// F9 links the ticked rows of a linking window; F12, confirmed, unlinks them.
template <class W> std::function<void()> Vincular(std::shared_ptr<W> w) {
    return [w] { w->Form_KeyDown_F9(); };
}
template <class W> std::function<void()> Desvincular(Sweep &s, std::shared_ptr<W> w) {
    return [&s, w] {
        s.shell.answers = {host::Answer::Yes};
        w->Form_KeyDown_F12();
    };
}

std::shared_ptr<LV2> Previsiones(Sweep &s) {
    auto w = std::make_shared<LV2>(s.shell, s.demo.settings);
    w->idExtractoLinea = s.ids[0];
    w->codAlmacen = 1;
    w->ctaProveedor = "4000000901";
    w->fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
    w->fechaVto = suite::Fecha::Hoy().SumarDias(13);
    w->Show();
    for (int r = 1; r <= w->vsLineas.DataRows(); ++r) {
        w->vsLineas_Click(r, LV2::colSel);
    }
    return w;
}

// Three type-2 lines, each linked to a forecast; the second marked not to be paid.
void SeedMarks(Sweep &s) {
    s.demo.SetParam("PagoCentral_TipoExtracto", "2");
    s.ids.clear();
    for (const char *doc : {"A", "B", "C"}) {
        long id = s.Line(901, "10", doc);
        s.LinkForecast(id, s.Forecast("4000000901", std::string("X") + doc, "5", 1), "5");
        s.ids.push_back(id);
    }
    s.demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET NoPago = 1, Obs1 = 'antes' WHERE "
                        "IdExtractoLinea = " +
                        std::to_string(s.ids[1]));
}

// The line editor filled in by the user: a line of supplier 3 with two tax rows, or the change of
// the seeded line's amount and taxes.
std::function<void()> Editar(Sweep &s, bool nueva) {
    auto w = s.Lineas();
    if (!nueva) {
        w->vsLineas_RowColChange(Sweep::Row(w->vsLineas, L::colIdLinea, std::to_string(s.ids[0])));
    }
    s.shell.handlers["frmExtractos_Lineas_Datos"] = [&s, nueva](host::Window &win) {
        auto &d = static_cast<lines::frmExtractos_Lineas_Datos &>(win);
        if (nueva) {
            d.txtProveedor.code = 3;
            d.txtProveedor_Change();
            d.txtDocumento.text = "O'Brien 7";
            d.txtDocumentoCentral.text = "FA-O'7";
            d.txtFecha.text = suite::Fecha::Hoy().SumarDias(-4).Formato("dd/mm/yyyy");
            d.txtFecha_Change();
            d.cboTipoPago.SelectData(1);
        }
        d.txtProveedorCentral.text = "50003";
        d.txtImportePago.text = "157";
        for (int row : {0, 4}) {
            d.txtBase[static_cast<std::size_t>(row)].text = row == 0 ? "50" : "100";
            d.txtBase_Change(row);
        }
        // A user who saw an error box while filling the dialog in cancels it.
        bool error = std::any_of(s.shell.messages.begin(), s.shell.messages.end(),
                                 [](const auto &m) { return m.icon == host::Icon::Critical; });
        error ? d.cmdCancelar_Click() : d.cmdAceptar_Click();
    };
    return [w, nueva] { nueva ? w->cmdAgregar_Click() : w->cmdModificar_Click(); };
}

std::function<void()> Marcar(Sweep &s, bool noPago, bool fecha) {
    auto w = s.Lineas();
    for (long id : s.ids) {
        w->vsLineas.SetTicked(Sweep::Row(w->vsLineas, L::colIdLinea, std::to_string(id)), true);
    }
    w->vsLineas_RowColChange(Sweep::Row(w->vsLineas, L::colIdLinea, std::to_string(s.ids[0])));
    s.shell.handlers["frmExtractos_Lineas_NoPagoFechaVto"] = [noPago, fecha](host::Window &win) {
        auto &d = static_cast<ND &>(win);
        d.chkNoPago.value = noPago;
        if (fecha) {
            d.txtFechaVto.text = Sweep::Dia(30);
        }
        d.txtObs1.text = "Revisar con O'Neill";
        d.cmdAceptar_Click();
    };
    return [w, fecha] { w->CommandBars_Execute(fecha ? L::menuNuevaFechaVto : L::menuNoPago); };
}

// Two statements of the same form, each with what its builder accounts.
void SeedEntries(Sweep &s, int mode) {
    s.demo.SetParam("PagoCentral_TipoExtracto", std::to_string(mode));
    s.demo.SetParam("PagoCentral_AsientoCheckLineasNoVinc", "0");
    std::vector<std::string> codes = {"T'1", "U'2"};
    if (mode == 1 && s.ids.empty()) {
        s.Statement("U'2", -2, 14, false);
    }
    if (mode == 2) {
        s.Statement("U'2", -2, 14, false);
    }
    int n = 0;
    for (const auto &code : codes) {
        ++n;
        long line = s.Line(902, "100", "F'" + std::to_string(n), -5, code);
        long pp = s.Line(901, "20", "PP" + std::to_string(n), -5, code);
        s.demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ProntoPago = 1 WHERE IdExtractoLinea = " +
                            std::to_string(pp));
        if (mode == 1) {
            s.demo.erp->Execute("INSERT INTO Entradas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Proveedor, "
                                "Documento, Fecha, ImporteContable) VALUES (1, " +
                                std::to_string(Sweep::Year()) + ", 1, " + std::to_string(800 + n) + ", 902, 'ALB', '" +
                                Sweep::Dia(-8) + "', 90)");
            s.demo.erp->Execute("INSERT INTO Compras_PagosCentral_Entradas (IdExtractoLinea, Cod_Empresa, "
                                "Cod_Ejercicio, Cod_Almacen, Codigo) VALUES (" +
                                std::to_string(line) + ", 1, " + std::to_string(Sweep::Year()) + ", 1, " +
                                std::to_string(800 + n) + ")");
        } else {
            s.LinkForecast(line, s.Forecast("4000000902", "P" + std::to_string(n), "100", 1), "100");
        }
    }
    s.shell.handlers["frmCuentaContrapartida"] = [](host::Window &win) {
        auto &p = static_cast<accounting::frmCuentaContrapartida &>(win);
        p.txtCtaContrapartida.text = "5720000001";
        p.cmdAceptar_Click();
    };
}

std::function<void()> Contabilizar(Sweep &s) {
    auto w = s.Lista("T'1");
    w->vsExtractos.SetTicked(Sweep::Row(w->vsExtractos, statements::frmExtractos::colExtracto, "U'2"), true);
    return [&s, w] {
        s.shell.answers = {host::Answer::Yes};
        w->cmdGenerarAsiento_Click();
    };
}

// The two statements of the first form written as Sage 200 files, named by a clock that never
// gives the same second twice, so that no run waits for a free name.
void SeedSage(Sweep &s) {
    SeedEntries(s, 1);
    s.demo.SetParam("Tipo_Contabilidad", "6");
    std::filesystem::create_directories(s.demo.dir.File("sage"));
    s.demo.erp->Execute("UPDATE Arqueos_ParamContabilidad SET PathFicheros = " + db::Quote(s.demo.dir.File("sage")));
}

std::function<void()> ContabilizarSage(Sweep &s) {
    auto w = s.Lista("T'1");
    w->vsExtractos.SetTicked(Sweep::Row(w->vsExtractos, statements::frmExtractos::colExtracto, "U'2"), true);
    w->relojFicheros = std::make_shared<accounting::RelojFicheros>();
    w->relojFicheros->ahora = [n = 0]() mutable {
        const int k = n++;
        return *suite::Fecha::Desde(2030, 1, 1, k / 3600 % 24, k / 60 % 60, k % 60);
    };
    w->relojFicheros->esperar = [] {};
    return [&s, w] {
        s.shell.answers = {host::Answer::Yes};
        w->cmdGenerarAsiento_Click();
    };
}

// Two claims of a closed statement, ticked in the claims viewer for export.
void SeedClaims(Sweep &s) {
    std::filesystem::create_directories(s.demo.dir.File("salida"));
    s.demo.SetParam("PagoCentralPathReclamaciones", s.demo.dir.File("salida"));
    s.Statement("C'9", -2, 13, true);
    long line = s.Line(901, "100", "REC'1", -5, "C'9");
    for (const char *factura : {"FV'1", "FV'2"}) {
        s.demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, "
                            "Cod_TipoRecl, FacturaCodigo, Base1, TotalReclamacion, Hora_Alta) VALUES (" +
                            std::to_string(line) + ", 2, " + db::Quote(factura) + ", 10, 10, '" + Sweep::Dia(-1) +
                            " 10:00:00')");
    }
}

// The claims viewer showing the pending claims of every date.
std::shared_ptr<claims::frmExtractos_Lineas_Reclamacion_Visor> Visor(Sweep &s) {
    auto w = std::make_shared<claims::frmExtractos_Lineas_Reclamacion_Visor>(s.shell);
    w->Show();
    w->txtFechaI.text = "01/01/1900";
    w->Cargar_Lineas();
    EXPECT_EQ(w->vsLineas.DataRows(), 2);
    return w;
}

std::function<void()> ExportarReclamaciones(Sweep &s) {
    auto w = Visor(s);
    w->chkSelelecion_vsLineas.value = true;
    w->chkSelelecion_vsLineas_Click();
    EXPECT_EQ(w->vsLineas.TickedCount(), 2);
    return [w] { w->cmdExportar_Click(); };
}

// Customer statements: a second one of customer 2 beside the demo's, both with taxed lines.
void SeedClientes(Sweep &s) {
    s.demo.settings->GuardarValor("FechaICobro", "01/01/2000");
    s.demo.settings->GuardarValor("FechaFCobro", "31/12/2099");
    const std::string fecha = Sweep::Dia(1);
    s.demo.erp->Execute("INSERT INTO Clientes_PagosCentral_Extractos (Cod_Empresa, Cod_Cliente, FechaCobro, "
                        "FechaContabilizar, Hora, Cerrado) VALUES (1, 2, '" +
                        fecha + "', '" + fecha + "', '" + fecha + "', 0)");
    s.demo.erp->Execute("INSERT INTO Clientes_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Cliente, FechaCobro, "
                        "Cod_Proveedor, Documento, FechaFactura, Importe, Observaciones, Cod_Atipico, "
                        "AtipicosPorcentaje) VALUES (1, 2, '" +
                        fecha + "', 4, 'C''2', '" + Sweep::Dia(-9) + "', 64.2, '', 0, 0)");
    s.demo.erp->Execute("INSERT INTO Clientes_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, "
                        "Valor_Tipo, Importe) SELECT MAX(IdExtractoLinea), 60, 7, 4.2 FROM "
                        "Clientes_PagosCentral_Extractos_Lineas");
}

std::function<void()> ListaClientes(Sweep &s, bool generar) {
    auto w = std::make_shared<customers::frmExtractos_Cliente>(s.shell, s.demo.settings);
    w->Show();
    w->cboEstado.SelectData(3);
    w->cboEstado_Click();
    w->chkSelelecion_vsExtractos.value = true;
    w->chkSelelecion_vsExtractos_Click();
    return [&s, w, generar] {
        s.shell.answers = {host::Answer::Yes};
        if (generar) {
            w->cmdGenerarAsiento_Click();
        } else {
            w->cmdEliminar_Click();
        }
    };
}

std::function<void()> LineasCliente(Sweep &s, const std::function<void(customers::frmExtractos_Cliente_Lineas &)> &f) {
    auto w = std::make_shared<customers::frmExtractos_Cliente_Lineas>(s.shell, s.demo.settings);
    w->codCliente = 1;
    w->fechaCobro = Sweep::Dia(-5);
    w->Show();
    return [&s, w, f] {
        s.shell.answers = {host::Answer::Yes};
        f(*w);
    };
}


// The claims of a type-1 line: two of 30 and 20 out of 100, shown in the line's claims window.
void SeedLineClaims(Sweep &s) {
    s.demo.SetParam("PagoCentral_TipoExtracto", "1");
    long line = s.Line(901, "100", "DOC'1");
    for (const char *total : {"30", "20"}) {
        s.demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, "
                            "Cod_TipoRecl, Cod_Concepto, FacturaCodigo, FacturaFecha, Base1, Igic1, TotalReclamacion, "
                            "Hora_Alta) VALUES (" +
                            std::to_string(line) + ", 2, 1, 'FC''" + total + "', '" + Sweep::Dia(-30) + "', " + total +
                            ", 0, " + total + ", '" + Sweep::Dia(-1) + " 10:00:00')");
    }
    s.ids = {line};
}

std::shared_ptr<claims::frmExtractos_Lineas_Reclamacion> ReclamacionesLinea(Sweep &s) {
    auto w = std::make_shared<claims::frmExtractos_Lineas_Reclamacion>(s.shell);
    w->IdExtractoLinea = s.ids[0];
    w->Cod_Proveedor = 901;
    w->Cod_Almacen = 1;
    w->ImporteReclamar = *suite::Moneda::Parse("100");
    w->FacturaFecha = Sweep::Dia(-5);
    w->FacturaCodigo = "DOC'1";
    w->Show();
    EXPECT_EQ(w->vsLineas.DataRows(), 2);
    // The claim editor: a new claim takes the remaining amount; a claim changed gets new observations.
    s.shell.handlers["frmExtractos_Lineas_Reclamacion_Datos"] = [&s](host::Window &win) {
        auto &e = static_cast<claims::frmExtractos_Lineas_Reclamacion_Datos &>(win);
        if (e.IdReclamacion < 1) {
            e.cboTiposReclamacion.SelectData(3);
            e.cboConceptos.SelectData(2);
            e.txtCantidadReclamada.text = "1";
            e.cboIGIC[0].index = 4;
            e.cboIGIC_Click(1);
        }
        e.txtArticulosCodigo.text = "A'1";
        e.txtArticulosDescripcion.text = "Aceite d'oliva";
        e.txtObservaciones.text = "Revisado por O'Neill";
        // A user who saw an error box while filling the dialog in cancels it.
        bool error = std::any_of(s.shell.messages.begin(), s.shell.messages.end(),
                                 [](const auto &m) { return m.icon == host::Icon::Critical; });
        error ? e.cmdCancelar_Click() : e.cmdAceptar_Click();
    };
    return w;
}

// A catalogue with its first entry current: an entry added through the dialog, the current one
// renamed, or deleted once confirmed.
enum class Cambio { Agregar, Modificar, Eliminar };

template <class W> std::function<std::function<void()>(Sweep &)> Catalogo(const char *dialogo, Cambio cambio) {
    return [dialogo, cambio](Sweep &s) {
        auto w = std::make_shared<W>(s.shell);
        w->Show();
        EXPECT_GE(w->vsLineas.DataRows(), 1);
        w->vsLineas_RowColChange(1);
        s.shell.handlers[dialogo] = [](host::Window &win) {
            auto &d = static_cast<catalogues::CatalogoDatos &>(win);
            if (!d.editar) {
                d.txtCodigo.text = "77";
            }
            d.txtNombre.text = "Nuevo d'Alba";
            d.txtTipo.text = "Z'";
            d.cmdAceptar_Click();
        };
        return std::function<void()>([&s, w, cambio] {
            s.shell.answers = {host::Answer::Yes};
            switch (cambio) {
            case Cambio::Agregar:
                w->cmdAgregar_Click();
                break;
            case Cambio::Modificar:
                w->cmdModificar_Click();
                break;
            case Cambio::Eliminar:
                w->cmdEliminar_Click();
                break;
            }
        });
    };
}

// The statement exported as the user names it in the save dialog; supplier 901 has its GLN.
void SeedExport(Sweep &s) {
    SeedMarks(s);
    std::filesystem::create_directories(s.demo.dir.File("salida"));
    s.demo.erp->Execute("INSERT INTO Proveedores_GLN (Cod_Empresa, Cod_Prov, GLN, Principal) VALUES (1, 901, "
                        "'8412345000017', 1)");
}

std::function<std::function<void()>(Sweep &)> ExportarExtracto(const char *fichero) {
    return [fichero](Sweep &s) {
        auto w = s.Lista("T'1", false);
        return std::function<void()>([&s, w, fichero] {
            s.shell.saveFiles = {s.demo.dir.File(std::string("salida/") + fichero)};
            w->cmdExportar_Click();
        });
    };
}

// Sage 200 runs that do not only write files: a statement of 2018 beside one of this year (its
// entry goes to the accounting database), with the registration counter already running.
void SeedSageMixed(Sweep &s) {
    s.demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                        "FechaExtracto, FechaVto) VALUES (1, 1, 'U''2', '31/12/2018', '15/01/2019')");
    s.ids = {0};
    SeedSage(s);
    for (int y : {Sweep::Year() - 1, Sweep::Year()}) {
        s.demo.erp->Execute("INSERT INTO Contador_SAGE200 (Cod_Empresa, Cod_Ejercicio, Serie, Codigo) VALUES (1, " +
                            std::to_string(y) + ", 'IMP', 41)");
    }
}

const std::vector<std::string> kSageFiles = {"sage/PagCenSAGE200_.*\\.csv"};

const Operation kOperations[] = {
    {"ImportStatementFormat1", [](Sweep &) {},
     [](Sweep &s) { return Importar(s, kSamples + "extractos_formato1.txt"); }},
    {"ImportTaxFile",
     [](Sweep &s) {
         auto w = s.Lista();
         s.shell.openFiles.push_back(kSamples + "extractos_formato1.txt");
         w->cmdImportar_Click();
     },
     [](Sweep &s) { return Importar(s, kSamples + "extractos_formato1_impuestos.csv"); }},
    {"ImportStatementFormat2",
     [](Sweep &s) {
         s.demo.SetParam("PagoCentral_TipoExtracto", "2");
         s.demo.SetParam("Almacen_PD", "3");
     },
     [](Sweep &s) { return Importar(s, kSamples + "extractos_formato2.txt"); }},
    {"DeleteStatements",
     [](Sweep &s) {
         s.demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, "
                             "Observaciones) SELECT TOP 1 IdExtractoLinea, 'reclamada' FROM "
                             "Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = '102022026'");
     },
     [](Sweep &s) {
         auto w = s.Lista("102022026");
         int r = Sweep::Row(w->vsExtractos, statements::frmExtractos::colExtracto, "103012026");
         w->vsExtractos.SetTicked(r, true);
         return std::function<void()>([w] { w->cmdEliminar_Click(); });
     }},
    {"DeleteLine",
     [](Sweep &s) {
         long id = s.Line(901, "20", "DEL'1");
         std::string k = std::to_string(id);
         for (const std::string &sql :
              {"INSERT INTO Compras_PagosCentral_Entradas (IdExtractoLinea, Cod_Empresa, Cod_Ejercicio, Cod_Almacen, "
               "Codigo) VALUES (" + k + ", 1, 2026, 1, 1)",
               "INSERT INTO Compras_PagosCentral_Entradas_Facturas (IdExtractoLinea, Cod_Empresa, Cod_Almacen, "
               "Proveedor, Documento) VALUES (" + k + ", 1, 1, 901, 'F')",
               "INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea) VALUES (" + k + ")",
               "INSERT INTO Compras_PagosCentral_PrevPagos (IdExtractoLinea, IdPrevPago, Importe) VALUES (" + k +
                   ", 1, 20)",
               "INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, Tipo) VALUES (" +
                   k + ", 20, 0)"}) {
             s.demo.erp->Execute(sql);
         }
         s.ids = {id};
     },
     [](Sweep &s) {
         auto w = s.Lineas();
         w->vsLineas_RowColChange(Sweep::Row(w->vsLineas, L::colIdLinea, std::to_string(s.ids[0])));
         return std::function<void()>([&s, w] {
             s.shell.answers = {host::Answer::Yes};
             w->cmdEliminar_Click();
         });
     }},
    {"LinkInvoices", SeedInvoices,
     [](Sweep &s) { return Vincular(Documentos(s, 901)); }},
    {"UnlinkInvoices", SeedInvoices,
     [](Sweep &s) { return Desvincular(s, Documentos(s, 901)); }},
    {"LinkReceipts", SeedReceipts,
     [](Sweep &s) { return Vincular(Documentos(s, 902)); }},
    {"UnlinkReceipts", SeedReceipts,
     [](Sweep &s) { return Desvincular(s, Documentos(s, 902)); }},
    {"LinkForecasts", SeedForecasts,
     [](Sweep &s) { return Vincular(Previsiones(s)); }},
    {"UnlinkForecasts", SeedForecasts,
     [](Sweep &s) { return Desvincular(s, Previsiones(s)); }},
    {"ImportForecasts", SeedForecasts,
     [](Sweep &s) {
         auto w = std::make_shared<AF>(s.shell, s.demo.settings);
         w->codExtracto = "T'1";
         w->codAlmacen = 1;
         w->fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
         w->fechaVto = suite::Fecha::Hoy().SumarDias(13);
         w->Show();
         w->txtProveedor.code = 902;
         w->txtProveedor_Change();
         for (long apunte : {s.ids[1], s.ids[2]}) {
             w->vsLineas_Click(Sweep::Row(w->vsLineas, AF::colApunte, std::to_string(apunte)), AF::colSel);
         }
         return std::function<void()>([w] { w->Form_KeyDown_F9(); });
     }},
    {"AddLine", [](Sweep &s) { s.demo.SetParam("PagoCentral_TipoExtracto", "1"); },
     [](Sweep &s) { return Editar(s, true); }},
    {"ModifyLine",
     [](Sweep &s) {
         s.demo.SetParam("PagoCentral_TipoExtracto", "1");
         long id = s.Line(901, "20", "MOD'1");
         s.demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, "
                             "Valor_Tipo, Importe, Tipo) VALUES (" +
                             std::to_string(id) + ", 20, 0, 0, 0)");
         s.ids = {id};
     },
     [](Sweep &s) { return Editar(s, false); }},
    {"MarkNoPayment", SeedMarks, [](Sweep &s) { return Marcar(s, true, false); }},
    {"MarkNewDueDate", SeedMarks, [](Sweep &s) { return Marcar(s, false, true); }},
    {"ClearMarks", SeedMarks, [](Sweep &s) { return Marcar(s, false, false); }},
    {"AutomaticMatching",
     [](Sweep &s) {
         s.demo.SetParam("PagoCentral_TipoExtracto", "2");
         s.Line(901, "100", "FAC-0001");
         s.Line(901, "55.5", "XX/F-77/2026");
         s.Line(902, "70", "AB-9999");
         long stale = s.Line(901, "12", "NADA");
         s.demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = 12 WHERE "
                             "IdExtractoLinea = " +
                             std::to_string(stale));
         s.Forecast("4000000901", "OTRA-0001", "100", 1);
         s.Forecast("4000000901", "F-77", "55.5", 13);
         s.Forecast("4000000902", "Z9999", "70", -5);
     },
     [](Sweep &s) {
         auto w = s.Lista("T'1", false);
         return std::function<void()>([w] { w->cmdCasacionAut_Click(); });
     }},
    {"GenerateEntriesFrom2019", [](Sweep &s) { SeedEntries(s, 1); }, Contabilizar, true},
    {"GenerateEntriesUpTo2018",
     [](Sweep &s) {
         s.demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos SET FechaExtracto = '30/11/2018' WHERE "
                             "Cod_Extracto = 'T''1'");
         s.demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                             "FechaExtracto, FechaVto) VALUES (1, 1, 'U''2', '31/12/2018', '15/01/2019')");
         s.ids = {0};
         SeedEntries(s, 1);
     },
     Contabilizar, true},
    {"GenerateEntriesOfForecasts", [](Sweep &s) { SeedEntries(s, 2); }, Contabilizar, true},
    {"GenerateSageFiles", SeedSage, ContabilizarSage, true, kSageFiles, "INSERT INTO Contador_SAGE200"},
    // A failed export may leave the claims file with the lines written before the failure.
    {"ExportClaims", SeedClaims, ExportarReclamaciones, false, {"salida/RECLAMACIONES_.*\\.txt"}},
    {"GenerateCustomerEntries", SeedClientes, [](Sweep &s) { return ListaClientes(s, true); }, true},
    {"DeleteCustomerStatements", SeedClientes, [](Sweep &s) { return ListaClientes(s, false); }},
    {"ModifyCustomerStatement", SeedClientes,
     [](Sweep &s) {
         auto w = std::make_shared<customers::frmExtractos_Cliente>(s.shell, s.demo.settings);
         w->Show();
         w->cboEstado.SelectData(3);
         w->cboEstado_Click();
         w->vsExtractos_RowColChange(w->vsExtractos.DataRows());
         w->cmdModificar_Click();
         w->txtCliente_Insert.code = 3;
         return std::function<void()>([w] { w->txtCont_Insert_Enter(); });
     }},
    {"ConfirmCustomerLineTaxes", SeedClientes,
     [](Sweep &s) {
         return LineasCliente(s, [](customers::frmExtractos_Cliente_Lineas &w) {
             w.txtBase[6].text = "10";
             w.txtBase_Change(6);
             w.txtBase_Enter(6);
         });
     }},
    {"DeleteCustomerLine", SeedClientes,
     [](Sweep &s) { return LineasCliente(s, [](customers::frmExtractos_Cliente_Lineas &w) { w.cmdEliminar_Click(); }); }},
    {"AddCustomerLine", SeedClientes,
     [](Sweep &s) {
         return LineasCliente(s, [](customers::frmExtractos_Cliente_Lineas &w) {
             w.txtProveedor_Insert.code = 9;
             w.txtDocumento_Insert.text = "N'1";
             w.txtFechaFactura.text = Sweep::Dia(-4);
             w.txtObservaciones_Enter();
         });
     }},
    {.name = "GenerateSageFilesWithRunningCounterAndA2018Statement", .seed = SeedSageMixed, .open = ContabilizarSage,
     .accountingCommitsFirst = true, .leftovers = kSageFiles, .covers = "UPDATE Contador_SAGE200"},
    {.name = "GenerateEntriesOfForecastsWithSageTarget",
     .seed =
         [](Sweep &s) {
             SeedEntries(s, 2);
             s.demo.SetParam("Tipo_Contabilidad", "6");
             std::filesystem::create_directories(s.demo.dir.File("sage"));
             s.demo.erp->Execute("UPDATE Arqueos_ParamContabilidad SET PathFicheros = " +
                                 db::Quote(s.demo.dir.File("sage")));
         },
     .open = Contabilizar, .accountingCommitsFirst = true, .leftovers = kSageFiles},
    {.name = "MarkClaimExported", .seed = SeedClaims,
     .open =
         [](Sweep &s) {
             auto w = Visor(s);
             w->vsLineas.row = 2;
             return std::function<void()>([&s, w] {
                 s.shell.answers = {host::Answer::Yes};
                 w->cmdMarcarExportado_Click();
             });
         },
     .kind = Kind::EachStatement},
    {.name = "AddClaim", .seed = SeedLineClaims,
     .open =
         [](Sweep &s) {
             auto w = ReclamacionesLinea(s);
             return std::function<void()>([w] { w->cmdAgregar_Click(); });
         },
     .kind = Kind::EachStatement},
    {.name = "ModifyClaim", .seed = SeedLineClaims,
     .open =
         [](Sweep &s) {
             auto w = ReclamacionesLinea(s);
             w->vsLineas_RowColChange(2);
             return std::function<void()>([w] { w->cmdModificar_Click(); });
         },
     .kind = Kind::EachStatement},
    {.name = "DeleteClaims", .seed = SeedLineClaims,
     .open =
         [](Sweep &s) {
             auto w = ReclamacionesLinea(s);
             w->chkSelelecion_vsLineas.value = true;
             w->chkSelelecion_vsLineas_Click();
             return std::function<void()>([&s, w] {
                 s.shell.answers = {host::Answer::Yes};
                 w->cmdEliminar_Click();
             });
         },
     .kind = Kind::EachStatement},
    {.name = "AddPaymentType", .seed = [](Sweep &) {},
     .open = Catalogo<catalogues::frmTiposPago>("frmTiposPago_Datos", Cambio::Agregar), .kind = Kind::EachStatement},
    {.name = "ModifyPaymentType", .seed = [](Sweep &) {},
     .open = Catalogo<catalogues::frmTiposPago>("frmTiposPago_Datos", Cambio::Modificar), .kind = Kind::EachStatement},
    {.name = "DeletePaymentType", .seed = [](Sweep &) {},
     .open = Catalogo<catalogues::frmTiposPago>("frmTiposPago_Datos", Cambio::Eliminar), .kind = Kind::EachStatement},
    {.name = "AddClaimType", .seed = [](Sweep &) {},
     .open = Catalogo<claims::frmReclamacionTipos>("frmReclamacionTipos_Datos", Cambio::Agregar),
     .kind = Kind::EachStatement},
    {.name = "ModifyClaimType", .seed = [](Sweep &) {},
     .open = Catalogo<claims::frmReclamacionTipos>("frmReclamacionTipos_Datos", Cambio::Modificar),
     .kind = Kind::EachStatement},
    {.name = "DeleteClaimType", .seed = [](Sweep &) {},
     .open = Catalogo<claims::frmReclamacionTipos>("frmReclamacionTipos_Datos", Cambio::Eliminar),
     .kind = Kind::EachStatement},
    {.name = "AddClaimConcept", .seed = [](Sweep &) {},
     .open = Catalogo<claims::frmReclamacionConceptos>("frmReclamacionConceptos_Datos", Cambio::Agregar),
     .kind = Kind::EachStatement},
    {.name = "ModifyClaimConcept", .seed = [](Sweep &) {},
     .open = Catalogo<claims::frmReclamacionConceptos>("frmReclamacionConceptos_Datos", Cambio::Modificar),
     .kind = Kind::EachStatement},
    {.name = "DeleteClaimConcept", .seed = [](Sweep &) {},
     .open = Catalogo<claims::frmReclamacionConceptos>("frmReclamacionConceptos_Datos", Cambio::Eliminar),
     .kind = Kind::EachStatement},
    {.name = "LinesDropLinksToVanishedForecasts",
     .seed =
         [](Sweep &s) {
             SeedForecasts(s);
             s.LinkForecast(s.ids[0], 987654, "15");
             s.demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = 55 WHERE "
                                 "IdExtractoLinea = " +
                                 std::to_string(s.ids[0]));
         },
     .open =
         [](Sweep &s) {
             // The window as built, reloaded by the user: the reload drops the links.
             auto w = std::make_shared<L>(s.shell, s.demo.settings);
             w->codAlmacen = 1;
             w->codExtracto = "T'1";
             w->txtFechaI.text = "01/01/2000";
             w->txtFechaF.text = "31/12/2099";
             return std::function<void()>([w] { w->Cargar_Lineas(); });
         },
     .covers = "DELETE pp FROM Compras_PagosCentral_PrevPagos"},
    {.name = "ExportStatementEuromadi", .seed = SeedExport, .open = ExportarExtracto("MODI0088.eur"),
     .leftovers = {"salida/MODI0088\\.eur"}, .kind = Kind::FilesOnly},
    {.name = "ExportStatementExcel", .seed = SeedExport, .open = ExportarExtracto("Extracto.xlsx"),
     .kind = Kind::FilesOnly},
    {.name = "AddCustomerStatement", .seed = SeedClientes,
     .open =
         [](Sweep &s) {
             auto w = std::make_shared<customers::frmExtractos_Cliente>(s.shell, s.demo.settings);
             w->Show();
             w->txtCliente_Insert.code = 3;
             w->txtFecha_Insert.text = Sweep::Dia(20);
             w->txtCont_Insert.text = Sweep::Dia(21);
             return std::function<void()>([w] { w->txtCont_Insert_Enter(); });
         },
     .kind = Kind::EachStatement},
    {.name = "DeleteCustomerLineTax", .seed = SeedClientes,
     .open =
         [](Sweep &s) {
             return LineasCliente(s, [](customers::frmExtractos_Cliente_Lineas &w) {
                 EXPECT_GE(w.vsImpuestos.DataRows(), 1);
                 w.vsImpuestos.row = 1;
                 w.cmdEliminarImp_Click();
             });
         }},
    {.name = "EditCustomerLineAmount", .seed = SeedClientes,
     .open =
         [](Sweep &s) {
             return LineasCliente(s, [](customers::frmExtractos_Cliente_Lineas &w) {
                 w.vsLineas.SetText(1, customers::frmExtractos_Cliente_Lineas::colImporte, "12,5");
                 w.vsLineas_AfterEdit(1, customers::frmExtractos_Cliente_Lineas::colImporte);
             });
         },
     .kind = Kind::EachStatement},
};

class FaultSweep : public ::testing::TestWithParam<Operation> {};

void PrintTo(const Operation &op, std::ostream *os) { *os << op.name; }

// The error box of the module: the stop icon, a procedure's tag as title, the injected failure as text.
::testing::AssertionResult SawErrorBox(const host::ScriptedShell &shell, const std::string &failure) {
    for (const auto &m : shell.messages) {
        if (m.icon == host::Icon::Critical && m.title.find(':') != std::string::npos &&
            m.text.find(failure) != std::string::npos) {
            return ::testing::AssertionSuccess();
        }
    }
    return ::testing::AssertionFailure() << "no error box with \"" << failure << "\"; last: " << shell.Last();
}

// The rows only one side has, marked + (found) and - (expected).
std::string Diff(const std::vector<std::string> &after, const std::vector<std::string> &expected) {
    std::string diff;
    for (const auto &row : after) {
        if (std::find(expected.begin(), expected.end(), row) == expected.end()) {
            diff += "\n+ " + row;
        }
    }
    for (const auto &row : expected) {
        if (std::find(after.begin(), after.end(), row) == after.end()) {
            diff += "\n- " + row;
        }
    }
    return diff;
}

// What an operation's run left: the error box seen, no transaction left open, the progress window
// hidden and both databases exactly as `expected`.
void Check(const char *op, const std::string &what, Sweep &s, const std::string &failure,
           const std::vector<std::string> &expected) {
    EXPECT_TRUE(SawErrorBox(s.shell, failure)) << op << ", " << what;
    EXPECT_FALSE(s.demo.erp->InTransaction()) << op << ", " << what;
    EXPECT_FALSE(s.demo.acc->InTransaction()) << op << ", " << what;
    EXPECT_TRUE(s.shell.ProgressHidden()) << op << ", " << what;
    auto after = s.Both();
    if (after != expected) {
        ADD_FAILURE() << op << ", " << what << ": the databases are not as expected" << Diff(after, expected);
    }
}

// The statement at position k of a clean run, for the failure's report.
std::string Failing(const std::vector<std::string> &log, int k) {
    return "statement " + std::to_string(k) + ": " +
           (k <= static_cast<int>(log.size()) ? log[static_cast<std::size_t>(k - 1)] : "");
}

using Files = std::map<std::string, std::string>;

// A failed run may leave only the files its operation is allowed to: anything else written or
// changed is reported.
void CheckFiles(const Operation &op, const std::string &what, const Files &before, const Files &after) {
    for (const auto &entry : after) {
        const std::string &path = entry.first, &bytes = entry.second;
        auto was = before.find(path);
        if (was != before.end() && was->second == bytes) {
            continue;
        }
        bool allowed = std::any_of(op.leftovers.begin(), op.leftovers.end(),
                                   [&](const std::string &re) { return std::regex_match(path, std::regex(re)); });
        EXPECT_TRUE(allowed) << op.name << ", " << what << ": left " << path;
    }
    for (const auto &[path, bytes] : before) {
        EXPECT_TRUE(after.count(path)) << op.name << ", " << what << ": removed " << path;
    }
}

// One failing run of `op` on `s` (seeded and wrapped), with the plan's failure set by `fail`.
void FailOnce(const Operation &op, const std::string &what, Sweep &s, const std::function<void(FaultPlan &)> &fail,
              const std::string &failure, const std::vector<std::string> &expected, bool checkFiles = true) {
    auto action = op.open(s);
    s.shell.ClearLog();
    s.plan->Reset();
    fail(*s.plan);
    const Files before = s.Files();
    action();
    Check(op.name, what, s, failure, expected);
    if (checkFiles) {
        CheckFiles(op, what, before, s.Files());
    }
}

TEST_P(FaultSweep, AFailureAtEachStatementOrCommitIsShownAndLeavesNoPartialWrite) {
    const Operation &op = GetParam();

    // A clean run counts the statements and commits, and must change something: the databases, or
    // the files for an operation that only writes files.
    int statements = 0;
    std::vector<int> atCommit;
    std::vector<std::string> done, doneAccounting, log;
    std::map<int, std::vector<std::string>> afterStatement; // statement by statement operations
    {
        Sweep s;
        op.seed(s);
        auto before = s.Both();
        const Files filesBefore = s.Files();
        s.Wrap();
        auto action = op.open(s);
        s.shell.ClearLog();
        s.plan->Reset();
        if (op.kind == Kind::EachStatement) {
            s.plan->afterExecute = [&] { afterStatement[s.plan->statements] = s.Both(); };
        }
        action();
        s.plan->afterExecute = nullptr;
        std::string said;
        for (const auto &m : s.shell.messages) {
            said += "\n" + m.title + ": " + m.text;
            EXPECT_NE(m.icon, host::Icon::Critical) << m.title << ": " << m.text;
        }
        statements = s.plan->statements;
        atCommit = s.plan->statementsAtCommit;
        log = s.plan->log;
        done = s.Both();
        doneAccounting = s.Accounting();
        if (op.kind == Kind::OneTransaction) {
            ASSERT_FALSE(atCommit.empty()) << op.name << " committed nothing" << said;
        } else {
            ASSERT_TRUE(atCommit.empty()) << op.name << " runs in a transaction" << said;
        }
        if (op.kind == Kind::FilesOnly) {
            ASSERT_EQ(done, before) << op.name << " changed the databases" << said;
            ASSERT_NE(s.Files(), filesBefore) << op.name << " wrote no file" << said;
        } else {
            ASSERT_NE(done, before) << op.name << " changed nothing" << said;
        }
    }

    if (op.kind == Kind::FilesOnly) {
        std::printf("[ sweep    ] %s: %d statements, no writes; %d positions\n", op.name, statements, statements);
        Sweep s;
        op.seed(s);
        const auto before = s.Both();
        s.Wrap();
        for (int k = 1; k <= statements; ++k) {
            FailOnce(op, Failing(log, k), s, [k](FaultPlan &p) { p.failAt = k; },
                     "Fallo provocado en la instrucción " + std::to_string(k), before);
        }
        return;
    }

    if (op.kind == Kind::EachStatement) {
        // A failure at statement k keeps exactly what the statements before it stored.
        std::printf("[ sweep    ] %s: %d statements, %zu of them writes, no transaction; %d positions\n", op.name,
                    statements, afterStatement.size(), statements);
        // Rows stamped with the time of the run differ between runs, so what the earlier statements
        // stored is taken from the failing run itself, checked to be as many writes as in the clean run.
        for (int k = 1; k <= statements; ++k) {
            Sweep later;
            op.seed(later);
            std::vector<std::string> expected = later.Both();
            std::size_t writes = 0;
            later.Wrap();
            later.plan->afterExecute = [&] {
                expected = later.Both();
                ++writes;
            };
            FailOnce(op, Failing(log, k), later, [k](FaultPlan &p) { p.failAt = k; },
                     "Fallo provocado en la instrucción " + std::to_string(k), expected);
            later.plan->afterExecute = nullptr;
            const auto cleanWrites = std::count_if(afterStatement.begin(), afterStatement.end(),
                                                   [k](const auto &w) { return w.first < k; });
            EXPECT_EQ(writes, static_cast<std::size_t>(cleanWrites)) << op.name << ", " << Failing(log, k);
        }
        return;
    }

    // The operation's own transaction is the first one committed; what runs after it (the reload,
    // which may hold a transaction of its own) finds the operation's work stored.
    const int inTransaction = atCommit.front();
    if (op.covers) {
        EXPECT_TRUE(std::any_of(log.begin(), log.begin() + inTransaction,
                                [&](const std::string &sql) { return sql.find(op.covers) != std::string::npos; }))
            << op.name << " does not run \"" << op.covers << "\" inside its transaction";
    }
    std::printf("[ sweep    ] %s: %d statements, %d up to its commit, %zu commit(s); %d positions\n", op.name,
                statements, inTransaction, atCommit.size(),
                statements + 1 + static_cast<int>(atCommit.size()) - 1);

    Sweep s;
    op.seed(s);
    const auto before = s.Both();
    s.Wrap();
    for (int k = 1; k <= inTransaction; ++k) {
        FailOnce(op, Failing(log, k), s, [k](FaultPlan &p) { p.failAt = k; },
                 "Fallo provocado en la instrucción " + std::to_string(k), before);
    }
    FailOnce(op, "its commit", s, [](FaultPlan &p) { p.failCommit = 1; }, "Fallo provocado al confirmar la transacción",
             before);
    // Past the commit the operation's files are its output, not leftovers.
    for (int k = inTransaction + 1; k <= statements; ++k) {
        Sweep later;
        op.seed(later);
        later.Wrap();
        FailOnce(op, "after the commit, " + Failing(log, k), later, [k](FaultPlan &p) { p.failAt = k; },
                 "Fallo provocado en la instrucción " + std::to_string(k), done, false);
    }
    for (int c = 2; c <= static_cast<int>(atCommit.size()); ++c) {
        Sweep later;
        op.seed(later);
        if (op.accountingCommitsFirst && c == 2) {
            const auto expected = later.Join(later.Erp(), doneAccounting);
            later.Wrap();
            FailOnce(op, "the ERP commit", later, [c](FaultPlan &p) { p.failCommit = c; },
                     "Fallo provocado al confirmar la transacción", expected);
            // The entries reached the accounting, the closing did not: running it again closes the
            // statements with the entries they already have, never a second one.
            auto again = op.open(later);
            later.shell.ClearLog();
            later.plan->Reset();
            again();
            EXPECT_TRUE(later.Both() == done) << op.name << ": run again after a lost ERP commit"
                                              << Diff(later.Both(), done);
            continue;
        }
        later.Wrap();
        FailOnce(op, "commit " + std::to_string(c), later, [c](FaultPlan &p) { p.failCommit = c; },
                 "Fallo provocado al confirmar la transacción", done, false);
    }
}

INSTANTIATE_TEST_SUITE_P(Operations, FaultSweep, ::testing::ValuesIn(kOperations),
                         [](const ::testing::TestParamInfo<Operation> &info) { return std::string(info.param.name); });

} // namespace
