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

namespace app {

int ComandoGui(const Args &args, int argc, char **argv) {
    QApplication qapp(argc, argv);
    ui::InstalarTraducciones(qapp);
    ui::QtShell shell;
    ui::RegisterViews();
    AbrirSesion(args, shell);
    // --customers opens the customer wing, as its own host class would.
    auto cls = host::CrearObjeto(args.Has("customers") ? "VRNXComprasPagoCentral.frmclsExtrac_Cli"
                                                        : "VRNXComprasPagoCentral.frmclsExtractos");
    auto &c = host::Contexto::Global();
    auto *lumbra = dynamic_cast<host::HostClassLumbra *>(cls.get());
    lumbra->EmpresaVarnex(c.empresaVarnex);
    lumbra->ConexionVarnex(c.conexionVarnex);
    lumbra->EmpresaLumbra(c.empresaLumbra);
    lumbra->ConexionLumbra(c.conexionLumbra);
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
                if (!front && w->isVisible() && (w->windowTitle().startsWith("Extractos") || w->windowTitle().startsWith("Facturas"))) {
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
