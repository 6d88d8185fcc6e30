#include "ui/frmExtractos_Cliente_ListadoView.h"

#include <QGridLayout>
#include <QPrinterInfo>

namespace ui {

frmExtractos_Cliente_ListadoView::frmExtractos_Cliente_ListadoView(customers::frmExtractos_Cliente_Listado &w,
                                                                   QWidget *parent)
    : WindowView(w, parent) {
    Caption(w.caption);
    // The system's printers, offered after the default one the controller put first.
    if (w.cboImpresora.items.size() <= 1) {
        long n = 1;
        for (const QString &p : QPrinterInfo::availablePrinterNames()) {
            w.cboImpresora.Add(p.toStdString(), n++);
        }
    }
    auto clientes = [&w](const std::string &t) { return w.BuscarClientes(t); };
    auto *g = new QGridLayout();
    int f = 0;
    g->addWidget(Label("Modelo:"), f, 0);
    g->addWidget(Combo(w.cboModelo), f++, 1);
    g->addWidget(Label("Estado:"), f, 0);
    g->addWidget(Combo(w.cboEstado), f++, 1);
    g->addWidget(Label("Fecha Cobro Inicial:"), f, 0);
    g->addWidget(Date(w.txtFechaI), f++, 1, Qt::AlignLeft);
    g->addWidget(Label("Fecha Cobro Final:"), f, 0);
    g->addWidget(Date(w.txtFechaF), f++, 1, Qt::AlignLeft);
    g->addWidget(Label("Cliente Inicial:"), f, 0);
    g->addWidget(Lookup(w.txtClienteInicial, true, 6, clientes, [&w] { w.txtClienteInicial_Change(); }), f++, 1);
    g->addWidget(Label("Cliente Final:"), f, 0);
    g->addWidget(Lookup(w.txtClienteFinal, true, 6, clientes, [&w] { w.txtClienteFinal_Change(); }), f++, 1);
    g->addWidget(Label("Dispositivo:"), f, 0);
    g->addWidget(Combo(w.cboDispositivo), f++, 1);
    g->addWidget(Label("Impresora:"), f, 0);
    g->addWidget(Combo(w.cboImpresora), f++, 1);
    g->setColumnStretch(1, 1);
    root_->addLayout(g);
    ButtonRow({}, {Button(w.cmdAceptar, [&w] { w.cmdAceptar_Click(); }),
                   Button(w.cmdCancelar, [&w] { w.cmdCancelar_Click(); })});
    resize(520, 0);
}

} // namespace ui
