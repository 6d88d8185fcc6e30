#pragma once

#include "db/Connection.h"

#include <string>

namespace suite {
class EmpresaVarnex;
}

namespace statements {

// A statement as an Office Open XML workbook: sheet "Extracto", headings on row 1, one row per line
// (statement mode 2: one per linked payment forecast). Amounts are numbers, dates are dates.
class ExportadorExcel {
  public:
    // `baseContable`: the accounting database as three-part names give it (mode 2 only).
    ExportadorExcel(db::Connection &erp, const suite::EmpresaVarnex &empresa, std::string baseContable);

    // Writes the workbook beside `ruta` and puts it in place when complete; returns the data rows.
    int Escribir(const std::string &ruta, int modo, int almacen, const std::string &extracto) const;

    // The statement's lines as the workbook wants them, for `modo` 1 or 2.
    std::string Consulta(int modo, int almacen, const std::string &extracto) const;

  private:
    db::Connection &erp_;
    const suite::EmpresaVarnex &empresa_;
    std::string baseContable_;
};

} // namespace statements
