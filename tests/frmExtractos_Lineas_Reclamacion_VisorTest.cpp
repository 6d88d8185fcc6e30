#include "claims/frmExtractos_Lineas_Reclamacion_Datos.h"
#include "claims/frmExtractos_Lineas_Reclamacion_Visor.h"
#include "db/Sql.h"
#include "fixtures/TextosHostiles.h"
#include "fixtures/Env.h"
#include "fixtures/FaultyConnection.h"
#include "fixtures/Vinculos.h"
#include "printing/Plantilla.h"
#include "printing/frmView.h"
#include "suite/Formato.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using V = claims::frmExtractos_Lineas_Reclamacion_Visor;
namespace fs = std::filesystem;

std::string Leer(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Closed statements of warehouses 1 and 2 in March 2026 with the three claims of the expected file,
// and the claims that must stay out of it.
class ClaimsViewer : public VinculosFixture, public ::testing::Test {
  protected:
    ClaimsViewer() : perfil("USERPROFILE", demo.dir.File("perfil")) {
        fs::create_directories(demo.dir.File("app"));
        fs::create_directories(demo.dir.File("salida"));
        demo.erp->Execute("UPDATE Empresas SET PathAplicacion = " + db::Quote(demo.dir.File("app")));
        std::ofstream(demo.dir.File("app/ConfAlmacenPagosCentralizados.ini"))
            << "[Almacenes]\n101=1\n[Almacenes_CEN]\n1=0\n2=777\n";
        demo.SetParam("PagoCentralPathReclamaciones", demo.dir.File("salida"));
        for (const char *sql :
             {"INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, FechaExtracto, "
              "FechaVto, Cerrado) VALUES (1, 1, 'C''1', '28/02/2026', '15/03/2026', 1)",
              "INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, FechaExtracto, "
              "FechaVto, Cerrado) VALUES (1, 2, 'C''2', '28/02/2026', '15/03/2026', 1)"}) {
            demo.erp->Execute(sql);
        }
        long l1 = Linea(1, "C'1", 901, 50901), l2 = Linea(2, "C'2", 902, 50902), abierta = Line(901, "10", "AB");
        a = Reclamacion(l1, 1, "'  FV-1 ', '10/02/2026', " + db::Quote("A1\r\nA2 ") + ", ' Leche \"entera\"', " +
                                   db::Quote("Caja rota,\ncliente \"X\"; devuelta\r") +
                                   ", '', 'ALB-7', '05/02/2026', '', '', 12, 100, 8, 0, 6, 33.33, 0, 0, 0, 0, 0, 140.33",
                        "15/03/2026 10:00:00");
        b = Reclamacion(l2, 4, "'O''Neill 5', '01/03/2026', 'ZUM-1', 'Zumo ñandú 1€', 'Cobrada dos veces', '', '', '', "
                               "'FV-0099', '20/02/2026', 1, 1234.5, 10, 0, 0, 0, 0, 0, 0, 0, 0, 1351.78",
                        "31/03/2026 23:30:00");
        c = Reclamacion(l1, 6, "'FV-3', '15/03/2026', 'P1', 'Promo', 'Sin aplicar', 'Enero \"2026\"', '', '', '', '', "
                               "2.5, 10, 2, 0, 0, 0, 0, 0, 0, 5, 4, 15.05",
                        "20/03/2026 09:00:00");
        tarde = Reclamacion(l1, 2, "'TARDE', '01/03/2026', 'X', 'X', 'X', '', '', '', '', '', 1, 1, 0, 0, 0, 0, 0, 0, 0, "
                                   "0, 0, 1",
                            "31/03/2026 23:59:30");
        Reclamacion(abierta, 2, "'ABIERTO', '01/03/2026', 'X', 'X', 'X', '', '', '', '', '', 1, 1, 0, 0, 0, 0, 0, 0, 0, "
                                "0, 0, 1",
                    "15/03/2026 10:00:00");
        hecha = Reclamacion(l2, 3, "'HECHA', '01/03/2026', 'X', 'X', 'X', '', '', '', '', '', 1, 7, 0, 0, 0, 0, 0, 0, 0, "
                                   "0, 0, 7",
                            "16/03/2026 10:00:00", 1);
    }

    long Linea(int almacen, const std::string &extracto, int proveedor, int central) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                          "Cod_Proveedor, Cod_ProveedorCentral, Documento, Fecha, Importe, ImporteVinculado, TipoPago) "
                          "VALUES (1, " +
                          std::to_string(almacen) + ", " + db::Quote(extracto) + ", " + std::to_string(proveedor) + ", " +
                          std::to_string(central) + ", 'D', '20/02/2026', 2000, 0, 1)");
        return std::stol(demo.One("SELECT MAX(IdExtractoLinea) FROM Compras_PagosCentral_Extractos_Lineas"));
    }
    long Reclamacion(long linea, int tipo, const std::string &valores, const std::string &alta, int exportado = 0) {
        demo.erp->Execute(
            "INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, Cod_TipoRecl, Cod_Concepto, "
            "FacturaCodigo, FacturaFecha, ArticulosCodigo, ArticulosDescripcion, Observaciones, PeriodoVigencia, "
            "AlbaranCodigo, AlbaranFecha, FacturaCodigoDuplicado, FechaVtoDuplicado, CantidadReclamado, Base1, Igic1, "
            "Base2, Igic2, Base3, Igic3, Base4, Igic4, Base5, Igic5, TotalReclamacion, Hora_Alta, Exportado) VALUES (" +
            std::to_string(linea) + ", " + std::to_string(tipo) + ", 1, " + valores + ", '" + alta + "', " +
            std::to_string(exportado) + ")");
        return std::stol(demo.One("SELECT MAX(IdReclamacion) FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"));
    }
    // The viewer on March 2026.
    std::unique_ptr<V> Abrir() {
        auto v = std::make_unique<V>(shell);
        v->Show();
        v->txtFechaI.text = "01/03/2026";
        v->txtFechaF.text = "31/03/2026";
        v->Cargar_Lineas();
        return v;
    }
    static std::vector<std::string> Ids(const V &v) {
        std::vector<std::string> out;
        for (int r = 1; r <= v.vsLineas.DataRows(); ++r) {
            out.push_back(v.vsLineas.Text(r, V::colIdReclamacion));
        }
        return out;
    }
    static int Fila(const V &v, long id) {
        for (int r = 1; r <= v.vsLineas.DataRows(); ++r) {
            if (v.vsLineas.Text(r, V::colIdReclamacion) == std::to_string(id)) {
                return r;
            }
        }
        return 0;
    }
    std::vector<std::string> Ficheros() const {
        std::vector<std::string> out;
        for (const auto &e : fs::directory_iterator(demo.dir.File("salida"))) {
            out.push_back(e.path().string());
        }
        return out;
    }
    std::string Exportadas() const {
        auto rs = demo.erp->OpenRecordset("SELECT IdReclamacion FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion "
                                          "WHERE Exportado = 1 ORDER BY IdReclamacion");
        std::string out;
        while (!rs->Eof()) {
            out += (out.empty() ? "" : ",") + rs->Fields(0).AsText();
            rs->MoveNext();
        }
        return out;
    }
    std::string S(long id) const { return std::to_string(id); }

    fixtures::Env perfil;
    long a = 0, b = 0, c = 0, tarde = 0, hecha = 0;
};

