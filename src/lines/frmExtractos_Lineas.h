#pragma once

#include "host/Window.h"
#include "suite/Fecha.h"

#include <string>

namespace lines {

// The lines of one statement. Takes its five inputs before it is shown.
class frmExtractos_Lineas : public host::Window {
  public:
    explicit frmExtractos_Lineas(host::Shell &shell) : Window("frmExtractos_Lineas", shell) {}
    bool extractoCerrado = false;
    int codAlmacen = 0;
    std::string codExtracto;
    suite::Fecha fechaExtracto;
    suite::Fecha fechaVto;
};

} // namespace lines
