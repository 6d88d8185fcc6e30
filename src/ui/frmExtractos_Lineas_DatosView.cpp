#include "ui/frmExtractos_Lineas_DatosView.h"

#include "ui/DateBox.h"
#include "ui/Estilos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

frmExtractos_Lineas_DatosView::frmExtractos_Lineas_DatosView(lines::frmExtractos_Lineas_Datos &w, QWidget *parent)
    : WindowView(w, parent), w_(w) {
    Caption(w.caption);
    auto proveedores = [&w](const std::string &t) { return w.BuscarProveedores(t); };
    auto cuentas = [&w](const std::string &t) { return w.BuscarCuentas(t); };
    auto *form = new QGridLayout();
    int r = 0;
    form->addWidget(Label(w.txtProveedor), r, 0);
    form->addWidget(Lookup(w.txtProveedor, true, 6, proveedores, [&w] { w.txtProveedor_Change(); }), r++, 1, 1, 3);
    form->addWidget(Label(w.txtCtaProveedor), r, 0);
    form->addWidget(Lookup(w.txtCtaProveedor, false, 12, cuentas, [&w] { w.txtCtaProveedor_Change(); }), r++, 1, 1, 3);
    form->addWidget(Label(w.lblCtaProveedorPdte), r, 0);
    LookupBox *pdte = Lookup(w.txtCtaProveedorPdte, false, 12, cuentas, [&w] { w.txtCtaProveedorPdte_Change(); });
    pdte->setToolTip(QStringLiteral("Cuenta de proveedor pendiente de recibir"));
    form->addWidget(pdte, r++, 1, 1, 3);
    form->addWidget(Label(w.txtDocumento), r, 0);
    form->addWidget(Text(w.txtDocumento), r, 1);
    form->addWidget(Label(w.txtDocumentoCentral), r, 2);
    form->addWidget(Text(w.txtDocumentoCentral), r++, 3);
    form->addWidget(Label(w.txtFecha), r, 0);
    form->addWidget(Date(w.txtFecha, [&w] { w.txtFecha_Change(); }), r, 1);
    form->addWidget(Label(w.txtImportePago), r, 2);
    form->addWidget(CajaNumero(Text(w.txtImportePago), 14), r++, 3);
    form->addWidget(Label(w.cboTipoPago), r, 0);
    form->addWidget(Combo(w.cboTipoPago), r, 1);
    form->addWidget(Check(w.chkDescuentoProntoPago), r++, 2, 1, 2);
    form->addWidget(Label(w.lblProveedorCentral), r, 0);
    form->addWidget(CajaNumero(Text(w.txtProveedorCentral), 14), r, 1);
    form->addWidget(Check(w.chkAcreedor), r++, 2, 1, 2);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    root_->addLayout(form);

    QGroupBox *impuestos = Frame(w.fraImpuestos);
    auto *imp = new QGridLayout(impuestos);
    imp->addWidget(Label("Base"), 0, 0, Qt::AlignCenter);
    imp->addWidget(Label("Tipo"), 0, 1, Qt::AlignCenter);
    imp->addWidget(Label("Importe"), 0, 2, Qt::AlignCenter);
    for (int i = 0; i < lines::frmExtractos_Lineas_Datos::kFilas; ++i) {
        auto k = static_cast<std::size_t>(i);
        imp->addWidget(CajaNumero(Text(w.txtBase[k], [&w, i] { w.txtBase_Change(i); }), 14), i + 1, 0);
        imp->addWidget(CajaNumero(Text(w.txtTipo[k]), 6), i + 1, 1);
        imp->addWidget(CajaNumero(Text(w.txtImporte_Imp[k]), 14), i + 1, 2);
    }
    imp->addWidget(Cifra(Label(w.lblTBase)), lines::frmExtractos_Lineas_Datos::kFilas + 1, 0);
    imp->addWidget(Cifra(Label(w.lblTImporte)), lines::frmExtractos_Lineas_Datos::kFilas + 1, 2);
    imp->addWidget(Label("Total:"), lines::frmExtractos_Lineas_Datos::kFilas + 2, 1, Qt::AlignRight);
    imp->addWidget(Cifra(Label(w.lblTotal)), lines::frmExtractos_Lineas_Datos::kFilas + 2, 2);
    root_->addWidget(impuestos);

    auto *opciones = new QHBoxLayout();
    for (auto [marco, opts] : {std::pair{&w.fraEmisor, &w.optEmisor}, std::pair{&w.fraTipoFactura, &w.optTipoFactura}}) {
        QGroupBox *g = Frame(*marco);
        auto *h = new QHBoxLayout(g);
        for (auto &o : *opts) {
            h->addWidget(Option(o));
        }
        opciones->addWidget(g);
    }
    root_->addLayout(opciones);
    ButtonRow({}, {Button(w.cmdAceptar, [&w] { w.cmdAceptar_Click(); }),
                   Button(w.cmdCancelar, [&w] { w.cmdCancelar_Click(); })});
    FirstFocus([this] { return ControlWidget("txtProveedor"); });
}

void frmExtractos_Lineas_DatosView::Redraw() {
    // A hidden frame leaves no gap: the buttons move up.
    FitWhenChanged((w_.fraImpuestos.visible ? 1 : 0) + (w_.fraEmisor.visible ? 2 : 0));
}

} // namespace ui
