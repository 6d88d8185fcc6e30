#pragma once

#include "lines/frmExtractos_Lineas_NoPagoFechaVto.h"
#include "ui/VistaDialogo.h"

#include <array>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace ui {

class LineasDateBox;

// Asks for "do not pay" or a new due date of the selected lines, with four lines of remarks.
class frmExtractos_Lineas_NoPagoFechaVtoView : public VistaDialogo {
    Q_OBJECT
  public:
    frmExtractos_Lineas_NoPagoFechaVtoView(lines::frmExtractos_Lineas_NoPagoFechaVto &window, host::Shell &shell,
                                           QWidget *parent = nullptr);

    void Refresh() override;
    QWidget *ControlWidget(const std::string &name) override;

    QCheckBox *NoPago() const { return noPago_; }
    LineasDateBox *FechaVto() const { return fechaVto_; }
    QLineEdit *Obs(int i) const { return obs_[static_cast<std::size_t>(i)]; }
    QPushButton *Aceptar() const { return aceptar_; }

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void Escape() override { w_.Form_KeyDown_Escape(); }
    bool Aceptado() const override { return w_.aceptado; }
    // Copies what the user typed into the controller's fields.
    void Leer();

    lines::frmExtractos_Lineas_NoPagoFechaVto &w_;
    QCheckBox *noPago_;
    QLabel *lblFechaVto_;
    LineasDateBox *fechaVto_;
    std::array<QLineEdit *, 4> obs_{};
};

} // namespace ui
