#pragma once

#include "catalogues/Catalogo.h"

namespace claims {

// Editor of one claim concept.
class frmReclamacionConceptos_Datos : public catalogues::CatalogoDatos {
  public:
    explicit frmReclamacionConceptos_Datos(host::Shell &shell)
        : CatalogoDatos("frmReclamacionConceptos_Datos", shell, "Conceptos de Reclamaciones", false) {}

  protected:
    bool Comprobar() override;
};

// The claim concepts catalogue.
class frmReclamacionConceptos : public catalogues::Catalogo {
  public:
    explicit frmReclamacionConceptos(host::Shell &shell)
        : Catalogo("frmReclamacionConceptos", shell, "Conceptos de Reclamaciones", false) {}

  protected:
    void Columnas() override;
    std::string SqlCargar() const override;
    std::string SqlDuplicado(const catalogues::CatalogoDatos &d) const override;
    std::string SqlAgregar(const catalogues::CatalogoDatos &d) const override;
    std::string SqlModificar(const catalogues::CatalogoDatos &d) const override;
    std::string SqlEliminar(short codigo) const override;
    std::unique_ptr<catalogues::CatalogoDatos> Dialogo() override {
        return std::make_unique<frmReclamacionConceptos_Datos>(Ui());
    }
    bool FilaDelNuevo() const override { return false; }
};

} // namespace claims
