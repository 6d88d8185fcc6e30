#include "fixtures/Program.h"
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

using fixtures::Q;
using fixtures::Result;
using fixtures::RunProgram;

class CommandLine : public ::testing::Test {
  protected:
    void SetUp() override {
        data = dir.File("demo");
        Result r = RunProgram("init --demo --data " + Q(data), dir);
        ASSERT_EQ(r.code, 0) << r.err;
    }
    Result Sql(const std::string &sql, const std::string &extra = "") {
        return RunProgram("sql --data " + Q(data) + " " + extra + " " + Q(sql), dir);
    }
    TempDir dir;
    std::string data;
};

TEST_F(CommandLine, InitRefusesToOverwriteExistingDatabases) {
    Result r = RunProgram("init --demo --data " + Q(data), dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("no se sobrescriben"), std::string::npos) << r.err;
    EXPECT_EQ(Sql("SELECT COUNT(*) AS N FROM Almacenes WHERE Cod_Empresa = 1").out, "N\n3\n");
}

TEST_F(CommandLine, SqlPrintsRowsUnderAHeaderWithDatesAndAmounts) {
    Result r = Sql("SELECT TOP 3 Codigo, Nombre FROM Proveedores ORDER BY Codigo");
    ASSERT_EQ(r.code, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "Codigo\tNombre");
    int rows = 0;
    while (std::getline(lines, line)) {
        EXPECT_NE(line.find('\t'), std::string::npos);
        ++rows;
    }
    EXPECT_EQ(rows, 3);
    r = Sql("SELECT CAST('2026-03-05' AS DATETIME) AS F, 12.5 AS I, ISNULL(NULL, 'x') AS T");
    EXPECT_EQ(r.out, "F\tI\tT\n05/03/2026\t12.50\tx\n");
}

TEST_F(CommandLine, SqlChangesPrintTheRecordsAffectedAndErrorsExitOne) {
    Result r = Sql("UPDATE Proveedores SET Nombre = Nombre WHERE Cod_Empresa = 1 AND Codigo <= 2");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "2\n");
    r = Sql("SELECT NoSuchColumn FROM Proveedores");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("NoSuchColumn"), std::string::npos);
    EXPECT_NE(r.err.find("SQL: SELECT NoSuchColumn FROM Proveedores"), std::string::npos) << r.err;
    r = RunProgram("sql --data " + Q(dir.File("nowhere")) + " 'SELECT 1'", dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("init --demo"), std::string::npos) << r.err;
}

TEST_F(CommandLine, ParamReadsAndWritesBothCompanies) {
    Result r = RunProgram("param --data " + Q(data) + " PagoCentral_TipoExtracto", dir);
    EXPECT_EQ(r.out, "1\n");
    // Setting one says what the database holds now.
    r = RunProgram("param --data " + Q(data) + " PagoCentral_TipoExtracto 2", dir);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Parámetro PagoCentral_TipoExtracto = 2\n");
    EXPECT_EQ(RunProgram("param --data " + Q(data) + " PagoCentral_TipoExtracto", dir).out, "2\n");
    r = RunProgram("param --data " + Q(data) + " Nuevo_Parametro \"it's\"", dir);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Parámetro Nuevo_Parametro = it's\n");
    r = RunProgram("param --data " + Q(data) + " --accounting Otro_Parametro 'a b'", dir);
    EXPECT_EQ(r.out, "Parámetro contable Otro_Parametro = a b\n");
    EXPECT_EQ(RunProgram("param --data " + Q(data) + " nuevo_parametro", dir).out, "it's\n");
    EXPECT_EQ(RunProgram("param --data " + Q(data) + " --accounting ODBCBaseDatos", dir).out, "Contabilidad\n");
    EXPECT_EQ(RunProgram("param --data " + Q(data) + " Missing_One", dir).out, "\n");
}

