#include "ui/frmExtractos_Lineas_NoPagoFechaVtoView.h"

#include "ui/DateBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ui {

frmExtractos_Lineas_NoPagoFechaVtoView::frmExtractos_Lineas_NoPagoFechaVtoView(
    lines::frmExtractos_Lineas_NoPagoFechaVto &w, QWidget *parent)
    : WindowView(w, parent), w_(w) {
    using N = lines::frmExtractos_Lineas_NoPagoFechaVto;
    Caption(w.caption);
    auto *form = new QGridLayout();
    QCheckBox *noPago = Check(w.chkNoPago);
    form->addWidget(noPago, 0, 0, 1, 2);
    form->addWidget(Label(w.lblFechaVto), 1, 0);
    DateBox *fecha = Date(w.txtFechaVto);
    form->addWidget(fecha, 1, 1, Qt::AlignLeft);
    form->addWidget(Label(w.txtObs1), 2, 0, 1, 2);
    int fila = 3;
    for (host::TextField *obs : {&w.txtObs1, &w.txtObs2, &w.txtObs3, &w.txtObs4}) {
        QLineEdit *e = Text(*obs);
        // Room for a full remark: the box is as wide as its longest text.
        e->setMaxLength(N::kLongitudObs);
        e->setMinimumWidth(fontMetrics().averageCharWidth() * N::kLongitudObs + 16);
        form->addWidget(e, fila++, 0, 1, 2);
    }
    form->setColumnStretch(1, 1);
    root_->addLayout(form);
    ButtonRow({}, {Button(w.cmdAceptar, [&w] { w.cmdAceptar_Click(); }),
                   Button(w.cmdCancelar, [&w] { w.cmdCancelar_Click(); })});
    FirstFocus([this, noPago, fecha]() -> QWidget * {
        if (w_.chkNoPago.visible) {
            return noPago;
        }
        return w_.txtFechaVto.visible ? fecha : ControlWidget("txtObs1");
    });
}

void frmExtractos_Lineas_NoPagoFechaVtoView::Redraw() {
    // Only one of the check box and the date shows: the dialog shrinks to what is left.
    FitWhenChanged((w_.chkNoPago.visible ? 1 : 0) + (w_.txtFechaVto.visible ? 2 : 0));
}

} // namespace ui
