#pragma once

#include "customers/frmExtractos_Cliente.h"
#include "ui/WindowView.h"

namespace ui {

// The customer statement list: filters, the grid, the quick-entry row and the buttons.
class frmExtractos_ClienteView : public WindowView {
    Q_OBJECT
  public:
    explicit frmExtractos_ClienteView(customers::frmExtractos_Cliente &window, QWidget *parent = nullptr);

  protected:
    void Redraw() override;

  private:
    customers::frmExtractos_Cliente &w_;
    QGroupBox *alta_;
};

} // namespace ui
