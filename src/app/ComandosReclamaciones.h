#pragma once

#include "app/Args.h"

namespace app {

// pagocentral claim list|add|modify|delete|viewer|export|mark ...: the claims of a line through the
// lines window's "&Reclamar", and the claims viewer.
int ComandoClaim(const Args &args);
// The claims viewer's list with the filters of `claim viewer`.
int ComandoVisorReclamaciones(const Args &args);

} // namespace app
