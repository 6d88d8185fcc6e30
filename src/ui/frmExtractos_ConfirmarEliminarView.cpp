#include "ui/frmExtractos_ConfirmarEliminarView.h"

#include "ui/DateBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {

frmExtractos_ConfirmarEliminarView::frmExtractos_ConfirmarEliminarView(statements::frmExtractos_ConfirmarEliminar &w,
                                                                       QWidget *parent)
    : WindowView(w, parent) {
    setWindowTitle(QString::fromUtf8("¡ Atención !"));
    QLabel *titulo = Label("Confirmación para eliminar Extracto");
    QFont f = titulo->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    titulo->setFont(f);
    root_->addWidget(titulo);
    auto *fila = new QHBoxLayout();
    fila->addWidget(Label("Si está seguro introduzca fecha actual:"));
    // Enter in the date accepts, whatever it holds: the controller says what is wrong with it.
    DateBox *fecha = Date(w.txtFecha, {}, [&w] { w.cmdAceptar_Click(); });
    fila->addWidget(fecha);
    root_->addLayout(fila);
    ButtonRow({}, {Button(w.cmdAceptar, [&w] { w.cmdAceptar_Click(); }),
                   Button(w.cmdCancelar, [&w] { w.cmdCancelar_Click(); })});
    FirstFocus([fecha] { return fecha; });
}

} // namespace ui
