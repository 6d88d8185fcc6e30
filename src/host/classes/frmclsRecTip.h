#pragma once

#include "claims/frmReclamacionTipos.h"
#include "host/classes/HostClass.h"
#include "host/classes/VentanaRetenida.h"

namespace host {

// Opens the claim types catalogue.
class frmclsRecTip : public VentanaCatalogo<claims::frmReclamacionTipos> {
  public:
    const char *ProgId() const override { return "VRNXComprasPagoCentral.frmclsRecTip"; }
};

} // namespace host