TEST_F(ClaimsViewer, ListsTheClaimsOfClosedStatementsWithTheirFiltersAndDefaults) {
    V v(shell);
    v.Show();
    EXPECT_EQ(v.caption, "Visor de Reclamaciones de Pagos Centralizados");
    EXPECT_EQ(v.txtFechaI.text, "01/01/" + std::to_string(suite::Fecha::Hoy().Anio()));
    EXPECT_EQ(v.txtFechaF.text, suite::Fecha::Hoy().Formato("dd/mm/yyyy"));
    EXPECT_EQ(v.cboTiposReclamacion.Text(), "---");
    ASSERT_EQ(v.vsLineas.Cols(), 36);
    int visibles = 0;
    for (const auto &col : v.vsLineas.columns) {
        visibles += col.hidden ? 0 : 1;
    }
    EXPECT_EQ(visibles, 11); // the tick column and ten with headers
    EXPECT_EQ(v.vsLineas.columns[V::colHoraAlta].header, "F.Alta");

    // March: the open statement's claim and the one at 23:59:30 of the last day stay out. The rows
    // come as the query gives them: by line.
    auto w = Abrir();
    EXPECT_EQ(Ids(*w), (std::vector<std::string>{S(a), S(c), S(b)}));
    EXPECT_EQ(w->vsLineas.row, 1);
    int r = Fila(*w, a);
    std::vector<std::string> fila;
    for (int col = 0; col < 36; ++col) {
        fila.push_back(w->vsLineas.Text(r, col));
    }
    EXPECT_EQ(fila, (std::vector<std::string>{
                        "0", "1", "Albarán no recibido", "AL", "  FV-1 ", "10/02/2026", "1", "Supermercado Telde", "901",
                        "Proveedor O'901", "50901", "140,33", S(a), "15/03/2026 10:00:00", "101", "A1\r\nA2 ",
                        " Leche \"entera\"", "Caja rota,\ncliente \"X\"; devuelta\r", "IG4", "100,0000", "", "", "",
                        "33,3300", "", "", "", "", "12", "", "ALB-7", "05/02/2026", "", "", "0450",
                        w->vsLineas.Text(r, V::colIdExtractoLinea)}));
    EXPECT_EQ(w->vsLineas.Text(Fila(*w, b), V::colAlmacenCentral), "777");

    w->txtFechaF.text = "30/03/2026";
    w->txtFechaF_KeyEnter();
    EXPECT_EQ(Ids(*w), (std::vector<std::string>{S(a), S(c)}));
    w->txtFechaF.text = "31/03/2026";
    w->txtProv.code = 902;
    w->txtProv_Change();
    EXPECT_EQ(w->txtProv.descripcion, "Proveedor O'902");
    w->Cargar_Lineas();
    EXPECT_EQ(Ids(*w), (std::vector<std::string>{S(b)}));
    w->txtProv.code = 0;
    w->cboTiposReclamacion.SelectData(6);
    w->txtAlmacen.code = 1;
    w->Cargar_Lineas();
    EXPECT_EQ(Ids(*w), (std::vector<std::string>{S(c)}));
    w->txtAlmacen.code = 2;
    w->Cargar_Lineas();
    EXPECT_EQ(w->vsLineas.DataRows(), 0);
    w->cboTiposReclamacion.index = 0;
    w->chkExportado.value = true;
    w->chkExportado_Click();
    EXPECT_EQ(Ids(*w), (std::vector<std::string>{S(hecha)}));

    shell.ClearLog();
    w->txtFechaI.text = "31/02/2026";
    w->Cargar_Lineas();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe introducir una fecha válida.");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Reclamacion_Visor.txtFechaI");
    EXPECT_EQ(w->vsLineas.DataRows(), 0);
    EXPECT_TRUE(shell.ProgressHidden());

    // Viewing opens the editor read-only on the current claim.
    auto x = Abrir();
    std::string visto;
    shell.handlers["frmExtractos_Lineas_Reclamacion_Datos"] = [&](host::Window &win) {
        auto &e = static_cast<claims::frmExtractos_Lineas_Reclamacion_Datos &>(win);
        visto = std::to_string(e.IdReclamacion) + "|" + e.caption + "|" + e.txtObservaciones.text + "|" +
                suite::Formato::Instancia().NumeroSQL(e.TotalAnterior);
    };
    x->vsLineas_RowColChange(Fila(*x, b));
    x->vsLineas_DblClick();
    EXPECT_EQ(visto, S(b) + "|Reclamaciones de Pagos Centralizados - (SOLO LECTURA)|Cobrada dos veces|1351.78");
}

