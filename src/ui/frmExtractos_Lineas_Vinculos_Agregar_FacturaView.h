#pragma once

#include "lines/frmExtractos_Lineas_Vinculos_Agregar_Factura.h"
#include "ui/VistaVinculos.h"

#include <string>

namespace ui {

class LineasLookupBox;

// Imports payment forecasts as new lines of a type-2 statement: dates, account and supplier on
// top, the open forecasts below to tick, Aceptar adds them.
class frmExtractos_Lineas_Vinculos_Agregar_FacturaView : public VistaPrevisiones {
    Q_OBJECT
  public:
    frmExtractos_Lineas_Vinculos_Agregar_FacturaView(lines::frmExtractos_Lineas_Vinculos_Agregar_Factura &window,
                                                     host::Shell &shell, QWidget *parent = nullptr);

  private:
    bool Aceptado() const override { return w_.aceptado; }
    void MostrarFiltros() override;
    QWidget *Filtro(const std::string &name) override;
    void LeerProveedor();

    lines::frmExtractos_Lineas_Vinculos_Agregar_Factura &w_;
    LineasLookupBox *proveedor_;
};

} // namespace ui
