#include "fixtures/DemoDb.h"
#include "fixtures/QtApp.h"
#include "statements/frmExtractos.h"
#include "suite/Fecha.h"
#include "ui/DateBox.h"
#include "ui/QtShell.h"
#include "ui/Views.h"
#include "accounting/frmCuentaContrapartida.h"
#include "ui/frmCuentaContrapartidaView.h"
#include "ui/frmExtractos_ConfirmarEliminarView.h"
#include "ui/frmImportarView.h"
#include "ui/frmPedirProveedorView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QPointer>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string Hoy() { return suite::Fecha::Hoy().Formato("dd/mm/yyyy"); }

// Runs `act` on the next modal dialog that opens (the confirmation, a message box); `previo`, one
// still closing, is not it.
void AlAbrirModal(std::function<void(QWidget *)> act, QWidget *previo = nullptr) {
    auto *timer = new QTimer();
    timer->setInterval(10);
    // Guarded: the next box may be built where the closed one was.
    bool esperaOtro = previo != nullptr;
    QPointer<QWidget> anterior(previo);
    QObject::connect(timer, &QTimer::timeout, [timer, act, anterior, esperaOtro] {
        QWidget *m = QApplication::activeModalWidget();
        // After another box, only a message box will do: the progress window is modal too.
        if (m && m != anterior.data() && m->isVisible() && (!esperaOtro || qobject_cast<QMessageBox *>(m))) {
            timer->stop();
            timer->deleteLater();
            act(m);
        }
    });
    timer->start();
}

class QtStatementList : public ::testing::Test {
  protected:
    QtStatementList() : demo(true, ""), w(shell, demo.settings) {
        fixtures::QtApp();
        ui::RegisterViews();
    }
    QTableView *Grid() { return static_cast<QTableView *>(view->ControlWidget("vsExtractos")); }
    QPushButton *Button(const char *name) { return static_cast<QPushButton *>(view->ControlWidget(name)); }
    QLineEdit *Edit(const char *name) { return static_cast<QLineEdit *>(view->ControlWidget(name)); }
    std::vector<std::string> Codes() {
        std::vector<std::string> out;
        auto *m = Grid()->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            out.push_back(m->index(r, statements::frmExtractos::colExtracto).data().toString().toStdString());
        }
        return out;
    }

    DemoDb demo;
    ui::QtShell shell;
    statements::frmExtractos w;
    ui::View *view = nullptr;
};

TEST_F(QtStatementList, FiltersTicksAndDeletesThroughTheViews) {
    w.Show();
    view = shell.ShowTop(w);
    ASSERT_NE(view, nullptr);
    QApplication::processEvents();
    int all = Grid()->model()->rowCount();
    ASSERT_GT(all, 2);
    EXPECT_EQ(Grid()->model()->headerData(statements::frmExtractos::colExtracto, Qt::Horizontal).toString(),
              "Extracto");

    // The warehouse box shows the name beside the code and filters on Enter.
    QLineEdit *almacen = Edit("txtAlmacen");
    almacen->setText("2");
    emit almacen->returnPressed();
    QApplication::processEvents();
    EXPECT_EQ(w.txtAlmacen.descripcion, "Supermercado Las Palmas - Mesa y López");
    int deWarehouse2 = Grid()->model()->rowCount();
    ASSERT_GT(deWarehouse2, 0);
    EXPECT_LT(deWarehouse2, all);
    for (int r = 0; r < deWarehouse2; ++r) {
        EXPECT_EQ(Grid()->model()->index(r, statements::frmExtractos::colAlmacen).data().toString(), "2");
    }

    // Tick the first row by clicking its box, then delete it confirming with today's date.
    std::string code = Codes().at(0);
    long lines = demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = '" + code + "'");
    ASSERT_GT(lines, 0);
    emit Grid()->clicked(Grid()->model()->index(0, statements::frmExtractos::colSel));
    EXPECT_EQ(Grid()->model()->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);

    // First a wrong date: the message box, then the box stays; then cancel.
    AlAbrirModal([&](QWidget *m) {
        auto *c = qobject_cast<ui::frmExtractos_ConfirmarEliminarView *>(m);
        ASSERT_NE(c, nullptr);
        static_cast<ui::DateBox *>(c->ControlWidget("txtFecha"))->Mostrar("01/01/2001");
        AlAbrirModal([&, c](QWidget *box) {
            auto *mb = qobject_cast<QMessageBox *>(box);
            ASSERT_NE(mb, nullptr);
            EXPECT_EQ(mb->text().toStdString(), "Debe introducir la fecha actual en el formato DD/MM/AAAA");
            mb->accept();
            QTimer::singleShot(0, [c] { static_cast<QPushButton *>(c->ControlWidget("cmdCancelar"))->click(); });
        });
        static_cast<QPushButton *>(c->ControlWidget("cmdAceptar"))->click();
    });
    Button("cmdEliminar")->click();
    QApplication::processEvents();
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos WHERE Cod_Extracto = '" + code + "'"), 1);

    AlAbrirModal([&](QWidget *m) {
        auto *c = qobject_cast<ui::frmExtractos_ConfirmarEliminarView *>(m);
        ASSERT_NE(c, nullptr);
        static_cast<ui::DateBox *>(c->ControlWidget("txtFecha"))->Mostrar(Hoy());
        static_cast<QPushButton *>(c->ControlWidget("cmdAceptar"))->click();
    });
    Button("cmdEliminar")->click();
    QApplication::processEvents();
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos WHERE Cod_Extracto = '" + code + "'"), 0);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = '" + code + "'"), 0);
    EXPECT_EQ(Grid()->model()->rowCount(), deWarehouse2 - 1);

    // The state list: TODOS shows the closed demo statement too.
    auto *estado = static_cast<QComboBox *>(view->ControlWidget("cboEstado"));
    Edit("txtAlmacen")->clear();
    emit Edit("txtAlmacen")->returnPressed();
    estado->setCurrentIndex(2);
    QApplication::processEvents();
    EXPECT_EQ(w.cboEstado.Text(), "TODOS");
    EXPECT_EQ(Grid()->model()->rowCount(), all - 1 + demo.Count("Compras_PagosCentral_Extractos WHERE Cerrado <> 0"));
    w.Close();
    QApplication::processEvents();
}

