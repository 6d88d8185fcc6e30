#include "claims/frmExtractos_Lineas_Reclamacion.h"
#include "claims/frmExtractos_Lineas_Reclamacion_Datos.h"
#include "claims/frmExtractos_Lineas_Reclamacion_Visor.h"
#include "fixtures/QtApp.h"
#include "fixtures/Vinculos.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/Views.h"
#include "ui/frmExtractos_Lineas_ReclamacionView.h"
#include "ui/frmExtractos_Lineas_Reclamacion_DatosView.h"
#include "ui/frmExtractos_Lineas_Reclamacion_VisorView.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using E = claims::frmExtractos_Lineas_Reclamacion_Datos;
using R = claims::frmExtractos_Lineas_Reclamacion;
using V = claims::frmExtractos_Lineas_Reclamacion_Visor;

void Tecla(QWidget *w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

// Saves the view as a picture when PC_RECLAMACIONES_SCREENSHOTS names a folder.
void Foto(QWidget &w, const char *nombre) {
    if (const char *dir = std::getenv("PC_RECLAMACIONES_SCREENSHOTS")) {
        EXPECT_TRUE(w.grab().save(QString::fromUtf8(dir) + "/" + nombre));
    }
}

class QtReclamaciones : public VinculosFixture, public ::testing::Test {
  protected:
    QtReclamaciones() {
        fixtures::QtApp();
        ui::RegisterViews();
        line = Line(901, "107", "F-107");
    }
    long Claim(const std::string &total) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, Cod_TipoRecl, "
                          "Cod_Concepto, FacturaCodigo, FacturaFecha, ArticulosCodigo, ArticulosDescripcion, "
                          "Observaciones, CantidadReclamado, Base1, Igic1, TotalReclamacion) VALUES (" +
                          std::to_string(line) + ", 2, 1, 'F-107', '" + Dia(-5) +
                          "', 'ART-1', 'Agua mineral 1,5 l', " + db::Quote("Precio de tarifa\r\nno respetado") +
                          ", 6, " + total + ", 0, " + total + ")");
        return std::stol(demo.One("SELECT MAX(IdReclamacion) FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"));
    }
    long line = 0;
};

TEST_F(QtReclamaciones, EditorProposesTheBaseMovesOnWithEnterAndLocksWhenReadOnly) {
    E e(shell);
    e.IdExtractoLinea = line;
    e.CantidadMaximaReclamar = *suite::Moneda::Parse("107");
    e.FacturaCodigo = "F-107";
    e.FacturaFecha = Dia(-5);
    e.Show();
    ui::frmExtractos_Lineas_Reclamacion_DatosView v(e);
    v.show();
    QApplication::processEvents();
    EXPECT_EQ(v.windowTitle().toStdString(), "Reclamaciones de Pagos Centralizados");
    auto *igic1 = static_cast<QComboBox *>(v.ControlWidget("cboIGIC(1)"));
    ASSERT_EQ(igic1->count(), 7);
    igic1->setCurrentIndex(4); // 7 %
    EXPECT_EQ(static_cast<QLineEdit *>(v.ControlWidget("txtBaseImponible(1)"))->text().toStdString(), "100,0000");
    EXPECT_EQ(static_cast<QLabel *>(v.ControlWidget("lblTotalReclamado"))->text().toStdString(), "107,00");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Reclamacion_Datos.txtBaseImponible(2)");

    // Enter in a combo moves on; a type in mode 1 marks its fields.
    auto *tipos = static_cast<QComboBox *>(v.ControlWidget("cboTiposReclamacion"));
    tipos->setFocus();
    tipos->setCurrentIndex(2); // "Albarán no recibido"
    Tecla(tipos, Qt::Key_Return);
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Reclamacion_Datos.cboConceptos");
    EXPECT_EQ(static_cast<QLabel *>(v.ControlWidget("lblNota"))->isVisible(), true);
    bool marcada = false;
    for (QLabel *l : v.findChildren<QLabel *>()) {
        marcada = marcada || l->text() == QString::fromUtf8("Num. Albarán(*):");
    }
    EXPECT_TRUE(marcada);
    auto *obs = static_cast<QPlainTextEdit *>(v.ControlWidget("txtObservaciones"));
    obs->setPlainText(QString::fromUtf8("Dos\nlíneas"));
    EXPECT_EQ(e.txtObservaciones.text, "Dos\nlíneas");
    static_cast<QPushButton *>(v.ControlWidget("cmdAceptar"))->click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar el Número de Albarán");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Reclamacion_Datos.txtAlbaranNumero");
    Foto(v, "editor.png");
    Tecla(&v, Qt::Key_Escape);
    EXPECT_FALSE(e.Loaded());

    // Read-only: the caption says so, no accept button, the bases' frame disabled, long text still readable.
    E ro(shell);
    ro.IdExtractoLinea = line;
    ro.IdReclamacion = Claim("50");
    ro.SoloLectura = true;
    ro.Show();
    ui::frmExtractos_Lineas_Reclamacion_DatosView vr(ro);
    vr.show();
    QApplication::processEvents();
    EXPECT_TRUE(vr.windowTitle().endsWith(" - (SOLO LECTURA)"));
    EXPECT_FALSE(vr.ControlWidget("cmdAceptar")->isVisible());
    EXPECT_FALSE(vr.findChild<QGroupBox *>()->isEnabled());
    auto *obsRo = static_cast<QPlainTextEdit *>(vr.ControlWidget("txtObservaciones"));
    EXPECT_TRUE(obsRo->isReadOnly());
    EXPECT_EQ(obsRo->toPlainText().toStdString(), "Precio de tarifa\nno respetado");
    Foto(vr, "editor_solo_lectura.png");
    static_cast<QPushButton *>(vr.ControlWidget("cmdCancelar"))->click();
    EXPECT_FALSE(ro.Loaded());
    // The untouched text kept its own line break.
    EXPECT_EQ(ro.txtObservaciones.text, "Precio de tarifa\r\nno respetado");
}

