#pragma once

#include "claims/frmExtractos_Lineas_Reclamacion_Visor.h"
#include "host/classes/HostClass.h"
#include "host/classes/VentanaRetenida.h"

namespace host {

// Opens the claims viewer.
class frmclsVisor_Rec : public VentanaRetenida<claims::frmExtractos_Lineas_Reclamacion_Visor, HostClass> {
  public:
    const char *ProgId() const override { return "VRNXComprasPagoCentral.frmclsVisor_Rec"; }
};

} // namespace host
