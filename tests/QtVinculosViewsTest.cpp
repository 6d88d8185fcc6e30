#include "fixtures/DemoDb.h"
#include "fixtures/QtApp.h"
#include "host/ScriptedShell.h"
#include "lines/Comun.h"
#include "lines/PosicionVentana.h"
#include "lines/frmExtractos_Lineas_NoPagoFechaVto.h"
#include "lines/frmExtractos_Lineas_Vinculos.h"
#include "lines/frmExtractos_Lineas_Vinculos_2.h"
#include "suite/Fecha.h"
#include "ui/GridModel.h"
#include "ui/InformeView.h"
#include "ui/GridView.h"
#include "ui/frmExtractos_Lineas_NoPagoFechaVtoView.h"
#include "ui/frmExtractos_Lineas_VinculosView.h"
#include "ui/frmExtractos_Lineas_Vinculos_2View.h"

#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace {

using V2 = lines::frmExtractos_Lineas_Vinculos_2;
using V1 = lines::frmExtractos_Lineas_Vinculos;
using N = lines::frmExtractos_Lineas_NoPagoFechaVto;

void Tecla(QWidget *w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "");
    QApplication::sendEvent(w, &press);
}

// Types into a line edit as the user would: the text, then the edit signal.
void Escribir(QWidget *w, const std::string &text) {
    auto *e = static_cast<QLineEdit *>(w);
    e->setText(QString::fromStdString(text));
    emit e->textEdited(e->text());
}

// The name shown beside a lookup box's code.
std::string Nombre(QWidget *codigo) {
    for (auto *e : codigo->parentWidget()->findChildren<QLineEdit *>()) {
        if (e != codigo) {
            return e->text().toStdString();
        }
    }
    return "<none>";
}

void Guardar(QWidget &w, const char *name) {
    if (const char *dir = std::getenv("PC_VINCULOS_SCREENSHOTS")) {
        w.grab().save(QString::fromUtf8(dir) + "/" + name);
    }
}

ui::GridView *Grid(ui::View &v) { return static_cast<ui::GridView *>(v.ControlWidget("vsLineas")); }

class QtVinculosViews : public ::testing::Test {
  protected:
    QtVinculosViews() { fixtures::QtApp(); }

    suite::Fecha Dia(const std::string &sql) { return suite::Fecha::Parse(demo.One(sql)).value_or(suite::Fecha()); }
    std::string Extracto(const std::string &campo, const std::string &id) {
        return "SELECT e." + campo +
               " FROM Compras_PagosCentral_Extractos e INNER JOIN Compras_PagosCentral_Extractos_Lineas l ON "
               "l.Cod_Empresa = e.Cod_Empresa AND l.Cod_Almacen = e.Cod_Almacen AND l.Cod_Extracto = e.Cod_Extracto "
               "WHERE l.IdExtractoLinea = " +
               id;
    }
    // Dates wide enough for every demo document, typed into the view's boxes.
    void FechasAmplias(QWidget *desde, QWidget *hasta) {
        int y = suite::Fecha::Hoy().Anio();
        Escribir(desde, "01/01/" + std::to_string(y - 3));
        Escribir(hasta, "31/12/" + std::to_string(y + 1));
    }

    DemoDb demo;
    host::ScriptedShell shell;
};

