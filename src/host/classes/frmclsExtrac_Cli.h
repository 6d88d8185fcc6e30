#pragma once

#include "customers/frmExtractos_Cliente.h"
#include "customers/frmExtractos_Cliente_Listado.h"
#include "host/classes/HostClass.h"
#include "host/classes/VentanaRetenida.h"

namespace host {

// Opens the customer statement list; its "&Imprimir" opens the listing preset to the statement.
class frmclsExtrac_Cli : public VentanaRetenida<customers::frmExtractos_Cliente, HostClassLumbra> {
  public:
    const char *ProgId() const override { return "VRNXComprasPagoCentral.frmclsExtrac_Cli"; }

  protected:
    void Preparar(customers::frmExtractos_Cliente &w) override {
        w.alImprimir = [&w](const customers::frmExtractos_Cliente::Listado &l) {
            customers::frmExtractos_Cliente_Listado d(w.Ui());
            d.FechaInicial = l.fechaI;
            d.FechaFinal = l.fechaF;
            d.ClienteInicial = l.clienteI;
            d.ClienteFinal = l.clienteF;
            d.Cerrado = l.cerrado;
            d.Show(1);
        };
    }
};

} // namespace host
