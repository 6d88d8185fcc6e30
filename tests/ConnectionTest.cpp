#include "db/ConnectionString.h"
#include "db/DbError.h"
#include "db/OpenFile.h"
#include "db/Transaction.h"
#include "db/odbc/OdbcConnection.h"
#include "db/sqlite/SqliteConnection.h"
#include "fixtures/Program.h"
#include "fixtures/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>
#include <string>
#include <vector>

// What the connections promise whichever backend runs them (PAGOCENTRAL_BACKEND picks it).

namespace {

using Rows = std::vector<std::string>;

Rows Query(db::Connection &c, const std::string &sql) {
    Rows out;
    auto rs = c.OpenRecordset(sql);
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

std::string ErrorOf(const std::function<void()> &run) {
    try {
        run();
    } catch (const db::DbError &e) {
        return e.what();
    }
    return "<no error>";
}

class Connections : public ::testing::Test {
  protected:
    Connections() {
        db::RunSqliteScript(dir.File("conta.db"), {"CREATE TABLE Cuentas (Cuenta VARCHAR(20) COLLATE NOCASE, Nombre "
                                                   "VARCHAR(60) COLLATE NOCASE)",
                                                   "INSERT INTO Cuentas VALUES ('4000000001', 'Pérez')"});
        db::RunSqliteScript(dir.File("erp.db"),
                            {"CREATE TABLE Lineas (Id INTEGER PRIMARY KEY, Documento VARCHAR(50) COLLATE NOCASE, "
                             "Fecha DATETIME, Importe MONEY)",
                             "INSERT INTO Lineas (Documento, Fecha, Importe) VALUES ('A', '2026-05-01', 10.5)",
                             "INSERT INTO Lineas (Documento, Fecha, Importe) VALUES ('B', '2026-05-02', 20)",
                             "INSERT INTO Lineas (Documento, Fecha, Importe) VALUES ('C', '2026-05-03', 30)"});
        erp = db::OpenDatabaseFile(dir.File("erp.db"), {{"Conta", dir.File("conta.db")}});
    }
    TempDir dir;
    db::ConnectionPtr erp;
};

TEST_F(Connections, AnEmptyResultKeepsItsColumnNamesAndKindsButHasNoValues) {
    auto rs = erp->OpenRecordset("SELECT Id, Documento, Fecha, Importe FROM Lineas WHERE Id < 0");
    ASSERT_TRUE(rs->Eof());
    ASSERT_EQ(rs->FieldCount(), 4u);
    EXPECT_EQ(rs->Fields(0).Name(), "Id");
    EXPECT_EQ(rs->Fields("documento").Name(), "Documento");
    EXPECT_EQ(rs->Fields(1).Kind(), db::FieldKind::Text);
    EXPECT_EQ(rs->Fields(2).Kind(), db::FieldKind::Date);
    EXPECT_EQ(rs->Fields(3).Kind(), db::FieldKind::Currency);
    EXPECT_EQ(ErrorOf([&] { rs->Fields(1).AsText(); }), "No hay registro actual");
    EXPECT_EQ(ErrorOf([&] { rs->Fields("Importe").AsCurrencyUnits(); }), "No hay registro actual");
    EXPECT_EQ(ErrorOf([&] { rs->Fields("Nada"); }), "El registro no tiene el campo Nada");

    // Past the last row of a result that had rows, the same.
    rs = erp->OpenRecordset("SELECT Documento FROM Lineas WHERE Id = 1");
    EXPECT_EQ(rs->Fields(0).AsText(), "A");
    rs->MoveNext();
    EXPECT_EQ(rs->Fields(0).Name(), "Documento");
    EXPECT_EQ(ErrorOf([&] { rs->Fields(0).IsNull(); }), "No hay registro actual");
}

TEST_F(Connections, AnotherStatementRunsWhileARecordsetIsOpen) {
    auto rs = erp->OpenRecordset("SELECT Id, Documento FROM Lineas ORDER BY Id");
    // Writing to the table being read, reading it again, writing elsewhere between rows.
    EXPECT_EQ(erp->Execute("UPDATE Lineas SET Documento = 'Z' WHERE Id = 1"), 1);
    auto second = erp->OpenRecordset("SELECT COUNT(*) FROM Lineas WHERE Documento = 'z'");
    EXPECT_EQ(second->Fields(0).AsText(), "1");
    erp->Execute("CREATE TABLE Copia (Id INT)");
    Rows seen;
    while (!rs->Eof()) {
        seen.push_back(rs->Fields(1).AsText());
        erp->Execute("INSERT INTO Copia (Id) VALUES (" + rs->Fields(0).AsText() + ")");
        rs->MoveNext();
    }
    EXPECT_EQ(seen, (Rows{"A", "B", "C"}));
    EXPECT_EQ(Query(*erp, "SELECT COUNT(*) FROM Copia"), Rows{"3"});
}

TEST(OdbcDriver, AResultReadRowByRowByTheDriverNoLongerLocksItsTable) {
    // StepAPI=1 makes the SQLite ODBC driver keep the statement active while rows are fetched,
    // as FreeTDS without MARS keeps the connection busy: the rows must be in memory by then.
    TempDir dir;
    db::RunSqliteScript(dir.File("t.db"), {"CREATE TABLE t (x INT)", "INSERT INTO t VALUES (1)",
                                           "INSERT INTO t VALUES (2)"});
    auto c = db::OpenOdbc(db::SqliteOdbcConnectionString(dir.File("t.db")) + ";StepAPI=1", db::OdbcDialect::Sqlite);
    auto rs = c->OpenRecordset("SELECT x FROM t ORDER BY x");
    c->Execute("DROP TABLE t");
    EXPECT_EQ(rs->Fields(0).AsText(), "1");
    rs->MoveNext();
    EXPECT_EQ(rs->Fields(0).AsText(), "2");
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
}

TEST_F(Connections, ExtendedPropertiesOpenASecondConnectionWithTheAttachment) {
    const std::string &cs = erp->Properties().at("Extended Properties");
    auto keys = db::ParseConnectionString(cs);
    bool attached = false;
    for (const auto &[k, v] : keys) {
        attached |= k == "Attach:Conta" && v == dir.File("conta.db");
    }
    EXPECT_TRUE(attached) << cs;
    auto second = db::OpenConnectionString(cs);
    EXPECT_EQ(Query(*second, "SELECT Nombre FROM Conta.dbo.Cuentas"), Rows{"Pérez"});
    // The same files: what one connection writes, the other reads.
    erp->Execute("INSERT INTO Conta.dbo.Cuentas (Cuenta, Nombre) VALUES ('4000000002', 'O''Neill')");
    EXPECT_EQ(Query(*second, "SELECT Nombre FROM Conta.dbo.Cuentas WHERE Cuenta = '4000000002'"), Rows{"O'Neill"});
    second->Execute("UPDATE Lineas SET Importe = 11 WHERE Id = 1");
    EXPECT_EQ(Query(*erp, "SELECT Importe FROM Lineas WHERE Id = 1"), Rows{"11"});
    // Again from the second connection's own string.
    auto third = db::OpenConnectionString(second->Properties().at("Extended Properties"));
    EXPECT_EQ(Query(*third, "SELECT COUNT(*) FROM Conta.dbo.Cuentas"), Rows{"2"});
}

TEST(ConnectionStrings, ValuesWithSeparatorsAndBracesGoBetweenBraces) {
    std::string path = "/datos/a;b}c/erp.db";
    std::string cs = db::EmbeddedExtendedProperties(path, {{"Conta", "/x y/conta.db"}});
    EXPECT_EQ(cs, "Provider=SQLite;Data Source={/datos/a;b}}c/erp.db};Attach:Conta=/x y/conta.db");
    auto keys = db::ParseConnectionString(cs + "; Timeout = 5 ;");
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[1].second, path);
    EXPECT_EQ(keys[2].second, "/x y/conta.db");
    EXPECT_EQ(keys[3], (std::pair<std::string, std::string>{"Timeout", "5"}));
    EXPECT_EQ(db::ConnectionStringValue(" lead"), "{ lead}");
}

TEST_F(Connections, AWriterTakesTheLockWhenItBeginsAndASecondWaitsForIt) {
    setenv("PAGOCENTRAL_BUSY_TIMEOUT", "0", 1);
    auto impatient = db::OpenDatabaseFile(dir.File("erp.db"));
    unsetenv("PAGOCENTRAL_BUSY_TIMEOUT");
    auto patient = db::OpenDatabaseFile(dir.File("erp.db"));
    {
        db::Transaction tx(*erp);
        // Nothing written yet, but the lock is held: one that will not wait is refused at its begin...
        std::string refused = ErrorOf([&] { impatient->BeginTrans(); });
        EXPECT_NE(refused.find("locked"), std::string::npos) << refused;
        EXPECT_FALSE(impatient->InTransaction());
        // ...and readers still read.
        EXPECT_EQ(Query(*impatient, "SELECT COUNT(*) FROM Lineas"), Rows{"3"});
        erp->Execute("UPDATE Lineas SET Importe = 99 WHERE Id = 2");
        std::thread release([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            tx.Commit();
        });
        // One with the default timeout waits for the commit, then sees what was committed.
        patient->BeginTrans();
        release.join();
        EXPECT_EQ(patient->Execute("UPDATE Lineas SET Importe = Importe + 1 WHERE Id = 2"), 1);
        patient->CommitTrans();
    }
    EXPECT_EQ(Query(*erp, "SELECT Importe FROM Lineas WHERE Id = 2"), Rows{"100"});
    impatient->BeginTrans();
    impatient->RollbackTrans();
}

TEST(SqlCommand, AQueryWithoutRowsPrintsItsHeaderAlone) {
    TempDir dir;
    std::string data = dir.File("datos");
    ASSERT_EQ(fixtures::RunProgram("init --data " + fixtures::Q(data), dir).code, 0);
    auto r = fixtures::RunProgram("sql --data " + fixtures::Q(data) +
                                      " \"SELECT Codigo, Nombre FROM Proveedores WHERE Codigo < 0\"",
                                  dir);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Codigo\tNombre\n");
    EXPECT_EQ(r.err, "");
}

} // namespace
