#pragma once

#include "customers/frmExtractos_Cliente_Lineas.h"
#include "ui/WindowView.h"

namespace ui {

// The invoice lines of a customer statement: filters, the lines, the entry row, and beside the
// lines the tax frame of the current line.
class frmExtractos_Cliente_LineasView : public WindowView {
    Q_OBJECT
  public:
    explicit frmExtractos_Cliente_LineasView(customers::frmExtractos_Cliente_Lineas &window, QWidget *parent = nullptr);

  protected:
    void Redraw() override;

  private:
    customers::frmExtractos_Cliente_Lineas &w_;
    QLabel *estado_;
};

} // namespace ui
