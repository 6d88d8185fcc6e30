#pragma once

#include "db/Connection.h"

#include <optional>
#include <string>

namespace accounting {

// The two databases commit one after the other: a run cut off between the two commits leaves
// the entries in the accounting database and the statement open in the ERP. So every statement
// accounted there is noted, in the accounting transaction itself, with the entries it got; a
// statement still open that has its note was accounted already, and is closed without a second
// entry. The note names the statement by its first line's id too, which is never reused, so a
// statement deleted and imported again under the same code is not taken for the old one.
class ExtractosContabilizados {
  public:
    ExtractosContabilizados(db::Connection &erp, db::Connection &contabilidad, long empresa)
        : erp_(erp), contabilidad_(contabilidad), empresa_(empresa) {}

    // The entries the statement got in a run whose ERP side was lost; nothing when it has none.
    std::optional<std::string> Asientos(long almacen, const std::string &extracto) const;
    // Notes the statement's entries; inside the accounting transaction of the run.
    void Anotar(long almacen, const std::string &extracto, const std::string &asientos) const;

  private:
    long PrimeraLinea(long almacen, const std::string &extracto) const;
    std::string Clave(long almacen, const std::string &extracto) const;

    db::Connection &erp_;
    db::Connection &contabilidad_;
    long empresa_;
};

} // namespace accounting
