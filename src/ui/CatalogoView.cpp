#include "ui/CatalogoView.h"

#include <QGridLayout>

namespace ui {

CatalogoView::CatalogoView(catalogues::Catalogo &w, QWidget *parent) : WindowView(w, [&w] { w.cmdSalir_Click(); }, parent) {
    Caption(w.caption);
    // The name takes the room the window gives beyond the columns' widths.
    GridView *grid = Grid(w.vsLineas, "vsLineas",
                          {.rowChange = [&w](int row) { w.vsLineas_RowColChange(row); },
                           .dblClick = [this, &w] { Run([&w] { w.cmdModificar_Click(); }); }},
                          {{catalogues::Catalogo::colNombre, 100}});
    root_->addWidget(grid, 1);
    ButtonRow({Button(w.cmdAgregar, [&w] { w.cmdAgregar_Click(); }),
               Button(w.cmdModificar, [&w] { w.cmdModificar_Click(); }),
               Button(w.cmdEliminar, [&w] { w.cmdEliminar_Click(); }),
               Button(w.cmdImprimir, [&w] { w.cmdImprimir_Click(); })},
              {Button(w.cmdSalir, [&w] { w.cmdSalir_Click(); })});
    Key(Qt::Key_Insert, [&w] { w.cmdAgregar_Click(); });
    Key(Qt::Key_Delete, [&w] { w.cmdEliminar_Click(); });
    FitToGrid(grid, 520, 420);
    FirstFocus([grid] { return grid; });
}

CatalogoDatosView::CatalogoDatosView(catalogues::CatalogoDatos &w, QWidget *parent) : WindowView(w, parent) {
    Caption(w.caption);
    auto *form = new QGridLayout();
    QLineEdit *codigo = Text(w.txtCodigo);
    codigo->setMaxLength(6);
    codigo->setMaximumWidth(fontMetrics().averageCharWidth() * 10 + 16);
    form->addWidget(Label(w.txtCodigo), 0, 0);
    form->addWidget(codigo, 0, 1, Qt::AlignLeft);
    QLineEdit *nombre = Text(w.txtNombre);
    nombre->setMaxLength(100);
    nombre->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    form->addWidget(Label(w.txtNombre), 1, 0);
    form->addWidget(nombre, 1, 1);
    if (w.txtTipo.visible) {
        QLineEdit *tipo = Text(w.txtTipo);
        tipo->setMaxLength(10);
        tipo->setMaximumWidth(fontMetrics().averageCharWidth() * 12 + 16);
        form->addWidget(Label(w.txtTipo), 2, 0);
        form->addWidget(tipo, 2, 1, Qt::AlignLeft);
    }
    form->setColumnStretch(1, 1);
    root_->addLayout(form);
    ButtonRow({}, {Button(w.cmdAceptar, [&w] { w.cmdAceptar_Click(); }),
                   Button(w.cmdCancelar, [&w] { w.cmdCancelar_Click(); })});
    FirstFocus([this, codigo, nombre, &w]() -> QWidget * { return w.txtCodigo.locked ? nombre : codigo; });
}

} // namespace ui