TEST_F(CommandLine, AccountingTablesAreReachedByTheirThreePartName) {
    Result viaErp = Sql("SELECT COUNT(*) AS N FROM Contabilidad.dbo.Previsiones_Pago WHERE Cod_Empresa = 1");
    Result direct = Sql("SELECT COUNT(*) AS N FROM Previsiones_Pago WHERE Cod_Empresa = 1", "--accounting");
    ASSERT_EQ(viaErp.code, 0) << viaErp.err;
    EXPECT_EQ(viaErp.out, direct.out);
    EXPECT_GT(std::stoi(direct.out.substr(2)), 100);
}

TEST_F(CommandLine, StatementsPrintsTheListAsTheWindowLoadsIt) {
    Result r = RunProgram("statements --data " + Q(data), dir);
    ASSERT_EQ(r.code, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "\tAlmacén\tAlmacén\tExtracto\tFecha\tFecha.Vcto\tImporte\tAcumulado\tDiferencia\tEstado");
    int rows = 0;
    while (std::getline(lines, line)) {
        EXPECT_NE(line.find("\tABIERTO"), std::string::npos) << line;
        ++rows;
    }
    EXPECT_EQ(rows, 10);
    r = RunProgram("statements --data " + Q(data) + " --state CERRADO --warehouse 1 --from 01/01/2000 --to 31/12/2099",
                   dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\tCERRADO\n"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);
    r = RunProgram("statements --data " + Q(data) + " --from 31/02/2026", dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("--from"), std::string::npos);
    // A refused load is one message line and exit 1.
    RunProgram("param --data " + Q(data) + " PagoCentral_TipoExtracto 0", dir);
    r = RunProgram("statements --data " + Q(data), dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.rfind("critical|frmExtractos:Cargar_Extractos|", 0), 0u) << r.err;
}

TEST_F(CommandLine, DeleteNeedsYesAndRefusesClosedOrUnknownStatements) {
    auto count = [&] { return Sql("SELECT COUNT(*) AS N FROM Compras_PagosCentral_Extractos").out; };
    EXPECT_EQ(count(), "N\n11\n");
    Result r = RunProgram("delete --data " + Q(data) + " 2:102022026", dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(count(), "N\n11\n");
    r = RunProgram("delete --data " + Q(data) + " --yes 2:102022026 1:101012026", dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "warning|¡ Atención !|Existe algún Extracto señalado que está cerrado. Demárquelo para "
                     "continuar.\n");
    r = RunProgram("delete --data " + Q(data) + " --yes 2:102022026 9:nada", dir);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(count(), "N\n11\n");
    r = RunProgram("delete --data " + Q(data) + " --yes 2:102022026 3:103012026", dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(count(), "N\n9\n");
    EXPECT_EQ(Sql("SELECT COUNT(*) AS N FROM Compras_PagosCentral_Extractos_Lineas WHERE Cod_Extracto IN "
                  "('102022026', '103012026')")
                  .out,
              "N\n0\n");
}

TEST_F(CommandLine, ConnectionSettingsSelectTheOdbcBackend) {
    std::string embedded = Sql("SELECT TOP 3 Codigo, Nombre FROM Proveedores ORDER BY Codigo").out;
    std::string forecasts = Sql("SELECT COUNT(*) AS N FROM Contabilidad.dbo.Previsiones_Pago").out;
    {
        std::ofstream ini(data + "/conexion.ini");
        ini << "[Conexion]\r\nMotor=odbc\r\nDialecto=sqlite\r\n"
            << "ERP=Driver={SQLite3};Database=" << data << "/erp.db\r\n"
            << "Contabilidad=Driver={SQLite3};Database=" << data << "/contabilidad.db\r\n";
    }
    Result r = Sql("SELECT TOP 3 Codigo, Nombre FROM Proveedores ORDER BY Codigo");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, embedded);
    EXPECT_EQ(Sql("SELECT COUNT(*) AS N FROM Contabilidad.dbo.Previsiones_Pago").out, forecasts);
    r = Sql("SELECT Nope FROM Proveedores");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Nope"), std::string::npos) << r.err;
    {
        std::ofstream ini(data + "/conexion.ini");
        ini << "[Conexion]\nMotor=oracle\n";
    }
    r = Sql("SELECT 1");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Motor debe ser sqlite u odbc"), std::string::npos) << r.err;
}

} // namespace
