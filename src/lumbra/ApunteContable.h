#pragma once

#include "db/Connection.h"
#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <string>
#include <string_view>

namespace suite {
class EmpresaLumbra;
}

namespace lumbra {

// One line of an accounting entry: filled field by field, then appended.
class ApunteContable {
  public:
    ApunteContable(db::Connection &conexion, const suite::EmpresaLumbra &empresa)
        : conexion_(&conexion), empresa_(&empresa) {}

    long asiento = 0;
    suite::Fecha fecha, fechaValor;
    std::string cuenta;
    std::string concepto;
    // The accounting concept the text came from, 0 when it was typed as a text.
    int codigoConcepto = 0;
    std::string documento;
    int tipo = 1;
    int almacen = 0;
    suite::Moneda debe, haber;

    // Writes the line as the next of its entry; returns its line number.
    int Anadir();
    // Line number of the last line appended.
    int Linea() const { return linea_; }

    // Name of `cuenta` in the company's chart for its fiscal year; empty when it has none.
    std::string NombreCuenta() const;

    // Replaces "%MARCA%" by `valor`, and "%MARCA$N%" by at most the first N characters of it.
    static std::string Sustituir(std::string texto, std::string_view marca, std::string_view valor);
    // Text of the concept a parameter names: its value, or the concept table's text when the value
    // is a concept code. `codigo` receives that code, or 0.
    static std::string ConceptoParametro(const suite::EmpresaLumbra &empresa, std::string_view parametro,
                                         int *codigo = nullptr);

  private:
    db::Connection *conexion_;
    const suite::EmpresaLumbra *empresa_;
    long asientoNumerado_ = 0;
    int ejercicioNumerado_ = 0;
    int linea_ = 0;
    // An entry's lines share their dates: formatted once.
    suite::Fecha fechaTexto_, fechaValorTexto_;
    std::string textoFecha_, textoFechaValor_;
    std::string sql_;
};

} // namespace lumbra
