#pragma once

#include "statements/frmImportar.h"
#include "ui/WindowView.h"

namespace ui {

// "Importar Fichero": the path of the file to import, typed or chosen in the file dialog.
class frmImportarView : public WindowView {
    Q_OBJECT
  public:
    explicit frmImportarView(statements::frmImportar &window, QWidget *parent = nullptr);
};

} // namespace ui
