#pragma once

#include "host/Window.h"

namespace claims {

// The claims viewer. Its operations arrive with the window's own work; until then it opens empty.
class frmExtractos_Lineas_Reclamacion_Visor : public host::Window {
  public:
    explicit frmExtractos_Lineas_Reclamacion_Visor(host::Shell &shell) : Window("frmExtractos_Lineas_Reclamacion_Visor", shell) {}
};

} // namespace claims
