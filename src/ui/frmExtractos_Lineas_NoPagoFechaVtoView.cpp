#include "ui/frmExtractos_Lineas_NoPagoFechaVtoView.h"

#include "ui/LineasDateBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

QString Q(const std::string &s) { return QString::fromStdString(s); }

void Texto(QLineEdit *e, const std::string &t) {
    if (e->text() != Q(t)) {
        e->setText(Q(t));
    }
}

} // namespace

frmExtractos_Lineas_NoPagoFechaVtoView::frmExtractos_Lineas_NoPagoFechaVtoView(
    lines::frmExtractos_Lineas_NoPagoFechaVto &window, host::Shell &shell, QWidget *parent)
    : QDialog(parent), w_(window) {
    using N = lines::frmExtractos_Lineas_NoPagoFechaVto;
    auto *root = new QVBoxLayout(this);
    auto *form = new QGridLayout();
    noPago_ = new QCheckBox(Q(w_.chkNoPago.caption), this);
    lblFechaVto_ = new QLabel(Q(w_.lblFechaVto.caption), this);
    fechaVto_ = new LineasDateBox(this);
    form->addWidget(noPago_, 0, 0, 1, 2);
    form->addWidget(lblFechaVto_, 1, 0);
    form->addWidget(fechaVto_, 1, 1, Qt::AlignLeft);
    form->addWidget(new QLabel(QStringLiteral("Observaciones:"), this), 2, 0, 1, 2);
    // Room for a full remark: the box is as wide as its longest text.
    int ancho = fontMetrics().averageCharWidth() * N::kLongitudObs + 16;
    for (std::size_t k = 0; k < obs_.size(); ++k) {
        obs_[k] = new QLineEdit(this);
        obs_[k]->setMaxLength(N::kLongitudObs);
        obs_[k]->setMinimumWidth(ancho);
        form->addWidget(obs_[k], 3 + static_cast<int>(k), 0, 1, 2);
    }
    form->setColumnStretch(1, 1);
    root->addLayout(form);

    auto *botones = new QHBoxLayout();
    botones->addStretch();
    aceptar_ = new QPushButton(Q(w_.cmdAceptar.caption), this);
    cancelar_ = new QPushButton(Q(w_.cmdCancelar.caption), this);
    aceptar_->setAutoDefault(false);
    cancelar_->setAutoDefault(false);
    botones->addWidget(aceptar_);
    botones->addWidget(cancelar_);
    root->addLayout(botones);

    connect(aceptar_, &QPushButton::clicked, this, [this] {
        Accion([this] {
            Leer();
            w_.cmdAceptar_Click();
        });
    });
    connect(cancelar_, &QPushButton::clicked, this, [this] { Accion([this] { w_.cmdCancelar_Click(); }); });
    // Enter moves to the next box, as in the suite's forms.
    connect(fechaVto_, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    for (QLineEdit *e : obs_) {
        connect(e, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    }

    Refresh();
}

template <class F> void frmExtractos_Lineas_NoPagoFechaVtoView::Accion(F &&f) {
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

void frmExtractos_Lineas_NoPagoFechaVtoView::Leer() {
    w_.chkNoPago.value = noPago_->isChecked();
    w_.txtFechaVto.text = fechaVto_->Texto();
    host::TextField *campos[] = {&w_.txtObs1, &w_.txtObs2, &w_.txtObs3, &w_.txtObs4};
    for (std::size_t k = 0; k < obs_.size(); ++k) {
        campos[k]->text = obs_[k]->text().toStdString();
    }
}

void frmExtractos_Lineas_NoPagoFechaVtoView::reject() {
    if (w_.Loaded()) {
        w_.Form_KeyDown_Escape();
    }
    QDialog::reject();
}

void frmExtractos_Lineas_NoPagoFechaVtoView::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (noPago_->isVisible()) {
        noPago_->setFocus();
    } else if (fechaVto_->isVisible()) {
        fechaVto_->setFocus();
    } else {
        obs_[0]->setFocus();
    }
}

void frmExtractos_Lineas_NoPagoFechaVtoView::Refresh() {
    pintando_ = true;
    setWindowTitle(Q(w_.caption));
    noPago_->setText(Q(w_.chkNoPago.caption));
    noPago_->setChecked(w_.chkNoPago.value);
    noPago_->setVisible(w_.chkNoPago.visible);
    noPago_->setEnabled(w_.chkNoPago.enabled);
    lblFechaVto_->setText(Q(w_.lblFechaVto.caption));
    lblFechaVto_->setVisible(w_.lblFechaVto.visible);
    fechaVto_->Mostrar(w_.txtFechaVto.text);
    fechaVto_->setVisible(w_.txtFechaVto.visible);
    fechaVto_->setEnabled(w_.txtFechaVto.enabled);
    const host::TextField *campos[] = {&w_.txtObs1, &w_.txtObs2, &w_.txtObs3, &w_.txtObs4};
    for (std::size_t k = 0; k < obs_.size(); ++k) {
        Texto(obs_[k], campos[k]->text);
        obs_[k]->setEnabled(campos[k]->enabled);
    }
    aceptar_->setEnabled(w_.cmdAceptar.enabled);
    cancelar_->setEnabled(w_.cmdCancelar.enabled);
    // Only one of the check box and the date shows: the dialog shrinks to what is left.
    int visibles = (w_.chkNoPago.visible ? 1 : 0) + (w_.txtFechaVto.visible ? 2 : 0);
    if (visibles != visibles_) {
        visibles_ = visibles;
        adjustSize();
    }
    pintando_ = false;
}

QWidget *frmExtractos_Lineas_NoPagoFechaVtoView::ControlWidget(const std::string &name) {
    if (name == "chkNoPago") {
        return noPago_;
    }
    if (name == "txtFechaVto") {
        return fechaVto_;
    }
    for (std::size_t k = 0; k < obs_.size(); ++k) {
        if (name == "txtObs" + std::to_string(k + 1)) {
            return obs_[k];
        }
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
