#pragma once

#include "app/Args.h"
#include "host/Grid.h"

#include <ostream>

namespace app {

// The grid's visible columns as tab-separated text under a header row; cells keep no tabs or breaks.
void ImprimirGrid(const host::Grid &grid, std::ostream &out);

// pagocentral statements [--state ABIERTO|CERRADO|TODOS] [--from D] [--to D] [--warehouse N] [--code TEXT]
int ComandoStatements(const Args &args);
// pagocentral delete [--yes] W:CODE [W:CODE ...]
int ComandoDelete(const Args &args);

} // namespace app
