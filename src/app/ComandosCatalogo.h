#pragma once

#include "app/Args.h"

namespace app {

// pagocentral catalog (payment-types|claim-types|claim-concepts) (list | add CODE NAME [TYPE] |
// modify CODE NAME [TYPE] | delete CODE [--yes])
int ComandoCatalog(const Args &args);
// pagocentral print (payment-types|claim-types|claim-concepts|statements) [--pdf FILE] [--printer NAME]
int ComandoPrint(const Args &args, int argc, char **argv);

} // namespace app
