#pragma once

#include "app/Args.h"

namespace app {

// Opens the supplier statement list through its host class, as the suite's host application does,
// and runs the windows until the last one closes.
int ComandoGui(const Args &args, int argc, char **argv);

} // namespace app
