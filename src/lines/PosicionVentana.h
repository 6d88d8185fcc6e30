#pragma once

#include "suite/Configuracion.h"

#include <string>

namespace lines {

// Where a window was last left on screen, in twips, kept in the settings store under "<window>\Form". Zero
// width means "never saved": the view then picks its own size.
struct PosicionVentana {
    int top = 0, left = 0, width = 0, height = 0;

    static PosicionVentana Leer(const suite::Configuracion &ajustes, const std::string &ventana);
    void Guardar(suite::Configuracion &ajustes, const std::string &ventana) const;
};

} // namespace lines
