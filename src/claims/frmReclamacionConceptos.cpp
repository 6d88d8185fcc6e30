#include "claims/frmReclamacionConceptos.h"

#include "db/Sql.h"

namespace claims {

bool frmReclamacionConceptos_Datos::Comprobar() {
    if (txtNombre.text.find_first_not_of(" \t") == std::string::npos) {
        return Rechazar("Debe especificar un nombre para el Concepto de Reclamación", "txtNombre");
    }
    if (CodigoEscrito() == 0) {
        return Rechazar("Se esperaba código", "txtCodigo");
    }
    return true;
}

void frmReclamacionConceptos::Columnas() {
    vsLineas.columns = {{"Código", 900, host::GridAlign::Right, host::GridType::Short}, {"Nombre", 2000}};
}

std::string frmReclamacionConceptos::SqlCargar() const {
    return "SELECT * FROM Compras_PagosCentral_Reclamacion_Conceptos ORDER BY Codigo";
}

std::string frmReclamacionConceptos::SqlDuplicado(const catalogues::CatalogoDatos &d) const {
    return " SELECT TOP 1 * FROM Compras_PagosCentral_Reclamacion_Conceptos WHERE Codigo = " +
           std::to_string(d.codigo) + " OR Nombre = " + db::Quote(d.nombre);
}

std::string frmReclamacionConceptos::SqlAgregar(const catalogues::CatalogoDatos &d) const {
    return "INSERT INTO Compras_PagosCentral_Reclamacion_Conceptos (Codigo, Nombre) VALUES (" +
           std::to_string(d.codigo) + "," + db::Quote(d.nombre) + ")";
}

std::string frmReclamacionConceptos::SqlModificar(const catalogues::CatalogoDatos &d) const {
    return "UPDATE Compras_PagosCentral_Reclamacion_Conceptos SET Nombre =" + db::Quote(d.nombre) +
           " WHERE Codigo =" + std::to_string(d.codigo);
}

std::string frmReclamacionConceptos::SqlEliminar(short codigo) const {
    return "DELETE FROM Compras_PagosCentral_Reclamacion_Conceptos WHERE Codigo =" + std::to_string(codigo);
}

} // namespace claims
