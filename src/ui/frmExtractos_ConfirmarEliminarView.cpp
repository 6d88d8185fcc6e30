#include "ui/frmExtractos_ConfirmarEliminarView.h"

#include "ui/LineasDateBox.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

frmExtractos_ConfirmarEliminarView::frmExtractos_ConfirmarEliminarView(
    statements::frmExtractos_ConfirmarEliminar &w, QWidget *parent)
    : QDialog(parent), w_(w) {
    setWindowTitle(QString::fromUtf8("¡ Atención !"));
    auto *root = new QVBoxLayout(this);
    auto *titulo = new QLabel(QString::fromUtf8("Confirmación para eliminar Extracto"), this);
    QFont f = titulo->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    titulo->setFont(f);
    root->addWidget(titulo);
    auto *fila = new QHBoxLayout();
    fila->addWidget(new QLabel(QString::fromUtf8("Si está seguro introduzca fecha actual:"), this));
    fecha_ = new LineasDateBox(this);
    fecha_->setMaximumWidth(110);
    fila->addWidget(fecha_);
    root->addLayout(fila);
    auto *botones = new QHBoxLayout();
    botones->addStretch(1);
    aceptar_ = new QPushButton(QString::fromStdString(w_.cmdAceptar.caption), this);
    cancelar_ = new QPushButton(QString::fromStdString(w_.cmdCancelar.caption), this);
    aceptar_->setDefault(true);
    botones->addWidget(aceptar_);
    botones->addWidget(cancelar_);
    root->addLayout(botones);

    connect(aceptar_, &QPushButton::clicked, this, [this] {
        Accion([this] {
            w_.txtFecha.text = fecha_->Texto();
            w_.cmdAceptar_Click();
        });
    });
    connect(cancelar_, &QPushButton::clicked, this, [this] { Accion([this] { w_.cmdCancelar_Click(); }); });
    connect(fecha_, &QLineEdit::returnPressed, aceptar_, &QPushButton::click);
    fecha_->setFocus();
}

template <class F> void frmExtractos_ConfirmarEliminarView::Accion(F &&f) {
    f();
    if (!w_.Loaded()) {
        if (w_.confirmado) {
            QDialog::accept();
        } else {
            QDialog::reject();
        }
    }
}

void frmExtractos_ConfirmarEliminarView::Refresh() { fecha_->Mostrar(w_.txtFecha.text); }

QWidget *frmExtractos_ConfirmarEliminarView::ControlWidget(const std::string &name) {
    if (name == "cmdAceptar") {
        return aceptar_;
    }
    if (name == "cmdCancelar") {
        return cancelar_;
    }
    return fecha_;
}

void frmExtractos_ConfirmarEliminarView::reject() {
    // Escape and the title bar's close button cancel, as "&Cancelar" does.
    if (w_.Loaded()) {
        w_.Form_KeyDown_Escape();
    }
    QDialog::reject();
}

} // namespace ui
