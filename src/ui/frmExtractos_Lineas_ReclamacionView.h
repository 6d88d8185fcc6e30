#pragma once

#include "claims/frmExtractos_Lineas_Reclamacion.h"
#include "ui/WindowView.h"

namespace ui {

// The claims of a statement line: the grid, what is left to claim and the buttons. Escape and the
// close box ask the controller, which keeps the window open while part of the line is unclaimed.
class frmExtractos_Lineas_ReclamacionView : public WindowView {
    Q_OBJECT
  public:
    explicit frmExtractos_Lineas_ReclamacionView(claims::frmExtractos_Lineas_Reclamacion &window,
                                                 QWidget *parent = nullptr);

  protected:
    void reject() override;

  private:
    claims::frmExtractos_Lineas_Reclamacion &w_;
};

} // namespace ui