TEST_F(ClaimsViewer, PrintsTheListedClaimsWithItsFilters) {
    demo.erp->Execute("UPDATE Empresas SET PathAplicacion = '" + demo.dir.Path() + "'");
    printing::InstalarPlantillas(demo.dir.Path());
    std::shared_ptr<const host::Reporte> visto;
    shell.handlers["frmView"] = [&](host::Window &w) {
        visto = static_cast<printing::frmView &>(w).Report;
        static_cast<printing::frmView &>(w).cmdCerrar_Click();
    };
    auto v = Abrir();
    ASSERT_GT(v->vsLineas.DataRows(), 0);
    v->cmdImprimir_Click();
    ASSERT_TRUE(visto) << shell.Last();
    std::string textos;
    for (const auto &p : visto->paginas) {
        for (const auto &o : p.objetos) {
            textos += o.texto + "\n";
        }
    }
    EXPECT_NE(textos.find("Reclamaciones de Pagos Centralizados"), std::string::npos);
    EXPECT_NE(textos.find("Fechas de alta: 01/03/2026 - 31/03/2026; sin exportar"), std::string::npos) << textos;
    EXPECT_NE(textos.find("O'Neill 5"), std::string::npos) << textos;
}

TEST_F(ClaimsViewer, ExportsTheTickedClaimsByteForByteMarksThemAndLogs) {
    auto v = Abrir();
    v->cmdExportar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe elegir al menos una reclamación a Exportar.");
    v->chkSelelecion_vsLineas.value = true;
    v->chkSelelecion_vsLineas_Click();
    shell.ClearLog();
    v->cmdExportar_Click();
    EXPECT_EQ(shell.Last(), "information|Información|Fichero Exportado correctamente.");
    EXPECT_EQ(shell.progress, (std::vector<std::string>{"Generando Fichero de Exportación, espere por favor...", "",
                                                        "Cargando líneas de Reclamaciones, espere por favor...", ""}));
    auto ficheros = Ficheros();
    ASSERT_EQ(ficheros.size(), 1u);
    EXPECT_EQ(v->Fichero(), ficheros[0]);
    std::string nombre = fs::path(ficheros[0]).filename().string();
    EXPECT_EQ(nombre.substr(0, 14), "RECLAMACIONES_");
    EXPECT_EQ(nombre.size(), std::string("RECLAMACIONES_ddmmyyyy_hhnnss.txt").size());
    EXPECT_EQ(nombre.substr(14, 8), suite::Fecha::Hoy().Formato("ddmmyyyy"));
    EXPECT_EQ(Leer(ficheros[0]), Leer(std::string(PC_SOURCE_DIR) + "/tests/expected/reclamaciones/tres_reclamaciones.txt"));
    EXPECT_EQ(Exportadas(), S(a) + "," + S(b) + "," + S(c) + "," + S(hecha));
    EXPECT_EQ(v->vsLineas.DataRows(), 0); // reloaded: nothing pending

    std::string log = Leer(demo.dir.File("perfil/Orbel/ExportarReclamacionesPagoCentral.log"));
    std::size_t creado = log.find("Exportar\t" + ficheros[0] + " creado");
    std::size_t ok = log.find("\tINFO\tExportar\tFichero Exportado correctamente\n");
    std::size_t fin = log.find("Exportar\tFin Exportación de Reclamaciones");
    EXPECT_TRUE(creado != std::string::npos && ok != std::string::npos && fin != std::string::npos) << log;
    EXPECT_TRUE(creado < ok && ok < fin) << log;

    // Exported claims are listed with the box ticked, and go out again.
    fs::remove(ficheros[0]);
    v->chkExportado.value = true;
    v->chkExportado_Click();
    v->vsLineas.SetTicked(Fila(*v, c), true);
    v->cmdExportar_Click();
    ASSERT_EQ(Ficheros().size(), 1u);
    std::string esperado = Leer(std::string(PC_SOURCE_DIR) + "/tests/expected/reclamaciones/tres_reclamaciones.txt");
    std::size_t pm = esperado.find("PM;");
    EXPECT_EQ(Leer(Ficheros()[0]), esperado.substr(pm, esperado.find("\r\n", pm) + 2 - pm));
}

