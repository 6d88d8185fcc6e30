#pragma once

#include "statements/frmExtractos.h"
#include "ui/WindowView.h"

namespace ui {

// The supplier statement list: filters on top, the grid, the buttons along the bottom.
class frmExtractosView : public WindowView {
    Q_OBJECT
  public:
    explicit frmExtractosView(statements::frmExtractos &window, QWidget *parent = nullptr);
};

} // namespace ui
