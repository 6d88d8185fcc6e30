#include "suite/EmpresaVarnex.h"

#include "db/Sql.h"
#include "suite/Formato.h"

#include <stdexcept>

namespace suite {

EmpresaVarnex::EmpresaVarnex(db::ConnectionPtr erp, int codigo)
    : erp_(std::move(erp)), codigo_(codigo), fechaTrabajo_(Fecha::Hoy()) {}

Valor EmpresaVarnex::Empresa(const char *columna) const {
    auto rs = erp_->OpenRecordset(std::string("SELECT ") + columna +
                                  " FROM Empresas WHERE Codigo =" + std::to_string(codigo_));
    if (rs->Eof()) {
        throw std::runtime_error("No existe la empresa " + std::to_string(codigo_) + " en Empresas");
    }
    return ValorDe(rs->Fields(0));
}

int EmpresaVarnex::DecimalesImporte() const {
    return static_cast<int>(Empresa("DecimalesImporte").ToLong());
}

int EmpresaVarnex::RaizCuentaProveedor() const {
    return static_cast<int>(Empresa("RaizCuentaProveedor").ToLong());
}

std::string EmpresaVarnex::PathAplicacion() const {
    return Empresa("PathAplicacion").ToText();
}

std::string EmpresaVarnex::Nombre() const { return Empresa("Nombre").ToText(); }

int EmpresaVarnex::EjercicioCerrado(int anio) const {
    auto rs = erp_->OpenRecordset("SELECT ISNULL(Cerrado, 0) AS Cerrado FROM Ejercicios WHERE Cod_Empresa =" +
                                  std::to_string(codigo_) + " AND Codigo =" + std::to_string(anio));
    if (rs->Eof()) {
        return 0;
    }
    return ValorDe(rs->Fields(0)).ToLong() != 0 ? 1 : 0;
}

int EmpresaVarnex::EjercicioActual() const {
    return Fecha::Hoy().Anio();
}

Valor EmpresaVarnex::Parametro(std::string_view nombre) const {
    auto rs = erp_->OpenRecordset("SELECT TOP 1 Valor FROM Empresas_Parametros WHERE Cod_Empresa =" +
                                  std::to_string(codigo_) + " AND Nombre = " + db::Quote(nombre));
    if (rs->Eof() || rs->Fields(0).IsNull()) {
        return Valor(std::string());
    }
    return ValorDe(rs->Fields(0));
}

void EmpresaVarnex::EstablecerParametro(std::string_view nombre, const Valor &valor) {
    std::string empresa = std::to_string(codigo_);
    std::string texto = db::Quote(valor.ToText());
    long n = erp_->Execute("UPDATE Empresas_Parametros SET Valor = " + texto +
                           " WHERE Cod_Empresa =" + empresa + " AND Nombre = " + db::Quote(nombre));
    if (n == 0) {
        erp_->Execute("INSERT INTO Empresas_Parametros (Cod_Empresa, Nombre, Valor) VALUES (" + empresa +
                      ", " + db::Quote(nombre) + ", " + texto + ")");
    }
}

Moneda EmpresaVarnex::Tipo(int indice, const char *columna) const {
    if (indice < 1 || indice > 6) {
        throw std::out_of_range("Tipo de impuesto fuera de 1..6: " + std::to_string(indice));
    }
    std::string fecha = "'" + Formato::Instancia().FechaTexto(fechaTrabajo_) + "'";
    // The latest period that started by the working date wins when periods overlap.
    auto rs = erp_->OpenRecordset(
        std::string("SELECT TOP 1 ISNULL(") + columna + ", 0) AS Valor FROM Igic_Tipos" +
        " WHERE Cod_Empresa =" + std::to_string(codigo_) + " AND Tipo =" + std::to_string(indice) +
        " AND FechaI <= " + fecha + " AND (FechaF >= " + fecha +
        " OR FechaF = '01/01/1900' OR FechaF IS NULL)" + " ORDER BY FechaI DESC");
    if (rs->Eof()) {
        return Moneda();
    }
    return ValorDe(rs->Fields(0)).ToMoneda();
}

Moneda EmpresaVarnex::TipoImpuesto(int indice) const {
    return Tipo(indice, "Imp_Valor");
}

Moneda EmpresaVarnex::TipoImpuestoRegimen(int indice) const {
    return Tipo(indice, "Imp_ValorRegimen");
}

} // namespace suite
