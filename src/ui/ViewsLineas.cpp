#include "ui/ViewsLineas.h"

#include "ui/QtShell.h"
#include "ui/frmExtractos_LineasView.h"
#include "ui/frmExtractos_Lineas_DatosView.h"

#include <memory>

namespace ui {

void RegisterLineasViews() {
    QtShell::Register("frmExtractos_Lineas", [](host::Window &w, host::Shell &shell, QWidget *parent) {
        return std::unique_ptr<View>(
            new frmExtractos_LineasView(static_cast<lines::frmExtractos_Lineas &>(w), shell, parent));
    });
    QtShell::Register("frmExtractos_Lineas_Datos", [](host::Window &w, host::Shell &shell, QWidget *parent) {
        return std::unique_ptr<View>(
            new frmExtractos_Lineas_DatosView(static_cast<lines::frmExtractos_Lineas_Datos &>(w), shell, parent));
    });
}

} // namespace ui
