#include "fixtures/DemoDb.h"
#include "host/ScriptedShell.h"
#include "lines/frmExtractos_Lineas.h"
#include "statements/frmExtractos.h"
#include "printing/CRPrintGrid.h"
#include "printing/Plantilla.h"
#include "printing/frmView.h"
#include "suite/Formato.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using host::GridAlign;
using host::GridType;
using host::ObjetoReporte;
using printing::CRPrintGrid;

class PrintGrid : public ::testing::Test {
  protected:
    PrintGrid() {
        printing::InstalarPlantillas(demo.dir.Path());
        g.AjustarColumnas = false;
        g.Empresa_Codigo = 1;
        g.Empresa_Nombre = "Demo S.A.";
        g.Empresa_AppPath = demo.dir.Path();
        g.ConnectionString = demo.erp->Properties().at("Extended Properties");
        g.Titulo = "Listado de prueba";
    }
    static const ObjetoReporte *Find(const host::Reporte &r, const std::string &text, int page = 0) {
        for (const auto &o : r.paginas.at(page).objetos) {
            if (o.tipo == ObjetoReporte::Tipo::Texto && o.texto == text) {
                return &o;
            }
        }
        return nullptr;
    }
    // Texts of one printed row, left to right: the objects sharing the y of `first`.
    static std::vector<std::string> Row(const host::Reporte &r, const std::string &first) {
        const auto *f = Find(r, first);
        std::vector<std::pair<int, std::string>> v;
        for (const auto &o : r.paginas[0].objetos) {
            if (f && o.tipo == ObjetoReporte::Tipo::Texto && o.y == f->y) {
                v.push_back({o.x, o.texto});
            }
        }
        std::sort(v.begin(), v.end());
        std::vector<std::string> out;
        for (auto &p : v) {
            out.push_back(p.second);
        }
        return out;
    }
    DemoDb demo;
    host::ScriptedShell shell;
    CRPrintGrid g{shell};
};

host::Grid MixedGrid() {
    host::Grid grid;
    grid.columns = {{"", 300, GridAlign::Center, GridType::Boolean},
                    {"Almacén", 600, GridAlign::Right, GridType::Long},
                    {"Almacén", 1800},
                    {"Oculta", 900, GridAlign::Left, GridType::String, true},
                    {"Nombre", 2000},
                    {"Fecha", 1100, GridAlign::Center, GridType::Date},
                    {"Importe", 1200, GridAlign::Right, GridType::Currency}};
    grid.AddItem("1\t1\tCentral\tsecreto\tO'Brien y Cía\t05/03/2024\t1.234,56");
    grid.AddItem("0\t2\tNorte\tsecreto\tSin importe\t31/02/2024\t");
    return grid;
}

