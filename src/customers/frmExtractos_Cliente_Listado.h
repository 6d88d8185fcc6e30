#pragma once

#include "host/Controls.h"
#include "host/Reporte.h"
#include "host/Window.h"
#include "lines/BuscadorMaestros.h"

#include <string>
#include <vector>

namespace customers {

// Prints the customer statements of a date and customer range in the detailed or summarised
// model, to the viewer or a printer.
class frmExtractos_Cliente_Listado : public host::Window {
  public:
    explicit frmExtractos_Cliente_Listado(host::Shell &shell);

    std::string caption = "Facturas Pendientes de Cobros";
    host::ComboField cboModelo, cboEstado, cboDispositivo, cboImpresora;
    host::DateField txtFechaI, txtFechaF;
    host::LookupField txtClienteInicial, txtClienteFinal;
    host::Button cmdAceptar, cmdCancelar;

    // Set before showing: the range and the state of the statement the caller stands on.
    std::string FechaInicial, FechaFinal;
    long ClienteInicial = 0, ClienteFinal = 0;
    bool Cerrado = false;
    // Printers the view offers besides the default one; filled before showing.
    std::vector<std::string> Impresoras;

    void Form_Load() override;
    void txtClienteInicial_Change();
    void txtClienteFinal_Change();
    std::vector<lines::BuscadorMaestros::Fila> BuscarClientes(const std::string &texto) const;
    void cmdAceptar_Click();
    void cmdCancelar_Click() { Close(); }
    void Form_KeyDown_Escape() { Close(); }

    // The laid-out report of the fields as they stand (no checks): what Aceptar shows or prints.
    host::Reporte Componer() const;
    // Whether the last Aceptar got as far as the viewer or the printer.
    bool Impreso() const { return impreso_; }

  private:
    bool Falta(bool falla, const char *mensaje, const char *control);
    bool impreso_ = false;
};

} // namespace customers
