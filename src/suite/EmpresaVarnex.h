#pragma once

#include "db/Connection.h"
#include "suite/Fecha.h"
#include "suite/Moneda.h"
#include "suite/Valor.h"

#include <string>
#include <string_view>

namespace suite {

// The ERP company object. Every answer is read from the ERP database when asked, so a change made
// by one window is seen by the next.
class EmpresaVarnex {
  public:
    EmpresaVarnex(db::ConnectionPtr erp, int codigo);

    int Codigo() const { return codigo_; }
    const db::ConnectionPtr &Conexion() const { return erp_; }

    // Columns of the company's row in Empresas; throws std::runtime_error when the row is missing.
    int DecimalesImporte() const;
    int RaizCuentaProveedor() const;
    std::string PathAplicacion() const;
    std::string Nombre() const;
    // 1 when the fiscal year is closed, else 0 (also when the year has no row).
    int EjercicioCerrado(int anio) const;
    // The calendar year of today.
    int EjercicioActual() const;

    // A missing parameter (or a NULL value) reads as an empty text.
    Valor Parametro(std::string_view nombre) const;
    // Stored as Valor::ToText(); updates the row or inserts it.
    void EstablecerParametro(std::string_view nombre, const Valor &valor);

    // The working date that selects the tax rates in force; today until set.
    void FechaTrabajo(const Fecha &fecha) { fechaTrabajo_ = fecha.SoloFecha(); }
    const Fecha &FechaTrabajo() const { return fechaTrabajo_; }

    // Rate of tax type `indice` (1..6) in force at the working date; 0 when none is.
    // Throws std::out_of_range for another index.
    Moneda TipoImpuesto(int indice) const;
    Moneda TipoImpuestoRegimen(int indice) const;

  private:
    Valor Empresa(const char *columna) const;
    Moneda Tipo(int indice, const char *columna) const;

    db::ConnectionPtr erp_;
    int codigo_;
    Fecha fechaTrabajo_;
};

} // namespace suite
