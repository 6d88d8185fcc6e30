#pragma once

#include "lines/frmExtractos_Lineas_Vinculos.h"
#include "ui/VinculosView.h"

namespace ui {

// Links a type-1 statement line to the supplier's receipts or invoices.
class frmExtractos_Lineas_VinculosView : public VinculosView {
    Q_OBJECT
  public:
    explicit frmExtractos_Lineas_VinculosView(lines::frmExtractos_Lineas_Vinculos &window, QWidget *parent = nullptr);
};

} // namespace ui
