#include "ui/frmExtractos_Lineas_Vinculos_Agregar_FacturaView.h"

#include "ui/GridView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {

frmExtractos_Lineas_Vinculos_Agregar_FacturaView::frmExtractos_Lineas_Vinculos_Agregar_FacturaView(
    lines::frmExtractos_Lineas_Vinculos_Agregar_Factura &w, QWidget *parent)
    : VinculosView(w, parent) {
    auto *fechas = new QHBoxLayout();
    Fechas(fechas, [&w] { w.txtDesde_Change(); }, [&w] { w.txtHasta_Change(); });
    fechas->addStretch();
    auto *filtros = new QGridLayout();
    filtros->addLayout(fechas, 0, 0, 1, 4);
    filtros->addWidget(Label(w.txtCtaProveedor), 1, 0);
    LookupBox *cuenta = Lookup(w.txtCtaProveedor, false, 12, [&w](const std::string &t) { return w.BuscarCuentas(t); },
                               [&w] { w.txtCtaProveedor_Change(); }, [&w] { w.txtCtaProveedor_Enter(); });
    filtros->addWidget(cuenta, 1, 1);
    filtros->addWidget(Label(w.txtProveedor), 1, 2);
    filtros->addWidget(Lookup(w.txtProveedor, true, 6, [&w](const std::string &t) { return w.BuscarProveedores(t); },
                              [&w] { w.txtProveedor_Change(); }),
                       1, 3);
    filtros->setColumnStretch(1, 1);
    filtros->setColumnStretch(3, 1);
    root_->addLayout(filtros);

    GridView *grid = Tabla({.dblClick = [&w] { w.vsLineas_DblClick(); }, .upAtTop = [&w] { w.vsLineas_KeyUp(); }},
                           lines::frmExtractos_Lineas_Vinculos_Agregar_Factura::colNombreCuenta);
    ButtonRow({}, {Button(w.cmdAceptar, [&w] { w.cmdAceptar_Click(); }),
                   Button(w.cmdCancelar, [&w] { w.cmdCancelar_Click(); })});
    Key(Qt::Key_F9, [&w] { w.Form_KeyDown_F9(); });
    FitToGrid(grid, 960, 500);
    FirstFocus([&w, grid, cuenta]() -> QWidget * { return w.vsLineas.DataRows() > 0 ? static_cast<QWidget *>(grid) : cuenta->CodigoEdit(); });
}

} // namespace ui
