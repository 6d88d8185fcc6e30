#include "catalogues/frmTiposPago.h"

#include "db/Sql.h"

namespace catalogues {

bool frmTiposPago_Datos::Comprobar() {
    if (txtNombre.text.empty()) {
        return Rechazar("Debe especificar un nombre para el Tipo de Pago", "txtNombre");
    }
    if (CodigoEscrito() == 0) {
        return Rechazar("Se esperaba código", "txtCodigo");
    }
    if (txtTipo.text.empty()) {
        return Rechazar("Se esperaba Tipo de Tago", "txtTipo");
    }
    return true;
}

void frmTiposPago::Columnas() {
    vsLineas.columns = {{"Código", 900, host::GridAlign::Right, host::GridType::Short},
                        {"Nombre", 4500},
                        {"Tipo", 500}};
}

std::string frmTiposPago::SqlCargar() const {
    return "SELECT * FROM Compras_PagosCentral_Extractos_TiposPago ORDER BY Codigo";
}

std::string frmTiposPago::SqlDuplicado(const CatalogoDatos &d) const {
    return " SELECT TOP 1 * FROM Compras_PagosCentral_Extractos_TiposPago WHERE Codigo = " + std::to_string(d.codigo) +
           " OR Nombre = " + db::Quote(d.nombre);
}

std::string frmTiposPago::SqlAgregar(const CatalogoDatos &d) const {
    return "INSERT INTO Compras_PagosCentral_Extractos_TiposPago (Codigo, Nombre, Tipo) VALUES (" +
           std::to_string(d.codigo) + "," + db::Quote(d.nombre) + "," + db::Quote(d.tipo) + ")";
}

std::string frmTiposPago::SqlModificar(const CatalogoDatos &d) const {
    return "UPDATE Compras_PagosCentral_Extractos_TiposPago SET Nombre =" + db::Quote(d.nombre) +
           " ,Tipo = " + db::Quote(d.tipo) + " WHERE Codigo =" + std::to_string(d.codigo);
}

std::string frmTiposPago::SqlEliminar(short codigo) const {
    return "DELETE FROM Compras_PagosCentral_Extractos_TiposPago WHERE Codigo =" + std::to_string(codigo);
}

} // namespace catalogues
