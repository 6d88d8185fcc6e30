#pragma once

#include "app/Args.h"

#include <functional>

namespace host {
class ConsoleShell;
}

namespace app {

// pagocentral catalog (payment-types|claim-types|claim-concepts) (list | add CODE NAME [TYPE] |
// modify CODE NAME [TYPE] | delete CODE [--yes])
int ComandoCatalog(const Args &args);
// pagocentral print (payment-types|claim-types|claim-concepts|statements) [--pdf FILE] [--printer NAME]
int ComandoPrint(const Args &args, int argc, char **argv);
// Opens the session on a console whose report viewer writes --pdf FILE or prints on --printer NAME,
// runs `accion`, and returns 0 when a report came out without warnings.
int ImprimirConConsola(const Args &args, int argc, char **argv,
                       const std::function<void(host::ConsoleShell &)> &accion);

} // namespace app
