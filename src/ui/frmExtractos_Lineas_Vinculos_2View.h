#pragma once

#include "lines/frmExtractos_Lineas_Vinculos_2.h"
#include "ui/VinculosView.h"

namespace ui {

// Links a type-2 statement line to payment forecasts of the line's supplier account.
class frmExtractos_Lineas_Vinculos_2View : public VinculosView {
    Q_OBJECT
  public:
    explicit frmExtractos_Lineas_Vinculos_2View(lines::frmExtractos_Lineas_Vinculos_2 &window,
                                                QWidget *parent = nullptr);
};

} // namespace ui
