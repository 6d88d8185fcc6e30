#include "schema/Functions.h"

#include <initializer_list>
#include <string>

namespace schema {

namespace {

// Aliases inside the bodies start with "fn" so that they never capture a caller's alias. The SQLite
// bodies also read their tables through derived tables whose columns start with "fn_": an argument
// written as a bare column of the caller ("IdExtractoLinea") must bind to the caller's row, as it does
// in SQL Server, and not to a column of the same name inside the body. SQLite flattens these, so the
// indexes are used as before.
std::string Tabla(const std::string &name, const std::string &alias, std::initializer_list<const char *> cols) {
    std::string out = "(SELECT ";
    bool first = true;
    for (const char *c : cols) {
        out += std::string(first ? "" : ", ") + c + " AS fn_" + c;
        first = false;
    }
    return out + " FROM " + name + ") " + alias;
}

const std::string kLineasDe = "FROM " +
                              Tabla("Compras_PagosCentral_Extractos_Lineas", "fnl",
                                    {"IdExtractoLinea", "Cod_Empresa", "Cod_Almacen", "Cod_Extracto", "Importe"}) +
                              " WHERE fnl.fn_Cod_Empresa = {1} AND fnl.fn_Cod_Almacen = {2} AND fnl.fn_Cod_Extracto = {3}";

std::string LinkedToDocumentsSqlite(const std::string &lineFilter) {
    return "(SELECT IFNULL(SUM(fne.fn_ImporteContable),0) FROM " +
           Tabla("Compras_PagosCentral_Entradas", "fnv",
                 {"IdExtractoLinea", "Cod_Empresa", "Cod_Ejercicio", "Cod_Almacen", "Codigo"}) +
           " INNER JOIN " +
           Tabla("Entradas", "fne", {"ImporteContable", "Cod_Empresa", "Cod_Ejercicio", "Cod_Almacen", "Codigo"}) +
           " ON fne.fn_Cod_Empresa = fnv.fn_Cod_Empresa AND fne.fn_Cod_Ejercicio = fnv.fn_Cod_Ejercicio AND "
           "fne.fn_Cod_Almacen = fnv.fn_Cod_Almacen AND fne.fn_Codigo = fnv.fn_Codigo WHERE fnv.fn_IdExtractoLinea " +
           lineFilter + ") + (SELECT IFNULL(SUM(fnf.fn_Importe),0) FROM " +
           Tabla("Compras_PagosCentral_Entradas_Facturas", "fnw",
                 {"IdExtractoLinea", "Cod_Empresa", "Cod_Almacen", "Proveedor", "Documento", "Fecha"}) +
           " INNER JOIN " +
           Tabla("Entradas_Facturas", "fnf", {"Importe", "Cod_Empresa", "Cod_Almacen", "Proveedor", "Documento", "Fecha"}) +
           " ON fnf.fn_Cod_Empresa = fnw.fn_Cod_Empresa AND fnf.fn_Cod_Almacen = fnw.fn_Cod_Almacen AND "
           "fnf.fn_Proveedor = fnw.fn_Proveedor AND fnf.fn_Documento = fnw.fn_Documento AND fnf.fn_Fecha = fnw.fn_Fecha "
           "WHERE fnw.fn_IdExtractoLinea " +
           lineFilter + ")";
}

const std::string kPrevPagos = Tabla("Compras_PagosCentral_PrevPagos", "fnv", {"IdExtractoLinea", "Importe"});

// A statement's links, read from its lines outwards: CROSS JOIN keeps that order, so each call costs
// the statement's own lines and never a scan of every link.
const std::string kLineasDelExtracto =
    Tabla("Compras_PagosCentral_Extractos_Lineas", "fnl", {"IdExtractoLinea", "Cod_Empresa", "Cod_Almacen", "Cod_Extracto"});
const char *kDelExtracto = " WHERE fnl.fn_Cod_Empresa = {1} AND fnl.fn_Cod_Almacen = {2} AND fnl.fn_Cod_Extracto = {3}";

std::string LinkedToStatementSqlite() {
    return "(SELECT IFNULL(SUM(fne.fn_ImporteContable),0) FROM " + kLineasDelExtracto + " CROSS JOIN " +
           Tabla("Compras_PagosCentral_Entradas", "fnv",
                 {"IdExtractoLinea", "Cod_Empresa", "Cod_Ejercicio", "Cod_Almacen", "Codigo"}) +
           " ON fnv.fn_IdExtractoLinea = fnl.fn_IdExtractoLinea CROSS JOIN " +
           Tabla("Entradas", "fne", {"ImporteContable", "Cod_Empresa", "Cod_Ejercicio", "Cod_Almacen", "Codigo"}) +
           " ON fne.fn_Cod_Empresa = fnv.fn_Cod_Empresa AND fne.fn_Cod_Ejercicio = fnv.fn_Cod_Ejercicio AND "
           "fne.fn_Cod_Almacen = fnv.fn_Cod_Almacen AND fne.fn_Codigo = fnv.fn_Codigo" +
           kDelExtracto + ") + (SELECT IFNULL(SUM(fnf.fn_Importe),0) FROM " + kLineasDelExtracto + " CROSS JOIN " +
           Tabla("Compras_PagosCentral_Entradas_Facturas", "fnw",
                 {"IdExtractoLinea", "Cod_Empresa", "Cod_Almacen", "Proveedor", "Documento", "Fecha"}) +
           " ON fnw.fn_IdExtractoLinea = fnl.fn_IdExtractoLinea CROSS JOIN " +
           Tabla("Entradas_Facturas", "fnf", {"Importe", "Cod_Empresa", "Cod_Almacen", "Proveedor", "Documento", "Fecha"}) +
           " ON fnf.fn_Cod_Empresa = fnw.fn_Cod_Empresa AND fnf.fn_Cod_Almacen = fnw.fn_Cod_Almacen AND "
           "fnf.fn_Proveedor = fnw.fn_Proveedor AND fnf.fn_Documento = fnw.fn_Documento AND fnf.fn_Fecha = fnw.fn_Fecha" +
           kDelExtracto + ")";
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
        std::string ofStatement = "IN (SELECT fnl.fn_IdExtractoLinea " + kLineasDe + ")";
        std::string ofStatementSs = std::string("IN (SELECT fnl.IdExtractoLinea ") + kStatementLines + ")";
        std::vector<ScalarFunction> f;
        f.push_back({"fn_DevPagosCenImporteExtracto", "(SELECT IFNULL(SUM(fnl.fn_Importe),0) " + kLineasDe + ")",
                     SqlServerFunction("fn_DevPagosCenImporteExtracto", kStatementParams,
                                       std::string("ISNULL((SELECT SUM(fnl.Importe) ") + kStatementLines + "), 0)")});
        f.push_back({"fn_DevPagosCenImporteVinculado", "(" + LinkedToStatementSqlite() + ")",
                     SqlServerFunction("fn_DevPagosCenImporteVinculado", kStatementParams,
                                       LinkedToDocumentsSqlServer(ofStatementSs))});
        f.push_back({"fn_DevPagosCenImporteExtractoPrevPagos",
                     "(SELECT IFNULL(SUM(fnl.fn_Importe),0) " + kLineasDe + ")",
                     SqlServerFunction("fn_DevPagosCenImporteExtractoPrevPagos", kStatementParams,
                                       std::string("ISNULL((SELECT SUM(fnl.Importe) ") + kStatementLines + "), 0)")});
        f.push_back({"fn_DevPagosCenImporteVinculadoPrevPagos",
                     "(SELECT IFNULL(SUM(fnv.fn_Importe),0) FROM " + kLineasDelExtracto + " CROSS JOIN " + kPrevPagos +
                         " ON fnv.fn_IdExtractoLinea = fnl.fn_IdExtractoLinea" + kDelExtracto + ")",
                     SqlServerFunction("fn_DevPagosCenImporteVinculadoPrevPagos", kStatementParams,
                                       "ISNULL((SELECT SUM(fnv.Importe) FROM Compras_PagosCentral_PrevPagos fnv "
                                       "WHERE fnv.IdExtractoLinea " +
                                           ofStatementSs + "), 0)")});
        f.push_back({"fn_DevPagosCenImporteVinculadoLinea", "(" + LinkedToDocumentsSqlite("= {1}") + ")",
                     SqlServerFunction("fn_DevPagosCenImporteVinculadoLinea", "(@IdExtractoLinea INT)",
                                       LinkedToDocumentsSqlServer("= @IdExtractoLinea"))});
        f.push_back({"fn_DevPagosCenImporteVinculadoLineaPrevPagos",
                     "(SELECT IFNULL(SUM(fnv.fn_Importe),0) FROM " + kPrevPagos + " WHERE fnv.fn_IdExtractoLinea = {1})",
                     SqlServerFunction("fn_DevPagosCenImporteVinculadoLineaPrevPagos", "(@IdExtractoLinea INT)",
                                       "ISNULL((SELECT SUM(fnv.Importe) FROM Compras_PagosCentral_PrevPagos fnv "
                                       "WHERE fnv.IdExtractoLinea = @IdExtractoLinea), 0)")});
        return f;
    }();
    return functions;
}

} // namespace schema
