#pragma once

#include "statements/frmImportar.h"
#include "ui/QtShell.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace ui {

// "Importar Fichero": the path of the file to import, typed or chosen in the file dialog.
class frmImportarView : public QDialog, public View {
    Q_OBJECT
  public:
    explicit frmImportarView(statements::frmImportar &window, QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    void Refresh() override;
    QWidget *ControlWidget(const std::string &name) override;

  protected:
    void reject() override;

  private:
    template <class F> void Accion(F &&f);
    statements::frmImportar &w_;
    QLineEdit *ruta_;
    QToolButton *examinar_;
    QPushButton *importar_, *salir_;
};

} // namespace ui
