#include "claims/frmReclamacionTipos.h"

#include "db/Sql.h"

namespace claims {

namespace {

bool Vacio(const std::string &s) { return s.find_first_not_of(" \t") == std::string::npos; }

} // namespace

bool frmReclamacionTipos_Datos::Comprobar() {
    if (Vacio(txtNombre.text)) {
        return Rechazar("Debe especificar un nombre para el Tipo de Reclamación", "txtNombre");
    }
    if (Vacio(txtTipo.text)) {
        return Rechazar("Debe especificar un nombre para el Tipo de Reclamación", "txtTipo");
    }
    if (CodigoEscrito() == 0) {
        return Rechazar("Se esperaba código", "txtCodigo");
    }
    return true;
}

void frmReclamacionTipos::Columnas() {
    vsLineas.columns = {{"Código", 600, host::GridAlign::Right, host::GridType::Short},
                        {"Nombre", 4600},
                        {"Tipo", 600}};
}

std::string frmReclamacionTipos::SqlCargar() const {
    return "SELECT * FROM Compras_PagosCentral_Reclamacion_Tipos ORDER BY Codigo";
}

std::string frmReclamacionTipos::SqlDuplicado(const catalogues::CatalogoDatos &d) const {
    return " SELECT TOP 1 * FROM Compras_PagosCentral_Reclamacion_Tipos WHERE Codigo = " + std::to_string(d.codigo) +
           " OR Nombre = " + db::Quote(d.nombre) + " OR Tipo = " + db::Quote(d.tipo);
}

std::string frmReclamacionTipos::SqlAgregar(const catalogues::CatalogoDatos &d) const {
    return "INSERT INTO Compras_PagosCentral_Reclamacion_Tipos (Codigo, Nombre, Tipo) VALUES (" +
           std::to_string(d.codigo) + "," + db::Quote(d.nombre) + "," + db::Quote(d.tipo) + ")";
}

std::string frmReclamacionTipos::SqlModificar(const catalogues::CatalogoDatos &d) const {
    return "UPDATE Compras_PagosCentral_Reclamacion_Tipos  SET Nombre =" + db::Quote(d.nombre) +
           " ,Tipo =" + db::Quote(d.tipo) + " WHERE Codigo =" + std::to_string(d.codigo);
}

std::string frmReclamacionTipos::SqlEliminar(short codigo) const {
    return "DELETE FROM Compras_PagosCentral_Reclamacion_Tipos WHERE Codigo =" + std::to_string(codigo);
}

} // namespace claims
