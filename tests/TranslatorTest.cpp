#include "db/OpenFile.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/Transaction.h"
#include "db/dialect/ShapeScanner.h"
#include "db/sqlite/SqliteConnection.h"
#include "fixtures/TempDir.h"
#include "schema/Schema.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::string>;

// Small copies of the module's tables, with the declared types the translator relies on.
const std::vector<std::string> kErp = {
    "CREATE TABLE Compras_PagosCentral_Extractos (Cod_Empresa INTEGER, Cod_Almacen INTEGER, Cod_Extracto "
    "VARCHAR(30) COLLATE NOCASE, FechaExtracto DATETIME DEFAULT '1900-01-01', FechaVto DATETIME DEFAULT "
    "'1900-01-01', Cerrado BIT DEFAULT 0)",
    "CREATE TABLE Compras_PagosCentral_Extractos_Lineas (IdExtractoLinea INTEGER PRIMARY KEY AUTOINCREMENT, "
    "Cod_Empresa INTEGER, Cod_Almacen INTEGER, Cod_Extracto VARCHAR(30) COLLATE NOCASE, Cod_Proveedor INTEGER "
    "DEFAULT 0, Documento VARCHAR(50) COLLATE NOCASE DEFAULT '', Fecha DATETIME DEFAULT '1900-01-01', Importe "
    "MONEY DEFAULT 0, ImporteVinculado MONEY DEFAULT 0, Nueva_FechaVto DATETIME DEFAULT '1900-01-01', Obs1 "
    "VARCHAR(100) COLLATE NOCASE DEFAULT '')",
    "CREATE TABLE Compras_PagosCentral_PrevPagos (IdExtractoLinea INTEGER, IdPrevPago INTEGER, Contabilizado BIT "
    "DEFAULT 0, Importe MONEY DEFAULT 0)",
    "CREATE TABLE Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea INTEGER, Base MONEY DEFAULT 0, "
    "Valor_Tipo MONEY DEFAULT 0, Importe MONEY DEFAULT 0, Tipo INTEGER DEFAULT 0)",
    "CREATE TABLE Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdReclamacion INTEGER PRIMARY KEY "
    "AUTOINCREMENT, IdExtractoLinea INTEGER, Hora_Alta DATETIME DEFAULT '1900-01-01', Observaciones VARCHAR(200) "
    "COLLATE NOCASE DEFAULT '')",
    "CREATE TABLE Almacenes (Cod_Empresa INTEGER, Codigo INTEGER, Nombre VARCHAR(60) COLLATE NOCASE)",
    "CREATE TABLE Proveedores_GLN (Cod_Empresa INTEGER, Cod_Prov INTEGER, GLN VARCHAR(20) COLLATE NOCASE, "
    "Principal BIT DEFAULT 0)",
    "CREATE TABLE Proveedores (Cod_Empresa INTEGER, Codigo INTEGER, Nombre VARCHAR(60) COLLATE NOCASE, "
    "Cta_Proveedor VARCHAR(20) COLLATE NOCASE DEFAULT '')",
    "CREATE TABLE Igic_Tipos (Cod_Empresa INTEGER, ID INTEGER, Imp_Valor MONEY, FechaI DATETIME, FechaF "
    "DATETIME)",
    "CREATE TABLE PagosCentral_Funciones (Nombre VARCHAR(128) PRIMARY KEY COLLATE NOCASE, Cuerpo TEXT)",
    "INSERT INTO PagosCentral_Funciones VALUES ('fn_DevPagosCenImporteExtractoPrevPagos', '(SELECT "
    "IFNULL(SUM(fnl.Importe),0) FROM Compras_PagosCentral_Extractos_Lineas fnl WHERE fnl.Cod_Empresa = {1} AND "
    "fnl.Cod_Almacen = {2} AND fnl.Cod_Extracto = {3})')",
    "INSERT INTO PagosCentral_Funciones VALUES ('fn_DevPagosCenImporteVinculadoPrevPagos', '(SELECT "
    "IFNULL(SUM(fnv.Importe),0) FROM Compras_PagosCentral_PrevPagos fnv INNER JOIN "
    "Compras_PagosCentral_Extractos_Lineas fnl ON fnl.IdExtractoLinea = fnv.IdExtractoLinea WHERE fnl.Cod_Empresa "
    "= {1} AND fnl.Cod_Almacen = {2} AND fnl.Cod_Extracto = {3})')",
    "INSERT INTO PagosCentral_Funciones VALUES ('fn_DevPagosCenImporteVinculadoLineaPrevPagos', '(SELECT "
    "IFNULL(SUM(fnv.Importe),0) FROM Compras_PagosCentral_PrevPagos fnv WHERE fnv.IdExtractoLinea = {1})')",
};

const std::vector<std::string> kAccounting = {
    "CREATE TABLE Previsiones_Pago (Cod_Empresa INTEGER, Apunte INTEGER PRIMARY KEY AUTOINCREMENT, Cuenta "
    "VARCHAR(20) COLLATE NOCASE, Documento VARCHAR(50) COLLATE NOCASE, Fecha_Vto DATETIME, Importe MONEY, Estado "
    "INTEGER DEFAULT 0)",
};

