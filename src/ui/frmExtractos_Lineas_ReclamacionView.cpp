#include "ui/frmExtractos_Lineas_ReclamacionView.h"

#include "ui/Estilos.h"
#include "ui/GridView.h"

#include <QHBoxLayout>
#include <QLabel>

namespace ui {

frmExtractos_Lineas_ReclamacionView::frmExtractos_Lineas_ReclamacionView(claims::frmExtractos_Lineas_Reclamacion &w,
                                                                         QWidget *parent)
    : WindowView(w, parent), w_(w) {
    using R = claims::frmExtractos_Lineas_Reclamacion;
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    Caption(w.caption);
    GridView *grid = Grid(w.vsLineas, "vsLineas",
                          {.click = [&w](int r, int c) { w.vsLineas_Click(r, c); },
                           .rowChange = [&w](int r) { w.vsLineas_RowColChange(r); },
                           .space = [&w] { w.vsLineas_KeySpace(); },
                           .dblClick = [&w] { w.vsLineas_DblClick(); },
                           .header = &w.chkSelelecion_vsLineas,
                           .headerClick = [&w] { w.chkSelelecion_vsLineas_Click(); }},
                          {{R::colTipoNombre, 40}, {R::colAlmacenNombre, 30}, {R::colProveedorNombre, 30}});
    root_->addWidget(grid, 1);
    auto *resto = new QHBoxLayout();
    resto->addStretch();
    resto->addWidget(Label(w.lblCantidadMaxRec));
    resto->addWidget(Cifra(Label(w.lblCantidadMaximaReclamar)));
    root_->addLayout(resto);
    ButtonRow({Button(w.cmdAgregar, [&w] { w.cmdAgregar_Click(); }),
               Button(w.cmdModificar, [&w] { w.cmdModificar_Click(); }),
               Button(w.cmdEliminar, [&w] { w.cmdEliminar_Click(); }),
               Button(w.cmdVerReclamacion, [&w] { w.cmdVerReclamacion_Click(); })},
              {Button(w.cmdVolver, [&w] { w.cmdVolver_Click(); })});
    FitToGrid(grid, 900, 420);
    FirstFocus([grid] { return grid; });
}

void frmExtractos_Lineas_ReclamacionView::reject() {
    // Closed only when the controller let itself unload. From the close box this runs inside the
    // close event, where Run's own close does not take: the dialog is hidden here then.
    Run([this] { w_.Form_QueryUnload(); });
    if (!w_.Loaded() && isVisible()) {
        QDialog::reject();
    }
}

} // namespace ui
