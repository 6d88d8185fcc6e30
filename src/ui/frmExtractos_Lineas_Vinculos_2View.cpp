#include "ui/frmExtractos_Lineas_Vinculos_2View.h"

#include "ui/LineasLookupBox.h"
#include "ui/Textos.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {

frmExtractos_Lineas_Vinculos_2View::frmExtractos_Lineas_Vinculos_2View(lines::frmExtractos_Lineas_Vinculos_2 &window,
                                                                       host::Shell &shell, QWidget *parent)
    : VistaPrevisiones(window, window.caption, parent), w_(window) {
    auto *filtros = new QHBoxLayout();
    AgregarFechas(filtros);
    filtros->addSpacing(16);
    filtros->addWidget(new QLabel(Q(w_.txtCtaProveedor.caption), this));
    filtros->addWidget(cuenta_, 1);
    root_->addLayout(filtros);

    CrearTabla(lines::frmExtractos_Lineas_Vinculos_2::colNombreCuenta);

    FilaBotones({{w_.cmdVincular, [this] { w_.cmdVincular_Click(); }},
                 {w_.cmdDesvincular, [this] { w_.cmdDesvincular_Click(); }}},
                {{w_.cmdSalir, [this] { w_.cmdSalir_Click(); }}});
    Tecla(Qt::Key_F9, [this] { w_.Form_KeyDown_F9(); });
    Tecla(Qt::Key_F12, [this] { w_.Form_KeyDown_F12(); });

    AlCambiarFechas([this] { w_.txtDesde_Change(); }, [this] { w_.txtHasta_Change(); });

    Colocar(960, 480);
    Refresh();
}

} // namespace ui
