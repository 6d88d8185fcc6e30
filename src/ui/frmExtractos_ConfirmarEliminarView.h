#pragma once

#include "statements/frmExtractos_ConfirmarEliminar.h"
#include "ui/QtShell.h"

#include <QDialog>

class QPushButton;

namespace ui {

class LineasDateBox;

// Asks for today's date before statements are deleted.
class frmExtractos_ConfirmarEliminarView : public QDialog, public View {
    Q_OBJECT
  public:
    frmExtractos_ConfirmarEliminarView(statements::frmExtractos_ConfirmarEliminar &window, QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    void Refresh() override;
    QWidget *ControlWidget(const std::string &name) override;

  protected:
    void reject() override;

  private:
    template <class F> void Accion(F &&f);
    statements::frmExtractos_ConfirmarEliminar &w_;
    LineasDateBox *fecha_;
    QPushButton *aceptar_, *cancelar_;
};

} // namespace ui