// "Casación Aut." asks for the supplier, matches and reports in the task dialog with its mark-up.
TEST_F(QtStatementList, AutomaticMatchingThroughThePromptAndTheTaskDialog) {
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    w.Show();
    view = shell.ShowTop(w);
    QApplication::processEvents();
    ASSERT_TRUE(Button("cmdCasacionAut")->isVisible());
    w.vsExtractos_RowColChange(1);
    std::string code = w.vsExtractos.Text(1, statements::frmExtractos::colExtracto);
    ASSERT_TRUE(Button("cmdCasacionAut")->isEnabled()) << code;
    std::string instruccion, informativo;
    AlAbrirModal([&](QWidget *m) {
        auto *p = qobject_cast<ui::frmPedirProveedorView *>(m);
        ASSERT_NE(p, nullptr);
        AlAbrirModal([&](QWidget *box) {
            auto *mb = qobject_cast<QMessageBox *>(box);
            ASSERT_NE(mb, nullptr);
            instruccion = mb->text().toStdString();
            informativo = mb->informativeText().toStdString();
            if (const char *shot = std::getenv("PAGOCENTRAL_SHOT")) {
                mb->grab().save(shot);
            }
            mb->accept();
        });
        static_cast<QPushButton *>(p->ControlWidget("cmdAceptar"))->click();
    });
    Button("cmdCasacionAut")->click();
    QApplication::processEvents();
    EXPECT_NE(instruccion.find("Casación Automática realizada correctamente."), std::string::npos) << instruccion;
    EXPECT_NE(instruccion.find("color:Blue"), std::string::npos) << instruccion;
    EXPECT_EQ(instruccion.find("TextBlock"), std::string::npos) << instruccion;
    EXPECT_NE(informativo.find("duplicadas"), std::string::npos) << informativo;
    EXPECT_GT(demo.Count("Compras_PagosCentral_PrevPagos pp INNER JOIN Compras_PagosCentral_Extractos_Lineas lin ON "
                         "lin.IdExtractoLinea = pp.IdExtractoLinea WHERE lin.Cod_Extracto = '" +
                         code + "'"),
              0);
    w.Close();
    QApplication::processEvents();
}

TEST_F(QtStatementList, ImportWindowRefusesAnEmptyPathAndReturnsTheTypedOne) {
    statements::frmImportar imp(shell);
    AlAbrirModal([&](QWidget *m) {
        auto *v = qobject_cast<ui::frmImportarView *>(m);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->windowTitle(), "Importar Fichero");
        AlAbrirModal([v](QWidget *box) {
            auto *mb = qobject_cast<QMessageBox *>(box);
            ASSERT_NE(mb, nullptr);
            EXPECT_EQ(mb->text().toStdString(), "Debe elegir un documento a importar");
            mb->accept();
            QTimer::singleShot(0, [v] {
                auto *ruta = static_cast<QLineEdit *>(v->ControlWidget("txtRuta"));
                ruta->setText("/tmp/extracto d'Ávila.txt");
                static_cast<QPushButton *>(v->ControlWidget("cmdImportar"))->click();
            });
        });
        static_cast<QPushButton *>(v->ControlWidget("cmdImportar"))->click();
    });
    imp.Show(1);
    EXPECT_EQ(imp.ruta, "/tmp/extracto d'Ávila.txt");

    AlAbrirModal([](QWidget *m) { static_cast<QDialog *>(m)->reject(); });
    imp.Show(1);
    EXPECT_EQ(imp.ruta, "");
}

