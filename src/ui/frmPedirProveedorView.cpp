#include "ui/frmPedirProveedorView.h"

#include "ui/LineasLookupBox.h"
#include "ui/Textos.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ui {

frmPedirProveedorView::frmPedirProveedorView(lines::frmPedirProveedor &window, host::Shell &shell, QWidget *parent)
    : VistaDialogo(window, parent), w_(window) {
    auto *fila = new QHBoxLayout();
    etiqueta_ = new QLabel(Q(w_.lblDialogo.caption), this);
    prov_ = new LineasLookupBox(true, 60, this);
    prov_->SetBuscar([this](const std::string &t) { return w_.BuscarProveedores(t); });
    prov_->setMinimumWidth(360);
    fila->addWidget(etiqueta_);
    fila->addWidget(prov_, 1);
    root_->addLayout(fila);

    FilaAceptarCancelar(w_, [this] { LeerProveedor(); });

    connect(prov_, &LineasLookupBox::codigoCambiado, this, [this] {
        Accion([this] {
            CopiarCodigo(prov_, w_.txtProv);
            w_.txtProv_Change();
        });
    });
    connect(prov_, &LineasLookupBox::enterPulsado, this, [this] {
        Accion([this] {
            LeerProveedor();
            w_.txtProv_Enter();
        });
    });

    Refresh();
    adjustSize();
    prov_->CodigoEdit()->setFocus();
}

void frmPedirProveedorView::LeerProveedor() {
    if (LeerCodigo(prov_, w_.txtProv)) {
        w_.txtProv_Change();
    }
}

void frmPedirProveedorView::Refresh() {
    pintando_ = true;
    setWindowTitle(Q(w_.caption));
    etiqueta_->setText(Q(w_.lblDialogo.caption));
    MostrarCodigo(prov_, w_.txtProv);
    MostrarAceptarCancelar();
    pintando_ = false;
}

QWidget *frmPedirProveedorView::ControlWidget(const std::string &name) {
    if (name == "txtProv") {
        return prov_->CodigoEdit();
    }
    return BotonAceptarCancelar(name);
}

} // namespace ui