class Translator : public ::testing::Test {
  protected:
    void SetUp() override {
        db::RunSqliteScript(dir.File("conta.db"), kAccounting);
        db::RunSqliteScript(dir.File("erp.db"), kErp);
        erp = db::OpenDatabaseFile(dir.File("erp.db"), {{"ContaDemo", dir.File("conta.db")}});
        erp->Execute("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Central Telde')");
        erp->Execute("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                     "FechaExtracto, FechaVto) VALUES (1,1,'E1','05/01/2026','31/01/2026')");
        erp->Execute("INSERT INTO Compras_PagosCentral_Extractos (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                     "FechaExtracto, FechaVto) VALUES (1,2,'E2','06/01/2026','28/02/2026')");
        const char *lines[][4] = {{"E1", "FA-0001", "02/01/2026", "100.50"},
                                  {"E1", "FB-0001 ", "02/01/2026", "20"},
                                  {"E1", "X-7777", "03/01/2026", "33.33"},
                                  {"E2", "F9", "04/01/2026", "10"}};
        for (auto &l : lines) {
            erp->Execute(std::string("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, "
                                     "Cod_Extracto, Cod_Proveedor, Documento, Fecha, Importe) VALUES (1, ") +
                         (std::string(l[0]) == "E1" ? "1" : "2") + ", '" + l[0] + "', 7, '" + l[1] + "', '" + l[2] +
                         "', " + l[3] + ")");
        }
        const char *prevs[][4] = {{"0001", "15/01/2026", "100.5", "0"},
                                  {"7777", "15/01/2026", "33.33", "0"},
                                  {"7777", "15/03/2026", "33.33", "0"},
                                  {"X-7777", "15/01/2026", "33.33", "1"}};
        for (auto &p : prevs) {
            erp->Execute(std::string("INSERT INTO ContaDemo.dbo.Previsiones_Pago (Cod_Empresa, Cuenta, Documento, "
                                     "Fecha_Vto, Importe, Estado) VALUES (1, '4000000007', '") +
                         p[0] + "', '" + p[1] + "', " + p[2] + ", " + p[3] + ")");
        }
    }

    Rows Query(const std::string &sql) {
        Rows out;
        auto rs = erp->OpenRecordset(sql);
        while (!rs->Eof()) {
            std::string row;
            for (std::size_t i = 0; i < rs->FieldCount(); ++i) {
                row += (i ? "|" : "") + rs->Fields(i).AsText();
            }
            out.push_back(row);
            rs->MoveNext();
        }
        return out;
    }

    TempDir dir;
    db::ConnectionPtr erp;
};

TEST_F(Translator, StatementListReloadWithAmountFunctionsAndDateRange) {
    std::string co = "1";
    std::string sql = "SELECT c.Cerrado, c.Cod_Almacen, ISNULL(alm.Nombre,'') AS NombreAlmacen, c.Cod_Extracto, "
                      "c.FechaExtracto, c.FechaVto, dbo.fn_DevPagosCenImporteExtractoPrevPagos(" +
                      co + ",c.Cod_Almacen, c.Cod_Extracto) AS ImporteExtracto, "
                      "dbo.fn_DevPagosCenImporteVinculadoPrevPagos(" +
                      co + ",c.Cod_Almacen, c.Cod_Extracto) AS ImporteVinculado, "
                      "dbo.fn_DevPagosCenImporteExtractoPrevPagos(" +
                      co + ",c.Cod_Almacen, c.Cod_Extracto) - dbo.fn_DevPagosCenImporteVinculadoPrevPagos(" + co +
                      ",c.Cod_Almacen, c.Cod_Extracto) AS ImporteDiferencia FROM Compras_PagosCentral_Extractos c "
                      "LEFT JOIN Almacenes alm ON alm.Cod_Empresa = c.Cod_Empresa AND alm.Codigo = c.Cod_Almacen "
                      "WHERE c.Cod_Empresa =" +
                      co +
                      " AND c.Cerrado = 0 AND c.FechaExtracto BETWEEN '01/01/2026' AND '05/01/2026' ORDER BY "
                      "c.Cod_Almacen, c.FechaVto DESC, c.FechaExtracto DESC";
    EXPECT_EQ(Query(sql), (Rows{"0|1|Central Telde|E1|2026-01-05|2026-01-31|153.83|0|153.83"}));
    // The same shape with other literals reuses the prepared statement and still answers right.
    std::string other = sql;
    other.replace(other.find("'05/01/2026'"), 12, "'31/12/2026'");
    EXPECT_EQ(Query(other).size(), 2u);
    EXPECT_EQ(Query(other)[1], "0|2||E2|2026-01-06|2026-02-28|10|0|10");
}

TEST_F(Translator, DuplicateDetectionIntoTempTableCountsRecordsWritten) {
    std::string dup = "SELECT lin.Cod_Proveedor, lin.Documento, lin.Fecha INTO #CPP123456 FROM "
                      "Compras_PagosCentral_Extractos_Lineas lin WHERE lin.Cod_Empresa =1 AND lin.Cod_Almacen =1 "
                      "AND lin.Cod_Extracto ='E1' AND EXISTS (SELECT 1 FROM Compras_PagosCentral_Extractos_Lineas "
                      "lin2 WHERE lin.Cod_Empresa = lin2.Cod_Empresa AND lin.Cod_Extracto = lin2.Cod_Extracto AND "
                      "lin.Cod_Proveedor = lin2.Cod_Proveedor AND lin.Fecha = lin2.Fecha AND "
                      "RIGHT(RTRIM(lin.Documento),4) = RIGHT(RTRIM(lin2.Documento),4) AND lin.IdExtractoLinea <> "
                      "lin2.IdExtractoLinea) GROUP BY lin.Cod_Proveedor, lin.Documento, lin.Fecha";
    EXPECT_EQ(erp->Execute(dup), 2);
    EXPECT_EQ(Query("SELECT Documento FROM #CPP123456 ORDER BY Documento"), (Rows{"FA-0001", "FB-0001 "}));
    erp->Execute("DROP TABLE #CPP123456");
    EXPECT_THROW(Query("SELECT * FROM #CPP123456"), db::DbError);
}