TEST_F(PrintGrid, GridIsCopiedMergedTypedAndDroppedAfterwards) {
    auto grid = MixedGrid();
    g.ReportSource(grid);
    ASSERT_EQ(g.Columnas().Count(), 4);
    EXPECT_EQ(g.Columnas().Item(1).Titulo, "Almacén");
    EXPECT_EQ(g.Columnas().Item("col4").Titulo, "Nombre");
    EXPECT_EQ(g.Columnas().Item(1).TextAling, 1); // "code - name" reads as text
    EXPECT_EQ(g.Columnas().Item(4).TextAling, 3);
    EXPECT_EQ(g.Columnas().Item(3).TextAling, 2);
    EXPECT_EQ(g.Columnas().Item(2).TextAling, 1);
    EXPECT_EQ(g.TablaTemporal().rfind("##TablaDinamica_", 0), 0u);
    g.Columnas().Item(4).Resumen = true;

    auto r = g.Componer();
    ASSERT_EQ(r.paginas.size(), 1u);
    EXPECT_FALSE(r.apaisado);
    EXPECT_EQ(Row(r, "1 - Central"), (std::vector<std::string>{"1 - Central", "O'Brien y Cía", "05/03/2024", "1.234,56"}));
    // An empty amount is stored as 0, an impossible date as 01/01/1900.
    EXPECT_EQ(Row(r, "2 - Norte"), (std::vector<std::string>{"2 - Norte", "Sin importe", "01/01/1900", "0,00"}));
    EXPECT_EQ(Row(r, "Almacén"), (std::vector<std::string>{"Almacén", "Nombre", "Fecha", "Importe"}));
    EXPECT_EQ(Find(r, "secreto"), nullptr);
    EXPECT_EQ(Find(r, "Oculta"), nullptr);
    // The total stands under its column, right-aligned like it.
    const auto *total = Find(r, "1.234,56");
    const auto *suma = [&]() -> const ObjetoReporte * {
        const ObjetoReporte *last = nullptr;
        for (const auto &o : r.paginas[0].objetos) {
            if (o.texto == "1.234,56") {
                last = &o;
            }
        }
        return last;
    }();
    ASSERT_NE(suma, total);
    EXPECT_EQ(suma->x, total->x);
    EXPECT_GT(suma->y, total->y);
    EXPECT_EQ(suma->alineacion, host::AlineacionReporte::Derecha);
    EXPECT_NE(Find(r, "Empresa: 1 - Demo S.A."), nullptr);
    EXPECT_NE(Find(r, "Listado de prueba"), nullptr);
    EXPECT_NE(Find(r, "Página 1 de 1"), nullptr);
    EXPECT_NE(Find(r, suite::Formato::Instancia().FechaTexto(suite::Fecha::Hoy())), nullptr);
    // Columns start one gap in and follow each other with a gap between them.
    EXPECT_EQ(g.Columnas().Item(1).x, 200);
    EXPECT_EQ(g.Columnas().Item(1).Ancho, 600 + 1800);
    EXPECT_EQ(g.Columnas().Item(2).x, 200 + 2400 + 200);
    // The date and page number end at the box's right edge, the section's.
    const auto *pagina = Find(r, "Página 1 de 1");
    EXPECT_EQ(pagina->x + pagina->ancho, 11906 - 567);
    EXPECT_THROW(g.Conexion().OpenRecordset("SELECT * FROM " + g.TablaTemporal()), std::exception);
}

TEST_F(PrintGrid, WideColumnsTurnThePageAndStretchingFillsIt) {
    host::Grid grid;
    for (int c = 0; c < 6; ++c) {
        grid.columns.push_back({"Col" + std::to_string(c), 2000});
    }
    grid.AddItem("a\tb\tc\td\te\tf");
    g.ReportSource(grid);
    auto r = g.Componer();
    EXPECT_TRUE(r.apaisado);
    EXPECT_EQ(r.anchoPapel, 16838);
    EXPECT_EQ(r.altoPapel, 11906);

    // Stretched: six columns with their gaps fill the landscape width, less the engine's 112.
    CRPrintGrid h(shell);
    h.ConnectionString = g.ConnectionString;
    h.Empresa_AppPath = g.Empresa_AppPath;
    h.AjustarColumnas = true;
    host::Grid small;
    small.columns = {{"A", 1000}, {"B", 3000}};
    small.AddItem("x\ty");
    h.ReportSource(small);
    auto s = h.Componer();
    EXPECT_FALSE(s.apaisado);
    int util = 11906 - 2 * 567 - 112;
    double factor = double(util - 400) / 4000;
    EXPECT_EQ(h.Columnas().Item(1).Ancho, std::lround(1000 * factor));
    EXPECT_EQ(h.Columnas().Item(2).Ancho, std::lround(3000 * factor));
    EXPECT_EQ(h.Columnas().Item(2).x, 200 + h.Columnas().Item(1).Ancho + 200);
    EXPECT_NEAR(h.Columnas().Item(2).x + h.Columnas().Item(2).Ancho, util, 1);

    // Shrunk: too wide even for landscape, the columns are narrowed to fit it.
    CRPrintGrid k(shell);
    k.ConnectionString = g.ConnectionString;
    k.Empresa_AppPath = g.Empresa_AppPath;
    k.AjustarColumnas = true;
    host::Grid wide;
    for (int c = 0; c < 10; ++c) {
        wide.columns.push_back({"C" + std::to_string(c), 3000});
    }
    k.ReportSource(wide);
    auto w = k.Componer();
    EXPECT_TRUE(w.apaisado);
    const auto &last = k.Columnas().Item(10);
    EXPECT_NEAR(last.x + last.Ancho, 16838 - 2 * 567 - 112, 5);
    EXPECT_LT(last.Ancho, 3000);
}