TEST_F(QtVinculosViews, ForecastWindowLinksWhatIsTickedThroughTheViewAndKeepsItsPlace) {
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    // The open line of warehouse 1 whose account has the most open forecasts.
    std::string id = demo.One(
        "SELECT l.IdExtractoLinea FROM Compras_PagosCentral_Extractos_Lineas l INNER JOIN "
        "Compras_PagosCentral_Extractos e ON e.Cod_Empresa = l.Cod_Empresa AND e.Cod_Almacen = l.Cod_Almacen AND "
        "e.Cod_Extracto = l.Cod_Extracto WHERE e.Cod_Almacen = 1 AND e.Cerrado = 0 AND l.Cta_Proveedor <> '' ORDER BY "
        "(SELECT COUNT(*) FROM " +
        lines::comun::BaseContable() +
        ".dbo.Previsiones_Pago pp WHERE pp.Cod_Empresa = 1 AND pp.Cuenta = l.Cta_Proveedor AND pp.Estado = 0) DESC, "
        "l.IdExtractoLinea");
    ASSERT_NE(id, "<none>");
    std::string cuenta =
        demo.One("SELECT Cta_Proveedor FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " + id);
    auto abrir = [&](V2 &w) {
        w.idExtractoLinea = std::stol(id);
        w.codAlmacen = 1;
        w.ctaProveedor = cuenta;
        w.fechaExtracto = Dia(Extracto("FechaExtracto", id));
        w.fechaVto = Dia(Extracto("FechaVto", id));
        w.Show();
    };
    V2 w(shell, demo.settings);
    abrir(w);
    ASSERT_TRUE(shell.messages.empty()) << shell.Last();
    ui::frmExtractos_Lineas_Vinculos_2View v(w);
    v.show();
    QApplication::processEvents();
    EXPECT_EQ(v.windowTitle().toStdString(), "Vincular Previsiones de Pago");
    EXPECT_EQ(static_cast<QPushButton *>(v.ControlWidget("cmdVincular"))->text().toStdString(), "F9 - &Vincular");
    QWidget *codigo = v.ControlWidget("txtCtaProveedor");
    EXPECT_EQ(static_cast<QLineEdit *>(codigo)->text().toStdString(), cuenta);
    EXPECT_FALSE(Nombre(codigo).empty());
    EXPECT_EQ(Nombre(codigo), w.txtCtaProveedor.descripcion);

    // Dates typed in the view reach the controller; Enter in the account box reloads.
    FechasAmplias(v.ControlWidget("txtDesde"), v.ControlWidget("txtHasta"));
    EXPECT_EQ(demo.settings->LeerValor("FechaI", "frmExtractos_Lineas_Vinculos_2"), w.txtDesde.text);
    emit static_cast<QLineEdit *>(codigo)->returnPressed();
    ASSERT_TRUE(shell.messages.empty()) << shell.Last();
    ASSERT_GE(w.vsLineas.DataRows(), 3);
    auto *m = Grid(v)->Modelo();
    ASSERT_EQ(m->rowCount(), w.vsLineas.DataRows());
    ASSERT_EQ(m->columnCount(), 10);
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(Grid(v)->isColumnHidden(c), c == V2::colVinculado || c == V2::colApunte) << c;
    }
    for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
        EXPECT_EQ(m->data(m->index(r - 1, V2::colDocumento), Qt::DisplayRole).toString().toStdString(),
                  w.vsLineas.Text(r, V2::colDocumento));
        EXPECT_EQ(m->data(m->index(r - 1, V2::colSel), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    }
    EXPECT_GE(Grid(v)->columnWidth(V2::colNombreCuenta), ui::TwipsToPixels(2000));

    // F9 with nothing ticked: the controller's refusal, nothing linked.
    Tecla(Grid(v), Qt::Key_F9);
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe señalar al menos una linea de Previsión de Pago a vincular.");
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdExtractoLinea = " + id), 0);

    // The header box ticks and unticks all.
    Grid(v)->CheckCabecera()->click();
    EXPECT_EQ(w.vsLineas.TickedCount(), w.vsLineas.DataRows());
    Grid(v)->CheckCabecera()->click();
    EXPECT_EQ(w.vsLineas.TickedCount(), 0);

    // A click on column 0 ticks; elsewhere it does not; space and double-click tick the current row.
    emit Grid(v)->clicked(m->index(0, V2::colSel));
    emit Grid(v)->clicked(m->index(1, V2::colDocumento));
    Grid(v)->setCurrentIndex(m->index(1, V2::colDocumento));
    EXPECT_EQ(w.vsLineas.row, 2);
    Tecla(Grid(v), Qt::Key_Space);
    emit Grid(v)->doubleClicked(m->index(2, V2::colImporte));
    EXPECT_EQ(w.vsLineas.TickedCount(), 3);
    EXPECT_EQ(m->data(m->index(2, V2::colSel), Qt::CheckStateRole).toInt(), Qt::Checked);
    std::set<std::string> marcadas;
    for (int r = 1; r <= 3; ++r) {
        marcadas.insert(w.vsLineas.Text(r, V2::colApunte));
    }

    shell.ClearLog();
    Tecla(Grid(v), Qt::Key_F9);
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    std::set<std::string> enlazadas;
    for (const auto &a : marcadas) {
        if (demo.Count("Compras_PagosCentral_PrevPagos WHERE IdExtractoLinea = " + id + " AND IdPrevPago = " + a) == 1) {
            enlazadas.insert(a);
        }
    }
    EXPECT_EQ(enlazadas, marcadas);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdExtractoLinea = " + id), 3);
    // Reloaded: the linked forecasts first, nothing ticked, and the view follows.
    ASSERT_EQ(m->rowCount(), w.vsLineas.DataRows());
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(w.vsLineas.Text(r, V2::colVinculado), "X");
        EXPECT_EQ(marcadas.count(m->data(m->index(r - 1, V2::colApunte), Qt::DisplayRole).toString().toStdString()), 1u);
    }
    EXPECT_EQ(w.vsLineas.TickedCount(), 0);
    EXPECT_FALSE(Grid(v)->CheckCabecera()->isChecked());

    // F12 unlinks the ticked linked row once the user says yes.
    std::string suelta = w.vsLineas.Text(1, V2::colApunte);
    emit Grid(v)->clicked(m->index(0, V2::colSel));
    shell.answers.push_back(host::Answer::Yes);
    Tecla(Grid(v), Qt::Key_F12);
    EXPECT_EQ(shell.Last(), "question|¡ Atención !|¿Está seguro que desea desvincular las lineas señaladas?");
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdExtractoLinea = " + id), 2);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_PrevPagos WHERE IdPrevPago = " + suelta), 0);

    // Up goes back to the account box from the first row only.
    shell.ClearLog();
    Grid(v)->setCurrentIndex(m->index(1, V2::colDocumento));
    Tecla(Grid(v), Qt::Key_Up);
    EXPECT_EQ(w.vsLineas.row, 1);
    EXPECT_TRUE(shell.focus.empty());
    Tecla(Grid(v), Qt::Key_Up);
    ASSERT_EQ(shell.focus.size(), 1u);
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Vinculos_2.txtCtaProveedor");

    Guardar(v, "vinc2.png");

    // Escape closes; the place the window was left in comes back next time.
    v.resize(780, 460);
    v.move(40, 30);
    QApplication::processEvents();
    Tecla(Grid(v), Qt::Key_Escape);
    EXPECT_FALSE(w.Loaded());
    EXPECT_FALSE(v.isVisible());
    auto p = lines::PosicionVentana::Leer(*demo.settings, "frmExtractos_Lineas_Vinculos_2");
    EXPECT_EQ(p.width, ui::PixelsToTwips(780));
    EXPECT_EQ(p.height, ui::PixelsToTwips(460));
    EXPECT_EQ(p.left, ui::PixelsToTwips(v.x()));
    V2 again(shell, demo.settings);
    abrir(again);
    ui::frmExtractos_Lineas_Vinculos_2View otra(again);
    EXPECT_NEAR(otra.width(), 780, 1);
    EXPECT_NEAR(otra.height(), 460, 1);
}

