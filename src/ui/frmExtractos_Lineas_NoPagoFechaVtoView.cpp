#include "ui/frmExtractos_Lineas_NoPagoFechaVtoView.h"

#include "ui/LineasDateBox.h"
#include "ui/Textos.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ui {

frmExtractos_Lineas_NoPagoFechaVtoView::frmExtractos_Lineas_NoPagoFechaVtoView(
    lines::frmExtractos_Lineas_NoPagoFechaVto &window, host::Shell &shell, QWidget *parent)
    : VistaDialogo(window, parent), w_(window) {
    using N = lines::frmExtractos_Lineas_NoPagoFechaVto;
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
    root_->addLayout(form);

    FilaAceptarCancelar(w_, [this] { Leer(); });

    // Enter moves to the next box, as in the suite's forms.
    connect(fechaVto_, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    for (QLineEdit *e : obs_) {
        connect(e, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
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
    MostrarAceptarCancelar();
    // Only one of the check box and the date shows: the dialog shrinks to what is left.
    AjustarSiCambia((w_.chkNoPago.visible ? 1 : 0) + (w_.txtFechaVto.visible ? 2 : 0));
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
    return BotonAceptarCancelar(name);
}

} // namespace ui
