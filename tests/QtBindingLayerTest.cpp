#include "fixtures/DemoDb.h"
#include "fixtures/QtApp.h"
#include "fixtures/TempDir.h"
#include "host/ScriptedShell.h"
#include "statements/frmExtractos.h"
#include "suite/Configuracion.h"
#include "ui/GridModel.h"
#include "ui/WindowView.h"
#include "ui/frmExtractosView.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCalendarWidget>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A window with one field of every kind and a grid, that writes down every call it gets.
class frmPrueba : public host::Window {
  public:
    explicit frmPrueba(host::Shell &shell) : Window("frmPrueba", shell) {
        auto campo = [](host::Control &c, const char *name, const char *caption) {
            c.name = name;
            c.caption = caption;
        };
        campo(txtNombre, "txtNombre", "Nombre:");
        campo(txtFecha, "txtFecha", "Fecha:");
        campo(txtCodigo, "txtCodigo", "Código:");
        campo(chkActivo, "chkActivo", "Activo");
        campo(cboTipo, "cboTipo", "Tipo:");
        campo(chkTodas, "chkTodas", "");
        campo(cmdGuardar, "cmdGuardar", "&Guardar");
        campo(cmdSalir, "cmdSalir", "&Salir");
        cboTipo.Add("UNO", 1);
        cboTipo.Add("DOS", 2);
        cboTipo.index = 0;
        using A = host::GridAlign;
        using T = host::GridType;
        vsFilas.columns = {{"", 400, A::Center, T::Boolean},
                           {"Documento", 600, A::Left, T::String},
                           {"Nombre", 900, A::Left, T::String},
                           {"Oculta", 900, A::Left, T::String, true}};
        for (int i = 1; i <= 60; ++i) {
            vsFilas.AddItem("0\tDOC-" + std::to_string(i) + "\tProveedor de nombre largo número " + std::to_string(i) +
                            "\tx");
        }
        vsFilas.row = 1;
    }

    host::TextField txtNombre;
    host::DateField txtFecha;
    host::LookupField txtCodigo;
    host::CheckField chkActivo, chkTodas;
    host::ComboField cboTipo;
    host::Button cmdGuardar, cmdSalir;
    host::Grid vsFilas;
    lines::PosicionVentana posicion;
    std::vector<std::string> log;

    void txtNombre_Change() { log.push_back("txtNombre_Change " + txtNombre.text); }
    void txtFecha_Enter() {
        log.push_back("txtFecha_Enter " + txtFecha.text);
        if (txtFecha.text.empty()) {
            Ui().MsgBox("Debe introducir una fecha válida.", "¡ Atención !", host::Icon::Warning);
        }
    }
    void txtCodigo_Change() {
        log.push_back("txtCodigo_Change " + std::to_string(txtCodigo.code));
        txtCodigo.descripcion = "Nombre del " + std::to_string(txtCodigo.code);
    }
    void cboTipo_Click() { log.push_back("cboTipo_Click " + std::to_string(cboTipo.ItemData())); }
    void cmdGuardar_Click() {
        log.push_back(std::string("cmdGuardar_Click ") + (chkActivo.value ? "activo" : "inactivo"));
        txtNombre.text = "guardado";
        txtNombre.locked = true;
        cmdGuardar.enabled = false;
        chkActivo.visible = false;
    }
    void cmdSalir_Click() { Close(); }
    void Form_KeyDown_Escape() {
        log.push_back("Escape");
        Close();
    }
    void Form_KeyDown_F9() { log.push_back("F9"); }
    void vsFilas_Click(int row, int col) {
        if (col == 0) {
            vsFilas.Toggle(row);
        }
    }
    void vsFilas_KeySpace() { vsFilas.Toggle(vsFilas.row); }
    void vsFilas_DblClick() { log.push_back("vsFilas_DblClick " + std::to_string(vsFilas.row)); }
    void vsFilas_RowColChange(int row) { log.push_back("vsFilas_RowColChange " + std::to_string(row)); }
    void chkTodas_Click() {
        for (int r = 1; r <= vsFilas.DataRows(); ++r) {
            vsFilas.SetTicked(r, chkTodas.value);
        }
    }
};