TEST_F(QtVinculosViews, NoPaymentDialogHandsTheBoxesToTheControllerAndStaysOpenWhenRefused) {
    N d(shell);
    d.modo = N::modoNoPago;
    d.obs = {"", "segunda", "", ""};
    d.Show();
    ui::frmExtractos_Lineas_NoPagoFechaVtoView v(d);
    v.show();
    QApplication::processEvents();
    EXPECT_EQ(v.windowTitle().toStdString(), "No Pago");
    EXPECT_TRUE(static_cast<QCheckBox *>(v.ControlWidget("chkNoPago"))->isVisible());
    EXPECT_EQ(static_cast<QCheckBox *>(v.ControlWidget("chkNoPago"))->text().toStdString(), "No Pagar");
    EXPECT_FALSE(static_cast<QLineEdit *>(v.ControlWidget("txtFechaVto"))->isVisible());
    EXPECT_EQ(static_cast<QLineEdit *>(v.ControlWidget("txtObs2"))->text().toStdString(), "segunda");
    Guardar(v, "nopago.png");

    // Ticked without a first remark: refused, focus on the first remark, still open.
    static_cast<QCheckBox *>(v.ControlWidget("chkNoPago"))->setChecked(true);
    static_cast<QPushButton *>(v.ControlWidget("cmdAceptar"))->click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar al menos la primera Observación");
    ASSERT_FALSE(shell.focus.empty());
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_NoPagoFechaVto.txtObs1");
    EXPECT_TRUE(d.Loaded());
    EXPECT_TRUE(v.isVisible());
    EXPECT_TRUE(static_cast<QCheckBox *>(v.ControlWidget("chkNoPago"))->isChecked());

    // The remark box holds 70 characters at most.
    static_cast<QLineEdit *>(v.ControlWidget("txtObs1"))->setText(QString(80, QChar(u'ñ')));
    static_cast<QPushButton *>(v.ControlWidget("cmdAceptar"))->click();
    EXPECT_FALSE(d.Loaded());
    EXPECT_FALSE(v.isVisible());
    EXPECT_TRUE(d.aceptado);
    EXPECT_TRUE(d.noPago);
    EXPECT_EQ(d.obs[0], QString(70, QChar(u'ñ')).toStdString());
    EXPECT_EQ(d.obs[1], "segunda");

    // The due-date mode shows the date instead of the box; Escape leaves the values alone.
    N f(shell);
    f.modo = N::modoFechaVto;
    f.nuevaFechaVto = "15/03/2024";
    f.Show();
    ui::frmExtractos_Lineas_NoPagoFechaVtoView vf(f);
    vf.show();
    QApplication::processEvents();
    EXPECT_EQ(vf.windowTitle().toStdString(), "Nueva Fecha Vencimiento");
    EXPECT_FALSE(static_cast<QCheckBox *>(vf.ControlWidget("chkNoPago"))->isVisible());
    EXPECT_TRUE(static_cast<QLineEdit *>(vf.ControlWidget("txtFechaVto"))->isVisible());
    EXPECT_EQ(static_cast<QLineEdit *>(vf.ControlWidget("txtFechaVto"))->text().toStdString(), "15/03/2024");
    static_cast<QLineEdit *>(vf.ControlWidget("txtFechaVto"))->setText("31/02/2024");
    static_cast<QLineEdit *>(vf.ControlWidget("txtObs1"))->setText("motivo");
    static_cast<QPushButton *>(vf.ControlWidget("cmdAceptar"))->click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe introducir una fecha válida.");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_NoPagoFechaVto.txtFechaVto");
    EXPECT_TRUE(vf.isVisible());
    Tecla(static_cast<QLineEdit *>(vf.ControlWidget("txtObs1")), Qt::Key_Escape);
    EXPECT_FALSE(f.Loaded());
    EXPECT_FALSE(f.aceptado);
    EXPECT_EQ(f.nuevaFechaVto, "15/03/2024");
}

