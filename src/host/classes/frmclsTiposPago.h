#pragma once

#include "catalogues/frmTiposPago.h"
#include "host/classes/HostClass.h"
#include "host/classes/VentanaRetenida.h"

namespace host {

// Opens the payment types catalogue.
class frmclsTiposPago : public VentanaCatalogo<catalogues::frmTiposPago> {
  public:
    const char *ProgId() const override { return "VRNXComprasPagoCentral.frmclsTiposPago"; }
};

} // namespace host
