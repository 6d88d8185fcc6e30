#pragma once

#include "host/Shell.h"
#include "lines/frmExtractos_Lineas.h"

#include <string>
#include <vector>

namespace app {

// The items of a comma-separated option, without blanks; empty items dropped.
std::vector<std::string> Lista(const std::string &text);
// The whole numbers of a comma-separated option; refused, naming `what`, when one is not a number or none is given.
std::vector<long> Ids(const std::string &text, const std::string &what);
// The lines window of the statement that holds `idLinea`, loaded with every date, the way the user
// would have it open; the load itself reports nothing.
void AbrirLineas(lines::frmExtractos_Lineas &w, host::Shell &shell, long idLinea);
// The grid row of line `id`; refused when the line is not in the window.
int FilaDe(const lines::frmExtractos_Lineas &w, long id);

} // namespace app
