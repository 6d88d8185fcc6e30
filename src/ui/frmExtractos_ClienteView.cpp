#include "ui/frmExtractos_ClienteView.h"

#include "ui/GridModel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace ui {

frmExtractos_ClienteView::frmExtractos_ClienteView(customers::frmExtractos_Cliente &w, QWidget *parent)
    : WindowView(w, parent), w_(w) {
    using E = customers::frmExtractos_Cliente;
    Caption(w.caption);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    auto clientes = [&w](const std::string &t) { return w.BuscarClientes(t); };
    auto recargar = [&w] { w.txtFechaF_Enter(); };
    auto *filtros = new QGridLayout();
    filtros->addWidget(Label("Estado:"), 0, 0);
    filtros->addWidget(Combo(w.cboEstado, [&w] { w.cboEstado_Click(); }), 0, 1, Qt::AlignLeft);
    filtros->addWidget(Label("Cliente:"), 0, 2);
    filtros->addWidget(Lookup(w.txtCliente, true, 6, clientes, [&w] { w.txtCliente_Change(); },
                              [&w] { w.txtCliente_Enter(); }),
                       0, 3, 1, 3);
    filtros->addWidget(Label("Fecha Inicial:"), 1, 0);
    filtros->addWidget(Date(w.txtFechaI, [&w] { w.txtFechaI_Change(); }, recargar), 1, 1, Qt::AlignLeft);
    filtros->addWidget(Label("Fecha Final:"), 1, 2);
    filtros->addWidget(Date(w.txtFechaF, [&w] { w.txtFechaF_Change(); }, recargar), 1, 3, Qt::AlignLeft);
    filtros->setColumnStretch(5, 1);
    root_->addLayout(filtros);

    GridView *grid = Grid(w.vsExtractos, "vsExtractos",
                          {.click = [&w](int r, int c) { w.vsExtractos_Click(r, c); },
                           .rowChange = [&w](int r) { w.vsExtractos_RowColChange(r); },
                           .space = [&w] { w.vsExtractos_KeySpace(); },
                           .dblClick = [&w] { w.vsExtractos_DblClick(); },
                           .header = &w.chkSelelecion_vsExtractos,
                           .headerClick = [&w] { w.chkSelelecion_vsExtractos_Click(); }},
                          {{E::colNombre, 100}});
    root_->addWidget(grid, 1);

    // The quick-entry row: Enter moves on, and in the last box saves.
    alta_ = new QGroupBox();
    auto *fila = new QHBoxLayout(alta_);
    fila->addWidget(Label("Cliente:"));
    fila->addWidget(Lookup(w.txtCliente_Insert, true, 6, clientes, [&w] { w.txtCliente_Insert_Change(); },
                           [&w] { w.txtCliente_Insert_Enter(); }),
                    1);
    fila->addWidget(Label("Fecha Cobro:"));
    fila->addWidget(Date(w.txtFecha_Insert, {}, [&w] { w.txtFecha_Insert_Enter(); }));
    fila->addWidget(Label("Contabilizar:"));
    fila->addWidget(Date(w.txtCont_Insert, {}, [&w] { w.txtCont_Insert_Enter(); }));
    root_->addWidget(alta_);

    ButtonRow({Button(w.cmdGenerarAsiento, [&w] { w.cmdGenerarAsiento_Click(); }),
               Button(w.cmdModificar, [&w] { w.cmdModificar_Click(); }),
               Button(w.cmdImprimir, [&w] { w.cmdImprimir_Click(); }), Button(w.cmdPagos, [&w] { w.cmdPagos_Click(); })},
              {Button(w.cmdEliminar, [&w] { w.cmdEliminar_Click(); }), Button(w.cmdSalir, [&w] { w.cmdSalir_Click(); })});
    FitToGrid(grid, TwipsToPixels(8400), 480);
    FirstFocus([grid] { return grid; });
}

void frmExtractos_ClienteView::Redraw() {
    // The row's title tells adding from modifying, since the boxes look the same.
    alta_->setTitle(w_.Editando() ? QStringLiteral("Modificar extracto (Esc cancela)") : QStringLiteral("Nuevo extracto"));
}

} // namespace ui
