#pragma once

#include "accounting/frmCuentaContrapartida.h"
#include "ui/WindowView.h"

namespace ui {

// Asks for the contra account of a payment entry.
class frmCuentaContrapartidaView : public WindowView {
    Q_OBJECT
  public:
    explicit frmCuentaContrapartidaView(accounting::frmCuentaContrapartida &window, QWidget *parent = nullptr);
};

} // namespace ui
