#pragma once

#include "customers/frmExtractos_Cliente_Listado.h"
#include "ui/WindowView.h"

namespace ui {

// The customer statement listing: model, state, dates, customers and where it goes.
class frmExtractos_Cliente_ListadoView : public WindowView {
    Q_OBJECT
  public:
    explicit frmExtractos_Cliente_ListadoView(customers::frmExtractos_Cliente_Listado &window,
                                              QWidget *parent = nullptr);
};

} // namespace ui
