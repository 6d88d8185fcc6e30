#pragma once

#include "lines/frmExtractos_Lineas_Vinculos.h"
#include "ui/QtShell.h"

#include <QDialog>

#include <map>
#include <string>

class QPushButton;

namespace ui {

class LineasDateBox;
class LineasLookupBox;
class TablaVinculos;

// Links a type-1 statement line to the supplier's receipts or invoices: dates, warehouse and supplier
// on top, the documents grid, the buttons below. Every action goes to the controller; the view
// redraws from its state.
class frmExtractos_Lineas_VinculosView : public QDialog, public View {
    Q_OBJECT
  public:
    frmExtractos_Lineas_VinculosView(lines::frmExtractos_Lineas_Vinculos &window, host::Shell &shell,
                                     QWidget *parent = nullptr);

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
    void LeerAlmacen();

    lines::frmExtractos_Lineas_Vinculos &w_;
    LineasDateBox *desde_, *hasta_;
    LineasLookupBox *almacen_, *prov_;
    TablaVinculos *tabla_;
    std::map<std::string, QPushButton *> botones_;
    bool pintando_ = false;
};

} // namespace ui