TEST_F(Translator, MatchingInsertUsesThreePartNamesCharindexAndDueDate) {
    erp->Execute("CREATE TABLE #CPP1 (Cod_Proveedor INT, Documento VARCHAR(50), Fecha DATETIME)");
    std::string match =
        "INSERT INTO Compras_PagosCentral_PrevPagos SELECT DISTINCT lin.IdExtractoLinea , pp.Apunte, 0, pp.Importe "
        "FROM Compras_PagosCentral_Extractos_Lineas lin LEFT JOIN ContaDemo.dbo.Previsiones_Pago pp ON lin.Importe "
        "= pp.Importe AND ((RIGHT(RTRIM(lin.Documento), 4) = RIGHT(RTRIM(pp.Documento), 4)) OR "
        "(CHARINDEX(RTRIM(pp.Documento), RTRIM(lin.Documento)) > 0)) LEFT JOIN #CPP1 tmp ON tmp.Cod_Proveedor = "
        "lin.Cod_Proveedor AND tmp.Documento = lin.Documento AND tmp.Fecha = lin.Fecha WHERE lin.Cod_Empresa =1 "
        "AND lin.Cod_Almacen =1 AND lin.Cod_Extracto ='E1' AND pp.Fecha_Vto <= '31/01/2026' AND pp.Estado = 0 AND "
        "pp.Apunte NOT IN (SELECT IdPrevPago FROM Compras_PagosCentral_PrevPagos) AND tmp.Cod_Proveedor IS NULL";
    EXPECT_EQ(erp->Execute(match), 2);
    EXPECT_EQ(Query("SELECT IdExtractoLinea, IdPrevPago, Contabilizado, Importe FROM Compras_PagosCentral_PrevPagos "
                    "ORDER BY IdExtractoLinea"),
              (Rows{"1|1|0|100.5", "3|2|0|33.33"}));
    EXPECT_EQ(erp->Execute(match), 0) << "a second run links nothing twice";

    EXPECT_EQ(erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = 5 WHERE "
                           "IdExtractoLinea = 2"),
              1);
    EXPECT_EQ(erp->Execute("SELECT a.IdExtractoLinea, SUM(a.Importe) AS Importe INTO #CPP2 FROM "
                           "Compras_PagosCentral_PrevPagos a INNER JOIN Compras_PagosCentral_Extractos_Lineas lin ON "
                           "a.IdExtractoLinea = lin.IdExtractoLinea WHERE lin.Cod_Empresa =1 AND lin.Cod_Almacen =1 "
                           "AND lin.Cod_Extracto ='E1' GROUP BY a.IdExtractoLinea"),
              2);
    EXPECT_EQ(erp->Execute("UPDATE a SET a.ImporteVinculado = b.Importe FROM Compras_PagosCentral_Extractos_Lineas "
                           "a INNER JOIN #CPP2 b ON a.IdExtractoLinea = b.IdExtractoLinea"),
              2);
    EXPECT_EQ(erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = 0 WHERE "
                           "IdExtractoLinea IN ( SELECT lin.IdExtractoLinea FROM "
                           "Compras_PagosCentral_Extractos_Lineas lin LEFT JOIN Compras_PagosCentral_PrevPagos pp "
                           "ON pp.IdExtractoLinea = lin.IdExtractoLinea WHERE  lin.Cod_Empresa =1 AND "
                           "lin.Cod_Extracto ='E1' AND lin.Cod_Almacen =1 AND lin.ImporteVinculado <> 0 AND "
                           "pp.IdExtractoLinea is NULL)"),
              1);
    EXPECT_EQ(Query("SELECT IdExtractoLinea, ImporteVinculado FROM Compras_PagosCentral_Extractos_Lineas WHERE "
                    "Cod_Extracto = 'e1' ORDER BY 1"),
              (Rows{"1|100.5", "2|0", "3|33.33"}));
}

TEST_F(Translator, DeleteThroughAliasAndJoinRemovesLinksToVanishedForecasts) {
    erp->Execute("INSERT INTO Compras_PagosCentral_PrevPagos(IdExtractoLinea, IdPrevPago, Importe) VALUES(1, 1, "
                 "100.5)");
    erp->Execute("INSERT INTO Compras_PagosCentral_PrevPagos(IdExtractoLinea, IdPrevPago, Importe) VALUES(1, 999, 1)");
    erp->Execute("INSERT INTO Compras_PagosCentral_PrevPagos(IdExtractoLinea, IdPrevPago, Importe) VALUES(4, 998, 1)");
    std::string del = "DELETE pp FROM Compras_PagosCentral_PrevPagos AS pp INNER JOIN "
                      "Compras_PagosCentral_Extractos_Lineas AS lin ON lin.IdExtractoLinea = pp.IdExtractoLinea "
                      "WHERE lin.Cod_Empresa =1 AND lin.Cod_Almacen =1 AND lin.Cod_Extracto ='E1' AND pp.IdPrevPago "
                      "NOT IN (SELECT prevp.Apunte FROM ContaDemo.dbo.Previsiones_Pago prevp WHERE prevp.Apunte = "
                      "pp.IdPrevPago)";
    EXPECT_EQ(erp->Execute(del), 1);
    EXPECT_EQ(Query("SELECT IdPrevPago FROM Compras_PagosCentral_PrevPagos ORDER BY IdPrevPago"),
              (Rows{"1", "998"}));
}

TEST_F(Translator, StatementDeletionCascadesThroughLineSubquery) {
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base) VALUES (1, 5)");
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base) VALUES (4, 5)");
    std::string q = " WHERE IdExtractoLinea IN (SELECT IdExtractoLinea FROM Compras_PagosCentral_Extractos_Lineas "
                    "WHERE Cod_Empresa = 1 AND Cod_Almacen =1 AND Cod_Extracto ='E1')";
    EXPECT_EQ(erp->Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas_Impuestos" + q), 1);
    EXPECT_EQ(erp->Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Empresa =1 AND Cod_Almacen "
                           "=1 AND Cod_Extracto ='E1'"),
              3);
    EXPECT_EQ(erp->Execute("DELETE FROM Compras_PagosCentral_Extractos WHERE Cod_Empresa =1 AND Cod_Almacen =1 AND "
                           "Cod_Extracto ='E1'"),
              1);
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas_Impuestos"), (Rows{"1"}));
}

