#include "catalogues/frmTiposPago.h"
#include "claims/frmReclamacionTipos.h"
#include "fixtures/DemoDb.h"
#include "fixtures/QtApp.h"
#include "host/ScriptedShell.h"
#include "printing/CRPrintGrid.h"
#include "printing/Plantilla.h"
#include "printing/frmView.h"
#include "ui/CatalogoView.h"
#include "ui/GridView.h"
#include "ui/PintorReporte.h"
#include "ui/Views.h"
#include "ui/frmViewView.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class QtCatalogues : public ::testing::Test {
  protected:
    QtCatalogues() {
        fixtures::QtApp();
        ui::RegisterViews();
        printing::InstalarPlantillas(demo.dir.Path());
        demo.erp->Execute("UPDATE Empresas SET PathAplicacion = '" + demo.dir.Path() + "'");
    }
    // Pictures for a person to look at when PC_SCREENSHOTS names a folder.
    static void Foto(QWidget *w, const char *name) {
        if (const char *dir = std::getenv("PC_SCREENSHOTS")) {
            w->grab().save(QString::fromStdString(std::string(dir) + "/" + name + ".png"));
        }
    }
    DemoDb demo;
    host::ScriptedShell shell;
};

TEST_F(QtCatalogues, ListAndDialogDrawTheControllerState) {
    catalogues::frmTiposPago w(shell);
    w.Show();
    ui::CatalogoView v(w);
    v.Refresh();
    v.show();
    EXPECT_EQ(v.windowTitle(), "Tipos de Documento a Pagar");
    auto *grid = static_cast<ui::GridView *>(v.ControlWidget("vsLineas"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->model()->rowCount(), w.vsLineas.DataRows());
    EXPECT_EQ(static_cast<QPushButton *>(v.ControlWidget("cmdImprimir"))->text(), "&Imprimir");
    Foto(&v, "tipos-pago");

    claims::frmReclamacionTipos_Datos d(shell);
    d.editar = true;
    d.codigo = 3;
    d.nombre = "Abono no aplicado";
    d.tipo = "AB";
    d.Show();
    ui::CatalogoDatosView dv(d);
    dv.Refresh();
    dv.show();
    auto *codigo = static_cast<QLineEdit *>(dv.ControlWidget("txtCodigo"));
    EXPECT_EQ(codigo->text(), "3");
    EXPECT_TRUE(codigo->isReadOnly() || !codigo->isEnabled());
    EXPECT_EQ(static_cast<QLineEdit *>(dv.ControlWidget("txtTipo"))->text(), "AB");
    Foto(&dv, "tipo-reclamacion");
}

TEST_F(QtCatalogues, ViewerPagesThroughTheReportAndSavesItAsPdf) {
    host::Grid grid;
    grid.columns = {{"Código", 900, host::GridAlign::Right, host::GridType::Long}, {"Nombre", 3000}};
    for (int i = 1; i <= 150; ++i) {
        grid.AddItem(std::to_string(i) + "\tFila " + std::to_string(i));
    }
    printing::CRPrintGrid g(shell);
    g.ConnectionString = demo.erp->Properties().at("Extended Properties");
    g.Empresa_AppPath = demo.dir.Path();
    g.Titulo = "Prueba";
    g.ReportSource(grid);
    auto r = std::make_shared<host::Reporte>(g.Componer());
    ASSERT_GE(r->paginas.size(), 2u);

    printing::frmView w(shell);
    w.Report = r;
    w.Zoom = 120;
    w.Show();
    ui::frmViewView v(w);
    v.Refresh();
    v.show();
    EXPECT_EQ(v.windowTitle(), "Prueba - Visor de Reportes");
    EXPECT_FALSE(static_cast<QPushButton *>(v.ControlWidget("cmdAnterior"))->isEnabled());
    Foto(&v, "visor");
    static_cast<QPushButton *>(v.ControlWidget("cmdUltima"))->click();
    EXPECT_EQ(w.pagina, static_cast<int>(r->paginas.size()));
    EXPECT_FALSE(static_cast<QPushButton *>(v.ControlWidget("cmdSiguiente"))->isEnabled());
    w.AumentarZoom();
    EXPECT_EQ(w.Zoom, 150);

    std::string pdf = demo.dir.File("visor.pdf");
    shell.saveFiles = {pdf};
    static_cast<QPushButton *>(v.ControlWidget("cmdPdf"))->click();
    EXPECT_TRUE(std::filesystem::exists(pdf));
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);

    static_cast<QPushButton *>(v.ControlWidget("cmdImprimir"))->click();
    ASSERT_EQ(shell.impresos.size(), 1u);
    EXPECT_EQ(shell.impresos[0].paginas.size(), r->paginas.size());
}

TEST_F(QtCatalogues, PdfCarriesTheTotalsUnderTheirColumns) {
    host::Grid grid;
    grid.columns = {{"Documento", 1500}, {"Importe", 1200, host::GridAlign::Right, host::GridType::Currency}};
    grid.AddItem("A-1\t1.000,50");
    grid.AddItem("B-2\t250,25");
    grid.AddItem("C'3\t");
    printing::CRPrintGrid g(shell);
    g.ConnectionString = demo.erp->Properties().at("Extended Properties");
    g.Empresa_AppPath = demo.dir.Path();
    g.Empresa_Codigo = 1;
    g.Empresa_Nombre = "Demo";
    g.Titulo = "Totales";
    g.ReportSource(grid);
    g.Columnas().Item(2).Resumen = true;
    std::string pdf = demo.dir.File("totales.pdf");
    ui::GuardarReportePdf(g.Componer(), QString::fromStdString(pdf));
    std::string txt = pdf + ".txt";
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + txt + "'").c_str()), 0);
    std::ifstream in(txt);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string t = ss.str();
    EXPECT_NE(t.find("C'3"), std::string::npos) << t;
    EXPECT_NE(t.find("0,00"), std::string::npos);
    // The total is the last number of the page, under the amounts.
    auto total = t.find("1.250,75");
    ASSERT_NE(total, std::string::npos) << t;
    EXPECT_GT(total, t.find("250,25"));
}

} // namespace
