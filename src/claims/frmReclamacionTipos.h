#pragma once

#include "host/Window.h"

namespace claims {

// The claim types catalogue. Its operations arrive with the window's own work; until then it opens empty.
class frmReclamacionTipos : public host::Window {
  public:
    explicit frmReclamacionTipos(host::Shell &shell) : Window("frmReclamacionTipos", shell) {}
};

} // namespace claims
