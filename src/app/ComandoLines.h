#pragma once

#include "app/Args.h"

namespace app {

// pagocentral lines W CODE [--from D] [--to D] [--supplier N] [--document TEXT] [--central TEXT]
// The lines window of one statement, its visible columns plus the row's background colour.
int ComandoLines(const Args &args);

} // namespace app