TEST_F(ClaimsViewer, RefusesBeforeWritingOrMarkingAnything) {
    auto exportar = [&](const std::vector<long> &ids) {
        auto v = Abrir();
        for (long id : ids) {
            v->vsLineas.SetTicked(Fila(*v, id), true);
        }
        shell.ClearLog();
        v->cmdExportar_Click();
        EXPECT_TRUE(Ficheros().empty());
        EXPECT_EQ(Exportadas(), S(hecha));
        EXPECT_EQ(v->vsLineas.DataRows(), 3);
        return shell.Last();
    };
    demo.erp->Execute("UPDATE Almacenes SET Cod_Sociedad = NULL WHERE Codigo = 2");
    EXPECT_EQ(exportar({a, b}),
              "warning|¡ Atención !|Existen almacenes que no tienen configurado el código de sociedad.");
    demo.erp->Execute("UPDATE Almacenes SET Cod_Sociedad = '0450' WHERE Codigo = 2");

    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas_Reclamacion SET ArticulosDescripcion = 'Té 茶' "
                      "WHERE IdReclamacion = " + S(c));
    EXPECT_EQ(exportar({a, c}), "warning|¡ Exportación abortada !|La reclamación " + S(c) +
                                    " tiene en el campo \"Descripción de artículos\" el carácter \"茶\", que el fichero "
                                    "de reclamaciones (Windows-1252) no admite. Corríjalo antes de exportar.");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas_Reclamacion SET ArticulosDescripcion = 'Té' "
                      "WHERE IdReclamacion = " + S(c));

    demo.SetParam("PagoCentralPathReclamaciones", demo.dir.File("no-existe"));
    EXPECT_EQ(exportar({a}), "warning|¡ Exportación abortada !|La carpeta de los ficheros de reclamaciones no existe: " +
                                 demo.dir.File("no-existe"));
    demo.SetParam("PagoCentralPathReclamaciones", "");
    EXPECT_EQ(exportar({a}), "warning|¡ Exportación abortada !|No se ha indicado la carpeta de los ficheros de "
                             "reclamaciones (parámetro PagoCentralPathReclamaciones).");
    std::ofstream(demo.dir.File("fichero")) << "x";
    demo.SetParam("PagoCentralPathReclamaciones", demo.dir.File("fichero"));
    EXPECT_EQ(exportar({a}), "warning|¡ Exportación abortada !|La ruta de los ficheros de reclamaciones no es una "
                             "carpeta: " + demo.dir.File("fichero"));
    if (::geteuid() != 0) {
        fs::permissions(demo.dir.File("salida"), fs::perms::owner_write, fs::perm_options::remove);
        demo.SetParam("PagoCentralPathReclamaciones", demo.dir.File("salida") + "/");
        EXPECT_EQ(exportar({a}), "warning|¡ Exportación abortada !|No se puede escribir en la carpeta de los ficheros "
                                 "de reclamaciones: " + demo.dir.File("salida") + "/");
        fs::permissions(demo.dir.File("salida"), fs::perms::owner_write, fs::perm_options::add);
    }

    // Marking asks first; No leaves the claim pending.
    auto v = Abrir();
    v->vsLineas_RowColChange(Fila(*v, b));
    shell.answers = {host::Answer::No};
    v->cmdMarcarExportado_Click();
    EXPECT_EQ(shell.Last(), "question|¡ Atención !|¿Está seguro que desea incluir como exportado la linea señalada?");
    EXPECT_EQ(Exportadas(), S(hecha));
    shell.answers = {host::Answer::Yes};
    v->cmdMarcarExportado_Click();
    EXPECT_EQ(Exportadas(), S(b) + "," + S(hecha));
    EXPECT_EQ(Ids(*v), (std::vector<std::string>{S(a), S(c)}));
    EXPECT_TRUE(Ficheros().empty());
}

