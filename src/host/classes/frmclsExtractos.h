#pragma once

#include "statements/frmExtractos.h"
#include "host/classes/HostClass.h"
#include "host/classes/VentanaRetenida.h"

namespace host {

// Opens the supplier statement list.
class frmclsExtractos : public VentanaRetenida<statements::frmExtractos, HostClassLumbra> {
  public:
    const char *ProgId() const override { return "VRNXComprasPagoCentral.frmclsExtractos"; }
};

} // namespace host
