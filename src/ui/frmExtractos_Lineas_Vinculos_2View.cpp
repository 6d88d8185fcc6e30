#include "ui/frmExtractos_Lineas_Vinculos_2View.h"

#include "ui/GridView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {

frmExtractos_Lineas_Vinculos_2View::frmExtractos_Lineas_Vinculos_2View(lines::frmExtractos_Lineas_Vinculos_2 &w,
                                                                       QWidget *parent)
    : VinculosView(w, parent) {
    auto *filtros = new QHBoxLayout();
    Fechas(filtros, [&w] { w.txtDesde_Change(); }, [&w] { w.txtHasta_Change(); });
    filtros->addSpacing(16);
    filtros->addWidget(Label(w.txtCtaProveedor));
    LookupBox *cuenta = Lookup(w.txtCtaProveedor, false, 12, [&w](const std::string &t) { return w.BuscarCuentas(t); },
                               [&w] { w.txtCtaProveedor_Change(); }, [&w] { w.txtCtaProveedor_Enter(); });
    filtros->addWidget(cuenta, 1);
    root_->addLayout(filtros);

    GridView *grid = Tabla({.dblClick = [&w] { w.vsLineas_DblClick(); }, .upAtTop = [&w] { w.vsLineas_KeyUp(); }},
                           lines::frmExtractos_Lineas_Vinculos_2::colNombreCuenta);
    ButtonRow({Button(w.cmdVincular, [&w] { w.cmdVincular_Click(); }),
               Button(w.cmdDesvincular, [&w] { w.cmdDesvincular_Click(); })},
              {Button(w.cmdSalir, [&w] { w.cmdSalir_Click(); })});
    Key(Qt::Key_F9, [&w] { w.Form_KeyDown_F9(); });
    Key(Qt::Key_F12, [&w] { w.Form_KeyDown_F12(); });
    FitToGrid(grid, 960, 480);
    FirstFocus([&w, grid, cuenta]() -> QWidget * { return w.vsLineas.DataRows() > 0 ? static_cast<QWidget *>(grid) : cuenta->CodigoEdit(); });
}

} // namespace ui
