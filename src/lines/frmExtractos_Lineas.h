#pragma once

#include "host/Controls.h"
#include "host/Grid.h"
#include "host/Window.h"
#include "lines/BuscadorMaestros.h"
#include "suite/Configuracion.h"
#include "suite/Fecha.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lines {

class frmExtractos_Lineas_Datos;

// The lines of one statement. Takes its five inputs before it is shown.
class frmExtractos_Lineas : public host::Window {
  public:
    enum Col {
        colSel, colProvCentral, colCtaProveedor, colCtaProveedorPdte, colProveedor, colNombreProveedor, colBI,
        colTipoPagoCodigo, colTipoPago, colDocumento, colDocCentral, colFecha, colImporte, colVinculado,
        colDiferencia, colIdLinea, colContCompras, colPP, colVinc, colRec, colAcre, colIdRelacion, colEmisorCodigo,
        colEmisor, colTipoFacturaCodigo, colTipoFactura, colNP, colNuevaFechaVto, colObs1, colObs2, colObs3,
        colObs4, colTipoPagoIniciales, kColumnas
    };
    // Context-menu commands of statement type 2.
    enum Menu { menuNoPago = 1, menuNuevaFechaVto = 2 };
    struct EntradaMenu {
        int id;
        std::string caption;
        bool enabled;
    };

    explicit frmExtractos_Lineas(host::Shell &shell, std::shared_ptr<suite::Configuracion> ajustes = nullptr);

    // Inputs.
    bool extractoCerrado = false;
    int codAlmacen = 0;
    std::string codExtracto;
    suite::Fecha fechaExtracto;
    suite::Fecha fechaVto;

    std::string caption = "Pagos Centralizados";
    host::DateField txtFechaI, txtFechaF;
    host::LookupField txtProv, txtAlmacen;
    host::TextField txtDocumento, txtDocumentoCentral, txtImporte;
    host::CheckField chkSelelecion_vsLineas;
    host::Button cmdAgregar, cmdModificar, cmdEliminar, cmdVincular, cmdAgregarFactura, cmdReclamar, cmdVolver;
    host::Grid vsLineas;
    // The "Popup" menu of statement type 2; empty in type 1.
    std::vector<EntradaMenu> Popup;

    void Form_Load() override;
    void Cargar_Lineas();
    void txtFechaI_Change();
    void txtFechaF_Change();
    void txtFechaF_Enter();
    void txtProv_Change();
    void txtProv_Enter();
    void txtImporte_Enter();
    void vsLineas_Click(int row, int col);
    void vsLineas_KeySpace();
    void vsLineas_RowColChange(int row);
    void vsLineas_DblClick();
    // Right button on the grid: true when the "Popup" menu is to be shown, its entries updated.
    bool vsLineas_MouseDownRight();
    void chkSelelecion_vsLineas_Click();
    void cmdAgregar_Click();
    void cmdModificar_Click();
    void cmdEliminar_Click();
    void cmdVincular_Click();
    void cmdAgregarFactura_Click();
    void cmdReclamar_Click();
    void CommandBars_Execute(int id);
    void cmdVolver_Click() { Close(); }
    void Form_KeyDown_Escape() { Close(); }

    // Printing: the lines as they stand, through the grid print engine.
    host::Button cmdImprimir;
    void cmdImprimir_Click();
    void Form_KeyDown_F9();

    // Whether the current line may be linked (cmdVincular, F9, double-click).
    bool LineaVinculable() const;
    int Modo() const;
    std::vector<BuscadorMaestros::Fila> BuscarProveedores(const std::string &texto) const;
    int FilaGuardada() const { return filaGuardada_; }
    int FilaBusqueda() const { return filaBusqueda_; }
    void Ajustes(std::shared_ptr<suite::Configuracion> ajustes) { ajustes_ = std::move(ajustes); }
    // Lets the program and tests see the line editor before it is shown.
    std::function<void(frmExtractos_Lineas_Datos &)> alAbrirDatos;

  private:
    void GuardarPosicion();
    void EstadoBotones();
    // Rewrites the tax rows of line `id` from the editor's breakdown (statement type 1).
    void GrabarImpuestos(const frmExtractos_Lineas_Datos &datos, long id);
    // The windows of later work (linking, forecast import, claims, context-menu commands): each
    // returns true when it changed data, so that the caller saves the position and reloads.
    bool AbrirVinculacion();
    bool AbrirImportarPrevPagos();
    bool AbrirReclamaciones();
    bool EjecutarMenu(int id);
    // Whether the statement's header says it is closed.
    bool ExtractoCerrado() const;

    std::shared_ptr<suite::Configuracion> ajustes_;
    int modo_ = 0; // statement type of the last load, for the row-change rules
    int filaGuardada_ = 0;
    int filaSuperior_ = 0;
    int filaBusqueda_ = 1;
};

} // namespace lines
