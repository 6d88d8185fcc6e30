#pragma once

#include "app/Args.h"
#include "host/Grid.h"

#include <ostream>
#include <string>
#include <vector>

namespace host {
class ConsoleShell;
}
namespace statements {
class frmExtractos;
}

namespace app {

// The grid's visible columns as tab-separated text under a header row; cells keep no tabs or breaks.
void ImprimirGrid(const host::Grid &grid, std::ostream &out);
// The date option as typed, refused unless it is a real dd/mm/yyyy date.
std::string FechaOpcion(const Args &args, const char *opt);
// A whole number, refused with `what` in the message otherwise.
long Numero(const std::string &text, const std::string &what);

// Shows the list on every statement, whatever its date or state, without touching the saved filters;
// only the load with those filters reports to the console.
void ListaCompleta(statements::frmExtractos &w, host::ConsoleShell &console);
// The list's row of statement CODE of warehouse W; refused when the list does not show it.
int FilaExtracto(const statements::frmExtractos &w, long almacen, const std::string &codigo);
// Ticks the statements given as W:CODE; an unknown or badly written one is refused.
void MarcarExtractos(statements::frmExtractos &w, const std::vector<std::string> &claves);

// Opens the statement list with the filters of the command line (--state, --from, --to, --warehouse, --code).
void AbrirConFiltros(statements::frmExtractos &w, const Args &args, host::ConsoleShell &console);
// pagocentral statements [--state ABIERTO|CERRADO|TODOS] [--from D] [--to D] [--warehouse N] [--code TEXT]
int ComandoStatements(const Args &args);
// Answers the deletion's confirmation window: today's date and Aceptar with --yes, else Cancelar;
// `confirmado` receives what the window ended with.
void ResponderConfirmarEliminar(host::ConsoleShell &console, bool yes, bool &confirmado);
// pagocentral delete [--yes] W:CODE [W:CODE ...]
int ComandoDelete(const Args &args);
// pagocentral export W CODE FILE
int ComandoExport(const Args &args);

} // namespace app