TEST_F(Translator, TopDistinctTopReplaceAndIdentity) {
    erp->Execute("INSERT INTO Proveedores_GLN (Cod_Empresa, Cod_Prov, GLN, Principal) VALUES (1, 7, "
                 "'84.3600.0000', 1)");
    erp->Execute("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre, Cta_Proveedor) VALUES (1, 7, 'Pérez "
                 "S.L.', '4000000007')");
    EXPECT_EQ(Query("SELECT TOP 1 a.Cod_Prov, b.Cta_Proveedor FROM Proveedores_GLN a INNER JOIN Proveedores b ON "
                    "a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Prov = b.Codigo WHERE a.Cod_Empresa =1 AND "
                    "REPLACE(a.GLN, '.', '') = '8436000000'"),
              (Rows{"7|4000000007"}));
    EXPECT_EQ(Query("SELECT DISTINCT TOP 10 lin.Cod_Proveedor, ISNULL(prov.Nombre,'') AS ProvNombre FROM "
                    "Compras_PagosCentral_Extractos_Lineas lin LEFT JOIN Proveedores prov ON prov.Cod_Empresa =1 "
                    "AND prov.Codigo = lin.Cod_Proveedor WHERE lin.Cod_Empresa =1"),
              (Rows{"7|Pérez S.L."}));
    EXPECT_EQ(Query("SELECT TOP 2 Documento FROM Compras_PagosCentral_Extractos_Lineas ORDER BY Importe DESC"),
              (Rows{"FA-0001", "X-7777"}));
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto) VALUES "
                 "(1, 1, 'E1')");
    EXPECT_EQ(Query("SELECT ISNULL(@@IDENTITY, 0) AS Id"), (Rows{"5"}));
}

TEST_F(Translator, YearClaimRangeToMinuteAndTextConcatenation) {
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas lin WHERE YEAR(lin.Fecha) = 2026"),
              (Rows{"4"}));
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, Hora_Alta) VALUES "
                 "(1, '10/03/2026 23:30:00')");
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, Hora_Alta) VALUES "
                 "(2, '10/03/2026 23:59:30')");
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, Hora_Alta) VALUES "
                 "(3, '01/03/2026')");
    EXPECT_EQ(Query("SELECT rec.IdExtractoLinea FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion rec WHERE "
                    "rec.Hora_Alta BETWEEN '01/03/2026' AND '10/03/2026 23:59' ORDER BY 1"),
              (Rows{"1", "3"}));
    EXPECT_EQ(Query("SELECT lin.Documento + ' - ' + lin.Cod_Extracto AS D, lin.Importe + 1 AS I FROM "
                    "Compras_PagosCentral_Extractos_Lineas lin WHERE lin.IdExtractoLinea = 1"),
              (Rows{"FA-0001 - E1|101.5"}));
    EXPECT_EQ(Query("SELECT RTRIM(lin.Documento) + 'x' FROM Compras_PagosCentral_Extractos_Lineas lin WHERE "
                    "lin.IdExtractoLinea = 2"),
              (Rows{"FB-0001x"}));
}

TEST_F(Translator, KeepsSqlServerMeaningWhereSqliteDiffers) {
    EXPECT_EQ(Query("SELECT CHARINDEX('', 'abc'), CHARINDEX('B', 'abc'), RIGHT('ab', 4), RIGHT('abcdef', 4), "
                    "RIGHT('abc', 0), LEN('ab  ')"),
              (Rows{"0|2|ab|cdef||2"}));
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas WHERE Documento = 'fa-0001'"),
              (Rows{"1"}));
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas WHERE Documento LIKE '%fb%'"),
              (Rows{"1"}));
}

TEST_F(Translator, DatesAreConvertedOnlyWhereTheyMeetDateColumns) {
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                 "Documento, Fecha, Nueva_FechaVto, Obs1) VALUES (1, 1, 'E9', '01/02/2024', '29/02/2024', '', "
                 "'31/02/2024')");
    EXPECT_EQ(Query("SELECT Documento, Fecha, Nueva_FechaVto, Obs1 FROM Compras_PagosCentral_Extractos_Lineas WHERE "
                    "Cod_Extracto = 'E9' AND Nueva_FechaVto = '01/01/1900'"),
              (Rows{"01/02/2024|2024-02-29|1900-01-01|31/02/2024"}));
    erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Nueva_FechaVto = '15/03/2024', Obs1 = "
                 "'15/03/2024' WHERE Cod_Extracto = 'E9'");
    EXPECT_EQ(Query("SELECT Nueva_FechaVto, Obs1 FROM Compras_PagosCentral_Extractos_Lineas WHERE '15/03/2024' = "
                    "Nueva_FechaVto"),
              (Rows{"2024-03-15|15/03/2024"}));
    try {
        erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Fecha) VALUES (1, "
                     "'31/02/2024')");
        FAIL() << "an impossible date was stored";
    } catch (const db::DbError &e) {
        EXPECT_NE(std::string(e.what()).find("31/02/2024"), std::string::npos);
        EXPECT_NE(e.Written().find("VALUES (1, '31/02/2024')"), std::string::npos);
        if (db::EmbeddedBackend() == "sqlite") {
            EXPECT_NE(e.Translated().find("?"), std::string::npos); // literals lifted into parameters
        }
    }
}

TEST_F(Translator, HostileTextRoundTripsThroughQuoting) {
    const std::vector<std::string> texts = {"O'Brien", "'); DELETE FROM Proveedores; --", "a;b", "-- x",
                                            "\"quoted\"", "''", "[x]", "ñandú Ä", "/* c */", "?1 ?2"};
    for (const auto &t : texts) {
        erp->Execute("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre) VALUES (9, 1, " + db::Quote(t) + ")");
        auto rows = Query("SELECT Nombre FROM Proveedores WHERE Cod_Empresa = 9 AND Nombre = " + db::Quote(t));
        ASSERT_EQ(rows, Rows{t}) << t;
        EXPECT_EQ(Query("SELECT COUNT(*) FROM Proveedores WHERE Nombre LIKE '%" + db::Escape(t) + "%'"), Rows{"1"});
        erp->Execute("DELETE FROM Proveedores WHERE Cod_Empresa = 9");
    }
}

