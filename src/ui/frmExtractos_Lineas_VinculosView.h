#pragma once

#include "lines/frmExtractos_Lineas_Vinculos.h"
#include "ui/VistaVinculos.h"

#include <string>

namespace ui {

class LineasLookupBox;

// Links a type-1 statement line to the supplier's receipts or invoices: dates, warehouse and supplier
// on top, the documents grid, the buttons below. Every action goes to the controller; the view
// redraws from its state.
class frmExtractos_Lineas_VinculosView : public VistaVinculos {
    Q_OBJECT
  public:
    frmExtractos_Lineas_VinculosView(lines::frmExtractos_Lineas_Vinculos &window, host::Shell &shell,
                                     QWidget *parent = nullptr);

  private:
    void MostrarFiltros() override;
    QWidget *Filtro(const std::string &name) override;
    void DobleClic() override { w_.vsLineas_DblClick(); }
    void LeerAlmacen();

    lines::frmExtractos_Lineas_Vinculos &w_;
    LineasLookupBox *almacen_, *prov_;
};

} // namespace ui
