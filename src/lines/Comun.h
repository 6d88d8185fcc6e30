#pragma once

#include "db/Field.h"
#include "host/Contexto.h"
#include "host/Controls.h"
#include "host/Grid.h"
#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <string>

// Small helpers shared by the controllers of the lines subsystem.
namespace lines::comun {

inline const char *kAtencion = "¡ Atención !";

inline host::Contexto &Ctx() { return host::Contexto::Global(); }

inline void Boton(host::Control &b, const char *name, const char *caption) {
    b.name = name;
    b.caption = caption;
}

// A grid cell or typed text as a whole number; anything unreadable is 0.
long Numero(const std::string &text);
// A date field as the grid shows it: "dd/mm/yyyy", with " hh:mm:ss" when it carries a time.
std::string FechaCampo(const db::Field &f, bool conHora = false);
inline suite::Moneda MonedaCampo(const db::Field &f) { return suite::Moneda::FromUnits(f.AsCurrencyUnits()); }
// base × rate / 100 to the cent, halves away from zero, without rounding twice on the way.
suite::Moneda Cuota(suite::Moneda base, suite::Moneda tipo);
// The accounting company of a warehouse of the ERP company (0 when none).
int EmpContableAlmacen(int codAlmacen);
// The accounting database as the module names it in three-part names.
std::string BaseContable();
// Column 0 of every data row, as the header check box sets it.
void MarcarTodas(host::Grid &grid, bool marcar);
// A click on column 0 or the space bar on the current row.
void Alternar(host::Grid &grid, int row);
// Restores a saved current and top row when they are still inside the grid, else row 1.
void RestaurarFila(host::Grid &grid, int fila, int superior);

} // namespace lines::comun
