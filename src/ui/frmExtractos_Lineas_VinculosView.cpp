#include "ui/frmExtractos_Lineas_VinculosView.h"

#include "ui/LineasDateBox.h"
#include "ui/LineasLookupBox.h"
#include "ui/Textos.h"
#include "ui/ViewsVinculos.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {

frmExtractos_Lineas_VinculosView::frmExtractos_Lineas_VinculosView(lines::frmExtractos_Lineas_Vinculos &window,
                                                                   host::Shell &shell, QWidget *parent)
    : VistaVinculos(window, window.caption, parent), w_(window) {
    auto *filtros = new QHBoxLayout();
    almacen_ = new LineasLookupBox(true, 40, this);
    almacen_->SetBuscar([this](const std::string &t) { return w_.BuscarAlmacenes(t); });
    prov_ = new LineasLookupBox(true, 60, this);
    AgregarFechas(filtros);
    filtros->addSpacing(16);
    filtros->addWidget(new QLabel(Q(w_.txtAlmacen.caption), this));
    filtros->addWidget(almacen_, 1);
    filtros->addSpacing(16);
    filtros->addWidget(new QLabel(Q(w_.txtProv.caption), this));
    filtros->addWidget(prov_, 2);
    root_->addLayout(filtros);

    CrearTabla(lines::frmExtractos_Lineas_Vinculos::colNombreAlmacen);
    tabla_->setToolTip(QStringLiteral("Doble clic: imprimir la compra"));

    FilaBotones({{w_.cmdVincular, [this] { w_.cmdVincular_Click(); }},
                 {w_.cmdDesvincular, [this] { w_.cmdDesvincular_Click(); }},
                 {w_.cmdImprimir, [this] { w_.cmdImprimir_Click(); }}},
                {{w_.cmdSalir, [this] { w_.cmdSalir_Click(); }}});
    Tecla(Qt::Key_F9, [this] { w_.Form_KeyDown_F9(); });
    Tecla(Qt::Key_F12, [this] { w_.Form_KeyDown_F12(); });

    AlCambiarFechas([this] { w_.txtDesde_Change(); }, [this] { w_.txtHasta_Change(); });
    connect(hasta_, &QLineEdit::returnPressed, this, [this] { Accion([this] { w_.txtHasta_Enter(); }); });
    connect(almacen_, &LineasLookupBox::codigoCambiado, this, [this] {
        Accion([this] {
            CopiarCodigo(almacen_, w_.txtAlmacen);
            w_.txtAlmacen_Change();
        });
    });
    connect(almacen_, &LineasLookupBox::enterPulsado, this, [this] {
        Accion([this] {
            LeerAlmacen();
            w_.txtAlmacen_Enter();
        });
    });

    Colocar(1000, 520);
    Refresh();
}

void frmExtractos_Lineas_VinculosView::LeerAlmacen() {
    if (LeerCodigo(almacen_, w_.txtAlmacen)) {
        w_.txtAlmacen_Change();
    }
}

void frmExtractos_Lineas_VinculosView::MostrarFiltros() {
    MostrarCodigo(almacen_, w_.txtAlmacen);
    MostrarCodigo(prov_, w_.txtProv);
}

QWidget *frmExtractos_Lineas_VinculosView::Filtro(const std::string &name) {
    if (name == "txtAlmacen") {
        return almacen_->CodigoEdit();
    }
    if (name == "txtProv") {
        return prov_->CodigoEdit();
    }
    return nullptr;
}

} // namespace ui