TEST_F(Translator, TempTablesWithMoneyColumnsAndGroupedInsert) {
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, Valor_Tipo, "
                 "Importe, Tipo) VALUES (1, 93.93, 7, 6.57, 3)");
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, Valor_Tipo, "
                 "Importe, Tipo) VALUES (1, 0.01, 0, 0, 1)");
    erp->Execute("CREATE TABLE #Impuestos (IdExtractoLinea INT, Total MONEY)");
    EXPECT_EQ(erp->Execute("INSERT INTO #Impuestos (IdExtractoLinea, Total) SELECT imp.IdExtractoLinea, "
                           "SUM(imp.Base + imp.Importe) AS Total FROM "
                           "Compras_PagosCentral_Extractos_Lineas_Impuestos imp INNER JOIN "
                           "Compras_PagosCentral_Extractos_Lineas lin ON lin.IdExtractoLinea = imp.IdExtractoLinea "
                           "WHERE lin.Cod_Empresa =1 AND lin.Cod_Almacen =1 AND lin.Cod_Extracto ='E1' GROUP BY "
                           "imp.IdExtractoLinea"),
              1);
    auto rs = erp->OpenRecordset("SELECT Total FROM #Impuestos");
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields("total").AsCurrencyUnits(), 1005100);
    EXPECT_EQ(rs->Fields(0).Kind(), db::FieldKind::Currency);
    rs.reset();
    erp->Execute("DROP TABLE #Impuestos");
    // Another connection never sees this connection's temporary tables.
    erp->Execute("CREATE TABLE #Solo (x INT)");
    auto other = db::OpenDatabaseFile(dir.File("erp.db"), {{"ContaDemo", dir.File("conta.db")}});
    EXPECT_THROW(other->Execute("INSERT INTO #Solo (x) VALUES (1)"), db::DbError);
}

TEST_F(Translator, RefusesWhatItCannotTranslateWithThePosition) {
    try {
        erp->Execute("SELECT DATEPART(day, Fecha) FROM Compras_PagosCentral_Extractos_Lineas");
        FAIL();
    } catch (const db::DbError &e) {
        EXPECT_NE(std::string(e.what()).find("DATEPART"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("posición 8"), std::string::npos);
        EXPECT_EQ(e.Written(), "SELECT DATEPART(day, Fecha) FROM Compras_PagosCentral_Extractos_Lineas");
    }
    EXPECT_THROW(erp->Execute("SELECT 'abc"), db::DbError);
    try {
        erp->Execute("SELECT NoSuchColumn FROM Almacenes");
        FAIL();
    } catch (const db::DbError &e) {
        EXPECT_NE(std::string(e.what()).find("NoSuchColumn"), std::string::npos);
        EXPECT_EQ(e.Translated(), "SELECT NoSuchColumn FROM Almacenes");
    }
}

TEST_F(Translator, TransactionsRollBackAndScopedTransactionUndoesOnError) {
    erp->BeginTrans();
    erp->Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas");
    EXPECT_THROW(erp->BeginTrans(), db::DbError);
    erp->RollbackTrans();
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas"), Rows{"4"});
    try {
        db::Transaction tx(*erp);
        erp->Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = 1");
        erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Fecha) VALUES (1, '99/99/2024')");
        tx.Commit();
    } catch (const db::DbError &) {
    }
    EXPECT_FALSE(erp->InTransaction());
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas"), Rows{"4"});
    {
        db::Transaction tx(*erp);
        erp->Execute("DELETE FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = 1");
        tx.Commit();
    }
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas"), Rows{"3"});
}

TEST_F(Translator, GridPrintTableUnionCaseCastAndSessionOptions) {
    EXPECT_EQ(erp->Execute("SET DATEFORMAT dmy"), 0);
    erp->Execute("CREATE TABLE ##TablaDinamica_3600 ([Almacén] SMALLINT NOT NULL DEFAULT(0), [Importe] MONEY NOT "
                 "NULL DEFAULT(0), [Fecha] Datetime NOT NULL DEFAULT(getDate()), [Texto] VARCHAR(255) NOT NULL "
                 "DEFAULT(''))");
    erp->Execute("INSERT INTO ##TablaDinamica_3600 VALUES (1, 12.5, '03/02/2026', 'Abc' + ' - ' + 'Def')");
    erp->Execute("INSERT INTO ##TablaDinamica_3600 ([Almacén]) VALUES (2)");
    auto rows = Query("SELECT [Almacén], Importe, Fecha, Texto FROM ##TablaDinamica_3600 WHERE Texto = 'abc - def' "
                      "UNION SELECT 9, 0, CAST('01/01/1900' AS DATETIME), CAST(5 AS VARCHAR(10)) ORDER BY 1");
    EXPECT_EQ(rows, (Rows{"1|12.5|2026-02-03|Abc - Def", "9|0|1900-01-01|5"}));
    auto stamped = Query("SELECT Fecha FROM ##TablaDinamica_3600 WHERE [Almacén] = 2");
    ASSERT_EQ(stamped.size(), 1u);
    EXPECT_EQ(stamped[0].size(), 19u) << "getDate() stores date and time: " << stamped[0];
    EXPECT_EQ(Query("SELECT lin.IdExtractoLinea, CASE WHEN dbo.fn_DevPagosCenImporteVinculadoLineaPrevPagos("
                    "lin.IdExtractoLinea) = 0 THEN 0 ELSE 1 END AS ExisteVinc FROM "
                    "Compras_PagosCentral_Extractos_Lineas lin WHERE lin.Cod_Extracto = 'E2'"),
              (Rows{"4|0"}));
    EXPECT_EQ(erp->Execute("UPDATE Almacenes SET Nombre = 'A;B' WHERE Codigo = 1; UPDATE Almacenes SET Nombre = "
                           "Nombre + '!' WHERE Codigo = 1"),
              1);
    EXPECT_EQ(Query("SELECT Nombre FROM Almacenes"), Rows{"A;B!"});
}

