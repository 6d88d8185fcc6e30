#pragma once

#include "host/Controls.h"
#include "host/Grid.h"
#include "host/Window.h"
#include "lines/BuscadorMaestros.h"
#include "lines/PosicionVentana.h"
#include "suite/Configuracion.h"

#include <memory>
#include <string>
#include <vector>

namespace lines {

// What the three linking windows share: a date range, a grid of documents with a tick column and
// its header box, and a position on screen kept between sessions.
class VentanaVinculos : public host::Window {
  public:
    host::DateField txtDesde, txtHasta;
    host::CheckField chkSelelecion_vsExtractos;
    host::Grid vsLineas;
    PosicionVentana posicion;

    virtual void Cargar_Lineas() = 0;
    void vsLineas_Click(int row, int col);
    void vsLineas_KeySpace();
    void chkSelelecion_vsExtractos_Click();
    void Form_KeyDown_Escape() { Close(); }

  protected:
    VentanaVinculos(const char *className, host::Shell &shell, std::shared_ptr<suite::Configuracion> ajustes);
    // The from and to dates from their saved keys, else the defaults; written back at once.
    void LeerFechas(const std::string &claveDesde, const std::string &claveHasta, const std::string &seccion,
                    const std::string &desde, const std::string &hasta);
    // Shows the progress text and clears the grid; false (after telling the user) when a date is
    // not one and `validar` asks for both.
    bool EmpezarCarga(std::string &desde, std::string &hasta, bool validar = true);
    void TerminarCarga();

    std::shared_ptr<suite::Configuracion> ajustes_;
};

// The two payment-forecast windows: an account box bound to the warehouse's accounting company.
class VentanaPrevisiones : public VentanaVinculos {
  public:
    host::LookupField txtCtaProveedor;

    void txtCtaProveedor_Change();
    void txtCtaProveedor_Enter() { Cargar_Lineas(); }
    // A double-click ticks, as the space bar does.
    void vsLineas_DblClick() { vsLineas_KeySpace(); }
    // Up on the first row: back to the account box.
    void vsLineas_KeyUp();
    std::vector<BuscadorMaestros::Fila> BuscarCuentas(const std::string &texto) const;
    int EmpContable() const { return empContable_; }

  protected:
    using VentanaVinculos::VentanaVinculos;
    int empContable_ = 0;
};

} // namespace lines
