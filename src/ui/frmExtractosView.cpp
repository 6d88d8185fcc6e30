#include "ui/frmExtractosView.h"

#include "ui/DateBox.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

frmExtractosView::frmExtractosView(statements::frmExtractos &w, QWidget *parent) : WindowView(w, parent) {
    using E = statements::frmExtractos;
    setWindowTitle(QString::fromUtf8("Extractos de Pagos Centralizados"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    // Enter in the end date or the statement box reloads, as a new state does.
    auto recargar = [&w] { w.txtFechaF_Enter(); };
    auto *filtros = new QGridLayout();
    filtros->addWidget(Label("Almacén:"), 0, 0);
    filtros->addWidget(Lookup(w.txtAlmacen, true, 4, [&w](const std::string &t) { return w.BuscarAlmacenes(t); },
                              [&w] { w.txtAlmacen_Change(); },
                              [&w] {
                                  w.txtAlmacen_Enter();
                                  w.txtFechaF_Enter();
                              }),
                       0, 1);
    filtros->addWidget(Label("Extracto:"), 0, 2);
    filtros->addWidget(Text(w.txtNumExtracto, {}, recargar), 0, 3);
    filtros->addWidget(Label("Fecha Inicial:"), 1, 0);
    filtros->addWidget(Date(w.txtFechaI, [&w] { w.txtFechaI_Change(); }), 1, 1, Qt::AlignLeft);
    filtros->addWidget(Label("Fecha Final:"), 1, 2);
    filtros->addWidget(Date(w.txtFechaF, [&w] { w.txtFechaF_Change(); }, recargar), 1, 3, Qt::AlignLeft);
    filtros->addWidget(Label("Estado:"), 1, 4);
    filtros->addWidget(Combo(w.cboEstado, [&w] { w.cboEstado_Click(); }), 1, 5);
    filtros->setColumnStretch(1, 1);
    filtros->setColumnStretch(6, 1);
    root_->addLayout(filtros);

    // The grid's extra width goes 60 % to the warehouse name and 40 % to the statement code.
    GridView *grid = Grid(w.vsExtractos, "vsExtractos",
                          {.click = [&w](int r, int c) { w.vsExtractos_Click(r, c); },
                           .rowChange = [&w](int r) { w.vsExtractos_RowColChange(r); },
                           .space = [&w] { w.vsExtractos_KeySpace(); },
                           .dblClick = [&w] { w.vsExtractos_DblClick(); },
                           .header = &w.chkSelelecion_vsExtractos,
                           .headerClick = [&w] { w.chkSelelecion_vsExtractos_Click(); }},
                          {{E::colNombreAlmacen, 60}, {E::colExtracto, 40}});
    root_->addWidget(grid, 1);

    ButtonRow({Button(w.cmdImportar, [&w] { w.cmdImportar_Click(); }), Button(w.cmdPagos, [&w] { w.cmdPagos_Click(); }),
               Button(w.cmdCasacionAut, [&w] { w.cmdCasacionAut_Click(); }), Button(w.cmdExportar, [&w] { w.cmdExportar_Click(); }),
               Button(w.cmdGenerarAsiento, [&w] { w.cmdGenerarAsiento_Click(); })},
              {Button(w.cmdImprimir, [&w] { w.cmdImprimir_Click(); }), Button(w.cmdEliminar, [&w] { w.cmdEliminar_Click(); }),
               Button(w.cmdSalir, [&w] { w.cmdSalir_Click(); })});
    FitToGrid(grid, TwipsToPixels(14200), 520);
    FirstFocus([grid] { return grid; });
}

} // namespace ui
