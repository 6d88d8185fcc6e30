#pragma once

#include "app/Args.h"

namespace app {

// pagocentral import FILE: the statement list's "&Importar" with FILE chosen in its import window;
// the statement mode and the file name pick the parser. 0 when the file was stored, 1 otherwise.
int ComandoImport(const Args &args);

} // namespace app
