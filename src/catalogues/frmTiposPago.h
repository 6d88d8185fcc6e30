#pragma once

#include "host/Window.h"

namespace catalogues {

// The payment types catalogue. Its operations arrive with the window's own work; until then it opens empty.
class frmTiposPago : public host::Window {
  public:
    explicit frmTiposPago(host::Shell &shell) : Window("frmTiposPago", shell) {}
};

} // namespace catalogues