TEST_F(ClaimsViewer, AFailedExportMarksNothingAndLogsTheError) {
    auto plan = std::make_shared<FaultPlan>();
    host::Contexto::Global().conexionVarnex = std::make_shared<FaultyConnection>(demo.erp, plan);
    auto v = Abrir();
    v->chkSelelecion_vsLineas.value = true;
    v->chkSelelecion_vsLineas_Click();
    plan->Reset();
    plan->failAt = 5; // the second claim's mark, after each claim was read again
    shell.ClearLog();
    v->cmdExportar_Click();
    EXPECT_EQ(shell.Last(), "critical|frmExtractos_Lineas_Reclamacion_Visor:cmdExportar_Click|Fallo provocado en la "
                            "instrucción 5");
    EXPECT_TRUE(shell.ProgressHidden());
    EXPECT_FALSE(demo.erp->InTransaction());
    EXPECT_EQ(Exportadas(), S(hecha));
    EXPECT_TRUE(v->Fichero().empty());
    EXPECT_EQ(v->vsLineas.DataRows(), 3); // no reload after a failure
    std::string log = Leer(demo.dir.File("perfil/Orbel/ExportarReclamacionesPagoCentral.log"));
    EXPECT_NE(log.find("\tERROR\tExportar\tError al Exportar el fichero\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Fin Exportación"), std::string::npos) << log;
}

