#include "ui/frmPedirProveedorView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {

frmPedirProveedorView::frmPedirProveedorView(lines::frmPedirProveedor &w, QWidget *parent) : WindowView(w, parent) {
    Caption(w.caption);
    auto *fila = new QHBoxLayout();
    fila->addWidget(Label(w.lblDialogo));
    LookupBox *prov = Lookup(w.txtProv, true, 6, [&w](const std::string &t) { return w.BuscarProveedores(t); },
                             [&w] { w.txtProv_Change(); }, [&w] { w.txtProv_Enter(); });
    prov->setMinimumWidth(360);
    fila->addWidget(prov, 1);
    root_->addLayout(fila);
    ButtonRow({}, {Button(w.cmdAceptar, [&w] { w.cmdAceptar_Click(); }),
                   Button(w.cmdCancelar, [&w] { w.cmdCancelar_Click(); })});
    FirstFocus([prov] { return prov->CodigoEdit(); });
}

} // namespace ui
