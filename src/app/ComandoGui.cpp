#include "app/ComandoGui.h"

#include "app/Sesion.h"
#include "host/Contexto.h"
#include "host/classes/HostClass.h"
#include "statements/frmExtractos.h"
#include "ui/QtShell.h"
#include "ui/Traducciones.h"
#include "ui/Views.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace app {

int ComandoGui(const Args &args, int argc, char **argv) {
    QApplication qapp(argc, argv);
    ui::InstalarTraducciones(qapp);
    ui::QtShell shell;
    ui::RegisterViews();
    AbrirSesion(args, shell);
    // --window claims opens the claims viewer, --window customers (or --customers) the customer
    // wing, as the host does through their own classes.
    std::string ventana = args.Has("customers") ? "customers" : args.Get("window", "statements");
    if (ventana != "statements" && ventana != "claims" && ventana != "customers") {
        std::fprintf(stderr, "--window espera statements, claims o customers\n");
        return 2;
    }
    bool visor = ventana == "claims";
    auto cls = host::CrearObjeto(visor                     ? "VRNXComprasPagoCentral.frmclsVisor_Rec"
                                 : ventana == "customers" ? "VRNXComprasPagoCentral.frmclsExtrac_Cli"
                                                          : "VRNXComprasPagoCentral.frmclsExtractos");
    auto &c = host::Contexto::Global();
    cls->EmpresaVarnex(c.empresaVarnex);
    cls->ConexionVarnex(c.conexionVarnex);
    if (auto *lumbra = dynamic_cast<host::HostClassLumbra *>(cls.get())) {
        lumbra->EmpresaLumbra(c.empresaLumbra);
        lumbra->ConexionLumbra(c.conexionLumbra);
    }
    cls->Show();
    if (!shell.ShowTop(*cls->Ventana())) {
        return 1;
    }
    if (args.Has("lines")) {
        // Opens the lines window of one statement, W:CODE, as "&Pagos" on its row would.
        std::string clave = args.Get("lines");
        QTimer::singleShot(0, [clave, &cls] {
            auto *w = dynamic_cast<statements::frmExtractos *>(cls->Ventana());
            std::size_t colon = clave.find(':');
            for (int r = 1; w && colon != std::string::npos && r <= w->vsExtractos.DataRows(); ++r) {
                if (w->vsExtractos.Text(r, statements::frmExtractos::colAlmacen) == clave.substr(0, colon) &&
                    w->vsExtractos.Text(r, statements::frmExtractos::colExtracto) == clave.substr(colon + 1)) {
                    w->vsExtractos_RowColChange(r);
                    w->cmdPagos_Click();
                    return;
                }
            }
        });
    }
    if (args.Has("screenshot")) {
        // For documentation: saves the window in front as the user sees it, then ends.
        std::string file = args.Get("screenshot");
        QTimer::singleShot(args.Has("lines") ? 1200 : 400, [&, file] {
            QWidget *front = QApplication::activeModalWidget();
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (!front && w->isVisible() &&
                    (w->windowTitle().startsWith("Extractos") || w->windowTitle().startsWith("Visor") ||
                     w->windowTitle().startsWith("Facturas"))) {
                    front = w;
                }
            }
            if (front) {
                front->grab().save(QString::fromStdString(file));
            }
            qapp.quit();
        });
    }
    int rc = qapp.exec();
    cls.reset();
    return rc;
}

} // namespace app