TEST_F(ClaimsViewer, HostileTextsGoOutQuotedWithoutQuotesAndLineBreaksOrStopTheExport) {
    // Per text, the observations and the validity period as written by hand in Windows-1252.
    const std::vector<std::string> esperado = {
        "O'Brien", "'); DROP TABLE x; --", "Di hola x", "C:\\dir\\n\\'x\\", Repetido("a\xD1", 150),
        "a\tbcd\x01" "e", "", "\xD1o\xF1o \xC1\xC9\xCD\xD3\xDA\xDC"};
    const std::string mano =
        Leer(std::string(PC_SOURCE_DIR) + "/tests/expected/reclamaciones/tres_reclamaciones.txt");
    const std::size_t pm = mano.find("PM;");
    const std::string linea = mano.substr(pm, mano.find("\r\n", pm) + 2 - pm);
    for (std::size_t i = 0; i < Hostiles().size(); ++i) {
        const std::string &t = Hostiles()[i].texto;
        SCOPED_TRACE(Hostiles()[i].nombre);
        demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas_Reclamacion SET Exportado = 0, Observaciones = " +
                          db::Quote(t) + ", PeriodoVigencia = " + db::Quote(t) + " WHERE IdReclamacion = " + S(c));
        auto v = Abrir();
        v->vsLineas.SetTicked(Fila(*v, c), true);
        shell.ClearLog();
        v->cmdExportar_Click();
        if (esperado[i].empty()) {
            EXPECT_EQ(shell.Last(), "warning|¡ Exportación abortada !|La reclamación " + S(c) +
                                        " tiene en el campo \"Observaciones\" el carácter \"\xF0\x9F\x98\x80\", que el "
                                        "fichero de reclamaciones (Windows-1252) no admite. Corríjalo antes de exportar.");
            EXPECT_TRUE(Ficheros().empty());
            EXPECT_EQ(Exportadas(), S(hecha));
            continue;
        }
        EXPECT_EQ(shell.Last(), "information|Información|Fichero Exportado correctamente.");
        std::string bytes = linea;
        bytes.replace(bytes.find("\"Sin aplicar\""), 13, "\"" + esperado[i] + "\"");
        bytes.replace(bytes.find("\"Enero 2026\""), 12, "\"" + esperado[i] + "\"");
        ASSERT_EQ(Ficheros().size(), 1u);
        EXPECT_EQ(Leer(Ficheros()[0]), bytes);
        EXPECT_EQ(Exportadas(), S(c) + "," + S(hecha));
        fs::remove(Ficheros()[0]);
    }

    // The claim type's external code goes out unquoted: a separator in it would shift the line.
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas_Reclamacion SET Exportado = 0, Observaciones = 'x' "
                      "WHERE IdReclamacion = " + S(c));
    demo.erp->Execute("UPDATE Compras_PagosCentral_Reclamacion_Tipos SET Tipo = 'P;M' WHERE Tipo = 'PM'");
    auto v = Abrir();
    v->vsLineas.SetTicked(Fila(*v, c), true);
    v->cmdExportar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Exportación abortada !|La reclamación " + S(c) +
                                " tiene en el campo \"Tipo de reclamación\" el separador \";\", que partiría su línea "
                                "del fichero de reclamaciones. Corríjalo antes de exportar.");
    EXPECT_TRUE(Ficheros().empty());
    EXPECT_EQ(Exportadas(), S(hecha));
}

} // namespace
