#pragma once

#include "host/Controls.h"
#include "host/Window.h"
#include "lines/BuscadorMaestros.h"
#include "suite/Moneda.h"

#include <array>
#include <string>
#include <vector>

namespace lines {

// The dialog in which one statement line is entered or corrected. It only collects and checks the
// values; the lines window writes them.
class frmExtractos_Lineas_Datos : public host::Window {
  public:
    // Tax rows shown: index 0 is the exempt row, 1 to 6 the suite's tax types.
    static constexpr int kFilas = 7;
    static constexpr int kIndices = 11;

    explicit frmExtractos_Lineas_Datos(host::Shell &shell);

    // Values exchanged with the lines window: set before showing when a line is edited, read after.
    long idExtractoLinea = 0;
    int codAlmacen = 0;
    long codProveedor = 0;
    std::string ctaProveedor;
    std::string ctaProveedorPdte;
    suite::Moneda importePago;
    bool prontoPago = false;
    int tipoPago = 0;
    std::string documento;
    std::string documentoCentral;
    std::string fecha; // day-first date text; "" when none
    long codProveedorCentral = 0;
    bool acreedor = false;
    int emisor = 0;      // 0 none, 1 "Socio", 2 "Proveedor"
    int tipoFactura = 0; // 0 none, 1 "Mercancía", 2 "Servicio"
    bool vinculado = false;
    bool aceptado = false;
    std::array<suite::Moneda, kIndices> Impuestos_Base{};
    std::array<suite::Moneda, kIndices> Impuestos_Importe{};
    std::array<suite::Moneda, kIndices> Impuestos_Tipo{};

    std::string caption = "Datos de la línea de extracto";
    host::LookupField txtProveedor, txtCtaProveedor, txtCtaProveedorPdte;
    host::Control lblCtaProveedorPdte, lblProveedorCentral;
    host::TextField txtDocumento, txtDocumentoCentral, txtImportePago, txtProveedorCentral;
    host::DateField txtFecha;
    host::CheckField chkDescuentoProntoPago, chkAcreedor;
    host::ComboField cboTipoPago;
    host::Control fraImpuestos, fraEmisor, fraTipoFactura;
    std::array<host::TextField, kFilas> txtTipo, txtBase, txtImporte_Imp;
    // The totals' texts are their captions.
    host::Control lblTBase, lblTImporte, lblTotal;
    std::array<host::CheckField, 2> optEmisor, optTipoFactura;
    host::Button cmdAceptar, cmdCancelar;

    void Form_Load() override;
    void txtProveedor_Change();
    void txtCtaProveedor_Change();
    void txtCtaProveedorPdte_Change();
    void txtBase_Change(int fila);
    void txtFecha_Change();
    void cmdAceptar_Click();
    void cmdCancelar_Click() { Close(); }
    void Form_KeyDown_Escape() { Close(); }

    // The search lists of the lookup boxes.
    std::vector<BuscadorMaestros::Fila> BuscarProveedores(const std::string &texto) const;
    std::vector<BuscadorMaestros::Fila> BuscarCuentas(const std::string &texto) const;

    int Modo() const { return modo_; }
    int EmpContable() const { return empContable_; }
    bool RegimenEspecial() const { return regimen_; }
    // Whether tax type i (1..6) exists at the line's date; row 0 always does.
    bool TipoExiste(int fila) const { return existe_[static_cast<std::size_t>(fila)]; }
    // Whether row i (0..6) is open to the user and rewritten on acceptance. A row whose type does
    // not exist at the date, or whose stored rows the dialog cannot show as one editable row
    // (several rows of one type, an exempt row with tax), is shown as stored and left alone.
    bool FilaEditable(int fila) const;

  private:
    void CargarTipos();
    // A row left as stored: its rows' base, rate and tax amount, locked.
    bool Conservada(std::size_t k) const { return guardadas_[k] > 0 && !FilaEditable(static_cast<int>(k)); }
    void MostrarGuardada(std::size_t k);
    void CalcularFila(int fila);
    void CalcularTotales();
    bool Falta(bool falla, const char *mensaje, const char *control);

    int modo_ = 0;
    int empContable_ = 0;
    bool regimen_ = false;
    std::array<bool, kFilas> existe_{};
    // The line's stored tax rows per shown index: how many, summed base and tax, first rate.
    std::array<int, kFilas> guardadas_{};
    std::array<suite::Moneda, kFilas> baseGuardada_{}, tipoGuardado_{}, cuotaGuardada_{};
};

} // namespace lines
