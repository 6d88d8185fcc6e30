#include "fixtures/DemoDb.h"
#include "fixtures/QtApp.h"
#include "host/ScriptedShell.h"
#include "lines/frmExtractos_Lineas.h"
#include "lines/frmExtractos_Lineas_Datos.h"
#include "suite/Fecha.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/Views.h"
#include "ui/frmExtractos_LineasView.h"
#include "ui/frmExtractos_Lineas_DatosView.h"

#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using L = lines::frmExtractos_Lineas;

QApplication &App() { return fixtures::QtApp(); }

void Tecla(QWidget *w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "");
    QApplication::sendEvent(w, &press);
}

ui::GridView *Grid(ui::View &v) { return static_cast<ui::GridView *>(v.ControlWidget("vsLineas")); }
QPushButton *Boton(ui::View &v, const char *name) { return static_cast<QPushButton *>(v.ControlWidget(name)); }
QLineEdit *Caja(ui::View &v, const char *name) { return static_cast<QLineEdit *>(v.ControlWidget(name)); }
QGroupBox *Marco(ui::View &v) { return static_cast<QGroupBox *>(v.ControlWidget("fraImpuestos")); }

class QtLineasViews : public ::testing::Test {
  protected:
    QtLineasViews() : w(shell, demo.settings) {
        App();
        ui::RegisterViews();
        code = demo.One("SELECT Cod_Extracto FROM Compras_PagosCentral_Extractos WHERE Cod_Almacen = 1 AND Cerrado = 0 "
                        "ORDER BY FechaExtracto DESC");
        w.codAlmacen = 1;
        w.codExtracto = code;
        w.fechaExtracto = suite::Fecha::Parse(demo.One("SELECT FechaExtracto FROM Compras_PagosCentral_Extractos "
                                                       "WHERE Cod_Extracto = '" + code + "'"))
                              .value_or(suite::Fecha());
    }
    DemoDb demo;
    host::ScriptedShell shell;
    L w;
    std::string code;
};

TEST_F(QtLineasViews, LinesViewDrawsTheGridWithColoursHiddenColumnsAndTheHeaderBox) {
    // One short-paid line of a supplier without tolerance, so that all three colours show.
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = Importe - 1 WHERE "
                      "IdExtractoLinea = (SELECT MIN(IdExtractoLinea) FROM Compras_PagosCentral_Extractos_Lineas WHERE "
                      "Cod_Extracto = '" + code + "' AND Cod_Proveedor = 1 AND Cod_Almacen = 1)");
    w.Show();
    ASSERT_TRUE(shell.messages.empty()) << shell.Last();
    ui::frmExtractos_LineasView v(w);
    v.resize(1280, 560);
    v.show();
    QApplication::processEvents();
    EXPECT_EQ(v.windowTitle().toStdString(), "Pagos Centralizados - Extracto: " + code);
    ASSERT_EQ(Grid(v)->Modelo()->rowCount(), w.vsLineas.DataRows());
    EXPECT_EQ(Grid(v)->Modelo()->columnCount(), 33);
    EXPECT_TRUE(Grid(v)->isColumnHidden(L::colIdLinea));
    EXPECT_TRUE(Grid(v)->isColumnHidden(L::colEmisor));
    EXPECT_FALSE(Grid(v)->isColumnHidden(L::colRec));
    EXPECT_GE(Grid(v)->columnWidth(L::colNombreProveedor), ui::TwipsToPixels(700));

    int ok = 0;
    for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
        long bgr = w.vsLineas.CellBackColor(r, L::colImporte);
        QVariant bg = Grid(v)->Modelo()->data(Grid(v)->Modelo()->index(r - 1, L::colImporte), Qt::BackgroundRole);
        if (bgr == -1) {
            EXPECT_FALSE(bg.isValid());
        } else {
            ++ok;
            QColor c = bg.value<QColor>();
            EXPECT_EQ(c.red() | c.green() << 8 | c.blue() << 16, bgr);
        }
    }
    EXPECT_GT(ok, 0);

    // Ticks from the header box, a click on column 0 and the space bar.
    Grid(v)->CheckCabecera()->click();
    EXPECT_EQ(w.vsLineas.TickedCount(), w.vsLineas.DataRows());
    Grid(v)->CheckCabecera()->click();
    EXPECT_EQ(w.vsLineas.TickedCount(), 0);
    emit Grid(v)->clicked(Grid(v)->Modelo()->index(1, L::colSel));
    EXPECT_TRUE(w.vsLineas.Ticked(2));
    Grid(v)->setCurrentIndex(Grid(v)->Modelo()->index(2, L::colImporte));
    EXPECT_EQ(w.vsLineas.row, 3);
    Tecla(Grid(v), Qt::Key_Space);
    EXPECT_TRUE(w.vsLineas.Ticked(3));
    EXPECT_EQ(Grid(v)->Modelo()->data(Grid(v)->Modelo()->index(2, L::colSel), Qt::CheckStateRole).toInt(), Qt::Checked);

    // The amount search moves the current row.
    auto *importe = static_cast<QLineEdit *>(v.ControlWidget("txtImporte"));
    std::string target = w.vsLineas.Text(w.vsLineas.DataRows(), L::colImporte);
    importe->setText(QString::fromStdString(target));
    emit importe->textEdited(importe->text());
    emit importe->returnPressed();
    EXPECT_EQ(Grid(v)->currentIndex().row() + 1, w.vsLineas.row);
    EXPECT_EQ(w.vsLineas.Text(w.vsLineas.row, L::colImporte), target);

    // Buttons follow the controller; Volver closes both.
    EXPECT_FALSE(Boton(v, "cmdAgregarFactura")->isVisible());
    EXPECT_EQ(Boton(v, "cmdVincular")->isEnabled(), w.cmdVincular.enabled);
    Tecla(Grid(v), Qt::Key_F9);
    Boton(v, "cmdVolver")->click();
    EXPECT_FALSE(w.Loaded());
    EXPECT_FALSE(v.isVisible());
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();

    if (const char *path = std::getenv("PC_LINEAS_SCREENSHOT")) {
        L again(shell, demo.settings);
        again.codAlmacen = 1;
        again.codExtracto = code;
        again.fechaExtracto = w.fechaExtracto;
        again.Show();
        again.vsLineas_RowColChange(2);
        ui::frmExtractos_LineasView shot(again);
        shot.resize(1280, 560);
        shot.show();
        QApplication::processEvents();
        EXPECT_TRUE(shot.grab().save(QString::fromUtf8(path)));
    }
}

