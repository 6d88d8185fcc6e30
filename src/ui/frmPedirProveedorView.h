#pragma once

#include "lines/frmPedirProveedor.h"
#include "ui/WindowView.h"

namespace ui {

// Asks for one supplier; blank means all of them.
class frmPedirProveedorView : public WindowView {
    Q_OBJECT
  public:
    explicit frmPedirProveedorView(lines::frmPedirProveedor &window, QWidget *parent = nullptr);
};

} // namespace ui
