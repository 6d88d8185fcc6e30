#pragma once

#include "lines/frmPedirProveedor.h"
#include "ui/VistaDialogo.h"

#include <string>

class QLabel;

namespace ui {

class LineasLookupBox;

// Asks for one supplier; a blank box means all of them.
class frmPedirProveedorView : public VistaDialogo {
    Q_OBJECT
  public:
    frmPedirProveedorView(lines::frmPedirProveedor &window, host::Shell &shell, QWidget *parent = nullptr);

    void Refresh() override;
    QWidget *ControlWidget(const std::string &name) override;

    LineasLookupBox *Proveedor() const { return prov_; }
    QPushButton *Aceptar() const { return aceptar_; }

  private:
    void Escape() override { w_.Form_KeyDown_Escape(); }
    bool Aceptado() const override { return w_.aceptado; }
    // Hands the typed code to the controller when it differs from what it holds.
    void LeerProveedor();

    lines::frmPedirProveedor &w_;
    QLabel *etiqueta_;
    LineasLookupBox *prov_;
};

} // namespace ui
