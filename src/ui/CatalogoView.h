#pragma once

#include "catalogues/Catalogo.h"
#include "ui/WindowView.h"

namespace ui {

// A catalogue's list: the grid and its five buttons (payment types, claim types, claim concepts).
class CatalogoView : public WindowView {
    Q_OBJECT
  public:
    explicit CatalogoView(catalogues::Catalogo &window, QWidget *parent = nullptr);
};

// A catalogue's entry dialog: code, name and, where the catalogue has it, the type.
class CatalogoDatosView : public WindowView {
    Q_OBJECT
  public:
    explicit CatalogoDatosView(catalogues::CatalogoDatos &window, QWidget *parent = nullptr);
};

} // namespace ui
