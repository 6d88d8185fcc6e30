#include "ui/frmExtractos_Lineas_Vinculos_Agregar_FacturaView.h"

#include "ui/LineasLookupBox.h"
#include "ui/Textos.h"
#include "ui/ViewsVinculos.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {

frmExtractos_Lineas_Vinculos_Agregar_FacturaView::frmExtractos_Lineas_Vinculos_Agregar_FacturaView(
    lines::frmExtractos_Lineas_Vinculos_Agregar_Factura &window, host::Shell &shell, QWidget *parent)
    : VistaPrevisiones(window, window.caption, parent), w_(window) {
    auto *filtros = new QGridLayout();
    proveedor_ = new LineasLookupBox(true, 60, this);
    proveedor_->SetBuscar([this](const std::string &t) { return w_.BuscarProveedores(t); });
    auto *fechas = new QHBoxLayout();
    AgregarFechas(fechas);
    fechas->addStretch();
    filtros->addLayout(fechas, 0, 0, 1, 4);
    filtros->addWidget(new QLabel(Q(w_.txtCtaProveedor.caption), this), 1, 0);
    filtros->addWidget(cuenta_, 1, 1);
    filtros->addWidget(new QLabel(Q(w_.txtProveedor.caption), this), 1, 2);
    filtros->addWidget(proveedor_, 1, 3);
    filtros->setColumnStretch(1, 1);
    filtros->setColumnStretch(3, 1);
    filtros->setHorizontalSpacing(8);
    root_->addLayout(filtros);

    CrearTabla(lines::frmExtractos_Lineas_Vinculos_Agregar_Factura::colNombreCuenta);

    FilaBotones(
        {}, {{w_.cmdAceptar, [this] { w_.cmdAceptar_Click(); }}, {w_.cmdCancelar, [this] { w_.cmdCancelar_Click(); }}});
    Tecla(Qt::Key_F9, [this] { w_.Form_KeyDown_F9(); });

    AlCambiarFechas([this] { w_.txtDesde_Change(); }, [this] { w_.txtHasta_Change(); });
    connect(proveedor_, &LineasLookupBox::codigoCambiado, this, [this] {
        Accion([this] {
            CopiarCodigo(proveedor_, w_.txtProveedor);
            w_.txtProveedor_Change();
        });
    });
    connect(proveedor_, &LineasLookupBox::enterPulsado, this, [this] {
        Accion([this] { LeerProveedor(); });
        tabla_->setFocus();
    });

    Colocar(960, 500);
    Refresh();
}

void frmExtractos_Lineas_Vinculos_Agregar_FacturaView::LeerProveedor() {
    if (LeerCodigo(proveedor_, w_.txtProveedor)) {
        w_.txtProveedor_Change();
    }
}

void frmExtractos_Lineas_Vinculos_Agregar_FacturaView::MostrarFiltros() {
    VistaPrevisiones::MostrarFiltros();
    MostrarCodigo(proveedor_, w_.txtProveedor);
}

QWidget *frmExtractos_Lineas_Vinculos_Agregar_FacturaView::Filtro(const std::string &name) {
    if (name == "txtProveedor") {
        return proveedor_->CodigoEdit();
    }
    return VistaPrevisiones::Filtro(name);
}

} // namespace ui
