#include "ui/Views.h"

#include "statements/frmExtractos.h"
#include "ui/QtShell.h"
#include "ui/ViewsLineas.h"
#include "ui/ViewsVinculos.h"
#include "ui/frmExtractosView.h"
#include "ui/frmExtractos_ConfirmarEliminarView.h"
#include "ui/frmImportarView.h"

#include <memory>

namespace ui {

void RegisterViews() {
    QtShell::Register("frmExtractos", [](host::Window &w, host::Shell &, QWidget *parent) {
        return std::unique_ptr<View>(new frmExtractosView(static_cast<statements::frmExtractos &>(w), parent));
    });
    QtShell::Register("frmExtractos_ConfirmarEliminar", [](host::Window &w, host::Shell &, QWidget *parent) {
        return std::unique_ptr<View>(new frmExtractos_ConfirmarEliminarView(
            static_cast<statements::frmExtractos_ConfirmarEliminar &>(w), parent));
    });
    QtShell::Register("frmImportar", [](host::Window &w, host::Shell &, QWidget *parent) {
        return std::unique_ptr<View>(new frmImportarView(static_cast<statements::frmImportar &>(w), parent));
    });
    RegisterLineasViews();
    RegisterVinculosViews();
}

} // namespace ui
