#pragma once

#include "db/Connection.h"
#include "suite/Valor.h"

#include <string>
#include <string_view>

namespace suite {

// The accounting company object, over the accounting database.
class EmpresaLumbra {
  public:
    EmpresaLumbra(db::ConnectionPtr contabilidad, int codigo);

    int Codigo() const { return codigo_; }
    const db::ConnectionPtr &Conexion() const { return contabilidad_; }

    // A missing parameter (or a NULL value) reads as an empty text.
    Valor Parametro(std::string_view nombre) const;
    void EstablecerParametro(std::string_view nombre, const Valor &valor);

    // The fiscal year the accounts are looked up in; the current year until set.
    int Ejercicio() const { return ejercicio_; }
    void Ejercicio(int anio) { ejercicio_ = anio; }

    // Digits of an account; throws std::runtime_error when the company has no row in Empresas.
    int LongitudCuenta() const;

  private:
    db::ConnectionPtr contabilidad_;
    int codigo_;
    int ejercicio_;
};

} // namespace suite
