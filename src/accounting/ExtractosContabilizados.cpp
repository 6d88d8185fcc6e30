#include "accounting/ExtractosContabilizados.h"

#include "db/Sql.h"

namespace accounting {

ExtractosContabilizados::Extracto ExtractosContabilizados::DeProveedores(long empresa, long almacen,
                                                                       const std::string &extracto) {
    return {"Proveedores", std::to_string(almacen) + ":" + extracto, "Compras_PagosCentral_Extractos_Lineas",
            " WHERE Cod_Empresa = " + std::to_string(empresa) + " AND Cod_Almacen = " + std::to_string(almacen) +
                " AND Cod_Extracto = " + db::Quote(extracto)};
}

ExtractosContabilizados::Extracto ExtractosContabilizados::DeClientes(long empresa, long cliente,
                                                                    const std::string &fechaCobroSql) {
    return {"Clientes", std::to_string(cliente) + ":" + fechaCobroSql, "Clientes_PagosCentral_Extractos_Lineas",
            " WHERE Cod_Empresa = " + std::to_string(empresa) + " AND Cod_Cliente = " + std::to_string(cliente) +
                " AND FechaCobro = " + db::Quote(fechaCobroSql)};
}

long ExtractosContabilizados::PrimeraLinea(const Extracto &e) const {
    auto rs = erp_.OpenRecordset("SELECT ISNULL(MIN(IdExtractoLinea), 0) FROM " + e.tablaLineas + e.filtroLineas);
    long id = static_cast<long>(rs->Fields(0).AsInt64());
    rs->Close();
    return id;
}

std::string ExtractosContabilizados::Clave(const Extracto &e) const {
    return " WHERE Cod_Empresa = " + std::to_string(empresa_) + " AND Origen = " + db::Quote(e.origen) +
           " AND Clave = " + db::Quote(e.clave);
}

std::optional<std::string> ExtractosContabilizados::Asientos(const Extracto &e) const {
    const long primera = PrimeraLinea(e);
    auto rs = contabilidad_.OpenRecordset("SELECT Asientos FROM PagosCentral_ExtractosContabilizados" + Clave(e) +
                                          " AND PrimeraLinea = " + std::to_string(primera));
    std::optional<std::string> asientos;
    if (!rs->Eof()) {
        asientos = rs->Fields(0).AsText();
    }
    rs->Close();
    return asientos;
}

void ExtractosContabilizados::Anotar(const Extracto &e, const std::string &asientos) const {
    const long primera = PrimeraLinea(e);
    // A note of an earlier statement of the same key (deleted since) gives way.
    contabilidad_.Execute("DELETE FROM PagosCentral_ExtractosContabilizados" + Clave(e));
    contabilidad_.Execute("INSERT INTO PagosCentral_ExtractosContabilizados (Cod_Empresa, Origen, Clave, "
                          "PrimeraLinea, Asientos) VALUES (" +
                          std::to_string(empresa_) + ", " + db::Quote(e.origen) + ", " + db::Quote(e.clave) + ", " +
                          std::to_string(primera) + ", " + db::Quote(asientos) + ")");
}

} // namespace accounting
