#include "fixtures/DemoDb.h"
#include "fixtures/QtApp.h"
#include "statements/frmExtractos.h"
#include "ui/QtShell.h"
#include "ui/Views.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace {

// Runs `act` on the next modal widget of type T that opens.
template <class T> void AlAbrir(std::function<void(T *)> act) {
    auto *timer = new QTimer();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto *m = qobject_cast<T *>(QApplication::activeModalWidget()); m && m->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(m);
        }
    });
    timer->start();
}

// "Exportar..." in the window: the save dialog proposes "MODI0088" as a workbook, switching the
// filter to Euromadi gives the name its ".eur", and the file and its archive are written.
TEST(QtExportar, SaveDialogProposesTheNameAndTheFilterGivesItsEnding) {
    DemoDb demo(true, "");
    fixtures::QtApp();
    ui::RegisterViews();
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET NoPago = 1, Obs1 = 'Pendiente de abono'"
                      " WHERE Documento = 'DM2-0004'");
    ui::QtShell shell;
    statements::frmExtractos w(shell, demo.settings);
    w.Show();
    w.cboEstado.SelectData(3);
    w.txtNumExtracto.text = "M2-";
    w.Cargar_Extractos();
    ASSERT_EQ(w.vsExtractos.DataRows(), 1);
    ui::View *view = shell.ShowTop(w);
    QApplication::processEvents();
    const std::string carpeta = demo.dir.File("salida");
    std::filesystem::create_directories(carpeta);

    QStringList filtros;
    QString propuesto, sufijoInicial, sufijoEur, mensaje;
    AlAbrir<QFileDialog>([&](QFileDialog *d) {
        filtros = d->nameFilters();
        propuesto = d->selectedFiles().value(0);
        sufijoInicial = d->defaultSuffix();
        if (const char *dir = std::getenv("PAGOCENTRAL_SCREENSHOTS")) {
            d->grab().save(QString::fromUtf8(dir) + QStringLiteral("/guardar_extracto.png"));
        }
        // As the user does: the second entry of the file type list.
        auto *tipo = d->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(tipo, nullptr);
        tipo->setCurrentIndex(1);
        emit tipo->activated(1);
        emit tipo->textActivated(tipo->itemText(1));
        sufijoEur = d->defaultSuffix();
        d->setDirectory(QString::fromStdString(carpeta));
        d->selectFile(QStringLiteral("MODI0088"));
        AlAbrir<QMessageBox>([&](QMessageBox *m) {
            mensaje = m->text();
            m->accept();
        });
        static_cast<QDialog *>(d)->accept(); // QFileDialog::accept, as the Save button does
    });
    static_cast<QPushButton *>(view->ControlWidget("cmdExportar"))->click();
    QApplication::processEvents();

    EXPECT_EQ(filtros, (QStringList{"Fichero de Microsoft Excel (*.xlsx *.xls)", "Fichero de Euromadi (*.eur)"}));
    EXPECT_TRUE(propuesto.endsWith(QStringLiteral("/MODI0088.xlsx"))) << propuesto.toStdString();
    EXPECT_EQ(sufijoInicial, "xlsx");
    EXPECT_EQ(sufijoEur, "eur");
    EXPECT_EQ(mensaje.toStdString(), "Operación terminada con éxito.");
    EXPECT_TRUE(std::filesystem::exists(carpeta + "/MODI0088.eur"));
    EXPECT_TRUE(std::filesystem::exists(carpeta + "/EM0088.zip"));
    w.Close();
    QApplication::processEvents();
}

} // namespace
