#pragma once

#include "app/Args.h"
#include "app/DataFolder.h"
#include "host/Shell.h"

namespace app {

// What a host application does before it shows a window: opens both databases of the data folder,
// builds the two company objects and hands everything to the shared context with the given shell.
void AbrirSesion(const Args &args, host::Shell &shell);


} // namespace app