class frmPruebaView : public ui::WindowView {
  public:
    explicit frmPruebaView(frmPrueba &w) : WindowView(w, nullptr) {
        setWindowTitle("Prueba");
        root_->addWidget(Label(w.txtNombre));
        root_->addWidget(Text(w.txtNombre, [&w] { w.txtNombre_Change(); }));
        root_->addWidget(Date(w.txtFecha, {}, [&w] { w.txtFecha_Enter(); }));
        root_->addWidget(Lookup(w.txtCodigo, true, 6, {}, [&w] { w.txtCodigo_Change(); }));
        root_->addWidget(Check(w.chkActivo));
        root_->addWidget(Combo(w.cboTipo, [&w] { w.cboTipo_Click(); }));
        grid = Grid(w.vsFilas, "vsFilas",
                    {.click = [&w](int r, int c) { w.vsFilas_Click(r, c); },
                     .rowChange = [&w](int r) { w.vsFilas_RowColChange(r); },
                     .space = [&w] { w.vsFilas_KeySpace(); },
                     .dblClick = [&w] { w.vsFilas_DblClick(); },
                     .header = &w.chkTodas,
                     .headerClick = [&w] { w.chkTodas_Click(); }},
                    {{2, 100}});
        root_->addWidget(grid, 1);
        ButtonRow({Button(w.cmdGuardar, [&w] { w.cmdGuardar_Click(); })}, {Button(w.cmdSalir, [&w] { w.cmdSalir_Click(); })});
        Key(Qt::Key_F9, [&w] { w.Form_KeyDown_F9(); });
        resize(700, 400);
        KeepPosition(w.posicion);
    }
    template <class T> T *W(const char *name) { return qobject_cast<T *>(ControlWidget(name)); }
    ui::GridView *grid;
};

class QtBindingLayer : public ::testing::Test {
  protected:
    QtBindingLayer() : w(shell) {
        fixtures::QtApp();
        ajustes = std::make_shared<suite::Configuracion>(dir.File("settings.ini"));
        ui::UsarAjustesVistas(ajustes);
        w.Show();
    }
    ~QtBindingLayer() override { ui::UsarAjustesVistas(nullptr); }

    TempDir dir;
    std::shared_ptr<suite::Configuracion> ajustes;
    host::ScriptedShell shell;
    frmPrueba w;
};

// The colour on screen at a point of the grid's viewport.
QColor Pixel(QAbstractItemView *grid, const QPoint &p) { return QColor(grid->viewport()->grab().toImage().pixel(p)); }

TEST_F(QtBindingLayer, FieldsAreDrawnAfterEveryActionAndInputReachesTheControllerFirst) {
    frmPruebaView v(w);
    v.show();
    QApplication::processEvents();
    EXPECT_EQ(v.ControlWidget("txtNombre"), v.W<QLineEdit>("txtNombre"));
    EXPECT_EQ(v.W<QComboBox>("cboTipo")->currentText(), "UNO");
    ASSERT_NE(v.W<QPushButton>("cmdGuardar"), nullptr);
    EXPECT_EQ(v.W<QPushButton>("cmdGuardar")->text(), "&Guardar");

    // Typing reaches the field and runs its change handler at every key.
    QTest::keyClicks(v.W<QLineEdit>("txtNombre"), "ab");
    EXPECT_EQ(w.txtNombre.text, "ab");
    EXPECT_EQ(w.log, (std::vector<std::string>{"txtNombre_Change a", "txtNombre_Change ab"}));

    // A code typed without leaving its box, and a ticked box, are the controller's before the click.
    w.log.clear();
    v.W<QLineEdit>("txtCodigo")->setText("42");
    v.W<QCheckBox>("chkActivo")->setChecked(true);
    QTest::mouseClick(v.W<QPushButton>("cmdGuardar"), Qt::LeftButton);
    EXPECT_EQ(w.log, (std::vector<std::string>{"txtCodigo_Change 42", "cmdGuardar_Click activo"}));
    // Then everything is redrawn from the controller.
    EXPECT_EQ(v.W<QLineEdit>("txtNombre")->text(), "guardado");
    EXPECT_TRUE(v.W<QLineEdit>("txtNombre")->isReadOnly());
    EXPECT_FALSE(v.W<QPushButton>("cmdGuardar")->isEnabled());
    EXPECT_FALSE(v.W<QCheckBox>("chkActivo")->isVisible());
    QWidget *codigo = v.ControlWidget("txtCodigo");
    bool nombre = false;
    for (auto *e : codigo->parentWidget()->findChildren<QLineEdit *>()) {
        nombre = nombre || e->text() == "Nombre del 42";
    }
    EXPECT_TRUE(nombre);

    // A new choice in the list runs its handler with the new item.
    w.log.clear();
    v.W<QComboBox>("cboTipo")->setCurrentIndex(1);
    EXPECT_EQ(w.log, (std::vector<std::string>{"cboTipo_Click 2"}));

    // Function keys and Escape reach the controller wherever the focus is; Escape closes.
    w.log.clear();
    QTest::keyClick(v.W<QLineEdit>("txtNombre"), Qt::Key_F9);
    v.move(50, 60);
    v.resize(640, 380);
    QApplication::processEvents();
    QTest::keyClick(v.grid, Qt::Key_Escape);
    EXPECT_EQ(w.log, (std::vector<std::string>{"F9", "Escape"}));
    EXPECT_FALSE(w.Loaded());
    EXPECT_FALSE(v.isVisible());
    EXPECT_EQ(w.posicion.width, ui::PixelsToTwips(640));
    EXPECT_EQ(w.posicion.height, ui::PixelsToTwips(380));

    // The kept place comes back with the next view.
    w.Show();
    frmPruebaView otra(w);
    EXPECT_EQ(otra.size(), QSize(640, 380));
}

