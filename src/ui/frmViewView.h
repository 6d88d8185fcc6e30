#pragma once

#include "printing/frmView.h"
#include "ui/WindowView.h"

class QLabel;
class QScrollArea;

namespace ui {

// "... Visor de Reportes": one page of the report at a time, with page navigation, zoom, printing
// and saving as PDF.
class frmViewView : public WindowView {
    Q_OBJECT
  public:
    explicit frmViewView(printing::frmView &window, QWidget *parent = nullptr);

  private:
    void Redraw() override;
    void GuardarPdf();
    printing::frmView &w_;
    QWidget *hoja_;
    QScrollArea *scroll_;
    QLabel *pagina_;
    QLabel *zoom_;
};

} // namespace ui
