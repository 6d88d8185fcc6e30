#pragma once

#include "host/Controls.h"
#include "host/Grid.h"
#include "host/Window.h"
#include "lines/BuscadorMaestros.h"
#include "suite/Configuracion.h"
#include "suite/Moneda.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace customers {

// The invoice lines of one customer statement, with the taxes of the current line.
class frmExtractos_Cliente_Lineas : public host::Window {
  public:
    enum Col { colProveedor, colNombre, colDocumento, colFecha, colImporte, colAtipicos, colObservaciones, colId };
    enum ColImp { colBase, colImpuesto, colTipo };
    static constexpr int kFilas = 7;

    explicit frmExtractos_Cliente_Lineas(host::Shell &shell, std::shared_ptr<suite::Configuracion> ajustes = nullptr);

    // Set before showing: the statement, and whether it is closed.
    long codCliente = 0;
    std::string fechaCobro; // dd/mm/yyyy
    bool soloLectura = false;

    std::string caption = "Facturas Pendientes de Cobros";
    host::DateField txtFechaI, txtFechaF, txtFechaFactura;
    host::LookupField txtProveedor, txtProveedor_Insert;
    host::TextField txtDocumento, txtDocumento_Insert, txtPorcAtipicos, txtObservaciones;
    host::ComboField cboAtipicos;
    host::Control fraImpuestos;
    host::Grid vsLineas, vsImpuestos;
    std::array<host::TextField, kFilas> txtTipo, txtBase, txtImporte_Imp;
    // The totals' texts are their captions.
    host::Control lblTBase, lblTImporte, lblTotal;
    host::Button cmdModificar, cmdEliminar, cmdModificarImp, cmdEliminarImp, cmdVolver;

    void Form_Load() override;
    void Cargar_Lineas();
    void Cargar_Impuestos();
    void txtFechaI_Change();
    void txtFechaF_Change();
    void txtFechaF_Enter() { Cargar_Lineas(); }
    void txtProveedor_Change();
    void txtProveedor_Enter() { Cargar_Lineas(); }
    void txtDocumento_Enter() { Cargar_Lineas(); }
    void txtProveedor_Insert_Change();
    // Presets the atypical agreement in force for the supplier on the invoice date.
    void txtFechaFactura_Enter();
    // Saves the entry row: a new line, or the one being modified.
    void txtObservaciones_Enter();
    // A base typed: the row's tax amount and the totals follow.
    void txtBase_Change(int fila);
    // Stores the editing rows as the current line's taxes and its amount.
    void txtBase_Enter(int fila);
    void vsLineas_RowColChange(int row);
    // The amount cell edited in the grid.
    void vsLineas_AfterEdit(int row, int col);
    void cmdModificar_Click();
    void cmdEliminar_Click();
    void cmdModificarImp_Click();
    void cmdEliminarImp_Click();
    void cmdVolver_Click() { Close(); }
    void Form_KeyDown_Escape();
    std::vector<lines::BuscadorMaestros::Fila> BuscarProveedores(const std::string &texto) const;

    bool Editando() const { return editando_; }
    // Whether the last save, confirmation or deletion changed the database.
    bool Guardado() const { return guardado_; }
    // Id of the line the grid's current row shows; 0 when none.
    long IdActual() const;

  private:
    void VaciarEntrada();
    void VaciarImpuestos();
    void CalcularTotales();
    std::optional<suite::Moneda> Base(int fila) const;
    bool Falta(bool falla, const char *mensaje, const char *control);
    void Recargar(long id);

    std::shared_ptr<suite::Configuracion> ajustes_;
    std::array<suite::Moneda, kFilas> tipos_{};
    bool editando_ = false;
    long idEditado_ = 0;
    bool guardado_ = false;
};

} // namespace customers
