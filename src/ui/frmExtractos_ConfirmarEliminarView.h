#pragma once

#include "statements/frmExtractos_ConfirmarEliminar.h"
#include "ui/WindowView.h"

namespace ui {

// Asks for today's date before statements are deleted.
class frmExtractos_ConfirmarEliminarView : public WindowView {
    Q_OBJECT
  public:
    explicit frmExtractos_ConfirmarEliminarView(statements::frmExtractos_ConfirmarEliminar &window,
                                                QWidget *parent = nullptr);
};

} // namespace ui