TEST_F(PrintGrid, SqlSourceWithoutColumnsTakesOneColumnPerField) {
    g.SQLSource("SELECT Codigo, Nombre FROM Compras_PagosCentral_Reclamacion_Conceptos ORDER BY Codigo");
    EXPECT_EQ(g.TipoOrigen(), "SQL STRING");
    auto r = g.Componer();
    ASSERT_EQ(g.Columnas().Count(), 2);
    EXPECT_EQ(g.Columnas().Item(2).Nombre, "Nombre");
    EXPECT_EQ(g.Columnas().Item(2).Ancho, 1500);
    EXPECT_EQ(Row(r, "1"), (std::vector<std::string>{"1", "Mercancía en mal estado"}));
    EXPECT_NE(Find(r, "6"), nullptr);
}

TEST_F(PrintGrid, RefusedSourcesAndConnectionsWithTheirMessages) {
    try {
        g.ReportSource("TextBox");
        FAIL();
    } catch (const printing::ErrorImpresion &e) {
        EXPECT_STREQ(e.what(), "Origen de datos no admitido.");
        EXPECT_EQ(e.numero, printing::kErrorOrigen);
    }
    CRPrintGrid sin(shell);
    auto grid = MixedGrid();
    try {
        sin.ReportSource(grid);
        FAIL();
    } catch (const printing::ErrorImpresion &e) {
        EXPECT_STREQ(e.what(), "Debe establecerla la cadena de conexión.");
    }
    // Printing with no source at all: the error box, titled with " Imprimir - ".
    CRPrintGrid nada(shell);
    nada.ConnectionString = g.ConnectionString;
    nada.Empresa_AppPath = g.Empresa_AppPath;
    nada.Titulo = "X";
    EXPECT_FALSE(nada.Imprimir());
    EXPECT_EQ(shell.Last(), "critical|CRPrintGrid Imprimir - X|[-2147221503] Origen de datos no admitido.");
}

TEST_F(PrintGrid, PreviewPrinterAndTemplateFaults) {
    auto grid = MixedGrid();
    std::shared_ptr<const host::Reporte> visto;
    short zoom = 0;
    std::string caption;
    shell.handlers["frmView"] = [&](host::Window &w) {
        auto &v = static_cast<printing::frmView &>(w);
        visto = v.Report;
        zoom = v.Zoom;
        caption = v.caption;
        // The table is still there while the viewer is open.
        EXPECT_NO_THROW(g.Conexion().OpenRecordset("SELECT * FROM " + g.TablaTemporal()));
        v.cmdCerrar_Click();
    };
    g.ReportSource(grid);
    ASSERT_TRUE(g.Imprimir(0, ""));
    ASSERT_TRUE(visto);
    EXPECT_EQ(zoom, 120);
    EXPECT_EQ(caption, "Listado de prueba - Visor de Reportes");
    EXPECT_THROW(g.Conexion().OpenRecordset("SELECT * FROM " + g.TablaTemporal()), std::exception);

    CRPrintGrid p(shell);
    p.ConnectionString = g.ConnectionString;
    p.Empresa_AppPath = g.Empresa_AppPath;
    p.ReportSource(grid);
    ASSERT_TRUE(p.Imprimir(1, "Oficina"));
    ASSERT_EQ(shell.impresos.size(), 1u);
    EXPECT_EQ(shell.impresos[0].impresora, "Oficina");

    // A template with a bad line names the file, the line and the field.
    std::string rpt = printing::RutaListadoDinamico(demo.dir.Path());
    std::string text = printing::TextoListadoDinamico();
    text.replace(text.find("MargenSuperior = 567"), 20, "MargenSuperior = 5x7");
    std::ofstream(rpt, std::ios::trunc) << text;
    CRPrintGrid m(shell);
    m.ConnectionString = g.ConnectionString;
    m.Empresa_AppPath = g.Empresa_AppPath;
    m.Titulo = "T";
    m.ReportSource(grid);
    EXPECT_FALSE(m.Imprimir());
    EXPECT_EQ(shell.Last(), "critical|CRPrintGrid Imprimir - T|[-2147221501] Plantilla de informe no válida: " + rpt +
                                ", línea 10, campo MargenSuperior: se esperaba un número entero y hay \"5x7\"");
    std::filesystem::remove(rpt);
    EXPECT_FALSE(m.Imprimir());
    EXPECT_EQ(shell.Last(), "critical|CRPrintGrid Imprimir - T|[-2147221501] No se encuentra la plantilla de informe " + rpt);
    // Installing again puts the shipped template back, and leaves an edited one alone.
    ASSERT_TRUE(printing::InstalarPlantillas(demo.dir.Path()));
    EXPECT_NO_THROW(printing::LeerPlantilla(rpt));
}

