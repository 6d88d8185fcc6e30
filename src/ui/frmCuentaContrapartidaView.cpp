#include "ui/frmCuentaContrapartidaView.h"

#include <QHBoxLayout>
#include <QLabel>

namespace ui {

frmCuentaContrapartidaView::frmCuentaContrapartidaView(accounting::frmCuentaContrapartida &w, QWidget *parent)
    : WindowView(w, parent) {
    Caption(w.caption);
    auto *fila = new QHBoxLayout();
    fila->addWidget(Label(w.Label20));
    // The lookup lists the accounts of the warehouse's accounting company by code or name.
    LookupBox *cuenta = Lookup(
        w.txtCtaContrapartida, false, 12,
        [&w](const std::string &texto) {
            std::vector<lines::BuscadorMaestros::Fila> filas;
            for (const auto &f : w.BuscarCuentas(texto)) {
                filas.push_back({f.cuenta, f.nombre});
            }
            return filas;
        },
        [&w] { w.txtCtaContrapartida_Change(); }, [&w] { w.cmdAceptar_Click(); });
    cuenta->setMinimumWidth(420);
    fila->addWidget(cuenta, 1);
    root_->addLayout(fila);
    ButtonRow({}, {Button(w.cmdAceptar, [&w] { w.cmdAceptar_Click(); }),
                   Button(w.cmdCancelar, [&w] { w.cmdCancelar_Click(); })});
    FirstFocus([cuenta] { return cuenta->CodigoEdit(); });
}

} // namespace ui
