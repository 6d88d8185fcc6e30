#pragma once

#include "lines/frmExtractos_Lineas.h"
#include "ui/QtShell.h"

#include <QDialog>

#include <map>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace ui {

class GridModel;
class LineasDateBox;
class LineasLookupBox;

// The statement lines window: filters on top, the lines grid, the buttons below. Every user action
// goes to the controller, and the view redraws from its state.
class frmExtractos_LineasView : public QDialog, public View {
    Q_OBJECT
  public:
    frmExtractos_LineasView(lines::frmExtractos_Lineas &window, host::Shell &shell, QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    void Refresh() override;
    QWidget *ControlWidget(const std::string &name) override;

    QTableView *Tabla() const { return tabla_; }
    GridModel *Modelo() const { return modelo_; }
    QCheckBox *CheckCabecera() const { return chkCabecera_; }
    QPushButton *Boton(const std::string &name) const;

  protected:
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    // Runs a controller action and then closes the dialog if the window unloaded, else redraws.
    template <class F> void Accion(F &&f);
    void AjustarNombre();
    void ColocarCheckCabecera();
    void MostrarMenu(const QPoint &pos);

    lines::frmExtractos_Lineas &w_;
    GridModel *modelo_;
    QTableView *tabla_;
    QCheckBox *chkCabecera_;
    LineasDateBox *fechaI_, *fechaF_;
    LineasLookupBox *prov_, *almacen_;
    QLineEdit *documento_, *documentoCentral_, *importe_;
    std::map<std::string, QPushButton *> botones_;
    std::map<std::string, QLabel *> etiquetas_;
    bool pintando_ = false;
    bool anchosPuestos_ = false;
};

} // namespace ui
