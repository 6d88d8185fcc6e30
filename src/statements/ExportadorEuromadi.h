#pragma once

#include "db/Connection.h"

#include <string>
#include <vector>

namespace suite {
class EmpresaVarnex;
}

namespace statements {

// The Euromadi ".eur" file of a statement: "INI", "LIN" and "TXT" fixed-width records reporting to
// the central organisation the lines the company will not pay, pays on another date or reissues.
// Written in Windows-1252 with CRLF.
class ExportadorEuromadi {
  public:
    struct Resultado {
        int lineas = 0;      // "LIN" records written; 0 writes no file
        std::string rechazo; // when set, nothing was written: names the line and the field
        std::vector<std::string> sinGln; // when set, nothing was written: ProveedoresSinGLN
    };

    ExportadorEuromadi(db::Connection &erp, const suite::EmpresaVarnex &empresa);

    // Suppliers of the lines to report that have no principal GLN, as "code - name", at most 10.
    std::vector<std::string> ProveedoresSinGLN(int almacen, const std::string &extracto) const;

    // Writes the file beside `ruta` and puts it in its place only when complete, so that a refusal
    // or an error leaves an earlier file of that name as it was. Suppliers without a principal GLN
    // are refused first, as a check before writing would; the check runs only when a line lacks one.
    Resultado Escribir(const std::string &ruta, int almacen, const std::string &extracto) const;

    // The lines to report, in the file's order.
    std::string Consulta(int almacen, const std::string &extracto) const;

  private:
    std::string Desde(int almacen, const std::string &extracto) const;

    db::Connection &erp_;
    const suite::EmpresaVarnex &empresa_;
};

} // namespace statements
