#pragma once

#include "app/Args.h"

namespace app {

// pagocentral customer list|add|modify|delete|lines|line add|line delete|entries ...
int ComandoCustomer(const Args &args);
// pagocentral customer listing --model Detallado|Resumido --from D --to D --customer-from N
// --customer-to N [--state S] (--pdf FILE | --printer NAME)
int ComandoCustomerListing(const Args &args, int argc, char **argv);

} // namespace app
