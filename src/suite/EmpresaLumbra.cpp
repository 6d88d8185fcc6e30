#include "suite/EmpresaLumbra.h"

#include "db/Sql.h"
#include "suite/Fecha.h"

#include <stdexcept>

namespace suite {

EmpresaLumbra::EmpresaLumbra(db::ConnectionPtr contabilidad, int codigo)
    : contabilidad_(std::move(contabilidad)), codigo_(codigo), ejercicio_(Fecha::Hoy().Anio()) {}

Valor EmpresaLumbra::Parametro(std::string_view nombre) const {
    auto rs = contabilidad_->OpenRecordset("SELECT TOP 1 Valor FROM Parametros WHERE Cod_Empresa =" +
                                           std::to_string(codigo_) + " AND Nombre = " + db::Quote(nombre));
    if (rs->Eof() || rs->Fields(0).IsNull()) {
        return Valor(std::string());
    }
    return ValorDe(rs->Fields(0));
}

void EmpresaLumbra::EstablecerParametro(std::string_view nombre, const Valor &valor) {
    std::string empresa = std::to_string(codigo_);
    std::string texto = db::Quote(valor.ToText());
    long n = contabilidad_->Execute("UPDATE Parametros SET Valor = " + texto +
                                    " WHERE Cod_Empresa =" + empresa + " AND Nombre = " + db::Quote(nombre));
    if (n == 0) {
        contabilidad_->Execute("INSERT INTO Parametros (Cod_Empresa, Nombre, Valor) VALUES (" + empresa +
                               ", " + db::Quote(nombre) + ", " + texto + ")");
    }
}

int EmpresaLumbra::LongitudCuenta() const {
    auto rs = contabilidad_->OpenRecordset("SELECT LongitudCuenta FROM Empresas WHERE Codigo =" +
                                           std::to_string(codigo_));
    if (rs->Eof()) {
        throw std::runtime_error("No existe la empresa " + std::to_string(codigo_) + " en la contabilidad");
    }
    return static_cast<int>(ValorDe(rs->Fields(0)).ToLong());
}

} // namespace suite
