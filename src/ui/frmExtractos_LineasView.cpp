#include "ui/frmExtractos_LineasView.h"

#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/Textos.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

namespace ui {

frmExtractos_LineasView::frmExtractos_LineasView(lines::frmExtractos_Lineas &w, QWidget *parent)
    : WindowView(w, parent), w_(w) {
    using L = lines::frmExtractos_Lineas;
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    Caption(w.caption);
    auto proveedores = [&w](const std::string &t) { return w.BuscarProveedores(t); };
    auto *fechas = new QHBoxLayout();
    fechas->addWidget(Date(w.txtFechaI, [&w] { w.txtFechaI_Change(); }));
    fechas->addWidget(Date(w.txtFechaF, [&w] { w.txtFechaF_Change(); }, [&w] { w.txtFechaF_Enter(); }));
    fechas->addStretch();
    auto *filtros = new QGridLayout();
    filtros->addWidget(Label(w.txtFechaI), 0, 0);
    filtros->addLayout(fechas, 0, 1);
    filtros->addWidget(Label(w.txtProv), 0, 2);
    filtros->addWidget(Lookup(w.txtProv, true, 6, proveedores, [&w] { w.txtProv_Change(); }, [&w] { w.txtProv_Enter(); }),
                       0, 3);
    filtros->addWidget(Label(w.txtAlmacen), 0, 4);
    filtros->addWidget(Lookup(w.txtAlmacen, true, 4, {}), 0, 5);
    filtros->addWidget(Label(w.txtDocumento), 1, 0);
    filtros->addWidget(Text(w.txtDocumento), 1, 1);
    filtros->addWidget(Label(w.txtDocumentoCentral), 1, 2);
    filtros->addWidget(Text(w.txtDocumentoCentral), 1, 3);
    filtros->addWidget(Label(w.txtImporte), 1, 4);
    QLineEdit *importe = Text(w.txtImporte, {}, [&w] { w.txtImporte_Enter(); });
    importe->setAlignment(Qt::AlignRight);
    importe->setToolTip(QStringLiteral("Intro busca la siguiente línea con este importe"));
    filtros->addWidget(importe, 1, 5);
    filtros->setColumnStretch(3, 2);
    filtros->setColumnStretch(5, 1);
    root_->addLayout(filtros);

    // The supplier's name takes the room the window gives to the grid.
    grid_ = Grid(w.vsLineas, "vsLineas",
                 {.click = [&w](int r, int c) { w.vsLineas_Click(r, c); },
                  .rowChange = [&w](int r) { w.vsLineas_RowColChange(r); },
                  .space = [&w] { w.vsLineas_KeySpace(); },
                  .dblClick = [&w] { w.vsLineas_DblClick(); },
                  .header = &w.chkSelelecion_vsLineas,
                  .headerClick = [&w] { w.chkSelelecion_vsLineas_Click(); }},
                 {{L::colNombreProveedor, 100}});
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, &frmExtractos_LineasView::MostrarMenu);
    root_->addWidget(grid_, 1);

    ButtonRow({Button(w.cmdAgregar, [&w] { w.cmdAgregar_Click(); }),
               Button(w.cmdModificar, [&w] { w.cmdModificar_Click(); }),
               Button(w.cmdEliminar, [&w] { w.cmdEliminar_Click(); }),
               Button(w.cmdVincular, [&w] { w.cmdVincular_Click(); }),
               Button(w.cmdAgregarFactura, [&w] { w.cmdAgregarFactura_Click(); }),
               Button(w.cmdReclamar, [&w] { w.cmdReclamar_Click(); })},
              {Button(w.cmdImprimir, [&w] { w.cmdImprimir_Click(); }), Button(w.cmdVolver, [&w] { w.cmdVolver_Click(); })});
    Key(Qt::Key_F9, [&w] { w.Form_KeyDown_F9(); });
    FitToGrid(grid_, 1100, 640);
    FirstFocus([this] { return grid_; });
}

void frmExtractos_LineasView::MostrarMenu(const QPoint &pos) {
    QModelIndex i = grid_->indexAt(pos);
    if (i.isValid() && i.row() + 1 != w_.vsLineas.row) {
        Run([&] { w_.vsLineas_RowColChange(i.row() + 1); });
    }
    if (!w_.vsLineas_MouseDownRight()) {
        return;
    }
    QMenu menu(this);
    for (const auto &e : w_.Popup) {
        QAction *a = menu.addAction(Q(e.caption));
        a->setEnabled(e.enabled);
        a->setData(e.id);
    }
    if (QAction *a = menu.exec(grid_->viewport()->mapToGlobal(pos))) {
        int id = a->data().toInt();
        Run([&] { w_.CommandBars_Execute(id); });
    }
}

} // namespace ui
