#include "accounting/ExtractosContabilizados.h"

#include "db/Sql.h"

namespace accounting {

long ExtractosContabilizados::PrimeraLinea(long almacen, const std::string &extracto) const {
    auto rs = erp_.OpenRecordset("SELECT ISNULL(MIN(IdExtractoLinea), 0) FROM Compras_PagosCentral_Extractos_Lineas" +
                                 Clave(almacen, extracto));
    long id = static_cast<long>(rs->Fields(0).AsInt64());
    rs->Close();
    return id;
}

std::string ExtractosContabilizados::Clave(long almacen, const std::string &extracto) const {
    return " WHERE Cod_Empresa = " + std::to_string(empresa_) + " AND Cod_Almacen = " + std::to_string(almacen) +
           " AND Cod_Extracto = " + db::Quote(extracto);
}

std::optional<std::string> ExtractosContabilizados::Asientos(long almacen, const std::string &extracto) const {
    const long primera = PrimeraLinea(almacen, extracto);
    auto rs = contabilidad_.OpenRecordset("SELECT Asientos FROM PagosCentral_ExtractosContabilizados" +
                                          Clave(almacen, extracto) + " AND PrimeraLinea = " + std::to_string(primera));
    std::optional<std::string> asientos;
    if (!rs->Eof()) {
        asientos = rs->Fields(0).AsText();
    }
    rs->Close();
    return asientos;
}

void ExtractosContabilizados::Anotar(long almacen, const std::string &extracto, const std::string &asientos) const {
    const long primera = PrimeraLinea(almacen, extracto);
    // A note of an earlier statement of the same code (deleted since) gives way.
    contabilidad_.Execute("DELETE FROM PagosCentral_ExtractosContabilizados" + Clave(almacen, extracto));
    contabilidad_.Execute("INSERT INTO PagosCentral_ExtractosContabilizados (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                          "PrimeraLinea, Asientos) VALUES (" +
                          std::to_string(empresa_) + ", " + std::to_string(almacen) + ", " + db::Quote(extracto) +
                          ", " + std::to_string(primera) + ", " + db::Quote(asientos) + ")");
}

} // namespace accounting
