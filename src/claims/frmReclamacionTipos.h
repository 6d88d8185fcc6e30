#pragma once

#include "catalogues/Catalogo.h"

namespace claims {

// Editor of one claim type.
class frmReclamacionTipos_Datos : public catalogues::CatalogoDatos {
  public:
    explicit frmReclamacionTipos_Datos(host::Shell &shell)
        : CatalogoDatos("frmReclamacionTipos_Datos", shell, "Tipos de Reclamaciones", true) {}

  protected:
    bool Comprobar() override;
};

// The claim types catalogue.
class frmReclamacionTipos : public catalogues::Catalogo {
  public:
    explicit frmReclamacionTipos(host::Shell &shell)
        : Catalogo("frmReclamacionTipos", shell, "Tipos de Reclamaciones", true) {}

  protected:
    void Columnas() override;
    std::string SqlCargar() const override;
    std::string SqlDuplicado(const catalogues::CatalogoDatos &d) const override;
    std::string SqlAgregar(const catalogues::CatalogoDatos &d) const override;
    std::string SqlModificar(const catalogues::CatalogoDatos &d) const override;
    std::string SqlEliminar(short codigo) const override;
    std::unique_ptr<catalogues::CatalogoDatos> Dialogo() override {
        return std::make_unique<frmReclamacionTipos_Datos>(Ui());
    }
    bool FilaDelNuevo() const override { return false; }
};

} // namespace claims
