#pragma once

#include "app/Args.h"

namespace app {

// pagocentral customer list|add|modify|delete|lines|line add|line delete|entries ...
int ComandoCustomer(const Args &args);

} // namespace app
