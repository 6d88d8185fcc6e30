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

namespace lines {
class frmExtractos_Lineas;
}
namespace accounting {
struct RelojFicheros;
}

namespace statements {

class ArchivoZip;

// The list of the company's supplier statements.
class frmExtractos : public host::Window {
  public:
    enum Col { colSel, colAlmacen, colNombreAlmacen, colExtracto, colFecha, colFechaVto, colImporte, colAcumulado,
               colDiferencia, colEstado };

    explicit frmExtractos(host::Shell &shell, std::shared_ptr<suite::Configuracion> ajustes = nullptr);

    host::LookupField txtAlmacen;
    host::TextField txtNumExtracto;
    host::DateField txtFechaI, txtFechaF;
    host::ComboField cboEstado;
    host::CheckField chkSelelecion_vsExtractos;
    host::Button cmdImportar, cmdPagos, cmdCasacionAut, cmdExportar, cmdGenerarAsiento, cmdEliminar, cmdSalir;
    host::Grid vsExtractos;

    void Form_Load() override;
    void Cargar_Extractos();
    void cboEstado_Click();
    void txtFechaF_Enter();
    void txtFechaI_Change();
    void txtFechaF_Change();
    void txtAlmacen_Enter();
    // The warehouse box's name follows its code; an unknown code leaves the name empty.
    void txtAlmacen_Change();
    std::vector<lines::BuscadorMaestros::Fila> BuscarAlmacenes(const std::string &texto) const;
    void vsExtractos_Click(int row, int col);
    void vsExtractos_KeySpace();
    void vsExtractos_RowColChange(int row);
    void vsExtractos_DblClick();
    void chkSelelecion_vsExtractos_Click();
    void cmdPagos_Click();
    void cmdEliminar_Click();
    // Links the current statement's lines to the pending payment forecasts that fit them.
    void cmdCasacionAut_Click();
    void cmdImportar_Click();
    // Writes the current statement to the file the user names: a workbook, or in statement mode 2
    // the central organisation's ".eur" file and its archive.
    void cmdExportar_Click();
    void ExportarExtracto_Excel(const std::string &ruta, int almacen, const std::string &extracto);
    void ExportarExtracto_Euromadi(const std::string &ruta, int almacen, const std::string &extracto);
    // "EM0088.zip" in `carpeta` (ending in the separator) holding `fichero` alone.
    bool Generar_Zip(const std::string &carpeta, const std::string &fichero);
    // Accounts the ticked statements and closes them, all of them or none.
    void cmdGenerarAsiento_Click();
    void cmdSalir_Click() { Close(); }
    void Form_KeyDown_Escape() { Close(); }

    // Printing: the list as it stands, through the grid print engine.
    host::Button cmdImprimir;
    void cmdImprimir_Click();

    int FilaGuardada() const { return filaGuardada_; }
    // Whether the last cmdImportar_Click stored its file (for the batch command's exit code).
    bool Importado() const { return importado_; }
    // Whether the last cmdCasacionAut_Click ran the matching (the prompt was accepted and nothing failed).
    bool Casado() const { return ejecutado_; }
    // Whether the last cmdGenerarAsiento_Click committed its entries and closed its statements.
    bool Generado() const { return generado_; }
    // Numbers of the entries of the last run, each after a line break.
    std::string AsientosGenerados;
    // Paths of the Sage 200 files the last run wrote (they stay even when the run is rolled back).
    std::vector<std::string> FicherosGenerados;
    // Names the Sage 200 files (none: the system clock); tests set a clock of their own.
    std::shared_ptr<accounting::RelojFicheros> relojFicheros;
    // Paths the last cmdExportar_Click wrote: the file, then the archive.
    std::vector<std::string> Exportados;
    // Lets tests reach the archive before it is written.
    std::function<void(ArchivoZip &)> alComprimir;
    // Lets the program and tests see the lines window before it is shown.
    std::function<void(lines::frmExtractos_Lineas &)> alAbrirLineas;

  private:
    int Modo() const;
    void GuardarPosicion();

    std::shared_ptr<suite::Configuracion> ajustes_;
    int filaGuardada_ = 0;
    int filaSuperior_ = 0;
    bool importado_ = false;
    bool ejecutado_ = false;
    bool generado_ = false;
};

} // namespace statements
