#pragma once

#include "host/Shell.h"

#include <string>

namespace host {

inline constexpr const char *kProgresoPorDefecto = "Realizando operación, espere por favor...";

// Shows or hides the single progress window; never lets an error out.
void MostrarProgreso(Shell &shell, bool visible, const std::string &texto = "");

// Width of the progress window in twips for a message: its measured width plus 2500.
int AnchoProgreso(int textWidthTwips);

} // namespace host
