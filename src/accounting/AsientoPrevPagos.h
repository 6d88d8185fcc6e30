#pragma once

#include "accounting/GeneradorAsiento.h"

namespace accounting {

// Statements linked to payment forecasts: one entry settling the linked forecasts against the
// contra account the user chooses.
class AsientoPrevPagos : public GeneradorAsiento {
  public:
    AsientoPrevPagos(host::Window &ventana, std::string &asientosGenerados);

    bool GenerarAsientoPrevPagos(const std::string &fechaVto, short almacen, const std::string &extracto);
};

} // namespace accounting
