#include "ui/frmExtractos_Lineas_VinculosView.h"

#include "ui/GridView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {

frmExtractos_Lineas_VinculosView::frmExtractos_Lineas_VinculosView(lines::frmExtractos_Lineas_Vinculos &w,
                                                                   QWidget *parent)
    : VinculosView(w, parent) {
    auto *filtros = new QHBoxLayout();
    Fechas(filtros, [&w] { w.txtDesde_Change(); }, [&w] { w.txtHasta_Change(); }, [&w] { w.txtHasta_Enter(); });
    filtros->addSpacing(16);
    filtros->addWidget(Label(w.txtAlmacen));
    filtros->addWidget(Lookup(w.txtAlmacen, true, 4, [&w](const std::string &t) { return w.BuscarAlmacenes(t); },
                              [&w] { w.txtAlmacen_Change(); }, [&w] { w.txtAlmacen_Enter(); }),
                       1);
    filtros->addSpacing(16);
    filtros->addWidget(Label(w.txtProv));
    filtros->addWidget(Lookup(w.txtProv, true, 6, {}), 2);
    root_->addLayout(filtros);

    GridView *grid = Tabla({.dblClick = [&w] { w.vsLineas_DblClick(); }}, lines::frmExtractos_Lineas_Vinculos::colNombreAlmacen);
    grid->setToolTip(QStringLiteral("Doble clic: imprimir la compra"));
    ButtonRow({Button(w.cmdVincular, [&w] { w.cmdVincular_Click(); }),
               Button(w.cmdDesvincular, [&w] { w.cmdDesvincular_Click(); }),
               Button(w.cmdImprimir, [&w] { w.cmdImprimir_Click(); })},
              {Button(w.cmdSalir, [&w] { w.cmdSalir_Click(); })});
    Key(Qt::Key_F9, [&w] { w.Form_KeyDown_F9(); });
    Key(Qt::Key_F12, [&w] { w.Form_KeyDown_F12(); });
    FitToGrid(grid, 1000, 520);
    FirstFocus([grid] { return grid; });
}

} // namespace ui
