#pragma once

#include "lines/frmPedirProveedor.h"
#include "ui/QtShell.h"

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

namespace ui {

class LineasLookupBox;

// Asks for one supplier; a blank box means all of them.
class frmPedirProveedorView : public QDialog, public View {
    Q_OBJECT
  public:
    frmPedirProveedorView(lines::frmPedirProveedor &window, host::Shell &shell, QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    void Refresh() override;
    QWidget *ControlWidget(const std::string &name) override;

    LineasLookupBox *Proveedor() const { return prov_; }
    QPushButton *Aceptar() const { return aceptar_; }

  protected:
    void reject() override;

  private:
    template <class F> void Accion(F &&f);
    // Hands the typed code to the controller when it differs from what it holds.
    void LeerProveedor();

    lines::frmPedirProveedor &w_;
    QLabel *etiqueta_;
    LineasLookupBox *prov_;
    QPushButton *aceptar_, *cancelar_;
    bool pintando_ = false;
};

} // namespace ui
