#pragma once

#include "host/Controls.h"
#include "host/Grid.h"
#include "host/Window.h"
#include "lines/BuscadorMaestros.h"
#include "suite/Configuracion.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace customers {

class frmExtractos_Cliente_Lineas;

// The customers' collection statements: list, quick-entry row, deletion, lines and entries.
class frmExtractos_Cliente : public host::Window {
  public:
    enum Col { colSel, colCliente, colNombre, colFechaCobro, colFechaCont, colImporte, colEstado };

    explicit frmExtractos_Cliente(host::Shell &shell, std::shared_ptr<suite::Configuracion> ajustes = nullptr);

    std::string caption = "Facturas Pendientes de Cobros";
    host::ComboField cboEstado;
    host::LookupField txtCliente, txtCliente_Insert;
    host::DateField txtFechaI, txtFechaF, txtFecha_Insert, txtCont_Insert;
    host::CheckField chkSelelecion_vsExtractos;
    host::Button cmdGenerarAsiento, cmdModificar, cmdImprimir, cmdPagos, cmdEliminar, cmdSalir;
    host::Grid vsExtractos;

    void Form_Load() override;
    void Cargar_Extractos();
    void cboEstado_Click();
    void txtFechaI_Change();
    void txtFechaF_Change();
    void txtFechaF_Enter();
    void txtCliente_Change();
    void txtCliente_Enter();
    void txtCliente_Insert_Change();
    void txtCliente_Insert_Enter();
    void txtFecha_Insert_Enter();
    // Saves the quick-entry row: a new statement, or the one being modified.
    void txtCont_Insert_Enter();
    std::vector<lines::BuscadorMaestros::Fila> BuscarClientes(const std::string &texto) const;

    void vsExtractos_Click(int row, int col);
    void vsExtractos_KeySpace();
    void vsExtractos_RowColChange(int row);
    void vsExtractos_DblClick();
    void chkSelelecion_vsExtractos_Click();
    void cmdModificar_Click();
    void cmdPagos_Click();
    void cmdImprimir_Click();
    void cmdEliminar_Click();
    // Accounts the ticked statements and closes them, all of them or none.
    void cmdGenerarAsiento_Click();
    void cmdSalir_Click() { Close(); }
    // Leaves edit mode when modifying; otherwise closes.
    void Form_KeyDown_Escape();

    bool Editando() const { return editando_; }
    // Whether the last quick-entry save stored its row.
    bool Guardado() const { return guardado_; }
    // Whether the last cmdEliminar_Click deleted its statements.
    bool Eliminado() const { return eliminado_; }
    // Whether the last cmdGenerarAsiento_Click committed its entries.
    bool Generado() const { return generado_; }
    // Numbers of the entries of the last run, each after a line break.
    std::string AsientosGenerados;

    // What the listing opens preset with: the current statement alone.
    struct Listado {
        std::string fechaI, fechaF;
        long clienteI = 0, clienteF = 0;
        bool cerrado = false;
    };
    // The listing dialog plugs in here; "&Imprimir" does nothing without it.
    std::function<void(const Listado &)> alImprimir;
    // Lets the program and tests see the lines window before it is shown.
    std::function<void(frmExtractos_Cliente_Lineas &)> alAbrirLineas;

  private:
    bool FilaDatos(int r) const { return r >= 1 && r <= vsExtractos.DataRows(); }
    void GuardarPosicion();
    void VaciarEntrada();
    bool Falta(bool falla, const char *mensaje, const char *control);
    // A statement whose entry reached the accounting but whose closing was lost: says so and is true.
    bool SinCerrar(long cliente, const std::string &fechaCobro);

    std::shared_ptr<suite::Configuracion> ajustes_;
    int filaGuardada_ = 0;
    int filaSuperior_ = 0;
    bool editando_ = false;
    long clienteEditado_ = 0;
    std::string fechaEditada_;
    int filaEditada_ = 0;
    bool guardado_ = false;
    bool eliminado_ = false;
    bool generado_ = false;
};

} // namespace customers
