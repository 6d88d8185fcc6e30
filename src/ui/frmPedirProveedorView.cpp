#include "ui/frmPedirProveedorView.h"

#include "lines/Comun.h"
#include "ui/LineasLookupBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

QString Q(const std::string &s) { return QString::fromStdString(s); }

} // namespace

frmPedirProveedorView::frmPedirProveedorView(lines::frmPedirProveedor &window, host::Shell &shell, QWidget *parent)
    : QDialog(parent), w_(window) {
    auto *root = new QVBoxLayout(this);
    auto *fila = new QHBoxLayout();
    etiqueta_ = new QLabel(Q(w_.lblDialogo.caption), this);
    prov_ = new LineasLookupBox(true, 60, this);
    prov_->SetBuscar([this](const std::string &t) { return w_.BuscarProveedores(t); });
    prov_->setMinimumWidth(360);
    fila->addWidget(etiqueta_);
    fila->addWidget(prov_, 1);
    root->addLayout(fila);

    auto *botones = new QHBoxLayout();
    botones->addStretch();
    aceptar_ = new QPushButton(Q(w_.cmdAceptar.caption), this);
    cancelar_ = new QPushButton(Q(w_.cmdCancelar.caption), this);
    aceptar_->setAutoDefault(false);
    cancelar_->setAutoDefault(false);
    botones->addWidget(aceptar_);
    botones->addWidget(cancelar_);
    root->addLayout(botones);

    connect(prov_, &LineasLookupBox::codigoCambiado, this, [this] {
        Accion([this] {
            w_.txtProv.text = prov_->Codigo();
            w_.txtProv.code = lines::comun::Numero(w_.txtProv.text);
            w_.txtProv_Change();
        });
    });
    connect(prov_, &LineasLookupBox::enterPulsado, this, [this] {
        Accion([this] {
            LeerProveedor();
            w_.txtProv_Enter();
        });
    });
    connect(aceptar_, &QPushButton::clicked, this, [this] {
        Accion([this] {
            LeerProveedor();
            w_.cmdAceptar_Click();
        });
    });
    connect(cancelar_, &QPushButton::clicked, this, [this] { Accion([this] { w_.cmdCancelar_Click(); }); });

    Refresh();
    adjustSize();
    prov_->CodigoEdit()->setFocus();
}

template <class F> void frmPedirProveedorView::Accion(F &&f) {
    if (pintando_) {
        return;
    }
    f();
    if (!w_.Loaded()) {
        if (w_.aceptado) {
            QDialog::accept();
        } else {
            QDialog::reject();
        }
        return;
    }
    Refresh();
}

void frmPedirProveedorView::LeerProveedor() {
    long code = lines::comun::Numero(prov_->Codigo());
    if (prov_->Codigo() != w_.txtProv.text || code != w_.txtProv.code) {
        w_.txtProv.text = prov_->Codigo();
        w_.txtProv.code = code;
        w_.txtProv_Change();
    }
}

void frmPedirProveedorView::reject() {
    if (w_.Loaded()) {
        w_.Form_KeyDown_Escape();
    }
    QDialog::reject();
}

void frmPedirProveedorView::Refresh() {
    pintando_ = true;
    setWindowTitle(Q(w_.caption));
    etiqueta_->setText(Q(w_.lblDialogo.caption));
    prov_->Mostrar(w_.txtProv.code >= 1 ? std::to_string(w_.txtProv.code) : "", w_.txtProv.descripcion,
                   w_.txtProv.enabled, w_.txtProv.locked);
    aceptar_->setEnabled(w_.cmdAceptar.enabled);
    cancelar_->setEnabled(w_.cmdCancelar.enabled);
    pintando_ = false;
}

QWidget *frmPedirProveedorView::ControlWidget(const std::string &name) {
    if (name == "txtProv") {
        return prov_->CodigoEdit();
    }
    if (name == "cmdAceptar") {
        return aceptar_;
    }
    if (name == "cmdCancelar") {
        return cancelar_;
    }
    return nullptr;
}

} // namespace ui
