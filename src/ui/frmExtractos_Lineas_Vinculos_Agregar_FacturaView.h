#pragma once

#include "lines/frmExtractos_Lineas_Vinculos_Agregar_Factura.h"
#include "ui/QtShell.h"

#include <QDialog>

#include <map>
#include <string>

class QPushButton;

namespace ui {

class LineasDateBox;
class LineasLookupBox;
class TablaVinculos;

// Imports payment forecasts as new lines of a type-2 statement: dates, account and supplier on
// top, the open forecasts below to tick, Aceptar adds them.
class frmExtractos_Lineas_Vinculos_Agregar_FacturaView : public QDialog, public View {
    Q_OBJECT
  public:
    frmExtractos_Lineas_Vinculos_Agregar_FacturaView(lines::frmExtractos_Lineas_Vinculos_Agregar_Factura &window,
                                                     host::Shell &shell, QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    void Refresh() override;
    QWidget *ControlWidget(const std::string &name) override;

    TablaVinculos *Tabla() const { return tabla_; }
    QPushButton *Boton(const std::string &name) const;

  protected:
    void reject() override;
    void keyPressEvent(QKeyEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    // Runs a controller action, then closes the dialog if the window unloaded, else redraws.
    template <class F> void Accion(F &&f);
    void LeerCuenta();
    void LeerProveedor();

    lines::frmExtractos_Lineas_Vinculos_Agregar_Factura &w_;
    LineasDateBox *desde_, *hasta_;
    LineasLookupBox *cuenta_, *proveedor_;
    TablaVinculos *tabla_;
    std::map<std::string, QPushButton *> botones_;
    bool pintando_ = false;
};

} // namespace ui
