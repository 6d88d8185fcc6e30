#include "app/ComandoGui.h"

#include "app/Sesion.h"
#include "host/Contexto.h"
#include "host/classes/HostClass.h"
#include "ui/QtShell.h"
#include "ui/Views.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace app {

int ComandoGui(const Args &args, int argc, char **argv) {
    QApplication qapp(argc, argv);
    ui::QtShell shell;
    ui::RegisterViews();
    AbrirSesion(args, shell);
    auto cls = host::CrearObjeto("VRNXComprasPagoCentral.frmclsExtractos");
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
    if (args.Has("screenshot")) {
        // For documentation: saves the window as the user sees it, then ends.
        std::string file = args.Get("screenshot");
        QTimer::singleShot(400, [&, file] {
            QApplication::topLevelWidgets();
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w->isVisible() && w->windowTitle().startsWith("Extractos")) {
                    w->grab().save(QString::fromStdString(file));
                }
            }
            qapp.quit();
        });
    }
    int rc = qapp.exec();
    cls.reset();
    return rc;
}

} // namespace app
