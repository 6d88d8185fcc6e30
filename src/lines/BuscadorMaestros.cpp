#include "lines/BuscadorMaestros.h"

#include "db/Sql.h"

namespace lines {

namespace {

std::vector<BuscadorMaestros::Fila> Leer(db::Connection &conn, const std::string &sql) {
    std::vector<BuscadorMaestros::Fila> out;
    auto rs = conn.OpenRecordset(sql);
    while (!rs->Eof()) {
        out.push_back({rs->Fields(0).AsText(), rs->Fields(1).AsText()});
        rs->MoveNext();
    }
    rs->Close();
    return out;
}

std::optional<std::string> Uno(db::Connection &conn, const std::string &sql) {
    auto rs = conn.OpenRecordset(sql);
    if (rs->Eof()) {
        return std::nullopt;
    }
    return rs->Fields(0).AsText();
}

} // namespace

std::optional<std::string> BuscadorMaestros::NombreProveedor(db::Connection &erp, int empresa, long codigo) {
    if (codigo < 1) {
        return std::nullopt;
    }
    return Uno(erp, "SELECT ISNULL(Nombre,'') AS Nombre FROM Proveedores WHERE Cod_Empresa =" +
                        std::to_string(empresa) + " AND Codigo =" + std::to_string(codigo));
}

std::vector<BuscadorMaestros::Fila> BuscadorMaestros::Proveedores(db::Connection &erp, int empresa,
                                                                  const std::string &texto) {
    std::string sql = "SELECT TOP " + std::to_string(kMaximo) +
                      " Codigo, ISNULL(Nombre,'') AS Nombre FROM Proveedores WHERE Cod_Empresa =" +
                      std::to_string(empresa);
    if (!texto.empty()) {
        const std::string like = db::Contiene(texto);
        sql += " AND (Nombre LIKE " + like + " OR CAST(Codigo AS VARCHAR(20)) LIKE " + like + ")";
    }
    return Leer(erp, sql + " ORDER BY Nombre");
}

std::optional<std::string> BuscadorMaestros::NombreCliente(db::Connection &erp, int empresa, long codigo) {
    if (codigo < 1) {
        return std::nullopt;
    }
    return Uno(erp, "SELECT ISNULL(Nombre,'') AS Nombre FROM Clientes WHERE Cod_Empresa =" + std::to_string(empresa) +
                        " AND Codigo =" + std::to_string(codigo));
}

std::vector<BuscadorMaestros::Fila> BuscadorMaestros::Clientes(db::Connection &erp, int empresa,
                                                               const std::string &texto) {
    std::string sql = "SELECT TOP " + std::to_string(kMaximo) +
                      " Codigo, ISNULL(Nombre,'') AS Nombre FROM Clientes WHERE Cod_Empresa =" +
                      std::to_string(empresa);
    if (!texto.empty()) {
        const std::string like = db::Contiene(texto);
        sql += " AND (Nombre LIKE " + like + " OR CAST(Codigo AS VARCHAR(20)) LIKE " + like + ")";
    }
    return Leer(erp, sql + " ORDER BY Nombre");
}

std::optional<std::string> BuscadorMaestros::NombreAlmacen(db::Connection &erp, int empresa, long codigo) {
    if (codigo < 1) {
        return std::nullopt;
    }
    return Uno(erp, "SELECT ISNULL(Nombre,'') AS Nombre FROM Almacenes WHERE Cod_Empresa =" +
                        std::to_string(empresa) + " AND Codigo =" + std::to_string(codigo));
}

std::vector<BuscadorMaestros::Fila> BuscadorMaestros::Almacenes(db::Connection &erp, int empresa,
                                                                const std::string &texto) {
    std::string sql = "SELECT TOP " + std::to_string(kMaximo) +
                      " Codigo, ISNULL(Nombre,'') AS Nombre FROM Almacenes WHERE Cod_Empresa =" +
                      std::to_string(empresa);
    if (!texto.empty()) {
        const std::string like = db::Contiene(texto);
        sql += " AND (Nombre LIKE " + like + " OR CAST(Codigo AS VARCHAR(20)) LIKE " + like + ")";
    }
    return Leer(erp, sql + " ORDER BY Codigo");
}

std::optional<std::string> BuscadorMaestros::NombreCuenta(db::Connection &contabilidad, int empContable,
                                                          const std::string &cuenta) {
    if (cuenta.empty()) {
        return std::nullopt;
    }
    return Uno(contabilidad, "SELECT TOP 1 ISNULL(Nombre,'') AS Nombre FROM Cuentas WHERE Cod_Empresa =" +
                                 std::to_string(empContable) + " AND Cuenta =" + db::Quote(cuenta) +
                                 " ORDER BY Cod_Ejercicio DESC");
}

std::vector<BuscadorMaestros::Fila> BuscadorMaestros::Cuentas(db::Connection &contabilidad, int empContable,
                                                              const std::string &texto) {
    std::string sql = "SELECT TOP " + std::to_string(kMaximo) +
                      " Cuenta, MAX(ISNULL(Nombre,'')) AS Nombre FROM Cuentas WHERE Cod_Empresa =" +
                      std::to_string(empContable);
    if (!texto.empty()) {
        const std::string like = db::Contiene(texto);
        sql += " AND (Cuenta LIKE " + like + " OR Nombre LIKE " + like + ")";
    }
    return Leer(contabilidad, sql + " GROUP BY Cuenta ORDER BY Cuenta");
}

} // namespace lines
