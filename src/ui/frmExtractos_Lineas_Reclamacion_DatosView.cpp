#include "ui/frmExtractos_Lineas_Reclamacion_DatosView.h"

#include "ui/Estilos.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>

namespace ui {

namespace {

// Runs `accion` on Enter (returning true: the key is used) or when the widget loses the focus.
class Aviso : public QObject {
  public:
    Aviso(QWidget *w, QEvent::Type tipo, std::function<void()> accion)
        : QObject(w), tipo_(tipo), accion_(std::move(accion)) {
        w->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject *, QEvent *e) override {
        if (tipo_ == QEvent::KeyPress && e->type() == QEvent::KeyPress) {
            int k = static_cast<QKeyEvent *>(e)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter) {
                accion_();
                return true;
            }
        } else if (tipo_ == QEvent::FocusOut && e->type() == QEvent::FocusOut) {
            accion_();
        }
        return false;
    }

  private:
    QEvent::Type tipo_;
    std::function<void()> accion_;
};

} // namespace

frmExtractos_Lineas_Reclamacion_DatosView::frmExtractos_Lineas_Reclamacion_DatosView(
    claims::frmExtractos_Lineas_Reclamacion_Datos &w, QWidget *parent)
    : WindowView(w, parent) {
    Caption(w.caption);
    auto enter = [this](QWidget *c, std::function<void()> f) { new Aviso(c, QEvent::KeyPress, [this, f] { Run(f); }); };
    auto *form = new QGridLayout();
    int r = 0;
    form->addWidget(Label(w.cboTiposReclamacion), r, 0);
    QComboBox *tipos = Combo(w.cboTiposReclamacion, [&w] { w.cboTiposReclamacion_Click(); });
    enter(tipos, [&w] { w.cboTiposReclamacion_KeyEnter(); });
    form->addWidget(tipos, r, 1);
    form->addWidget(Label(w.cboConceptos), r, 2);
    QComboBox *conceptos = Combo(w.cboConceptos);
    enter(conceptos, [&w] { w.cboConceptos_KeyEnter(); });
    form->addWidget(conceptos, r++, 3);
    form->addWidget(Label(w.txtFacturaCodigo), r, 0);
    form->addWidget(Text(w.txtFacturaCodigo), r, 1);
    form->addWidget(Label(w.txtFacturaFecha), r, 2);
    form->addWidget(Date(w.txtFacturaFecha), r++, 3, Qt::AlignLeft);
    for (host::TextField *t : {&w.txtArticulosCodigo, &w.txtArticulosDescripcion, &w.txtObservaciones}) {
        form->addWidget(Label(*t), r, 0, Qt::AlignTop);
        form->addWidget(MultiLine(*t, 3), r++, 1, 1, 3);
    }
    form->addWidget(Label(w.txtPeriodoVigencia), r, 0);
    form->addWidget(Text(w.txtPeriodoVigencia), r, 1);
    form->addWidget(Label(w.txtCantidadReclamada), r, 2);
    form->addWidget(CajaNumero(Text(w.txtCantidadReclamada), 14), r++, 3);
    form->addWidget(Label(w.txtFacturaDup), r, 0);
    form->addWidget(Text(w.txtFacturaDup), r, 1);
    form->addWidget(Label(w.txtVencimientoDup), r, 2);
    form->addWidget(Date(w.txtVencimientoDup), r++, 3, Qt::AlignLeft);
    form->addWidget(Label(w.txtAlbaranNumero), r, 0);
    form->addWidget(Text(w.txtAlbaranNumero), r, 1);
    form->addWidget(Label(w.txtAlbaranFecha), r, 2);
    form->addWidget(Date(w.txtAlbaranFecha), r++, 3, Qt::AlignLeft);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    root_->addLayout(form);

    QGroupBox *impuestos = Frame(w.frmImpuestos);
    auto *imp = new QGridLayout(impuestos);
    for (int i = 1; i <= claims::frmExtractos_Lineas_Reclamacion_Datos::kBases; ++i) {
        auto k = static_cast<std::size_t>(i - 1);
        imp->addWidget(Label(w.txtBaseImponible[k]), i - 1, 0);
        QLineEdit *base = CajaNumero(Text(w.txtBaseImponible[k], {}, [&w, i] { w.txtBaseImponible_KeyEnter(i); }), 14);
        new Aviso(base, QEvent::FocusOut, [this, &w, i] { Run([&w, i] { w.txtBaseImponible_LostFocus(i); }); });
        imp->addWidget(base, i - 1, 1);
        imp->addWidget(Label(w.cboIGIC[k]), i - 1, 2);
        QComboBox *igic = Combo(w.cboIGIC[k], [&w, i] { w.cboIGIC_Click(i); });
        enter(igic, [&w, i] { w.cboIGIC_Click(i); });
        imp->addWidget(igic, i - 1, 3);
    }
    imp->addWidget(Label(w.txtTotalReclamacion), 5, 0);
    imp->addWidget(CajaNumero(Text(w.txtTotalReclamacion), 14), 5, 1);
    imp->setColumnStretch(4, 1);
    root_->addWidget(impuestos);

    auto *cifras = new QGridLayout();
    cifras->addWidget(Label(w.lblCantidadMaxRec), 0, 0);
    cifras->addWidget(Cifra(Label(w.lblCantidadMaximaReclamar)), 0, 1);
    cifras->addWidget(Label(w.lblTotalReclamadoTexto), 1, 0);
    cifras->addWidget(Cifra(Label(w.lblTotalReclamado)), 1, 1);
    cifras->addWidget(Label(w.lblNota), 2, 0, 1, 2);
    cifras->setColumnStretch(2, 1);
    root_->addLayout(cifras);
    ButtonRow({}, {Button(w.cmdAceptar, [&w] { w.cmdAceptar_Click(); }),
                   Button(w.cmdCancelar, [&w] { w.cmdCancelar_Click(); })});
    FirstFocus([tipos] { return tipos; });
}

} // namespace ui