TEST_F(Translator, RecordsetStaysValidWhileTheSameShapeRunsAgain) {
    std::string q = "SELECT Documento FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = 'E1' ORDER BY "
                    "IdExtractoLinea";
    auto outer = erp->OpenRecordset(q);
    Rows seen;
    while (!outer->Eof()) {
        seen.push_back(outer->Fields(0).AsText());
        EXPECT_EQ(Query("SELECT Documento FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = 'E2' ORDER "
                        "BY IdExtractoLinea"),
                  Rows{"F9"});
        outer->MoveNext();
    }
    EXPECT_EQ(seen, (Rows{"FA-0001", "FB-0001 ", "X-7777"}));
    EXPECT_TRUE(db::ReturnsRows("SELECT 1"));
    EXPECT_FALSE(db::ReturnsRows("SELECT 1 AS x INTO #t"));
}

// SQL Server compares texts without regard to case wherever they come from: function results,
// columns of SELECT ... INTO tables and of derived tables, literals.
TEST_F(Translator, TextComparisonsIgnoreCaseWhateverTheOperands) {
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                 "Documento) VALUES (1, 3, 'E3', 'P-4444')");
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Extracto, "
                 "Documento) VALUES (1, 3, 'E3', 'p-4444')");
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas a INNER JOIN "
                    "Compras_PagosCentral_Extractos_Lineas b ON RIGHT(RTRIM(a.Documento),4) = "
                    "RIGHT(RTRIM(b.Documento),4) WHERE a.Cod_Extracto = 'E3' AND a.IdExtractoLinea <> "
                    "b.IdExtractoLinea"),
              Rows{"2"});
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas WHERE UPPER(Documento) = "
                    "LOWER('FA-0001')"),
              Rows{"1"});
    EXPECT_EQ(Query("SELECT CASE WHEN 'abc' = 'ABC' THEN 1 ELSE 0 END, CASE WHEN 'x' + 'Y' = 'XY' THEN 1 ELSE 0 "
                    "END"),
              Rows{"1|1"});
    erp->Execute("SELECT lin.Documento, RTRIM(lin.Documento) AS Recortado INTO #Docs FROM "
                 "Compras_PagosCentral_Extractos_Lineas lin");
    EXPECT_EQ(Query("SELECT COUNT(*) FROM #Docs WHERE Documento = 'fa-0001'"), Rows{"1"});
    EXPECT_EQ(Query("SELECT COUNT(*) FROM #Docs WHERE Recortado = 'FB-0001' AND Recortado IN ('fb-0001')"),
              Rows{"1"});
    EXPECT_EQ(Query("SELECT COUNT(*) FROM (SELECT RIGHT(RTRIM(Documento), 4) AS Ultimos FROM "
                    "Compras_PagosCentral_Extractos_Lineas) T1 WHERE T1.Ultimos = '4444'"),
              Rows{"2"});
    EXPECT_EQ(Query("SELECT COUNT(*) FROM (SELECT Documento FROM Compras_PagosCentral_Extractos_Lineas) T1 WHERE "
                    "T1.Documento BETWEEN 'p-0000' AND 'P-9999'"),
              Rows{"2"});
}

// A text literal is a date wherever it meets one: through ISNULL, parentheses, BETWEEN with the
// literal on the left, functions of dates, SELECT ... INTO and derived columns, UPDATE through an alias.
TEST_F(Translator, DayFirstLiteralsMeetDatesInEveryShape) {
    auto count = [&](const std::string &where) {
        return Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas lin WHERE " + where);
    };
    EXPECT_EQ(count("ISNULL(lin.Fecha,'01/01/1900') >= '03/01/2026'"), Rows{"2"});
    EXPECT_EQ(count("(lin.Fecha) >= '03/01/2026'"), Rows{"2"});
    EXPECT_EQ(count("GETDATE() < '01/01/2999' AND lin.Fecha < '03/01/2026'"), Rows{"2"});
    EXPECT_EQ(count("CASE WHEN lin.Importe > 50 THEN lin.Fecha ELSE '01/01/1900' END > '01/01/2000'"), Rows{"1"});
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos WHERE '20/01/2026' BETWEEN FechaExtracto "
                    "AND FechaVto"),
              Rows{"2"});
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos WHERE '20/02/2026' BETWEEN FechaExtracto "
                    "AND FechaVto"),
              Rows{"1"});
    erp->Execute("SELECT lin.IdExtractoLinea, ISNULL(lin.Fecha, '01/01/1900') AS Fecha INTO #F FROM "
                 "Compras_PagosCentral_Extractos_Lineas lin");
    EXPECT_EQ(Query("SELECT COUNT(*) FROM #F WHERE Fecha >= '03/01/2026'"), Rows{"2"});
    EXPECT_EQ(Query("SELECT COUNT(*) FROM (SELECT lin.Fecha FROM Compras_PagosCentral_Extractos_Lineas lin) T1 "
                    "WHERE T1.Fecha >= '03/01/2026'"),
              Rows{"2"});
    EXPECT_EQ(erp->Execute("UPDATE a SET a.Nueva_FechaVto = '15/01/2027' FROM Compras_PagosCentral_Extractos_Lineas "
                           "a INNER JOIN Compras_PagosCentral_Extractos c ON c.Cod_Empresa = a.Cod_Empresa AND "
                           "c.Cod_Almacen = a.Cod_Almacen AND c.Cod_Extracto = a.Cod_Extracto WHERE a.Fecha >= "
                           "'03/01/2026'"),
              2);
    EXPECT_EQ(Query("SELECT IdExtractoLinea, Nueva_FechaVto FROM Compras_PagosCentral_Extractos_Lineas WHERE "
                    "Nueva_FechaVto = '15/01/2027' ORDER BY 1"),
              (Rows{"3|2027-01-15", "4|2027-01-15"}));
    // A time alone is that time on 01/01/1900.
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, Hora_Alta) VALUES "
                 "(9, '10:30:00')");
    EXPECT_EQ(Query("SELECT Hora_Alta FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion WHERE IdExtractoLinea = "
                    "9"),
              Rows{"1900-01-01 10:30:00"});
}