TEST_F(QtBindingLayer, AButtonThatClosesTheControllerClosesTheView) {
    frmPruebaView v(w);
    v.show();
    QApplication::processEvents();
    QTest::mouseClick(v.W<QPushButton>("cmdSalir"), Qt::LeftButton);
    EXPECT_FALSE(w.Loaded());
    EXPECT_FALSE(v.isVisible());
    // Nothing reaches a controller that has gone.
    QTest::keyClick(v.grid, Qt::Key_F9);
    EXPECT_TRUE(w.log.empty());
}

TEST_F(QtBindingLayer, EnterInADateBoxReachesTheControllerWhateverItHolds) {
    frmPruebaView v(w);
    v.show();
    QApplication::processEvents();
    auto *fecha = v.W<ui::DateBox>("txtFecha");
    ASSERT_NE(fecha, nullptr);
    EXPECT_EQ(fecha->inputMask(), "99/99/9999;_");
    QTest::keyClick(fecha, Qt::Key_Return);
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe introducir una fecha válida.");
    fecha->setFocus();
    fecha->setCursorPosition(0);
    QTest::keyClicks(fecha, "3112");
    QTest::keyClick(fecha, Qt::Key_Enter);
    EXPECT_EQ(w.log.back(), "txtFecha_Enter 31/12/");
    QTest::keyClicks(fecha, "2024");
    QTest::keyClick(fecha, Qt::Key_Return);
    EXPECT_EQ(w.log.back(), "txtFecha_Enter 31/12/2024");

    // F4 opens the calendar on the box's day; a day chosen there is typed into the box.
    QTest::keyClick(fecha, Qt::Key_F4);
    auto *cal = fecha->findChild<QCalendarWidget *>();
    ASSERT_NE(cal, nullptr);
    EXPECT_EQ(cal->selectedDate(), QDate(2024, 12, 31));
    emit cal->activated(QDate(2025, 1, 7));
    EXPECT_EQ(w.txtFecha.text, "07/01/2025");
}

