#include "ui/Views.h"

#include "ui/QtShell.h"
#include "catalogues/frmTiposPago.h"
#include "claims/frmReclamacionConceptos.h"
#include "claims/frmReclamacionTipos.h"
#include "ui/CatalogoView.h"
#include "ui/frmViewView.h"
#include "ui/frmExtractosView.h"
#include "ui/frmExtractos_ClienteView.h"
#include "ui/frmExtractos_Cliente_LineasView.h"
#include "ui/frmExtractos_ConfirmarEliminarView.h"
#include "ui/frmExtractos_Cliente_ListadoView.h"
#include "ui/frmExtractos_LineasView.h"
#include "ui/frmExtractos_Lineas_DatosView.h"
#include "ui/frmExtractos_Lineas_ReclamacionView.h"
#include "ui/frmExtractos_Lineas_Reclamacion_DatosView.h"
#include "ui/frmExtractos_Lineas_Reclamacion_VisorView.h"
#include "ui/frmExtractos_Lineas_NoPagoFechaVtoView.h"
#include "ui/frmExtractos_Lineas_VinculosView.h"
#include "ui/frmExtractos_Lineas_Vinculos_2View.h"
#include "ui/frmExtractos_Lineas_Vinculos_Agregar_FacturaView.h"
#include "ui/frmImportarView.h"
#include "ui/frmCuentaContrapartidaView.h"
#include "ui/frmPedirProveedorView.h"

#include <memory>

namespace ui {

namespace {

// The view V of the window class W, registered under the window's class name.
template <class V, class W> void Registrar(const char *clase) {
    QtShell::Register(clase, [](host::Window &w, host::Shell &, QWidget *parent) {
        return std::unique_ptr<View>(new V(static_cast<W &>(w), parent));
    });
}

} // namespace

void RegisterViews() {
    Registrar<frmExtractosView, statements::frmExtractos>("frmExtractos");
    Registrar<frmExtractos_ConfirmarEliminarView, statements::frmExtractos_ConfirmarEliminar>(
        "frmExtractos_ConfirmarEliminar");
    Registrar<frmImportarView, statements::frmImportar>("frmImportar");
    Registrar<frmExtractos_LineasView, lines::frmExtractos_Lineas>("frmExtractos_Lineas");
    Registrar<frmExtractos_Lineas_DatosView, lines::frmExtractos_Lineas_Datos>("frmExtractos_Lineas_Datos");
    Registrar<frmExtractos_Lineas_VinculosView, lines::frmExtractos_Lineas_Vinculos>("frmExtractos_Lineas_Vinculos");
    Registrar<frmExtractos_Lineas_Vinculos_2View, lines::frmExtractos_Lineas_Vinculos_2>(
        "frmExtractos_Lineas_Vinculos_2");
    Registrar<frmExtractos_Lineas_Vinculos_Agregar_FacturaView, lines::frmExtractos_Lineas_Vinculos_Agregar_Factura>(
        "frmExtractos_Lineas_Vinculos_Agregar_Factura");
    Registrar<frmExtractos_Lineas_NoPagoFechaVtoView, lines::frmExtractos_Lineas_NoPagoFechaVto>(
        "frmExtractos_Lineas_NoPagoFechaVto");
    Registrar<frmPedirProveedorView, lines::frmPedirProveedor>("frmPedirProveedor");
    Registrar<frmCuentaContrapartidaView, accounting::frmCuentaContrapartida>("frmCuentaContrapartida");
    Registrar<frmExtractos_Lineas_ReclamacionView, claims::frmExtractos_Lineas_Reclamacion>(
        "frmExtractos_Lineas_Reclamacion");
    Registrar<frmExtractos_Lineas_Reclamacion_DatosView, claims::frmExtractos_Lineas_Reclamacion_Datos>(
        "frmExtractos_Lineas_Reclamacion_Datos");
    Registrar<frmExtractos_Lineas_Reclamacion_VisorView, claims::frmExtractos_Lineas_Reclamacion_Visor>(
        "frmExtractos_Lineas_Reclamacion_Visor");
    Registrar<frmExtractos_ClienteView, customers::frmExtractos_Cliente>("frmExtractos_Cliente");
    Registrar<frmExtractos_Cliente_ListadoView, customers::frmExtractos_Cliente_Listado>(
        "frmExtractos_Cliente_Listado");
    Registrar<frmExtractos_Cliente_LineasView, customers::frmExtractos_Cliente_Lineas>("frmExtractos_Cliente_Lineas");
    // Catalogues and the report viewer.
    for (const char *c : {"frmTiposPago", "frmReclamacionTipos", "frmReclamacionConceptos"}) {
        Registrar<CatalogoView, catalogues::Catalogo>(c);
    }
    for (const char *c : {"frmTiposPago_Datos", "frmReclamacionTipos_Datos", "frmReclamacionConceptos_Datos"}) {
        Registrar<CatalogoDatosView, catalogues::CatalogoDatos>(c);
    }
    Registrar<frmViewView, printing::frmView>("frmView");
}

} // namespace ui
