#pragma once

#include "app/Args.h"

namespace app {

// pagocentral entries [--yes] [--contra ACCOUNT] W:CODE [W:CODE ...]
int ComandoEntries(const Args &args);
// pagocentral journal [--from D] [--to D] [--entry N] [--accounting-company N]
int ComandoJournal(const Args &args);

} // namespace app
