#pragma once

#include "lines/frmExtractos_Lineas_NoPagoFechaVto.h"
#include "ui/QtShell.h"

#include <QDialog>

#include <array>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class LineasDateBox;

// Asks for "do not pay" or a new due date of the selected lines, with four lines of remarks.
class frmExtractos_Lineas_NoPagoFechaVtoView : public QDialog, public View {
    Q_OBJECT
  public:
    frmExtractos_Lineas_NoPagoFechaVtoView(lines::frmExtractos_Lineas_NoPagoFechaVto &window, host::Shell &shell,
                                           QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    void Refresh() override;
    QWidget *ControlWidget(const std::string &name) override;

    QCheckBox *NoPago() const { return noPago_; }
    LineasDateBox *FechaVto() const { return fechaVto_; }
    QLineEdit *Obs(int i) const { return obs_[static_cast<std::size_t>(i)]; }
    QPushButton *Aceptar() const { return aceptar_; }

  protected:
    void reject() override;
    void showEvent(QShowEvent *event) override;

  private:
    template <class F> void Accion(F &&f);
    // Copies what the user typed into the controller's fields.
    void Leer();

    lines::frmExtractos_Lineas_NoPagoFechaVto &w_;
    QCheckBox *noPago_;
    QLabel *lblFechaVto_;
    LineasDateBox *fechaVto_;
    std::array<QLineEdit *, 4> obs_{};
    QPushButton *aceptar_, *cancelar_;
    bool pintando_ = false;
    int visibles_ = -1;
};

} // namespace ui
