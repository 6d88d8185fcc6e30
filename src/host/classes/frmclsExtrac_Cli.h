#pragma once

#include "customers/frmExtractos_Cliente.h"
#include "host/classes/HostClass.h"
#include "host/classes/VentanaRetenida.h"

namespace host {

// Opens the customer statement list.
class frmclsExtrac_Cli : public VentanaRetenida<customers::frmExtractos_Cliente, HostClassLumbra> {
  public:
    const char *ProgId() const override { return "VRNXComprasPagoCentral.frmclsExtrac_Cli"; }
};

} // namespace host
