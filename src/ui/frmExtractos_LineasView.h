#pragma once

#include "lines/frmExtractos_Lineas.h"
#include "ui/WindowView.h"

namespace ui {

// The statement lines window: filters on top, the lines grid with its context menu, the buttons below.
class frmExtractos_LineasView : public WindowView {
    Q_OBJECT
  public:
    explicit frmExtractos_LineasView(lines::frmExtractos_Lineas &window, QWidget *parent = nullptr);

  private:
    void MostrarMenu(const QPoint &pos);

    lines::frmExtractos_Lineas &w_;
    GridView *grid_;
};

} // namespace ui
