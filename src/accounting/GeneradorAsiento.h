#pragma once

#include "accounting/EscritorAsiento.h"
#include "db/Connection.h"
#include "host/Window.h"
#include "suite/Fecha.h"
#include "suite/Moneda.h"

#include <memory>
#include <optional>
#include <string>

namespace suite {
class EmpresaLumbra;
}

namespace accounting {

// What the three entry builders of a statement share: the accounting company instance of the
// warehouse, its accounts and concepts, and the lines they post.
class GeneradorAsiento {
  public:
    // `ventana` is the statement list, whose error trap reports the builder's failures;
    // `asientosGenerados` is its run's list of entry numbers.
    GeneradorAsiento(host::Window &ventana, std::string &asientosGenerados);
    virtual ~GeneradorAsiento();

  protected:
    // Accounting company instance, warehouse settings, fiscal year of `fechaAsiento`, concepts.
    void Preparar(const suite::Fecha &fechaAsiento, short almacen, const std::string &extracto);
    // The year's accounts and the current user copied to the instance.
    void Ejercicio(int anio);
    // " WHERE lin.Cod_Empresa =... AND lin.Cod_Almacen =... AND lin.Cod_Extracto ='...'"
    const std::string &Filtro() const { return filtro_; }
    std::string Empresa() const { return std::to_string(codEmpresa_); }

    // The first non-empty of the line's account and the supplier's, else composed from `raiz`.
    std::string Cuenta(const std::string &deLinea, const std::string &deFicha, const char *raiz, long proveedor);

    enum class Concepto { Proveedor, ProveedorAjuste, GastoAjuste, Contrapartida };
    // A line to post on the side given (the other is `{}`); the concept's "%NROEXTRACTO%" (and for
    // GastoAjuste "%CUENTANOMBRE%", the supplier's name) replaced.
    ApunteAsiento Linea(const std::string &cuenta, Concepto concepto, const std::string &documento,
                        std::optional<suite::Moneda> debe, std::optional<suite::Moneda> haber,
                        const std::string &proveedor = "", const std::string &sufijo = "");
    int Apunte(const std::string &cuenta, Concepto concepto, const std::string &documento,
               std::optional<suite::Moneda> debe, std::optional<suite::Moneda> haber,
               const std::string &proveedor = "", const std::string &sufijo = "") {
        return escritor_->Apunte(Linea(cuenta, concepto, documento, debe, haber, proveedor, sufijo));
    }
    void AnotarAsiento(long numero, const std::string &prefijo = "\r");
    // The line's claims, each posted to the supplier's account " A RECLAMAR"; returns their sum.
    suite::Moneda ApuntesReclamados(long idLinea, const std::string &cuenta, const std::string &documento);
    static suite::Moneda Importe(const db::Field &f) { return suite::Moneda::FromUnits(f.AsCurrencyUnits()); }

    host::Window &ventana_;
    std::string &asientos_;
    db::Connection &erp_;
    db::Connection &contabilidad_;
    std::shared_ptr<suite::EmpresaLumbra> empresa_;
    std::unique_ptr<EscritorAsiento> propio_;
    EscritorAsiento *escritor_ = nullptr;
    int codEmpresa_;
    short almacen_ = 0;
    std::string extracto_;
    std::string ctaAjuste_, ctaProntoPago_;

  private:
    std::string filtro_;
    struct TextoConcepto {
        std::string texto;
        int codigo = 0;
    };
    TextoConcepto conceptos_[4];
    int longitudCuenta_ = 0;
};

} // namespace accounting
