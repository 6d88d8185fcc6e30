#pragma once

#include "catalogues/Catalogo.h"

namespace catalogues {

// Editor of one payment type.
class frmTiposPago_Datos : public CatalogoDatos {
  public:
    explicit frmTiposPago_Datos(host::Shell &shell)
        : CatalogoDatos("frmTiposPago_Datos", shell, "Tipos de Documento a Pagar", true) {
        largoNombre = 60;
    }

  protected:
    bool Comprobar() override;
};

// The payment types catalogue ("Tipos de Documento a Pagar").
class frmTiposPago : public Catalogo {
  public:
    explicit frmTiposPago(host::Shell &shell) : Catalogo("frmTiposPago", shell, "Tipos de Documento a Pagar", true) {}

  protected:
    void Columnas() override;
    std::string SqlCargar() const override;
    std::string SqlDuplicado(const CatalogoDatos &d) const override;
    std::string SqlAgregar(const CatalogoDatos &d) const override;
    std::string SqlModificar(const CatalogoDatos &d) const override;
    std::string SqlEliminar(short codigo) const override;
    std::unique_ptr<CatalogoDatos> Dialogo() override { return std::make_unique<frmTiposPago_Datos>(Ui()); }
};

} // namespace catalogues
