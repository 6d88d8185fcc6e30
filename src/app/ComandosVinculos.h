#pragma once

#include "app/Args.h"

namespace app {

// pagocentral link --line ID (--forecasts A,B | --documents K,L) [--unlink] [--yes]
int ComandoLink(const Args &args);
// pagocentral mark --line ID[,ID...] (--nopago | --clear | --due D) --obs1 TEXT [--obs2 ..] [--obs3 ..] [--obs4 ..]
int ComandoMark(const Args &args);
// pagocentral match ALMACEN EXTRACTO [--supplier N]
int ComandoMatch(const Args &args);

} // namespace app
