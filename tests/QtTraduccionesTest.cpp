#include "fixtures/QtApp.h"
#include "fixtures/TempDir.h"
#include "ui/QtShell.h"
#include "ui/Traducciones.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

// Qt's own dialogs speak Spanish, as the rest of the program does; the file dialog's filters show
// each pattern once.
TEST(QtTraducciones, FileDialogInSpanishWithFiltersShownOnce) {
    auto &app = fixtures::QtApp();
    QTranslator *t = ui::InstalarTraducciones(app);
    ASSERT_NE(t, nullptr) << "qtbase_es.qm not found";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "Cancelar");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Open").toStdString(), "Abrir");

    QString filtros = ui::FilterText({{"Ficheros de extractos e impuestos (*.txt *.csv)", "*.txt *.csv"},
                                      {"Fichero (*.txt)", "*.txt"},
                                      {"(*.csv)", "*.csv"},
                                      {"Todos los archivos", "*"}});
    EXPECT_EQ(filtros.toStdString(), "Ficheros de extractos e impuestos (*.txt *.csv);;Fichero (*.txt);;(*.csv);;"
                                     "Todos los archivos (*)");

    QFileDialog dlg(nullptr, QStringLiteral("Importar Fichero"), QString(), filtros);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.resize(700, 450);
    dlg.show();
    QStringList botones;
    for (auto *b : dlg.findChildren<QPushButton *>()) {
        botones << b->text().remove('&');
    }
    EXPECT_TRUE(botones.contains(QStringLiteral("Abrir"))) << botones.join(",").toStdString();
    EXPECT_TRUE(botones.contains(QStringLiteral("Cancelar"))) << botones.join(",").toStdString();
    if (const char *shot = std::getenv("PAGOCENTRAL_SCREENSHOTS")) {
        dlg.grab().save(QString::fromUtf8(shot) + QStringLiteral("/dialogo_abrir.png"));
    }
    dlg.close();
    app.removeTranslator(t);
    delete t;
}

} // namespace
