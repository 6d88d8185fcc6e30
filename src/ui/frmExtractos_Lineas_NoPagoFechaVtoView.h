#pragma once

#include "lines/frmExtractos_Lineas_NoPagoFechaVto.h"
#include "ui/WindowView.h"

namespace ui {

// "No Pago" or "Nueva Fecha Vencimiento": the check box or the date, and four remarks.
class frmExtractos_Lineas_NoPagoFechaVtoView : public WindowView {
    Q_OBJECT
  public:
    explicit frmExtractos_Lineas_NoPagoFechaVtoView(lines::frmExtractos_Lineas_NoPagoFechaVto &window,
                                                    QWidget *parent = nullptr);

  private:
    void Redraw() override;
    lines::frmExtractos_Lineas_NoPagoFechaVto &w_;
};

} // namespace ui
