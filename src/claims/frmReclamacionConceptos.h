#pragma once

#include "host/Window.h"

namespace claims {

// The claim concepts catalogue. Its operations arrive with the window's own work; until then it opens empty.
class frmReclamacionConceptos : public host::Window {
  public:
    explicit frmReclamacionConceptos(host::Shell &shell) : Window("frmReclamacionConceptos", shell) {}
};

} // namespace claims