TEST_F(Translator, PlusJoinsTextsAfterCaseAndBetweenParentheses) {
    EXPECT_EQ(Query("SELECT CASE WHEN lin.Importe > 50 THEN 'Alto' ELSE 'Bajo' END + ': ' + lin.Documento, ('a') + "
                    "('b'), (lin.Documento) + (lin.Cod_Extracto) FROM Compras_PagosCentral_Extractos_Lineas lin "
                    "WHERE lin.IdExtractoLinea = 1"),
              Rows{"Alto: FA-0001|ab|FA-0001E1"});
    EXPECT_EQ(Query("SELECT lin.Importe + lin.ImporteVinculado + 1 FROM Compras_PagosCentral_Extractos_Lineas lin "
                    "WHERE lin.IdExtractoLinea = 1"),
              Rows{"101.5"});
}

// Money keeps four decimals when stored and summed: 0.10 + 0.20 is 0.30.
TEST_F(Translator, AmountsStoredAndSummedKeepFourDecimals) {
    erp->Execute("INSERT INTO Compras_PagosCentral_PrevPagos(IdExtractoLinea, IdPrevPago, Importe) VALUES(4, 1, 0.1)");
    erp->Execute("INSERT INTO Compras_PagosCentral_PrevPagos(IdExtractoLinea, IdPrevPago, Importe) VALUES(4, 2, 0.2)");
    EXPECT_EQ(erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = "
                           "dbo.fn_DevPagosCenImporteVinculadoLineaPrevPagos(IdExtractoLinea) WHERE IdExtractoLinea = "
                           "4"),
              1);
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas WHERE ImporteVinculado = 0.30"),
              Rows{"1"});
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_PrevPagos HAVING SUM(Importe) = 0.3"), Rows{"2"});
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas lin WHERE lin.Importe - 9.7 = "
                    "dbo.fn_DevPagosCenImporteVinculadoLineaPrevPagos(lin.IdExtractoLinea)"),
              Rows{"1"});
    erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Importe = 1.23456 WHERE IdExtractoLinea = 4");
    EXPECT_EQ(Query("SELECT Importe FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = 4"),
              Rows{"1.2346"});
}

// The smaller shapes: each translated with SQL Server's result.
TEST_F(Translator, SmallerShapesKeepSqlServerResults) {
    EXPECT_EQ(Query("SELECT TOP 1 Documento FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto = 'E1' "
                    "UNION ALL SELECT TOP 1 Documento FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto "
                    "= 'E2'"),
              (Rows{"FA-0001", "F9"}));
    EXPECT_EQ(Query("SELECT Documento FROM Compras_PagosCentral_Extractos_Lineas WHERE Documento LIKE 'F[A-B]-%' "
                    "ORDER BY 1"),
              (Rows{"FA-0001", "FB-0001 "}));
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas WHERE Documento LIKE 'f[^a]%'"),
              Rows{"2"});
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas WHERE Documento LIKE '%[0-9]'"),
              Rows{"3"});
    EXPECT_EQ(Query("SELECT CAST('abcdef' AS VARCHAR(3)), CAST(2.345 AS DECIMAL(10,2)), CAST(2.5 AS DECIMAL(5)), "
                    "CONVERT(VARCHAR(4), 'abcdef')"),
              Rows{"abc|2.35|3|abcd"});
    EXPECT_EQ(Query("SELECT COUNT(*) FROM [ContaDemo].[dbo].[Previsiones_Pago] WHERE [Importe] = 33.33"),
              Rows{"3"});
    EXPECT_EQ(Query("SELECT STR(12.5), STR(3.14159, 6, 2), STR(123456, 3), REPLICATE('ab', 3), '[' + SPACE(2) + "
                    "']', ASCII('A'), LEN('ab  '), LEN('')"),
              Rows{"        13|  3.14|***|ababab|[  ]|65|2|0"});
    EXPECT_EQ(Query("SELECT DATEADD(day, 1, '31/12/2025'), DATEADD(month, 1, '31/01/2026'), DATEADD(year, -1, "
                    "'29/02/2024'), DATEADD(hour, 2, '01/01/2026 23:30:00'), DATEADD(dd, -5, lin.Fecha) FROM "
                    "Compras_PagosCentral_Extractos_Lineas lin WHERE lin.IdExtractoLinea = 1"),
              Rows{"2026-01-01|2026-02-28|2023-02-28|2026-01-02 01:30:00|2025-12-28"});
    EXPECT_EQ(Query("SELECT DATEDIFF(day, '31/12/2025', '01/01/2026'), DATEDIFF(month, '31/01/2026', "
                    "'01/02/2026'), DATEDIFF(year, '31/12/2025', '01/01/2026'), DATEDIFF(hour, '01/01/2026 "
                    "10:59:00', '01/01/2026 11:00:00'), DATEDIFF(day, lin.Fecha, '05/01/2026') FROM "
                    "Compras_PagosCentral_Extractos_Lineas lin WHERE lin.IdExtractoLinea = 1"),
              Rows{"1|1|1|1|3"});
    EXPECT_EQ(Query("SELECT CONVERT(varchar, lin.Fecha, 103), CONVERT(VARCHAR(10), lin.Fecha, 112) FROM "
                    "Compras_PagosCentral_Extractos_Lineas lin WHERE lin.IdExtractoLinea = 1"),
              Rows{"02/01/2026|20260102"});
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas lin WHERE lin.Fecha = "
                    "CONVERT(datetime, '02/01/2026', 103)"),
              Rows{"2"});
    // @@IDENTITY is NULL after an insert into a table that numbers nothing.
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa) VALUES (1)");
    EXPECT_EQ(Query("SELECT @@IDENTITY"), Rows{"5"});
    erp->Execute("INSERT INTO Compras_PagosCentral_PrevPagos (IdExtractoLinea, IdPrevPago, Importe) VALUES (5, 1, 1)");
    EXPECT_EQ(Query("SELECT ISNULL(@@IDENTITY, -1)"), Rows{"-1"});
}