// "Generar Asiento": nothing ticked is refused; a ready statement is confirmed, accounted and
// reported in the box titled "Varnex".
TEST_F(QtStatementList, GenerateEntriesButtonRefusesNothingTickedAndAccountsATickedStatement) {
    w.Show();
    view = shell.ShowTop(w);
    QApplication::processEvents();
    std::string texto;
    AlAbrirModal([&](QWidget *box) {
        auto *mb = qobject_cast<QMessageBox *>(box);
        ASSERT_NE(mb, nullptr);
        texto = mb->text().toStdString();
        mb->accept();
    });
    Button("cmdGenerarAsiento")->click();
    QApplication::processEvents();
    EXPECT_EQ(texto, "Debe señalar al menos una linea de Extracto para generar asiento.");

    // The demo's ready statement of the first mode: confirmed, accounted, reported with its entries.
    int fila = 0;
    for (int r = 1; r <= w.vsExtractos.DataRows(); ++r) {
        if (w.vsExtractos.Text(r, statements::frmExtractos::colExtracto).rfind("M1-", 0) == 0) {
            fila = r;
        }
    }
    ASSERT_GT(fila, 0);
    std::string code = w.vsExtractos.Text(fila, statements::frmExtractos::colExtracto);
    w.vsExtractos.SetTicked(fila, true);
    std::string pregunta, resultado, titulo;
    AlAbrirModal([&](QWidget *box) {
        auto *mb = qobject_cast<QMessageBox *>(box);
        ASSERT_NE(mb, nullptr);
        pregunta = mb->text().toStdString();
        AlAbrirModal(
            [&](QWidget *fin) {
                auto *r = qobject_cast<QMessageBox *>(fin);
                ASSERT_NE(r, nullptr);
                resultado = r->text().toStdString();
                titulo = r->windowTitle().toStdString();
                if (const char *dir = std::getenv("PAGOCENTRAL_SCREENSHOTS")) {
                    r->grab().save(QString::fromUtf8(dir) + QStringLiteral("/resultado_asiento.png"));
                }
                r->accept();
            },
            mb);
        QAbstractButton *si = mb->button(QMessageBox::Yes);
        for (auto *b : mb->buttons()) {
            if (!si && mb->buttonRole(b) == QMessageBox::YesRole) {
                si = b;
            }
        }
        ASSERT_NE(si, nullptr);
        si->click();
    });
    Button("cmdGenerarAsiento")->click();
    QApplication::processEvents();
    EXPECT_EQ(pregunta, "¿Está seguro que desea generar el asiento de los extractos señalados?");
    EXPECT_EQ(titulo, "Varnex");
    EXPECT_EQ(resultado.rfind("Operación realizada con éxito. Asientos generados: ", 0), 0u) << resultado;
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos WHERE Cerrado <> 0 AND Cod_Extracto = '" + code + "'"), 1);

    w.Close();
    QApplication::processEvents();
}

// The contra-account prompt: a typed account is returned by Aceptar; Cancelar returns none.
TEST_F(QtStatementList, ContraAccountPromptReturnsTheTypedAccount) {
    accounting::frmCuentaContrapartida p(shell);
    p.Almacen = 1;
    p.Extracto = "101032026";
    std::string cuenta, titulo, nombre;
    AlAbrirModal([&](QWidget *m) {
        auto *v = qobject_cast<ui::frmCuentaContrapartidaView *>(m);
        ASSERT_NE(v, nullptr);
        titulo = v->windowTitle().toStdString();
        auto cuentas = p.BuscarCuentas("");
        ASSERT_FALSE(cuentas.empty());
        cuenta = cuentas.front().cuenta;
        auto *codigo = qobject_cast<QLineEdit *>(v->ControlWidget("txtCtaContrapartida"));
        ASSERT_NE(codigo, nullptr);
        codigo->setText(QString::fromStdString(cuenta));
        // As when the user leaves the box: the name of the account appears beside it.
        auto *caja = qobject_cast<ui::LookupBox *>(codigo->parentWidget());
        ASSERT_NE(caja, nullptr);
        emit caja->codigoCambiado();
        QApplication::processEvents();
        nombre = p.txtCtaContrapartida.descripcion;
        if (const char *dir = std::getenv("PAGOCENTRAL_SCREENSHOTS")) {
            v->grab().save(QString::fromUtf8(dir) + QStringLiteral("/contrapartida.png"));
        }
        static_cast<QPushButton *>(v->ControlWidget("cmdAceptar"))->click();
    });
    p.Show(1);
    EXPECT_EQ(titulo, "Cuenta de Contrapartida - 101032026");
    EXPECT_TRUE(p.Aceptado);
    EXPECT_EQ(p.Cuenta, cuenta);
    EXPECT_EQ(nombre, "Distribuciones Pérez Hernández, S.L.");

    AlAbrirModal([](QWidget *m) {
        auto *v = qobject_cast<ui::frmCuentaContrapartidaView *>(m);
        ASSERT_NE(v, nullptr);
        static_cast<QPushButton *>(v->ControlWidget("cmdCancelar"))->click();
    });
    p.Show(1);
    EXPECT_FALSE(p.Aceptado);
    EXPECT_EQ(p.Cuenta, "");
}

} // namespace