TEST_F(PrintGrid, AThousandRowsMakeNumberedPages) {
    host::Grid grid;
    grid.columns = {{"Código", 900, GridAlign::Right, GridType::Long}, {"Nombre", 3000}};
    for (int i = 1; i <= 1000; ++i) {
        grid.AddItem(std::to_string(i) + "\tFila " + std::to_string(i));
    }
    g.ReportSource(grid);
    auto r = g.Componer();
    int n = static_cast<int>(r.paginas.size());
    ASSERT_GT(n, 10);
    EXPECT_NE(Find(r, "Página 1 de " + std::to_string(n)), nullptr);
    EXPECT_NE(Find(r, "Página " + std::to_string(n) + " de " + std::to_string(n), n - 1), nullptr);
    EXPECT_NE(Find(r, "Fila 1000", n - 1), nullptr);
    // Every page repeats the headers and keeps its rows within the bottom margin.
    for (int p = 0; p < n; ++p) {
        EXPECT_NE(Find(r, "Código", p), nullptr);
        for (const auto &o : r.paginas[p].objetos) {
            EXPECT_LE(o.y + o.alto, 16838 - 567);
        }
    }
}

TEST_F(PrintGrid, StatementListAndLinesPrintWhatTheyShow) {
    demo.erp->Execute("UPDATE Empresas SET PathAplicacion = '" + demo.dir.Path() + "'");
    std::vector<std::shared_ptr<const host::Reporte>> vistos;
    shell.handlers["frmView"] = [&](host::Window &v) {
        vistos.push_back(static_cast<printing::frmView &>(v).Report);
        static_cast<printing::frmView &>(v).cmdCerrar_Click();
    };
    statements::frmExtractos list(shell);
    list.Show();
    ASSERT_GT(list.vsExtractos.DataRows(), 0);
    list.cmdImprimir_Click();
    ASSERT_EQ(vistos.size(), 1u) << shell.Last();
    std::string extracto = list.vsExtractos.Text(1, statements::frmExtractos::colExtracto);
    EXPECT_NE(Find(*vistos[0], extracto), nullptr);
    EXPECT_NE(Find(*vistos[0], "Extractos de Pagos Centralizados"), nullptr);

    lines::frmExtractos_Lineas w(shell, demo.settings);
    w.codAlmacen = std::stoi(list.vsExtractos.Text(1, statements::frmExtractos::colAlmacen));
    w.codExtracto = extracto;
    w.Show();
    ASSERT_GT(w.vsLineas.DataRows(), 0);
    w.cmdImprimir_Click();
    ASSERT_EQ(vistos.size(), 2u) << shell.Last();
    EXPECT_NE(Find(*vistos[1], "Líneas del extracto " + extracto), nullptr);
    EXPECT_TRUE(vistos[1]->apaisado);
    EXPECT_NE(Find(*vistos[1], w.vsLineas.Text(1, lines::frmExtractos_Lineas::colImporte)), nullptr);
}

} // namespace