TEST_F(Translator, TextsSortInSpanishOrder) {
    for (const char *n : {"Congelados", "Cárnicas", "Ñoquis", "Nubes", "avícola", "Zumos", "Ábside"}) {
        erp->Execute(std::string("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (2, 1, '") + n + "')");
    }
    Rows sorted = Query("SELECT Nombre FROM Almacenes WHERE Cod_Empresa = 2 ORDER BY Nombre");
    if (db::EmbeddedBackend() == "sqlite") {
        EXPECT_EQ(sorted, (Rows{"Ábside", "avícola", "Cárnicas", "Congelados", "Nubes", "Ñoquis", "Zumos"}));
    } else {
        EXPECT_EQ(sorted.size(), 7u); // the SQLite ODBC driver knows no Spanish collation
    }
    EXPECT_EQ(Query("SELECT TOP 2 a.Nombre AS N FROM Almacenes a WHERE a.Cod_Empresa = 2 ORDER BY N DESC").size(),
              2u);
}

// The module's schema refuses an amount beyond SQL Server's money range instead of storing it.
TEST(TranslatorSchema, AmountsOutsideTheMoneyRangeAreRefused) {
    TempDir dir;
    db::RunSqliteScript(dir.File("conta.db"), schema::AccountingDdlSqlite());
    db::RunSqliteScript(dir.File("erp.db"), schema::ErpDdlSqlite());
    auto erp = db::OpenDatabaseFile(dir.File("erp.db"), {{"ContaDemo", dir.File("conta.db")}});
    erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Importe) VALUES (1, "
                 "922337203685477)");
    for (const char *sql : {"INSERT INTO Compras_PagosCentral_Extractos_Lineas (Cod_Empresa, Importe) VALUES (1, "
                            "922337203685477.58)",
                            "UPDATE Compras_PagosCentral_Extractos_Lineas SET ImporteVinculado = -922337203685478"}) {
        try {
            erp->Execute(sql);
            ADD_FAILURE() << "stored: " << sql;
        } catch (const db::DbError &e) {
            EXPECT_NE(std::string(e.what()).find("Arithmetic overflow error converting expression to data type "
                                                  "money."),
                      std::string::npos)
                << e.what();
        }
    }
    auto rs = erp->OpenRecordset("SELECT COUNT(*), MAX(Importe), MIN(ImporteVinculado) FROM "
                                 "Compras_PagosCentral_Extractos_Lineas");
    EXPECT_EQ(rs->Fields(0).AsInt64(), 1);
    EXPECT_EQ(rs->Fields(1).AsCurrencyUnits(), 9223372036854770000);
    EXPECT_EQ(rs->Fields(2).AsCurrencyUnits(), 0);
}

} // namespace

namespace {

struct Forma {
    bool ok;
    std::string key;
    std::vector<std::string> literals;
    bool operator==(const Forma &) const = default;
};

Forma Escanear(const std::string &sql) {
    Forma f;
    std::vector<db::dialect::Literal> lits;
    f.ok = db::dialect::ScanShape(sql, f.key, lits);
    for (const auto &l : lits) {
        f.literals.push_back((l.number ? "n:" : "t:") + l.text);
    }
    return f;
}

// A statement scanned on its own, after another whose prefix it does not share.
Forma Solo(const std::string &sql) {
    Escanear("SELECT Zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz FROM Q WHERE q = 'reset'");
    return Escanear(sql);
}

} // namespace

TEST(ShapeScanner, AStatementSharingTheLastOnesTextBeforeItsFirstValueScansAsItWouldAlone) {
    const std::string insert = "INSERT INTO Apuntes (Cod_Empresa, Cod_Ejercicio, Asiento, Concepto) VALUES (";
    const std::vector<std::pair<std::string, std::string>> pares = {
        {insert + "1, 2026, 7, 'Pago T''1')", insert + "2, 2027, 8, N'Otro')"},
        {insert + "1, 2026, 7, 'a')", insert + "Cod_Empresa, 2026, 7, 'a')"},
        {insert + "1, 2026, 7, 'a')", insert + "-- nota\n1, 2026, 7, 'a')"},
        {insert + "1, 2026, 7, 'a')", insert + "/* nota */ 1, 2026, 7, 'a')"},
        {insert + "1, 2026, 7, 'a')", insert},
        {"SELECT Nombre FROM Proveedores WHERE Nombre = 'x'", "SELECT Nombre FROM Proveedores WHERE Nombre = Nif"},
        {"SELECT Nombre FROM Proveedores WHERE Nombre = 'x'", "SELECT Nombre FROM Proveedores WHERE Nombre = 'x''; --'"},
        // Prefixes that end inside a word or after a '-' are never taken.
        {"SELECT Nombre FROM Proveedores WHERE Codigo =-1", "SELECT Nombre FROM Proveedores WHERE Codigo =--1\n2"},
        {"SELECT Nombre FROM Proveedores WHERE Nombre LIKE N'x'", "SELECT Nombre FROM Proveedores WHERE Nombre LIKE Nx"},
        {"SELECT Nombre FROM Proveedores WHERE Nombre=N'x'", "SELECT Nombre FROM Proveedores WHERE Nombre=Nombre2"},
    };
    for (const auto &[antes, sql] : pares) {
        const Forma sola = Solo(sql);
        Escanear(antes);
        EXPECT_EQ(Escanear(sql), sola) << antes << "\nthen " << sql;
        Escanear(antes);
        Escanear(sql);
        EXPECT_EQ(Escanear(sql), sola) << sql << " twice";
    }
    EXPECT_EQ(Solo(insert + "2, 2027, 8, N'Otro')").literals,
              (std::vector<std::string>{"n:2", "n:2027", "n:8", "t:Otro"}));
}