TEST_F(QtLineasViews, EditorViewRecomputesTaxesAndHidesTheTaxFrameInType2) {
    lines::frmExtractos_Lineas_Datos d(shell);
    d.codAlmacen = 1;
    d.Show();
    ui::frmExtractos_Lineas_DatosView v(d);
    v.show();
    QApplication::processEvents();
    EXPECT_TRUE(Marco(v)->isVisible());
    EXPECT_EQ(Marco(v)->title().toStdString(), "Igic");
    Caja(v, "txtBase(4)")->setText("200");
    emit Caja(v, "txtBase(4)")->textEdited(Caja(v, "txtBase(4)")->text());
    EXPECT_EQ(Caja(v, "txtImporte_Imp(4)")->text().toStdString(), "14,00");
    EXPECT_EQ(static_cast<QLabel *>(v.ControlWidget("lblTotal"))->text().toStdString(), "214,00");
    auto *fecha = static_cast<QLineEdit *>(v.ControlWidget("txtFecha"));
    fecha->setText(QString::fromStdString("01/06/" + std::to_string(suite::Fecha::Hoy().Anio() - 2)));
    emit fecha->textEdited(fecha->text());
    EXPECT_EQ(Caja(v, "txtImporte_Imp(4)")->text().toStdString(), "13,00");
    // Aceptar with nothing else filled: the controller's first refusal.
    static_cast<QPushButton *>(v.ControlWidget("cmdAceptar"))->click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar un Proveedor válido");
    EXPECT_TRUE(v.isVisible());
    static_cast<QDialog &>(v).reject();
    EXPECT_FALSE(d.Loaded());
    EXPECT_FALSE(d.aceptado);

    demo.SetParam("PagoCentral_TipoExtracto", "2");
    lines::frmExtractos_Lineas_Datos d2(shell);
    d2.codAlmacen = 1;
    d2.Show();
    ui::frmExtractos_Lineas_DatosView v2(d2);
    v2.show();
    QApplication::processEvents();
    EXPECT_FALSE(Marco(v2)->isVisible());
    EXPECT_LT(v2.height(), v.sizeHint().height());
}

} // namespace
