#pragma once

#include "host/Controls.h"
#include "host/Window.h"
#include "suite/Moneda.h"

#include <array>
#include <string>

namespace claims {

// The claim editor: creates, changes or shows read-only one claim of a statement line. The row it
// writes is its only result.
class frmExtractos_Lineas_Reclamacion_Datos : public host::Window {
  public:
    static constexpr int kBases = 5;

    explicit frmExtractos_Lineas_Reclamacion_Datos(host::Shell &shell);

    // Set by the opener before showing.
    long IdExtractoLinea = 0;
    long IdReclamacion = 0; // below 1: a new claim
    suite::Moneda CantidadMaximaReclamar;
    suite::Moneda TotalAnterior;
    bool SoloLectura = false;
    std::string FacturaFecha; // day-first date text
    std::string FacturaCodigo;

    std::string caption = "Reclamaciones de Pagos Centralizados";
    host::ComboField cboTiposReclamacion, cboConceptos;
    host::TextField txtFacturaCodigo;
    host::DateField txtFacturaFecha;
    host::TextField txtArticulosCodigo, txtArticulosDescripcion, txtObservaciones; // multi-line
    host::TextField txtPeriodoVigencia, txtFacturaDup;
    host::DateField txtVencimientoDup;
    host::TextField txtAlbaranNumero;
    host::DateField txtAlbaranFecha;
    host::TextField txtCantidadReclamada;
    host::Control frmImpuestos;
    // Rows 1 to 5 are elements 0 to 4; the operations below take the row number.
    std::array<host::TextField, kBases> txtBaseImponible;
    std::array<host::ComboField, kBases> cboIGIC;
    host::TextField txtTotalReclamacion;
    // Labels whose caption is their text: the two amount captions and the amounts themselves.
    host::Control lblCantidadMaxRec, lblCantidadMaximaReclamar, lblTotalReclamadoTexto, lblTotalReclamado, lblNota;
    host::Button cmdAceptar, cmdCancelar;

    void Form_Load() override;
    void CargarReclamacion();
    void InicializarSoloLectura();
    suite::Moneda CalculaTotalReclamado();
    bool ValidarDatos();
    void cmdAceptar_Click();
    void cmdCancelar_Click() { Close(); }
    void Form_KeyDown_Escape() { Close(); }

    void cboTiposReclamacion_Click();
    // Enter in one of the two catalogue combos.
    void cboTiposReclamacion_KeyEnter() { SiguienteCampo("cboTiposReclamacion"); }
    void cboConceptos_KeyEnter() { SiguienteCampo("cboConceptos"); }
    // A tax type chosen (click, or Enter in its combo) in row i (1..5).
    void cboIGIC_Click(int i);
    // Enter in, or leaving, the base box of row i (1..5).
    void txtBaseImponible_KeyEnter(int i);
    void txtBaseImponible_LostFocus(int i);

    // The rate a tax-type item shows ("7", "6,5"): how the combos and the batch command name a type.
    static std::string TextoTipo(suite::Moneda valor);
    // Whether the accept wrote the claim (the window closed through it).
    bool Grabado() const { return grabado_; }

  private:
    void Recalcular();
    void SiguienteCampo(const std::string &desde);
    bool Falla(bool falla, const std::string &mensaje, const char *control);
    int Modo() const;

    bool cargado_ = false;
    bool grabado_ = false;
    bool totalFallido_ = false; // the last CalculaTotalReclamado ended in its error trap
};

} // namespace claims
