#include "schema/Functions.h"

namespace schema {

namespace {

// Aliases inside the bodies start with "fn" so that they never capture a caller's alias.
const char *kLineasDe = "FROM Compras_PagosCentral_Extractos_Lineas fnl WHERE fnl.Cod_Empresa = {1} AND "
                        "fnl.Cod_Almacen = {2} AND fnl.Cod_Extracto = {3}";

std::string LinkedToDocumentsSqlite(const std::string &lineFilter) {
    return "(SELECT IFNULL(SUM(fne.ImporteContable),0) FROM Compras_PagosCentral_Entradas fnv INNER JOIN Entradas fne "
           "ON fne.Cod_Empresa = fnv.Cod_Empresa AND fne.Cod_Ejercicio = fnv.Cod_Ejercicio AND fne.Cod_Almacen = "
           "fnv.Cod_Almacen AND fne.Codigo = fnv.Codigo WHERE fnv.IdExtractoLinea " +
           lineFilter +
           ") + (SELECT IFNULL(SUM(fnf.Importe),0) FROM Compras_PagosCentral_Entradas_Facturas fnw INNER JOIN "
           "Entradas_Facturas fnf ON fnf.Cod_Empresa = fnw.Cod_Empresa AND fnf.Cod_Almacen = fnw.Cod_Almacen AND "
           "fnf.Proveedor = fnw.Proveedor AND fnf.Documento = fnw.Documento AND fnf.Fecha = fnw.Fecha WHERE "
           "fnw.IdExtractoLinea " +
           lineFilter + ")";
}

std::string LinkedToDocumentsSqlServer(const std::string &lineFilter) {
    return "ISNULL((SELECT SUM(fne.ImporteContable) FROM Compras_PagosCentral_Entradas fnv INNER JOIN Entradas fne "
           "ON fne.Cod_Empresa = fnv.Cod_Empresa AND fne.Cod_Ejercicio = fnv.Cod_Ejercicio AND fne.Cod_Almacen = "
           "fnv.Cod_Almacen AND fne.Codigo = fnv.Codigo WHERE fnv.IdExtractoLinea " +
           lineFilter +
           "), 0) + ISNULL((SELECT SUM(fnf.Importe) FROM Compras_PagosCentral_Entradas_Facturas fnw INNER JOIN "
           "Entradas_Facturas fnf ON fnf.Cod_Empresa = fnw.Cod_Empresa AND fnf.Cod_Almacen = fnw.Cod_Almacen AND "
           "fnf.Proveedor = fnw.Proveedor AND fnf.Documento = fnw.Documento AND fnf.Fecha = fnw.Fecha WHERE "
           "fnw.IdExtractoLinea " +
           lineFilter + "), 0)";
}

const char *kStatementParams = "(@Cod_Empresa INT, @Cod_Almacen INT, @Cod_Extracto VARCHAR(30))";
const char *kStatementLines = "FROM Compras_PagosCentral_Extractos_Lineas fnl WHERE fnl.Cod_Empresa = @Cod_Empresa "
                              "AND fnl.Cod_Almacen = @Cod_Almacen AND fnl.Cod_Extracto = @Cod_Extracto";

std::string SqlServerFunction(const std::string &name, const std::string &params, const std::string &expr) {
    return "CREATE FUNCTION dbo." + name + params + "\nRETURNS MONEY\nAS\nBEGIN\n    RETURN " + expr + "\nEND";
}

} // namespace

const std::vector<ScalarFunction> &ScalarFunctions() {
    static const std::vector<ScalarFunction> functions = [] {
        std::string ofStatement = std::string("IN (SELECT fnl.IdExtractoLinea ") + kLineasDe + ")";
        std::string ofStatementSs = std::string("IN (SELECT fnl.IdExtractoLinea ") + kStatementLines + ")";
        std::vector<ScalarFunction> f;
        f.push_back({"fn_DevPagosCenImporteExtracto", std::string("(SELECT IFNULL(SUM(fnl.Importe),0) ") + kLineasDe + ")",
                     SqlServerFunction("fn_DevPagosCenImporteExtracto", kStatementParams,
                                       std::string("ISNULL((SELECT SUM(fnl.Importe) ") + kStatementLines + "), 0)")});
        f.push_back({"fn_DevPagosCenImporteVinculado", "(" + LinkedToDocumentsSqlite(ofStatement) + ")",
                     SqlServerFunction("fn_DevPagosCenImporteVinculado", kStatementParams,
                                       LinkedToDocumentsSqlServer(ofStatementSs))});
        f.push_back({"fn_DevPagosCenImporteExtractoPrevPagos",
                     std::string("(SELECT IFNULL(SUM(fnl.Importe),0) ") + kLineasDe + ")",
                     SqlServerFunction("fn_DevPagosCenImporteExtractoPrevPagos", kStatementParams,
                                       std::string("ISNULL((SELECT SUM(fnl.Importe) ") + kStatementLines + "), 0)")});
        f.push_back({"fn_DevPagosCenImporteVinculadoPrevPagos",
                     "(SELECT IFNULL(SUM(fnv.Importe),0) FROM Compras_PagosCentral_PrevPagos fnv WHERE "
                     "fnv.IdExtractoLinea " +
                         ofStatement + ")",
                     SqlServerFunction("fn_DevPagosCenImporteVinculadoPrevPagos", kStatementParams,
                                       "ISNULL((SELECT SUM(fnv.Importe) FROM Compras_PagosCentral_PrevPagos fnv "
                                       "WHERE fnv.IdExtractoLinea " +
                                           ofStatementSs + "), 0)")});
        f.push_back({"fn_DevPagosCenImporteVinculadoLinea", "(" + LinkedToDocumentsSqlite("= {1}") + ")",
                     SqlServerFunction("fn_DevPagosCenImporteVinculadoLinea", "(@IdExtractoLinea INT)",
                                       LinkedToDocumentsSqlServer("= @IdExtractoLinea"))});
        f.push_back({"fn_DevPagosCenImporteVinculadoLineaPrevPagos",
                     "(SELECT IFNULL(SUM(fnv.Importe),0) FROM Compras_PagosCentral_PrevPagos fnv WHERE "
                     "fnv.IdExtractoLinea = {1})",
                     SqlServerFunction("fn_DevPagosCenImporteVinculadoLineaPrevPagos", "(@IdExtractoLinea INT)",
                                       "ISNULL((SELECT SUM(fnv.Importe) FROM Compras_PagosCentral_PrevPagos fnv "
                                       "WHERE fnv.IdExtractoLinea = @IdExtractoLinea), 0)")});
        return f;
    }();
    return functions;
}

} // namespace schema
