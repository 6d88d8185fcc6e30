#pragma once

#include "host/Window.h"

namespace customers {

// The customer collection statement list. Its operations arrive with the window's own work; until then it opens empty.
class frmExtractos_Cliente : public host::Window {
  public:
    explicit frmExtractos_Cliente(host::Shell &shell) : Window("frmExtractos_Cliente", shell) {}
};

} // namespace customers
