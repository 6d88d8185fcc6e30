#include "fixtures/Clientes.h"
#include "fixtures/QtApp.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/QtShell.h"
#include "ui/Views.h"
#include "ui/frmExtractos_ClienteView.h"
#include "ui/frmExtractos_Cliente_LineasView.h"
#include "ui/frmExtractos_Cliente_ListadoView.h"
#include "ui/frmViewView.h"
#include "printing/Plantilla.h"
#include "printing/frmView.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

ui::GridView *Grid(ui::View &v, const char *name) { return static_cast<ui::GridView *>(v.ControlWidget(name)); }
QPushButton *Boton(ui::View &v, const char *name) { return static_cast<QPushButton *>(v.ControlWidget(name)); }
QLineEdit *Caja(ui::View &v, const char *name) { return static_cast<QLineEdit *>(v.ControlWidget(name)); }

void Escribir(QLineEdit *e, const char *texto) {
    e->setText(QString::fromUtf8(texto));
    emit e->textEdited(e->text());
}

void Foto(QWidget &w, const char *nombre) {
    if (const char *dir = std::getenv("PAGOCENTRAL_SCREENSHOTS")) {
        w.grab().save(QString::fromUtf8(dir) + "/" + nombre);
    }
}

class QtClientesViews : public ClientesFixture, public ::testing::Test {
  protected:
    QtClientesViews() {
        fixtures::QtApp();
        ui::RegisterViews();
    }
};

TEST_F(QtClientesViews, TheListDrawsItsRowsAndTheQuickEntryRowSavesFromTheKeyboard) {
    Extracto(2, Dia(1), true);
    auto w = Lista();
    ui::frmExtractos_ClienteView v(*w);
    v.resize(1000, 560);
    v.show();
    QApplication::processEvents();
    EXPECT_EQ(v.windowTitle().toStdString(), "Facturas Pendientes de Cobros");
    ASSERT_EQ(Grid(v, "vsExtractos")->Modelo()->rowCount(), 2);
    EXPECT_EQ(Grid(v, "vsExtractos")->Modelo()->data(Grid(v, "vsExtractos")->Modelo()->index(1, 5), Qt::DisplayRole).toString().toStdString(),
              "160,50");
    // The closed row current: Eliminar and Modificar greyed.
    Grid(v, "vsExtractos")->setCurrentIndex(Grid(v, "vsExtractos")->Modelo()->index(0, 2));
    EXPECT_FALSE(Boton(v, "cmdEliminar")->isEnabled());
    EXPECT_FALSE(Boton(v, "cmdImprimir")->isEnabled());
    Grid(v, "vsExtractos")->setCurrentIndex(Grid(v, "vsExtractos")->Modelo()->index(1, 2));
    EXPECT_TRUE(Boton(v, "cmdModificar")->isEnabled());
    Foto(v, "clientes_lista.png");

    Boton(v, "cmdModificar")->click();
    EXPECT_TRUE(w->Editando());
    EXPECT_EQ(Caja(v, "txtFecha_Insert")->text().toStdString(), Dia(-5));
    Foto(v, "clientes_modificar.png");
    Escribir(Caja(v, "txtCont_Insert"), Dia(-2).c_str());
    emit Caja(v, "txtCont_Insert")->returnPressed();
    EXPECT_FALSE(w->Editando()) << shell.Last();
    EXPECT_EQ(demo.One("SELECT FechaContabilizar FROM Clientes_PagosCentral_Extractos WHERE Cod_Cliente = 1"),
              suite::Fecha::Parse(Dia(-2))->Iso());
    EXPECT_EQ(Grid(v, "vsExtractos")->Modelo()->data(Grid(v, "vsExtractos")->Modelo()->index(1, 4), Qt::DisplayRole).toString().toStdString(),
              Dia(-2));
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
}

TEST_F(QtClientesViews, PaymentsOpenTheLinesViewWhoseTaxFrameIsReadableAt1280) {
    auto w = Lista();
    ui::QtShell qt;
    w->SetShell(qt);
    ui::frmExtractos_ClienteView v(*w);
    v.show();
    QApplication::processEvents();
    std::string visto;
    // The modal lines view, looked at and closed from inside its own loop.
    QTimer::singleShot(200, [&] {
        QWidget *front = QApplication::activeModalWidget();
        ASSERT_NE(front, nullptr);
        auto *lv = dynamic_cast<ui::frmExtractos_Cliente_LineasView *>(front);
        ASSERT_NE(lv, nullptr);
        lv->resize(1280, 800);
        QApplication::processEvents();
        ui::View &view = *lv;
        visto = std::to_string(Grid(view, "vsLineas")->Modelo()->rowCount()) + " " +
                static_cast<QLabel *>(view.ControlWidget("lblTotal"))->text().toStdString();
        // Every editing row and the totals inside the window.
        for (const char *n : {"txtBase(6)", "txtImporte_Imp(6)", "lblTotal", "cmdEliminarImp", "cmdVolver"}) {
            QWidget *c = view.ControlWidget(n);
            QPoint p = c->mapTo(lv, QPoint(c->width(), c->height()));
            EXPECT_LE(p.x(), 1280) << n;
            EXPECT_LE(p.y(), 800) << n;
        }
        Escribir(Caja(view, "txtBase(6)"), "20");
        EXPECT_EQ(Caja(view, "txtImporte_Imp(6)")->text().toStdString(), "3,00");
        Foto(*lv, "clientes_lineas.png");
        Boton(view, "cmdVolver")->click();
    });
    Grid(v, "vsExtractos")->setCurrentIndex(Grid(v, "vsExtractos")->Modelo()->index(0, 2));
    Boton(v, "cmdPagos")->click();
    EXPECT_EQ(visto, "2 107,00");
    w->SetShell(shell);
}

TEST_F(QtClientesViews, TheListingDialogOpensPresetToTheCallersStatement) {
    customers::frmExtractos_Cliente_Listado w(shell);
    w.FechaInicial = Dia(-5);
    w.FechaFinal = Dia(-5);
    w.ClienteInicial = w.ClienteFinal = 1;
    w.Show();
    ui::frmExtractos_Cliente_ListadoView v(w);
    v.show();
    QApplication::processEvents();
    EXPECT_EQ(v.windowTitle().toStdString(), "Facturas Pendientes de Cobros");
    EXPECT_EQ(Caja(v, "txtClienteInicial")->text().toStdString(), "1");
    EXPECT_EQ(Caja(v, "txtClienteFinal")->text().toStdString(), "1");
    EXPECT_TRUE(Boton(v, "cmdAceptar")->isEnabled());
    Foto(v, "clientes_listado.png");

    // What Aceptar shows: the detailed listing in the viewer.
    demo.erp->Execute("UPDATE Empresas SET PathAplicacion = '" + demo.dir.Path() + "'");
    printing::InstalarPlantillas(demo.dir.Path());
    printing::frmView visor(shell);
    visor.Report = std::make_shared<host::Reporte>(w.Componer());
    visor.Zoom = 120;
    visor.Show();
    ui::frmViewView vv(visor);
    vv.Refresh();
    vv.resize(1000, 760);
    vv.show();
    QApplication::processEvents();
    EXPECT_EQ(vv.windowTitle().toStdString(), "Facturas Pendientes de Cobros - Visor de Reportes");
    Foto(vv, "clientes_listado_visor.png");
}

} // namespace