TEST_F(QtReclamaciones, LineClaimsStayOpenOnEscapeAndTheCloseBoxWhilePartIsUnclaimed) {
    Claim("60");
    R w(shell);
    w.IdExtractoLinea = line;
    w.Cod_Proveedor = 901;
    w.Cod_Almacen = 1;
    w.ImporteReclamar = *suite::Moneda::Parse("107");
    w.Show();
    ui::frmExtractos_Lineas_ReclamacionView v(w);
    v.show();
    QApplication::processEvents();
    auto *grid = static_cast<ui::GridView *>(v.ControlWidget("vsLineas"));
    EXPECT_EQ(grid->Modelo()->columnCount(), 11);
    EXPECT_TRUE(grid->isColumnHidden(R::colIdReclamacion));
    EXPECT_EQ(static_cast<QLabel *>(v.ControlWidget("lblCantidadMaximaReclamar"))->text().toStdString(), "47,00");
    Foto(v, "reclamaciones_linea.png");
    Tecla(&v, Qt::Key_Escape);
    v.close();
    QApplication::processEvents();
    EXPECT_TRUE(w.Loaded());
    EXPECT_TRUE(v.isVisible());
    EXPECT_EQ(shell.messages.size(), 2u);
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe reclamar el máximo ó eliminar las reclamaciones ya hechas para "
                            "poder salir");

    // Claimed in full, it goes.
    Claim("47");
    static_cast<QPushButton *>(v.ControlWidget("cmdEliminar"))->click(); // nothing ticked: only a warning
    EXPECT_EQ(static_cast<QLabel *>(v.ControlWidget("lblCantidadMaximaReclamar"))->text().toStdString(), "47,00");
    w.Cargar_Lineas();
    v.close();
    QApplication::processEvents();
    EXPECT_FALSE(w.Loaded());
    EXPECT_FALSE(v.isVisible());
}

TEST_F(QtReclamaciones, ViewerShowsTheVisibleColumnsAndTicksFromTheHeader) {
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos SET Cerrado = 1");
    Claim("60");
    Claim("47");
    V w(shell);
    w.Show();
    ui::frmExtractos_Lineas_Reclamacion_VisorView v(w);
    v.resize(1200, 480);
    v.show();
    QApplication::processEvents();
    EXPECT_EQ(v.windowTitle().toStdString(), "Visor de Reclamaciones de Pagos Centralizados");
    auto *grid = static_cast<ui::GridView *>(v.ControlWidget("vsLineas"));
    ASSERT_EQ(grid->Modelo()->rowCount(), 2);
    EXPECT_EQ(grid->Modelo()->columnCount(), 36);
    int visibles = 0;
    for (int c = 0; c < 36; ++c) {
        visibles += grid->isColumnHidden(c) ? 0 : 1;
    }
    EXPECT_EQ(visibles, 11);
    grid->CheckCabecera()->click();
    EXPECT_EQ(w.vsLineas.TickedCount(), 2);
    Foto(v, "visor.png");
    static_cast<QPushButton *>(v.ControlWidget("cmdSalir"))->click();
    EXPECT_FALSE(w.Loaded());
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
}

} // namespace
