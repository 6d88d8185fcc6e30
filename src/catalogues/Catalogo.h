#pragma once

#include "host/Controls.h"
#include "host/Grid.h"
#include "host/Window.h"

#include <memory>
#include <string>

namespace catalogues {

// The entry dialog of a code-and-name catalogue: code, name and (some catalogues) an external
// type. On return it holds what was entered, with `aceptado` set; nothing when cancelled.
class CatalogoDatos : public host::Window {
  public:
    CatalogoDatos(const char *clase, host::Shell &shell, std::string titulo, bool conTipo);

    // Given before showing (empty for a new entry), read after.
    short codigo = 0;
    std::string nombre, tipo;
    bool editar = false; // the code is locked
    // Lengths of the table's `Nombre` and `Tipo` columns.
    std::size_t largoNombre = 100, largoTipo = 10;
    bool aceptado = false;

    std::string caption;
    host::TextField txtCodigo, txtNombre, txtTipo;
    host::Button cmdAceptar, cmdCancelar;

    void Form_Load() override;
    void cmdAceptar_Click();
    void cmdCancelar_Click() { Close(); }
    void Form_KeyDown_Escape() { Close(); }

  protected:
    // The checks of this catalogue in their order; false after telling the user.
    virtual bool Comprobar() = 0;
    bool Rechazar(const char *texto, const char *campo);
    // Name and type fit their columns; false after telling the user.
    bool CabenEnColumnas();
    // The code box as a 16-bit code; 0 when empty, unreadable or out of range.
    short CodigoEscrito() const;
};

// A list window of a catalogue: the entries in a grid, added, changed and deleted through the
// entry dialog, and printed through the grid print engine.
class Catalogo : public host::Window {
  public:
    Catalogo(const char *clase, host::Shell &shell, std::string titulo, bool conTipo);

    enum Columna { colCodigo = 0, colNombre = 1, colTipo = 2 };
    std::string caption;
    host::Grid vsLineas;
    host::Button cmdAgregar, cmdModificar, cmdEliminar, cmdImprimir, cmdSalir;

    void Form_Load() override;
    void Cargar();
    void cmdAgregar_Click();
    void cmdModificar_Click();
    void cmdEliminar_Click();
    void cmdImprimir_Click();
    void cmdSalir_Click() { Close(); }
    void vsLineas_RowColChange(int row) { vsLineas.row = row; }

  protected:
    virtual void Columnas() = 0;
    virtual std::string SqlCargar() const = 0;
    virtual std::string SqlDuplicado(const CatalogoDatos &d) const = 0;
    virtual std::string SqlAgregar(const CatalogoDatos &d) const = 0;
    virtual std::string SqlModificar(const CatalogoDatos &d) const = 0;
    virtual std::string SqlEliminar(short codigo) const = 0;
    virtual std::unique_ptr<CatalogoDatos> Dialogo() = 0;
    // After adding: the new entry current (false: the last row, as the claim catalogues do).
    virtual bool FilaDelNuevo() const { return true; }

    bool conTipo_;

  private:
    void Botones();
};

} // namespace catalogues
