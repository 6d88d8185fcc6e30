#pragma once

#include "claims/frmReclamacionConceptos.h"
#include "host/classes/HostClass.h"
#include "host/classes/VentanaRetenida.h"

namespace host {

// Opens the claim concepts catalogue.
class frmclsRecConcep : public VentanaCatalogo<claims::frmReclamacionConceptos> {
  public:
    const char *ProgId() const override { return "VRNXComprasPagoCentral.frmclsRecConcep"; }
};

} // namespace host
