#include "ui/frmExtractos_Lineas_Reclamacion_VisorView.h"

#include "ui/GridView.h"

#include <QGridLayout>

namespace ui {

frmExtractos_Lineas_Reclamacion_VisorView::frmExtractos_Lineas_Reclamacion_VisorView(
    claims::frmExtractos_Lineas_Reclamacion_Visor &w, QWidget *parent)
    : WindowView(w, parent) {
    using V = claims::frmExtractos_Lineas_Reclamacion_Visor;
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    Caption(w.caption);
    auto *filtros = new QGridLayout();
    filtros->addWidget(Label(w.txtAlmacen), 0, 0);
    filtros->addWidget(Lookup(w.txtAlmacen, true, 4, [&w](const std::string &t) { return w.BuscarAlmacenes(t); },
                              [&w] { w.txtAlmacen_Change(); }, [&w] { w.txtAlmacen_KeyEnter(); }),
                       0, 1);
    filtros->addWidget(Label(w.txtProv), 0, 2);
    filtros->addWidget(Lookup(w.txtProv, true, 6, [&w](const std::string &t) { return w.BuscarProveedores(t); },
                              [&w] { w.txtProv_Change(); }, [&w] { w.txtProv_KeyEnter(); }),
                       0, 3);
    filtros->addWidget(Label(w.txtFechaI), 1, 0);
    filtros->addWidget(Date(w.txtFechaI), 1, 1, Qt::AlignLeft);
    filtros->addWidget(Label(w.txtFechaF), 1, 2);
    filtros->addWidget(Date(w.txtFechaF, {}, [&w] { w.txtFechaF_KeyEnter(); }), 1, 3, Qt::AlignLeft);
    filtros->addWidget(Label(w.cboTiposReclamacion), 2, 0);
    filtros->addWidget(Combo(w.cboTiposReclamacion), 2, 1);
    filtros->addWidget(Check(w.chkExportado, [&w] { w.chkExportado_Click(); }), 2, 3);
    filtros->setColumnStretch(1, 1);
    filtros->setColumnStretch(3, 1);
    root_->addLayout(filtros);

    GridView *grid = Grid(w.vsLineas, "vsLineas",
                          {.click = [&w](int r, int c) { w.vsLineas_Click(r, c); },
                           .rowChange = [&w](int r) { w.vsLineas_RowColChange(r); },
                           .space = [&w] { w.vsLineas_KeySpace(); },
                           .dblClick = [&w] { w.vsLineas_DblClick(); },
                           .header = &w.chkSelelecion_vsLineas,
                           .headerClick = [&w] { w.chkSelelecion_vsLineas_Click(); }},
                          {{V::colTipoNombre, 30}, {V::colAlmacenNombre, 35}, {V::colProveedorNombre, 35}});
    root_->addWidget(grid, 1);
    ButtonRow({Button(w.cmdExportar, [&w] { w.cmdExportar_Click(); }),
               Button(w.cmdMarcarExportado, [&w] { w.cmdMarcarExportado_Click(); }),
               Button(w.cmdVerReclamacion, [&w] { w.cmdVerReclamacion_Click(); }),
               Button(w.cmdImprimir, [&w] { w.cmdImprimir_Click(); })},
              {Button(w.cmdSalir, [&w] { w.cmdSalir_Click(); })});
    FitToGrid(grid, 1100, 560);
    FirstFocus([grid] { return grid; });
}

} // namespace ui