TEST_F(QtBindingLayer, GridTicksKeepsItsRowsAndShowsTheCurrentRowsColour) {
    w.vsFilas.SetRowBackColor(3, 0x00FFFF); // yellow, as the linked rows are
    frmPruebaView v(w);
    v.show();
    QApplication::processEvents();
    ui::GridView *g = v.grid;
    auto *m = g->Modelo();
    QAbstractItemModelTester tester(m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_TRUE(g->isColumnHidden(3));

    // Ticks: a click on column 0, not elsewhere; the space bar on the current row; the header box.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(m->index(1, 0)).center());
    EXPECT_TRUE(w.vsFilas.Ticked(2));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(m->index(3, 1)).center());
    EXPECT_EQ(w.vsFilas.row, 4);
    EXPECT_FALSE(w.vsFilas.Ticked(4));
    EXPECT_EQ(w.log.back(), "vsFilas_RowColChange 4");
    QTest::keyClick(g, Qt::Key_Space);
    EXPECT_TRUE(w.vsFilas.Ticked(4));
    EXPECT_EQ(m->index(3, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    QTest::mouseClick(g->CheckCabecera(), Qt::LeftButton);
    EXPECT_EQ(w.vsFilas.TickedCount(), 60);
    QTest::mouseClick(g->CheckCabecera(), Qt::LeftButton);
    EXPECT_EQ(w.vsFilas.TickedCount(), 0);

    // The keys move the grid's current row; Enter and a double-click reach the controller.
    QTest::keyClick(g, Qt::Key_Up);
    EXPECT_EQ(w.vsFilas.row, 3);
    QTest::keyClick(g, Qt::Key_Return);
    EXPECT_EQ(w.log.back(), "vsFilas_DblClick 3");
    QPoint fila5 = g->visualRect(m->index(4, 2)).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, fila5);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, fila5);
    EXPECT_EQ(w.log.back(), "vsFilas_DblClick 5");

    // The current row keeps its colour under the frame; another row shows the window's base.
    QTest::keyClick(g, Qt::Key_Up);
    QTest::keyClick(g, Qt::Key_Up);
    ASSERT_EQ(w.vsFilas.row, 3);
    QApplication::processEvents();
    EXPECT_EQ(Pixel(g, g->visualRect(m->index(2, 2)).center()), QColor(255, 255, 0));
    QColor base = g->palette().color(QPalette::Base);
    EXPECT_EQ(Pixel(g, g->visualRect(m->index(5, 2)).center()), base);
    // A current row without a colour of its own is not filled with the highlight either.
    QTest::keyClick(g, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(Pixel(g, g->visualRect(m->index(3, 2)).center()), base);
    EXPECT_EQ(Pixel(g, g->visualRect(m->index(3, 2)).topLeft() + QPoint(4, 0)),
              g->palette().color(QPalette::Highlight));
    QTest::keyClick(g, Qt::Key_Up);

    // Scrolling keeps the top row; a redraw puts the controller's current and top rows back.
    g->verticalScrollBar()->setValue(20);
    EXPECT_EQ(w.vsFilas.topRow, 21);
    w.vsFilas.row = 40;
    w.vsFilas.topRow = 30;
    v.Refresh();
    EXPECT_EQ(g->currentIndex().row(), 39);
    EXPECT_EQ(g->verticalScrollBar()->value(), 29);

    // A reload of the rows: the model resets and stays consistent.
    w.vsFilas.Clear();
    w.vsFilas.AddItem("0\tUNO\tOtro");
    w.vsFilas.row = 1;
    v.Refresh();
    EXPECT_EQ(m->rowCount(), 1);
}

TEST_F(QtBindingLayer, ColumnsShowWhatTheyHoldAndKeepTheWidthsTheUserGives) {
    frmPruebaView v(w);
    v.resize(500, 300);
    v.show();
    QApplication::processEvents();
    ui::GridView *g = v.grid;
    QFontMetrics fm(g->font());
    // The twips would cut the documents and the names: the columns widen to what they hold.
    EXPECT_GE(g->columnWidth(1), fm.horizontalAdvance("DOC-60"));
    EXPECT_GE(g->columnWidth(2), fm.horizontalAdvance("Proveedor de nombre largo número 60"));
    EXPECT_GE(g->columnWidth(0), ui::TwipsToPixels(400));

    // A width the user gives is kept for this window and grid, and used by the next view.
    g->horizontalHeader()->resizeSection(1, 150);
    EXPECT_EQ(g->columnWidth(1), 150);
    EXPECT_EQ(ajustes->LeerValor("vsFilas", "frmPrueba\\Columnas").substr(0, 2), "0,");
    frmPruebaView otra(w);
    otra.show();
    QApplication::processEvents();
    EXPECT_EQ(otra.grid->columnWidth(1), 150);
    // The name column takes the room left over when the window widens.
    int antes = otra.grid->columnWidth(2);
    otra.resize(otra.width() + 200, otra.height());
    QApplication::processEvents();
    EXPECT_GT(otra.grid->columnWidth(2), antes);
}

// The statement list on the demo data: the space bar ticks there as in every grid, and Enter in an
// emptied end date gets the list's own refusal.
TEST(QtStatementListKeys, SpaceTicksTheCurrentRowAndAnEmptyEndDateIsRefused) {
    fixtures::QtApp();
    DemoDb demo;
    host::ScriptedShell shell;
    statements::frmExtractos w(shell, demo.settings);
    w.Show();
    ui::frmExtractosView v(w);
    v.show();
    QApplication::processEvents();
    auto *g = static_cast<ui::GridView *>(v.ControlWidget("vsExtractos"));
    ASSERT_GE(w.vsExtractos.DataRows(), 2);
    g->setFocus();
    QTest::keyClick(g, Qt::Key_Down);
    ASSERT_EQ(w.vsExtractos.row, 2);
    QTest::keyClick(g, Qt::Key_Space);
    EXPECT_TRUE(w.vsExtractos.Ticked(2));
    EXPECT_EQ(w.vsExtractos.TickedCount(), 1);

    auto *fin = static_cast<ui::DateBox *>(v.ControlWidget("txtFechaF"));
    fin->clear();
    QTest::keyClick(fin, Qt::Key_Return);
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe introducir una fecha válida.");
    ASSERT_FALSE(shell.focus.empty());
    EXPECT_EQ(shell.focus.back(), "frmExtractos.txtFechaF");
    w.Close();
}

} // namespace
