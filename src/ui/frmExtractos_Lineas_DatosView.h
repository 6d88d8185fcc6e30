#pragma once

#include "lines/frmExtractos_Lineas_Datos.h"
#include "ui/VistaDialogo.h"

#include <array>
#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace ui {

class LineasDateBox;
class LineasLookupBox;

// The statement line editor: the line's fields, the tax breakdown (type 1) or the issuer and invoice
// type (type 2). The values go to the controller as they are typed; it checks and recomputes.
class frmExtractos_Lineas_DatosView : public VistaDialogo {
    Q_OBJECT
  public:
    frmExtractos_Lineas_DatosView(lines::frmExtractos_Lineas_Datos &window, host::Shell &shell,
                                  QWidget *parent = nullptr);

    void Refresh() override;
    QWidget *ControlWidget(const std::string &name) override;

    QLineEdit *Base(int fila) const { return bases_[static_cast<std::size_t>(fila)]; }
    QLineEdit *Cuota(int fila) const { return cuotas_[static_cast<std::size_t>(fila)]; }
    QLabel *Total() const { return total_; }
    QGroupBox *MarcoImpuestos() const { return fraImpuestos_; }

  private:
    void Escape() override { w_.Form_KeyDown_Escape(); }
    bool Aceptado() const override { return w_.aceptado; }
    // Copies what the user typed into the controller's fields.
    void Leer();

    lines::frmExtractos_Lineas_Datos &w_;
    LineasLookupBox *proveedor_, *cta_, *ctaPdte_;
    QLabel *lblCtaPdte_, *lblCentral_;
    QLineEdit *documento_, *documentoCentral_, *importe_, *central_;
    LineasDateBox *fecha_;
    QCheckBox *prontoPago_, *acreedor_;
    QComboBox *tipoPago_;
    QGroupBox *fraImpuestos_, *fraEmisor_, *fraTipoFactura_;
    std::array<QLineEdit *, lines::frmExtractos_Lineas_Datos::kFilas> tipos_{}, bases_{}, cuotas_{};
    QLabel *tBase_, *tImporte_, *total_;
    std::array<QRadioButton *, 2> emisor_{}, tipoFactura_{};
};

} // namespace ui
