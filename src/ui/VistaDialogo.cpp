#include "ui/VistaDialogo.h"

#include "lines/Comun.h"
#include "ui/LineasLookupBox.h"
#include "ui/Textos.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

VistaDialogo::VistaDialogo(host::Window &ventana, QWidget *parent) : QDialog(parent), ventana_(ventana) {
    root_ = new QVBoxLayout(this);
}

void VistaDialogo::Accion(const std::function<void()> &accion) {
    if (pintando_) {
        return;
    }
    AntesDeAccion();
    accion();
    if (!ventana_.Loaded()) {
        if (Aceptado()) {
            QDialog::accept();
        } else {
            QDialog::reject();
        }
        return;
    }
    Refresh();
}

void VistaDialogo::reject() {
    if (ventana_.Loaded()) {
        AntesDeAccion();
        Escape();
    }
    QDialog::reject();
}

void VistaDialogo::CrearAceptarCancelar(const host::Button &aceptar, std::function<void()> alAceptar,
                                        const host::Button &cancelar, std::function<void()> alCancelar) {
    bAceptar_ = &aceptar;
    bCancelar_ = &cancelar;
    auto *botones = new QHBoxLayout();
    botones->addStretch();
    aceptar_ = new QPushButton(Q(aceptar.caption), this);
    cancelar_ = new QPushButton(Q(cancelar.caption), this);
    aceptar_->setAutoDefault(false);
    cancelar_->setAutoDefault(false);
    botones->addWidget(aceptar_);
    botones->addWidget(cancelar_);
    root_->addLayout(botones);
    connect(aceptar_, &QPushButton::clicked, this, [this, f = std::move(alAceptar)] { Accion(f); });
    connect(cancelar_, &QPushButton::clicked, this, [this, f = std::move(alCancelar)] { Accion(f); });
}

void VistaDialogo::MostrarAceptarCancelar() {
    aceptar_->setEnabled(bAceptar_->enabled);
    cancelar_->setEnabled(bCancelar_->enabled);
}

QWidget *VistaDialogo::BotonAceptarCancelar(const std::string &name) const {
    if (name == "cmdAceptar") {
        return aceptar_;
    }
    if (name == "cmdCancelar") {
        return cancelar_;
    }
    return nullptr;
}

void VistaDialogo::AjustarSiCambia(int forma) {
    if (forma != forma_) {
        forma_ = forma;
        adjustSize();
    }
}

void MostrarCodigo(LineasLookupBox *box, const host::LookupField &campo) {
    box->Mostrar(campo.code >= 1 ? std::to_string(campo.code) : "", campo.descripcion, campo.enabled, campo.locked);
}

void CopiarCodigo(const LineasLookupBox *box, host::LookupField &campo) {
    campo.text = box->Codigo();
    campo.code = lines::comun::Numero(campo.text);
}

bool LeerCodigo(const LineasLookupBox *box, host::LookupField &campo) {
    if (box->Codigo() == campo.text && lines::comun::Numero(box->Codigo()) == campo.code) {
        return false;
    }
    CopiarCodigo(box, campo);
    return true;
}

} // namespace ui