TEST_F(QtVinculosViews, InvoiceWindowColoursLinkedRowsAndItsPrintoutRendersToPdf) {
    // The open line of warehouse 1 whose supplier, booked per invoice, has the most invoices.
    std::string id = demo.One(
        "SELECT l.IdExtractoLinea FROM Compras_PagosCentral_Extractos_Lineas l INNER JOIN "
        "Compras_PagosCentral_Extractos e ON e.Cod_Empresa = l.Cod_Empresa AND e.Cod_Almacen = l.Cod_Almacen AND "
        "e.Cod_Extracto = l.Cod_Extracto INNER JOIN Proveedores p ON p.Cod_Empresa = l.Cod_Empresa AND p.Codigo = "
        "l.Cod_Proveedor WHERE e.Cod_Almacen = 1 AND e.Cerrado = 0 AND p.Cont_Compras = 0 ORDER BY (SELECT COUNT(*) "
        "FROM Entradas_Facturas f WHERE f.Cod_Empresa = 1 AND f.Proveedor = l.Cod_Proveedor) DESC, l.IdExtractoLinea");
    ASSERT_NE(id, "<none>");
    V1 w(shell, demo.settings);
    w.idExtractoLinea = std::stol(id);
    w.contCompras = false;
    w.codAlmacen = 1;
    w.codProveedor =
        std::stol(demo.One("SELECT Cod_Proveedor FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " + id));
    w.fechaExtracto = Dia(Extracto("FechaExtracto", id));
    w.Show();
    ui::frmExtractos_Lineas_VinculosView v(w);
    v.show();
    QApplication::processEvents();
    EXPECT_EQ(v.windowTitle().toStdString(), "Vincular Facturas");
    auto *prov = static_cast<QLineEdit *>(v.ControlWidget("txtProv"));
    EXPECT_EQ(prov->text().toStdString(), std::to_string(w.codProveedor));
    EXPECT_TRUE(prov->isReadOnly());
    EXPECT_EQ(Nombre(prov), w.txtProv.descripcion);
    // The window is wide enough for the supplier's name.
    for (auto *e : prov->parentWidget()->findChildren<QLineEdit *>()) {
        EXPECT_GE(e->width(), e->fontMetrics().horizontalAdvance(e->text())) << e->text().toStdString();
    }
    EXPECT_EQ(Nombre(v.ControlWidget("txtAlmacen")), w.txtAlmacen.descripcion);
    // Invoices: the receipt columns stay hidden, the entry number shows.
    EXPECT_TRUE(Grid(v)->isColumnHidden(V1::colUsuario));
    EXPECT_FALSE(Grid(v)->isColumnHidden(V1::colAsiento));

    // Every warehouse (the box emptied) and wide dates; Enter in the end date reloads.
    auto *almacen = static_cast<QLineEdit *>(v.ControlWidget("txtAlmacen"));
    almacen->setText("");
    emit almacen->editingFinished();
    EXPECT_EQ(w.txtAlmacen.code, 0);
    FechasAmplias(v.ControlWidget("txtDesde"), v.ControlWidget("txtHasta"));
    emit static_cast<QLineEdit *>(v.ControlWidget("txtHasta"))->returnPressed();
    ASSERT_TRUE(shell.messages.empty()) << shell.Last();
    ASSERT_GE(w.vsLineas.DataRows(), 2);
    auto *m = Grid(v)->Modelo();
    ASSERT_EQ(m->rowCount(), w.vsLineas.DataRows());
    std::string documento = w.vsLineas.Text(2, V1::colDocumento);

    emit Grid(v)->clicked(m->index(1, V1::colSel));
    Tecla(Grid(v), Qt::Key_F9);
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(demo.One("SELECT Documento FROM Compras_PagosCentral_Entradas_Facturas WHERE IdExtractoLinea = " + id),
              documento);
    ASSERT_EQ(m->rowCount(), w.vsLineas.DataRows());
    EXPECT_EQ(w.vsLineas.Text(1, V1::colDocumento), documento);
    QColor amarillo = m->data(m->index(0, V1::colDocumento), Qt::BackgroundRole).value<QColor>();
    EXPECT_EQ(amarillo, QColor(255, 255, 0));
    EXPECT_FALSE(m->data(m->index(1, V1::colDocumento), Qt::BackgroundRole).isValid());
    Guardar(v, "vinc1.png");

    // A double-click prints the purchase: the document names the line it is linked to.
    emit Grid(v)->doubleClicked(m->index(0, V1::colFecha));
    ASSERT_EQ(shell.informes.size(), 1u);
    const host::Informe &inf = shell.informes.back();
    EXPECT_EQ(inf.titulo, "Factura de proveedor");
    ASSERT_EQ(inf.filas.size(), 1u);
    EXPECT_EQ(inf.pie, "Vinculado a 1 línea(s) de pagos centralizados.");

    // The page paints onto an image (ink in the title band) and into a PDF file.
    QImage hoja(794, 1123, QImage::Format_RGB32);
    ui::PintarInforme(hoja, inf);
    auto tinta = [&](int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = 0; x < hoja.width(); ++x) {
                n += qGray(hoja.pixel(x, y)) < 128;
            }
        }
        return n;
    };
    EXPECT_EQ(tinta(0, 40), 0); // the top margin is blank
    EXPECT_GT(tinta(56, 90), 100);
    EXPECT_GT(tinta(1000, 1080), 0); // the footer
    std::string pdf = demo.dir.File("compra.pdf");
    ASSERT_TRUE(ui::GuardarInformePdf(inf, QString::fromStdString(pdf)));
    QFile f(QString::fromStdString(pdf));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_GT(bytes.size(), 1000);
    if (const char *dir = std::getenv("PC_VINCULOS_SCREENSHOTS")) {
        hoja.save(QString::fromUtf8(dir) + "/informe.png");
    }
}

} // namespace
