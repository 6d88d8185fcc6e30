#pragma once

#include "lines/frmExtractos_Lineas_Datos.h"
#include "ui/WindowView.h"

namespace ui {

// The statement line editor: the line's fields, the tax breakdown (type 1) or the issuer and invoice
// type (type 2). The values go to the controller as they are typed; it checks and recomputes.
class frmExtractos_Lineas_DatosView : public WindowView {
    Q_OBJECT
  public:
    explicit frmExtractos_Lineas_DatosView(lines::frmExtractos_Lineas_Datos &window, QWidget *parent = nullptr);

  private:
    void Redraw() override;
    lines::frmExtractos_Lineas_Datos &w_;
};

} // namespace ui
